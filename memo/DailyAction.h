#pragma once

#include "memo/DailyRec.h"

#include <QString>

#include <cstdint>
#include <vector>

// Kinds of memo change; the numbers are those the undo lists show by name.
enum : int {
    MA_DELETE = 10,
    MA_CUT = 11,
    MA_MOVE = 12,
    MA_PASTE = 14,
    MA_EDIT = 15,
};


// One undoable memo change: the records it puts into the store, at most one
// per date. Executing it swaps them with the store's records of the same
// dates, so the same step serves do, undo and redo.
class CDailyAction
{
public:
    // A memo view cell range: left, top, right, bottom.
    struct Range
    {
        std::int32_t nLeft = 0;
        std::int32_t nTop = 0;
        std::int32_t nRight = 0;
        std::int32_t nBottom = 0;
        bool operator==(const Range&) const = default;
    };

    CDailyAction() = default;
    CDailyAction(int nKind, const Range& range) : m_nKind(nKind), m_range(range) {}
    CDailyAction(int nKind, const Range& range, const Range& rangeSrc)
        : m_nKind(nKind), m_range(range), m_rangeSrc(rangeSrc)
    {
    }

    // Swaps the action's records with the date-sorted store; a date the store
    // lacks gets an empty record first, inserted in its place.
    void Execute(std::vector<CDailyRec>& daily);

    QString GetName() const { return KindName(m_nKind); }
    static QString KindName(int nKind);

    int m_nKind = MA_EDIT;
    Range m_range;
    Range m_rangeSrc;
    std::vector<CDailyRec> m_records;
};

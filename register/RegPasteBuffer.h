#pragma once

#include "model/Amount.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Receipt.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class CCofferDoc;

// What a paste or a drop brings, read for one target ledger: the shape and grab offsets,
// and either the lines (their currency and category positions already those of the
// target, counting the entries the paste will append) or the lines of text.
class CRegPasteBuffer
{
public:
    void Clear() { *this = CRegPasteBuffer(); }

    // The private form; false (and empty) when it is not usable. With bProbe only the
    // shape and grab offsets are read.
    bool ReadPrivate(const CCofferDoc& doc, QByteArrayView bytes, bool bProbe = false);
    // Text from any program; false when it holds no line.
    bool ReadText(const QString& strText);

    bool IsEmpty() const { return m_nRows == 0; }
    bool IsPrivate() const { return m_bPrivate; }
    bool IsWholeRows() const { return m_nCols < 0; }

    std::int32_t m_nCols = 0; // W, -1 for whole rows
    std::int32_t m_nRows = 0; // H
    std::int32_t m_nGrabCol = 0;
    std::int32_t m_nGrabRow = 0;
    bool m_bPrivate = false;
    std::vector<int> m_kinds; // the copied columns' kinds
    std::vector<CReceipt> m_lines;
    std::vector<Amount> m_balances;
    // Entries the target ledger lacks, in the order a paste appends them.
    std::vector<CCurFmt> m_newCurs;
    std::vector<CCategory> m_newCats;
    QStringList m_text;
};

#pragma once

#include "memo/DailyAction.h"
#include "memo/DailyRec.h"

#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// The memo records of a ledger, sorted by date, with their column titles and
// their own undo history. "Modified" is the history position compared with
// the position at the last save.
class CDailyStore
{
public:
    // Told after every executed step: the range the views should select. The document
    // forwards it to its views as a memo notice.
    using Notify = std::function<void(const CDailyAction::Range& range)>;

    // (found, position): position of the first record not earlier than date,
    // the count when there is none.
    static std::pair<bool, qsizetype> FindMemoIndex(const std::vector<CDailyRec>& daily, std::int32_t date);
    std::pair<bool, qsizetype> FindMemoIndex(std::int32_t date) const { return FindMemoIndex(m_daily, date); }
    const CDailyRec* FindMemo(std::int32_t date) const;
    // A copy of the record of that date, or a new empty one.
    CDailyRec CopyMemo(std::int32_t date) const;

    // Records the action (taking its records) and executes it, discarding
    // the redo part. Always true.
    bool DoMemoAction(CDailyAction& action);
    // Redoes the next action; false when there is none.
    bool RedoMemoAction();
    // Undoes the last executed action; false when there is none.
    bool UndoMemoAction();

    bool CanUndo() const { return m_nDailyPos > 0; }
    bool CanRedo() const { return m_nDailyPos < qsizetype(m_dailyActions.size()); }
    bool IsModified() const { return m_nDailyPos != m_nDailySaved; }
    void SetSaved() { m_nDailySaved = m_nDailyPos; }

    // Takes the records read from a file: sorted by date (equal dates keep
    // their order), the history emptied, the state taken as saved.
    void Load(std::vector<CDailyRec> records, QStringList titles);
    // A memo import: the records replace all others and the history is
    // emptied; the result counts as modified until the next save.
    void Replace(std::vector<CDailyRec> records);
    void Clear();

    std::vector<CDailyRec> m_daily;
    QStringList m_memoTitles;
    std::vector<std::unique_ptr<CDailyAction>> m_dailyActions;
    qsizetype m_nDailyPos = 0;
    // -1 when the saved state is no longer reachable through the history.
    qsizetype m_nDailySaved = 0;
    Notify m_notify;

private:
    void Run(CDailyAction& action, const CDailyAction::Range& range);
};

#include "memo/DailyStore.h"

#include <algorithm>

std::pair<bool, qsizetype> CDailyStore::FindMemoIndex(const std::vector<CDailyRec>& daily, std::int32_t date)
{
    const auto it = std::lower_bound(daily.begin(), daily.end(), date,
                                     [](const CDailyRec& rec, std::int32_t d) { return rec.m_date < d; });
    const bool bFound = it != daily.end() && it->m_date == date;
    return {bFound, qsizetype(it - daily.begin())};
}

const CDailyRec* CDailyStore::FindMemo(std::int32_t date) const
{
    const auto [bFound, nPos] = FindMemoIndex(date);
    return bFound ? &m_daily[size_t(nPos)] : nullptr;
}

CDailyRec CDailyStore::CopyMemo(std::int32_t date) const
{
    const CDailyRec* pRec = FindMemo(date);
    return pRec ? *pRec : CDailyRec(date);
}

void CDailyStore::Run(CDailyAction& action, const CDailyAction::Range& range)
{
    action.Execute(m_daily);
    if (m_notify)
        m_notify(range);
}

bool CDailyStore::DoMemoAction(CDailyAction& action)
{
    auto pAction = std::make_unique<CDailyAction>(action.m_nKind, action.m_range, action.m_rangeSrc);
    pAction->m_records = std::move(action.m_records);
    action.m_records.clear();

    // Cutting the redo part beyond the saved position makes that state unreachable.
    if (m_nDailySaved > m_nDailyPos)
        m_nDailySaved = -1;
    m_dailyActions.erase(m_dailyActions.begin() + m_nDailyPos, m_dailyActions.end());
    m_dailyActions.push_back(std::move(pAction));
    CDailyAction& added = *m_dailyActions.back();
    ++m_nDailyPos;
    Run(added, added.m_range);
    return true;
}

bool CDailyStore::RedoMemoAction()
{
    if (!CanRedo())
        return false;
    CDailyAction& action = *m_dailyActions[size_t(m_nDailyPos)];
    ++m_nDailyPos;
    Run(action, action.m_range);
    return true;
}

bool CDailyStore::UndoMemoAction()
{
    if (!CanUndo())
        return false;
    --m_nDailyPos;
    CDailyAction& action = *m_dailyActions[size_t(m_nDailyPos)];
    Run(action, action.m_nKind == MA_MOVE ? action.m_rangeSrc : action.m_range);
    return true;
}

void CDailyStore::Load(std::vector<CDailyRec> records, QStringList titles)
{
    std::stable_sort(records.begin(), records.end(),
                     [](const CDailyRec& a, const CDailyRec& b) { return a.m_date < b.m_date; });
    m_daily = std::move(records);
    m_memoTitles = std::move(titles);
    m_dailyActions.clear();
    m_nDailyPos = 0;
    m_nDailySaved = 0;
}

void CDailyStore::Replace(std::vector<CDailyRec> records)
{
    QStringList titles = m_memoTitles;
    Load(std::move(records), std::move(titles));
    m_nDailySaved = -1;
}

void CDailyStore::Clear()
{
    m_daily.clear();
    m_memoTitles.clear();
    m_dailyActions.clear();
    m_nDailyPos = 0;
    m_nDailySaved = 0;
}

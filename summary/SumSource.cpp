#include "summary/SumSource.h"

#include "model/CofferDoc.h"
#include "model/DateText.h"
#include "summary/PeriodMode.h"

#include <algorithm>

namespace {

int TableMonth(int nMonth)
{
    return nMonth == 0 ? 1 : nMonth;
}

PackedDate WithinGivenYears(PackedDate date)
{
    if (date == 0)
        return 0;
    return std::clamp(date, MakeDate(CDateText::MIN_YEAR, 0, 0), MakeDate(CDateText::MAX_YEAR, 12, 31));
}

} // namespace

CSumSource::CSumSource(const std::vector<CReceipt>& lines, const std::vector<CCategory>& cats, int nCurCount,
                       PackedDate firstMonth, PackedDate lastMonth, const CBudgetTable* pBudget)
    : m_pLines(&lines)
    , m_pCats(&cats)
    , m_nCurCount(nCurCount < 0 ? 0 : nCurCount)
    , m_firstMonth(WithinGivenYears(firstMonth))
    , m_lastMonth(WithinGivenYears(lastMonth))
    , m_pBudget(pBudget)
{
    const std::int64_t nLast = m_firstMonth == 0 ? 0 : MonthIndex(m_lastMonth);
    m_nMonths = nLast >= 0 ? nLast + 1 : 1;
    if (firstMonth != 0)
        m_nBudgetOffset = (std::int64_t(DateYear(m_firstMonth)) - DateYear(firstMonth)) * 12
                        + TableMonth(DateMonth(m_firstMonth)) - TableMonth(DateMonth(firstMonth));
}

CSumSource::CSumSource(const CCofferDoc& doc)
    : CSumSource(doc.Lines(), doc.Categories(), static_cast<int>(doc.Currencies().size()), doc.GetFirstMonth(),
                 doc.GetLastMonth(), &doc.GetBudgetTable())
{
}

int CSumSource::KeyCount() const
{
    return static_cast<int>(m_pCats->size()) + SUM_KEY_CATEGORY;
}

std::int64_t CSumSource::MonthIndex(int nYear, int nMonth) const
{
    return (static_cast<std::int64_t>(nYear) - DateYear(m_firstMonth)) * 12 + TableMonth(nMonth)
         - TableMonth(DateMonth(m_firstMonth));
}

std::int64_t CSumSource::MonthIndex(PackedDate date) const
{
    return MonthIndex(DateYear(date), DateMonth(date));
}

Amount CSumSource::Budget(int nKey, int nCur, std::int64_t nMonth) const
{
    // The table itself carries the last month forward; a period beyond the ledger has none.
    if (m_pBudget == nullptr || nMonth < 0 || nMonth >= m_nMonths)
        return 0;
    return m_pBudget->GetBudget(nKey, nCur, nMonth + m_nBudgetOffset);
}

Amount CSumSource::SumBudget(int nKey, int nCur, std::int64_t nFirst, std::int64_t nLast) const
{
    nFirst = std::max<std::int64_t>(nFirst, 0);
    nLast = std::min(nLast, m_nMonths - 1);
    if (m_pBudget == nullptr || nFirst > nLast)
        return 0;
    return m_pBudget->SumBudget(nKey, nCur, nFirst + m_nBudgetOffset, nLast + m_nBudgetOffset);
}

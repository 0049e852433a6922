#include "summary/SumCalc.h"

#include "model/Calendar.h"
#include "model/CategoryAttr.h"
#include "summary/PeriodMode.h"
#include "summary/SumSource.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>

namespace {

int PeriodMonth(int nMonth)
{
    return (nMonth >= 1 && nMonth <= 12) ? nMonth : 1;
}

int NormalMode(int nMode)
{
    return (nMode >= PERIOD_MONTH && nMode <= PERIOD_QUARTER) ? nMode : PERIOD_MONTH;
}

int ClampRows(std::int64_t nRows)
{
    return static_cast<int>(std::clamp<std::int64_t>(nRows, 1, INT_MAX / 2));
}

// Counts every dated line of the currency that is not a budget line into the row that
// RowOf gives (negative: not in the period).
template <class RowOf>
void AddLines(const CSumSource& src, std::vector<Amount>& sums, int nStride, int nPeriods, int nCur, RowOf rowOf)
{
    const std::vector<CCategory>& cats = src.Categories();
    // A category position outside the list has no key; its amount is not counted.
    std::array<bool, 256> known {};
    std::array<bool, 256> budget {};
    const std::size_t nCats = std::min<std::size_t>(cats.size(), known.size());
    for (std::size_t i = 0; i < nCats; ++i) {
        known[i] = true;
        budget[i] = cats[i].m_nAttr == ATTR_BUDGET;
    }
    Amount* const pSums = sums.data();
    for (const CReceipt& line : src.Lines()) {
        if (line.m_nCur != nCur || DateYear(line.m_date) < 1 || !known[line.m_nCat] || budget[line.m_nCat])
            continue;
        const int r = rowOf(line.m_date);
        if (r < 0 || r >= nPeriods)
            continue;
        Amount* const pRow = pSums + static_cast<std::ptrdiff_t>(r) * nStride + SUM_KEY_CATEGORY;
        pRow[line.m_nCat] = WrapAdd(pRow[line.m_nCat], line.m_nAmount);
        if (known[line.m_nCat2])
            pRow[line.m_nCat2] = WrapAdd(pRow[line.m_nCat2], line.m_nAmount2);
    }
}

} // namespace

bool CSumCalc::IsOutflow(int nAttr)
{
    return nAttr == ATTR_EXPENSE || nAttr == ATTR_ACCOUNT || nAttr == ATTR_SPECIAL_EXPENSE
        || nAttr == ATTR_SPECIAL_ACCOUNT;
}

std::int64_t CSumCalc::QuarterOf(int nYear, int nMonth)
{
    return static_cast<std::int64_t>(nYear) * 4 + (PeriodMonth(nMonth) + 2) / 3;
}

std::int64_t CSumCalc::QuarterOf(PackedDate date)
{
    return QuarterOf(DateYear(date), DateMonth(date));
}

void CSumCalc::QuarterOfRow(PackedDate first, int nRow, int& nYear, int& nQuarter)
{
    const std::int64_t n = static_cast<std::int64_t>(nRow) + (PeriodMonth(DateMonth(first)) + 2) / 3 - 1;
    // Floor division, so that a (never shown) negative row still names a real quarter.
    const std::int64_t nYears = n >= 0 ? n / 4 : (n - 3) / 4;
    nYear = static_cast<int>(DateYear(first) + nYears);
    nQuarter = static_cast<int>(n - nYears * 4);
}

int CSumCalc::PeriodRowCount(const CSumSource& src, PackedDate date, int nMode)
{
    switch (NormalMode(nMode)) {
    case PERIOD_YEAR:
        return 13;
    case PERIOD_ALL:
        return ClampRows(static_cast<std::int64_t>(DateYear(src.LastDate())) - DateYear(src.FirstDate()) + 2);
    case PERIOD_QUARTER:
        return ClampRows(QuarterOf(src.LastDate()) - QuarterOf(src.FirstDate()) + 2);
    default:
        return CCalendar::DaysInMonth(DateYear(date), PeriodMonth(DateMonth(date))) + 1;
    }
}

std::pair<int, int> CSumCalc::SumByPeriod(const CSumSource& src, std::vector<Amount>& sums, PackedDate date,
                                          int nMode, int nCur)
{
    nMode = NormalMode(nMode);
    const std::vector<CCategory>& cats = src.Categories();
    const int nStride = src.KeyCount();
    const int nRows = PeriodRowCount(src, date, nMode);
    const int nPeriods = nRows - 1;
    sums.assign(static_cast<std::size_t>(nStride) * static_cast<std::size_t>(nRows), 0);

    const int nYear = DateYear(date);
    switch (nMode) {
    case PERIOD_MONTH: {
        const int nMonth = PeriodMonth(DateMonth(date));
        AddLines(src, sums, nStride, nPeriods, nCur, [nYear, nMonth, nPeriods](PackedDate d) {
            // A whole-year date (month 0) never matches a month.
            if (DateYear(d) != nYear || DateMonth(d) != nMonth)
                return -1;
            const int nDay = DateDay(d);
            if (nDay < 0)
                return -1;
            // Day 0 is the whole month; a day past the month's end (2023/2/30 reads in) is its last day.
            return nDay == 0 ? 0 : std::min(nDay, nPeriods) - 1;
        });
        break;
    }
    case PERIOD_YEAR:
        AddLines(src, sums, nStride, nPeriods, nCur, [nYear](PackedDate d) {
            const int nMonth = DateMonth(d);
            if (DateYear(d) != nYear || nMonth < 0 || nMonth > 12)
                return -1;
            return nMonth == 0 ? 0 : nMonth - 1;
        });
        break;
    case PERIOD_ALL: {
        const int nFirstYear = DateYear(src.FirstDate());
        AddLines(src, sums, nStride, nPeriods, nCur,
                 [nFirstYear](PackedDate d) { return DateYear(d) - nFirstYear; });
        break;
    }
    case PERIOD_QUARTER: {
        const std::int64_t nFirstQuarter = QuarterOf(src.FirstDate());
        AddLines(src, sums, nStride, nPeriods, nCur, [nFirstQuarter, nPeriods](PackedDate d) {
            const int nMonth = DateMonth(d);
            if (nMonth < 0 || nMonth > 12)
                return -1;
            const std::int64_t r = QuarterOf(DateYear(d), nMonth) - nFirstQuarter;
            return (r < 0 || r >= nPeriods) ? -1 : static_cast<int>(r);
        });
        break;
    }
    }

    Amount* const pSums = sums.data();
    Amount* const pTotal = pSums + static_cast<std::ptrdiff_t>(nPeriods) * nStride;
    for (std::size_t i = 0; i < cats.size(); ++i) {
        const int nAttr = cats[i].m_nAttr;
        const bool bOutflow = IsOutflow(nAttr);
        const bool bGroup = nAttr >= 0 && nAttr < ATTR_COUNT;
        const std::size_t nKey = SUM_KEY_CATEGORY + i;
        Amount nColumn = 0;
        for (int r = 0; r < nPeriods; ++r) {
            Amount* const pRow = pSums + static_cast<std::ptrdiff_t>(r) * nStride;
            if (bOutflow)
                pRow[nKey] = NegateAmount(pRow[nKey]);
            if (bGroup)
                pRow[nAttr] = WrapAdd(pRow[nAttr], pRow[nKey]);
            nColumn = WrapAdd(nColumn, pRow[nKey]);
        }
        pTotal[nKey] = nColumn;
        if (bGroup)
            pTotal[nAttr] = WrapAdd(pTotal[nAttr], nColumn);
    }
    return {nStride, nRows};
}

bool CSumCalc::GetBudgetSums(const CSumSource& src, std::vector<Amount>& values, PackedDate date, int nMode,
                             int nKey, int nCur)
{
    nMode = NormalMode(nMode);
    const std::int64_t nMonths = src.MonthCount();
    const int nYear = DateYear(date);
    values.clear();

    if (nKey == 0) {
        const int nKeys = src.KeyCount();
        values.assign(static_cast<std::size_t>(nKeys), 0);
        switch (nMode) {
        case PERIOD_MONTH: {
            std::int64_t m = src.MonthIndex(date);
            // A period after the last month shows the last month's budgets.
            if (m >= nMonths)
                m = nMonths - 1;
            if (m >= 0) {
                for (int k = 0; k < nKeys; ++k)
                    values[static_cast<std::size_t>(k)] = src.Budget(k, nCur, m);
            }
            break;
        }
        case PERIOD_YEAR: {
            const std::int64_t nJanuary = src.MonthIndex(nYear, 1);
            for (int k = 0; k < nKeys; ++k)
                values[static_cast<std::size_t>(k)] = src.SumBudget(k, nCur, nJanuary, nJanuary + 11);
            break;
        }
        default:
            for (int k = 0; k < nKeys; ++k)
                values[static_cast<std::size_t>(k)] = src.SumBudget(k, nCur, 0, nMonths - 1);
            break;
        }
    } else {
        switch (nMode) {
        case PERIOD_MONTH: {
            std::int64_t m = src.MonthIndex(date);
            if (m >= nMonths)
                m = nMonths - 1;
            const Amount nMonth = m >= 0 ? src.Budget(nKey, nCur, m) : 0;
            const int nDays = CCalendar::DaysInMonth(nYear, PeriodMonth(DateMonth(date)));
            // The month's budget spread evenly over its days, truncated toward zero.
            values.assign(static_cast<std::size_t>(nDays), nMonth / nDays);
            values.push_back(nMonth);
            break;
        }
        case PERIOD_YEAR: {
            const std::int64_t nJanuary = src.MonthIndex(nYear, 1);
            Amount nSum = 0;
            for (int i = 0; i < 12; ++i) {
                const Amount nValue = src.Budget(nKey, nCur, nJanuary + i);
                values.push_back(nValue);
                nSum = WrapAdd(nSum, nValue);
            }
            values.push_back(nSum);
            break;
        }
        default: {
            // Calendar years or quarters, cut at the ledger's first and last month.
            const int nGroup = nMode == PERIOD_ALL ? 12 : 3;
            std::int64_t nLength = (12 - PeriodMonth(DateMonth(src.FirstDate()))) % nGroup + 1;
            Amount nSum = 0;
            for (std::int64_t nStart = 0; nStart < nMonths; nStart += nLength, nLength = nGroup) {
                const Amount nValue = src.SumBudget(nKey, nCur, nStart, std::min(nStart + nLength, nMonths) - 1);
                values.push_back(nValue);
                nSum = WrapAdd(nSum, nValue);
            }
            values.push_back(nSum);
            break;
        }
        }
    }
    return std::any_of(values.begin(), values.end(), [](Amount v) { return v != 0; });
}

int CSumCalc::GetSummaryColumns(const std::vector<CCategory>& cats, std::vector<std::uint32_t>& keys)
{
    // Income starts at 1 and expense at 2, so that their subtotals show with one category
    // (expense even with none).
    std::array<int, ATTR_COUNT> counts {};
    counts[ATTR_INCOME] = 1;
    counts[ATTR_EXPENSE] = 2;
    for (const CCategory& cat : cats) {
        if (cat.m_nAttr >= 0 && cat.m_nAttr < ATTR_COUNT)
            ++counts[static_cast<std::size_t>(cat.m_nAttr)];
    }
    for (int a = ATTR_INCOME; a <= ATTR_SPECIAL_ACCOUNT; ++a) {
        if (counts[static_cast<std::size_t>(a)] > 1)
            keys.push_back(static_cast<std::uint32_t>(a));
    }
    for (std::size_t i = 0; i < cats.size(); ++i) {
        if (cats[i].m_nAttr >= ATTR_INCOME && cats[i].m_nAttr <= ATTR_SPECIAL_ACCOUNT)
            keys.push_back(static_cast<std::uint32_t>(SUM_KEY_CATEGORY + i));
    }
    return static_cast<int>(keys.size());
}

QString CSumCalc::GetSummaryTitle(const std::vector<CCategory>& cats, int nKey)
{
    if (nKey < 0)
        return QString();
    if (nKey < SUM_KEY_CATEGORY)
        return AttrName(nKey) + QStringLiteral("計");
    const std::size_t nCat = static_cast<std::size_t>(nKey - SUM_KEY_CATEGORY);
    return nCat < cats.size() ? cats[nCat].m_strName : QString();
}

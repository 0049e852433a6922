#include "summary/GraphSeries.h"

#include "model/CofferDoc.h"
#include "summary/PeriodMode.h"
#include "summary/SumCalc.h"
#include "summary/SumSource.h"
#include "summary/SumTable.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::uint32_t kPalette[CGraphSeries::PALETTE_SIZE] = {
    0x00FFFF, 0xFF00FF, 0x80FF00, 0xFFFF00, 0xC0FFC0, 0xFF4040, 0x80FF80, 0x4040FF,
    0xFF80FF, 0xFF8000, 0x80FFFF, 0xFF0080, 0x0080FF, 0xFFFF80, 0x00FF80, 0x8000FF,
    0x808000, 0xFF8080, 0x40FF40, 0x8080FF, 0x800080, 0xFFC0C0, 0x008080,
};

} // namespace

std::uint32_t CGraphSeries::PaletteColor(int nIndex)
{
    const int i = nIndex % PALETTE_SIZE;
    return kPalette[i < 0 ? i + PALETTE_SIZE : i];
}

std::vector<std::uint32_t> CGraphSeries::ColumnKeys(const std::vector<CCategory>& cats)
{
    std::vector<std::uint32_t> keys;
    CSumCalc::GetSummaryColumns(cats, keys);
    return keys;
}

int CGraphSeries::DefaultColumn(const std::vector<std::uint32_t>& keys)
{
    const auto it = std::find(keys.begin(), keys.end(), 2u);
    return it == keys.end() ? 0 : int(it - keys.begin());
}

int CGraphSeries::ColumnAfterRemap(int nOldKey, const std::vector<std::int32_t>& table,
                                   const std::vector<std::uint32_t>& newKeys)
{
    std::int64_t nKey = nOldKey;
    if (nOldKey >= SUM_KEY_CATEGORY) {
        const std::size_t nCat = static_cast<std::size_t>(nOldKey - SUM_KEY_CATEGORY);
        if (nCat >= table.size() || table[nCat] < 0)
            return 0;
        nKey = SUM_KEY_CATEGORY + std::int64_t(table[nCat]);
    }
    const auto it = std::find(newKeys.begin(), newKeys.end(), static_cast<std::uint32_t>(nKey));
    return it == newKeys.end() ? 0 : int(it - newKeys.begin());
}

Amount CGraphSeries::RoundedAverage(__int128 nSum, std::int64_t nCount, int nDecimals)
{
    if (nCount <= 0)
        return 0;
    std::int64_t nUnit = 1;
    for (int i = std::clamp(nDecimals, 0, CCurFmt::MAX_DECIMALS); i < CCurFmt::MAX_DECIMALS; ++i)
        nUnit *= 10;
    const __int128 q = nSum / nCount;
    __int128 r = q < 0 ? q - nUnit / 2 : q + nUnit / 2;
    r = r / nUnit * nUnit;
    // The mean of 64-bit values fits; only rounding up at the very end can step outside.
    constexpr Amount kMax = std::numeric_limits<Amount>::max();
    constexpr Amount kMin = std::numeric_limits<Amount>::min();
    if (r > kMax)
        r -= nUnit;
    if (r < kMin)
        r += nUnit;
    return static_cast<Amount>(r);
}

int CGraphSeries::GetKey() const
{
    if (m_nColumn < 0 || m_nColumn >= int(m_keys.size()))
        return -1;
    return static_cast<int>(m_keys[static_cast<std::size_t>(m_nColumn)]);
}

QString CGraphSeries::GetStackedName(int s) const
{
    return (s >= 0 && s < int(m_stackedNames.size())) ? m_stackedNames[static_cast<std::size_t>(s)] : QString();
}

Amount CGraphSeries::GetStackedValue(int w, int s) const
{
    const int nStacked = int(m_stacked.size());
    if (w < 0 || w >= GetPeriodCount() || s < 0 || s >= nStacked)
        return 0;
    return m_stackedValues[static_cast<std::size_t>(w) * static_cast<std::size_t>(nStacked)
                           + static_cast<std::size_t>(s)];
}

void CGraphSeries::Compute(const CCofferDoc& doc, int nColumn, int nCur, int nMode, PackedDate period,
                           bool bSpecified, const CGraphScale& userScale)
{
    Compute(CSumSource(doc), doc.Currencies(), nColumn, nCur, nMode, period, bSpecified, userScale);
}

void CGraphSeries::Compute(const CSumSource& src, const std::vector<CCurFmt>& curs, int nColumn, int nCur,
                           int nMode, PackedDate period, bool bSpecified, const CGraphScale& userScale)
{
    m_nCur = (nCur >= 0 && nCur < int(curs.size())) ? nCur : 0;
    m_nMode = (nMode >= PERIOD_MONTH && nMode <= PERIOD_QUARTER) ? nMode : PERIOD_MONTH;
    m_period = CSumTable::ClampPeriod(period, src.FirstDate(), src.LastDate());
    m_firstDate = src.FirstDate();
    m_curFmt = curs.empty() ? CCurFmt() : curs[static_cast<std::size_t>(m_nCur)];
    const std::vector<CCategory>& cats = src.Categories();
    m_keys = ColumnKeys(cats);
    m_nColumn = (nColumn >= 0 && nColumn < int(m_keys.size())) ? nColumn : 0;

    std::vector<Amount> sums;
    const auto [nStride, nRows] = CSumCalc::SumByPeriod(src, sums, m_period, m_nMode, m_nCur);
    const int n = std::max(nRows - 1, 0);
    m_values.assign(static_cast<std::size_t>(n), 0);
    m_averages.assign(static_cast<std::size_t>(n), 0);
    m_budget.assign(static_cast<std::size_t>(n), 0);
    m_stacked.clear();
    m_stackedNames.clear();
    m_stackedValues.clear();
    m_bHasBudget = false;
    m_nMax = 0;
    m_nMin = 0;
    m_nTotal = 0;
    m_strTitle.clear();

    const int nKey = GetKey();
    if (nKey >= 0) {
        m_strTitle = CSumCalc::GetSummaryTitle(cats, nKey);
        // Key 0 asks the budget call for the whole period's table instead of a series; the
        // remark subtotal has no budget.
        if (nKey > 0) {
            std::vector<Amount> budget;
            m_bHasBudget = CSumCalc::GetBudgetSums(src, budget, m_period, m_nMode, nKey, m_nCur);
            for (int w = 0; w < n && w < int(budget.size()); ++w)
                m_budget[static_cast<std::size_t>(w)] = budget[static_cast<std::size_t>(w)];
        }
    }
    auto sum = [&](int w, int k) -> Amount {
        if (k < 0 || k >= nStride)
            return 0;
        return sums[static_cast<std::size_t>(w) * static_cast<std::size_t>(nStride) + static_cast<std::size_t>(k)];
    };

    if (nKey >= 0) {
        if (nKey < SUM_KEY_CATEGORY) {
            for (std::size_t i = 0; i < cats.size(); ++i) {
                if (cats[i].m_nAttr == nKey) {
                    m_stacked.push_back(static_cast<std::uint32_t>(SUM_KEY_CATEGORY + i));
                    m_stackedNames.push_back(cats[i].m_strName);
                }
            }
            m_stackedValues.assign(static_cast<std::size_t>(n) * m_stacked.size(), 0);
        }
        __int128 nRunning = 0;
        for (int w = 0; w < n; ++w) {
            const Amount nBudget = m_budget[static_cast<std::size_t>(w)];
            Amount nHigh = 0;
            Amount nLow = 0;
            Amount v = 0;
            if (nKey >= SUM_KEY_CATEGORY) {
                v = sum(w, nKey);
                nHigh = v;
                nLow = v;
            } else {
                Amount nPositive = 0;
                Amount nNegative = 0;
                for (std::size_t s = 0; s < m_stacked.size(); ++s) {
                    const Amount e = sum(w, static_cast<int>(m_stacked[s]));
                    m_stackedValues[static_cast<std::size_t>(w) * m_stacked.size() + s] = e;
                    if (e >= 0)
                        nPositive = WrapAdd(nPositive, e);
                    else
                        nNegative = WrapAdd(nNegative, e);
                }
                nHigh = nPositive;
                nLow = nNegative;
                v = WrapAdd(nPositive, nNegative);
            }
            m_values[static_cast<std::size_t>(w)] = v;
            m_nMax = std::max({m_nMax, nBudget, nHigh});
            m_nMin = std::min({m_nMin, nBudget, nLow});
            nRunning += v;
            m_averages[static_cast<std::size_t>(w)] = RoundedAverage(nRunning, w + 1, m_curFmt.m_nDecimals);
        }
        m_nTotal = static_cast<Amount>(static_cast<std::uint64_t>(static_cast<unsigned __int128>(nRunning)));
    }

    m_scale = bSpecified ? userScale : CGraphScale::AutoScale(m_nMax, m_nMin, m_curFmt.m_nDecimals);
}

int CGraphSeries::PeriodYear(int w) const
{
    if (m_nMode == PERIOD_QUARTER) {
        int nYear = 0;
        int nQuarter = 0;
        CSumCalc::QuarterOfRow(m_firstDate, w, nYear, nQuarter);
        return nYear;
    }
    if (m_nMode == PERIOD_ALL)
        return DateYear(m_firstDate) + w;
    return DateYear(m_period);
}

int CGraphSeries::PeriodQuarter(int w) const
{
    int nYear = 0;
    int nQuarter = 0;
    CSumCalc::QuarterOfRow(m_firstDate, w, nYear, nQuarter);
    return nQuarter;
}

QString CGraphSeries::PeriodLabel(int w) const
{
    switch (m_nMode) {
    case PERIOD_YEAR:
        return QString::asprintf("%d月", w + 1);
    case PERIOD_ALL:
        return QString::asprintf("%d年", PeriodYear(w));
    case PERIOD_QUARTER:
        return QString::asprintf("%d年", PeriodYear(w)) + QChar(char16_t(0x2160 + PeriodQuarter(w)));
    default:
        return QString::asprintf("%d日", w + 1);
    }
}

#include "model/BudgetTable.h"

#include "model/CategoryAttr.h"

#include <algorithm>

namespace {

Amount WrapMul(Amount a, std::int64_t n)
{
    return Amount(std::uint64_t(a) * std::uint64_t(n));
}

// Outflow categories keep their budgets negated, as their sums are.
bool IsOutflow(int nAttr)
{
    return nAttr == ATTR_EXPENSE || nAttr == ATTR_ACCOUNT || nAttr == ATTR_SPECIAL_EXPENSE
        || nAttr == ATTR_SPECIAL_ACCOUNT;
}

int MonthOrOne(int nMonth)
{
    return nMonth == 0 ? 1 : nMonth;
}

} // namespace

void CBudgetTable::Clear()
{
    *this = CBudgetTable();
}

void CBudgetTable::Reset(int nCurCount, int nCatCount, PackedDate firstMonth, PackedDate lastMonth)
{
    m_nCurCount = std::max(nCurCount, 0);
    m_nKeyCount = std::max(nCatCount, 0) + ATTR_KEYS;
    m_steps.clear();
    if (firstMonth == 0) {
        m_nFirstYear = 0;
        m_nFirstMonthOfYear = 1;
        m_nMonthCount = 1;
        return;
    }
    m_nFirstYear = DateYear(firstMonth);
    m_nFirstMonthOfYear = MonthOrOne(DateMonth(firstMonth));
    m_nMonthCount = std::max<std::int64_t>(MonthIndex(lastMonth) + 1, 1);
}

std::int64_t CBudgetTable::MonthIndex(PackedDate date) const
{
    return (std::int64_t(DateYear(date)) - m_nFirstYear) * 12 + MonthOrOne(DateMonth(date)) - m_nFirstMonthOfYear;
}

std::vector<int> CBudgetTable::Build(std::vector<CBudgetLine> lines, const std::vector<int>& catAttrs)
{
    std::vector<int> twice;
    m_steps.clear();
    if (lines.empty() || m_nCurCount == 0)
        return twice;

    // Line order decides which of two budgets for the same cell wins, so sort stably.
    std::stable_sort(lines.begin(), lines.end(), [](const CBudgetLine& a, const CBudgetLine& b) {
        if (a.m_nCat != b.m_nCat)
            return a.m_nCat < b.m_nCat;
        if (a.m_nCur != b.m_nCur)
            return a.m_nCur < b.m_nCur;
        return a.m_nMonth < b.m_nMonth;
    });

    struct CChange
    {
        std::int64_t m_nSlot;
        std::int64_t m_nMonth;
        Amount m_nDelta;
    };
    std::vector<CChange> attrChanges;

    const auto attrOf = [&catAttrs](int nCat) {
        return nCat >= 0 && std::size_t(nCat) < catAttrs.size() ? catAttrs[std::size_t(nCat)] : ATTR_REMARK;
    };

    std::size_t i = 0;
    while (i < lines.size()) {
        // One category and currency: its months in order, each month's last line winning.
        const int nCat = lines[i].m_nCat;
        const int nCur = lines[i].m_nCur;
        const int nAttr = attrOf(nCat);
        const std::int64_t nSlot = std::int64_t(ATTR_KEYS + nCat) * m_nCurCount + nCur;
        const std::int64_t nAttrSlot = std::int64_t(std::clamp(nAttr, 0, ATTR_KEYS - 1)) * m_nCurCount + nCur;
        Amount nCarried = 0;
        while (i < lines.size() && lines[i].m_nCat == nCat && lines[i].m_nCur == nCur) {
            std::size_t j = i;
            while (j + 1 < lines.size() && lines[j + 1].m_nCat == nCat && lines[j + 1].m_nCur == nCur
                   && lines[j + 1].m_nMonth == lines[i].m_nMonth) {
                ++j;
                twice.push_back(lines[j].m_nLine);
            }
            const Amount nValue = IsOutflow(nAttr) ? NegateAmount(lines[j].m_nAmount) : lines[j].m_nAmount;
            m_steps.push_back({nSlot, lines[i].m_nMonth, nValue});
            attrChanges.push_back({nAttrSlot, lines[i].m_nMonth, WrapSub(nValue, nCarried)});
            nCarried = nValue;
            i = j + 1;
        }
    }

    // The attribute totals change wherever one of their categories changes.
    std::stable_sort(attrChanges.begin(), attrChanges.end(), [](const CChange& a, const CChange& b) {
        return a.m_nSlot != b.m_nSlot ? a.m_nSlot < b.m_nSlot : a.m_nMonth < b.m_nMonth;
    });
    std::int64_t nSlot = -1;
    Amount nTotal = 0;
    for (const CChange& change : attrChanges) {
        if (change.m_nSlot != nSlot) {
            nSlot = change.m_nSlot;
            nTotal = 0;
        }
        nTotal = WrapAdd(nTotal, change.m_nDelta);
        if (!m_steps.empty() && m_steps.back().m_nSlot == nSlot && m_steps.back().m_nMonth == change.m_nMonth)
            m_steps.back().m_nValue = nTotal;
        else
            m_steps.push_back({nSlot, change.m_nMonth, nTotal});
    }

    std::stable_sort(m_steps.begin(), m_steps.end(), [](const CStep& a, const CStep& b) {
        return a.m_nSlot != b.m_nSlot ? a.m_nSlot < b.m_nSlot : a.m_nMonth < b.m_nMonth;
    });
    std::sort(twice.begin(), twice.end());
    return twice;
}

std::pair<const CBudgetTable::CStep*, const CBudgetTable::CStep*> CBudgetTable::SlotSteps(int nKey, int nCur) const
{
    if (nKey < 0 || nKey >= m_nKeyCount || nCur < 0 || nCur >= m_nCurCount)
        return {nullptr, nullptr};
    const std::int64_t nSlot = std::int64_t(nKey) * m_nCurCount + nCur;
    auto first = std::lower_bound(m_steps.begin(), m_steps.end(), nSlot,
                                  [](const CStep& step, std::int64_t n) { return step.m_nSlot < n; });
    auto last = std::upper_bound(first, m_steps.end(), nSlot,
                                 [](std::int64_t n, const CStep& step) { return n < step.m_nSlot; });
    if (first == last)
        return {nullptr, nullptr};
    return {&*first, &*first + (last - first)};
}

Amount CBudgetTable::GetBudget(int nKey, int nCur, std::int64_t nMonth) const
{
    if (nMonth < 0)
        return 0;
    nMonth = std::min(nMonth, m_nMonthCount - 1);
    auto [first, last] = SlotSteps(nKey, nCur);
    if (first == nullptr)
        return 0;
    const CStep* it = std::upper_bound(first, last, nMonth,
                                       [](std::int64_t n, const CStep& step) { return n < step.m_nMonth; });
    return it == first ? 0 : (it - 1)->m_nValue;
}

Amount CBudgetTable::SumBudget(int nKey, int nCur, std::int64_t nFirst, std::int64_t nLast) const
{
    nFirst = std::max<std::int64_t>(nFirst, 0);
    nLast = std::min(nLast, m_nMonthCount - 1);
    if (nFirst > nLast)
        return 0;
    auto [first, last] = SlotSteps(nKey, nCur);
    if (first == nullptr)
        return 0;
    Amount nSum = 0;
    std::int64_t nMonth = nFirst;
    Amount nValue = GetBudget(nKey, nCur, nFirst);
    const CStep* it = std::upper_bound(first, last, nFirst,
                                       [](std::int64_t n, const CStep& step) { return n < step.m_nMonth; });
    for (; it != last && it->m_nMonth <= nLast; ++it) {
        nSum = WrapAdd(nSum, WrapMul(nValue, it->m_nMonth - nMonth));
        nMonth = it->m_nMonth;
        nValue = it->m_nValue;
    }
    return WrapAdd(nSum, WrapMul(nValue, nLast - nMonth + 1));
}

bool CBudgetTable::HasBudget(int nKey, int nCur) const
{
    return SlotSteps(nKey, nCur).first != nullptr;
}

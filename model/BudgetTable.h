#pragma once

#include "model/Amount.h"
#include "model/PackedDate.h"

#include <cstdint>
#include <vector>

// The monthly budgets of a ledger for every key (0-9 the attribute totals, 10 + i category i)
// and currency, month by month from the ledger's first to its last month. A budget stays in
// force until the next budget line of the same category and currency, so the table is kept
// as the months where a value changes: a ledger whose dates span centuries costs no more
// than one spanning a year.
class CBudgetTable
{
public:
    static constexpr int ATTR_KEYS = 10;

    // One budget line as the recomputation found it.
    struct CBudgetLine
    {
        int m_nLine = 0;          // position of the line
        int m_nCat = 0;           // the budgeted category
        int m_nCur = 0;
        std::int64_t m_nMonth = 0; // month index
        Amount m_nAmount = 0;
    };

    void Clear();

    // Sizes the table: C currencies, the category count, the months of first .. last
    // (first = 0: no dated line, one month).
    void Reset(int nCurCount, int nCatCount, PackedDate firstMonth, PackedDate lastMonth);

    // Builds the table from the budget lines in line order. catAttrs gives each category's
    // attribute. Returns the positions of the lines that set a budget already set for the
    // same category, currency and month (the later line wins).
    std::vector<int> Build(std::vector<CBudgetLine> lines, const std::vector<int>& catAttrs);

    int GetKeyCount() const { return m_nKeyCount; }
    int GetCurrencyCount() const { return m_nCurCount; }
    // N: the number of months the table spans, at least 1.
    std::int64_t GetMonthCount() const { return m_nMonthCount; }
    // The month index of a date (month 0 counts as 1); may lie outside 0 .. N - 1.
    std::int64_t MonthIndex(PackedDate date) const;

    // The budget of a key and currency in force in a month (0 before the first budget and
    // for months before the table; a month after it takes the last month's value).
    Amount GetBudget(int nKey, int nCur, std::int64_t nMonth) const;
    // The sum of the budgets of the months nFirst .. nLast (inclusive, clipped to the table).
    Amount SumBudget(int nKey, int nCur, std::int64_t nFirst, std::int64_t nLast) const;
    // Whether any budget was set for the key and currency.
    bool HasBudget(int nKey, int nCur) const;

private:
    struct CStep
    {
        std::int64_t m_nSlot = 0;  // key * C + currency
        std::int64_t m_nMonth = 0; // first month of the value
        Amount m_nValue = 0;
    };

    // Steps of one slot, in month order.
    std::pair<const CStep*, const CStep*> SlotSteps(int nKey, int nCur) const;

    int m_nKeyCount = ATTR_KEYS;
    int m_nCurCount = 0;
    int m_nFirstYear = 0;
    int m_nFirstMonthOfYear = 1;
    std::int64_t m_nMonthCount = 1;
    std::vector<CStep> m_steps; // ascending by slot, then month
};

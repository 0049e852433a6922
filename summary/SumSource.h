#pragma once

#include "model/Amount.h"
#include "model/BudgetTable.h"
#include "model/Category.h"
#include "model/PackedDate.h"
#include "model/Receipt.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CCofferDoc;

// The part of a ledger that the period totals read: lines, categories, the currency
// count, the first and last dates and the budget table. A light view; the ledger it
// refers to must outlive it.
//
// The first and last dates are held inside the years a date may be given in
// (CDateText::MIN_YEAR..MAX_YEAR): a line read from a file may carry any year, and the
// periods between year 1 and year 32767 would make a summary of a hundred thousand rows.
// Such a line stays in the ledger; it is only outside every period.
class CSumSource
{
public:
    // Without a budget table every budget reads as 0.
    CSumSource(const std::vector<CReceipt>& lines, const std::vector<CCategory>& cats, int nCurCount,
               PackedDate firstMonth, PackedDate lastMonth, const CBudgetTable* pBudget = nullptr);
    // The document as its last recomputation left it.
    explicit CSumSource(const CCofferDoc& doc);

    const std::vector<CReceipt>& Lines() const { return *m_pLines; }
    const std::vector<CCategory>& Categories() const { return *m_pCats; }
    int CurrencyCount() const { return m_nCurCount; }
    PackedDate FirstDate() const { return m_firstMonth; }
    PackedDate LastDate() const { return m_lastMonth; }

    // Category count + 10.
    int KeyCount() const;

    // Month index counted from the month of the first date; the whole-year month 0 counts
    // as January, here and in the first date (as the budget table counts it).
    std::int64_t MonthIndex(int nYear, int nMonth) const;
    std::int64_t MonthIndex(PackedDate date) const;
    // Number of months from the first date's month to the last date's, at least 1.
    std::int64_t MonthCount() const { return m_nMonths; }

    // Budget in force for (key, currency, month index); 0 for anything outside the table,
    // months after the last one included.
    Amount Budget(int nKey, int nCur, std::int64_t nMonth) const;
    // The sum of Budget over the months nFirst..nLast (inclusive), wrapping on overflow.
    Amount SumBudget(int nKey, int nCur, std::int64_t nFirst, std::int64_t nLast) const;

private:
    const std::vector<CReceipt>* m_pLines;
    const std::vector<CCategory>* m_pCats;
    int m_nCurCount;
    PackedDate m_firstMonth;
    PackedDate m_lastMonth;
    const CBudgetTable* m_pBudget;
    std::int64_t m_nMonths;
    // The budget table counts its months from the ledger's own first month.
    std::int64_t m_nBudgetOffset = 0;
};

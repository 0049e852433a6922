#pragma once

#include "model/Amount.h"
#include "model/Category.h"
#include "model/PackedDate.h"

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

class CSumSource;

// Period totals by category and by attribute, the budgets of the same periods, and the
// columns the summary shows. Nothing is cached: every call reads the ledger again.
//
// A period mode outside PERIOD_MONTH..PERIOD_QUARTER is taken as PERIOD_MONTH. In the
// period date and in the ledger's first and last dates a month outside 1..12 (the
// whole-year month 0) counts as January and a day of 0 as day 1.
class CSumCalc
{
public:
    // Expense and account attributes, whose sums and budgets are shown with the sign inverted.
    static bool IsOutflow(int nAttr);
    // Quarter number year * 4 + 1..4; a month outside 1..12 counts as January.
    static std::int64_t QuarterOf(int nYear, int nMonth);
    static std::int64_t QuarterOf(PackedDate date);

    // The calendar year and quarter (0..3 for Ⅰ..Ⅳ) of period row r in PERIOD_QUARTER, counted
    // from the quarter of the ledger's first date, so that quarter Ⅳ stays in its own year.
    static void QuarterOfRow(PackedDate first, int nRow, int& nYear, int& nQuarter);

    // R: the period rows of the mode plus the total row.
    static int PeriodRowCount(const CSumSource& src, PackedDate date, int nMode);

    // Fills sums with R rows of S = category count + 10 entries (row r, key k at r * S + k);
    // rows 0..R-2 are the periods, row R-1 the total. Lines without a date (year 0 or
    // before), in another currency, of a budget category or outside the period are not
    // counted; a day beyond its month's length counts on the month's last day. Returns (S, R).
    static std::pair<int, int> SumByPeriod(const CSumSource& src, std::vector<Amount>& sums, PackedDate date,
                                           int nMode, int nCur);

    // With key 0: one budget per summary key for the whole period shown. With a key > 0:
    // the budget series of that key, one value per period row and then the total. Returns
    // whether any value written is non-zero.
    static bool GetBudgetSums(const CSumSource& src, std::vector<Amount>& values, PackedDate date, int nMode,
                              int nKey, int nCur);

    // Appends the keys of the columns to show after what keys already holds; returns the new length.
    static int GetSummaryColumns(const std::vector<CCategory>& cats, std::vector<std::uint32_t>& keys);

    // The category name for a category key, the attribute name followed by "計" for 0..9;
    // empty for a key beyond the categories.
    static QString GetSummaryTitle(const std::vector<CCategory>& cats, int nKey);
};

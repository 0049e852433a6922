#pragma once

#include "model/Amount.h"
#include "model/CurFmt.h"
#include "model/PackedDate.h"

#include <QString>

#include <cstdint>
#include <vector>

class CCofferDoc;
class CSumSource;

// What the summary table shows for one currency, period mode and period date: the column
// keys, the rows (periods, 合計, and 予算 / 差引 when some budget is non-zero), each cell's
// value and text, and the text of a copy. The view draws it; the command-line tool prints it.
//
// Cell coordinates: column 0 is the date column, column c >= 1 shows key GetColumnKeys()[c];
// rows 0..R-2 are the periods, R-1 is 合計, R and R+1 are 予算 and 差引 when shown.
class CSumTable
{
public:
    CSumTable() = default;

    // Recomputes everything from the ledger. The period date is brought within the ledger's
    // first and last dates (a ledger without dated lines keeps it); a currency index outside
    // the list shows currency 0; a mode outside 0..3 shows PERIOD_MONTH.
    void Compute(const CSumSource& src, const std::vector<CCurFmt>& curs, int nCur, int nMode, PackedDate period);
    void Compute(const CCofferDoc& doc, int nCur, int nMode, PackedDate period);

    // The period date within [first, last]; unchanged when the ledger has no dated line (first 0).
    static PackedDate ClampPeriod(PackedDate period, PackedDate first, PackedDate last);

    int GetCurrency() const { return m_nCur; }
    int GetMode() const { return m_nMode; }
    PackedDate GetPeriodDate() const { return m_period; }

    // S and R of the sums.
    int GetStride() const { return m_nStride; }
    int GetPeriodRows() const { return m_nRows; }
    // R, plus 2 when the budget rows are shown.
    int GetRowCount() const { return m_bBudgetRows ? m_nRows + 2 : m_nRows; }
    bool HasBudgetRows() const { return m_bBudgetRows; }
    // Number of cell columns, the date column included.
    int GetColumnCount() const { return int(m_keys.size()); }
    const std::vector<std::uint32_t>& GetColumnKeys() const { return m_keys; }
    const std::vector<Amount>& GetSums() const { return m_sums; }
    const std::vector<Amount>& GetBudgetValues() const { return m_budget; }

    // Sum, budget or budget minus total of a key column; 0 for the date column and outside the table.
    Amount GetCellValue(int nRow, int nCol) const;
    // The text of a cell; empty outside the shown rows and columns, and in the budget rows of
    // columns that show no budget.
    QString GetCellText(int nRow, int nCol) const;
    // "日付" for the date column, else the key's title.
    QString GetColumnTitle(int nCol) const;
    // Smallest and largest value of a key column over the shown rows (what its width must fit).
    void GetColumnRange(int nCol, Amount& nMin, Amount& nMax) const;

    // The copy text of a block: the rows nTop..nBottom of the columns nLeft..nRight (every
    // column for whole rows), cells separated by TAB. Whole rows with bHeader get a line of
    // column titles first. Lines end with CR LF, except that a block of one row (not whole
    // rows) has no line end. Rows and columns are cut to the table.
    QString GetCopyText(int nTop, int nLeft, int nBottom, int nRight, bool bWholeRows, bool bHeader) const;

    // The whole table as text: the column titles, then every shown row, cells separated by
    // TAB, every line ended by "\n".
    QString GetReportText() const;

private:
    QString DateText(int nRow) const;
    bool ShowsBudget(int nCol) const;
    QString RowText(int nRow, int nLeft, int nRight) const;

    int m_nCur = 0;
    int m_nMode = 0;
    PackedDate m_period = 0;
    PackedDate m_firstDate = 0;
    CCurFmt m_curFmt;
    int m_nStride = 0;
    int m_nRows = 0;
    bool m_bBudgetRows = false;
    std::vector<std::uint32_t> m_keys;
    // Attribute that decides whether a column shows budgets: the key itself below 10, else its category's.
    std::vector<int> m_colAttr;
    std::vector<QString> m_titles;
    std::vector<Amount> m_sums;
    std::vector<Amount> m_budget;
};

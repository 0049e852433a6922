#include "register/RegWindowPlan.h"

#include <algorithm>

// Follows the window through the steps of one change: a move is a removal followed by an
// insertion, and the insertion must see the window the removal left.
class CRegWindowPlan::CRun
{
public:
    explicit CRun(const SWindow& window) : m_window(window), m_nTop(window.nTopRow)
    {
        m_result.nFirstLine = window.nFirstLine;
        m_result.nLineCount = window.nLineCount;
    }

    int First() const { return m_result.nFirstLine; }
    int Count() const { return m_result.nLineCount; }
    bool IsActive() const { return m_window.bActive; }
    // A date reversal switches a register that shows one period only.
    bool Switches(bool bDateReversed) const { return bDateReversed && !m_window.bWholeLedger; }

    SResult Take() { return std::move(m_result); }

    void ScrollBy(int nRows)
    {
        m_result.scroll.nDelta += nRows;
        m_nTop += nRows;
    }
    void ScrollToRow(int nRow)
    {
        m_result.scroll = SScroll{true, nRow, 0};
        m_nTop = nRow;
    }
    void Edit(SSelEdit::EKind kind, int nRow, int nCount, int nRowCount)
    {
        m_result.edits.push_back(SSelEdit{kind, nRow, nCount, nRowCount});
    }
    void Clip() { Edit(SSelEdit::Clip, 0, 0, Count()); }

    void SwitchToAll(int nLedgerLines)
    {
        const int nOldFirst = First();
        m_result.bSwitchToAll = true;
        m_window.bWholeLedger = true;
        m_result.nFirstLine = 0;
        m_result.nLineCount = nLedgerLines;
        ScrollBy(nOldFirst);
        Edit(SSelEdit::Shift, nOldFirst, 0, nLedgerLines);
    }

    void Rebuild(int nFirst, int nCount, bool bClear)
    {
        if (bClear)
            Edit(SSelEdit::Clear, 0, 0, nCount);
        const int d = First() - nFirst;
        m_result.nFirstLine = nFirst;
        m_result.nLineCount = nCount;
        ScrollBy(d);
        Edit(SSelEdit::Shift, d, 0, nCount);
        Clip();
    }

    // Lines [p, p + n) gone; nRemaining lines are left once they are (less than the
    // ledger's count when an insertion of the same lines follows). Returns the row where
    // the removed lines were.
    int Deleted(int p, int n, bool bSwitch, int nRemaining, int nLedgerLines)
    {
        const int d = p - First();
        const int nTop = m_nTop;
        if ((IsActive() && (d < 0 || d >= Count())) || bSwitch) {
            const int nAbsTop = nTop + First();
            SwitchToAll(nLedgerLines);
            if (p + n <= nAbsTop)
                ScrollBy(-n);
            else if (p < nAbsTop)
                ScrollToRow(p);
            m_result.nLineCount = nRemaining;
            Edit(SSelEdit::Deleted, p, n, Count());
            Clip();
            return p;
        }
        // The part of the block inside the window: from row s, k rows.
        const int s = std::max(d, 0);
        const int k = n + std::min(d, 0);
        if (k <= 0) {
            m_result.nFirstLine -= n;
            return s;
        }
        if (d < 0)
            m_result.nFirstLine += d;
        if (s >= Count())
            return s;
        if (s + k <= nTop)
            ScrollBy(-k);
        else if (s < nTop)
            ScrollToRow(s);
        const int nGone = std::min(k, Count() - s);
        m_result.nLineCount -= nGone;
        Edit(SSelEdit::Deleted, s, nGone, Count());
        Clip();
        return s;
    }

    // Lines [p, p + n) new. Returns their first row.
    int Inserted(int p, int n, bool bSwitch, int nLedgerLines)
    {
        const int d = p - First();
        if ((IsActive() && (d < 0 || d > Count())) || bSwitch) {
            // The lines are in the ledger already: the whole ledger shows them.
            const int nOldFirst = First();
            const int nShift = nOldFirst + (p < m_nTop + nOldFirst ? n : 0);
            m_result.bSwitchToAll = true;
            m_window.bWholeLedger = true;
            m_result.nFirstLine = 0;
            m_result.nLineCount = nLedgerLines;
            ScrollBy(nShift);
            Edit(SSelEdit::Shift, nOldFirst, 0, Count());
            Edit(SSelEdit::CursorDown, p, n, Count());
            return p;
        }
        if (d < 0) {
            m_result.nFirstLine += n;
            return d;
        }
        if (d < m_nTop)
            ScrollBy(n);
        if (d <= Count()) {
            m_result.nLineCount += n;
            Edit(SSelEdit::CursorDown, d, n, Count());
        }
        return d;
    }

    void FocusRow(int nCol, int nRow) { m_result.focus = SFocus{SFocus::Row, nCol, nRow, 0, 0}; }

    // The rows [nRow, nRow + n) selected whole, as far as the window reaches.
    void SelectRows(int nCol, int nRow, int n)
    {
        if (n <= 0 || nRow < 0 || nRow >= Count())
            return;
        m_result.focus = SFocus{SFocus::Rows, nCol, nRow, std::min(nRow + n, Count()) - nRow, 0};
    }

    void FocusCells(int nCol, int nRow, int nRows, int nCols)
    {
        m_result.focus = SFocus{SFocus::Cells, nCol, nRow, nRows, nCols};
    }

private:
    SWindow m_window;
    int m_nTop;
    SResult m_result;
};

CRegWindowPlan::SResult CRegWindowPlan::Rebuild(const SWindow& window, int nFirst, int nCount, bool bClear)
{
    CRun run(window);
    run.Rebuild(nFirst, nCount, bClear);
    return run.Take();
}

CRegWindowPlan::SResult CRegWindowPlan::Removed(const SWindow& window, const SLinesRemoved& hint, int nLedgerLines)
{
    CRun run(window);
    const int nRow = run.Deleted(hint.first, hint.count, run.Switches(hint.dateReversed), nLedgerLines, nLedgerLines);
    if (run.IsActive() && run.Count() > 0)
        run.FocusRow(0, std::clamp(nRow, 0, run.Count() - 1));
    return run.Take();
}

CRegWindowPlan::SResult CRegWindowPlan::Inserted(const SWindow& window, const SLinesInserted& hint, int nLedgerLines)
{
    CRun run(window);
    const int nRow = run.Inserted(hint.first, hint.count, run.Switches(hint.dateReversed), nLedgerLines);
    if (run.IsActive())
        run.SelectRows(-1, nRow, hint.count);
    return run.Take();
}

CRegWindowPlan::SResult CRegWindowPlan::Moved(const SWindow& window, const SLinesMoved& hint, int nLedgerLines)
{
    CRun run(window);
    const int p = hint.source;
    const int n = hint.count;
    const int q = hint.target;
    const int d = p - run.First();
    const int q1 = q - run.First();
    int nRow = q1;
    if (q1 < d || q1 > d + n) {
        const bool bOutside = d < 0 || d >= run.Count() || q1 < 0 || q1 > run.Count();
        // The moved lines are still in the ledger: all but them remain until the insertion.
        run.Deleted(p, n, run.Switches(hint.dateReversed) || (run.IsActive() && bOutside), nLedgerLines - n,
                    nLedgerLines);
        nRow = run.Inserted(q > p ? q - n : q, n, false, nLedgerLines);
    }
    if (run.IsActive())
        run.SelectRows(-1, nRow, n);
    return run.Take();
}

CRegWindowPlan::SResult CRegWindowPlan::Replaced(const SWindow& window, int nFirst, int nCount, int nFirstColumn,
                                                 int nColumnCount, bool bDateReversed, int nLedgerLines)
{
    CRun run(window);
    int d = nFirst - run.First();
    if ((run.IsActive() && (d < 0 || d + nCount > run.Count())) || run.Switches(bDateReversed)) {
        run.SwitchToAll(nLedgerLines);
        d = nFirst;
    }
    if (run.IsActive() && d >= 0 && d < run.Count()) {
        const int nRows = std::min(d + nCount, run.Count()) - d;
        if (nFirstColumn < 0 || nColumnCount < 0)
            run.SelectRows(nFirstColumn, d, nRows);
        else if (nCount > 1 || nColumnCount > 1)
            run.FocusCells(nFirstColumn, d, nRows, nColumnCount);
        else
            run.FocusRow(nFirstColumn, d);
    }
    return run.Take();
}

CRegWindowPlan::SResult CRegWindowPlan::Changed(const SWindow& window, const SLinesChanged& hint, int nLedgerLines)
{
    CRun run(window);
    const int p = hint.first;
    const int nOld = hint.oldCount;
    const int nNew = hint.newCount;
    const int d = p - run.First();
    // The active view shows the whole span or gives up its period; so does a new reversal.
    const bool bSwitch = run.Switches(hint.dateReversed) || (run.IsActive() && (d < 0 || d + nOld > run.Count()));
    if (nOld == 0 && nNew == 0) {
        if (bSwitch)
            run.SwitchToAll(nLedgerLines);
        return run.Take();
    }
    // The span's former lines go, its new lines come.
    int nRow = d;
    if (nOld > 0 || bSwitch)
        nRow = run.Deleted(p, nOld, bSwitch, nLedgerLines - nNew, nLedgerLines);
    if (nNew > 0)
        nRow = run.Inserted(p, nNew, false, nLedgerLines);
    if (!run.IsActive())
        return run.Take();
    if (nNew > 0)
        run.SelectRows(-1, nRow, nNew);
    else if (run.Count() > 0)
        run.FocusRow(0, std::clamp(nRow, 0, run.Count() - 1));
    return run.Take();
}

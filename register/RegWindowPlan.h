#pragma once

#include "model/UpdateHint.h"

#include <vector>

// What the register does with its window of ledger lines when the ledger changes: the
// first line and count it shows, how far it scrolls, how its selection shifts and whether
// it gives up the period for the whole ledger. It reads the window's state and returns the
// decisions; the view applies them to its grid and selection.
class CRegWindowPlan
{
public:
    // The register's window before the change.
    struct SWindow
    {
        int nFirstLine = 0;        // ledger line of row 0
        int nLineCount = 0;        // rows shown
        bool bWholeLedger = true;  // the period shown is the whole ledger
        bool bActive = false;      // the view is the active one: it follows the change
        int nTopRow = 0;           // the first row scrolled into view
    };

    // One edit of the selection; the view applies them in order.
    struct SSelEdit
    {
        enum EKind {
            Clear,      // nothing selected
            Shift,      // rows renumbered by nRow (positive: towards row 0)
            Deleted,    // nCount rows gone from nRow
            Clip,       // nothing may address a row at or beyond nRowCount
            CursorDown, // a cursor at or below nRow moves down by nCount
        };
        EKind kind = Clear;
        int nRow = 0;
        int nCount = 0;
        int nRowCount = 0; // the rows there are once the edit is done
        bool operator==(const SSelEdit&) const = default;
    };

    // Where the active view puts its cursor and selection afterwards.
    struct SFocus
    {
        enum EKind {
            None,
            Row,   // the cursor to (nCol, nRow)
            Rows,  // the cursor to (nCol, nRow), rows [nRow, nRow + nRows) selected whole
            Cells, // the cursor to (nCol, nRow), that many rows and columns selected
        };
        EKind kind = None;
        int nCol = -1;
        int nRow = 0;
        int nRows = 0;
        int nCols = 0;
        bool operator==(const SFocus&) const = default;
    };

    // Scrolling: to row nRow first when bToRow, then by nDelta rows.
    struct SScroll
    {
        bool bToRow = false;
        int nRow = 0;
        int nDelta = 0;
        bool IsNone() const { return !bToRow && nDelta == 0; }
        bool operator==(const SScroll&) const = default;
    };

    struct SResult
    {
        int nFirstLine = 0;
        int nLineCount = 0;
        bool bSwitchToAll = false; // the period becomes the whole ledger
        SScroll scroll;
        std::vector<SSelEdit> edits;
        SFocus focus;
    };

    // The rows of the period were looked up again (nFirst, nCount); bClear drops the
    // selection (a refresh of everything).
    static SResult Rebuild(const SWindow& window, int nFirst, int nCount, bool bClear);
    // nLedgerLines: the ledger's line count after the change.
    static SResult Removed(const SWindow& window, const SLinesRemoved& hint, int nLedgerLines);
    static SResult Inserted(const SWindow& window, const SLinesInserted& hint, int nLedgerLines);
    static SResult Moved(const SWindow& window, const SLinesMoved& hint, int nLedgerLines);
    // Lines or cells replaced in place: [first, first + count), columns from firstColumn
    // (-1: whole lines).
    static SResult Replaced(const SWindow& window, int nFirst, int nCount, int nFirstColumn, int nColumnCount,
                            bool bDateReversed, int nLedgerLines);
    static SResult Changed(const SWindow& window, const SLinesChanged& hint, int nLedgerLines);

private:
    class CRun;
};

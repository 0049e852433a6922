#pragma once

class CGridGeometry;

// Decisions of a column or row header without a window: which divider the
// pointer grabs and how a spread title is laid out.
class CHeaderGeometry
{
public:
    enum EKind { NoDivider = 0, ColumnDivider = 1, RowDivider = 2 };

    // Resize cursors, numbered as the program's cursor resources.
    enum ECursor {
        CursorColumn = 331,
        CursorColumnZero = 332, // the column to resize has width 0
        CursorRow = 333,
        CursorRowZero = 334,
    };

    struct SDivider {
        EKind kind = NoDivider;
        int nPos = 0;     // the divider's position in view coordinates
        int nIndex = -1;  // the grid column (row) whose size it changes
        int nCursor = 0;
    };

    // The divider under (x, y) for a header over the grid's header rows
    // (bRowHeader false: a column header) or header columns (true: a row header).
    // Header coordinates are the view's: both headers lie at (0, 0).
    static SDivider HitDivider(const CGridGeometry& geometry, bool bRowHeader, int x, int y);

    // Where a spread title starts and how far each of its nChars characters
    // advances in a cell of nInnerWidth holding text nTextWidth wide.
    struct SSpread {
        int nStart = 0;
        int nAdvance = 0;
        bool bSpread = false; // false: draw plainly from the left edge
    };
    static SSpread Spread(int nInnerWidth, int nTextWidth, int nChars);
};

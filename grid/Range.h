#pragma once

#include <QSize>

// A rectangle of cells with inclusive bounds, in cell coordinates (the first
// data cell is (0, 0), header cells are negative).
//   empty:         bottom < 0 (normally all four -1)
//   whole rows:    left = -1, right = 0; top .. bottom are the rows
//   whole columns: top = -1, bottom = 0; left .. right are the columns
// Drop targets (CGridGeometry::ComputeDropRange) also use left (top) = -2 for
// "insert after the row (column)".
class CRange
{
public:
    CRange() = default;
    // From two corners; the bounds are ordered.
    CRange(int nLeft, int nTop, int nRight, int nBottom);
    virtual ~CRange() = default;

    // From an origin and a size; a negative column or column count gives whole
    // rows, a negative row or row count whole columns.
    static CRange FromSize(int nCol, int nRow, int nCols, int nRows);
    static CRange Cell(int nCol, int nRow) { return CRange(nCol, nRow, nCol, nRow); }
    static CRange WholeRows(int nTop, int nBottom);

    bool IsEmpty() const { return bottom < 0; }
    bool IsWholeRows() const { return !IsEmpty() && left < 0; }
    bool IsWholeColumns() const { return !IsEmpty() && top < 0; }
    bool Contains(int nCol, int nRow) const;
    // (column count, row count); -1 on an unbounded axis.
    QSize GetSize() const;
    void SetEmpty() { left = top = right = bottom = -1; }

    bool operator==(const CRange& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const CRange& other) const { return !(*this == other); }

    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
};

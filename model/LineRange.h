#pragma once

// A block of register cells in line positions and register columns, with inclusive bounds
// and the grid's encodings: empty when bottom < 0, whole rows when left = -1 and right = 0,
// whole columns when top = -1 and bottom = 0.
class CLineRange
{
public:
    CLineRange() = default;
    CLineRange(int nLeft, int nTop, int nRight, int nBottom)
        : left(nLeft), top(nTop), right(nRight), bottom(nBottom) {}

    static CLineRange WholeRows(int nFirst, int nLast) { return CLineRange(-1, nFirst, 0, nLast); }
    static CLineRange Cells(int nFirstCol, int nFirstRow, int nLastCol, int nLastRow)
    {
        return CLineRange(nFirstCol, nFirstRow, nLastCol, nLastRow);
    }

    bool IsEmpty() const { return bottom < 0; }
    bool IsWholeRows() const { return !IsEmpty() && left == -1 && right == 0; }
    bool Contains(int nCol, int nRow) const
    {
        if (IsEmpty())
            return false;
        const bool bCol = IsWholeRows() || left < 0 || (left <= nCol && nCol <= right);
        const bool bRow = top < 0 || (top <= nRow && nRow <= bottom);
        return bCol && bRow;
    }

    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
};

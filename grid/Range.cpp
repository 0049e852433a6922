#include "grid/Range.h"

#include <utility>

CRange::CRange(int nLeft, int nTop, int nRight, int nBottom)
    : left(nLeft), top(nTop), right(nRight), bottom(nBottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

CRange CRange::FromSize(int nCol, int nRow, int nCols, int nRows)
{
    CRange range;
    if (nCol < 0 || nCols < 0) {
        range.left = -1;
        range.right = 0;
    } else {
        range.left = nCol;
        range.right = nCol + nCols - 1;
    }
    if (nRow < 0 || nRows < 0) {
        range.top = -1;
        range.bottom = 0;
    } else {
        range.top = nRow;
        range.bottom = nRow + nRows - 1;
    }
    return range;
}

CRange CRange::WholeRows(int nTop, int nBottom)
{
    CRange range(0, nTop, 0, nBottom);
    range.left = -1;
    range.right = 0;
    return range;
}

bool CRange::Contains(int nCol, int nRow) const
{
    if (IsEmpty())
        return false;
    const bool bCol = left < 0 || (left <= nCol && nCol <= right);
    const bool bRow = top < 0 || (top <= nRow && nRow <= bottom);
    return bCol && bRow;
}

QSize CRange::GetSize() const
{
    const int nCols = left < 0 ? -1 : right - left + 1;
    const int nRows = top < 0 ? -1 : bottom - top + 1;
    return QSize(nCols, nRows);
}

#include "grid/HeaderGeometry.h"

#include "grid/GridFlags.h"
#include "grid/GridGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct SAxisHit {
    bool bFound = false;
    int nPos = 0;
    int nIndex = -1;
    bool bZero = false;
};

// Finds the divider along one axis at coordinate p. bScrolled: the entries at
// p are at scrolled positions. Entries below nMinIndex have no divider (header
// columns; row 0).
SAxisHit AxisDivider(const CGridGeometry& geo, int nAxis, int p, bool bScrolled, int nMinIndex)
{
    SAxisHit hit;
    const CGridAxis& axis = geo.Axis(nAxis);
    const std::int64_t s = bScrolled ? geo.ScrollPos(nAxis) : 0;
    int i = axis.HitTest(std::int64_t(p) + s);
    if (i < 0)
        return hit;
    std::int64_t left;
    std::int64_t right;
    if (i >= axis.Count()) {
        // Past the grid: only the left edge, the divider of the last entry, can be grabbed.
        i = axis.Count();
        left = axis.Position(i) - s;
        right = GRID_COORD_MAX;
    } else {
        left = axis.Position(i) - s;
        right = axis.Position(i + 1) - s;
    }
    if (i < nMinIndex)
        return hit;
    const std::int64_t g = std::min<std::int64_t>((right - left) / 3, 8);
    if (i < axis.Count() && p >= right - g) {
        hit.bFound = true;
        hit.nPos = int(right);
        hit.nIndex = i;
        return hit;
    }
    if (p < left + g && i - 1 >= nMinIndex) {
        hit.bFound = true;
        hit.nPos = int(left);
        hit.nIndex = i - 1;
        hit.bZero = axis.Size(i - 1) == 0;
    }
    return hit;
}

} // namespace

CHeaderGeometry::SDivider CHeaderGeometry::HitDivider(const CGridGeometry& geo, bool bRowHeader, int x, int y)
{
    SDivider result;
    const int nHeaderW = geo.Cols().HeaderSum();
    const int nHeaderH = geo.Rows().HeaderSum();

    SAxisHit col;
    if (y >= 0 && y < nHeaderH && x >= 0) {
        const bool bScrolled = !bRowHeader && x >= geo.Cols().FixedSum();
        col = AxisDivider(geo, 0, x, bScrolled, geo.Cols().HeaderCount());
    }
    SAxisHit row;
    if (x >= 0 && x < nHeaderW && y >= 0) {
        const bool bScrolled = bRowHeader && y >= geo.Rows().FixedSum();
        row = AxisDivider(geo, 1, y, bScrolled, 1);
    }
    if (col.bFound && row.bFound) {
        if (std::abs(x - col.nPos) < std::abs(y - row.nPos))
            row.bFound = false;
        else
            col.bFound = false;
    }
    if (col.bFound) {
        result.kind = ColumnDivider;
        result.nPos = col.nPos;
        result.nIndex = col.nIndex;
        result.nCursor = col.bZero ? CursorColumnZero : CursorColumn;
    } else if (row.bFound) {
        result.kind = RowDivider;
        result.nPos = row.nPos;
        result.nIndex = row.nIndex;
        result.nCursor = row.bZero ? CursorRowZero : CursorRow;
    }
    return result;
}

CHeaderGeometry::SSpread CHeaderGeometry::Spread(int nInnerWidth, int nTextWidth, int nChars)
{
    SSpread spread;
    if (nChars <= 0 || nTextWidth > nInnerWidth)
        return spread;
    const int f = nInnerWidth - nTextWidth;
    spread.bSpread = true;
    spread.nStart = f / (nChars + 1);
    spread.nAdvance = (nInnerWidth - f / (nChars + 1)) / nChars;
    return spread;
}

#include "grid/GridGeometry.h"

#include "grid/GridFlags.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

// Unclipped rectangles may lie far outside the drawing range; keep them well
// inside int so that later arithmetic cannot overflow.
constexpr std::int64_t kCoordLimit = std::int64_t(1) << 30;

int ToCoord(std::int64_t n)
{
    return int(std::clamp(n, -kCoordLimit, kCoordLimit));
}

} // namespace

void CGridGeometry::SetClientSize(int nWidth, int nHeight)
{
    m_nClient[0] = std::max(0, nWidth);
    m_nClient[1] = std::max(0, nHeight);
}

int CGridGeometry::SetScrollPos(int nAxis, int nPos)
{
    const int nOld = m_nPos[nAxis];
    m_nPos[nAxis] = std::clamp(nPos, 0, std::max(0, m_nLimit[nAxis]));
    return nOld - m_nPos[nAxis];
}

void CGridGeometry::FitAxis(int nAxis, int nVisible)
{
    CGridAxis& axis = Axis(nAxis);
    const int n = axis.Count() - axis.FixedCount();
    if (n <= 0)
        return;
    // A window narrower than the frozen part leaves nothing to share, never a negative size.
    const std::int64_t g = std::max(0, nVisible - axis.FixedSum());
    axis.SetDefaultSize(std::max<int>(1, int(g / n)));
    for (int k = 0; k < n; ++k) {
        const int nSize = int((k + 1) * g / n - k * g / n);
        axis.SetSize(axis.FixedCount() + k, nSize);
    }
}

CGridGeometry::SLayoutResult CGridGeometry::RecalcLayout(const SLayoutInput& in)
{
    SLayoutResult r;
    const int bv = std::max(0, in.nVertBarWidth);
    const int bh = std::max(0, in.nHorzBarHeight);
    const int W = in.nClientWidth + (in.bVertBarShown ? bv : 0);
    const int H = in.nClientHeight + (in.bHorzBarShown ? bh : 0);
    if (W <= bv || H <= bh) {
        r.bTooSmall = true;
        if (in.nClientWidth > 0 && in.nClientHeight > 0) {
            m_bBar[0] = m_bBar[1] = false;
        } else {
            r.bBar[0] = m_bBar[0];
            r.bBar[1] = m_bBar[1];
        }
        return r;
    }

    std::int64_t EX = m_cols.Total();
    std::int64_t EY = m_rows.Total();
    bool bExtCol = false;
    bool bExtRow = false;
    if ((m_nFlags & GVF_EXTEND_LASTCOL) && m_cols.Total() > 0) {
        const std::int64_t e = std::int64_t(m_cols.Total()) + W - m_cols.Size(m_cols.Count() - 1) - m_cols.FixedSum();
        if (e >= m_cols.Total()) {
            EX = e;
            bExtCol = true;
        }
    }
    if ((m_nFlags & GVF_EXTEND_LASTROW) && m_rows.Total() > 0) {
        const std::int64_t e = std::int64_t(m_rows.Total()) + H - m_rows.Size(m_rows.Count() - 1) - m_rows.FixedSum();
        if (e >= m_rows.Total()) {
            EY = e;
            bExtRow = true;
        }
    }

    std::int64_t OX = EX - W;
    std::int64_t OY = EY - H;
    bool bHorz = !(m_nFlags & GVF_FIT_COLS) && OX >= 1;
    if (bHorz && !bExtRow)
        OY += bh;
    const bool bVert = !(m_nFlags & GVF_FIT_ROWS) && OY >= 1;
    if (bVert) {
        if (!bExtCol)
            OX += bv;
        if (!(m_nFlags & GVF_FIT_COLS) && !bHorz && OX >= 1) {
            bHorz = true;
            if (!bExtRow)
                OY += bh;
        }
    }
    const int VW = bVert ? W - bv : W;
    const int VH = bHorz ? H - bh : H;
    if (bExtCol && bVert)
        EX -= bv;
    if (bExtRow && bHorz)
        EY -= bh;

    const bool bBar[2] = { bHorz, bVert };
    const std::int64_t over[2] = { OX, OY };
    const std::int64_t extent[2] = { EX, EY };
    const int visible[2] = { VW, VH };
    for (int a = 0; a < 2; ++a) {
        m_bBar[a] = bBar[a];
        m_nLimit[a] = bBar[a] ? ToCoord(std::max<std::int64_t>(0, extent[a] - visible[a])) : 0;
        const int nNew = (over[a] > 0 && bBar[a]) ? int(std::min<std::int64_t>(m_nPos[a], over[a])) : 0;
        r.nScrollDelta[a] = m_nPos[a] - nNew;
        m_nPos[a] = std::clamp(nNew, 0, m_nLimit[a]);
        r.bBar[a] = bBar[a];
        r.nExtent[a] = ToCoord(extent[a]);
        r.nVisible[a] = visible[a];
    }
    m_nClient[0] = VW;
    m_nClient[1] = VH;

    const int nMinPage = std::max(m_cols.DefaultSize(), m_rows.DefaultSize());
    m_nPage[0] = std::max(VW - m_cols.FixedSum(), nMinPage);
    m_nPage[1] = std::max(VH - m_rows.FixedSum(), nMinPage);

    if (m_nFlags & GVF_FIT_COLS) {
        FitAxis(0, VW);
        r.bSizesChanged = true;
    }
    if (m_nFlags & GVF_FIT_ROWS) {
        FitAxis(1, VH);
        r.bSizesChanged = true;
    }
    return r;
}

void CGridGeometry::AxisSpan(int nAxis, int nFirst, int nLast, bool bUnbounded, bool bClip, int& nStart, int& nEnd) const
{
    if (bUnbounded) {
        nStart = 0;
        nEnd = GRID_COORD_MAX;
        return;
    }
    const CGridAxis& axis = Axis(nAxis);
    const std::int64_t x0 = axis.Position(nFirst + axis.HeaderCount());
    const std::int64_t x1 = axis.Position(nLast + axis.HeaderCount() + 1);
    const std::int64_t s = m_nPos[nAxis];
    const std::int64_t f = axis.FixedSum();
    std::int64_t a;
    std::int64_t b;
    if (x0 < f) {
        a = x0;
        b = x1 <= f ? x1 : std::max(x1 - s, f);
    } else {
        a = x0 - s;
        b = x1 - s;
        if (bClip) {
            a = std::max(a, f);
            b = std::max(b, f);
        }
    }
    if (bClip) {
        a = std::clamp<std::int64_t>(a, 0, GRID_COORD_MAX);
        b = std::clamp<std::int64_t>(b, 0, GRID_COORD_MAX);
    }
    nStart = ToCoord(a);
    nEnd = ToCoord(b);
}

QRect CGridGeometry::RangeToRect(const CRange& range, bool bClip) const
{
    if (range.IsEmpty())
        return QRect();
    int l, r, t, b;
    AxisSpan(0, range.left, range.right, range.left < 0, bClip, l, r);
    AxisSpan(1, range.top, range.bottom, range.top < 0, bClip, t, b);
    return QRect(l, t, r - l, b - t);
}

QPoint CGridGeometry::HitTest(int x, int y, bool bBeyondX, bool bBeyondY) const
{
    std::int64_t px = x;
    std::int64_t py = y;
    if (bBeyondX || x >= m_cols.FixedSum())
        px += m_nPos[0];
    if (bBeyondY || y >= m_rows.FixedSum())
        py += m_nPos[1];
    return QPoint(m_cols.HitTest(px) - m_cols.HeaderCount(), m_rows.HitTest(py) - m_rows.HeaderCount());
}

int CGridGeometry::ScrollTarget(int nAxis, int nPos, unsigned nFlags, int* pCellSize) const
{
    const CGridAxis& axis = Axis(nAxis);
    const std::int64_t cur = m_nPos[nAxis];
    std::int64_t t = nPos;
    if (nFlags & SCR_RELATIVE)
        t += cur;
    int nCell = axis.DefaultSize();
    if ((nFlags & (SCR_SNAP_A | SCR_SNAP_B)) && t >= 1) {
        const std::int64_t f = axis.FixedSum();
        std::int64_t e;
        std::int64_t s;
        const int i = axis.FirstEndAtOrAfter(axis.FixedCount(), t + f);
        if (i >= 0) {
            e = axis.Position(i + 1) - f;
            s = e - axis.Size(i);
        } else {
            const int nFrom = std::max(axis.ListSize(), axis.FixedCount());
            const std::int64_t sum = axis.Position(nFrom) - f;
            std::int64_t d = axis.DefaultSize();
            if (d <= 0)
                d = axis.Count() > 0 ? axis.Total() / axis.Count() : 0;
            if (d <= 0)
                d = 16;
            e = t + d - ((t - sum - 1) % d) - 1;
            s = e - d;
        }
        nCell = int(e - s);
        if (t != e) {
            if (nFlags & SCR_SNAP_B)
                t = (cur < t && cur >= s) ? e : s;
            else
                t = (t >= cur || e < cur) ? e : s;
        }
    }
    if (pCellSize)
        *pCellSize = nCell;
    return int(std::clamp<std::int64_t>(t, 0, std::max(0, m_nLimit[nAxis])));
}

std::vector<int> CGridGeometry::SmoothSteps(int nAxis, int nFrom, int nTo, unsigned nFlags, int nCellSize) const
{
    std::vector<int> steps;
    const std::int64_t h = std::abs(std::int64_t(nTo) - nFrom);
    if (h == 0)
        return steps;
    std::int64_t l = h;
    if (nFlags & SCR_SMOOTH_PAGE)
        l = m_nPage[nAxis] / 12;
    else if (nFlags & SCR_SMOOTH_CELL)
        l = nCellSize / 4 + 1;
    l = std::max<std::int64_t>(l, 4);
    if (h / l >= 25)
        l = h;
    std::int64_t p = nFrom;
    const int nSign = nTo > nFrom ? 1 : -1;
    while (p != nTo) {
        p += nSign * std::min(l, std::abs(std::int64_t(nTo) - p));
        steps.push_back(int(p));
    }
    return steps;
}

QPoint CGridGeometry::EnsureVisibleDelta(int nCol, int nRow) const
{
    const int nCells[2] = { CellColCount(), CellRowCount() };
    int cell[2] = { nCol, nRow };
    for (int a = 0; a < 2; ++a) {
        if (cell[a] >= nCells[a])
            cell[a] = nCells[a] - 1;
        if (cell[a] < 0)
            cell[a] = -Axis(a).HeaderCount();
    }
    int delta[2] = { 0, 0 };
    const bool bScrolling[2] = { IsScrollingCol(cell[0]), IsScrollingRow(cell[1]) };
    for (int a = 0; a < 2; ++a) {
        if (!bScrolling[a])
            continue;
        int nStart, nEnd;
        AxisSpan(a, cell[a], cell[a], false, false, nStart, nEnd);
        const int nAreaStart = Axis(a).FixedSum();
        const int nAreaEnd = m_nClient[a];
        int d = nEnd - nAreaEnd > 0 ? nEnd - nAreaEnd : 0;
        if (nStart < nAreaStart + d)
            d = nStart - nAreaStart;
        delta[a] = d;
    }
    return QPoint(delta[0], delta[1]);
}

CGridGeometry::SGoToRow CGridGeometry::PlanGoToRow(int nRow) const
{
    SGoToRow plan;
    const int h = m_rows.DefaultSize();
    if (h <= 0)
        return plan; // no uniform row height to page by; SetCurCell scrolls it into view
    const int s = m_nPos[1];
    const int A = std::max(0, m_nClient[1] - m_rows.FixedSum());
    const int P = A / h;
    const int B = (A + s) / h;
    int F = s / h;
    if (F < B && s % h != 0)
        ++F;
    if (nRow < F - P || nRow >= P + B) {
        plan.bJump = true;
        plan.nJumpPos = int(std::clamp<std::int64_t>(std::int64_t(h) * (nRow - (P + 1) / 2), 0, std::numeric_limits<int>::max()));
        plan.nFlags = 0;
    } else if (nRow < F) {
        plan.nFlags = SCR_SNAP_B | SCR_SMOOTH_PAGE;
    } else if (nRow >= B) {
        plan.nFlags = SCR_SNAP_A | SCR_SMOOTH_PAGE;
    }
    return plan;
}

int CGridGeometry::AutoScrollDelta(int nOverflow) const
{
    if (nOverflow == 0)
        return 0;
    int d = m_rows.DefaultSize();
    if (d <= 0)
        d = std::max(1, m_rows.Total() / 100);
    // 4 * 800^3 still fits a signed 32-bit value; the order of the divisions matters.
    std::int32_t e = std::min(std::abs(nOverflow), 800);
    e = (4 * e * e * e) / d / d;
    return nOverflow < 0 ? -e - 1 : e + 1;
}

QPoint CGridGeometry::DragOverflow(int x, int y, unsigned nDragState) const
{
    int ox = 0;
    int oy = 0;
    if ((nDragState & 0x10) && x < m_cols.FixedSum())
        ox = x - m_cols.FixedSum();
    else if (x >= m_nClient[0])
        ox = x - m_nClient[0];
    if ((nDragState & 0x20) && y < m_rows.FixedSum())
        oy = y - m_rows.FixedSum();
    else if (y >= m_nClient[1])
        oy = y - m_nClient[1];
    return QPoint(ox, oy);
}

int CGridGeometry::WheelDistance(int nRows) const
{
    if (nRows < 0)
        return m_nPage[1];
    const std::int64_t d = std::int64_t(nRows) * m_rows.DefaultSize();
    return d > m_nPage[1] ? m_nPage[1] : int(d);
}

CRange CGridGeometry::ComputeDropRange(int x, int y, int nCols, int nRows, int nGrabCol, int nGrabRow) const
{
    const QPoint hit = HitTest(x, y);
    const int c = hit.x();
    const int r = hit.y();
    const QRect rc = CellToRect(c, r, true);
    CRange result;
    if (nCols < 0) {
        const int nLast = CellRowCount() - 1;
        result.left = (y - rc.top()) < rc.height() / 2 ? -1 : -2;
        result.top = r;
        if (nLast < 0) {
            result.left = -1;
            result.top = 0;
        } else if (r >= nLast) {
            result.left = -2;
            result.top = nLast;
        } else if (r < 0) {
            // Above the data rows (over the header): insert before the first row.
            result.left = -1;
            result.top = 0;
        }
        result.right = 0;
        result.bottom = result.top;
        return result;
    }
    if (nRows < 0) {
        const int nLast = CellColCount() - 1;
        result.top = (x - rc.left()) < rc.width() / 2 ? -1 : -2;
        result.left = c;
        if (nLast < 0) {
            result.top = -1;
            result.left = 0;
        } else if (c >= nLast) {
            result.top = -2;
            result.left = nLast;
        } else if (c < 0) {
            result.top = -1;
            result.left = 0;
        }
        result.bottom = 0;
        result.right = result.left;
        return result;
    }
    result.left = std::max(0, c + nGrabCol);
    result.top = std::max(0, r + nGrabRow);
    result.right = result.left + nCols - 1;
    result.bottom = result.top + nRows - 1;
    if (result.right > CellColCount() - 1) {
        result.left = std::max(0, CellColCount() - nCols);
        result.right = result.left + nCols - 1;
    }
    if (result.bottom > CellRowCount() - 1) {
        result.top = std::max(0, CellRowCount() - nRows);
        result.bottom = result.top + nRows - 1;
    }
    return result;
}

bool CGridGeometry::IsOnRangeBorder(int x, int y, const CRange& range) const
{
    if (range.IsEmpty())
        return false;
    const QPoint hit = HitTest(x, y);
    if (!range.Contains(hit.x(), hit.y()))
        return false;
    const QRect rc = RangeToRect(range, false);
    const int l = rc.left();
    const int r = rc.left() + rc.width();
    const int t = rc.top();
    const int b = rc.top() + rc.height();
    const bool bLeftFrozen = x < m_cols.FixedSum();
    const bool bAboveFrozen = y < m_rows.FixedSum();
    if (x >= l && x < l + 5 && !(bLeftFrozen && IsScrollingCol(range.left)))
        return true;
    if (x >= r - 5 && x < r && !(bLeftFrozen && IsScrollingCol(range.right)))
        return true;
    if (y >= t && y < t + 5 && !(bAboveFrozen && IsScrollingRow(range.top)))
        return true;
    if (y >= b - 5 && y < b && !(bAboveFrozen && IsScrollingRow(range.bottom)))
        return true;
    return false;
}

QRect CGridGeometry::PaneOf(int nCol, int nRow) const
{
    const int l = IsScrollingCol(nCol) ? m_cols.FixedSum() : 0;
    const int r = IsScrollingCol(nCol) ? GRID_COORD_MAX : m_cols.FixedSum();
    const int t = IsScrollingRow(nRow) ? m_rows.FixedSum() : 0;
    const int b = IsScrollingRow(nRow) ? GRID_COORD_MAX : m_rows.FixedSum();
    return QRect(l, t, r - l, b - t);
}

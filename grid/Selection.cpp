#include "grid/Selection.h"

#include "grid/GridFlags.h"
#include "grid/GridGeometry.h"

#include <algorithm>

namespace {

// Clamps to 0 .. nCount - 1, keeping -1 when there is nothing to clamp into.
int ClampIndex(int n, int nCount)
{
    if (nCount <= 0)
        return -1;
    return std::clamp(n, 0, nCount - 1);
}

} // namespace

CSelection::CSelection(const CGridGeometry* pGeometry, InvalidateFn fnInvalidate)
    : m_pGeometry(pGeometry), m_fnInvalidate(std::move(fnInvalidate))
{
}

void CSelection::Invalidate(const CRange& range) const
{
    if (!range.IsEmpty() && m_fnInvalidate)
        m_fnInvalidate(range);
}

void CSelection::Commit()
{
    if (!m_curRange.IsEmpty())
        m_ranges.push_back(m_curRange);
    m_curRange.SetEmpty();
}

void CSelection::DropAnchor()
{
    m_nAnchorCol = -1;
    m_nAnchorRow = -1;
    m_nAnchorWholeRows = 1;
}

void CSelection::SetCursor(int nCol, int nRow)
{
    m_nCurCol = nCol;
    m_nCurRow = nRow;
}

QPoint CSelection::FrameCell() const
{
    if (m_nAnchorRow >= 0)
        return QPoint(m_nAnchorCol, m_nAnchorRow);
    return QPoint(m_nCurCol, m_nCurRow);
}

void CSelection::SetCell(unsigned nFlags, int nCol, int nRow)
{
    const int nCellRows = m_pGeometry->CellRowCount();
    const int nCellCols = m_pGeometry->CellColCount();
    const bool bWholeRow = nCol < 0;

    int r = std::max(0, nRow);
    if (r >= nCellRows)
        r = nCellRows - 1;
    if (r < 0)
        r = m_nCurRow;
    int c = nCol;
    if (c >= nCellCols)
        c = nCellCols - 1;
    if (nCol < 0)
        c = m_nCurCol;

    if (nFlags & (SELF_EXTEND | SELMODE_EXT)) {
        const CRange prev = m_curRange;
        if (m_curRange.IsEmpty()) {
            // A cursor not placed yet cannot anchor anything; the new cell anchors itself.
            m_nAnchorCol = m_nCurCol >= 0 ? m_nCurCol : c;
            m_nAnchorRow = m_nCurRow >= 0 ? m_nCurRow : r;
            m_nAnchorWholeRows = 1;
        }
        m_curRange = CRange(m_nAnchorCol, m_nAnchorRow, c, r);
        if (m_nAnchorWholeRows == -1 || bWholeRow) {
            m_curRange.left = -1;
            m_curRange.right = 0;
        }
        Invalidate(prev);
    } else if ((nFlags & SELMODE_ADD) && !(nFlags & SELF_CLICK)) {
        Commit();
        DropAnchor();
    } else if (nFlags & (SELMODE_ADD | SELF_ADD)) {
        if (!m_curRange.IsEmpty()) {
            Commit();
        } else if (m_nCurRow >= 0 && m_nCurCol >= 0) {
            m_ranges.push_back(CRange::Cell(m_nCurCol, m_nCurRow));
            Invalidate(m_ranges.back());
        }
        m_nAnchorCol = c;
        m_nAnchorRow = r;
        m_nAnchorWholeRows = 1;
        m_curRange = CRange::Cell(c, r);
        if (bWholeRow) {
            m_curRange.left = -1;
            m_curRange.right = 0;
            m_nAnchorWholeRows = -1;
        }
    } else {
        Clear();
        if (bWholeRow) {
            m_nAnchorCol = c;
            m_nAnchorRow = r;
            m_nAnchorWholeRows = -1;
            m_curRange = CRange::WholeRows(r, r);
        }
    }
    m_nCurCol = c;
    m_nCurRow = r;
    Invalidate(m_curRange);
}

void CSelection::Clear()
{
    if (m_ranges.empty() && m_curRange.IsEmpty()) {
        DropAnchor();
        return;
    }
    Invalidate(m_curRange);
    for (const CRange& range : m_ranges)
        Invalidate(range);
    m_ranges.clear();
    m_curRange.SetEmpty();
    DropAnchor();
}

void CSelection::SetRange(const CRange& range)
{
    Clear();
    if (range.IsEmpty())
        return;
    m_ranges.push_back(range);
    if (range.left >= 0)
        m_nCurCol = std::clamp(m_nCurCol, range.left, range.right);
    if (range.top >= 0)
        m_nCurRow = std::clamp(m_nCurRow, range.top, range.bottom);
    Invalidate(range);
}

bool CSelection::IsSelected(int nCol, int nRow) const
{
    if (m_curRange.Contains(nCol, nRow))
        return true;
    return std::any_of(m_ranges.begin(), m_ranges.end(),
                       [&](const CRange& range) { return range.Contains(nCol, nRow); });
}

CRange CSelection::GetPrimaryRange() const
{
    if (!m_curRange.IsEmpty())
        return m_curRange;
    if (!m_ranges.empty())
        return m_ranges.front();
    return CRange::Cell(m_nCurCol, m_nCurRow);
}

int CSelection::GetRangeCount() const
{
    return int(m_ranges.size()) + (m_curRange.IsEmpty() ? 0 : 1);
}

bool CSelection::GetRgn(QRegion& rgn) const
{
    if (m_curRange.IsEmpty() && m_ranges.empty())
        return false;
    rgn = QRegion();
    const QRect rcCur = m_pGeometry->RangeToRect(m_curRange, true);
    if (!rcCur.isEmpty())
        rgn += rcCur;
    for (const CRange& range : m_ranges) {
        const QRect rc = m_pGeometry->RangeToRect(range, true);
        if (!rc.isEmpty())
            rgn += rc;
    }
    return true;
}

void CSelection::ShiftRows(int nDelta, int nRowCount)
{
    if (!m_curRange.IsEmpty()) {
        Commit();
        if (m_nAnchorRow >= 0) {
            m_nCurCol = m_nAnchorCol;
            m_nCurRow = m_nAnchorRow;
        }
    }
    DropAnchor();
    m_nCurRow = ClampIndex(m_nCurRow + nDelta, nRowCount);
    for (int i = int(m_ranges.size()) - 1; i >= 0; --i) {
        CRange& range = m_ranges[size_t(i)];
        // A range pushed up across row 0 keeps row bounds: a negative top would
        // read as "every row" and later commands would act on rows not shown.
        range.top = std::max(0, range.top + nDelta);
        range.bottom += nDelta;
        if (range.top >= nRowCount || range.bottom < 0) {
            m_ranges.erase(m_ranges.begin() + i);
            continue;
        }
        range.bottom = std::min(range.bottom, nRowCount - 1);
    }
}

void CSelection::AdjustForDeletedRows(int nFirstRow, int nCount, int nNewRowCount)
{
    if (m_nCurRow >= nFirstRow + nCount)
        m_nCurRow -= nCount;
    else if (m_nCurRow >= nFirstRow)
        m_nCurRow = nFirstRow;
    m_nCurRow = ClampIndex(m_nCurRow, nNewRowCount);
}

void CSelection::BeginExtendMode()
{
    if (!m_curRange.IsEmpty() || m_nCurRow < 0)
        return;
    m_curRange = CRange::Cell(m_nCurCol, m_nCurRow);
    m_nAnchorCol = m_nCurCol;
    m_nAnchorRow = m_nCurRow;
    m_nAnchorWholeRows = 1;
    Invalidate(m_curRange);
}

void CSelection::BeginAddMode()
{
    if (m_curRange.IsEmpty()) {
        if (m_nCurRow < 0)
            return;
        m_ranges.push_back(CRange::Cell(m_nCurCol, m_nCurRow));
        Invalidate(m_ranges.back());
        return;
    }
    Commit();
    if (m_nAnchorRow >= 0) {
        m_nCurCol = m_nAnchorCol;
        m_nCurRow = m_nAnchorRow;
    }
    DropAnchor();
}

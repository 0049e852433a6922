#pragma once

#include "grid/GridAxis.h"
#include "grid/Range.h"

#include <QPoint>
#include <QRect>
#include <vector>

// The geometry of a scrolling cell grid, without a window: the two axes, the
// layout flags, the client size, the scroll positions and the scroll-bar
// decisions. CGridView is a thin shell over it; every decision that painting,
// hit-testing and scrolling share is made here so that it is testable alone.
//
// Axis 0 is horizontal (columns), axis 1 vertical (rows). Grid coordinates
// count every column and row; cell coordinates subtract the header counts,
// so header cells are negative and (0, 0) is the first data cell.
class CGridGeometry
{
public:
    // What RecalcLayout needs to know about the window.
    struct SLayoutInput {
        int nClientWidth = 0;
        int nClientHeight = 0;
        int nVertBarWidth = 0;   // 0 for an axis whose bar is a separate control
        int nHorzBarHeight = 0;
        bool bVertBarShown = false;
        bool bHorzBarShown = false;
    };
    // What RecalcLayout decided; the view applies it to its scroll bars.
    struct SLayoutResult {
        bool bTooSmall = false;  // both bars hidden, nothing else changed
        bool bBar[2] = { false, false };
        int nExtent[2] = { 0, 0 };   // EX, EY: scroll range 0 .. extent - 1
        int nVisible[2] = { 0, 0 };  // VW, VH: the page of the scroll bar
        int nScrollDelta[2] = { 0, 0 }; // old position - new position
        bool bSizesChanged = false;  // fit mode rewrote sizes
    };
    // Where GoToRow scrolls.
    struct SGoToRow {
        bool bJump = false;    // scroll without animation to nJumpPos first
        int nJumpPos = 0;
        unsigned nFlags = 0;   // scroll flags for the following SetCurCell
    };

    CGridAxis& Axis(int nAxis) { return nAxis == 0 ? m_cols : m_rows; }
    const CGridAxis& Axis(int nAxis) const { return nAxis == 0 ? m_cols : m_rows; }
    CGridAxis& Cols() { return m_cols; }
    CGridAxis& Rows() { return m_rows; }
    const CGridAxis& Cols() const { return m_cols; }
    const CGridAxis& Rows() const { return m_rows; }

    unsigned Flags() const { return m_nFlags; }
    void SetFlags(unsigned nFlags) { m_nFlags = nFlags; }

    int CellColCount() const { return m_cols.Count() - m_cols.HeaderCount(); }
    int CellRowCount() const { return m_rows.Count() - m_rows.HeaderCount(); }

    int ClientWidth() const { return m_nClient[0]; }
    int ClientHeight() const { return m_nClient[1]; }
    void SetClientSize(int nWidth, int nHeight);

    int ScrollPos(int nAxis) const { return m_nPos[nAxis]; }
    // Sets a position clamped to 0 .. ScrollLimit; returns old - new.
    int SetScrollPos(int nAxis, int nPos);
    int ScrollLimit(int nAxis) const { return m_nLimit[nAxis]; }
    bool HasBar(int nAxis) const { return m_bBar[nAxis]; }
    // The scrolling area's size (client size less the fixed part, with a lower bound).
    int PageSize(int nAxis) const { return m_nPage[nAxis]; }

    SLayoutResult RecalcLayout(const SLayoutInput& input);

    // Exclusive right and bottom, client coordinates; an empty range gives a null rectangle.
    QRect RangeToRect(const CRange& range, bool bClip) const;
    QRect CellToRect(int nCol, int nRow, bool bClip) const { return RangeToRect(CRange::Cell(nCol, nRow), bClip); }
    // Cell coordinates of a client point, not clamped.
    QPoint HitTest(int x, int y, bool bBeyondX = false, bool bBeyondY = false) const;

    // The snapped and clamped target of a scroll request; pCellSize receives the
    // size of the cell met by snapping (or the default size).
    int ScrollTarget(int nAxis, int nPos, unsigned nFlags, int* pCellSize = nullptr) const;
    // The positions an animated scroll passes through, the last one being the target.
    std::vector<int> SmoothSteps(int nAxis, int nFrom, int nTo, unsigned nFlags, int nCellSize) const;
    // Relative scroll (dx, dy) that brings a cell into the scrolling area.
    QPoint EnsureVisibleDelta(int nCol, int nRow) const;
    SGoToRow PlanGoToRow(int nRow) const;
    // Signed scroll distance of one auto-scroll step for a pointer overflow (0 for none).
    int AutoScrollDelta(int nOverflow) const;
    // How far the pointer is beyond the scrolling area during a drag selection.
    QPoint DragOverflow(int x, int y, unsigned nDragState) const;
    // Wheel distance in pixels for nRows rows (nRows < 0: one page).
    int WheelDistance(int nRows) const;

    // Drop target for dragged data of nCols x nRows cells (-1: whole rows / columns)
    // grabbed at (nGrabCol, nGrabRow) relative to its top-left cell.
    CRange ComputeDropRange(int x, int y, int nCols, int nRows, int nGrabCol, int nGrabRow) const;
    // Whether a point lies on the border band of the single selected range.
    bool IsOnRangeBorder(int x, int y, const CRange& range) const;
    // The pane (frozen or scrolling part on each axis) that clips drawing at a cell.
    QRect PaneOf(int nCol, int nRow) const;
    bool IsScrollingCol(int nCol) const { return nCol >= m_cols.FixedCount() - m_cols.HeaderCount(); }
    bool IsScrollingRow(int nRow) const { return nRow >= m_rows.FixedCount() - m_rows.HeaderCount(); }

private:
    void AxisSpan(int nAxis, int nFirst, int nLast, bool bUnbounded, bool bClip, int& nStart, int& nEnd) const;
    void FitAxis(int nAxis, int nVisible);

    CGridAxis m_cols;
    CGridAxis m_rows;
    unsigned m_nFlags = 0;
    int m_nClient[2] = { 0, 0 };
    int m_nPos[2] = { 0, 0 };
    int m_nLimit[2] = { 0, 0 };
    bool m_bBar[2] = { false, false };
    int m_nPage[2] = { 0, 0 };
};

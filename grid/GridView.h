#pragma once

#include "grid/GridGeometry.h"
#include "grid/Range.h"
#include "grid/WheelAccumulator.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QElapsedTimer>
#include <QPointer>
#include <QRegion>
#include <QTimer>

#include <vector>

class CScrollHeader;
class CWheelOriginWnd;
class QPainter;

// The scrolling cell grid under the register, the summary table and the memo
// calendar. It owns only geometry (CGridGeometry): counts, sizes, frozen and
// header parts, the scroll position. It lays out its scroll bars itself,
// scrolls by pixels with snapping and optional animation, hit-tests, and
// paints the cell background and grid lines; a derived view draws the cell
// contents in OnDraw over that background.
//
// Coordinates are pixels of the viewport. Public cell operations use cell
// coordinates (header cells negative); the size setters take grid indices.
class CGridView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit CGridView(QWidget* pParent = nullptr);
    ~CGridView() override;

    // Totals in grid coordinates (fixed rows and columns included); a default < 0
    // leaves that default, a smaller count cuts the size list.
    void SetGridSize(int nRows, int nCols, int nDefColWidth, int nDefRowHeight, bool bRedraw = true);
    // Counts of the scrolling part; < 0 leaves that axis.
    void SetScrollingCount(int nRows, int nCols);
    // Returns (fixed width, fixed height).
    QSize SetFixedCount(int nCols, int nRows, bool bRedraw = true);
    // Returns (header width, header height); fixed counts are raised to the header counts.
    QSize SetHeaderCount(int nCols, int nRows, bool bRepaint = true);
    int SetColWidth(int nCol, int nWidth);
    int SetRowHeight(int nRow, int nHeight);
    // Fit modes rewrite sizes when laying out: the sizes are read laid out.
    int GetColWidth(int nCol) const { return Geometry().Cols().Size(nCol); }
    int GetRowHeight(int nRow) const { return Geometry().Rows().Size(nRow); }
    void SetLayoutFlags(unsigned nFlags);
    unsigned LayoutFlags() const { return m_geo.Flags(); }
    // Lays out now. The setters only mark the layout out of date: it is done once, before
    // the next paint, from a queued call, or when geometry is read, whichever comes first.
    void RecalcLayout();
    void EnsureLayout() const;
    bool IsLayoutPending() const { return m_bLayoutDirty; }
    // Layouts done so far (a measure for tests and benchmarks of how often setters lay out).
    int LayoutCount() const { return m_nLayouts; }

    const CGridGeometry& Geometry() const
    {
        EnsureLayout();
        return m_geo;
    }
    int ScrollPos(int nAxis) const { return Geometry().ScrollPos(nAxis); }
    int CellColCount() const { return m_geo.CellColCount(); }
    int CellRowCount() const { return m_geo.CellRowCount(); }

    QRect RangeToRect(const CRange& range, bool bClip) const { return Geometry().RangeToRect(range, bClip); }
    QRect CellToRect(int nCol, int nRow, bool bClip) const { return Geometry().CellToRect(nCol, nRow, bClip); }
    QPoint HitTest(int x, int y, bool bBeyondX = false, bool bBeyondY = false) const
    {
        return Geometry().HitTest(x, y, bBeyondX, bBeyondY);
    }
    void InvalidateRange(const CRange& range, const CRange* pSecond = nullptr);
    void EnsureVisible(int nCol, int nRow, unsigned nScrollFlags);
    // Maps a scroll-bar code (SB_*) to ScrollTo.
    bool ScrollByCode(int nAxis, int nCode, int nThumbPos, bool bDoScroll);
    // Drag hooks: low byte horizontal code, second byte vertical.
    bool OnScroll(unsigned nCode, int nPos, bool bDoScroll);
    bool OnScrollBy(int dx, int dy, bool bDoScroll);

    // Header strips over the header rows (column header) and header columns (row header).
    CScrollHeader* CreateColumnHeader(unsigned nStyle);
    CScrollHeader* CreateRowHeader(unsigned nStyle);
    CScrollHeader* ColumnHeader() const;
    CScrollHeader* RowHeader() const;
    void SetColumnTitle(int nCol, const QString& strTitle, unsigned nFormat);

    // Fit-to-contents sizes (a double click on a divider); the base keeps the stored size.
    virtual int GetFitColWidth(int nCol);
    virtual int GetFitRowHeight(int nRow);
    virtual bool GetSelectionRgn(QRegion& rgn) const;
    virtual QColor GetGridColor(int nRole) const;
    // Axis 0 horizontal, 1 vertical. False when the position would not change;
    // with bDoScroll false only reports whether it would scroll.
    virtual bool ScrollTo(int nAxis, int nPos, unsigned nFlags, bool bDoScroll);
    // An animated scroll runs from a timer; these land it on its target at once.
    bool IsSmoothScrolling() const { return m_smoothTimer.isActive(); }
    void FinishSmoothScroll();

    // One step of pointer-driven scrolling for an overflow of that many pixels
    // beyond the scrolling area (drag selection, wheel panning).
    bool AutoScrollStep(int nAxis, int nOverflow, bool bDoScroll);

    // The middle-button panning in progress, or nullptr.
    CWheelOriginWnd* WheelOrigin() const;

Q_SIGNALS:
    // The scroll position changed (after each step of an animated scroll).
    void Scrolled();

protected:
    // The derived view draws cell contents here, over the painted background.
    virtual void OnDraw(QPainter& painter, const QRect& rcClip);
    // Painted after OnDraw (the selecting view draws its frame and drop feedback).
    virtual void OnDrawOverlay(QPainter& painter, const QRect& rcClip);
    void EraseBackground(QPainter& painter, const QRect& rcClip);

    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void scrollContentsBy(int dx, int dy) override;

    CGridGeometry m_geo;

private:
    void OnBarAction(int nAxis, int nAction);
    void ApplyScroll(int nAxis, int nDelta);
    void SyncBars();
    void PlaceHeaders();
    void DrawGridLines(QPainter& painter, const QRect& rcArea);
    void InvalidateLayout();
    void SmoothScrollTick();
    // Applies step nCount - 1 of the running animation (the last ends it).
    void SmoothScrollStep(std::size_t nCount);

    QPointer<CScrollHeader> m_pColHeader;
    QPointer<CScrollHeader> m_pRowHeader;
    QPointer<CWheelOriginWnd> m_pWheelOrigin;
    CWheelAccumulator m_wheel;
    bool m_bLayoutGuard = false;
    bool m_bLayoutDirty = false;
    int m_nLayouts = 0;
    // Per view: one view's bar action may scroll another view (synchronised panes).
    bool m_bInBarAction = false;
    QTimer m_smoothTimer;
    QElapsedTimer m_smoothClock;
    std::vector<int> m_smoothSteps;
    std::size_t m_nSmoothNext = 0;
    int m_nSmoothAxis = 0;
    bool m_bBarShown[2] = { false, false };
};

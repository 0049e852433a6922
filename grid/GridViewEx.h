#pragma once

#include "grid/GridView.h"
#include "grid/PrintMetrics.h"
#include "grid/Selection.h"

#include <QBasicTimer>
#include <QFont>
#include <QPen>

class CGridOleDropTarget;
class QPrinter;

// A grid view with a cursor cell and a selection: mouse and keyboard
// selection (Shift extends, Ctrl adds, F8 and Shift+F8 are sticky extend and
// add modes lasting one move), auto-scroll while a drag selection leaves the
// window, select-all, the inverted frame on the current cell, the selection
// highlight while the view is active, print metrics, and the drop-target
// computation with its feedback. The register, summary table and memo views
// derive from it.
//
// A derived view, in its set-up: SetGridSize, SetFixedCount, SetHeaderCount,
// SetColWidth / SetRowHeight, optionally CreateColumnHeader(SHS_COVER) with
// SetColumnTitle, then SetCurCell to place the cursor. It draws cell contents
// in OnDraw (only the cells meeting the clip rectangle), overrides
// GetFitColWidth for fit-to-contents and OnSelChange for per-selection state.
// After renumbering rows it calls Selection().ShiftRows or
// AdjustForDeletedRows, then SyncFrame. The frame that holds it calls OnActivateView. For
// drops it calls SetDragShape in its drag-enter handler and, in drag enter and
// move, DropTarget()->DragOver (edge scroll) or else DrawDropFeedback; drag
// leave and drop call DropTarget()->DragLeave and DrawDropFeedback(-32767,
// -32767). A CInplaceEdit child of viewport() edits a cell; its Committed
// signal carries the new text.
class CGridViewEx : public CGridView
{
    Q_OBJECT

public:
    explicit CGridViewEx(QWidget* pParent = nullptr);
    ~CGridViewEx() override;

    CSelection& Selection() { return m_selection; }
    const CSelection& Selection() const { return m_selection; }

    // Scrolls the cell into view, moves the cursor with the selection flags and redraws the frame.
    void SetCurCell(int nCol, int nRow, unsigned nSelFlags, unsigned nScrollFlags);
    void ShowFrame(bool bShow);
    // After the owner renumbered its rows and before it repaints everything: the drawn
    // frame moves to the selection's frame cell (while active) without drawing.
    void SyncFrame();
    // Moves the cursor to a row, centring rows that are far away; a negative
    // column keeps the frame cell's column.
    void GoToRow(int nCol, int nRow);
    // The inverted frame of one cell (a no-op for a row < 0).
    void DrawFrame(QPainter& painter, int nCol, int nRow) const;
    bool IsOnSelectionBorder(int x, int y) const;
    // Called after every cursor or selection change made by the mouse, the
    // keyboard or select-all; the base ends a sticky selection mode.
    virtual void OnSelChange();
    void SelectAll();

    bool MultipleSelection() const { return m_bMultipleSelection; }
    void SetMultipleSelection(bool bAllowed) { m_bMultipleSelection = bAllowed; }
    unsigned SelectionMode() const { return m_nSelMode; }
    void SetSelectionMode(unsigned nMode);
    // The status-bar text of the mode: "EXT", "ADD", or empty (indicator disabled).
    QString ModeIndicator() const;

    bool IsActive() const { return m_bActive; }
    // The frame calls this when the view becomes or stops being the active view.
    void OnActivateView(bool bActive);

    QPoint FramePos() const { return QPoint(m_nFrameCol, m_nFrameRow); }
    QPoint LastHit() const { return QPoint(m_nLastHitCol, m_nLastHitRow); }
    unsigned DragState() const { return m_nDragState; }
    bool IsAutoScrolling() const { return m_autoScrollTimer.isActive(); }
    QPoint AutoScrollOverflow() const { return QPoint(m_nOverflowX, m_nOverflowY); }
    // One auto-scroll timer step (public for tests of the timer's effect).
    void AutoScrollTick();

    // Print metrics, valid between BeginPrinting and EndPrinting.
    void BeginPrinting(QPrinter& printer);
    void EndPrinting();
    const CPrintMetrics& PrintMetrics() const { return m_print; }
    const QFont& PrintFont() const { return m_printFont; }
    const QPen& PrintPen() const { return m_printPen; }

    // The shape of the data being dragged over the view: nCols x nRows cells
    // (-1: whole rows / columns), grabbed at an offset from its top-left cell.
    void SetDragShape(int nCols, int nRows, int nGrabCol, int nGrabRow);
    CRange ComputeDropRange(int x, int y) const;
    // Moves the drop feedback to the target at (x, y); (-32767, -32767) removes it.
    void DrawDropFeedback(int x, int y);
    const CRange& DropFeedbackRange() const { return m_dropRange; }
    CGridOleDropTarget* DropTarget() const { return m_pDropTarget; }
    // Drag hooks of the edge scroll: it begins (feedback off) and ends (feedback again).
    virtual void OnDragScrollBegin();
    virtual void OnDragScrollEnd(const QPoint& pt);

    bool GetSelectionRgn(QRegion& rgn) const override;

Q_SIGNALS:
    void SelectionChanged();
    void SelectionModeChanged(const QString& strIndicator);

protected:
    void OnDrawOverlay(QPainter& painter, const QRect& rcClip) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;

private:
    void UpdateFrame(const QPoint& target);
    QRect FrameRect(int nCol, int nRow) const;
    std::vector<QRect> FeedbackRects(const CRange& range) const;
    void UpdateRects(const std::vector<QRect>& rects);
    void CaptureLost();
    bool HitBeforeEnd(const QPoint& hit) const;

    CSelection m_selection;
    bool m_bActive = true;
    bool m_bMultipleSelection = true;
    int m_nFrameCol = -1;
    int m_nFrameRow = -1;
    int m_nLastHitCol = -1;
    int m_nLastHitRow = -1;
    unsigned m_nSelMode = 0;
    unsigned m_nDragState = 0;
    bool m_bCapture = false;
    QBasicTimer m_autoScrollTimer;
    int m_nOverflowX = 0;
    int m_nOverflowY = 0;
    QPoint m_ptPointer;
    CPrintMetrics m_print;
    QFont m_printFont;
    QPen m_printPen;
    int m_nDragCols = 1;
    int m_nDragRows = 1;
    int m_nGrabCol = 0;
    int m_nGrabRow = 0;
    CRange m_dropRange;
    CGridOleDropTarget* m_pDropTarget = nullptr;
};

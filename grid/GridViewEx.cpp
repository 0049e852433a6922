#include "grid/GridViewEx.h"

#include "grid/GridFlags.h"
#include "grid/GridKeyMap.h"
#include "grid/GridOleDropTarget.h"
#include "grid/GridSettings.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTimerEvent>

namespace {

constexpr int kNoPoint = -32767;

} // namespace

CGridViewEx::CGridViewEx(QWidget* pParent)
    : CGridView(pParent),
      m_selection(&m_geo, [this](const CRange& range) { InvalidateRange(range); })
{
    m_pDropTarget = new CGridOleDropTarget(this);
}

CGridViewEx::~CGridViewEx() = default;

void CGridViewEx::SetSelectionMode(unsigned nMode)
{
    if (m_nSelMode == nMode)
        return;
    m_nSelMode = nMode;
    Q_EMIT SelectionModeChanged(ModeIndicator());
}

QString CGridViewEx::ModeIndicator() const
{
    if (m_nSelMode == SELMODE_ADD)
        return QStringLiteral("ADD");
    if (m_nSelMode == SELMODE_EXT)
        return QStringLiteral("EXT");
    return QString();
}

void CGridViewEx::SetCurCell(int nCol, int nRow, unsigned nSelFlags, unsigned nScrollFlags)
{
    EnsureVisible(nCol, nRow, nScrollFlags);
    m_selection.SetCell(nSelFlags, nCol, nRow);
    if (m_bActive)
        UpdateFrame(m_selection.FrameCell());
}

void CGridViewEx::ShowFrame(bool bShow)
{
    UpdateFrame(bShow ? m_selection.FrameCell() : QPoint(-1, -1));
}

void CGridViewEx::SyncFrame()
{
    if (!m_bActive)
        return;
    const QPoint cell = m_selection.FrameCell();
    m_nFrameCol = cell.x();
    m_nFrameRow = cell.y();
}

QRect CGridViewEx::FrameRect(int nCol, int nRow) const
{
    if (nRow < 0)
        return QRect();
    return Geometry().CellToRect(nCol, nRow, false).intersected(Geometry().PaneOf(nCol, nRow));
}

void CGridViewEx::UpdateFrame(const QPoint& target)
{
    if (target == QPoint(m_nFrameCol, m_nFrameRow))
        return;
    const QRect rcOld = FrameRect(m_nFrameCol, m_nFrameRow);
    m_nFrameCol = target.x();
    m_nFrameRow = target.y();
    const QRect rcNew = FrameRect(m_nFrameCol, m_nFrameRow);
    if (!rcOld.isEmpty())
        viewport()->update(rcOld);
    if (!rcNew.isEmpty())
        viewport()->update(rcNew);
}

void CGridViewEx::DrawFrame(QPainter& painter, int nCol, int nRow) const
{
    if (nRow < 0)
        return;
    const QRect rcPane = Geometry().PaneOf(nCol, nRow);
    const QRect rc = Geometry().CellToRect(nCol, nRow, false);
    const int nRight = rc.left() + rc.width();
    const int nBottom = rc.top() + rc.height();
    if (nRight <= 0 || nBottom <= 0 || !rc.intersects(rcPane))
        return;
    painter.save();
    painter.setClipRect(rcPane, Qt::IntersectClip);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    // Pixels left .. right - 2 and top .. bottom - 2: inside the grid lines.
    painter.drawRect(QRect(rc.left(), rc.top(), std::max(0, rc.width() - 2), std::max(0, rc.height() - 2)));
    painter.restore();
}

void CGridViewEx::GoToRow(int nCol, int nRow)
{
    // Planned from where a running animation ends.
    FinishSmoothScroll();
    const CGridGeometry::SGoToRow plan = Geometry().PlanGoToRow(nRow);
    if (plan.bJump)
        ScrollTo(1, plan.nJumpPos, 0, true);
    if (nCol < 0)
        nCol = m_selection.FrameCell().x();
    SetCurCell(nCol, nRow, m_nSelMode, plan.nFlags);
}

bool CGridViewEx::IsOnSelectionBorder(int x, int y) const
{
    if (m_selection.GetRangeCount() > 1)
        return false;
    return Geometry().IsOnRangeBorder(x, y, m_selection.GetPrimaryRange());
}

void CGridViewEx::OnSelChange()
{
    SetSelectionMode(0);
    Q_EMIT SelectionChanged();
}

void CGridViewEx::SelectAll()
{
    m_selection.SetRange(CRange::WholeRows(0, CellRowCount() - 1));
    if (m_bActive)
        UpdateFrame(m_selection.FrameCell());
    OnSelChange();
}

void CGridViewEx::OnActivateView(bool bActive)
{
    ShowFrame(bActive);
    QRegion rgn;
    if (m_selection.GetRgn(rgn))
        viewport()->update(rgn);
    m_bActive = bActive;
}

bool CGridViewEx::GetSelectionRgn(QRegion& rgn) const
{
    return m_bActive && m_selection.GetRgn(rgn);
}

void CGridViewEx::OnDrawOverlay(QPainter& painter, const QRect&)
{
    DrawFrame(painter, m_nFrameCol, m_nFrameRow);
    if (!m_dropRange.IsEmpty()) {
        const std::vector<QRect> rects = FeedbackRects(m_dropRange);
        if (!rects.empty()) {
            painter.save();
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
            const QBrush brush(Qt::black, Qt::Dense4Pattern);
            for (const QRect& rc : rects)
                painter.fillRect(rc, brush);
            painter.restore();
        }
    }
}

bool CGridViewEx::HitBeforeEnd(const QPoint& hit) const
{
    return hit.x() < CellColCount() && hit.y() < CellRowCount();
}

void CGridViewEx::mousePressEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    if (pEvent->button() == Qt::LeftButton) {
        const QPoint hit = HitTest(pt.x(), pt.y());
        m_nLastHitCol = hit.x();
        m_nLastHitRow = hit.y();
        m_ptPointer = pt;
        if (HitBeforeEnd(hit)) {
            if (m_bMultipleSelection) {
                unsigned nFlags = SELF_CLICK | m_nSelMode;
                if (pEvent->modifiers() & Qt::ShiftModifier)
                    nFlags |= SELF_EXTEND;
                if (pEvent->modifiers() & Qt::ControlModifier)
                    nFlags |= SELF_ADD;
                SetCurCell(hit.x(), hit.y(), nFlags, 0);
                m_bCapture = true;
                m_nDragState = 0x100 | (pt.x() >= Geometry().Cols().FixedSum() ? 0x10 : 0)
                    | (pt.y() >= Geometry().Rows().FixedSum() ? 0x20 : 0);
            } else {
                SetCurCell(hit.x(), hit.y(), SELF_CLICK, 0);
            }
            OnSelChange();
        }
        pEvent->accept();
        return;
    }
    if (pEvent->button() == Qt::RightButton) {
        if (m_bCapture) {
            // A right press during a drag selection only ends the drag.
            CaptureLost();
            pEvent->accept();
            return;
        }
        const QPoint hit = HitTest(pt.x(), pt.y());
        m_nLastHitCol = hit.x();
        m_nLastHitRow = hit.y();
        // A selected cell keeps the selection, so that a context menu acts on it.
        if (!m_selection.IsSelected(hit.x(), hit.y())) {
            if (HitBeforeEnd(hit))
                SetCurCell(hit.x(), hit.y(), SELF_CLICK, 0);
            OnSelChange();
        }
        pEvent->accept();
        return;
    }
    CGridView::mousePressEvent(pEvent);
}

void CGridViewEx::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (!m_nDragState || !m_bCapture) {
        CGridView::mouseMoveEvent(pEvent);
        return;
    }
    const QPoint pt = pEvent->position().toPoint();
    m_ptPointer = pt;
    const QPoint over = Geometry().DragOverflow(pt.x(), pt.y(), m_nDragState);
    if (over.x() != 0 || over.y() != 0) {
        if (!m_autoScrollTimer.isActive())
            m_autoScrollTimer.start(50, this);
        m_nOverflowX = over.x();
        m_nOverflowY = over.y();
    } else if (m_autoScrollTimer.isActive()) {
        m_autoScrollTimer.stop();
        m_nOverflowX = m_nOverflowY = 0;
    }
    const QPoint hit = HitTest(pt.x(), pt.y(), over.x() != 0, over.y() != 0);
    if (hit != LastHit()) {
        m_nLastHitCol = hit.x();
        m_nLastHitRow = hit.y();
        unsigned nFlags = SELF_EXTEND | m_nSelMode;
        if (pEvent->modifiers() & Qt::ControlModifier)
            nFlags |= SELF_ADD;
        m_selection.SetCell(nFlags, hit.x(), hit.y());
        ShowFrame(true);
        OnSelChange();
    }
    pEvent->accept();
}

void CGridViewEx::AutoScrollTick()
{
    if (!m_nDragState)
        return;
    AutoScrollStep(0, m_nOverflowX, true);
    AutoScrollStep(1, m_nOverflowY, true);
    const QPoint hit = HitTest(m_ptPointer.x(), m_ptPointer.y(), m_nOverflowX != 0, m_nOverflowY != 0);
    if (hit != LastHit()) {
        m_nLastHitCol = hit.x();
        m_nLastHitRow = hit.y();
        m_selection.SetCell(SELF_EXTEND | m_nSelMode, hit.x(), hit.y());
        ShowFrame(true);
        OnSelChange();
    }
}

void CGridViewEx::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() == m_autoScrollTimer.timerId())
        AutoScrollTick();
    else
        CGridView::timerEvent(pEvent);
}

void CGridViewEx::CaptureLost()
{
    m_bCapture = false;
    m_autoScrollTimer.stop();
    if (m_nDragState) {
        m_nDragState = 0;
        // Leave the position on a cell boundary in the direction the drag scrolled.
        if (m_nOverflowX != 0)
            ScrollTo(0, 0, SCR_RELATIVE | (m_nOverflowX < 0 ? SCR_SNAP_B : SCR_SNAP_A), true);
        if (m_nOverflowY != 0)
            ScrollTo(1, 0, SCR_RELATIVE | (m_nOverflowY < 0 ? SCR_SNAP_B : SCR_SNAP_A), true);
    }
    m_nOverflowX = m_nOverflowY = 0;
}

void CGridViewEx::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton && m_bCapture) {
        CaptureLost();
        pEvent->accept();
        return;
    }
    if (pEvent->button() == Qt::RightButton) {
        // The press was handled here; the context menu comes as its own event.
        pEvent->accept();
        return;
    }
    CGridView::mouseReleaseEvent(pEvent);
}

void CGridViewEx::focusOutEvent(QFocusEvent* pEvent)
{
    // Losing the focus mid-drag (a popup, another window) ends the drag as a release would.
    if (m_bCapture && pEvent->reason() != Qt::PopupFocusReason)
        CaptureLost();
    CGridView::focusOutEvent(pEvent);
}

void CGridViewEx::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->matches(QKeySequence::SelectAll)) {
        SelectAll();
        pEvent->accept();
        return;
    }
    if (CellRowCount() <= 0) {
        QWidget::keyPressEvent(pEvent);
        return;
    }
    // Page and line moves are measured from where a running animation ends.
    FinishSmoothScroll();
    CGridKeyMap::SInput in;
    in.nKey = pEvent->key();
    in.bShift = pEvent->modifiers() & Qt::ShiftModifier;
    in.bCtrl = pEvent->modifiers() & Qt::ControlModifier;
    in.nRepeat = std::max(1, pEvent->count());
    in.bFirst = !pEvent->isAutoRepeat() && in.nRepeat < 2;
    in.nSelMode = m_nSelMode;
    in.bMultipleSelection = m_bMultipleSelection;
    const CGridKeyMap::SResult res = CGridKeyMap::Decide(Geometry(), m_selection, in);
    switch (res.action) {
    case CGridKeyMap::None:
        QWidget::keyPressEvent(pEvent);
        return;
    case CGridKeyMap::ToggleExtend:
        if (res.nSelMode == SELMODE_EXT || !m_bMultipleSelection)
            m_selection.BeginExtendMode();
        break;
    case CGridKeyMap::ToggleAdd:
        if (res.nSelMode == SELMODE_ADD || !m_bMultipleSelection)
            m_selection.BeginAddMode();
        if (m_bActive)
            UpdateFrame(m_selection.FrameCell());
        break;
    default:
        break;
    }
    SetSelectionMode(res.nSelMode);
    if (res.action == CGridKeyMap::Move) {
        SetCurCell(res.nCol, res.nRow, res.nSelFlags, res.nScrollFlags);
        OnSelChange();
    }
    pEvent->accept();
}

void CGridViewEx::BeginPrinting(QPrinter& printer)
{
    const CGridSettings& settings = CGridSettings::Current();
    m_printFont = QFont(settings.ViewFont(), &printer);
    const QFontMetrics fm(m_printFont, &printer);
    CPrintMetrics::SDevice device;
    device.nPrinterDpiX = printer.logicalDpiX();
    device.nPrinterDpiY = printer.logicalDpiY();
    const QScreen* pScreen = screen() ? screen() : QGuiApplication::primaryScreen();
    device.nScreenDpiX = pScreen ? int(pScreen->logicalDotsPerInchX()) : 96;
    const QRect rcPaper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect rcPage = printer.pageRect(QPrinter::DevicePixel).toRect();
    device.nOffsetLeft = rcPage.left() - rcPaper.left();
    device.nOffsetTop = rcPage.top() - rcPaper.top();
    device.nPaperWidth = rcPaper.width();
    device.nPaperHeight = rcPaper.height();
    device.nPrintableWidth = rcPage.width();
    device.nPrintableHeight = rcPage.height();
    device.nTextHeight = fm.boundingRect(QStringLiteral("00000000")).height();
    device.nCellGap = settings.CellGap();
    m_print = CPrintMetrics::Compute(device);
    m_printPen = QPen(Qt::black, m_print.m_nPenWidth, Qt::SolidLine);
}

void CGridViewEx::EndPrinting()
{
    m_printFont = QFont();
    m_printPen = QPen();
}

void CGridViewEx::SetDragShape(int nCols, int nRows, int nGrabCol, int nGrabRow)
{
    m_nDragCols = nCols;
    m_nDragRows = nRows;
    m_nGrabCol = nGrabCol;
    m_nGrabRow = nGrabRow;
}

CRange CGridViewEx::ComputeDropRange(int x, int y) const
{
    return Geometry().ComputeDropRange(x, y, m_nDragCols, m_nDragRows, m_nGrabCol, m_nGrabRow);
}

std::vector<QRect> CGridViewEx::FeedbackRects(const CRange& range) const
{
    std::vector<QRect> rects;
    if (range.left < 0 && range.top < 0)
        return rects;
    if (range.left < 0) {
        // Between rows: a bar 3 pixels high across the whole width.
        const QRect rcRow = Geometry().RangeToRect(CRange::WholeRows(range.top, range.top), false);
        const int y = range.left == -1 ? rcRow.top() : rcRow.top() + rcRow.height() - 4;
        const QRect rcPane = Geometry().PaneOf(0, range.top);
        rects.push_back(QRect(0, y, GRID_COORD_MAX, 3).intersected(QRect(0, rcPane.top(), GRID_COORD_MAX, rcPane.height())));
    } else if (range.top < 0) {
        CRange col(range.left, 0, range.left, 0);
        col.top = -1;
        col.bottom = 0;
        const QRect rcCol = Geometry().RangeToRect(col, false);
        const int x = range.top == -1 ? rcCol.left() : rcCol.left() + rcCol.width() - 4;
        const QRect rcPane = Geometry().PaneOf(range.left, 0);
        rects.push_back(QRect(x, 0, 3, GRID_COORD_MAX).intersected(QRect(rcPane.left(), 0, rcPane.width(), GRID_COORD_MAX)));
    } else {
        const QRect rcPane = Geometry().PaneOf(range.left, range.top);
        const QRect rc = Geometry().RangeToRect(range, false).adjusted(0, 0, -1, -1);
        if (rc.width() <= 0 || rc.height() <= 0)
            return rects;
        const int t = std::min(3, std::min(rc.width(), rc.height()));
        const QRect sides[4] = {
            QRect(rc.left(), rc.top(), rc.width(), t),
            QRect(rc.left(), rc.top() + rc.height() - t, rc.width(), t),
            QRect(rc.left(), rc.top() + t, t, rc.height() - 2 * t),
            QRect(rc.left() + rc.width() - t, rc.top() + t, t, rc.height() - 2 * t),
        };
        for (const QRect& side : sides) {
            const QRect clipped = side.intersected(rcPane);
            if (!clipped.isEmpty())
                rects.push_back(clipped);
        }
    }
    rects.erase(std::remove_if(rects.begin(), rects.end(), [](const QRect& rc) { return rc.isEmpty(); }), rects.end());
    return rects;
}

void CGridViewEx::UpdateRects(const std::vector<QRect>& rects)
{
    for (const QRect& rc : rects)
        viewport()->update(rc);
}

void CGridViewEx::DrawDropFeedback(int x, int y)
{
    CRange target;
    if (x != kNoPoint || y != kNoPoint)
        target = ComputeDropRange(x, y);
    if (target == m_dropRange)
        return;
    UpdateRects(FeedbackRects(m_dropRange));
    m_dropRange = target;
    UpdateRects(FeedbackRects(m_dropRange));
}

void CGridViewEx::OnDragScrollBegin()
{
    DrawDropFeedback(kNoPoint, kNoPoint);
}

void CGridViewEx::OnDragScrollEnd(const QPoint& pt)
{
    DrawDropFeedback(pt.x(), pt.y());
}

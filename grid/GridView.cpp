#include "grid/GridView.h"

#include "grid/GridFlags.h"
#include "grid/GridSettings.h"
#include "grid/ScrollHeader.h"
#include "grid/WheelOriginWnd.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <climits>

namespace {

// One step of an animated scroll every so many milliseconds.
constexpr int kSmoothStepMs = 15;

} // namespace

CGridView::CGridView(QWidget* pParent)
    : QAbstractScrollArea(pParent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // The layout decides which bars are shown; never leave it to the scroll area.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, [this](int nAction) { OnBarAction(0, nAction); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this](int nAction) { OnBarAction(1, nAction); });
    m_smoothTimer.setTimerType(Qt::PreciseTimer);
    m_smoothTimer.setInterval(kSmoothStepMs);
    connect(&m_smoothTimer, &QTimer::timeout, this, &CGridView::SmoothScrollTick);
}

CGridView::~CGridView() = default;

void CGridView::SetGridSize(int nRows, int nCols, int nDefColWidth, int nDefRowHeight, bool bRedraw)
{
    m_geo.Cols().SetDefaultSize(nDefColWidth);
    m_geo.Rows().SetDefaultSize(nDefRowHeight);
    // A shrinking count cuts the size list; the scrolling counts then set the totals.
    if (nRows >= 0 && nRows < m_geo.Rows().Count())
        m_geo.Rows().SetCount(nRows, true);
    if (nCols >= 0 && nCols < m_geo.Cols().Count())
        m_geo.Cols().SetCount(nCols, true);
    SetScrollingCount(std::max(0, nRows - m_geo.Rows().FixedCount()), std::max(0, nCols - m_geo.Cols().FixedCount()));
    m_geo.Cols().SetFixedCount(m_geo.Cols().FixedCount());
    m_geo.Rows().SetFixedCount(m_geo.Rows().FixedCount());
    m_geo.Cols().SetHeaderCount(m_geo.Cols().HeaderCount());
    m_geo.Rows().SetHeaderCount(m_geo.Rows().HeaderCount());
    if (bRedraw) {
        InvalidateLayout();
        viewport()->update();
        if (m_pColHeader)
            m_pColHeader->update();
        if (m_pRowHeader)
            m_pRowHeader->update();
    }
}

void CGridView::SetScrollingCount(int nRows, int nCols)
{
    if (nRows >= 0)
        m_geo.Rows().SetCount(nRows + m_geo.Rows().FixedCount(), false);
    if (nCols >= 0)
        m_geo.Cols().SetCount(nCols + m_geo.Cols().FixedCount(), false);
    InvalidateLayout();
}

QSize CGridView::SetFixedCount(int nCols, int nRows, bool bRedraw)
{
    if (nCols >= 0)
        m_geo.Cols().SetFixedCount(std::max(nCols, m_geo.Cols().HeaderCount()));
    if (nRows >= 0)
        m_geo.Rows().SetFixedCount(std::max(nRows, m_geo.Rows().HeaderCount()));
    if (bRedraw) {
        InvalidateLayout();
        viewport()->update();
    }
    return QSize(m_geo.Cols().FixedSum(), m_geo.Rows().FixedSum());
}

QSize CGridView::SetHeaderCount(int nCols, int nRows, bool bRepaint)
{
    if (nCols >= 0) {
        m_geo.Cols().SetHeaderCount(nCols);
        if (m_geo.Cols().FixedCount() < nCols)
            m_geo.Cols().SetFixedCount(nCols);
    }
    if (nRows >= 0) {
        m_geo.Rows().SetHeaderCount(nRows);
        if (m_geo.Rows().FixedCount() < nRows)
            m_geo.Rows().SetFixedCount(nRows);
    }
    PlaceHeaders();
    if (bRepaint)
        viewport()->update();
    return QSize(m_geo.Cols().HeaderSum(), m_geo.Rows().HeaderSum());
}

int CGridView::SetColWidth(int nCol, int nWidth)
{
    const int nOld = m_geo.Cols().SetSize(nCol, nWidth);
    if (nOld == std::max(0, nWidth))
        return nOld;
    if (nCol < m_geo.Cols().HeaderCount())
        PlaceHeaders();
    InvalidateLayout();
    viewport()->update();
    if (m_pColHeader)
        m_pColHeader->update();
    return nOld;
}

int CGridView::SetRowHeight(int nRow, int nHeight)
{
    const int nOld = m_geo.Rows().SetSize(nRow, nHeight);
    if (nOld == std::max(0, nHeight))
        return nOld;
    if (nRow < m_geo.Rows().HeaderCount())
        PlaceHeaders();
    InvalidateLayout();
    viewport()->update();
    if (m_pRowHeader)
        m_pRowHeader->update();
    return nOld;
}

void CGridView::SetLayoutFlags(unsigned nFlags)
{
    m_geo.SetFlags(nFlags);
    InvalidateLayout();
    viewport()->update();
}

void CGridView::InvalidateLayout()
{
    if (m_bLayoutDirty)
        return;
    m_bLayoutDirty = true;
    // A queued call runs before the (lower-priority) update request that paints.
    QMetaObject::invokeMethod(this, [this] { EnsureLayout(); }, Qt::QueuedConnection);
}

void CGridView::EnsureLayout() const
{
    if (m_bLayoutDirty && !m_bLayoutGuard)
        const_cast<CGridView*>(this)->RecalcLayout();
}

void CGridView::RecalcLayout()
{
    if (m_bLayoutGuard)
        return;
    m_bLayoutGuard = true;
    m_bLayoutDirty = false;
    ++m_nLayouts;
    CGridGeometry::SLayoutInput in;
    in.nClientWidth = viewport()->width();
    in.nClientHeight = viewport()->height();
    in.nVertBarWidth = verticalScrollBar()->sizeHint().width();
    in.nHorzBarHeight = horizontalScrollBar()->sizeHint().height();
    in.bVertBarShown = m_bBarShown[1];
    in.bHorzBarShown = m_bBarShown[0];
    const CGridGeometry::SLayoutResult res = m_geo.RecalcLayout(in);
    if (res.bTooSmall) {
        if (in.nClientWidth > 0 && in.nClientHeight > 0) {
            m_bBarShown[0] = m_bBarShown[1] = false;
            setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        }
        m_bLayoutGuard = false;
        return;
    }
    for (int a = 0; a < 2; ++a) {
        if (res.nScrollDelta[a] != 0)
            ApplyScroll(a, res.nScrollDelta[a]);
    }
    m_bBarShown[0] = res.bBar[0];
    m_bBarShown[1] = res.bBar[1];
    setHorizontalScrollBarPolicy(res.bBar[0] ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(res.bBar[1] ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QScrollBar* bars[2] = { horizontalScrollBar(), verticalScrollBar() };
    for (int a = 0; a < 2; ++a) {
        if (!res.bBar[a])
            continue;
        bars[a]->setRange(0, m_geo.ScrollLimit(a));
        bars[a]->setPageStep(std::max(1, res.nVisible[a]));
        bars[a]->setSingleStep(std::max(1, m_geo.Axis(a).DefaultSize()));
        bars[a]->setValue(m_geo.ScrollPos(a));
    }
    if (res.bSizesChanged) {
        viewport()->update();
        if (m_pColHeader)
            m_pColHeader->update();
        if (m_pRowHeader)
            m_pRowHeader->update();
    }
    m_bLayoutGuard = false;
}

void CGridView::SyncBars()
{
    QScrollBar* bars[2] = { horizontalScrollBar(), verticalScrollBar() };
    for (int a = 0; a < 2; ++a) {
        if (m_geo.HasBar(a) && bars[a]->value() != m_geo.ScrollPos(a))
            bars[a]->setValue(m_geo.ScrollPos(a));
    }
}

void CGridView::ApplyScroll(int nAxis, int nDelta)
{
    if (nDelta == 0)
        return;
    const int w = viewport()->width();
    const int h = viewport()->height();
    if (nAxis == 0) {
        const int f = m_geo.Cols().FixedSum();
        if (w > f)
            viewport()->scroll(nDelta, 0, QRect(f, 0, w - f, h));
        if (m_pColHeader)
            m_pColHeader->ScrollBy(nDelta, 0);
    } else {
        const int f = m_geo.Rows().FixedSum();
        if (h > f)
            viewport()->scroll(0, nDelta, QRect(0, f, w, h - f));
        if (m_pRowHeader)
            m_pRowHeader->ScrollBy(0, nDelta);
    }
    Q_EMIT Scrolled();
}

void CGridView::InvalidateRange(const CRange& range, const CRange* pSecond)
{
    EnsureLayout();
    const QRect rc = m_geo.RangeToRect(range, true);
    if (!rc.isEmpty())
        viewport()->update(rc);
    if (pSecond) {
        const QRect rc2 = m_geo.RangeToRect(*pSecond, true);
        if (!rc2.isEmpty())
            viewport()->update(rc2);
    }
}

void CGridView::EnsureVisible(int nCol, int nRow, unsigned nScrollFlags)
{
    // Measured from where a running animation ends.
    FinishSmoothScroll();
    EnsureLayout();
    const QPoint d = m_geo.EnsureVisibleDelta(nCol, nRow);
    if (d.x() != 0)
        ScrollTo(0, d.x(), nScrollFlags | SCR_RELATIVE, true);
    if (d.y() != 0)
        ScrollTo(1, d.y(), nScrollFlags | SCR_RELATIVE, true);
}

bool CGridView::ScrollByCode(int nAxis, int nCode, int nThumbPos, bool bDoScroll)
{
    EnsureLayout();
    const int nPage = m_geo.PageSize(nAxis);
    switch (nCode) {
    case SB_LINEUP:
        return ScrollTo(nAxis, -1, SCR_RELATIVE | SCR_SNAP_B | SCR_SMOOTH_CELL, bDoScroll);
    case SB_LINEDOWN:
        return ScrollTo(nAxis, 1, SCR_RELATIVE | SCR_SNAP_A | SCR_SMOOTH_CELL, bDoScroll);
    case SB_PAGEUP:
        return ScrollTo(nAxis, -nPage, SCR_RELATIVE | SCR_SNAP_A | SCR_SMOOTH_PAGE, bDoScroll);
    case SB_PAGEDOWN:
        return ScrollTo(nAxis, nPage, SCR_RELATIVE | SCR_SNAP_B | SCR_SMOOTH_PAGE, bDoScroll);
    case SB_THUMBTRACK:
        return ScrollTo(nAxis, nThumbPos, 0, bDoScroll);
    case SB_TOP:
        return ScrollTo(nAxis, 0, 0, bDoScroll);
    case SB_BOTTOM:
        return ScrollTo(nAxis, INT_MAX, 0, bDoScroll);
    default:
        break;
    }
    return false;
}

bool CGridView::OnScroll(unsigned nCode, int nPos, bool bDoScroll)
{
    const bool bX = ScrollByCode(0, int(nCode & 0xFF), nPos, bDoScroll);
    const bool bY = ScrollByCode(1, int((nCode >> 8) & 0xFF), nPos, bDoScroll);
    return bX || bY;
}

bool CGridView::OnScrollBy(int dx, int dy, bool bDoScroll)
{
    const bool bX = ScrollTo(0, dx, SCR_RELATIVE, bDoScroll);
    const bool bY = ScrollTo(1, dy, SCR_RELATIVE, bDoScroll);
    return bX || bY;
}

bool CGridView::ScrollTo(int nAxis, int nPos, unsigned nFlags, bool bDoScroll)
{
    // A new request starts where the running animation was going.
    FinishSmoothScroll();
    EnsureLayout();
    if (!m_geo.HasBar(nAxis))
        return false;
    int nCell = 0;
    const int cur = m_geo.ScrollPos(nAxis);
    const int t = m_geo.ScrollTarget(nAxis, nPos, nFlags, &nCell);
    if (t == cur)
        return false;
    if (!bDoScroll)
        return true;
    std::vector<int> steps;
    if (CGridSettings::Current().SmoothScrolling())
        steps = m_geo.SmoothSteps(nAxis, cur, t, nFlags, nCell);
    if (steps.size() < 2) {
        QScrollBar* pBar = nAxis == 0 ? horizontalScrollBar() : verticalScrollBar();
        const int nDelta = m_geo.SetScrollPos(nAxis, t);
        pBar->setValue(m_geo.ScrollPos(nAxis));
        ApplyScroll(nAxis, nDelta);
        return true;
    }
    // The first step at once, the others from the timer: the event loop keeps running.
    m_nSmoothAxis = nAxis;
    m_smoothSteps = std::move(steps);
    m_nSmoothNext = 0;
    m_smoothClock.start();
    m_smoothTimer.start();
    SmoothScrollTick();
    return true;
}

void CGridView::SmoothScrollTick()
{
    // A fixed schedule from the first step: a late tick goes straight to the step now due.
    const std::size_t nDue = std::min(m_smoothSteps.size(), std::size_t(m_smoothClock.elapsed() / kSmoothStepMs) + 1);
    if (nDue > m_nSmoothNext)
        SmoothScrollStep(nDue);
}

void CGridView::FinishSmoothScroll()
{
    if (!m_smoothSteps.empty())
        SmoothScrollStep(m_smoothSteps.size());
}

void CGridView::SmoothScrollStep(std::size_t nCount)
{
    const int nAxis = m_nSmoothAxis;
    const int nDelta = m_geo.SetScrollPos(nAxis, m_smoothSteps[nCount - 1]);
    m_nSmoothNext = nCount;
    if (nCount >= m_smoothSteps.size()) {
        m_smoothTimer.stop();
        m_smoothSteps.clear();
        m_nSmoothNext = 0;
    }
    QScrollBar* pBar = nAxis == 0 ? horizontalScrollBar() : verticalScrollBar();
    pBar->setValue(m_geo.ScrollPos(nAxis));
    ApplyScroll(nAxis, nDelta);
    // Repainted whole at each step: what was invalidated between steps may have moved.
    viewport()->update();
    if (nAxis == 0 && m_pColHeader)
        m_pColHeader->update();
    if (nAxis == 1 && m_pRowHeader)
        m_pRowHeader->update();
}

bool CGridView::AutoScrollStep(int nAxis, int nOverflow, bool bDoScroll)
{
    if (nOverflow == 0)
        return false;
    return ScrollTo(nAxis, m_geo.AutoScrollDelta(nOverflow), SCR_RELATIVE, bDoScroll);
}

CWheelOriginWnd* CGridView::WheelOrigin() const
{
    return (m_pWheelOrigin && m_pWheelOrigin->IsActive()) ? m_pWheelOrigin.data() : nullptr;
}

void CGridView::OnBarAction(int nAxis, int nAction)
{
    QScrollBar* pBar = nAxis == 0 ? horizontalScrollBar() : verticalScrollBar();
    if (m_bInBarAction)
        return;
    m_bInBarAction = true;
    switch (nAction) {
    case QAbstractSlider::SliderSingleStepSub:
        ScrollByCode(nAxis, SB_LINEUP, 0, true);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        ScrollByCode(nAxis, SB_LINEDOWN, 0, true);
        break;
    case QAbstractSlider::SliderPageStepSub:
        ScrollByCode(nAxis, SB_PAGEUP, 0, true);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        ScrollByCode(nAxis, SB_PAGEDOWN, 0, true);
        break;
    case QAbstractSlider::SliderToMinimum:
        ScrollByCode(nAxis, SB_TOP, 0, true);
        break;
    case QAbstractSlider::SliderToMaximum:
        ScrollByCode(nAxis, SB_BOTTOM, 0, true);
        break;
    case QAbstractSlider::SliderMove:
        ScrollByCode(nAxis, SB_THUMBTRACK, pBar->sliderPosition(), true);
        break;
    default:
        break;
    }
    // The bar applies its own step after this signal; make it land where the grid is.
    if (pBar->sliderPosition() != m_geo.ScrollPos(nAxis))
        pBar->setSliderPosition(m_geo.ScrollPos(nAxis));
    m_bInBarAction = false;
}

void CGridView::scrollContentsBy(int, int)
{
    // Scrolling is done by ScrollTo, which moves the pixels itself.
}

CScrollHeader* CGridView::CreateColumnHeader(unsigned nStyle)
{
    if (!m_pColHeader) {
        m_pColHeader = new CScrollHeader(this, nStyle | SHS_HORZ);
        PlaceHeaders();
    }
    return m_pColHeader;
}

CScrollHeader* CGridView::CreateRowHeader(unsigned nStyle)
{
    if (!m_pRowHeader) {
        m_pRowHeader = new CScrollHeader(this, nStyle | SHS_VERT);
        PlaceHeaders();
    }
    return m_pRowHeader;
}

CScrollHeader* CGridView::ColumnHeader() const
{
    return m_pColHeader.data();
}

CScrollHeader* CGridView::RowHeader() const
{
    return m_pRowHeader.data();
}

void CGridView::SetColumnTitle(int nCol, const QString& strTitle, unsigned nFormat)
{
    if (m_pColHeader)
        m_pColHeader->SetTitle(nCol, strTitle, nFormat);
}

void CGridView::PlaceHeaders()
{
    if (m_pColHeader) {
        m_pColHeader->setGeometry(0, 0, viewport()->width(), m_geo.Rows().HeaderSum());
        m_pColHeader->raise();
    }
    if (m_pRowHeader) {
        m_pRowHeader->setGeometry(0, 0, m_geo.Cols().HeaderSum(), viewport()->height());
        m_pRowHeader->raise();
    }
}

int CGridView::GetFitColWidth(int nCol)
{
    return GetColWidth(nCol);
}

int CGridView::GetFitRowHeight(int nRow)
{
    return GetRowHeight(nRow);
}

bool CGridView::GetSelectionRgn(QRegion&) const
{
    return false;
}

QColor CGridView::GetGridColor(int nRole) const
{
    return CGridSettings::Current().GridColor(nRole);
}

void CGridView::OnDraw(QPainter&, const QRect&)
{
}

void CGridView::OnDrawOverlay(QPainter&, const QRect&)
{
}

void CGridView::paintEvent(QPaintEvent* pEvent)
{
    EnsureLayout();
    QPainter painter(viewport());
    const QRect rcClip = pEvent->rect();
    EraseBackground(painter, rcClip);
    OnDraw(painter, rcClip);
    OnDrawOverlay(painter, rcClip);
}

void CGridView::EraseBackground(QPainter& painter, const QRect& rcClip)
{
    if (rcClip.isEmpty())
        return;
    if (m_geo.Rows().Total() == 0) {
        // Nothing to rule; the viewport is opaque, so it still needs a background.
        painter.fillRect(rcClip, GetGridColor(GRID_COLOR_WINDOW));
        return;
    }
    QRect rcArea = rcClip;
    if (m_pColHeader && (m_pColHeader->Style() & SHS_COVER))
        rcArea.setTop(std::max(rcArea.top(), m_geo.Rows().HeaderSum()));
    if (m_pRowHeader && (m_pRowHeader->Style() & SHS_COVER))
        rcArea.setLeft(std::max(rcArea.left(), m_geo.Cols().HeaderSum()));
    if (rcArea.isEmpty())
        return;
    const int nHeaderW = m_geo.Cols().HeaderSum();
    const QRect rcHeaderCols = rcArea.intersected(QRect(0, rcArea.top(), nHeaderW, rcArea.height()));
    if (!rcHeaderCols.isEmpty())
        painter.fillRect(rcHeaderCols, CGridSettings::Current().ButtonFace());
    const QRect rcCells = rcArea.intersected(QRect(nHeaderW, rcArea.top(), GRID_COORD_MAX, rcArea.height()));
    if (!rcCells.isEmpty())
        painter.fillRect(rcCells, GetGridColor(GRID_COLOR_WINDOW));
    QRegion rgn;
    if (GetSelectionRgn(rgn)) {
        const QRegion rgnPaint = rgn.intersected(rcArea);
        const QColor color = GetGridColor(GRID_COLOR_HIGHLIGHT);
        for (const QRect& rc : rgnPaint)
            painter.fillRect(rc, color);
    }
    DrawGridLines(painter, rcArea);
}

void CGridView::DrawGridLines(QPainter& painter, const QRect& rcArea)
{
    painter.save();
    painter.setPen(QPen(GetGridColor(GRID_COLOR_GRIDLINE), 0));
    const int nLeft = rcArea.left();
    const int nRight = rcArea.right();
    const int nTop = rcArea.top();
    const int nBottom = rcArea.bottom();

    // Rows: lines on the last pixel row of each row; frozen rows first.
    const CGridAxis& rows = m_geo.Rows();
    for (int i = 0; i < rows.FixedCount(); ++i) {
        const std::int64_t y = rows.Position(i + 1) - 1;
        if (y >= nTop && y <= nBottom)
            painter.drawLine(nLeft, int(y), nRight, int(y));
    }
    {
        const std::int64_t s = m_geo.ScrollPos(1);
        const int f = rows.FixedSum();
        const int nFrom = std::max(rows.FixedCount(), rows.HitTest(std::int64_t(std::max(nTop, f)) + s));
        // Walks only the visible rows; past the list the ruling continues below the last row.
        for (int i = nFrom;; ++i) {
            if (i >= rows.ListSize() && rows.DefaultSize() <= 0)
                break;
            const std::int64_t y = rows.Position(i + 1) - s - 1;
            if (y > nBottom)
                break;
            if (y >= nTop && y >= f)
                painter.drawLine(nLeft, int(y), nRight, int(y));
        }
    }

    // Columns: frozen first, then scrolling ones up to the grid's right end.
    const CGridAxis& cols = m_geo.Cols();
    for (int i = 0; i < cols.FixedCount(); ++i) {
        const std::int64_t x = cols.Position(i + 1) - 1;
        if (x >= nLeft && x <= nRight)
            painter.drawLine(int(x), nTop, int(x), nBottom);
    }
    {
        const std::int64_t s = m_geo.ScrollPos(0);
        const int f = cols.FixedSum();
        const std::int64_t nGridEnd = std::int64_t(cols.Total()) - s - 1;
        const int nFrom = std::max(cols.FixedCount(), cols.HitTest(std::int64_t(std::max(nLeft, f)) + s));
        for (int i = nFrom;; ++i) {
            if (i >= cols.ListSize() && cols.DefaultSize() <= 0)
                break;
            const std::int64_t x = cols.Position(i + 1) - s - 1;
            if (x > nRight)
                break;
            if (i >= cols.ListSize() && x > nGridEnd)
                break;
            if (x >= nLeft && x >= f)
                painter.drawLine(int(x), nTop, int(x), nBottom);
        }
    }
    painter.restore();
}

void CGridView::resizeEvent(QResizeEvent*)
{
    RecalcLayout();
    PlaceHeaders();
}

void CGridView::wheelEvent(QWheelEvent* pEvent)
{
    if (CWheelOriginWnd* pOrigin = WheelOrigin()) {
        // A wheel turn ends panning and scrolls nothing.
        pOrigin->EndPanning();
        pEvent->accept();
        return;
    }
    pEvent->accept();
    if (pEvent->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))
        return;
    EnsureLayout();
    if (!m_geo.HasBar(1))
        return;
    const int nLines = CGridSettings::Current().WheelScrollLines();
    const int nSteps = m_wheel.Add(pEvent->angleDelta().y(), nLines);
    if (nSteps == 0)
        return;
    const int nDistance = m_geo.WheelDistance(nLines < 0 ? -1 : std::abs(nSteps));
    if (nSteps > 0)
        ScrollTo(1, -nDistance, SCR_RELATIVE | SCR_SNAP_A, true);
    else
        ScrollTo(1, nDistance, SCR_RELATIVE | SCR_SNAP_B, true);
}

void CGridView::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::MiddleButton && pEvent->buttons() == Qt::MiddleButton
        && pEvent->modifiers() == Qt::NoModifier && !WheelOrigin()) {
        m_pWheelOrigin = CWheelOriginWnd::Start(this, pEvent->position().toPoint());
        pEvent->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(pEvent);
}

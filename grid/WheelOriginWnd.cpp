#include "grid/WheelOriginWnd.h"

#include "grid/GridSettings.h"
#include "grid/GridView.h"
#include "platform/Clock.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

namespace {

Qt::CursorShape PanCursor(CScrollDirection::EPan direction)
{
    switch (direction) {
    case CScrollDirection::PanLeft:
    case CScrollDirection::PanRight:
        return Qt::SizeHorCursor;
    case CScrollDirection::PanUp:
    case CScrollDirection::PanDown:
        return Qt::SizeVerCursor;
    case CScrollDirection::PanNone:
        break;
    }
    return Qt::SizeAllCursor;
}

constexpr int kIconSize = 24;

} // namespace

CWheelOriginWnd* CWheelOriginWnd::Start(CGridView* pView, const QPoint& pt)
{
    return new CWheelOriginWnd(pView, pt);
}

CWheelOriginWnd::CWheelOriginWnd(CGridView* pView, const QPoint& pt)
    : QWidget(pView->viewport()), m_pView(pView), m_ptPress(pt), m_ptPointer(pt)
{
    const CGridSettings& settings = CGridSettings::Current();
    const int nDist = std::max(0, settings.DragMinDistance());
    m_rcStill = QRect(pt, pt).adjusted(-nDist, -nDist, nDist, nDist);
    m_nDelay = std::max(0, settings.DragDelay());
    m_nPressTick = CClock::TickCount();
    setFocusPolicy(Qt::StrongFocus);
    // After a quick click the pointer moves with no button held; those moves steer too.
    setMouseTracking(true);
    hide();
    pView->installEventFilter(this);
    pView->viewport()->installEventFilter(this);
    m_timer.start(10, this);
}

CWheelOriginWnd::~CWheelOriginWnd()
{
    // Destroyed with its view in mid-pan: give the pointer and keyboard back.
    if (m_state == Panning) {
        releaseMouse();
        releaseKeyboard();
    }
    if (m_bOverrideCursor)
        QGuiApplication::restoreOverrideCursor();
}

bool CWheelOriginWnd::DelayPassed() const
{
    return std::uint32_t(CClock::TickCount() - m_nPressTick) >= std::uint32_t(m_nDelay);
}

void CWheelOriginWnd::TrackPointer(const QPointF& ptGlobal)
{
    m_ptPointer = m_pView->viewport()->mapFromGlobal(ptGlobal.toPoint());
}

void CWheelOriginWnd::BeginPanning()
{
    m_state = Panning;
    m_timer.start(50, this);
    setGeometry(m_ptPress.x() - kIconSize / 2, m_ptPress.y() - kIconSize / 2, kIconSize, kIconSize);
    raise();
    show();
    setFocus(Qt::OtherFocusReason);
    grabMouse();
    grabKeyboard();
    QGuiApplication::setOverrideCursor(QCursor(PanCursor(CScrollDirection::PanNone)));
    m_bOverrideCursor = true;
}

void CWheelOriginWnd::Cancel()
{
    // The wait ended without panning: nothing scrolled, nothing to snap.
    Finish(false);
}

void CWheelOriginWnd::EndPanning()
{
    Finish(m_state == Panning);
}

void CWheelOriginWnd::Finish(bool bSnap)
{
    if (m_state == Ended)
        return;
    const bool bWasPanning = m_state == Panning;
    m_state = Ended;
    m_timer.stop();
    m_pView->removeEventFilter(this);
    m_pView->viewport()->removeEventFilter(this);
    if (bWasPanning) {
        releaseMouse();
        releaseKeyboard();
    }
    if (m_bOverrideCursor) {
        QGuiApplication::restoreOverrideCursor();
        m_bOverrideCursor = false;
    }
    hide();
    if (bSnap)
        m_pView->ScrollTo(CScrollDirection::FinalAxis(m_direction), 0, CScrollDirection::FinalFlags(m_direction), true);
    m_pView->setFocus(Qt::OtherFocusReason);
    deleteLater();
}

void CWheelOriginWnd::Poll()
{
    if (m_state == Waiting) {
        if (DelayPassed())
            BeginPanning();
        return;
    }
    if (m_state != Panning)
        return;
    const QPoint offset = m_ptPointer - m_ptPress;
    const CScrollDirection::SPan pan = CScrollDirection::Pan(offset.x(), offset.y());
    const bool bCan = m_pView->AutoScrollStep(1, pan.dy, false) || m_pView->AutoScrollStep(0, pan.dx, false);
    if (bCan) {
        m_pView->AutoScrollStep(1, pan.dy, true);
        m_pView->AutoScrollStep(0, pan.dx, true);
        // The mark stays where the wheel was pressed while the cells move under it.
        raise();
    }
    if (pan.direction != m_direction && m_bOverrideCursor)
        QGuiApplication::changeOverrideCursor(QCursor(PanCursor(pan.direction)));
    m_direction = pan.direction;
}

bool CWheelOriginWnd::FilterEvent(QEvent* pEvent)
{
    if (m_state == Ended)
        return false;
    switch (pEvent->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
        auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        TrackPointer(pMouse->globalPosition());
        const bool bPress = pEvent->type() != QEvent::MouseMove && pEvent->type() != QEvent::MouseButtonRelease;
        const bool bRelease = pEvent->type() == QEvent::MouseButtonRelease;
        if (m_state == Waiting) {
            const Qt::MouseButton button = pMouse->button();
            if ((bPress || bRelease) && (button == Qt::LeftButton || button == Qt::RightButton)) {
                Cancel();
                return true;
            }
            if (!m_rcStill.contains(m_ptPointer) || DelayPassed())
                BeginPanning();
            return true;
        }
        if (bPress || (bRelease && pMouse->button() == Qt::MiddleButton))
            EndPanning();
        return true;
    }
    case QEvent::Wheel:
        if (m_state == Waiting) {
            if (DelayPassed())
                BeginPanning();
        } else {
            EndPanning();
        }
        return true;
    case QEvent::KeyPress: {
        auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (m_state == Waiting) {
            if (pKey->key() == Qt::Key_Escape)
                Cancel();
            else if (DelayPassed())
                BeginPanning();
        } else {
            EndPanning();
        }
        return true;
    }
    case QEvent::KeyRelease:
        return true;
    default:
        break;
    }
    return false;
}

bool CWheelOriginWnd::eventFilter(QObject*, QEvent* pEvent)
{
    return FilterEvent(pEvent);
}

bool CWheelOriginWnd::event(QEvent* pEvent)
{
    if (FilterEvent(pEvent))
        return true;
    return QWidget::event(pEvent);
}

void CWheelOriginWnd::paintEvent(QPaintEvent*)
{
    // The origin mark: a ring with four small arrowheads.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(1.5, 1.5, kIconSize - 3, kIconSize - 3));
    painter.setBrush(Qt::black);
    const qreal c = kIconSize / 2.0;
    const QPointF up[3] = { { c, 4 }, { c - 3, 8 }, { c + 3, 8 } };
    const QPointF down[3] = { { c, kIconSize - 4.0 }, { c - 3, kIconSize - 8.0 }, { c + 3, kIconSize - 8.0 } };
    const QPointF left[3] = { { 4, c }, { 8, c - 3 }, { 8, c + 3 } };
    const QPointF right[3] = { { kIconSize - 4.0, c }, { kIconSize - 8.0, c - 3 }, { kIconSize - 8.0, c + 3 } };
    painter.drawPolygon(up, 3);
    painter.drawPolygon(down, 3);
    painter.drawPolygon(left, 3);
    painter.drawPolygon(right, 3);
    painter.drawEllipse(QPointF(c, c), 1.5, 1.5);
}

void CWheelOriginWnd::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() == m_timer.timerId())
        Poll();
    else
        QWidget::timerEvent(pEvent);
}

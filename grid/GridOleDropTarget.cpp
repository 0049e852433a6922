#include "grid/GridOleDropTarget.h"

#include "grid/GridSettings.h"
#include "grid/GridViewEx.h"
#include "grid/ScrollDirection.h"
#include "platform/Clock.h"

#include <QTimerEvent>

CGridOleDropTarget::CGridOleDropTarget(CGridViewEx* pView)
    : QObject(pView), m_pView(pView)
{
}

Qt::DropAction CGridOleDropTarget::ScrollAction(Qt::KeyboardModifiers modifiers)
{
    const bool bCtrl = modifiers & Qt::ControlModifier;
    const bool bShift = modifiers & Qt::ShiftModifier;
    if (bCtrl && bShift)
        return Qt::LinkAction;
    if (bCtrl)
        return Qt::CopyAction;
    return Qt::MoveAction;
}

bool CGridOleDropTarget::DragOver(const QPoint& pt, Qt::KeyboardModifiers modifiers)
{
    m_ptLast = pt;
    m_modifiers = modifiers;
    const CGridGeometry& geo = m_pView->Geometry();
    const QRect band(geo.Cols().FixedSum(), geo.Rows().FixedSum(), geo.ClientWidth() - geo.Cols().FixedSum(),
                     geo.ClientHeight() - geo.Rows().FixedSum());
    const CGridSettings& settings = CGridSettings::Current();
    const unsigned nCode = CScrollDirection::DragScrollCode(pt.x(), pt.y(), band, settings.DragScrollInset());
    if (nCode != NoCode && m_pView->OnScroll(nCode, 0, false)) {
        const std::uint32_t nNow = CClock::TickCount();
        if (m_nLastCode == NoCode)
            m_pView->OnDragScrollBegin();
        if (nCode != m_nLastCode) {
            m_nLastStep = nNow;
            m_nWait = settings.DragScrollDelay();
        }
        m_nLastCode = nCode;
        if (std::uint32_t(nNow - m_nLastStep) >= std::uint32_t(std::max(0, m_nWait))) {
            m_pView->OnScroll(nCode, 0, true);
            m_nLastStep = CClock::TickCount();
            m_nWait = settings.DragScrollInterval();
        }
        if (!m_timer.isActive())
            m_timer.start(std::max(10, settings.DragScrollInterval() / 2), this);
        return true;
    }
    if (m_nLastCode != NoCode) {
        m_nLastCode = NoCode;
        m_timer.stop();
        m_pView->OnDragScrollEnd(pt);
    }
    return false;
}

void CGridOleDropTarget::DragLeave()
{
    m_timer.stop();
    m_nLastCode = NoCode;
}

void CGridOleDropTarget::Tick()
{
    if (m_nLastCode != NoCode)
        DragOver(m_ptLast, m_modifiers);
}

void CGridOleDropTarget::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() == m_timer.timerId())
        Tick();
    else
        QObject::timerEvent(pEvent);
}

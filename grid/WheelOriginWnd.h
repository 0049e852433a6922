#pragma once

#include "grid/ScrollDirection.h"

#include <QBasicTimer>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <cstdint>

class CGridView;

// Middle-button panning: press the wheel and move the pointer to scroll in
// that direction, faster the farther it goes. Start waits (as a timer-driven
// state, never a nested loop) until the pointer leaves a small rectangle
// around the press or the drag delay passes; then the origin mark is shown
// at the press point and every 50 ms the grid scrolls by the pointer's offset.
// Any key, any button press, a middle-button release or a wheel turn ends it,
// leaving the position on a cell boundary in the direction of the last movement.
class CWheelOriginWnd : public QWidget
{
    Q_OBJECT

public:
    enum EState { Waiting, Panning, Ended };

    // Begins the wait for panning at pt (viewport coordinates of pView).
    static CWheelOriginWnd* Start(CGridView* pView, const QPoint& pt);
    ~CWheelOriginWnd() override;

    EState State() const { return m_state; }
    bool IsActive() const { return m_state != Ended; }
    bool IsPanning() const { return m_state == Panning; }
    CScrollDirection::EPan Direction() const { return m_direction; }
    QPoint PressPoint() const { return m_ptPress; }

    // Ends panning (or the wait) and snaps the position.
    void EndPanning();
    // One timer step: during the wait, starts panning once the delay passed;
    // while panning, scrolls by the pointer's offset. Public for the timer's tests.
    void Poll();
    // Takes the events of the grid while waiting and of itself while panning;
    // returns whether the event was consumed.
    bool FilterEvent(QEvent* pEvent);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    bool event(QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;

private:
    CWheelOriginWnd(CGridView* pView, const QPoint& pt);
    void BeginPanning();
    void Cancel();
    void Finish(bool bSnap);
    void TrackPointer(const QPointF& ptGlobal);
    bool DelayPassed() const;

    CGridView* m_pView;
    QPoint m_ptPress;
    QPoint m_ptPointer;
    QRect m_rcStill;
    std::uint32_t m_nPressTick = 0;
    int m_nDelay = 200;
    EState m_state = Waiting;
    CScrollDirection::EPan m_direction = CScrollDirection::PanNone;
    QBasicTimer m_timer;
    bool m_bOverrideCursor = false;
};

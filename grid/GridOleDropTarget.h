#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <cstdint>

class CGridViewEx;

// The drop-target side of a grid view that scrolls when something is dragged
// near the edges of its scrolling area. Qt sends no drag-move events while the
// pointer rests, so a timer of its own keeps the edge scroll going. The view
// calls DragOver from its drag-enter and drag-move handlers and DragLeave from
// its drag-leave and drop handlers.
class CGridOleDropTarget : public QObject
{
    Q_OBJECT

public:
    static constexpr unsigned NoCode = 0xFFFF;

    explicit CGridOleDropTarget(CGridViewEx* pView);

    // Returns whether the point is in the edge band where dragging scrolls (the
    // view then shows no drop feedback and accepts the drag only for scrolling).
    bool DragOver(const QPoint& pt, Qt::KeyboardModifiers modifiers);
    void DragLeave();
    // One timer step: scrolls when the waiting time has passed. Public for tests.
    void Tick();

    unsigned LastCode() const { return m_nLastCode; }
    // The drop action a scrolling drag shows for the modifiers held.
    static Qt::DropAction ScrollAction(Qt::KeyboardModifiers modifiers);

protected:
    void timerEvent(QTimerEvent* pEvent) override;

private:
    CGridViewEx* m_pView;
    unsigned m_nLastCode = NoCode;
    std::uint32_t m_nLastStep = 0;
    int m_nWait = 0;
    QPoint m_ptLast;
    Qt::KeyboardModifiers m_modifiers;
    QBasicTimer m_timer;
};

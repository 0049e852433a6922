#include "app/LockKeyState.h"

#include <QCoreApplication>
#include <QKeyEvent>

CLockKeyState::CLockKeyState(QObject* pParent) : QObject(pParent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool CLockKeyState::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pEvent->type() == QEvent::KeyPress || pEvent->type() == QEvent::KeyRelease) {
        // The mask is the state before the event: a lock key's own press shows the old
        // state, its release the new one.
        const quint32 nMask = static_cast<QKeyEvent*>(pEvent)->nativeModifiers();
        m_bCaps = CapsFromMask(nMask);
        m_bNum = NumFromMask(nMask);
    }
    return QObject::eventFilter(pWatched, pEvent);
}

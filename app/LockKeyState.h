#pragma once

#include <QObject>

class QEvent;

// The Caps Lock and Num Lock states for the status bar. Qt does not report them, but
// under X11 and Wayland every key event carries the keyboard's modifier mask, lock bits
// included. Until the first key event the states are unknown and the panes dark.
class CLockKeyState : public QObject
{
    Q_OBJECT

public:
    explicit CLockKeyState(QObject* pParent = nullptr);

    bool IsCapsOn() const { return m_bCaps; }
    bool IsNumOn() const { return m_bNum; }

    // The lock bits of an X11 modifier mask (Lock, Mod2).
    static bool CapsFromMask(quint32 nMask) { return (nMask & 0x02u) != 0; }
    static bool NumFromMask(quint32 nMask) { return (nMask & 0x10u) != 0; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    bool m_bCaps = false;
    bool m_bNum = false;
};

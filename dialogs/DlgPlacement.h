#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Placement arithmetic of the dialogs and their pads, kept apart from any
// window so that it can be tested with made-up screens.
class CDlgPlacement
{
public:
    // A client rectangle of the given size whose left edge is the target's right
    // edge and whose bottom is level with the target's bottom (global coordinates).
    static QRect ClientBesideRight(const QRect& rcTarget, const QSize& size);

    // A frame rectangle whose top-left corner is at the anchor's bottom-left corner.
    static QRect FrameBelowLeft(const QRect& rcAnchor, const QSize& size);

    // A frame rectangle whose left edge is the anchor's right edge and whose bottom
    // is level with the anchor's bottom.
    static QRect FrameBesideRight(const QRect& rcAnchor, const QSize& size);

    // Whether a stored top-left position can be used for a frame of this size: the
    // title bar must lie on one of the screens, else the user could never move it.
    static bool IsReachable(const QPoint& ptTopLeft, const QSize& size, const QList<QRect>& screens);

    // The frame's top-left when it is centred on the owner; kept on the screen
    // that holds the owner's centre when one is given.
    static QPoint CentredOn(const QRect& rcOwner, const QSize& size, const QRect& rcScreen = QRect());
};

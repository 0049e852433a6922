#include "dialogs/DlgPlacement.h"

#include <algorithm>

QRect CDlgPlacement::ClientBesideRight(const QRect& rcTarget, const QSize& size)
{
    // QRect's right() and bottom() are one less than the edges.
    const int nLeft = rcTarget.x() + rcTarget.width();
    const int nBottomEdge = rcTarget.y() + rcTarget.height();
    return QRect(QPoint(nLeft, nBottomEdge - size.height()), size);
}

QRect CDlgPlacement::FrameBelowLeft(const QRect& rcAnchor, const QSize& size)
{
    return QRect(QPoint(rcAnchor.x(), rcAnchor.y() + rcAnchor.height()), size);
}

QRect CDlgPlacement::FrameBesideRight(const QRect& rcAnchor, const QSize& size)
{
    return ClientBesideRight(rcAnchor, size);
}

bool CDlgPlacement::IsReachable(const QPoint& ptTopLeft, const QSize& size, const QList<QRect>& screens)
{
    // A strip along the top of the frame, where the title bar is; at least a
    // little of it must be on a screen for the window to be grabbed.
    constexpr int kStripHeight = 20;
    constexpr int kMinVisible = 40;
    const QRect rcStrip(ptTopLeft, QSize(std::max(size.width(), 1), kStripHeight));
    for (const QRect& rcScreen : screens) {
        const QRect rcCommon = rcStrip.intersected(rcScreen);
        if (!rcCommon.isEmpty() && rcCommon.width() >= std::min(kMinVisible, rcStrip.width())
            && rcCommon.height() >= std::min(kStripHeight / 2, rcStrip.height()))
            return true;
    }
    return false;
}

QPoint CDlgPlacement::CentredOn(const QRect& rcOwner, const QSize& size, const QRect& rcScreen)
{
    QPoint pt(rcOwner.x() + (rcOwner.width() - size.width()) / 2,
              rcOwner.y() + (rcOwner.height() - size.height()) / 2);
    if (rcScreen.isValid()) {
        pt.setX(std::clamp(pt.x(), rcScreen.x(), std::max(rcScreen.x(), rcScreen.x() + rcScreen.width() - size.width())));
        pt.setY(std::clamp(pt.y(), rcScreen.y(), std::max(rcScreen.y(), rcScreen.y() + rcScreen.height() - size.height())));
    }
    return pt;
}

#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// The navigation pane's geometry, computed from the pane size and a few
// measured sizes so that painting, hit-testing and tests agree.
class CNaviLayout
{
public:
    // nTextHeight: height of "99" in the pane's font; nSpinWidth: width of a
    // vertical scroll bar.
    static CNaviLayout Compute(const QSize& client, int nToolBarHeight, int nTextHeight,
                               int nPeriodButtons, int nSpinWidth);

    // The month calendar inside the tab page's area: its minimal size, centred
    // horizontally (a negative left margin when the area is narrower), and a
    // top margin no larger than the horizontal one or than what would centre it.
    static QRect CalendarRect(const QRect& area, const QSize& calendar);

    QRect m_rcToolBar;
    QList<QRect> m_viewButtons;
    QList<QRect> m_periodButtons;
    QRect m_rcDisplay;
    QRect m_rcText;
    QRect m_rcSpin;
    QRect m_rcTab;
};

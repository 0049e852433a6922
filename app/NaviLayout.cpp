#include "app/NaviLayout.h"

#include <algorithm>

CNaviLayout CNaviLayout::Compute(const QSize& client, int nToolBarHeight, int nTextHeight,
                                 int nPeriodButtons, int nSpinWidth)
{
    CNaviLayout layout;
    const int nWidth = std::max(client.width(), 0);
    const int nRow = nTextHeight * 5 / 3;
    int y = 0;
    layout.m_rcToolBar = QRect(0, y, nWidth, nToolBarHeight);
    y += nToolBarHeight;
    for (int i = 0; i < 4; ++i) {
        layout.m_viewButtons.append(QRect(0, y, nWidth, nRow));
        y += nRow;
    }
    const int nButtons = std::max(nPeriodButtons, 1);
    for (int i = 0; i < nButtons; ++i) {
        const int x0 = nWidth * i / nButtons;
        const int x1 = nWidth * (i + 1) / nButtons;
        layout.m_periodButtons.append(QRect(x0, y, x1 - x0, nRow));
    }
    y += nRow;
    layout.m_rcDisplay = QRect(0, y, nWidth, nRow);
    y += nRow;

    QRect rcText = layout.m_rcDisplay.adjusted(2, 2, -2, -2);
    // The spin stands with its right edge one pixel inside the text area.
    const int nSpinRight = rcText.left() + rcText.width() - 1;
    layout.m_rcSpin = QRect(nSpinRight - nSpinWidth, rcText.top(), nSpinWidth, rcText.height());
    rcText.setRight(layout.m_rcSpin.left() - 1);
    layout.m_rcText = rcText;
    layout.m_rcTab = QRect(0, y, nWidth, std::max(client.height() - y, 0));
    return layout;
}

QRect CNaviLayout::CalendarRect(const QRect& area, const QSize& calendar)
{
    const int nLeft = (area.width() - calendar.width()) / 2;
    const int nCentreTop = (area.height() - calendar.height()) / 2;
    const int nTop = std::min(std::max(nLeft, 0), nCentreTop);
    return QRect(area.left() + nLeft, area.top() + nTop, calendar.width(), calendar.height());
}

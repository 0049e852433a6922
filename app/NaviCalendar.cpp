#include "app/NaviCalendar.h"

#include "platform/Clock.h"

#include <QAbstractItemView>
#include <QMouseEvent>
#include <QPainter>

CNaviCalendar::CNaviCalendar(QWidget* pParent) : QCalendarWidget(pParent)
{
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    setDateRange(QDate(1960, 1, 1), QDate(2039, 12, 31));
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(false);
    setSelectedDate(CClock::Now().date());
    m_pTable = findChild<QAbstractItemView*>();
    if (m_pTable != nullptr)
        m_pTable->viewport()->installEventFilter(this);
}

bool CNaviCalendar::IsNeighbourCell(int nRow, int nDay)
{
    // Six week rows: the previous month can only end in the first, the next one only
    // begin in the last two; a month's own days there are below 21 and above 14.
    return (nRow <= 1 && nDay > 20) || (nRow >= 5 && nDay < 15);
}

bool CNaviCalendar::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        if (m_pTable == nullptr || pWatched != m_pTable->viewport())
            break;
        const auto* pMouse = static_cast<QMouseEvent*>(pEvent);
        const QModelIndex index = m_pTable->indexAt(pMouse->position().toPoint());
        if (!index.isValid() || index.row() == 0)
            break;
        bool bOk = false;
        const int nDay = index.data(Qt::DisplayRole).toInt(&bOk);
        // A blank day is not there to be chosen: no click, no page turn.
        if (bOk && IsNeighbourCell(index.row(), nDay))
            return true;
        break;
    }
    default:
        break;
    }
    return QCalendarWidget::eventFilter(pWatched, pEvent);
}

void CNaviCalendar::paintCell(QPainter* pPainter, const QRect& rect, QDate date) const
{
    if (date.month() != monthShown() || date.year() != yearShown()) {
        pPainter->fillRect(rect, palette().color(QPalette::Base));
        return;
    }
    QCalendarWidget::paintCell(pPainter, rect, date);
}

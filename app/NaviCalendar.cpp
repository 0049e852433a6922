#include "app/NaviCalendar.h"

#include "platform/Clock.h"

#include <QPainter>

CNaviCalendar::CNaviCalendar(QWidget* pParent) : QCalendarWidget(pParent)
{
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    setDateRange(QDate(1960, 1, 1), QDate(2039, 12, 31));
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(false);
    setSelectedDate(CClock::Now().date());
}

void CNaviCalendar::paintCell(QPainter* pPainter, const QRect& rect, QDate date) const
{
    if (date.month() != monthShown() || date.year() != yearShown()) {
        pPainter->fillRect(rect, palette().color(QPalette::Base));
        return;
    }
    QCalendarWidget::paintCell(pPainter, rect, date);
}

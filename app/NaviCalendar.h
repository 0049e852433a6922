#pragma once

#include <QCalendarWidget>

// The navigation pane's month calendar: 1960 to 2039, and only the days of
// the month shown.
class CNaviCalendar : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit CNaviCalendar(QWidget* pParent = nullptr);

protected:
    void paintCell(QPainter* pPainter, const QRect& rect, QDate date) const override;
};

#pragma once

#include <QCalendarWidget>

class QAbstractItemView;

// The navigation pane's month calendar: 1960 to 2039, and only the days of
// the month shown. The neighbouring months' days are blank and cannot be chosen.
class CNaviCalendar : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit CNaviCalendar(QWidget* pParent = nullptr);

    // Whether the table cell (row 0 holds the day names) shows a day of another month.
    static bool IsNeighbourCell(int nRow, int nDay);
    // The calendar's day table.
    QAbstractItemView* DayTable() const { return m_pTable; }

protected:
    void paintCell(QPainter* pPainter, const QRect& rect, QDate date) const override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    QAbstractItemView* m_pTable = nullptr;
};

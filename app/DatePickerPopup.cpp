#include "app/DatePickerPopup.h"

#include <QKeyEvent>

CDatePickerPopup::CDatePickerPopup(QWidget* pParent) : QCalendarWidget(pParent)
{
    setWindowFlags(Qt::Popup);
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    setDateRange(QDate(1960, 1, 1), QDate(2039, 12, 31));
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    connect(this, &QCalendarWidget::clicked, this, [this](QDate date) {
        m_chosen = date;
        hide();
    });
    connect(this, &QCalendarWidget::activated, this, [this](QDate date) {
        m_chosen = date;
        hide();
    });
}

void CDatePickerPopup::DropDown(const QPoint& ptGlobal, const QDate& date)
{
    m_chosen = QDate();
    if (date.isValid())
        setSelectedDate(date);
    move(ptGlobal);
    show();
    Q_EMIT DroppedDown();
}

void CDatePickerPopup::hideEvent(QHideEvent* pEvent)
{
    QCalendarWidget::hideEvent(pEvent);
    const QDate chosen = m_chosen;
    m_chosen = QDate();
    Q_EMIT ClosedUp(chosen);
}

void CDatePickerPopup::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_Escape) {
        m_chosen = QDate();
        hide();
        return;
    }
    QCalendarWidget::keyPressEvent(pEvent);
}

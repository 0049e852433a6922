#pragma once

#include <QCalendarWidget>
#include <QDate>

// The drop-down date picker the frame lends to the views for their go-to-date
// commands: a calendar that pops up at a point and tells when it drops down
// and when it closes up, with the day chosen (an invalid date when none).
class CDatePickerPopup : public QCalendarWidget
{
    Q_OBJECT

public:
    explicit CDatePickerPopup(QWidget* pParent = nullptr);

    // Opens below-right of ptGlobal (its top-left corner there), showing date.
    void DropDown(const QPoint& ptGlobal, const QDate& date);

Q_SIGNALS:
    void DroppedDown();
    void ClosedUp(const QDate& chosen);

protected:
    void hideEvent(QHideEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    QDate m_chosen;
};

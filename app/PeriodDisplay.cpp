#include "app/PeriodDisplay.h"

#include <QPainter>

CPeriodDisplay::CPeriodDisplay(QWidget* pParent) : QWidget(pParent) {}

void CPeriodDisplay::SetText(const QString& strText)
{
    if (m_strText == strText)
        return;
    m_strText = strText;
    update();
}

void CPeriodDisplay::SetTextRect(const QRect& rc)
{
    m_rcText = rc;
    update();
}

void CPeriodDisplay::SetSpinRect(const QRect& rc, bool bSpinVisible)
{
    m_rcSpin = rc;
    m_bSpinVisible = bSpinVisible;
    update();
}

void CPeriodDisplay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& pal = palette();
    QRect rc = rect();
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawRect(rc.adjusted(0, 0, -1, -1));
    rc.adjust(1, 1, -1, -1);
    painter.setPen(pal.color(QPalette::Button));
    painter.drawRect(rc.adjusted(0, 0, -1, -1));
    rc.adjust(1, 1, -1, -1);
    painter.fillRect(rc, pal.color(QPalette::Base));
    if (!m_bSpinVisible && m_rcSpin.isValid())
        painter.fillRect(m_rcSpin, pal.color(QPalette::Button));
    if (!m_strText.isEmpty()) {
        painter.setPen(pal.color(QPalette::Text));
        painter.drawText(m_rcText.isValid() ? m_rcText : rc, Qt::AlignCenter | Qt::TextSingleLine, m_strText);
    }
}

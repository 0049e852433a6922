#include "app/NaviSpin.h"

#include "platform/Clock.h"

#include <QToolButton>

CNaviSpin::CNaviSpin(QWidget* pParent)
    : QWidget(pParent), m_pUp(new QToolButton(this)), m_pDown(new QToolButton(this))
{
    m_pUp->setArrowType(Qt::UpArrow);
    m_pDown->setArrowType(Qt::DownArrow);
    for (QToolButton* pButton : {m_pUp, m_pDown}) {
        pButton->setAutoRepeat(true);
        pButton->setAutoRepeatDelay(500);
        pButton->setAutoRepeatInterval(100);
        pButton->setFocusPolicy(Qt::NoFocus);
        connect(pButton, &QToolButton::pressed, this, [this] { m_nPressTick = CClock::TickCount(); });
    }
    connect(m_pUp, &QToolButton::clicked, this, [this] { OnClicked(-1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { OnClicked(+1); });
}

int CNaviSpin::StepSize(std::uint32_t nHeldMs)
{
    return nHeldMs >= FAST_AFTER_MS ? FAST_STEP : 1;
}

void CNaviSpin::OnClicked(int nDirection)
{
    // The tick count wraps; the difference of two unsigned readings does not care.
    const std::uint32_t nHeld = CClock::TickCount() - m_nPressTick;
    Q_EMIT Stepped(nDirection * StepSize(nHeld));
}

void CNaviSpin::resizeEvent(QResizeEvent*)
{
    const int nHalf = height() / 2;
    m_pUp->setGeometry(0, 0, width(), nHalf);
    m_pDown->setGeometry(0, nHalf, width(), height() - nHalf);
}

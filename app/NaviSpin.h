#pragma once

#include <QWidget>
#include <cstdint>

class QToolButton;

// The period spin of the navigation pane: an up and a down arrow that
// repeat while held; after three seconds of holding each step is twelve.
// The up arrow reports a negative delta, as a default spin range does, so
// that it moves to the following period.
class CNaviSpin : public QWidget
{
    Q_OBJECT

public:
    static constexpr std::uint32_t FAST_AFTER_MS = 3000;
    static constexpr int FAST_STEP = 12;

    explicit CNaviSpin(QWidget* pParent = nullptr);

    // The step size after holding an arrow for nHeldMs.
    static int StepSize(std::uint32_t nHeldMs);

    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }

Q_SIGNALS:
    void Stepped(int nDelta);

protected:
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void OnClicked(int nDirection);

    QToolButton* m_pUp;
    QToolButton* m_pDown;
    std::uint32_t m_nPressTick = 0;
};

#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

// The sunken box of the navigation pane that shows the active view's
// period; the spin sits over its right end.
class CPeriodDisplay : public QWidget
{
    Q_OBJECT

public:
    explicit CPeriodDisplay(QWidget* pParent = nullptr);

    void SetText(const QString& strText);
    const QString& Text() const { return m_strText; }
    // The part of the box the text is centred in (widget coordinates).
    void SetTextRect(const QRect& rc);
    // The spin's area, painted in the face colour while the spin is hidden.
    void SetSpinRect(const QRect& rc, bool bSpinVisible);

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QString m_strText;
    QRect m_rcText;
    QRect m_rcSpin;
    bool m_bSpinVisible = true;
};

#pragma once

#include <QLineEdit>
#include <QString>

// The one-line editor laid over a cell. Start shows it on a rectangle with a
// text; Enter, losing the focus or End(true) commit, Esc cancels. A commit of
// a changed text emits Committed; an unchanged text or a cancel emits nothing.
// While it edits it takes every key before shortcuts, so the frame's
// accelerators stay suspended.
class CInplaceEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CInplaceEdit(QWidget* pParent);
    ~CInplaceEdit() override;

    void Start(const QString& strText, const QRect& rc);
    // Ends editing; with bCommit a changed text is reported. Nothing when inactive.
    void End(bool bCommit);
    bool IsActive() const { return m_bActive; }
    QString StartText() const { return m_strStart; }

    // The editor now editing, if any (the main frame closes it on a press elsewhere).
    static CInplaceEdit* ActiveEditor();
    // Ends the active editor with a commit unless pTarget is the editor or inside it;
    // the main frame calls this for every button press and wheel turn it sees.
    static void CloseUnlessInside(QObject* pTarget);

Q_SIGNALS:
    void Committed(const QString& strText);
    void Cancelled();

protected:
    bool event(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;

private:
    void Finish();

    bool m_bActive = false;
    QString m_strStart;
};

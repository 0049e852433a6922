#pragma once

#include <QLineEdit>
#include <QString>

#include <functional>

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

    // Told with true when an editor starts editing and with false when it stops, so
    // that the window owning the shortcuts and the dismissal can register it without
    // the grid knowing that window. One hook at a time; RemoveFrameHook drops it only
    // for the owner that installed it.
    using FrameHook = std::function<void(CInplaceEdit* pEdit, bool bEditing)>;
    static void InstallFrameHook(const QObject* pOwner, FrameHook fn);
    static void RemoveFrameHook(const QObject* pOwner);

Q_SIGNALS:
    void Committed(const QString& strText);
    void Cancelled();

protected:
    bool event(QEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;

private:
    void Finish();
    static void NotifyFrame(CInplaceEdit* pEdit, bool bEditing);

    bool m_bActive = false;
    QString m_strStart;
};

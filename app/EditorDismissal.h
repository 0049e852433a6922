#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// While an in-place cell editor is registered, a mouse press aimed at any
// other window and any wheel turn, wherever aimed, hide the editor before
// the event is processed as usual.
class CEditorDismissal : public QObject
{
    Q_OBJECT

public:
    explicit CEditorDismissal(QObject* pParent = nullptr);
    ~CEditorDismissal() override;

    void Register(QWidget* pEditor, std::function<void()> fnHide);
    void Unregister(QWidget* pEditor);
    QWidget* Editor() const { return m_pEditor; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void Dismiss();

    QPointer<QWidget> m_pEditor;
    std::function<void()> m_fnHide;
    bool m_bInstalled = false;
};

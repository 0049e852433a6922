#include "app/EditorDismissal.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

CEditorDismissal::CEditorDismissal(QObject* pParent) : QObject(pParent) {}

CEditorDismissal::~CEditorDismissal()
{
    if (m_bInstalled && qApp)
        qApp->removeEventFilter(this);
}

void CEditorDismissal::Register(QWidget* pEditor, std::function<void()> fnHide)
{
    m_pEditor = pEditor;
    m_fnHide = std::move(fnHide);
    if (!m_bInstalled && qApp) {
        qApp->installEventFilter(this);
        m_bInstalled = true;
    }
}

void CEditorDismissal::Unregister(QWidget* pEditor)
{
    if (m_pEditor != pEditor)
        return;
    m_pEditor = nullptr;
    m_fnHide = nullptr;
    if (m_bInstalled && qApp) {
        qApp->removeEventFilter(this);
        m_bInstalled = false;
    }
}

void CEditorDismissal::Dismiss()
{
    // Taken first: hiding usually unregisters the editor.
    std::function<void()> fnHide = std::move(m_fnHide);
    m_fnHide = nullptr;
    if (fnHide)
        fnHide();
}

bool CEditorDismissal::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (!m_pEditor || !m_fnHide || !pWatched->isWidgetType())
        return false;
    switch (pEvent->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: {
        auto* pWidget = static_cast<QWidget*>(pWatched);
        // A popup open while editing came from the editor itself (its context menu):
        // any press that could open another one has already hidden the editor.
        if (pWidget->window()->windowType() == Qt::Popup)
            break;
        if (pWidget != m_pEditor && !m_pEditor->isAncestorOf(pWidget))
            Dismiss();
        break;
    }
    case QEvent::Wheel:
        Dismiss();
        break;
    default:
        break;
    }
    return false;
}

#include "grid/InplaceEdit.h"

#include "grid/GridSettings.h"

#include <QKeyEvent>

namespace {

CInplaceEdit* g_pActive = nullptr;

struct SFrameHook
{
    const QObject* pOwner = nullptr;
    CInplaceEdit::FrameHook fn;
};

SFrameHook& FrameHookSlot()
{
    static SFrameHook hook;
    return hook;
}

} // namespace

CInplaceEdit::CInplaceEdit(QWidget* pParent)
    : QLineEdit(pParent)
{
    setFont(CGridSettings::Current().ViewFont());
    setFrame(false);
    hide();
}

CInplaceEdit::~CInplaceEdit()
{
    if (g_pActive == this)
        g_pActive = nullptr;
    // Destroyed while editing: the frame must not keep its shortcuts away for a dead editor.
    if (m_bActive) {
        m_bActive = false;
        NotifyFrame(this, false);
    }
}

void CInplaceEdit::InstallFrameHook(const QObject* pOwner, FrameHook fn)
{
    FrameHookSlot() = SFrameHook{pOwner, std::move(fn)};
}

void CInplaceEdit::RemoveFrameHook(const QObject* pOwner)
{
    if (FrameHookSlot().pOwner == pOwner)
        FrameHookSlot() = SFrameHook();
}

void CInplaceEdit::NotifyFrame(CInplaceEdit* pEdit, bool bEditing)
{
    // Copied: the hook may replace itself while it runs.
    const FrameHook fn = FrameHookSlot().fn;
    if (fn)
        fn(pEdit, bEditing);
}

CInplaceEdit* CInplaceEdit::ActiveEditor()
{
    return g_pActive;
}

void CInplaceEdit::CloseUnlessInside(QObject* pTarget)
{
    CInplaceEdit* pEdit = g_pActive;
    if (!pEdit)
        return;
    for (QObject* p = pTarget; p; p = p->parent()) {
        if (p == pEdit)
            return;
    }
    pEdit->End(true);
}

void CInplaceEdit::Start(const QString& strText, const QRect& rc)
{
    if (g_pActive && g_pActive != this)
        g_pActive->End(true);
    g_pActive = this;
    NotifyFrame(this, true);
    setGeometry(rc);
    raise();
    show();
    setText(strText);
    deselect();
    end(false);
    setFocus(Qt::OtherFocusReason);
    m_strStart = strText;
    m_bActive = true;
}

void CInplaceEdit::Finish()
{
    m_bActive = false;
    if (g_pActive == this)
        g_pActive = nullptr;
    NotifyFrame(this, false);
    // Hide after dropping the active state, so the focus loss it causes does not commit again.
    hide();
    if (parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
}

void CInplaceEdit::End(bool bCommit)
{
    if (!m_bActive)
        return;
    Finish();
    const QString strText = text();
    if (bCommit && strText != m_strStart)
        Q_EMIT Committed(strText);
}

bool CInplaceEdit::event(QEvent* pEvent)
{
    // Every key belongs to the editor while it edits: no shortcut may fire.
    if (pEvent->type() == QEvent::ShortcutOverride && m_bActive) {
        pEvent->accept();
        return true;
    }
    return QLineEdit::event(pEvent);
}

void CInplaceEdit::keyPressEvent(QKeyEvent* pEvent)
{
    if (m_bActive && (pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter)) {
        End(true);
        pEvent->accept();
        return;
    }
    if (m_bActive && pEvent->key() == Qt::Key_Escape) {
        Finish();
        Q_EMIT Cancelled();
        pEvent->accept();
        return;
    }
    QLineEdit::keyPressEvent(pEvent);
}

void CInplaceEdit::focusOutEvent(QFocusEvent* pEvent)
{
    QLineEdit::focusOutEvent(pEvent);
    // The editor's own context menu takes the focus for a moment; that is not leaving the cell.
    if (m_bActive && pEvent->reason() != Qt::PopupFocusReason)
        End(true);
}

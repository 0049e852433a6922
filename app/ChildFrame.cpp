#include "app/ChildFrame.h"

#include "command/CommandTarget.h"
#include "app/FrameTitle.h"
#include "app/LedgerSession.h"
#include "command/NaviTarget.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CLedgerSession& session, int nKind, QWidget* pView, QWidget* pParent)
    : QMdiSubWindow(pParent), m_pSession(&session), m_nKind(nKind)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(pView);
    session.AddFrame(this);
    connect(&session, &CLedgerSession::TitleChanged, this, &CChildFrame::UpdateTitle);
    UpdateTitle();
}

CChildFrame::~CChildFrame()
{
    if (!m_bRemoved && m_pSession) {
        m_bRemoved = true;
        m_pSession->RemoveFrame(this);
    }
}

CCommandTarget* CChildFrame::ViewTarget() const
{
    return dynamic_cast<CCommandTarget*>(widget());
}

INaviTarget* CChildFrame::NaviTarget() const
{
    return dynamic_cast<INaviTarget*>(widget());
}

QString CChildFrame::FrameTitle() const
{
    if (!m_pSession)
        return windowTitle();
    const int nCount = int(m_pSession->Frames().size());
    return CFrameTitle::GetFrameTitle(m_pSession->Title(), m_pSession->IsModified(),
                                      m_pSession->FrameNumber(this), nCount);
}

void CChildFrame::UpdateTitle()
{
    const QString strTitle = FrameTitle();
    if (windowTitle() != strTitle)
        setWindowTitle(strTitle);
}

void CChildFrame::closeEvent(QCloseEvent* pEvent)
{
    // The last window of a ledger closes the ledger: a modified one asks first.
    if (m_pSession && !m_bRemoved && m_pSession->Frames().size() == 1 && !m_pSession->IsCloseConfirmed()
        && !m_pSession->CanClose()) {
        pEvent->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(pEvent);
    if (pEvent->isAccepted() && !m_bRemoved && m_pSession) {
        // Leave the ledger now, so that the other windows lose their numbers
        // before this one is deleted.
        m_bRemoved = true;
        m_pSession->RemoveFrame(this);
    }
}

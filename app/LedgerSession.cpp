#include "app/LedgerSession.h"

#include "app/ChildFrame.h"
#include "model/CofferDoc.h"


CLedgerSession::CLedgerSession(QObject* pParent) : QObject(pParent), m_pDoc(std::make_unique<CCofferDoc>()) {}

CLedgerSession::~CLedgerSession()
{
    m_pDoc->DeleteContents();
}

const QString& CLedgerSession::Path() const
{
    return m_pDoc->GetPathName();
}

void CLedgerSession::SetPath(const QString& strPath)
{
    m_pDoc->SetPathName(strPath);
    Q_EMIT TitleChanged();
}

const QString& CLedgerSession::Title() const
{
    return m_pDoc->GetTitle();
}

void CLedgerSession::SetTitle(const QString& strTitle)
{
    if (m_pDoc->GetTitle() == strTitle)
        return;
    m_pDoc->SetTitle(strTitle);
    Q_EMIT TitleChanged();
}

bool CLedgerSession::IsModified() const
{
    return m_pDoc->IsModified();
}

void CLedgerSession::SetModified(bool bModified)
{
    if (m_pDoc->IsModified() == bModified)
        return;
    m_pDoc->SetModifiedFlag(bModified);
    Q_EMIT TitleChanged();
}

QList<CChildFrame*> CLedgerSession::Frames() const
{
    QList<CChildFrame*> frames;
    for (const QPointer<CChildFrame>& pFrame : m_frames) {
        if (pFrame)
            frames.append(pFrame.data());
    }
    return frames;
}

void CLedgerSession::AddFrame(CChildFrame* pFrame)
{
    m_frames.append(pFrame);
    Q_EMIT TitleChanged();
}

void CLedgerSession::RemoveFrame(CChildFrame* pFrame)
{
    m_frames.removeIf([pFrame](const QPointer<CChildFrame>& p) { return !p || p == pFrame; });
    if (m_frames.isEmpty())
        Q_EMIT Closed(this);
    else
        Q_EMIT TitleChanged();
}

int CLedgerSession::FrameNumber(const CChildFrame* pFrame) const
{
    int n = 0;
    for (const QPointer<CChildFrame>& p : m_frames) {
        if (!p)
            continue;
        ++n;
        if (p == pFrame)
            return n;
    }
    return 0;
}

CChildFrame* CLedgerSession::FindFrame(int nKind) const
{
    for (const QPointer<CChildFrame>& p : m_frames) {
        if (p && p->Kind() == nKind)
            return p.data();
    }
    return nullptr;
}

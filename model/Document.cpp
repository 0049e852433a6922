#include "model/Document.h"

#include <QFileInfo>

#include <algorithm>

void CDocument::SetTitle(const QString& strTitle)
{
    m_strTitle = strTitle;
    UpdateFrameTitles();
}

void CDocument::SetPathName(const QString& strPathName)
{
    m_strPathName = strPathName;
    SetTitle(QFileInfo(strPathName).fileName());
}

void CDocument::SetModifiedFlag(bool bModified)
{
    m_bModified = bModified;
}

void CDocument::AddView(IDocView* pView)
{
    if (pView != nullptr && FindView(pView) < 0)
        m_views.push_back(pView);
}

void CDocument::RemoveView(IDocView* pView)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), pView), m_views.end());
}

IDocView* CDocument::GetView(int nIndex) const
{
    if (nIndex < 0 || nIndex >= int(m_views.size()))
        return nullptr;
    return m_views[std::size_t(nIndex)];
}

int CDocument::FindView(const IDocView* pView) const
{
    auto it = std::find(m_views.begin(), m_views.end(), pView);
    return it == m_views.end() ? -1 : int(it - m_views.begin());
}

void CDocument::UpdateAllViews(IDocView* pSender, const UpdateHint& hint)
{
    // A copy, so that a view may close (and remove itself) while it is being told.
    const std::vector<IDocView*> views = m_views;
    for (IDocView* pView : views) {
        if (pView != pSender && FindView(pView) >= 0)
            pView->OnUpdate(pSender, hint);
    }
}

void CDocument::UpdateFrameTitles()
{
    const std::vector<IDocView*> views = m_views;
    for (IDocView* pView : views) {
        if (FindView(pView) >= 0)
            pView->OnUpdateFrameTitle();
    }
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

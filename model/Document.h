#pragma once

#include "model/DocView.h"
#include "model/UpdateHint.h"

#include <QString>
#include <vector>

// The document half of the document/view layer: a title, a file path, a modified flag and
// the views that show the document. The document does not own its views; a view removes
// itself before it goes away.
class CDocument
{
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& strTitle);
    const QString& GetPathName() const { return m_strPathName; }
    // The title becomes the file name of the path.
    void SetPathName(const QString& strPathName);

    virtual bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool bModified = true);

    void AddView(IDocView* pView);
    void RemoveView(IDocView* pView);
    int GetViewCount() const { return int(m_views.size()); }
    IDocView* GetView(int nIndex) const;
    // Position of the view among the document's views, -1 when it is not one of them.
    int FindView(const IDocView* pView) const;

    // Tells every view except pSender about a change.
    void UpdateAllViews(IDocView* pSender, const UpdateHint& hint = SRefresh{});
    // Asks every view to rebuild its frame caption.
    void UpdateFrameTitles();

    // Destroys the document's data (before new, before open and at close).
    virtual void DeleteContents() {}
    // The base step of a new document: empty contents, unmodified.
    virtual bool OnNewDocument();

protected:
    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    std::vector<IDocView*> m_views;
};

#pragma once

#include "model/Category.h"
#include "model/PropList.h"

#include "app/ListPropPage.h"

#include <QStringList>

#include <functional>

class CCofferDoc;

// The category page (費目) of the list settings: a working copy of the ledger's categories
// with add, delete, change, up and down; nothing reaches the ledger before Apply.
class CCatPropPage : public CListPropPage
{
    Q_OBJECT

public:
    enum : int {
        IDD = 356,
    };
    // Opens the entry dialog for a category (new or changed; the attribute of row 0 is
    // fixed); false on cancel.
    using EditFn =
        std::function<bool(CCategory& cat, const QStringList& namesToAvoid, bool bAttrChangeable, QWidget* pParent)>;

    explicit CCatPropPage(CCofferDoc& doc, QWidget* pParent = nullptr);

    // The entry dialog unless a test answers in its place.
    void SetEditHook(EditFn fn) { m_fnEdit = std::move(fn); }
    const CPropList<CCategory>& List() const { return m_list; }
    bool IsModified() const { return m_list.IsModified(); }
    // Hands a modified list to the ledger; true when nothing needed doing or it was applied.
    bool Apply();

    void OnAdd() override;
    void OnDelete() override;
    void OnChange() override;
    void OnUp() override;
    void OnDown() override;

protected:
    int RowCount() const override { return m_list.Count(); }
    void FitColumns() override;

private:
    void Refill(int nSelect);
    QStringList NamesExcept(int nRow) const;
    bool Edit(CCategory& cat, const QStringList& avoid, bool bAttrChangeable);

    CCofferDoc& m_doc;
    CPropList<CCategory> m_list;
    EditFn m_fnEdit;
};

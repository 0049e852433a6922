#pragma once

#include "model/CurFmt.h"
#include "model/PropList.h"

#include "app/ListPropPage.h"

#include <QStringList>

#include <functional>

class CCofferDoc;

// The currency page (通貨) of the list settings: a working copy of the ledger's currencies
// with add, delete, change, up and down; nothing reaches the ledger before Apply.
class CCurPropPage : public CListPropPage
{
    Q_OBJECT

public:
    enum : int {
        IDD = 355,
    };
    // Opens the entry dialog for a currency (new or changed); false on cancel.
    using EditFn = std::function<bool(CCurFmt& cur, const QStringList& symbolsToAvoid, QWidget* pParent)>;

    explicit CCurPropPage(CCofferDoc& doc, QWidget* pParent = nullptr);

    // The entry dialog unless a test answers in its place.
    void SetEditHook(EditFn fn) { m_fnEdit = std::move(fn); }
    const CPropList<CCurFmt>& List() const { return m_list; }
    bool IsModified() const { return m_list.IsModified(); }
    // Hands a modified list to the ledger; true when nothing needed doing or it was applied.
    bool Apply();

    void OnAdd() override;
    void OnDelete() override;
    void OnChange() override;
    void OnUp() override;
    void OnDown() override;

    // The placement pattern a row shows.
    static QString PlacementText(int nPos);

protected:
    int RowCount() const override { return m_list.Count(); }
    void FitColumns() override;

private:
    void Refill(int nSelect);
    QStringList SymbolsExcept(int nRow) const;
    bool Edit(CCurFmt& cur, const QStringList& avoid);

    CCofferDoc& m_doc;
    CPropList<CCurFmt> m_list;
    EditFn m_fnEdit;
};

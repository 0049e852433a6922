#pragma once

#include "model/Category.h"
#include "model/PropList.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class CCofferDoc;
class QPushButton;
class QTableWidget;

// The category page (費目) of the list settings: a working copy of the ledger's categories
// with add, delete, change, up and down; nothing reaches the ledger before Apply.
class CCatPropPage : public QWidget
{
    Q_OBJECT

public:
    enum : int {
        IDD = 356,
        IDC_ADD = 1030,
        IDC_DELETE = 1031,
        IDC_CHANGE = 1032,
        IDC_UP = 1033,
        IDC_DOWN = 1034,
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

    int Selected() const;
    void Select(int nRow);
    void OnAdd();
    void OnDelete();
    void OnChange();
    void OnUp();
    void OnDown();

Q_SIGNALS:
    void Modified();

protected:
    void resizeEvent(QResizeEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;

private:
    void Refill(int nSelect);
    void OnSelChange();
    void FitColumns();
    QStringList NamesExcept(int nRow) const;
    bool Edit(CCategory& cat, const QStringList& avoid, bool bAttrChangeable);

    CCofferDoc& m_doc;
    CPropList<CCategory> m_list;
    EditFn m_fnEdit;
    QTableWidget* m_pTable;
    QPushButton* m_pAdd;
    QPushButton* m_pDelete;
    QPushButton* m_pChange;
    QPushButton* m_pUp;
    QPushButton* m_pDown;
};

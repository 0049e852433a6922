#pragma once

#include <QDialog>

class CCatPropPage;
class CCofferDoc;
class CCurPropPage;
class QPushButton;
class QTabWidget;

// The list settings (プロパティの設定): the currency and category pages of one ledger. OK and
// Apply hand each modified page's list to the ledger; Cancel drops what was not applied.
class CListPropSheet : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDS_CAPTION = 349,
        PAGE_CURRENCY = 0,
        PAGE_CATEGORY = 1,
    };

    CListPropSheet(CCofferDoc& doc, int nPage, QWidget* pParent = nullptr);

    CCurPropPage* CurrencyPage() const { return m_pCurPage; }
    CCatPropPage* CategoryPage() const { return m_pCatPage; }
    QTabWidget* Tabs() const { return m_pTabs; }
    QPushButton* ApplyButton() const { return m_pApply; }

    // Applies both pages; false when the ledger refused a list.
    bool Apply();

    // The commands' way in: the sheet on the given page, modal. Returns whether OK closed it.
    static bool Run(CCofferDoc& doc, int nPage, QWidget* pParent);

private:
    void OnOK();
    void OnModified();

    CCurPropPage* m_pCurPage;
    CCatPropPage* m_pCatPage;
    QTabWidget* m_pTabs;
    QPushButton* m_pOK;
    QPushButton* m_pCancel;
    QPushButton* m_pApply;
};

#pragma once

#include "model/Category.h"
#include "model/RecItem.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QListView;
class QPushButton;
class QToolButton;

// The description pad: separator keys and the descriptions used before, filtered by
// category. A modeless tool window that never takes the focus from its owner's edits;
// keys and picked entries are delivered at once through signals.
class CAssistDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDD = 360,
        IDC_FIRST_KEY = 1060,
        KEY_COUNT = 8,
        IDC_CATEGORY = 1007,
        IDC_PAREN = 1008,
        IDC_LIST = 1009,
        LIST_COLUMNS = 4,
        PAD_DESCRIPTION = 0x10000,
        PAD_NUMERIC = 0x20000,
    };

    explicit CAssistDlg(QWidget* pOwner);
    ~CAssistDlg() override;

    // Every call takes the lists (the index must outlive the pad's use of it). The first
    // call fills the category list and places the pad with its top-left corner at the
    // target's bottom-left corner; later calls only show it where it is, refreshing the
    // category list when the owner added a category and the listed descriptions when the
    // index changed since they were listed.
    void ShowPad(const std::vector<CCategory>& cats, const std::vector<CRecItem>* pItems, QWidget* pTarget);

    // A new value refills the list; with bUpdateControls the category list and the
    // toggle follow the value. Values outside the use keys clear the list (-1).
    void SetFilter(int nValue, bool bUpdateControls);
    int Filter() const { return m_nFilter; }

    // Whether ShowPad has placed the pad once.
    bool IsPlaced() const { return m_bPlaced; }

    // The index positions listed now, in list order.
    const std::vector<int>& Listed() const;
    // Picks the listed entry at a row, as a click does.
    void PickRow(int nRow);

    QComboBox* CategoryList() const { return m_pCategory; }
    QToolButton* ParenToggle() const { return m_pParen; }
    QListView* List() const { return m_pList; }
    QPushButton* Key(int nID) const;
    // The character a key sends (8 for "←").
    static QChar KeyChar(int nIndex);

Q_SIGNALS:
    void PadInput(int nParam);            // 0x10000 + character; "←" sends 0x20000 + 8
    void PadEntry(int nValue, int nItem); // the chosen category's attribute, the index position

protected:
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    class CListModel;

    void FillCategories();
    void SyncControls();
    void Refill();
    bool ListIsStale() const;
    void OnCategoryChosen(int nIndex);
    void OnParenToggled(bool bOn);
    void UpdateColumnWidth();

    std::vector<CCategory> m_cats;
    const std::vector<CRecItem>* m_pItems = nullptr;
    int m_nFilter = -1;
    bool m_bFilled = false;
    bool m_bPlaced = false;
    // What the listed positions were taken from, to notice a grown or replaced index.
    const std::vector<CRecItem>* m_pListedItems = nullptr;
    std::size_t m_nListedCount = 0;
    CListModel* m_pModel;
    QPushButton* m_apKeys[KEY_COUNT] = {};
    QComboBox* m_pCategory;
    QToolButton* m_pParen;
    QListView* m_pList;
};

#pragma once

#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/RecItem.h"

#include <QDialog>
#include <QPoint>
#include <QStringList>

#include <functional>
#include <vector>

class CAssistDlg;
class CDescMatcher;
class CNumKeyDlg;
class CRecEditEntry;
class QComboBox;
class QCompleter;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QStringListModel;

// The record dialog (データの入力 / 追加 / 修正): one ledger line's date, currency,
// categories, amounts and description, edited on the fields of a CRecEditEntry. The
// numeric pad and the description pad open beside it unless the input assist is manual;
// both follow it when it moves. The description completes from the document's index
// as the user types. Ends with 1 (OK), 1006 ("次へ") or 2 (cancel).
class CRecEditDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDD = 335,
        IDC_DATE = 1000,
        IDC_CATEGORY = 1001,
        IDC_CATEGORY2 = 1002,
        IDC_CURRENCY = 1003,
        IDC_AMOUNT = 1004,
        IDC_DESC = 1005,
        IDC_NEXT = 1006,
        IDC_NUM_PAD = 1065,
        IDC_DESC_PAD = 1066,
    };

    // The dialogs behind "他の通貨..." and "他の費目...": fill the entry and return true on OK.
    using AddCurrencyFn = std::function<bool(CCurFmt& cur, const QStringList& symbolsToAvoid, QWidget* pParent)>;
    using AddCategoryFn = std::function<bool(CCategory& cat, const QStringList& namesToAvoid, QWidget* pParent)>;

    CRecEditDlg(CRecEditEntry& entry, const std::vector<CRecItem>* pItems, bool bAssistManual,
                QWidget* pParent = nullptr);
    ~CRecEditDlg() override;

    // Where the dialog last stood in this run (NO_POSITION when never shown); kept in
    // the settings store between runs.
    static QPoint LastPosition();
    static void SetLastPosition(const QPoint& pt);

    // Answers the add dialogs in their place (tests); an empty hook restores the dialog.
    static void SetAddCurrencyAsk(AddCurrencyFn fn);
    static void SetAddCategoryAsk(AddCategoryFn fn);

    // Message 0x8002 of the pads: a key (0x10000 or 0x20000 plus its character) or an
    // entry picked in the description pad (its index position).
    void OnPadInput(int nParam);
    void OnPadEntry(int nValue, int nItem);

    // Picks a completion as the popup's Enter or click does.
    void ApplyCompletion(const QString& strText);

    QDateEdit* DateEdit() const { return m_pDate; }
    QComboBox* CurrencyList() const { return m_pCurrency; }
    QComboBox* CategoryList() const { return m_pCategory; }
    QComboBox* Category2List() const { return m_pCategory2; }
    QLineEdit* AmountEdit() const { return m_pAmount; }
    QLineEdit* DescEdit() const { return m_pDesc; }
    QPushButton* Button(int nID) const;
    CNumKeyDlg* NumPad() const { return m_pNumPad; }
    CAssistDlg* DescPad() const { return m_pDescPad; }
    QCompleter* Completer() const { return m_pCompleter; }
    // The completions offered now, in the popup's order.
    QStringList Completions() const;

protected:
    void showEvent(QShowEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

public Q_SLOTS:
    void done(int nResult) override;

private:
    void FillLists();
    void LoadFields();
    bool SaveFields();
    void Finish(int nResult);

    int ChosenCategory() const;
    int ChosenCategory2() const;
    void OnCurrencyChosen(int nIndex);
    void OnCategoryChosen(int nIndex);
    void OnAmountFocus();
    void OnDescEdited();
    void OfferCategoryAtCaret();
    void UpdateCompletion();
    void OnNumPadButton();
    void OnDescPadButton();
    void ShowPads(bool bNum, bool bDesc);
    void PlacePads();
    void UpdatePadButtons();
    void TypeInto(QLineEdit* pEdit, QChar ch);

    CRecEditEntry& m_entry;
    const std::vector<CRecItem>* m_pItems;
    bool m_bAssistManual;
    bool m_bFirstShow = true;
    bool m_bDateTouched = false;
    bool m_bCatFromPad = false;
    bool m_bAmountFromPad = false;
    bool m_bKeepPadCategory = false;
    QLineEdit* m_pTarget = nullptr; // the edit that had the focus last; the pads type there
    int m_nCompleteStart = 0;
    int m_nCompleteLength = 0;

    QDateEdit* m_pDate;
    QComboBox* m_pCurrency;
    QComboBox* m_pCategory;
    QComboBox* m_pCategory2;
    QLineEdit* m_pAmount;
    QLineEdit* m_pDesc;
    QPushButton* m_pNumPadButton;
    QPushButton* m_pDescPadButton;
    QPushButton* m_pOK;
    QPushButton* m_pCancel;
    QPushButton* m_pNext;
    CNumKeyDlg* m_pNumPad;
    CAssistDlg* m_pDescPad;
    QCompleter* m_pCompleter;
    QStringListModel* m_pCompletions;
    std::vector<int> m_completionItems;
    CDescMatcher* m_pMatcher;
};

#pragma once

#include "model/Amount.h"
#include "model/BalanceEntry.h"
#include "model/CurFmt.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

class CNumKeyDlg;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

// The balance dialog (残高の設定): the date, currency and amount of a carry-over line and
// whether the ledger asks for it whenever it is opened. The numeric pad opens beside it
// unless the input assist is manual, and follows it when it moves.
class CBalEntDlg : public QDialog
{
    Q_OBJECT

public:
    enum : int {
        IDD = 347,
        IDC_DATE = 1000,
        IDC_CURRENCY = 1003,
        IDC_AMOUNT = 1004,
        IDC_ASK_ON_OPEN = 1040,
        IDC_PAD = 1065,
        MAX_AMOUNT_TEXT = 128,
    };
    // Appends a currency chosen through "他の通貨..." to the ledger; false when it could not.
    using AddCurrencyFn = std::function<bool(const CCurFmt& cur)>;

    CBalEntDlg(const std::vector<CCurFmt>& curs, const CBalanceEntry::SValues& values, bool bAssistManual,
               QWidget* pParent = nullptr);
    ~CBalEntDlg() override;

    void SetAddCurrency(AddCurrencyFn fn) { m_fnAddCurrency = std::move(fn); }
    // The values after OK.
    CBalanceEntry::SValues Values() const { return m_values; }
    CNumKeyDlg* Pad() const { return m_pPad; }

    // The amount a text gives in a currency of nDecimals decimals: an amount or expression,
    // cut toward zero. False for a text that is no amount.
    static bool ReadAmount(const QString& strText, int nDecimals, Amount& nAmount);
    // The symbol as the currency list shows it.
    static QString ShownSymbol(const QString& strSymbol);

    // The hook the balance entry uses: this dialog, adding currencies to the document.
    static CBalanceEntry::AskFn DialogAsk(QWidget* pParent, std::function<bool()> assistManual);

protected:
    void showEvent(QShowEvent* pEvent) override;
    void moveEvent(QMoveEvent* pEvent) override;

private:
    void OnCurrencyChosen(int nIndex);
    void OnPadButton();
    void OnPadInput(int nParam);
    void OnOK();
    void ShowPad(bool bShow);

    std::vector<CCurFmt> m_curs;
    CBalanceEntry::SValues m_values;
    bool m_bAssistManual;
    bool m_bFirstShow = true;
    AddCurrencyFn m_fnAddCurrency;
    QDateEdit* m_pDate;
    QComboBox* m_pCurrency;
    QLineEdit* m_pAmount;
    QPushButton* m_pPadButton;
    QCheckBox* m_pAskOnOpen;
    QPushButton* m_pOK;
    QPushButton* m_pCancel;
    CNumKeyDlg* m_pPad = nullptr;
};

#include "dialogs/BalEntDlg.h"

#include "dialogs/CurFmtDlg.h"
#include "dialogs/DlgFields.h"
#include "dialogs/NumKeyDlg.h"
#include "model/AmountText.h"
#include "model/CofferDoc.h"
#include "model/ListCheck.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QDate ToQDate(PackedDate date)
{
    return QDate(DateYear(date), DateMonth(date), DateDay(date));
}

PackedDate FromQDate(const QDate& date)
{
    return MakeDate(date.year(), date.month(), date.day());
}

} // namespace

CBalEntDlg::CBalEntDlg(const std::vector<CCurFmt>& curs, const CBalanceEntry::SValues& values, bool bAssistManual,
                       QWidget* pParent)
    : QDialog(pParent), m_curs(curs), m_values(values), m_bAssistManual(bAssistManual)
{
    setObjectName(QStringLiteral("CBalEntDlg"));
    setWindowTitle(QStringLiteral("残高の設定"));
    setModal(true);

    m_pDate = new QDateEdit(this);
    m_pDate->setObjectName(QStringLiteral("date"));
    m_pDate->setCalendarPopup(true);
    m_pDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_pDate->setDateRange(ToQDate(CBalanceEntry::MIN_DATE), ToQDate(CBalanceEntry::MAX_DATE));
    const QDate date = ToQDate(CBalanceEntry::ClampDate(values.date));
    m_pDate->setDate(date.isValid() ? date : ToQDate(CBalanceEntry::MIN_DATE));

    m_pCurrency = new QComboBox(this);
    m_pCurrency->setObjectName(QStringLiteral("currency"));
    for (const CCurFmt& cur : m_curs)
        m_pCurrency->addItem(ShownSymbol(cur.m_strSymbol));
    m_pCurrency->addItem(QStringLiteral("他の通貨..."));
    m_pCurrency->setCurrentIndex(values.nCur >= 0 && std::size_t(values.nCur) < m_curs.size() ? values.nCur : 0);

    m_pAmount = new QLineEdit(CAmountText::FormatPlain(values.nAmount), this);
    m_pAmount->setObjectName(QStringLiteral("amount"));
    // Long enough for any expression a user means; nothing typed is cut silently.
    m_pAmount->setMaxLength(MAX_AMOUNT_TEXT);
    // The pad button shows the same glyph as the record dialog's.
    m_pPadButton = new QPushButton(QStringLiteral("▶"), this);
    m_pPadButton->setObjectName(QStringLiteral("pad"));
    m_pPadButton->setCheckable(true);
    m_pPadButton->setAutoDefault(false);
    m_pPadButton->setFocusPolicy(Qt::NoFocus);
    m_pPadButton->setToolTip(QStringLiteral("数値入力パッド"));

    m_pAskOnOpen = new QCheckBox(QStringLiteral("ファイルを開く時に残高を入力"), this);
    m_pAskOnOpen->setObjectName(QStringLiteral("askOnOpen"));
    m_pAskOnOpen->setChecked(values.bAskOnOpen);

    m_pOK = new QPushButton(QStringLiteral("OK"), this);
    m_pOK->setObjectName(QStringLiteral("ok"));
    m_pOK->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));

    auto* pAmountRow = new QHBoxLayout;
    pAmountRow->addWidget(m_pAmount, 1);
    pAmountRow->addWidget(m_pPadButton);
    auto* pForm = new QFormLayout;
    pForm->addRow(QStringLiteral("日付："), m_pDate);
    pForm->addRow(QStringLiteral("通貨："), m_pCurrency);
    pForm->addRow(QStringLiteral("残高："), pAmountRow);
    QHBoxLayout* pButtons = CDlgFields::ButtonRow({m_pOK, m_pCancel});
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(m_pAskOnOpen);
    pLayout->addLayout(pButtons);

    m_pPad = new CNumKeyDlg(this);
    connect(m_pPad, &CNumKeyDlg::PadInput, this, &CBalEntDlg::OnPadInput);
    connect(m_pCurrency, &QComboBox::activated, this, &CBalEntDlg::OnCurrencyChosen);
    connect(m_pPadButton, &QPushButton::clicked, this, &CBalEntDlg::OnPadButton);
    connect(m_pOK, &QPushButton::clicked, this, &CBalEntDlg::OnOK);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_pAmount->setFocus();
}

CBalEntDlg::~CBalEntDlg() = default;

QString CBalEntDlg::ShownSymbol(const QString& strSymbol)
{
    return strSymbol == QLatin1String("\\") ? QStringLiteral("円") : strSymbol;
}

bool CBalEntDlg::ReadAmount(const QString& strText, int nDecimals, Amount& nAmount)
{
    Amount nValue = 0;
    if (strText.size() > MAX_AMOUNT_TEXT || !CAmountText::ParseExpression(strText, nValue))
        return false;
    nAmount = CBalanceEntry::CutToDecimals(nValue, nDecimals);
    return true;
}

void CBalEntDlg::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (m_bFirstShow) {
        m_bFirstShow = false;
        m_pAmount->selectAll();
        if (!m_bAssistManual)
            ShowPad(true);
    }
}

void CBalEntDlg::moveEvent(QMoveEvent* pEvent)
{
    QDialog::moveEvent(pEvent);
    // The pad keeps its place beside the dialog.
    if (m_pPad->IsPlaced() && pEvent->oldPos() != pEvent->pos())
        m_pPad->move(m_pPad->pos() + (pEvent->pos() - pEvent->oldPos()));
}

void CBalEntDlg::ShowPad(bool bShow)
{
    if (bShow)
        m_pPad->ShowPad(this);
    else
        m_pPad->hide();
    m_pPadButton->setChecked(bShow);
}

void CBalEntDlg::OnPadButton()
{
    ShowPad(!m_pPad->isVisible());
}

void CBalEntDlg::OnPadInput(int nParam)
{
    if ((nParam & ~0xFFFF) != CNumKeyDlg::PAD_NUMERIC)
        return;
    const QChar ch(char16_t(nParam & 0xFFFF));
    m_pAmount->setFocus();
    if (ch == QChar(u'\b'))
        m_pAmount->backspace();
    else
        m_pAmount->insert(QString(ch));
}

void CBalEntDlg::OnCurrencyChosen(int nIndex)
{
    if (nIndex != int(m_curs.size()))
        return;
    if (const int nID = CListCheck::CheckAddCurrency(int(m_curs.size()))) {
        AppMessageBox(nID, MB_OK | MB_ICONEXCLAMATION);
        m_pCurrency->setCurrentIndex(0);
        return;
    }
    QStringList symbols;
    for (const CCurFmt& cur : m_curs)
        symbols.append(cur.m_strSymbol);
    CCurFmtDlg dlg(CCurFmt(QString(), 2, QString()), symbols, this);
    if (dlg.exec() != QDialog::Accepted || !m_fnAddCurrency || !m_fnAddCurrency(dlg.GetCurFmt())) {
        m_pCurrency->setCurrentIndex(0);
        return;
    }
    m_curs.push_back(dlg.GetCurFmt());
    m_pCurrency->insertItem(nIndex, ShownSymbol(m_curs.back().m_strSymbol));
    m_pCurrency->setCurrentIndex(nIndex);
}

void CBalEntDlg::OnOK()
{
    const int nCur = m_pCurrency->currentIndex();
    const int nDecimals = nCur >= 0 && std::size_t(nCur) < m_curs.size() ? m_curs[std::size_t(nCur)].m_nDecimals : 0;
    Amount nAmount = 0;
    if (!ReadAmount(m_pAmount->text(), nDecimals, nAmount)) {
        CDlgFields::Refuse(IDS_AMOUNT_INVALID, m_pAmount);
        return;
    }
    m_values.date = CBalanceEntry::ClampDate(FromQDate(m_pDate->date()));
    m_values.nCur = nCur >= 0 && std::size_t(nCur) < m_curs.size() ? nCur : 0;
    m_values.nAmount = nAmount;
    m_values.bAskOnOpen = m_pAskOnOpen->isChecked();
    accept();
}

CBalanceEntry::AskFn CBalEntDlg::DialogAsk(QWidget* pParent, std::function<bool()> assistManual)
{
    return [pParent, assistManual](CCofferDoc& doc, CBalanceEntry::SValues& values) {
        CBalEntDlg dlg(doc.Currencies(), values, assistManual && assistManual(), pParent);
        dlg.SetAddCurrency([&doc](const CCurFmt& cur) { return CBalanceEntry::AppendCurrency(doc, cur); });
        if (dlg.exec() != QDialog::Accepted)
            return false;
        values = dlg.Values();
        return true;
    };
}

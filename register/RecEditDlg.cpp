#include "register/RecEditDlg.h"

#include "command/AppStatus.h"
#include "dialogs/AssistDlg.h"
#include "dialogs/CategoryDlg.h"
#include "dialogs/CurFmtDlg.h"
#include "dialogs/DlgFields.h"
#include "dialogs/DlgPlacement.h"
#include "dialogs/NumKeyDlg.h"
#include "model/AmountText.h"
#include "model/CategoryAttr.h"
#include "model/ListCheck.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "register/DescMatcher.h"
#include "register/RecEditEntry.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMoveEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

QPoint& StoredPosition()
{
    static QPoint pt(NO_POSITION, NO_POSITION);
    return pt;
}

CRecEditDlg::AddCurrencyFn& AddCurrencyAsk()
{
    static CRecEditDlg::AddCurrencyFn fn;
    return fn;
}

CRecEditDlg::AddCategoryFn& AddCategoryAsk()
{
    static CRecEditDlg::AddCategoryFn fn;
    return fn;
}

bool AskCurrency(CCurFmt& cur, const QStringList& avoid, QWidget* pParent)
{
    if (const CRecEditDlg::AddCurrencyFn& fn = AddCurrencyAsk())
        return fn(cur, avoid, pParent);
    CCurFmtDlg dlg(cur, avoid, pParent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    cur = dlg.GetCurFmt();
    return true;
}

bool AskCategory(CCategory& cat, const QStringList& avoid, QWidget* pParent)
{
    if (const CRecEditDlg::AddCategoryFn& fn = AddCategoryAsk())
        return fn(cat, avoid, pParent);
    CCategoryDlg dlg(cat, avoid, true, pParent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    cat = dlg.GetCategory();
    return true;
}

QString ShownSymbol(const QString& strSymbol)
{
    return strSymbol == QLatin1String("\\") ? QStringLiteral("円") : strSymbol;
}

// The picker handles whole days only; a line may carry a date it cannot show (a month's
// budget line has day 0), which is kept unless the user picks another.
QDate ToQDate(PackedDate date)
{
    return QDate(DateYear(date), DateMonth(date), DateDay(date));
}

PackedDate FromQDate(const QDate& date)
{
    return MakeDate(date.year(), date.month(), date.day());
}

bool HasSeparator(const QString& strText)
{
    return strText.contains(u';') || strText.contains(u'；');
}

QPushButton* MakePadButton(const QString& strTip, QWidget* pParent)
{
    auto* pButton = new QPushButton(QStringLiteral("▶"), pParent);
    pButton->setCheckable(true);
    pButton->setAutoDefault(false);
    pButton->setFocusPolicy(Qt::NoFocus);
    pButton->setToolTip(strTip);
    const int nSide = pButton->fontMetrics().height() + 8;
    pButton->setFixedSize(nSide, nSide);
    return pButton;
}

} // namespace

QPoint CRecEditDlg::LastPosition()
{
    return StoredPosition();
}

void CRecEditDlg::SetLastPosition(const QPoint& pt)
{
    StoredPosition() = pt;
}

void CRecEditDlg::SetAddCurrencyAsk(AddCurrencyFn fn)
{
    AddCurrencyAsk() = std::move(fn);
}

void CRecEditDlg::SetAddCategoryAsk(AddCategoryFn fn)
{
    AddCategoryAsk() = std::move(fn);
}

CRecEditDlg::CRecEditDlg(CRecEditEntry& entry, const std::vector<CRecItem>* pItems, bool bAssistManual,
                         QWidget* pParent)
    : QDialog(pParent)
    , m_entry(entry)
    , m_pItems(pItems)
    , m_bAssistManual(bAssistManual)
    , m_pMatcher(new CDescMatcher)
{
    setObjectName(QStringLiteral("CRecEditDlg"));
    setModal(true);
    setWindowTitle(entry.m_nCaption == CRecEditEntry::CAPTION_INPUT ? QStringLiteral("データの入力")
                   : entry.m_nCaption == CRecEditEntry::CAPTION_ADD ? QStringLiteral("データの追加")
                                                                    : QStringLiteral("データの修正"));

    m_pDate = new QDateEdit(this);
    m_pDate->setObjectName(QStringLiteral("date"));
    m_pDate->setCalendarPopup(true);
    m_pDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_pDate->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    m_pCurrency = new QComboBox(this);
    m_pCurrency->setObjectName(QStringLiteral("currency"));
    m_pCategory = new QComboBox(this);
    m_pCategory->setObjectName(QStringLiteral("category"));
    m_pCategory->setMaxVisibleItems(20);
    m_pCategory2 = new QComboBox(this);
    m_pCategory2->setObjectName(QStringLiteral("category2"));
    m_pCategory2->setMaxVisibleItems(20);
    m_pAmount = new QLineEdit(this);
    m_pAmount->setObjectName(QStringLiteral("amount"));
    // Long enough for any expression meant; nothing typed is cut silently.
    m_pAmount->setMaxLength(CRecEditEntry::MAX_AMOUNT_TEXT);
    m_pDesc = new QLineEdit(this);
    m_pDesc->setObjectName(QStringLiteral("desc"));
    m_pDesc->setMaxLength(CRecEditEntry::MAX_DESCRIPTION);
    m_pDesc->setMinimumWidth(m_pDesc->fontMetrics().horizontalAdvance(QString(24, QChar(0x5370))));
    m_pNumPadButton = MakePadButton(QStringLiteral("数値入力パッド"), this);
    m_pNumPadButton->setObjectName(QStringLiteral("numPad"));
    m_pDescPadButton = MakePadButton(QStringLiteral("摘要入力パッド"), this);
    m_pDescPadButton->setObjectName(QStringLiteral("descPad"));

    m_pOK = new QPushButton(QStringLiteral("OK"), this);
    m_pOK->setObjectName(QStringLiteral("ok"));
    m_pOK->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));
    m_pCancel->setAutoDefault(false);
    m_pNext = new QPushButton(QStringLiteral("次へ(&>>)"), this);
    m_pNext->setObjectName(QStringLiteral("next"));
    m_pNext->setAutoDefault(false);

    auto* pCatRow = new QHBoxLayout;
    pCatRow->addWidget(m_pCategory, 1);
    pCatRow->addWidget(new QLabel(QStringLiteral("－"), this));
    pCatRow->addWidget(m_pCategory2, 1);
    auto* pAmountRow = new QHBoxLayout;
    pAmountRow->addWidget(m_pAmount, 1);
    pAmountRow->addWidget(m_pNumPadButton);
    auto* pDescRow = new QHBoxLayout;
    pDescRow->addWidget(m_pDesc, 1);
    pDescRow->addWidget(m_pDescPadButton);
    auto* pForm = new QFormLayout;
    pForm->addRow(QStringLiteral("日付："), m_pDate);
    pForm->addRow(QStringLiteral("通貨："), m_pCurrency);
    pForm->addRow(QStringLiteral("費目："), pCatRow);
    pForm->addRow(QStringLiteral("金額："), pAmountRow);
    pForm->addRow(QStringLiteral("摘要："), pDescRow);
    QHBoxLayout* pButtons = CDlgFields::ButtonRow({m_pOK, m_pCancel, m_pNext});
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addLayout(pButtons);

    m_pNumPad = new CNumKeyDlg(this);
    m_pDescPad = new CAssistDlg(this);
    m_pNumPad->installEventFilter(this);
    m_pDescPad->installEventFilter(this);
    connect(m_pNumPad, &CNumKeyDlg::PadInput, this, &CRecEditDlg::OnPadInput);
    connect(m_pDescPad, &CAssistDlg::PadInput, this, &CRecEditDlg::OnPadInput);
    connect(m_pDescPad, &CAssistDlg::PadEntry, this, &CRecEditDlg::OnPadEntry);

    // Completion works on the item at the caret, not on the whole text, so the popup is
    // driven by hand over the matcher's result.
    m_pCompletions = new QStringListModel(this);
    m_pCompleter = new QCompleter(m_pCompletions, this);
    m_pCompleter->setWidget(m_pDesc);
    m_pCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_pCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    m_pCompleter->setMaxVisibleItems(12);
    connect(m_pCompleter, qOverload<const QString&>(&QCompleter::activated), this, &CRecEditDlg::ApplyCompletion);

    m_pAmount->installEventFilter(this);
    m_pDesc->installEventFilter(this);
    m_pCategory->installEventFilter(this);
    connect(m_pDate, &QDateEdit::dateChanged, this, [this] { m_bDateTouched = true; });
    connect(m_pCurrency, &QComboBox::activated, this, &CRecEditDlg::OnCurrencyChosen);
    connect(m_pCategory, &QComboBox::activated, this, &CRecEditDlg::OnCategoryChosen);
    connect(m_pAmount, &QLineEdit::textEdited, this, [this] { m_bAmountFromPad = false; });
    connect(m_pDesc, &QLineEdit::textEdited, this, &CRecEditDlg::OnDescEdited);
    connect(m_pNumPadButton, &QPushButton::clicked, this, &CRecEditDlg::OnNumPadButton);
    connect(m_pDescPadButton, &QPushButton::clicked, this, &CRecEditDlg::OnDescPadButton);
    connect(m_pOK, &QPushButton::clicked, this, [this] { Finish(CRecEditEntry::RESULT_OK); });
    connect(m_pNext, &QPushButton::clicked, this, [this] { Finish(CRecEditEntry::RESULT_NEXT); });
    connect(m_pCancel, &QPushButton::clicked, this, [this] { done(CRecEditEntry::RESULT_CANCEL); });

    FillLists();
    LoadFields();
    m_pTarget = m_pAmount;

    const QPoint pt = LastPosition();
    if (pt.x() != NO_POSITION && pt.y() != NO_POSITION)
        move(pt);
}

CRecEditDlg::~CRecEditDlg()
{
    delete m_pMatcher;
}

QPushButton* CRecEditDlg::Button(int nID) const
{
    switch (nID) {
    case CRecEditEntry::RESULT_OK:
        return m_pOK;
    case CRecEditEntry::RESULT_CANCEL:
        return m_pCancel;
    case IDC_NEXT:
        return m_pNext;
    case IDC_NUM_PAD:
        return m_pNumPadButton;
    case IDC_DESC_PAD:
        return m_pDescPadButton;
    default:
        return nullptr;
    }
}

void CRecEditDlg::FillLists()
{
    m_pCurrency->clear();
    for (const CCurFmt& cur : m_entry.m_curs)
        m_pCurrency->addItem(ShownSymbol(cur.m_strSymbol));
    m_pCurrency->addItem(QStringLiteral("他の通貨..."));
    m_pCategory->clear();
    m_pCategory2->clear();
    for (const CCategory& cat : m_entry.m_cats) {
        m_pCategory->addItem(cat.m_strName);
        m_pCategory2->addItem(cat.m_strName);
    }
    m_pCategory->addItem(QStringLiteral("他の費目..."));
}

void CRecEditDlg::LoadFields()
{
    const QDate date = ToQDate(m_entry.m_date);
    {
        const QSignalBlocker block(m_pDate);
        m_pDate->setDate(date.isValid() ? date : QDate(2000, 1, 1));
    }
    m_bDateTouched = false;
    const int nCurs = int(m_entry.m_curs.size());
    const int nCats = int(m_entry.m_cats.size());
    m_pCurrency->setCurrentIndex(m_entry.m_nCur >= 0 && m_entry.m_nCur < nCurs ? m_entry.m_nCur : 0);
    m_pCategory->setCurrentIndex(m_entry.m_nCat > 0 && m_entry.m_nCat < nCats ? m_entry.m_nCat : -1);
    m_pCategory2->setCurrentIndex(m_entry.m_nCat > 0 && m_entry.m_nCat2 > 0 && m_entry.m_nCat2 < nCats
                                      ? m_entry.m_nCat2
                                      : -1);
    m_pAmount->setText(m_entry.m_strInput);
    m_pDesc->setText(m_entry.m_strDesc);
}

int CRecEditDlg::ChosenCategory() const
{
    const int n = m_pCategory->currentIndex();
    return n >= 0 && n < int(m_entry.m_cats.size()) ? n : 0;
}

int CRecEditDlg::ChosenCategory2() const
{
    const int n = m_pCategory2->currentIndex();
    return ChosenCategory() != 0 && n >= 0 && n < int(m_entry.m_cats.size()) ? n : 0;
}

bool CRecEditDlg::SaveFields()
{
    const int nCur = std::clamp(m_pCurrency->currentIndex(), 0, std::max(int(m_entry.m_curs.size()) - 1, 0));
    const int nCat = ChosenCategory();
    const int nCat2 = ChosenCategory2();
    const int nDecimals = std::size_t(nCur) < m_entry.m_curs.size() ? m_entry.m_curs[std::size_t(nCur)].m_nDecimals
                                                                   : CCurFmt::MAX_DECIMALS;
    Amount nAmount1 = 0;
    Amount nAmount2 = 0;
    if (const int nID = CRecEditEntry::ParseAmounts(m_pAmount->text(), nCat2 != 0, nDecimals, nAmount1, nAmount2)) {
        CDlgFields::Refuse(nID, m_pAmount);
        return false;
    }
    const QString strDesc = m_pDesc->text().left(CRecEditEntry::MAX_DESCRIPTION);
    if (nCat2 != 0 && !HasSeparator(strDesc)
        && AppMessageBox(IDS_DESC_SHORT_FOR_CATEGORIES, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        m_pDesc->setFocus();
        return false;
    }
    if (m_bDateTouched || ToQDate(m_entry.m_date).isValid())
        m_entry.m_date = FromQDate(m_pDate->date());
    m_entry.m_nCur = nCur;
    m_entry.m_nCat = nCat;
    m_entry.m_nCat2 = nCat2;
    m_entry.m_nAmount = nAmount1;
    m_entry.m_nAmount2 = nAmount2;
    m_entry.m_strInput = m_pAmount->text();
    m_entry.m_strDesc = strDesc;
    return true;
}

void CRecEditDlg::Finish(int nResult)
{
    if (SaveFields())
        done(nResult);
}

void CRecEditDlg::done(int nResult)
{
    // Remembered for the next opening and for the settings store.
    SetLastPosition(pos());
    m_pCompleter->popup()->hide();
    m_pNumPad->hide();
    m_pDescPad->hide();
    QDialog::done(nResult);
}

void CRecEditDlg::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (!m_bFirstShow)
        return;
    m_bFirstShow = false;
    if (!m_bAssistManual) {
        ShowPads(true, true);
        OfferCategoryAtCaret();
    }
    m_pAmount->setFocus();
    m_pAmount->selectAll();
    UpdatePadButtons();
}

void CRecEditDlg::moveEvent(QMoveEvent* pEvent)
{
    QDialog::moveEvent(pEvent);
    PlacePads();
}

void CRecEditDlg::PlacePads()
{
    const QRect rcFrame = frameGeometry();
    if (m_pNumPad->IsPlaced())
        m_pNumPad->move(CDlgPlacement::FrameBesideRight(rcFrame, m_pNumPad->frameGeometry().size()).topLeft());
    if (m_pDescPad->IsPlaced())
        m_pDescPad->move(CDlgPlacement::FrameBelowLeft(rcFrame, m_pDescPad->frameGeometry().size()).topLeft());
}

bool CRecEditDlg::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pNumPad || pWatched == m_pDescPad) {
        // A pad closed by its own title bar leaves its button released.
        if (pEvent->type() == QEvent::Show || pEvent->type() == QEvent::Hide)
            UpdatePadButtons();
    } else if (pEvent->type() == QEvent::FocusIn) {
        if (pWatched == m_pAmount) {
            m_pTarget = m_pAmount;
            OnAmountFocus();
        } else if (pWatched == m_pDesc) {
            m_pTarget = m_pDesc;
            if (!m_bKeepPadCategory)
                OfferCategoryAtCaret();
        } else if (pWatched == m_pCategory) {
            OfferCategoryAtCaret();
        }
    }
    return QDialog::eventFilter(pWatched, pEvent);
}

void CRecEditDlg::OnAmountFocus()
{
    if (!m_pAmount->text().isEmpty())
        return;
    const int nCat = m_pCategory->currentIndex();
    if (nCat < 0 || std::size_t(nCat) >= m_entry.m_cats.size())
        return;
    const int nAttr = m_entry.m_cats[std::size_t(nCat)].m_nAttr;
    if (nAttr == ATTR_EXPENSE || nAttr == ATTR_SPECIAL_EXPENSE) {
        m_pAmount->setText(QStringLiteral("-"));
        m_pAmount->setCursorPosition(1);
    }
}

void CRecEditDlg::OfferCategoryAtCaret()
{
    const int nCat = m_pCategory->currentIndex();
    if (nCat < 0 || std::size_t(nCat) >= m_entry.m_cats.size()) {
        m_pDescPad->SetFilter(0, true);
        return;
    }
    const QString strText = m_pDesc->text();
    const int nCaret = std::clamp(m_pDesc->cursorPosition(), 0, int(strText.size()));
    m_pDescPad->SetFilter(
        CRecEditEntry::FilterAtCaret(ChosenCategory(), ChosenCategory2(), QStringView(strText).left(nCaret)), true);
}

void CRecEditDlg::OnDescEdited()
{
    OfferCategoryAtCaret();
    UpdateCompletion();
}

void CRecEditDlg::UpdateCompletion()
{
    QAbstractItemView* pPopup = m_pCompleter->popup();
    if (m_pItems == nullptr) {
        pPopup->hide();
        return;
    }
    const QString strText = m_pDesc->text();
    CDescMatcher::ItemAtCaret(strText, m_pDesc->cursorPosition(), m_nCompleteStart, m_nCompleteLength);
    if (m_nCompleteLength <= 0) {
        m_completionItems.clear();
        m_pCompletions->setStringList({});
        pPopup->hide();
        return;
    }
    m_pMatcher->SetItems(m_pItems);
    const QStringView prefix = QStringView(strText).mid(m_nCompleteStart, m_nCompleteLength);
    m_completionItems = m_pMatcher->Match(prefix, m_pDescPad->Filter() > 0 ? m_pDescPad->Filter() : 0);
    QStringList texts;
    texts.reserve(qsizetype(m_completionItems.size()));
    for (int nItem : m_completionItems)
        texts.append((*m_pItems)[std::size_t(nItem)].m_strText);
    m_pCompletions->setStringList(texts);
    if (texts.isEmpty() || !m_pDesc->isVisible()) {
        pPopup->hide();
        return;
    }
    QRect rc = m_pDesc->rect();
    rc.setWidth(std::max(rc.width(), pPopup->sizeHintForColumn(0) + 24));
    m_pCompleter->complete(rc);
}

QStringList CRecEditDlg::Completions() const
{
    return m_pCompletions->stringList();
}

void CRecEditDlg::ApplyCompletion(const QString& strText)
{
    const int nRow = int(m_pCompletions->stringList().indexOf(strText));
    const QString strDesc = m_pDesc->text();
    const int nStart = std::clamp(m_nCompleteStart, 0, int(strDesc.size()));
    const int nLength = std::clamp(m_nCompleteLength, 0, int(strDesc.size()) - nStart);
    QString strNew = strDesc;
    strNew.replace(nStart, nLength, strText);
    if (strNew.size() > CRecEditEntry::MAX_DESCRIPTION)
        return;
    m_pDesc->setText(strNew);
    m_pDesc->setCursorPosition(nStart + int(strText.size()));
    m_pCompleter->popup()->hide();
    // The item brings the category and amount it was last used with, as a pad entry does.
    if (nRow >= 0 && std::size_t(nRow) < m_completionItems.size() && m_pItems != nullptr) {
        const CRecItem& item = (*m_pItems)[std::size_t(m_completionItems[std::size_t(nRow)])];
        const int nCat = item.m_nLastFlags & 0xFF;
        if ((m_pCategory->currentIndex() < 0 || m_bCatFromPad) && nCat != 0
            && std::size_t(nCat) < m_entry.m_cats.size()) {
            m_pCategory->setCurrentIndex(nCat);
            m_bCatFromPad = true;
        }
        if ((m_bAmountFromPad || m_pAmount->text().isEmpty()) && item.m_nLastAmount != 0) {
            m_pAmount->setText(CAmountText::FormatPlain(item.m_nLastAmount));
            m_bAmountFromPad = true;
        }
    }
    OfferCategoryAtCaret();
}

void CRecEditDlg::OnCurrencyChosen(int nIndex)
{
    if (nIndex != int(m_entry.m_curs.size()))
        return;
    if (const int nID = CListCheck::CheckAddCurrency(int(m_entry.m_curs.size()))) {
        AppMessageBox(nID, MB_OK | MB_ICONEXCLAMATION);
        m_pCurrency->setCurrentIndex(0);
        return;
    }
    QStringList symbols;
    for (const CCurFmt& cur : m_entry.m_curs)
        symbols.append(cur.m_strSymbol);
    CCurFmt cur(QString(), 2, QString());
    if (!AskCurrency(cur, symbols, this)) {
        m_pCurrency->setCurrentIndex(0);
        return;
    }
    m_entry.m_curs.push_back(cur);
    m_pCurrency->insertItem(nIndex, ShownSymbol(cur.m_strSymbol));
    m_pCurrency->setCurrentIndex(nIndex);
}

void CRecEditDlg::OnCategoryChosen(int nIndex)
{
    m_bCatFromPad = false;
    if (nIndex == int(m_entry.m_cats.size())) {
        const int nID = CListCheck::CheckAddCategory(int(m_entry.m_cats.size()));
        QStringList names;
        for (const CCategory& cat : m_entry.m_cats)
            names.append(cat.m_strName);
        CCategory cat(ATTR_EXPENSE, QString());
        if (nID != 0)
            AppMessageBox(nID, MB_OK | MB_ICONEXCLAMATION);
        if (nID != 0 || !AskCategory(cat, names, this)) {
            m_pCategory->setCurrentIndex(0);
        } else {
            m_entry.m_cats.push_back(cat);
            m_pCategory->insertItem(nIndex, cat.m_strName);
            m_pCategory2->addItem(cat.m_strName);
            m_pCategory->setCurrentIndex(nIndex);
            // The pad lists the new category too.
            if (m_pDescPad->isVisible())
                m_pDescPad->ShowPad(m_entry.m_cats, m_pItems, m_pDesc);
        }
    }
    OfferCategoryAtCaret();
}

void CRecEditDlg::OnNumPadButton()
{
    if (m_pNumPad->isVisible() && !m_pDescPad->isVisible())
        m_pNumPad->hide();
    else
        ShowPads(true, false);
    UpdatePadButtons();
}

void CRecEditDlg::OnDescPadButton()
{
    if (m_pDescPad->isVisible()) {
        m_pNumPad->hide();
        m_pDescPad->hide();
    } else {
        ShowPads(true, true);
        m_pDesc->setFocus();
        OfferCategoryAtCaret();
    }
    UpdatePadButtons();
}

void CRecEditDlg::ShowPads(bool bNum, bool bDesc)
{
    if (bNum)
        m_pNumPad->ShowPad(m_pAmount);
    if (bDesc)
        m_pDescPad->ShowPad(m_entry.m_cats, m_pItems, m_pDesc);
    PlacePads();
    UpdatePadButtons();
}

void CRecEditDlg::UpdatePadButtons()
{
    m_pNumPadButton->setChecked(m_pNumPad->isVisible() && !m_pDescPad->isVisible());
    m_pDescPadButton->setChecked(m_pDescPad->isVisible());
}

void CRecEditDlg::TypeInto(QLineEdit* pEdit, QChar ch)
{
    pEdit->setFocus();
    if (ch == QChar(u'\b'))
        pEdit->backspace();
    else
        pEdit->insert(QString(ch));
    if (pEdit == m_pDesc)
        OnDescEdited();
    else
        m_bAmountFromPad = false;
}

void CRecEditDlg::OnPadInput(int nParam)
{
    const int nKind = nParam & ~0xFFFF;
    const QChar ch(char16_t(nParam & 0xFFFF));
    if (nKind == CNumKeyDlg::PAD_NUMERIC) {
        QLineEdit* pTarget = m_pTarget != nullptr ? m_pTarget : m_pAmount;
        if (m_pDesc->text().isEmpty() && m_pAmount->text().isEmpty()) {
            pTarget = m_pAmount;
            OnAmountFocus();
        }
        if (pTarget == m_pAmount && (ch == u'+' || ch == u'-')
            && (m_pAmount->text() == QLatin1String("+") || m_pAmount->text() == QLatin1String("-")))
            m_pAmount->selectAll();
        m_pTarget = pTarget;
        TypeInto(pTarget, ch);
    } else if (nKind == CAssistDlg::PAD_DESCRIPTION) {
        m_pDesc->deselect();
        m_pTarget = m_pDesc;
        TypeInto(m_pDesc, ch);
    }
}

void CRecEditDlg::OnPadEntry(int /*nValue*/, int nItem)
{
    if (m_pItems == nullptr || nItem < 0 || std::size_t(nItem) >= m_pItems->size())
        return;
    const CRecItem& item = (*m_pItems)[std::size_t(nItem)];
    const int nCat = item.m_nLastFlags & 0xFF;
    if ((m_pCategory->currentIndex() < 0 || m_bCatFromPad) && nCat != 0 && std::size_t(nCat) < m_entry.m_cats.size()) {
        m_pCategory->setCurrentIndex(nCat);
        m_bCatFromPad = true;
    }
    if ((m_bAmountFromPad || m_pAmount->text().isEmpty()) && item.m_nLastAmount != 0) {
        m_pAmount->setText(CAmountText::FormatPlain(item.m_nLastAmount));
        m_bAmountFromPad = true;
    }
    const int nStart = m_pDesc->hasSelectedText() ? m_pDesc->selectionStart() : m_pDesc->cursorPosition();
    m_pDesc->insert(item.m_strText);
    const int nEnd = m_pDesc->cursorPosition();
    m_pDesc->setSelection(nStart, nEnd - nStart);
    m_pTarget = m_pDesc;
    // The pad keeps the category it was showing.
    m_bKeepPadCategory = true;
    m_pDesc->setFocus();
    m_bKeepPadCategory = false;
}

#include "dialogs/PasteSelDlg.h"

#include "dialogs/DlgFields.h"
#include "model/Calendar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CPasteSelDlg::CPasteSelDlg(PackedDate date, QWidget* pParent) : QDialog(pParent)
{
    setObjectName(QStringLiteral("CPasteSelDlg"));
    setWindowTitle(QStringLiteral("貼り付け方法の指定"));
    setModal(true);

    auto* pPlace = new QGroupBox(QStringLiteral("位置"), this);
    auto* pPlaceLayout = new QVBoxLayout(pPlace);
    m_pMethods = new QButtonGroup(this);
    const QString labels[METHOD_COUNT] = {QStringLiteral("カーソルの位置に行を挿入"), QStringLiteral("カーソルの後ろに行を挿入"),
                                          QStringLiteral("カーソルの位置に上書き"), QStringLiteral("日付の位置に行を挿入")};
    for (int n = 0; n < METHOD_COUNT; ++n) {
        m_apMethods[n] = new QRadioButton(labels[n], pPlace);
        m_apMethods[n]->setObjectName(QStringLiteral("method%1").arg(n));
        m_pMethods->addButton(m_apMethods[n], n);
        pPlaceLayout->addWidget(m_apMethods[n]);
    }
    m_apMethods[METHOD_AT_CURSOR]->setChecked(true);

    // The date option and the part checks share one place; the method decides which shows.
    auto* pContent = new QGroupBox(QStringLiteral("内容"), this);
    auto* pContentLayout = new QVBoxLayout(pContent);
    m_pUseDate = new QCheckBox(QStringLiteral("日付を指定する"), pContent);
    m_pUseDate->setObjectName(QStringLiteral("useDate"));
    m_pDate = new QDateEdit(pContent);
    m_pDate->setObjectName(QStringLiteral("date"));
    m_pDate->setCalendarPopup(true);
    m_pDate->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    const PackedDate shown = date != 0 ? date : CCalendar::Today();
    const QDate qdate(DateYear(shown), DateMonth(shown), DateDay(shown));
    m_pDate->setDate(qdate.isValid() ? qdate : QDate::currentDate());
    m_pPartDate = new QCheckBox(QStringLiteral("日付"), pContent);
    m_pPartDate->setObjectName(QStringLiteral("partDate"));
    m_pPartCurrency = new QCheckBox(QStringLiteral("通貨"), pContent);
    m_pPartCurrency->setObjectName(QStringLiteral("partCurrency"));
    m_pPartAmounts = new QCheckBox(QStringLiteral("費目・金額"), pContent);
    m_pPartAmounts->setObjectName(QStringLiteral("partAmounts"));
    m_pPartDesc = new QCheckBox(QStringLiteral("摘要"), pContent);
    m_pPartDesc->setObjectName(QStringLiteral("partDesc"));
    for (QCheckBox* pPart : {m_pPartDate, m_pPartCurrency, m_pPartAmounts, m_pPartDesc})
        pPart->setChecked(true);
    pContentLayout->addWidget(m_pUseDate);
    pContentLayout->addWidget(m_pDate);
    pContentLayout->addWidget(m_pPartDate);
    pContentLayout->addWidget(m_pPartCurrency);
    pContentLayout->addWidget(m_pPartAmounts);
    pContentLayout->addWidget(m_pPartDesc);
    pContentLayout->addStretch();

    auto* pOK = new QPushButton(QStringLiteral("OK"), this);
    pOK->setObjectName(QStringLiteral("ok"));
    pOK->setDefault(true);
    auto* pCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    pCancel->setObjectName(QStringLiteral("cancel"));

    auto* pGroups = new QHBoxLayout;
    pGroups->addWidget(pPlace);
    pGroups->addWidget(pContent);
    QHBoxLayout* pButtons = CDlgFields::ButtonRow({pOK, pCancel});
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGroups);
    pLayout->addLayout(pButtons);

    connect(m_pMethods, &QButtonGroup::idToggled, this, [this](int, bool bChecked) {
        if (bChecked)
            OnMethodChanged();
    });
    connect(m_pDate, &QDateEdit::dateChanged, this, [this] { m_pUseDate->setChecked(true); });
    connect(pOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(pCancel, &QPushButton::clicked, this, &QDialog::reject);
    OnMethodChanged();
}

void CPasteSelDlg::OnMethodChanged()
{
    const int nMethod = Method();
    const bool bOverwrite = nMethod == METHOD_OVERWRITE;
    m_pUseDate->setVisible(!bOverwrite);
    m_pDate->setVisible(!bOverwrite);
    for (QCheckBox* pPart : {m_pPartDate, m_pPartCurrency, m_pPartAmounts, m_pPartDesc})
        pPart->setVisible(bOverwrite);
    if (nMethod == METHOD_BY_DATE)
        m_pUseDate->setChecked(false);
    const bool bAtCursor = nMethod == METHOD_AT_CURSOR || nMethod == METHOD_AFTER_CURSOR;
    m_pUseDate->setEnabled(bAtCursor);
    m_pDate->setEnabled(bAtCursor);
}

int CPasteSelDlg::Method() const
{
    const int nID = m_pMethods->checkedId();
    return nID >= 0 && nID < METHOD_COUNT ? nID : METHOD_AT_CURSOR;
}

void CPasteSelDlg::SetMethod(int nMethod)
{
    if (nMethod >= 0 && nMethod < METHOD_COUNT)
        m_apMethods[nMethod]->setChecked(true);
}

bool CPasteSelDlg::UseDate() const
{
    return m_pUseDate->isChecked() && m_pUseDate->isEnabled();
}

PackedDate CPasteSelDlg::Date() const
{
    const QDate date = m_pDate->date();
    return MakeDate(date.year(), date.month(), date.day());
}

bool CPasteSelDlg::PartDate() const { return m_pPartDate->isChecked(); }
bool CPasteSelDlg::PartCurrency() const { return m_pPartCurrency->isChecked(); }
bool CPasteSelDlg::PartAmounts() const { return m_pPartAmounts->isChecked(); }
bool CPasteSelDlg::PartDesc() const { return m_pPartDesc->isChecked(); }

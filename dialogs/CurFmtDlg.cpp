#include "dialogs/CurFmtDlg.h"

#include "dialogs/DlgFields.h"
#include "model/ListCheck.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CCurFmtDlg::CCurFmtDlg(const CCurFmt& cur, const QStringList& symbolsToAvoid, QWidget* pParent)
    : QDialog(pParent), m_symbolsToAvoid(symbolsToAvoid)
{
    setObjectName(QStringLiteral("CCurFmtDlg"));
    setWindowTitle(QStringLiteral("通貨"));
    setModal(true);

    m_pName = new QLineEdit(cur.m_strName, this);
    m_pName->setObjectName(QStringLiteral("name"));
    m_pSymbol = new QLineEdit(cur.m_strSymbol, this);
    m_pSymbol->setObjectName(QStringLiteral("symbol"));
    m_pDecimals = new QComboBox(this);
    m_pDecimals->setObjectName(QStringLiteral("decimals"));
    for (int n = 0; n <= CCurFmt::MAX_DECIMALS; ++n)
        m_pDecimals->addItem(QString::number(n));
    m_pDecimals->setCurrentIndex(std::clamp(int(cur.m_nDecimals), 0, int(CCurFmt::MAX_DECIMALS)));
    m_pPlacement = new QComboBox(this);
    m_pPlacement->setObjectName(QStringLiteral("placement"));
    m_pPlacement->addItems(PlacementPatterns());
    m_pPlacement->setCurrentIndex(std::clamp(int(cur.m_nSymbolPos), 0, 3));

    m_pOK = new QPushButton(QStringLiteral("OK"), this);
    m_pOK->setObjectName(QStringLiteral("ok"));
    m_pOK->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));

    auto* pForm = new QFormLayout;
    pForm->addRow(QStringLiteral("通貨の名称(&N)："), m_pName);
    pForm->addRow(QStringLiteral("通貨記号(&S)："), m_pSymbol);
    pForm->addRow(QStringLiteral("桁数(&K)："), m_pDecimals);
    pForm->addRow(QStringLiteral("配置(&P)："), m_pPlacement);
    QHBoxLayout* pButtons = CDlgFields::ButtonRow({m_pOK, m_pCancel});
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addLayout(pButtons);

    // An existing currency shows its examples at once; a new one starts with the bare patterns.
    if (!cur.m_strSymbol.isEmpty())
        RebuildPlacement();

    connect(m_pSymbol, &QLineEdit::textChanged, this, &CCurFmtDlg::RebuildPlacement);
    connect(m_pDecimals, &QComboBox::currentIndexChanged, this, &CCurFmtDlg::RebuildPlacement);
    connect(m_pOK, &QPushButton::clicked, this, &CCurFmtDlg::OnOK);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_pName->setFocus();
}

CCurFmt CCurFmtDlg::GetCurFmt() const
{
    CCurFmt cur(m_pSymbol->text(), m_pDecimals->currentIndex(), m_pName->text());
    cur.m_nSymbolPos = std::clamp(m_pPlacement->currentIndex(), 0, 3);
    return cur;
}

QStringList CCurFmtDlg::PlacementPatterns()
{
    return {QStringLiteral("?1.1"), QStringLiteral("1.1?"), QStringLiteral("? 1.1"), QStringLiteral("1.1 ?")};
}

QStringList CCurFmtDlg::PlacementExamples(const QString& strSymbol, int nDecimals)
{
    nDecimals = std::clamp(nDecimals, 0, int(CCurFmt::MAX_DECIMALS));
    const QString strSample = nDecimals == 0 ? QStringLiteral("1,000") : QStringLiteral("1,000.0000").left(6 + nDecimals);
    return {strSymbol + strSample, strSample + strSymbol, strSymbol + u' ' + strSample, strSample + u' ' + strSymbol};
}

void CCurFmtDlg::RebuildPlacement()
{
    const int nSel = m_pPlacement->currentIndex();
    const QStringList items = PlacementExamples(m_pSymbol->text(), m_pDecimals->currentIndex());
    for (int n = 0; n < items.size() && n < m_pPlacement->count(); ++n)
        m_pPlacement->setItemText(n, items[n]);
    m_pPlacement->setCurrentIndex(nSel);
}

bool CCurFmtDlg::IsUnsafeSymbol(const QString& strSymbol)
{
    const QString strTrimmed = strSymbol.trimmed();
    if (strTrimmed.isEmpty() || strTrimmed.front().isDigit())
        return true;
    for (QChar ch : strSymbol) {
        if (ch == u',' || ch == u'\t' || ch == u'"' || ch.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

int CCurFmtDlg::Validate(const QString& strSymbol, const QStringList& symbolsToAvoid)
{
    if (strSymbol.isEmpty())
        return IDS_CUR_SYMBOL_EMPTY;
    if (strSymbol.size() > CListCheck::MAX_SYMBOL_LENGTH)
        return IDS_CUR_SYMBOL_TOO_LONG;
    // Amounts in the register text are the symbol followed by digits and are split at
    // commas and tabs; a symbol that breaks either would corrupt the saved text.
    if (IsUnsafeSymbol(strSymbol))
        return IDS_CUR_SYMBOL_BAD_CHAR;
    if (symbolsToAvoid.contains(strSymbol, Qt::CaseSensitive))
        return IDS_CUR_SYMBOL_DUPLICATE;
    return 0;
}

void CCurFmtDlg::OnOK()
{
    const int nID = Validate(m_pSymbol->text(), m_symbolsToAvoid);
    if (nID != 0) {
        CDlgFields::Refuse(nID, m_pSymbol);
        return;
    }
    accept();
}

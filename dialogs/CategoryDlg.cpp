#include "dialogs/CategoryDlg.h"

#include "dialogs/DlgFields.h"
#include "model/CategoryAttr.h"
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

CCategoryDlg::CCategoryDlg(const CCategory& cat, const QStringList& namesToAvoid, bool bAttrChangeable, QWidget* pParent)
    : QDialog(pParent), m_namesToAvoid(namesToAvoid)
{
    setObjectName(QStringLiteral("CCategoryDlg"));
    setWindowTitle(QStringLiteral("費目"));
    setModal(true);

    m_pName = new QLineEdit(this);
    m_pName->setObjectName(QStringLiteral("name"));
    // A longer name read from a file is shown whole (and refused on OK), never cut.
    m_pName->setMaxLength(std::max(int(CListCheck::MAX_CATEGORY_NAME), int(cat.m_strName.size())));
    m_pName->setText(cat.m_strName);
    m_pAttr = new QComboBox(this);
    m_pAttr->setObjectName(QStringLiteral("attr"));
    for (int n = 0; n < ATTR_COUNT; ++n)
        m_pAttr->addItem(AttrName(n));
    m_pAttr->setCurrentIndex(cat.m_nAttr >= 0 && cat.m_nAttr < ATTR_COUNT ? int(cat.m_nAttr) : ATTR_REMARK);
    m_pAttr->setEnabled(bAttrChangeable);

    m_pOK = new QPushButton(QStringLiteral("OK"), this);
    m_pOK->setObjectName(QStringLiteral("ok"));
    m_pOK->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));

    auto* pForm = new QFormLayout;
    pForm->addRow(QStringLiteral("費目の名称(&N)："), m_pName);
    pForm->addRow(QStringLiteral("費目の属性(&A)："), m_pAttr);
    QHBoxLayout* pButtons = CDlgFields::ButtonRow({m_pOK, m_pCancel});
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addLayout(pButtons);

    connect(m_pOK, &QPushButton::clicked, this, &CCategoryDlg::OnOK);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_pName->setFocus();
}

CCategory CCategoryDlg::GetCategory() const
{
    return CCategory(m_pAttr->currentIndex(), m_pName->text());
}

int CCategoryDlg::Validate(const QString& strName, const QStringList& namesToAvoid)
{
    if (strName.isEmpty())
        return IDS_CAT_NAME_EMPTY;
    if (strName.size() > CListCheck::MAX_CATEGORY_NAME)
        return IDS_CAT_NAME_TOO_LONG;
    for (QChar ch : strName) {
        if (CListCheck::IsForbiddenNameChar(ch))
            return IDS_CAT_NAME_BAD_CHAR;
    }
    if (namesToAvoid.contains(strName, Qt::CaseSensitive))
        return IDS_CAT_NAME_DUPLICATE;
    return 0;
}

void CCategoryDlg::OnOK()
{
    const int nID = Validate(m_pName->text(), m_namesToAvoid);
    if (nID != 0) {
        CDlgFields::Refuse(nID, m_pName);
        return;
    }
    accept();
}

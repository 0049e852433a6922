#include "summary/GraphPropPage1.h"

#include "dialogs/DlgFields.h"
#include "platform/StringTable.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

CGraphPropPage1::CGraphPropPage1(QWidget* pParent)
    : QWidget(pParent)
    , m_pAuto(new QRadioButton(QStringLiteral("自動"), this))
    , m_pSpecified(new QRadioButton(QStringLiteral("指定"), this))
    , m_pMaximum(new QLineEdit(this))
    , m_pMinimum(new QLineEdit(this))
    , m_pCount(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("目盛"));
    m_pCount->setRange(1, CGraphScale::MAX_COUNT);
    auto* pRadios = new QHBoxLayout;
    pRadios->addWidget(m_pAuto);
    pRadios->addWidget(m_pSpecified);
    pRadios->addStretch();
    auto* pFields = new QFormLayout;
    pFields->addRow(QStringLiteral("最大値(&X):"), m_pMaximum);
    pFields->addRow(QStringLiteral("最小値(&N):"), m_pMinimum);
    pFields->addRow(QStringLiteral("刻み数(&P):"), m_pCount);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pRadios);
    pLayout->addLayout(pFields);
    pLayout->addStretch();

    connect(m_pAuto, &QRadioButton::clicked, this, &CGraphPropPage1::OnRadio);
    connect(m_pSpecified, &QRadioButton::clicked, this, &CGraphPropPage1::OnRadio);
    connect(m_pMaximum, &QLineEdit::textEdited, this, &CGraphPropPage1::OnEdited);
    connect(m_pMinimum, &QLineEdit::textEdited, this, &CGraphPropPage1::OnEdited);
    connect(m_pCount, &QSpinBox::valueChanged, this, &CGraphPropPage1::OnEdited);
}

void CGraphPropPage1::Load(bool bSpecified, const CGraphScale& effective)
{
    m_bLoading = true;
    m_pMaximum->setText(QString::number(effective.PageMaximum()));
    m_pMinimum->setText(QString::number(effective.PageMinimum()));
    m_pCount->setValue(effective.m_nCount);
    (bSpecified ? m_pSpecified : m_pAuto)->setChecked(true);
    m_bLoading = false;
    m_bModified = false;
}

void CGraphPropPage1::OnEdited()
{
    if (m_bLoading)
        return;
    // Typing a value means the user wants that axis.
    m_pSpecified->setChecked(true);
    OnRadio();
}

void CGraphPropPage1::OnRadio()
{
    if (m_bLoading)
        return;
    m_bModified = true;
    Q_EMIT Modified();
}

bool CGraphPropPage1::Apply(bool& bSpecified, CGraphScale& scale)
{
    if (!m_bModified)
        return true;
    bool bMaxOk = false;
    bool bMinOk = false;
    const qlonglong nMaximum = m_pMaximum->text().trimmed().toLongLong(&bMaxOk);
    const qlonglong nMinimum = m_pMinimum->text().trimmed().toLongLong(&bMinOk);
    CGraphScale taken = scale;
    // An axis whose top is not above its bottom, or whose amounts do not fit, cannot be drawn.
    if (!bMaxOk || !bMinOk || !CGraphScale::FromPage(nMaximum, nMinimum, m_pCount->value(), taken)) {
        CDlgFields::Refuse(IDS_AMOUNT_INVALID, m_pMaximum);
        return false;
    }
    bSpecified = m_pSpecified->isChecked();
    scale = taken;
    m_bModified = false;
    return true;
}

#include "summary/GraphPropSheet.h"

#include "dialogs/DlgFields.h"
#include "summary/GraphPropPage1.h"
#include "summary/GraphView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CGraphPropSheet::CGraphPropSheet(CGraphView& view, QWidget* pParent)
    : QDialog(pParent)
    , m_view(view)
    , m_pPage(new CGraphPropPage1(this))
    , m_pTabs(new QTabWidget(this))
    , m_pOK(new QPushButton(QStringLiteral("OK"), this))
    , m_pCancel(new QPushButton(QStringLiteral("キャンセル"), this))
    , m_pApply(new QPushButton(QStringLiteral("適用"), this))
{
    setWindowTitle(QStringLiteral("グラフの詳細"));
    m_pTabs->addTab(m_pPage, m_pPage->windowTitle());
    // The page shows the axis that is drawn, automatic or not.
    m_pPage->Load(view.IsSpecified(), view.Series().GetScale());
    m_pOK->setDefault(true);
    m_pApply->setEnabled(false);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTabs);
    pLayout->addLayout(CDlgFields::ButtonRow({m_pOK, m_pCancel, m_pApply}));

    connect(m_pPage, &CGraphPropPage1::Modified, this, [this] { m_pApply->setEnabled(true); });
    connect(m_pOK, &QPushButton::clicked, this, &CGraphPropSheet::OnOK);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pApply, &QPushButton::clicked, this, [this] { Apply(); });
}

bool CGraphPropSheet::Apply()
{
    if (!m_pPage->IsModified())
        return true;
    bool bSpecified = m_view.IsSpecified();
    CGraphScale scale = m_view.UserScale();
    if (!m_pPage->Apply(bSpecified, scale))
        return false;
    m_view.SetScale(bSpecified, scale);
    m_pApply->setEnabled(false);
    return true;
}

void CGraphPropSheet::OnOK()
{
    if (Apply())
        accept();
}

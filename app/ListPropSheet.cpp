#include "app/ListPropSheet.h"

#include "app/CatPropPage.h"
#include "app/CurPropPage.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CListPropSheet::CListPropSheet(CCofferDoc& doc, int nPage, QWidget* pParent) : QDialog(pParent)
{
    setObjectName(QStringLiteral("CListPropSheet"));
    setWindowTitle(QStringLiteral("プロパティの設定"));
    setModal(true);

    m_pTabs = new QTabWidget(this);
    m_pCurPage = new CCurPropPage(doc, m_pTabs);
    m_pCatPage = new CCatPropPage(doc, m_pTabs);
    m_pTabs->addTab(m_pCurPage, QStringLiteral("通貨"));
    m_pTabs->addTab(m_pCatPage, QStringLiteral("費目"));
    m_pTabs->setCurrentIndex(nPage == PAGE_CATEGORY ? PAGE_CATEGORY : PAGE_CURRENCY);

    m_pOK = new QPushButton(QStringLiteral("OK"), this);
    m_pOK->setObjectName(QStringLiteral("ok"));
    m_pOK->setDefault(true);
    m_pCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    m_pCancel->setObjectName(QStringLiteral("cancel"));
    m_pApply = new QPushButton(QStringLiteral("適用"), this);
    m_pApply->setObjectName(QStringLiteral("apply"));
    m_pApply->setAutoDefault(false);
    m_pApply->setEnabled(false);

    auto* pButtons = new QHBoxLayout;
    pButtons->addStretch();
    pButtons->addWidget(m_pOK);
    pButtons->addWidget(m_pCancel);
    pButtons->addWidget(m_pApply);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTabs, 1);
    pLayout->addLayout(pButtons);
    resize(480, 520);

    connect(m_pCurPage, &CCurPropPage::Modified, this, &CListPropSheet::OnModified);
    connect(m_pCatPage, &CCatPropPage::Modified, this, &CListPropSheet::OnModified);
    connect(m_pOK, &QPushButton::clicked, this, &CListPropSheet::OnOK);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pApply, &QPushButton::clicked, this, [this] { Apply(); });
}

void CListPropSheet::OnModified()
{
    m_pApply->setEnabled(m_pCurPage->IsModified() || m_pCatPage->IsModified());
}

bool CListPropSheet::Apply()
{
    const bool bDone = m_pCurPage->Apply() && m_pCatPage->Apply();
    OnModified();
    return bDone;
}

void CListPropSheet::OnOK()
{
    if (Apply())
        accept();
}

bool CListPropSheet::Run(CCofferDoc& doc, int nPage, QWidget* pParent)
{
    CListPropSheet sheet(doc, nPage, pParent);
    return sheet.exec() == QDialog::Accepted;
}

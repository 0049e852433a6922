#include "app/ListPropPage.h"

#include "model/PropList.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

CListPropPage::CListPropPage(const QStringList& columnTitles, QWidget* pParent) : QWidget(pParent)
{
    m_pTable = new QTableWidget(0, int(columnTitles.size()), this);
    m_pTable->setObjectName(QStringLiteral("list"));
    m_pTable->setHorizontalHeaderLabels(columnTitles);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setShowGrid(true);
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setHighlightSections(false);
    m_pTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_pAdd = new QPushButton(QStringLiteral("追加(&A)..."), this);
    m_pAdd->setObjectName(QStringLiteral("add"));
    m_pDelete = new QPushButton(QStringLiteral("削除(&R)"), this);
    m_pDelete->setObjectName(QStringLiteral("delete"));
    m_pChange = new QPushButton(QStringLiteral("変更(&E)..."), this);
    m_pChange->setObjectName(QStringLiteral("change"));
    m_pUp = new QPushButton(QStringLiteral("上へ(&U)"), this);
    m_pUp->setObjectName(QStringLiteral("up"));
    m_pDown = new QPushButton(QStringLiteral("下へ(&D)"), this);
    m_pDown->setObjectName(QStringLiteral("down"));

    auto* pButtons = new QHBoxLayout;
    for (QPushButton* pButton : {m_pAdd, m_pDelete, m_pChange, m_pUp, m_pDown}) {
        pButton->setAutoDefault(false);
        pButtons->addWidget(pButton);
    }
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(m_pTable, 1);
    pLayout->addLayout(pButtons);

    // The handlers are the pages' own; a lambda reaches them through the virtual call.
    connect(m_pAdd, &QPushButton::clicked, this, [this] { OnAdd(); });
    connect(m_pDelete, &QPushButton::clicked, this, [this] { OnDelete(); });
    connect(m_pChange, &QPushButton::clicked, this, [this] { OnChange(); });
    connect(m_pUp, &QPushButton::clicked, this, [this] { OnUp(); });
    connect(m_pDown, &QPushButton::clicked, this, [this] { OnDown(); });
    connect(m_pTable, &QTableWidget::itemSelectionChanged, this, &CListPropPage::OnSelChange);
    connect(m_pTable, &QTableWidget::cellDoubleClicked, this, [this] { OnChange(); });
}

int CListPropPage::Selected() const
{
    const QList<QTableWidgetSelectionRange> ranges = m_pTable->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.front().topRow();
}

void CListPropPage::Select(int nRow)
{
    if (nRow >= 0 && nRow < RowCount())
        m_pTable->selectRow(nRow);
    else
        m_pTable->clearSelection();
    OnSelChange();
}

void CListPropPage::ShowSelection(int nSelect)
{
    m_pTable->clearSelection();
    if (nSelect >= 0 && nSelect < RowCount()) {
        m_pTable->selectRow(nSelect);
        m_pTable->scrollToItem(m_pTable->item(nSelect, 0));
    }
    FitColumns();
    OnSelChange();
}

void CListPropPage::OnSelChange()
{
    // The buttons depend on the selected row only, not on what the list holds.
    const auto buttons = CPropList<int>::Buttons(Selected());
    m_pDelete->setEnabled(buttons.bDelete);
    m_pChange->setEnabled(buttons.bChange);
    m_pUp->setEnabled(buttons.bUp);
    m_pDown->setEnabled(buttons.bDown);
}

void CListPropPage::resizeEvent(QResizeEvent* pEvent)
{
    QWidget::resizeEvent(pEvent);
    FitColumns();
}

void CListPropPage::showEvent(QShowEvent* pEvent)
{
    QWidget::showEvent(pEvent);
    FitColumns();
}

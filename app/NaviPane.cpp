#include "app/NaviPane.h"

#include "app/AppIcon.h"
#include "command/CommandIds.h"
#include "app/NaviCalendar.h"
#include "app/NaviPeriod.h"
#include "app/NaviSpin.h"
#include "command/NaviTarget.h"
#include "app/PeriodDisplay.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

namespace {
// Runs a function whenever the watched widget is resized.
class CResizeHook : public QObject
{
public:
    CResizeHook(QWidget* pWidget, std::function<void()> fn) : QObject(pWidget), m_fn(std::move(fn))
    {
        pWidget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::Resize)
            m_fn();
        return false;
    }

private:
    std::function<void()> m_fn;
};

constexpr int kValueRole = Qt::UserRole;

QPushButton* MakeButton(const QString& strText, QWidget* pParent)
{
    auto* pButton = new QPushButton(strText, pParent);
    pButton->setCheckable(true);
    pButton->setFocusPolicy(Qt::NoFocus);
    return pButton;
}
} // namespace

CNaviPane::CNaviPane(bool bExtended, const QFont* pFont, QWidget* pParent)
    : QDockWidget(QStringLiteral("ナビゲーション"), pParent)
{
    setObjectName(QStringLiteral("NaviPane"));
    setWindowIcon(CAppIcon::Glyph(QStringLiteral("航")));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                | QDockWidget::DockWidgetFloatable);
    m_pBody = new QWidget(this);
    if (pFont)
        m_pBody->setFont(*pFont);
    setWidget(m_pBody);
    BuildControls(bExtended);
    new CResizeHook(m_pBody, [this] { DoLayout(); });
    new CResizeHook(m_pCalendarPage, [this] { LayoutCalendar(); });
}

void CNaviPane::BuildControls(bool bExtended)
{
    m_pToolBar = new QToolBar(m_pBody);
    m_pToolBar->setIconSize(QSize(16, 16));
    struct SToolItem { int nID; const char* szText; const char* szGlyph; int nResend; };
    const SToolItem items[] = {
        {ID_NAVI_EXTRACT, "データ抽出", "抽", ID_EDIT_EXTRACT},
        {ID_NAVI_BALANCE_LIST, "残高", "￥", ID_EDIT_BALANCE_LIST},
        {ID_NAVI_SYNC_DATE, "日付の同期", "同", 0},
    };
    for (const SToolItem& item : items) {
        QAction* pAction = m_pToolBar->addAction(CAppIcon::Glyph(QString::fromUtf8(item.szGlyph)),
                                                 QString::fromUtf8(item.szText));
        pAction->setData(item.nID);
        pAction->setEnabled(false);
        const int nResend = item.nResend;
        if (nResend)
            connect(pAction, &QAction::triggered, this, [this, nResend] { Q_EMIT Command(nResend); });
        else
            connect(pAction, &QAction::triggered, this, [this] { SyncDate(); });
    }

    // Automatic radio buttons: a click checks at once, the next idle cycle
    // shows what the view made of it.
    auto* pViewGroup = new QButtonGroup(this);
    pViewGroup->setExclusive(true);
    const char* const views[] = {"出納記録", "集計表", "グラフ", "メモ"};
    for (int i = 0; i < 4; ++i) {
        QPushButton* pButton = MakeButton(QString::fromUtf8(views[i]), m_pBody);
        pViewGroup->addButton(pButton);
        const int nID = ID_VIEW_REGISTER + i;
        pButton->setProperty("commandId", nID);
        connect(pButton, &QPushButton::clicked, this, [this, nID] { Q_EMIT Command(nID); });
        m_viewButtons.append(pButton);
    }

    // Not automatic: only the view's answer checks a period button.
    const char* const periods[] = {"１か月", "１年", "全期間", "連続期間"};
    const int nPeriods = bExtended ? 4 : 3;
    for (int i = 0; i < nPeriods; ++i) {
        QPushButton* pButton = MakeButton(QString::fromUtf8(periods[i]), m_pBody);
        const int nID = ID_PERIOD_MONTH + i;
        pButton->setProperty("commandId", nID);
        pButton->setEnabled(false);
        connect(pButton, &QPushButton::clicked, this, [this, pButton, nID] {
            pButton->setChecked(!pButton->isChecked());
            Q_EMIT Command(nID);
        });
        m_periodButtons.append(pButton);
    }

    m_pDisplay = new CPeriodDisplay(m_pBody);
    m_pSpin = new CNaviSpin(m_pBody);
    m_pSpin->setEnabled(false);
    connect(m_pSpin, &CNaviSpin::Stepped, this, &CNaviPane::StepPeriod);

    m_pTabs = new QTabWidget(m_pBody);
    m_pCalendarPage = new QWidget;
    m_pCalendar = new CNaviCalendar(m_pCalendarPage);
    connect(m_pCalendar, &QCalendarWidget::clicked, this, [this](QDate date) {
        if (!m_bUpdating && m_nKind >= 0)
            Q_EMIT DateChosen(MakeDate(date.year(), date.month(), date.day()));
    });
    connect(m_pCalendar, &QCalendarWidget::activated, this, [this](QDate date) {
        if (!m_bUpdating && m_nKind >= 0)
            Q_EMIT DateChosen(MakeDate(date.year(), date.month(), date.day()));
    });
    m_pCategoryTree = new QTreeWidget;
    m_pCurrencyTree = new QTreeWidget;
    for (QTreeWidget* pTree : {m_pCategoryTree, m_pCurrencyTree}) {
        pTree->setHeaderHidden(true);
        pTree->setRootIsDecorated(true);
        pTree->setSelectionMode(QAbstractItemView::SingleSelection);
        connect(pTree, &QTreeWidget::itemSelectionChanged, this, [this, pTree] { OnTreeSelection(pTree); });
    }
    m_pTabs->addTab(m_pCalendarPage, QStringLiteral("日付指定"));
    m_pTabs->addTab(m_pCategoryTree, QStringLiteral("費目指定"));
    m_pTabs->addTab(m_pCurrencyTree, QStringLiteral("通貨指定"));
}

QAction* CNaviPane::ToolBarAction(int nID) const
{
    for (QAction* pAction : m_pToolBar->actions()) {
        if (pAction->data().toInt() == nID)
            return pAction;
    }
    return nullptr;
}

int CNaviPane::InitialWidth() const
{
    const QRect rcTab = m_pTabs->tabBar()->tabRect(0);
    // The tab row must fit as well: the tabs here are as wide as their texts.
    const int nTabs = m_pTabs->tabBar()->sizeHint().width() + 4;
    return std::max({m_pCalendar->minimumSizeHint().width(), 3 * rcTab.right() - rcTab.left(), nTabs});
}

void CNaviPane::DoLayout()
{
    const int nTextHeight = QFontMetrics(m_pBody->font()).boundingRect(QStringLiteral("99")).height();
    const int nSpinWidth = m_pBody->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_layout = CNaviLayout::Compute(m_pBody->size(), m_pToolBar->sizeHint().height(), nTextHeight,
                                    int(m_periodButtons.size()), nSpinWidth);
    m_pToolBar->setGeometry(m_layout.m_rcToolBar);
    for (int i = 0; i < m_viewButtons.size(); ++i)
        m_viewButtons[i]->setGeometry(m_layout.m_viewButtons.value(i));
    for (int i = 0; i < m_periodButtons.size(); ++i)
        m_periodButtons[i]->setGeometry(m_layout.m_periodButtons.value(i));
    m_pDisplay->setGeometry(m_layout.m_rcDisplay);
    const QPoint ptOrigin = m_layout.m_rcDisplay.topLeft();
    m_pDisplay->SetTextRect(m_layout.m_rcText.translated(-ptOrigin));
    m_pDisplay->SetSpinRect(m_layout.m_rcSpin.translated(-ptOrigin), m_pSpin->isVisible());
    m_pSpin->setGeometry(m_layout.m_rcSpin);
    m_pSpin->raise();
    m_pTabs->setGeometry(m_layout.m_rcTab);
}

void CNaviPane::LayoutCalendar()
{
    const QSize size = m_pCalendar->minimumSizeHint().expandedTo(m_pCalendar->sizeHint());
    m_pCalendar->setGeometry(CNaviLayout::CalendarRect(m_pCalendarPage->rect(), size));
}

void CNaviPane::StepPeriod(int nDelta)
{
    if (m_nKind < 0 || m_nMode < 0 || m_nMode > 1)
        return;
    const PackedDate next = CNaviPeriod::Step(m_nMode, m_date, nDelta);
    if (DateYear(next) > 0)
        Q_EMIT DateChosen(next);
}

void CNaviPane::SyncDate()
{
    if (m_nKind < 0)
        return;
    const PackedDate date = CNaviPeriod::CalendarDate(m_syncDate);
    const QDate qdate(DateYear(date), DateMonth(date), DateDay(date));
    if (!qdate.isValid())
        return;
    m_bUpdating = true;
    m_pCalendar->setSelectedDate(qdate);
    m_bUpdating = false;
}

void CNaviPane::Refresh(INaviTarget* pTarget)
{
    const SNaviState state = pTarget ? pTarget->NaviState() : SNaviState();
    const int nKind = pTarget ? state.nKind : -1;
    if (QAction* pAction = ToolBarAction(ID_NAVI_EXTRACT))
        pAction->setEnabled(nKind == VIEW_REGISTER);
    if (QAction* pAction = ToolBarAction(ID_NAVI_BALANCE_LIST))
        pAction->setEnabled(nKind == VIEW_REGISTER);
    if (QAction* pAction = ToolBarAction(ID_NAVI_SYNC_DATE))
        pAction->setEnabled(pTarget != nullptr);
    m_nKind = nKind;
    // Without a document window the pane keeps what it last showed.
    if (!pTarget)
        return;
    m_syncDate = state.syncDate;

    const bool bSpin = state.nMode == CNaviPeriod::MODE_MONTH || state.nMode == CNaviPeriod::MODE_YEAR;
    if (m_pSpin->isEnabled() != bSpin)
        m_pSpin->setEnabled(bSpin);
    if (!m_bShown || state.nMode != m_nMode || state.date != m_date) {
        m_bShown = true;
        m_nMode = state.nMode;
        m_date = state.date;
        m_pDisplay->SetText(CNaviPeriod::Text(m_nMode, m_date));
    }

    m_bUpdating = true;
    if (m_pTabs->currentIndex() == TAB_CURRENCY)
        RefreshCurrencyTree(pTarget, nKind, state.nCurrency);
    else if (m_pTabs->currentIndex() == TAB_CATEGORY)
        RefreshCategoryTree(pTarget, nKind, state.nCategory);
    m_bUpdating = false;
}

void CNaviPane::RefreshCurrencyTree(INaviTarget* pTarget, int nKind, int nCurrency)
{
    QTreeWidget* pTree = m_pCurrencyTree;
    if (nKind == VIEW_REGISTER) {
        if (m_nCurrencyStamp != FIXED_STAMP) {
            pTree->clear();
            auto* pAll = new QTreeWidgetItem(pTree, {QStringLiteral("全ての通貨")});
            pAll->setData(0, kValueRole, 0);
            auto* pYen = new QTreeWidgetItem(pTree, {QStringLiteral("円換算")});
            pYen->setData(0, kValueRole, 1);
            m_nCurrencyStamp = FIXED_STAMP;
        }
        SelectValue(pTree, nCurrency ? 1 : 0, false);
    } else if (nKind == VIEW_SUMMARY || nKind == VIEW_GRAPH) {
        const int nStamp = pTarget->NaviCurrencyStamp();
        if (nStamp != m_nCurrencyStamp) {
            pTree->clear();
            auto* pRoot = new QTreeWidgetItem(pTree, {QStringLiteral("全ての通貨")});
            pRoot->setData(0, kValueRole, -1);
            const QStringList names = pTarget->NaviCurrencyNames();
            for (int i = 0; i < names.size(); ++i) {
                auto* pItem = new QTreeWidgetItem(pRoot, {names.at(i)});
                pItem->setData(0, kValueRole, i);
            }
            pRoot->setExpanded(true);
            m_nCurrencyStamp = nStamp;
        }
        SelectValue(pTree, nCurrency, true);
    }
}

void CNaviPane::RefreshCategoryTree(INaviTarget* pTarget, int nKind, int nCategory)
{
    QTreeWidget* pTree = m_pCategoryTree;
    if (nKind != VIEW_GRAPH) {
        if (m_nCategoryStamp != FIXED_STAMP) {
            pTree->clear();
            auto* pAll = new QTreeWidgetItem(pTree, {QStringLiteral("全ての費目")});
            pAll->setData(0, kValueRole, 0);
            m_nCategoryStamp = FIXED_STAMP;
        }
        return;
    }
    const int nStamp = pTarget->NaviCategoryStamp();
    if (nStamp != m_nCategoryStamp) {
        pTree->clear();
        const QStringList titles = pTarget->NaviCategoryTitles();
        for (int i = 0; i < titles.size(); ++i) {
            auto* pItem = new QTreeWidgetItem(pTree, {titles.at(i)});
            pItem->setData(0, kValueRole, i);
        }
        m_nCategoryStamp = nStamp;
    }
    SelectValue(pTree, nCategory, false);
}

void CNaviPane::SelectValue(QTreeWidget* pTree, int nValue, bool bChildrenOnly)
{
    QList<QTreeWidgetItem*> candidates;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* pTop = pTree->topLevelItem(i);
        if (bChildrenOnly) {
            for (int j = 0; j < pTop->childCount(); ++j)
                candidates.append(pTop->child(j));
        } else {
            candidates.append(pTop);
        }
    }
    for (QTreeWidgetItem* pItem : candidates) {
        if (pItem->data(0, kValueRole).toInt() == nValue) {
            if (pTree->currentItem() != pItem)
                pTree->setCurrentItem(pItem);
            return;
        }
    }
    // No match: the selection stays as it is.
}

void CNaviPane::OnTreeSelection(QTreeWidget* pTree)
{
    if (m_bUpdating || m_nKind < 0)
        return;
    const QList<QTreeWidgetItem*> selected = pTree->selectedItems();
    if (selected.isEmpty())
        return;
    const int nValue = selected.first()->data(0, kValueRole).toInt();
    if (pTree == m_pCurrencyTree)
        Q_EMIT CurrencyChosen(nValue);
    else
        Q_EMIT CategoryChosen(nValue);
}

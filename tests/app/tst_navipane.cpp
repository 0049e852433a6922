#include "command/CommandIds.h"
#include "app/NaviCalendar.h"
#include "app/NaviPane.h"
#include "app/NaviSpin.h"
#include "command/NaviTarget.h"
#include "app/PeriodDisplay.h"

#include <QAbstractItemView>
#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

namespace {
// A view as the pane sees it.
class CFakeView : public INaviTarget
{
public:
    SNaviState NaviState() const override { return m_state; }
    int NaviCurrencyStamp() const override { return m_nCurrencyStamp; }
    QStringList NaviCurrencyNames() const override { return m_currencies; }
    int NaviCategoryStamp() const override { return m_nCategoryStamp; }
    QStringList NaviCategoryTitles() const override { return m_categories; }

    SNaviState m_state;
    int m_nCurrencyStamp = 5;
    QStringList m_currencies{QStringLiteral("円"), QStringLiteral("米ドル"), QStringLiteral("EUR")};
    int m_nCategoryStamp = 7;
    QStringList m_categories{QStringLiteral("収入"), QStringLiteral("支出"), QStringLiteral("食費")};
};

QStringList TopTexts(const QTreeWidget* pTree)
{
    QStringList texts;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i)
        texts.append(pTree->topLevelItem(i)->text(0));
    return texts;
}
} // namespace

class TestNaviPane : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void periodButtonsFollowExtendedFlag_data();
    void periodButtonsFollowExtendedFlag();
    void displayMirrorsActiveView();
    void spinStepsTheDisplayedPeriod_data();
    void spinStepsTheDisplayedPeriod();
    void currencyTreeFollowsViewKind();
    void userSelectionIsPostedProgrammaticIsNot();
    void graphCategoryTree();
    void dateSynchronisationSetsCalendarQuietly();
    void neighbouringDaysCannotBeChosen();
    void paneToolBarStates_data();
    void paneToolBarStates();
};

void TestNaviPane::periodButtonsFollowExtendedFlag_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("plain") << false << QStringList{"１か月", "１年", "全期間"};
    QTest::newRow("extended") << true << QStringList{"１か月", "１年", "全期間", "連続期間"};
}

void TestNaviPane::periodButtonsFollowExtendedFlag()
{
    QFETCH(bool, extended);
    QFETCH(QStringList, labels);
    CNaviPane pane(extended, nullptr);
    pane.resize(220, 600);
    pane.show();
    QStringList texts;
    int nLeft = -1;
    for (QPushButton* pButton : pane.PeriodButtons()) {
        texts.append(pButton->text());
        QVERIFY(pButton->geometry().left() > nLeft);
        nLeft = pButton->geometry().left();
    }
    QCOMPARE(texts, labels);
    QStringList views;
    for (QPushButton* pButton : pane.ViewButtons())
        views.append(pButton->text());
    QCOMPARE(views, (QStringList{"出納記録", "集計表", "グラフ", "メモ"}));
    QCOMPARE(pane.windowTitle(), QStringLiteral("ナビゲーション"));
}

void TestNaviPane::displayMirrorsActiveView()
{
    CNaviPane pane(false, nullptr);
    QVERIFY(pane.PeriodDisplay()->Text().isEmpty());
    CFakeView view;
    view.m_state.nKind = VIEW_REGISTER;
    view.m_state.nMode = 0;
    view.m_state.date = MakeDate(2017, 12, 15);
    pane.Refresh(&view);
    QCOMPARE(pane.PeriodDisplay()->Text(), QStringLiteral("2017 年 12 月"));
    QVERIFY(pane.Spin()->isEnabled());

    view.m_state.nKind = VIEW_SUMMARY;
    view.m_state.nMode = 2;
    view.m_state.date = MakeDate(2010, 4, 0);
    pane.Refresh(&view);
    QCOMPARE(pane.PeriodDisplay()->Text(), QStringLiteral("2010 年  4 月 ～"));
    QVERIFY(!pane.Spin()->isEnabled());

    // Without a document window the pane keeps what it showed.
    pane.Refresh(nullptr);
    QCOMPARE(pane.PeriodDisplay()->Text(), QStringLiteral("2010 年  4 月 ～"));
}

void TestNaviPane::spinStepsTheDisplayedPeriod_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<PackedDate>("date");
    QTest::addColumn<int>("delta");
    QTest::addColumn<PackedDate>("posted");
    QTest::newRow("up in month mode") << 0 << MakeDate(2017, 12, 15) << -1 << MakeDate(2018, 1, 15);
    QTest::newRow("down in month mode") << 0 << MakeDate(2018, 1, 15) << 1 << MakeDate(2017, 12, 15);
    QTest::newRow("up in year mode") << 1 << MakeDate(2017, 12, 15) << -1 << MakeDate(2018, 12, 15);
    QTest::newRow("whole period: nothing") << 2 << MakeDate(2017, 12, 15) << -1 << MakeDate(0, 0, 0);
}

void TestNaviPane::spinStepsTheDisplayedPeriod()
{
    QFETCH(int, mode);
    QFETCH(PackedDate, date);
    QFETCH(int, delta);
    QFETCH(PackedDate, posted);
    CNaviPane pane(false, nullptr);
    QSignalSpy spy(&pane, &CNaviPane::DateChosen);
    pane.StepPeriod(-1);
    QCOMPARE(spy.size(), 0); // no view yet
    CFakeView view;
    view.m_state.nKind = VIEW_REGISTER;
    view.m_state.nMode = mode;
    view.m_state.date = date;
    pane.Refresh(&view);
    pane.StepPeriod(delta);
    if (posted == 0) {
        QCOMPARE(spy.size(), 0);
    } else {
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).value<PackedDate>(), posted);
    }
}

void TestNaviPane::currencyTreeFollowsViewKind()
{
    CNaviPane pane(false, nullptr);
    pane.Tabs()->setCurrentIndex(CNaviPane::TAB_CURRENCY);
    CFakeView view;
    view.m_state.nKind = VIEW_REGISTER;
    view.m_state.nCurrency = 1;
    pane.Refresh(&view);
    QTreeWidget* pTree = pane.CurrencyTree();
    QCOMPARE(TopTexts(pTree), (QStringList{"全ての通貨", "円換算"}));
    QCOMPARE(pTree->currentItem()->text(0), QStringLiteral("円換算"));

    view.m_state.nKind = VIEW_SUMMARY;
    view.m_state.nCurrency = 1;
    pane.Refresh(&view);
    QCOMPARE(TopTexts(pTree), QStringList{"全ての通貨"});
    QTreeWidgetItem* pRoot = pTree->topLevelItem(0);
    QVERIFY(pRoot->isExpanded());
    QCOMPARE(pRoot->childCount(), 3);
    QCOMPARE(pTree->currentItem()->text(0), QStringLiteral("米ドル"));

    // All currencies (-1) matches no currency item: the selection stays.
    view.m_state.nCurrency = -1;
    pane.Refresh(&view);
    QCOMPARE(pTree->currentItem()->text(0), QStringLiteral("米ドル"));

    // Back to the register and to the summary: rebuilt, since the fixed
    // contents carry their own stamp.
    view.m_state.nKind = VIEW_REGISTER;
    view.m_state.nCurrency = 0;
    pane.Refresh(&view);
    QCOMPARE(TopTexts(pTree), (QStringList{"全ての通貨", "円換算"}));
    view.m_state.nKind = VIEW_GRAPH;
    view.m_currencies.append(QStringLiteral("ポンド"));
    pane.Refresh(&view);
    QCOMPARE(pTree->topLevelItem(0)->childCount(), 4);

    // The memo view leaves the tree alone.
    view.m_state.nKind = VIEW_MEMO;
    view.m_nCurrencyStamp = 9;
    pane.Refresh(&view);
    QCOMPARE(pTree->topLevelItem(0)->childCount(), 4);
}

void TestNaviPane::userSelectionIsPostedProgrammaticIsNot()
{
    CNaviPane pane(false, nullptr);
    pane.Tabs()->setCurrentIndex(CNaviPane::TAB_CURRENCY);
    QSignalSpy currency(&pane, &CNaviPane::CurrencyChosen);
    CFakeView view;
    view.m_state.nKind = VIEW_SUMMARY;
    view.m_state.nCurrency = 2;
    pane.Refresh(&view);
    QCOMPARE(currency.size(), 0);
    QTreeWidgetItem* pDollar = pane.CurrencyTree()->topLevelItem(0)->child(1);
    pane.CurrencyTree()->setCurrentItem(pDollar);
    QCOMPARE(currency.size(), 1);
    QCOMPARE(currency.at(0).at(0).toInt(), 1);
    pane.CurrencyTree()->setCurrentItem(pane.CurrencyTree()->topLevelItem(0));
    QCOMPARE(currency.at(1).at(0).toInt(), -1);
}

void TestNaviPane::graphCategoryTree()
{
    CNaviPane pane(false, nullptr);
    pane.Tabs()->setCurrentIndex(CNaviPane::TAB_CATEGORY);
    QSignalSpy category(&pane, &CNaviPane::CategoryChosen);
    CFakeView view;
    view.m_state.nKind = VIEW_REGISTER;
    pane.Refresh(&view);
    QCOMPARE(TopTexts(pane.CategoryTree()), QStringList{"全ての費目"});
    view.m_state.nKind = VIEW_GRAPH;
    view.m_state.nCategory = 2;
    pane.Refresh(&view);
    QCOMPARE(TopTexts(pane.CategoryTree()), view.m_categories);
    QCOMPARE(pane.CategoryTree()->currentItem()->text(0), QStringLiteral("食費"));
    pane.CategoryTree()->setCurrentItem(pane.CategoryTree()->topLevelItem(0));
    QCOMPARE(category.size(), 1);
    QCOMPARE(category.at(0).at(0).toInt(), 0);
}

void TestNaviPane::dateSynchronisationSetsCalendarQuietly()
{
    CNaviPane pane(false, nullptr);
    QSignalSpy dates(&pane, &CNaviPane::DateChosen);
    CFakeView view;
    view.m_state.nKind = VIEW_SUMMARY;
    view.m_state.syncDate = MakeDate(2020, 5, 0);
    pane.Refresh(&view);
    QAction* pSync = pane.ToolBarAction(ID_NAVI_SYNC_DATE);
    QVERIFY(pSync->isEnabled());
    pSync->trigger();
    QCOMPARE(pane.Calendar()->selectedDate(), QDate(2020, 5, 1));
    QCOMPARE(dates.size(), 0);
    // A day the user picks goes to the view.
    Q_EMIT pane.Calendar()->clicked(QDate(2020, 5, 20));
    QCOMPARE(dates.size(), 1);
    QCOMPARE(dates.at(0).at(0).value<PackedDate>(), MakeDate(2020, 5, 20));
}

void TestNaviPane::neighbouringDaysCannotBeChosen()
{
    CNaviPane pane(false, nullptr);
    pane.resize(260, 600);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    CFakeView view;
    view.m_state.nKind = VIEW_REGISTER;
    pane.Refresh(&view);
    CNaviCalendar* pCalendar = pane.Calendar();
    // March 2021 starts on a Monday and ends on a Wednesday: both neighbours show.
    pCalendar->setCurrentPage(2021, 3);
    QAbstractItemView* pTable = pCalendar->DayTable();
    QVERIFY(pTable != nullptr);
    QSignalSpy dates(&pane, &CNaviPane::DateChosen);
    QModelIndex neighbour;
    QModelIndex own;
    for (int r = 1; r < pTable->model()->rowCount(); ++r) {
        for (int c = 0; c < pTable->model()->columnCount(); ++c) {
            const QModelIndex index = pTable->model()->index(r, c);
            const int nDay = index.data().toInt();
            if (CNaviCalendar::IsNeighbourCell(r, nDay) && !neighbour.isValid())
                neighbour = index;
            if (nDay == 15)
                own = index;
        }
    }
    QVERIFY(neighbour.isValid());
    QTest::mouseClick(pTable->viewport(), Qt::LeftButton, Qt::NoModifier, pTable->visualRect(neighbour).center());
    QCOMPARE(dates.size(), 0);
    QCOMPARE(pCalendar->monthShown(), 3);
    QTest::mouseClick(pTable->viewport(), Qt::LeftButton, Qt::NoModifier, pTable->visualRect(own).center());
    QCOMPARE(dates.size(), 1);
    QCOMPARE(dates.at(0).at(0).value<PackedDate>(), MakeDate(2021, 3, 15));
}

void TestNaviPane::paneToolBarStates_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("extract");
    QTest::addColumn<bool>("sync");
    QTest::newRow("no window") << -1 << false << false;
    QTest::newRow("register") << int(VIEW_REGISTER) << true << true;
    QTest::newRow("summary") << int(VIEW_SUMMARY) << false << true;
}

void TestNaviPane::paneToolBarStates()
{
    QFETCH(int, kind);
    QFETCH(bool, extract);
    QFETCH(bool, sync);
    CNaviPane pane(false, nullptr);
    QSignalSpy commands(&pane, &CNaviPane::Command);
    CFakeView view;
    view.m_state.nKind = kind;
    pane.Refresh(kind < 0 ? nullptr : &view);
    QCOMPARE(pane.ToolBarAction(ID_NAVI_EXTRACT)->isEnabled(), extract);
    QCOMPARE(pane.ToolBarAction(ID_NAVI_BALANCE_LIST)->isEnabled(), extract);
    QCOMPARE(pane.ToolBarAction(ID_NAVI_SYNC_DATE)->isEnabled(), sync);
    if (extract) {
        // Re-sent to the frame as the register's own commands.
        pane.ToolBarAction(ID_NAVI_EXTRACT)->trigger();
        pane.ToolBarAction(ID_NAVI_BALANCE_LIST)->trigger();
        QCOMPARE(commands.size(), 2);
        QCOMPARE(commands.at(0).at(0).toInt(), int(ID_EDIT_EXTRACT));
        QCOMPARE(commands.at(1).at(0).toInt(), int(ID_EDIT_BALANCE_LIST));
    }
}

QTEST_MAIN(TestNaviPane)
#include "tst_navipane.moc"

// The graph in the program: opened from the menu command and the navigation pane, titled
// among the ledger's windows, a second window starting as the first, driven by the pane.
#include "AppStart.h"

#include "app/ChildFrame.h"
#include "app/LedgerSession.h"
#include "app/NaviPane.h"
#include "command/CommandIds.h"
#include "model/CofferDoc.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "summary/GraphView.h"
#include "summary/PeriodMode.h"
#include "tests/support/LedgerBuilder.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

CGraphView* GraphViewOf(CChildFrame* pFrame)
{
    return pFrame != nullptr ? dynamic_cast<CGraphView*>(pFrame->View()) : nullptr;
}

} // namespace

class TestGraphViewApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensFromTheMenuAndThePane();
    void windowsAreNumbered();
    void commandsReachTheView();
    void paneDrivesTheView();

private:
    // The started program with a two-currency ledger from 2023/11 to 2024/3 in front.
    std::unique_ptr<CCofferApp> Start();

    std::unique_ptr<support::CAppTestEnv> m_pEnv;
};

void TestGraphViewApp::init()
{
    m_pEnv = std::make_unique<support::CAppTestEnv>();
}

void TestGraphViewApp::cleanup()
{
    m_pEnv.reset();
}

std::unique_ptr<CCofferApp> TestGraphViewApp::Start()
{
    return support::StartAppWith({support::Line(MakeDate(2023, 11, 3), 0, 3, -support::U(500)),
                                  support::Line(MakeDate(2024, 3, 2), 0, 3, -support::U(1200)),
                                  support::Line(MakeDate(2024, 3, 5), 1, 3, -support::U(10))},
                                 support::Currencies(2));
}

void TestGraphViewApp::opensFromTheMenuAndThePane()
{
    auto pApp = Start();
    QVERIFY(pApp != nullptr);
    CMainFrame* pFrame = pApp->MainFrame();
    QPushButton* pButton = support::CommandButton(pFrame->NaviPane()->ViewButtons(), ID_VIEW_GRAPH);
    QVERIFY(pButton != nullptr);
    QVERIFY(pButton->isEnabled());
    QVERIFY(pFrame->Router().Query(ID_VIEW_GRAPH).m_bEnabled);

    // The pane's グラフ button.
    pButton->click();
    pFrame->OnIdle();
    CChildFrame* pGraph = pFrame->ActiveChildFrame();
    QVERIFY(GraphViewOf(pGraph) != nullptr);
    QCOMPARE(pGraph->Kind(), int(VIEW_GRAPH));
    QVERIFY(pFrame->Router().Query(ID_VIEW_GRAPH).m_bChecked);
    QVERIFY(!pFrame->Router().Query(ID_VIEW_REGISTER).m_bChecked);
    QVERIFY(pButton->isChecked());

    // The menu command brings the same window back to the front.
    QVERIFY(pFrame->Execute(ID_VIEW_REGISTER));
    QVERIFY(GraphViewOf(pFrame->ActiveChildFrame()) == nullptr);
    QVERIFY(pFrame->Execute(ID_VIEW_GRAPH));
    QCOMPARE(pFrame->ActiveChildFrame(), pGraph);
    QCOMPARE(pFrame->ChildFrames().size(), 2);
}

void TestGraphViewApp::windowsAreNumbered()
{
    auto pApp = Start();
    QVERIFY(pApp != nullptr);
    CMainFrame* pFrame = pApp->MainFrame();
    CChildFrame* pRegister = pFrame->ActiveChildFrame();
    QVERIFY(pFrame->Execute(ID_VIEW_GRAPH));
    CChildFrame* pGraph = pFrame->ActiveChildFrame();
    QCOMPARE(pRegister->windowTitle(), QStringLiteral("Pennyfold1:1"));
    QCOMPARE(pGraph->windowTitle(), QStringLiteral("Pennyfold1:2"));

    // A new window on the graph is one more graph, starting where the first one stands.
    QVERIFY(pFrame->Execute(ID_PERIOD_YEAR));
    QVERIFY(pFrame->Execute(ID_MOVE_NEXT_CATEGORY));
    QVERIFY(pFrame->Execute(ID_MOVE_NEXT_CURRENCY));
    const int nColumn = GraphViewOf(pGraph)->Column();
    QVERIFY(pFrame->Execute(ID_WINDOW_NEW));
    CChildFrame* pThird = pFrame->ActiveChildFrame();
    CGraphView* pView = GraphViewOf(pThird);
    QVERIFY(pView != nullptr && pThird != pGraph);
    QCOMPARE(pView->PeriodMode(), int(PERIOD_YEAR));
    QCOMPARE(pView->Currency(), 1);
    QCOMPARE(pView->Column(), nColumn);
    QCOMPARE(pThird->windowTitle(), QStringLiteral("Pennyfold1:3"));
}

void TestGraphViewApp::commandsReachTheView()
{
    auto pApp = Start();
    QVERIFY(pApp != nullptr);
    CMainFrame* pFrame = pApp->MainFrame();
    // With the register in front the category commands are dark.
    QVERIFY(!pFrame->Router().Query(ID_MOVE_NEXT_CATEGORY).m_bEnabled);
    QVERIFY(pFrame->Execute(ID_VIEW_GRAPH));
    pFrame->OnIdle();
    CGraphView* pView = GraphViewOf(pFrame->ActiveChildFrame());
    QVERIFY(pView != nullptr);
    const struct {
        int nID;
        bool bEnabled;
    } expected[] = {{ID_PERIOD_SERIAL, true},      {ID_MOVE_PREV_MONTH, true}, {ID_MOVE_NEXT_CATEGORY, true},
                    {ID_MOVE_PREV_CATEGORY, true}, {ID_MOVE_NEXT_CURRENCY, true}, {ID_EDIT_PASTE, false},
                    {ID_EDIT_INPUT, false},        {ID_VIEW_YEN, false}};
    for (const auto& e : expected)
        QVERIFY2(pFrame->Router().Query(e.nID).m_bEnabled == e.bEnabled, qPrintable(QString::number(e.nID)));
    QVERIFY(pFrame->Execute(ID_PERIOD_YEAR));
    QVERIFY(!pFrame->Router().Query(ID_MOVE_PREV_MONTH).m_bEnabled);
    QVERIFY(pFrame->Router().Query(ID_MOVE_PREV_YEAR).m_bEnabled);
    const int nColumn = pView->Column();
    QVERIFY(pFrame->Execute(ID_MOVE_NEXT_CATEGORY));
    QCOMPARE(pView->Column(), nColumn + 1);
}

void TestGraphViewApp::paneDrivesTheView()
{
    auto pApp = Start();
    QVERIFY(pApp != nullptr);
    CMainFrame* pFrame = pApp->MainFrame();
    QVERIFY(pFrame->Execute(ID_VIEW_GRAPH));
    pFrame->OnIdle();
    CGraphView* pView = GraphViewOf(pFrame->ActiveChildFrame());
    QVERIFY(pView != nullptr);
    CNaviPane* pPane = pFrame->NaviPane();

    QPushButton* pAll = support::CommandButton(pPane->PeriodButtons(), ID_PERIOD_ALL);
    QVERIFY(pAll != nullptr);
    pAll->click();
    pFrame->OnIdle();
    QCOMPARE(pView->PeriodMode(), int(PERIOD_ALL));
    QVERIFY(pAll->isChecked());

    // A calendar day, a currency and a category arrive after the pane's own event.
    Q_EMIT pPane->DateChosen(MakeDate(2023, 11, 20));
    QTRY_COMPARE(pView->PeriodDate(), MakeDate(2023, 11, 20));
    Q_EMIT pPane->CurrencyChosen(1);
    QTRY_COMPARE(pView->Currency(), 1);
    Q_EMIT pPane->CategoryChosen(4);
    QTRY_COMPARE(pView->Column(), 4);
    pFrame->OnIdle();
    QCOMPARE(pView->NaviState().nCategory, 4);
}

QTEST_MAIN(TestGraphViewApp)
#include "tst_graphviewapp.moc"

// The summary table in the program: opened from the menu command and the navigation pane,
// titled among the ledger's windows, answering its commands alone, driven by the pane.
#include "AppStart.h"

#include "app/ChildFrame.h"
#include "app/LedgerSession.h"
#include "app/NaviPane.h"
#include "command/CommandIds.h"
#include "command/CommandTable.h"
#include "command/CommandTarget.h"
#include "model/CofferDoc.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "summary/PeriodMode.h"
#include "summary/SumView.h"
#include "tests/support/LedgerBuilder.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

CSumView* SumViewOf(CChildFrame* pFrame)
{
    return pFrame != nullptr ? dynamic_cast<CSumView*>(pFrame->View()) : nullptr;
}

} // namespace

class TestSumViewApp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensFromTheMenuAndThePane();
    void windowsAreNumbered();
    void viewCommandsAreTheViews();
    void paneDrivesTheView();

private:
    // The started program with a two-currency ledger from 2023/11 to 2024/3 in front.
    std::unique_ptr<CCofferApp> Start();

    std::unique_ptr<support::CAppTestEnv> m_pEnv;
};

void TestSumViewApp::init()
{
    m_pEnv = std::make_unique<support::CAppTestEnv>();
}

void TestSumViewApp::cleanup()
{
    m_pEnv.reset();
}

std::unique_ptr<CCofferApp> TestSumViewApp::Start()
{
    return support::StartAppWith({support::Line(MakeDate(2023, 11, 3), 0, 3, -support::U(500)),
                                  support::Line(MakeDate(2024, 3, 2), 0, 3, -support::U(1200)),
                                  support::Line(MakeDate(2024, 3, 5), 1, 3, -support::U(10))},
                                 support::Currencies(2));
}

void TestSumViewApp::opensFromTheMenuAndThePane()
{
    auto pApp = Start();
    QVERIFY(pApp != nullptr);
    CMainFrame* pFrame = pApp->MainFrame();
    QPushButton* pButton = support::CommandButton(pFrame->NaviPane()->ViewButtons(), ID_VIEW_SUMMARY);
    QVERIFY(pButton != nullptr);
    QVERIFY(pButton->isEnabled());
    QVERIFY(pFrame->Router().Query(ID_VIEW_SUMMARY).m_bEnabled);

    // The pane's 集計表 button.
    pButton->click();
    pFrame->OnIdle();
    CChildFrame* pSummary = pFrame->ActiveChildFrame();
    QVERIFY(SumViewOf(pSummary) != nullptr);
    QCOMPARE(pSummary->Kind(), int(VIEW_SUMMARY));
    QVERIFY(pFrame->Router().Query(ID_VIEW_SUMMARY).m_bChecked);
    QVERIFY(!pFrame->Router().Query(ID_VIEW_REGISTER).m_bChecked);
    QVERIFY(pButton->isChecked());

    // The menu command brings the same window back to the front.
    QVERIFY(pFrame->Execute(ID_VIEW_REGISTER));
    QVERIFY(SumViewOf(pFrame->ActiveChildFrame()) == nullptr);
    QVERIFY(pFrame->Execute(ID_VIEW_SUMMARY));
    QCOMPARE(pFrame->ActiveChildFrame(), pSummary);
    QCOMPARE(pFrame->ChildFrames().size(), 2);
}

void TestSumViewApp::windowsAreNumbered()
{
    auto pApp = Start();
    QVERIFY(pApp != nullptr);
    CMainFrame* pFrame = pApp->MainFrame();
    CChildFrame* pRegister = pFrame->ActiveChildFrame();
    QVERIFY(pFrame->Execute(ID_VIEW_SUMMARY));
    CChildFrame* pSummary = pFrame->ActiveChildFrame();
    QCOMPARE(pRegister->windowTitle(), QStringLiteral("Pennyfold1:1"));
    QCOMPARE(pSummary->windowTitle(), QStringLiteral("Pennyfold1:2"));

    // A new window on the summary is one more summary, starting where the first one stands.
    QVERIFY(pFrame->Execute(ID_PERIOD_YEAR));
    QVERIFY(pFrame->Execute(ID_MOVE_NEXT_CURRENCY));
    QVERIFY(pFrame->Execute(ID_WINDOW_NEW));
    CChildFrame* pThird = pFrame->ActiveChildFrame();
    CSumView* pView = SumViewOf(pThird);
    QVERIFY(pView != nullptr && pThird != pSummary);
    QCOMPARE(pView->PeriodMode(), int(PERIOD_YEAR));
    QCOMPARE(pView->Currency(), 1);
    QCOMPARE(pThird->windowTitle(), QStringLiteral("Pennyfold1:3"));

    pRegister->close();
    pFrame->OnIdle();
    QCOMPARE(pSummary->windowTitle(), QStringLiteral("Pennyfold1:1"));
    QCOMPARE(pThird->windowTitle(), QStringLiteral("Pennyfold1:2"));
}

void TestSumViewApp::viewCommandsAreTheViews()
{
    auto pApp = Start();
    QVERIFY(pApp != nullptr);
    CMainFrame* pFrame = pApp->MainFrame();
    QVERIFY(pFrame->Execute(ID_VIEW_SUMMARY));
    pFrame->OnIdle();
    CChildFrame* pChild = pFrame->ActiveChildFrame();
    QVERIFY(SumViewOf(pChild) != nullptr);

    QSet<int> ids;
    for (const QMenu* pMenu : pFrame->VisibleMenus())
        support::CollectMenuIds(pMenu, ids);
    for (int nID : CMainFrame::StandardToolBarButtons()) {
        if (nID != 0)
            ids.insert(nID);
    }
    const QList<CCommandTarget*> others = {pChild->Session(), pFrame, pApp.get()};
    QStringList faults;
    for (int nID : ids) {
        const SCommandInfo& info = CCommandTable::Info(nID);
        const bool bView = pChild->ViewTarget()->HandlesCommand(nID);
        int nOthers = 0;
        for (CCommandTarget* pTarget : others)
            nOthers += pTarget->HandlesCommand(nID) ? 1 : 0;
        const QString strName = QStringLiteral("%1 %2").arg(nID).arg(info.strMenu);
        if (bView && info.owner != ECommandOwner::View)
            faults << strName + QStringLiteral(": answered by the summary view, not a view command");
        if (bView && nOthers > 0)
            faults << strName + QStringLiteral(": answered by the view and another target");
        if (info.owner == ECommandOwner::View && nOthers > 0)
            faults << strName + QStringLiteral(": a view command answered off the view");
    }
    if (!faults.isEmpty())
        QFAIL(qPrintable(faults.join(u'\n')));

    // What the summary answers is live on the menus and the toolbar; what it lacks is dark.
    const struct {
        int nID;
        bool bEnabled;
    } expected[] = {{ID_EDIT_COPY, true},      {ID_PERIOD_SERIAL, true},  {ID_MOVE_PREV_MONTH, true},
                    {ID_MOVE_NEXT_CURRENCY, true}, {ID_MOVE_FIRST, true}, {ID_EDIT_CUT, false},
                    {ID_EDIT_PASTE, false},    {ID_EDIT_INPUT, false},    {ID_VIEW_YEN, false}};
    for (const auto& e : expected)
        QVERIFY2(pFrame->Router().Query(e.nID).m_bEnabled == e.bEnabled, qPrintable(QString::number(e.nID)));
    QVERIFY(pFrame->Execute(ID_PERIOD_YEAR));
    QVERIFY(!pFrame->Router().Query(ID_MOVE_PREV_MONTH).m_bEnabled);
    QVERIFY(pFrame->Router().Query(ID_MOVE_PREV_YEAR).m_bEnabled);
}

void TestSumViewApp::paneDrivesTheView()
{
    auto pApp = Start();
    QVERIFY(pApp != nullptr);
    CMainFrame* pFrame = pApp->MainFrame();
    QVERIFY(pFrame->Execute(ID_VIEW_SUMMARY));
    pFrame->OnIdle();
    CSumView* pView = SumViewOf(pFrame->ActiveChildFrame());
    QVERIFY(pView != nullptr);
    CNaviPane* pPane = pFrame->NaviPane();

    // The pane's period buttons are the view's: 全期間 checks with the view's mode.
    QPushButton* pAll = support::CommandButton(pPane->PeriodButtons(), ID_PERIOD_ALL);
    QVERIFY(pAll != nullptr);
    pAll->click();
    pFrame->OnIdle();
    QCOMPARE(pView->PeriodMode(), int(PERIOD_ALL));
    QVERIFY(pAll->isEnabled());
    QVERIFY(pAll->isChecked());
    QPushButton* pMonth = support::CommandButton(pPane->PeriodButtons(), ID_PERIOD_MONTH);
    QVERIFY(pMonth != nullptr);
    pMonth->click();
    pFrame->OnIdle();
    QCOMPARE(pView->PeriodMode(), int(PERIOD_MONTH));

    // A calendar day and a currency tree item arrive after the pane's own event.
    Q_EMIT pPane->DateChosen(MakeDate(2023, 11, 20));
    QCOMPARE(pView->PeriodDate(), MakeDate(2024, 3, 5));
    QTRY_COMPARE(pView->PeriodDate(), MakeDate(2023, 11, 20));
    Q_EMIT pPane->CurrencyChosen(1);
    QTRY_COMPARE(pView->Currency(), 1);
    Q_EMIT pPane->CurrencyChosen(7);
    QTest::qWait(20);
    QCOMPARE(pView->Currency(), 1);
}

QTEST_MAIN(TestSumViewApp)
#include "tst_sumviewapp.moc"

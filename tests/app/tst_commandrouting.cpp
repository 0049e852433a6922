#include "command/CommandRouter.h"
#include "command/CommandTarget.h"
#include "command/CommandUpdater.h"

#include <QAction>
#include <QButtonGroup>
#include <QPushButton>
#include <QTest>

namespace {
// A target that records what reached it.
class CProbe : public CCommandTarget
{
public:
    QList<int> m_executed;
    void Handle(int nID, bool bEnabled, bool bChecked = false)
    {
        AddCommand(nID, [this](int n) { m_executed.append(n); }, [bEnabled, bChecked](CCmdUI& ui) {
            ui.Enable(bEnabled);
            ui.SetCheck(bChecked);
        });
    }
};
} // namespace

class TestCommandRouting : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstTargetOnRouteDecides_data();
    void firstTargetOnRouteDecides();
    void disabledCommandIsNeverExecuted();
    void stateOnlyHandlerLeavesExecutionToLaterTarget();
    void rangeHandlerSeesItsNumber();
    void updaterAppliesStatesToActions();
    void radioButtonWithoutHandlerStaysEnabled();
};

void TestCommandRouting::firstTargetOnRouteDecides_data()
{
    QTest::addColumn<bool>("viewHandles");
    QTest::addColumn<bool>("docHandles");
    QTest::addColumn<bool>("appHandles");
    QTest::addColumn<int>("executedBy");  // 0 view, 1 document, 2 app, -1 nobody
    QTest::newRow("view first") << true << true << true << 0;
    QTest::newRow("document when the view lacks it") << false << true << true << 1;
    QTest::newRow("application last") << false << false << true << 2;
    QTest::newRow("nobody: disabled") << false << false << false << -1;
}

void TestCommandRouting::firstTargetOnRouteDecides()
{
    QFETCH(bool, viewHandles);
    QFETCH(bool, docHandles);
    QFETCH(bool, appHandles);
    QFETCH(int, executedBy);
    CProbe view, doc, app;
    if (viewHandles)
        view.Handle(100, true, true);
    if (docHandles)
        doc.Handle(100, true, false);
    if (appHandles)
        app.Handle(100, true, false);
    CCommandRouter router([&] { return QList<CCommandTarget*>{&view, &doc, nullptr, &app}; });

    const CCmdUI ui = router.Query(100);
    QCOMPARE(ui.m_bEnabled, executedBy >= 0);
    QCOMPARE(ui.m_bHandled, executedBy >= 0);
    QCOMPARE(ui.m_bChecked, executedBy == 0);
    QCOMPARE(router.Execute(100), executedBy >= 0);
    QCOMPARE(view.m_executed.size(), executedBy == 0 ? 1 : 0);
    QCOMPARE(doc.m_executed.size(), executedBy == 1 ? 1 : 0);
    QCOMPARE(app.m_executed.size(), executedBy == 2 ? 1 : 0);
}

void TestCommandRouting::disabledCommandIsNeverExecuted()
{
    CProbe view, app;
    view.Handle(7, false);
    app.Handle(7, true);
    CCommandRouter router([&] { return QList<CCommandTarget*>{&view, &app}; });
    QVERIFY(!router.Query(7).m_bEnabled);
    QVERIFY(!router.Execute(7));
    QVERIFY(view.m_executed.isEmpty());
    QVERIFY(app.m_executed.isEmpty());
}

void TestCommandRouting::stateOnlyHandlerLeavesExecutionToLaterTarget()
{
    // The frame only unchecks by default; a handler further on runs it.
    CCommandTarget frame;
    frame.AddCommand(5, {}, [](CCmdUI& ui) { ui.SetCheck(false); });
    CProbe app;
    app.Handle(5, false);
    CCommandRouter router([&] { return QList<CCommandTarget*>{&frame, &app}; });
    QVERIFY(router.Query(5).m_bEnabled);
    QVERIFY(router.Execute(5));
    QCOMPARE(app.m_executed, QList<int>{5});
}

void TestCommandRouting::rangeHandlerSeesItsNumber()
{
    CCommandTarget target;
    QList<int> seen;
    target.AddCommand(10, 13, [&](int nID) { seen.append(nID); }, [](CCmdUI& ui) { ui.Enable(ui.m_nID % 2 == 0); });
    CCommandRouter router([&] { return QList<CCommandTarget*>{&target}; });
    QVERIFY(router.Execute(10));
    QVERIFY(!router.Execute(11));
    QVERIFY(router.Execute(12));
    QVERIFY(!router.Execute(14));
    QCOMPARE(seen, (QList<int>{10, 12}));
}

void TestCommandRouting::updaterAppliesStatesToActions()
{
    CProbe target;
    target.Handle(1, true, true);
    target.Handle(2, false);
    CCommandRouter router([&] { return QList<CCommandTarget*>{&target}; });
    QAction checkable, plain, orphan;
    checkable.setCheckable(true);
    orphan.setEnabled(true);
    CCommandUpdater updater;
    updater.Bind(&checkable, 1);
    updater.Bind(&plain, 2);
    updater.Bind(&orphan, 3);
    {
        // A deleted control is skipped, not touched.
        auto* pGone = new QAction;
        updater.Bind(pGone, 1);
        delete pGone;
    }
    updater.Refresh(router);
    QVERIFY(checkable.isEnabled());
    QVERIFY(checkable.isChecked());
    QVERIFY(!plain.isEnabled());
    QVERIFY(!orphan.isEnabled());
}

void TestCommandRouting::radioButtonWithoutHandlerStaysEnabled()
{
    CCommandTarget frame;
    // The frame's default for view buttons: unchecked, and no enable.
    frame.AddCommand(20, 21, {}, [](CCmdUI& ui) { ui.SetCheck(false); });
    CCommandRouter router([&] { return QList<CCommandTarget*>{&frame}; });
    frame.AddCommand(22, {}, [](CCmdUI& ui) { ui.Enable(false); });
    QPushButton radio, handled, refused;
    QButtonGroup group;
    for (QPushButton* p : {&radio, &handled, &refused}) {
        p->setCheckable(true);
        group.addButton(p);
    }
    radio.setChecked(true);
    CCommandUpdater updater;
    updater.Bind(&radio, 30, true);   // nothing on the route knows 30
    updater.Bind(&handled, 20, true); // answered without enabling
    updater.Bind(&refused, 22, true); // answered with a refusal
    updater.Refresh(router);
    QVERIFY(radio.isEnabled());
    QVERIFY(!radio.isChecked());
    QVERIFY(handled.isEnabled());
    QVERIFY(!refused.isEnabled());
    // An ordinary control answered without enabling follows the handlers.
    QAction action;
    CCommandUpdater plain;
    plain.Bind(&action, 20);
    plain.Refresh(router);
    QVERIFY(!action.isEnabled());
}

QTEST_MAIN(TestCommandRouting)
#include "tst_commandrouting.moc"

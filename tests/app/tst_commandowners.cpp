#include "AppStart.h"

#include "app/ChildFrame.h"
#include "app/CofferApp.h"
#include "app/LedgerSession.h"
#include "app/MainFrame.h"
#include "command/CommandIds.h"
#include "command/CommandTable.h"
#include "command/CommandTarget.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString OwnerName(ECommandOwner owner)
{
    switch (owner) {
    case ECommandOwner::View:
        return QStringLiteral("view");
    case ECommandOwner::Document:
        return QStringLiteral("document");
    case ECommandOwner::Frame:
        return QStringLiteral("frame");
    case ECommandOwner::App:
        return QStringLiteral("application");
    case ECommandOwner::None:
        break;
    }
    return QStringLiteral("none");
}

} // namespace

// Each command of the menus and the toolbar has one owner on the route: the target the
// command table names answers both its state and its execution, and no other target on
// the route knows the command.
class TestCommandOwners : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void everyCommandHasOneOwner_data();
    void everyCommandHasOneOwner();

private:
    std::unique_ptr<support::CAppTestEnv> m_pEnv;
};

void TestCommandOwners::init()
{
    m_pEnv = std::make_unique<support::CAppTestEnv>();
}

void TestCommandOwners::cleanup()
{
    m_pEnv.reset();
}

void TestCommandOwners::everyCommandHasOneOwner_data()
{
    QTest::addColumn<bool>("withLedger");
    QTest::newRow("a ledger in front") << true;
    QTest::newRow("no ledger") << false;
}

void TestCommandOwners::everyCommandHasOneOwner()
{
    QFETCH(bool, withLedger);
    CCofferApp app;
    QVERIFY(app.InitInstance({}, false));
    CMainFrame* pFrame = app.MainFrame();
    pFrame->show();
    if (!withLedger) {
        while (pFrame->ActiveChildFrame() != nullptr)
            QVERIFY(pFrame->Execute(ID_FILE_CLOSE));
    }
    pFrame->OnIdle();
    CChildFrame* pChild = pFrame->ActiveChildFrame();
    QCOMPARE(pChild != nullptr, withLedger);

    QSet<int> ids;
    for (const QMenu* pMenu : pFrame->VisibleMenus())
        support::CollectMenuIds(pMenu, ids);
    for (int nID : CMainFrame::StandardToolBarButtons()) {
        if (nID != 0)
            ids.insert(nID);
    }
    QVERIFY(ids.size() > 40);

    const struct {
        ECommandOwner owner;
        CCommandTarget* pTarget;
    } route[] = {
        { ECommandOwner::View, pChild != nullptr ? pChild->ViewTarget() : nullptr },
        { ECommandOwner::Document, pChild != nullptr ? pChild->Session() : nullptr },
        { ECommandOwner::Frame, pFrame },
        { ECommandOwner::App, &app },
    };
    QStringList faults;
    for (int nID : ids) {
        const SCommandInfo& info = CCommandTable::Info(nID);
        QStringList answering;
        bool bOwnerRuns = false;
        for (const auto& step : route) {
            if (step.pTarget == nullptr || !step.pTarget->HandlesCommand(nID))
                continue;
            answering << OwnerName(step.owner);
            bOwnerRuns = step.owner == info.owner && step.pTarget->CanExecute(nID);
        }
        const QString strName = QStringLiteral("%1 %2").arg(nID).arg(info.strMenu);
        if (info.owner == ECommandOwner::None)
            faults << strName + QStringLiteral(": no owner in the table");
        else if (info.bPending && !answering.isEmpty())
            faults << strName + QStringLiteral(": pending but answered by ") + answering.join(u',');
        else if (!info.bPending && answering.size() > 1)
            faults << strName + QStringLiteral(": answered by ") + answering.join(u',');
        else if (answering.size() == 1 && !bOwnerRuns)
            faults << strName + QStringLiteral(": answered by ") + answering.first() + QStringLiteral(", owner ")
                          + OwnerName(info.owner);
        // What the route leaves unanswered is disabled. Each kind of view answers the view
        // commands it supports; the ledger's, the frame's and the application's are always there.
        else if (answering.isEmpty() && !info.bPending && (info.owner != ECommandOwner::View)
                 && (withLedger || info.owner != ECommandOwner::Document))
            faults << strName + QStringLiteral(": nobody answers");
    }
    if (!faults.isEmpty())
        QFAIL(qPrintable(faults.join(u'\n')));
    // The ledger's view commands show which kind of window is in front.
    QCOMPARE(pFrame->Router().Query(ID_VIEW_REGISTER).m_bChecked, withLedger);
    QVERIFY(!pFrame->Router().Query(ID_VIEW_SUMMARY).m_bChecked);
}

QTEST_MAIN(TestCommandOwners)
#include "tst_commandowners.moc"

#include "app/AutoSave.h"
#include "app/ChildFrame.h"
#include "app/CofferApp.h"
#include "app/LedgerSession.h"
#include "app/MainFrame.h"
#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "persist/RecoveryStore.h"
#include "platform/PasswordPrompt.h"
#include "platform/RecordingMessageSink.h"
#include "platform/SettingsStore.h"
#include "platform/StringTable.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

void AddLine(CCofferDoc& doc, const QString& strDesc)
{
    CReceipt line;
    line.m_date = MakeDate(2024, 5, 6);
    line.m_nCat = 1;
    line.m_nAmount = -300 * AMOUNT_UNIT;
    line.m_strDesc = strDesc;
    std::vector<CReceipt> lines{line};
    QVERIFY(doc.PushAction(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 0, std::move(lines))));
}

bool HasLine(const CCofferDoc& doc, const QString& strDesc)
{
    return std::any_of(doc.Lines().begin(), doc.Lines().end(),
                       [&](const CReceipt& line) { return line.m_strDesc == strDesc; });
}

QStringList FilesUnder(const QString& strFolder)
{
    return QDir(strFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

CLedgerSession* FindSession(const CCofferApp& app, const QString& strTitle)
{
    for (CLedgerSession* pSession : app.Sessions()) {
        if (pSession->Title() == strTitle)
            return pSession;
    }
    return nullptr;
}

} // namespace

class TestAutoSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void modifiedLedgerIsKept_data();
    void modifiedLedgerIsKept();
    void closedLedgerDropsItsCopy();
    void startOffersWhatADeadProgramLeft_data();
    void startOffersWhatADeadProgramLeft();
    void unopenedCopyIsKept_data();
    void unopenedCopyIsKept();
    void exitRemovesTheStore_data();
    void exitRemovesTheStore();

private:
    QString Root() const { return m_pDir->filePath(QStringLiteral("recovery")); }
    std::unique_ptr<CCofferApp> Start();
    // A program that is killed: no exit steps, its copies stay behind.
    void Crash(std::unique_ptr<CCofferApp>& pApp) { pApp.reset(); }

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CScopedSettingsFile> m_pStore;
};

void TestAutoSave::initTestCase()
{
    // Nothing here may reach the user's own data folder.
    QStandardPaths::setTestModeEnabled(true);
}

void TestAutoSave::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pStore = std::make_unique<CScopedSettingsFile>(m_pDir->filePath(QStringLiteral("store.ini")));
}

void TestAutoSave::cleanup()
{
    m_pStore.reset();
    m_pDir.reset();
}

std::unique_ptr<CCofferApp> TestAutoSave::Start()
{
    auto pApp = std::make_unique<CCofferApp>();
    pApp->SetRecoveryFolder(Root());
    if (!pApp->InitInstance({}, false))
        return nullptr;
    pApp->MainFrame()->show();
    return pApp;
}

void TestAutoSave::modifiedLedgerIsKept_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("undone to the saved state") << false;
    QTest::newRow("saved") << true;
}

void TestAutoSave::modifiedLedgerIsKept()
{
    QFETCH(bool, save);
    auto pApp = Start();
    QVERIFY(pApp && pApp->AutoSave());
    QCOMPARE(pApp->AutoSave()->Interval(), CAutoSave::DefaultInterval);
    const QString strFolder = pApp->AutoSave()->Store().Folder();
    CLedgerSession* pSession = pApp->Sessions().first();
    pApp->AutoSave()->SetInterval(20);

    // An unmodified ledger has nothing worth keeping.
    QTest::qWait(60);
    QVERIFY(FilesUnder(strFolder).isEmpty());

    AddLine(pSession->Document(), QStringLiteral("牛乳"));
    const QStringList copy{QStringLiteral("1.info"), QStringLiteral("1.ldr")};
    QTRY_COMPARE(FilesUnder(strFolder), copy);

    if (save) {
        const QString strTarget = m_pDir->filePath(QStringLiteral("kept.ldr"));
        pApp->SetSavePathPrompt([&](const QString&) { return strTarget; });
        QVERIFY(pApp->SaveDocument(*pSession, false));
    } else {
        pSession->Document().Undo();
    }
    QVERIFY(!pSession->IsModified());
    QTRY_VERIFY(FilesUnder(strFolder).isEmpty());

    // A change after that is kept again.
    AddLine(pSession->Document(), QStringLiteral("卵"));
    QTRY_COMPARE(FilesUnder(strFolder), copy);
}

void TestAutoSave::closedLedgerDropsItsCopy()
{
    auto pApp = Start();
    QVERIFY(pApp);
    const QString strFolder = pApp->AutoSave()->Store().Folder();
    AddLine(pApp->Sessions().first()->Document(), QStringLiteral("牛乳"));
    QCOMPARE(pApp->AutoSave()->SaveModified(), 1);
    QCOMPARE(FilesUnder(strFolder).size(), 2);

    CRecordingMessageSink sink;
    sink.QueueAnswer(IDNO);
    pApp->MainFrame()->ActiveChildFrame()->close();
    QTRY_VERIFY(pApp->Sessions().isEmpty());
    // Closed without saving is the user's word: the copy goes at once.
    QVERIFY(FilesUnder(strFolder).isEmpty());
}

void TestAutoSave::startOffersWhatADeadProgramLeft_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << int(IDYES);
    QTest::newRow("no") << int(IDNO);
}

void TestAutoSave::startOffersWhatADeadProgramLeft()
{
    QFETCH(int, answer);

    const QString strFile = m_pDir->filePath(QStringLiteral("家計.ldr"));
    {
        CCofferDoc doc;
        doc.OnNewDocument();
        QVERIFY(CDocumentFile::Save(doc, strFile));
    }
    auto pDead = Start();
    QVERIFY(pDead);
    AddLine(pDead->Sessions().first()->Document(), QStringLiteral("パン"));
    CLedgerSession* pOpened = pDead->OpenDocument(strFile);
    QVERIFY(pOpened);
    AddLine(pOpened->Document(), QStringLiteral("卵"));
    QCOMPARE(pDead->AutoSave()->SaveModified(), 2);
    Crash(pDead);

    CRecordingMessageSink sink;
    sink.QueueAnswer(answer);
    auto pApp = Start();
    QVERIFY(pApp);
    QCOMPARE(sink.m_boxes.size(), 1);
    QCOMPARE(sink.m_boxes.first().strText, CAutoSave::RestoreQuestion());
    QCOMPARE(sink.m_boxes.first().nType, unsigned(MB_YESNO | MB_ICONQUESTION));

    if (answer == IDYES) {
        // The restored ledgers stand in for the new one.
        QCOMPARE(pApp->Sessions().size(), 2);
        CLedgerSession* pFiled = FindSession(*pApp, QStringLiteral("家計.ldr"));
        QVERIFY(pFiled);
        QCOMPARE(pFiled->Path(), strFile);
        QVERIFY(pFiled->IsModified());
        QVERIFY(HasLine(pFiled->Document(), QStringLiteral("卵")));
        QCOMPARE(pFiled->Frames().size(), 1);
        // Where it belongs, nothing was written: the user saves it there.
        CCofferDoc onDisk;
        QVERIFY(CDocumentFile::Open(onDisk, strFile));
        QVERIFY(!HasLine(onDisk, QStringLiteral("卵")));

        CLedgerSession* pUntitled = FindSession(*pApp, QStringLiteral("Pennyfold1"));
        QVERIFY(pUntitled);
        QVERIFY(pUntitled->Path().isEmpty());
        QVERIFY(pUntitled->IsModified());
        QVERIFY(HasLine(pUntitled->Document(), QStringLiteral("パン")));
        // A new ledger does not take the restored one's name.
        CLedgerSession* pNew = pApp->NewDocument();
        QVERIFY(pNew);
        QCOMPARE(pNew->Title(), QStringLiteral("Pennyfold2"));
        pNew->Frames().first()->close();
    } else {
        QCOMPARE(pApp->Sessions().size(), 1);
        QVERIFY(!pApp->Sessions().first()->IsModified());
    }

    // Restored copies are the new program's own now; refused ones are gone.
    CRecoveryStore probe(Root());
    QVERIFY(probe.Leftovers().isEmpty());
    Crash(pApp);
    QCOMPARE(probe.Leftovers().size(), answer == IDYES ? 2 : 0);
}

void TestAutoSave::unopenedCopyIsKept_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("password prompt cancelled") << true;
    QTest::newRow("password given") << false;
}

void TestAutoSave::unopenedCopyIsKept()
{
    QFETCH(bool, cancel);

    auto pDead = Start();
    QVERIFY(pDead);
    CCofferDoc& doc = pDead->Sessions().first()->Document();
    AddLine(doc, QStringLiteral("秘密"));
    doc.m_strPassword = QStringLiteral("pw");
    QCOMPARE(pDead->AutoSave()->SaveModified(), 1);
    Crash(pDead);

    CFixedPasswordPrompt prompt(QStringLiteral("pw"), cancel);
    CScopedPasswordPrompt scoped(&prompt);
    CRecordingMessageSink sink;
    sink.QueueAnswer(IDYES);
    auto pApp = Start();
    QVERIFY(pApp);
    QCOMPARE(prompt.m_nAsked, 1);
    // The prompt names the ledger, not its copy.
    QCOMPARE(prompt.m_strLastPath, QStringLiteral("Pennyfold1"));
    QCOMPARE(pApp->Sessions().size(), 1);
    CLedgerSession* pSession = pApp->Sessions().first();
    if (cancel) {
        QVERIFY(sink.LastWas(AFX_IDP_FAILED_TO_OPEN_DOC));
        QVERIFY(!pSession->IsModified());
    } else {
        QVERIFY(HasLine(pSession->Document(), QStringLiteral("秘密")));
        QCOMPARE(pSession->Document().m_strPassword, QStringLiteral("pw"));
    }

    Crash(pApp);
    // Either way the ledger is still on disk for the next start.
    CRecoveryStore probe(Root());
    QCOMPARE(probe.Leftovers().size(), 1);
}

void TestAutoSave::exitRemovesTheStore_data()
{
    QTest::addColumn<bool>("modified");
    QTest::newRow("every ledger saved or discarded") << false;
    QTest::newRow("desktop ended under a modified ledger") << true;
}

void TestAutoSave::exitRemovesTheStore()
{
    QFETCH(bool, modified);

    auto pApp = Start();
    QVERIFY(pApp);
    CLedgerSession* pSession = pApp->Sessions().first();
    AddLine(pSession->Document(), QStringLiteral("牛乳"));
    QCOMPARE(pApp->AutoSave()->SaveModified(), 1);
    if (!modified)
        pSession->Document().Undo();
    pApp->ExitInstance();
    pApp.reset();

    if (modified) {
        CRecoveryStore probe(Root());
        QCOMPARE(probe.Leftovers().size(), 1);
    } else {
        QVERIFY(FilesUnder(Root()).isEmpty());
    }
}

QTEST_MAIN(TestAutoSave)
#include "tst_autosave.moc"

#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "persist/RecoveryStore.h"
#include "platform/PasswordPrompt.h"
#include "platform/RecordingMessageSink.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// A new ledger with one line of our own, as the user would have typed it.
void Fill(CCofferDoc& doc, const QString& strPath, const QString& strDesc)
{
    doc.OnNewDocument();
    if (strPath.isEmpty())
        doc.SetTitle(QStringLiteral("Pennyfold1"));
    else
        doc.SetPathName(strPath);
    CReceipt line;
    line.m_date = MakeDate(2024, 5, 6);
    line.m_nCat = 1;
    line.m_nAmount = -1280 * AMOUNT_UNIT;
    line.m_strDesc = strDesc;
    std::vector<CReceipt> lines{line};
    QVERIFY(doc.PushAction(CAction::InsertRows(CAction::ACT_PASTE_ROWS, 0, std::move(lines))));
    QVERIFY(doc.IsModified());
}

QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& strPath, const QByteArray& bytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What a lock file looks like after its process died without letting go: the
// lock's own contents with the number of a process that has ended.
bool LeaveStaleLock(const QString& strLock)
{
    QByteArray contents;
    {
        QLockFile lock(strLock);
        if (!lock.tryLock(0))
            return false;
        contents = ReadAll(strLock);
    }
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    if (!ended.waitForStarted())
        return false;
    const qint64 nPid = ended.processId();
    ended.waitForFinished();
    const qsizetype nEnd = contents.indexOf('\n');
    if (nEnd < 0)
        return false;
    return WriteAll(strLock, QByteArray::number(nPid) + contents.mid(nEnd));
}

QStringList FilesUnder(const QString& strRoot)
{
    QStringList files;
    const QDir root(strRoot);
    for (const QFileInfo& info : root.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        files << info.fileName();
    return files;
}

} // namespace

class TestRecoveryStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void deadOwnersCopyComesBack_data();
    void deadOwnersCopyComesBack();
    void liveOwnersCopyIsNotListed();
    void claimedCopyIsListedOnce();
    void protectedCopyIsEnciphered();
    void brokenSidecarIsSkipped_data();
    void brokenSidecarIsSkipped();
    void takenOverCopyStaysKept();
    void removedCopiesLeaveNothing();
    void keysStayInsideTheFolder_data();
    void keysStayInsideTheFolder();
    void killedSavesLeaveNoFolderBehind();

private:
    QString Root() const { return m_pDir->filePath(QStringLiteral("recovery")); }

    std::unique_ptr<QTemporaryDir> m_pDir;
};

void TestRecoveryStore::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pDir->isValid());
}

void TestRecoveryStore::cleanup()
{
    m_pDir.reset();
}

void TestRecoveryStore::deadOwnersCopyComesBack_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("staleLock");
    QTest::addColumn<QString>("title");

    QTest::newRow("saved ledger, lock gone") << QStringLiteral("/home/u/家計.ldr") << false << QStringLiteral("家計.ldr");
    QTest::newRow("saved ledger, lock of an ended process")
        << QStringLiteral("/home/u/家計.ldr") << true << QStringLiteral("家計.ldr");
    QTest::newRow("untitled ledger") << QString() << true << QStringLiteral("Pennyfold1");
}

void TestRecoveryStore::deadOwnersCopyComesBack()
{
    QFETCH(QString, path);
    QFETCH(bool, staleLock);
    QFETCH(QString, title);

    CCofferDoc doc;
    Fill(doc, path, QStringLiteral("牛乳とパン"));
    QString strFolder;
    {
        CRecoveryStore owner(Root());
        QVERIFY(owner.IsReady());
        strFolder = owner.Folder();
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
        // Saving again replaces the copy rather than adding one.
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
    }
    if (staleLock) {
        QVERIFY(LeaveStaleLock(strFolder + QStringLiteral(".lock")));
        QVERIFY(QFileInfo::exists(strFolder + QStringLiteral(".lock")));
    }

    CRecoveryStore store(Root());
    const QList<CRecoveryStore::CEntry> entries = store.Leftovers();
    QCOMPARE(entries.size(), 1);
    const CRecoveryStore::CEntry& entry = entries.first();
    QCOMPARE(entry.m_strOriginalPath, path);
    QCOMPARE(entry.m_strTitle, title);
    QVERIFY(entry.m_time.isValid());

    CCofferDoc back;
    QVERIFY(CDocumentFile::Open(back, entry.m_strFile));
    QCOMPARE(back.GetLineCount(), doc.GetLineCount());
    QVERIFY(back.Lines() == doc.Lines());
    QVERIFY(back.Categories().size() == doc.Categories().size());

    QVERIFY(store.Discard(entry));
    QVERIFY(store.Leftovers().isEmpty());
    // The dead owner's folder and lock are gone with its last copy.
    QVERIFY(!QFileInfo::exists(strFolder));
    QVERIFY(!QFileInfo::exists(strFolder + QStringLiteral(".lock")));
}

void TestRecoveryStore::liveOwnersCopyIsNotListed()
{
    CCofferDoc doc;
    Fill(doc, QStringLiteral("/home/u/a.ldr"), QStringLiteral("x"));
    auto pOwner = std::make_unique<CRecoveryStore>(Root());
    QVERIFY(pOwner->Save(doc, QStringLiteral("1")));

    CRecoveryStore other(Root());
    QVERIFY(other.Leftovers().isEmpty());
    // Its own copies are no leftovers either.
    QVERIFY(pOwner->Leftovers().isEmpty());
    QVERIFY(!other.Discard({}));

    pOwner.reset();
    QCOMPARE(other.Leftovers().size(), 1);
}

void TestRecoveryStore::claimedCopyIsListedOnce()
{
    // Two programs starting at once: the first to look takes the dead folder.
    CCofferDoc doc;
    Fill(doc, QStringLiteral("/home/u/a.ldr"), QStringLiteral("x"));
    {
        CRecoveryStore owner(Root());
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
    }
    auto pFirst = std::make_unique<CRecoveryStore>(Root());
    const QList<CRecoveryStore::CEntry> entries = pFirst->Leftovers();
    QCOMPARE(entries.size(), 1);
    CRecoveryStore second(Root());
    QVERIFY(second.Leftovers().isEmpty());
    QVERIFY(!second.Discard(entries.first()));
    QVERIFY(!second.TakeOver(entries.first(), QStringLiteral("1")));

    // A claim that ends undecided hands the copy on.
    pFirst.reset();
    QCOMPARE(second.Leftovers().size(), 1);
}

void TestRecoveryStore::protectedCopyIsEnciphered()
{
    const QString strSecret = QStringLiteral("誕生日の贈り物");
    CCofferDoc doc;
    Fill(doc, QStringLiteral("/home/u/secret.ldr"), strSecret);
    const QByteArray needle(reinterpret_cast<const char*>(strSecret.utf16()), strSecret.size() * 2);
    {
        CRecoveryStore owner(Root());
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
        // Without a password the text is there to be seen: the needle is the right one.
        QVERIFY(ReadAll(owner.Folder() + QStringLiteral("/1.ldr")).contains(needle));
        doc.m_strPassword = QStringLiteral("hidden");
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
    }
    CRecoveryStore store(Root());
    const QList<CRecoveryStore::CEntry> entries = store.Leftovers();
    QCOMPARE(entries.size(), 1);
    const CRecoveryStore::CEntry& entry = entries.first();
    for (const QString& strFile : {entry.m_strFile, entry.m_strInfo}) {
        const QByteArray bytes = ReadAll(strFile);
        QVERIFY(!bytes.isEmpty());
        QVERIFY(!bytes.contains(needle));
        QVERIFY(!bytes.contains(strSecret.toUtf8()));
    }

    CRecordingMessageSink sink;
    {
        CFixedPasswordPrompt wrong(QStringLiteral("guess"));
        CScopedPasswordPrompt scoped(&wrong);
        CCofferDoc back;
        QVERIFY(!CDocumentFile::Open(back, entry.m_strFile));
    }
    CFixedPasswordPrompt right(QStringLiteral("hidden"));
    CScopedPasswordPrompt scoped(&right);
    CCofferDoc back;
    QVERIFY(CDocumentFile::Open(back, entry.m_strFile));
    QVERIFY(back.Lines() == doc.Lines());
    // A later save of the restored ledger protects it again.
    QCOMPARE(back.m_strPassword, QStringLiteral("hidden"));
}

void TestRecoveryStore::brokenSidecarIsSkipped_data()
{
    QTest::addColumn<QByteArray>("info");
    QTest::addColumn<bool>("ledger");

    const QByteArray good = R"({"version":1,"path":"/home/u/b.ldr","title":"b.ldr"})";
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("not JSON") << QByteArray("\xff\xfe\x00garbage", 10) << true;
    QTest::newRow("cut short") << good.left(good.size() / 2) << true;
    QTest::newRow("array") << QByteArray("[1,2,3]") << true;
    QTest::newRow("no title") << QByteArray(R"({"version":1,"path":""})") << true;
    QTest::newRow("empty title") << QByteArray(R"({"version":1,"path":"","title":""})") << true;
    QTest::newRow("title not text") << QByteArray(R"({"version":1,"path":"","title":7})") << true;
    QTest::newRow("path not text") << QByteArray(R"({"version":1,"path":null,"title":"t"})") << true;
    QTest::newRow("other version") << QByteArray(R"({"version":2,"path":"","title":"t"})") << true;
    QTest::newRow("oversized") << QByteArray(R"({"version":1,"path":"","title":")")
                                      + QByteArray(CRecoveryStore::MaxInfoSize, 'a') + QByteArray(R"("})")
                               << true;
    QTest::newRow("ledger missing") << good << false;
}

void TestRecoveryStore::brokenSidecarIsSkipped()
{
    QFETCH(QByteArray, info);
    QFETCH(bool, ledger);

    CCofferDoc doc;
    Fill(doc, QStringLiteral("/home/u/a.ldr"), QStringLiteral("x"));
    QString strFolder;
    {
        CRecoveryStore owner(Root());
        strFolder = owner.Folder();
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
        if (ledger)
            QVERIFY(QFile::copy(strFolder + QStringLiteral("/1.ldr"), strFolder + QStringLiteral("/2.ldr")));
        QVERIFY(WriteAll(strFolder + QStringLiteral("/2.info"), info));
    }

    CRecoveryStore store(Root());
    const QList<CRecoveryStore::CEntry> entries = store.Leftovers();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries.first().m_strOriginalPath, QStringLiteral("/home/u/a.ldr"));
    QVERIFY(store.Discard(entries.first()));
    // What could not be read is not thrown away.
    QVERIFY(QFileInfo::exists(strFolder + QStringLiteral("/2.info")));
    QCOMPARE(QFileInfo::exists(strFolder + QStringLiteral("/2.ldr")), ledger);
}

void TestRecoveryStore::takenOverCopyStaysKept()
{
    CCofferDoc doc;
    Fill(doc, QStringLiteral("/home/u/a.ldr"), QStringLiteral("x"));
    QString strDead;
    {
        CRecoveryStore owner(Root());
        strDead = owner.Folder();
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
    }
    auto pHeir = std::make_unique<CRecoveryStore>(Root());
    const QList<CRecoveryStore::CEntry> entries = pHeir->Leftovers();
    QCOMPARE(entries.size(), 1);
    QVERIFY(pHeir->TakeOver(entries.first(), QStringLiteral("9")));
    QVERIFY(!QFileInfo::exists(strDead));
    QVERIFY(QFileInfo::exists(pHeir->Folder() + QStringLiteral("/9.ldr")));

    // The restored ledger is the heir's own now: protected while it runs,
    // offered again should the heir die too.
    CRecoveryStore later(Root());
    QVERIFY(later.Leftovers().isEmpty());
    pHeir.reset();
    const QList<CRecoveryStore::CEntry> again = later.Leftovers();
    QCOMPARE(again.size(), 1);
    QCOMPARE(again.first().m_strOriginalPath, QStringLiteral("/home/u/a.ldr"));
    QCOMPARE(again.first().m_strTitle, QStringLiteral("a.ldr"));
}

void TestRecoveryStore::removedCopiesLeaveNothing()
{
    CCofferDoc doc;
    Fill(doc, QString(), QStringLiteral("x"));
    CRecoveryStore store(Root());
    QVERIFY(store.Save(doc, QStringLiteral("1")));
    QVERIFY(store.Save(doc, QStringLiteral("2")));
    store.Remove(QStringLiteral("1"));
    QCOMPARE(FilesUnder(store.Folder()), QStringList({QStringLiteral("2.info"), QStringLiteral("2.ldr")}));

    store.RemoveAll();
    QVERIFY(FilesUnder(Root()).isEmpty());
    // Nothing is kept after the clean end.
    QVERIFY(!store.Save(doc, QStringLiteral("1")));
    QVERIFY(FilesUnder(Root()).isEmpty());
}

void TestRecoveryStore::keysStayInsideTheFolder_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("valid");

    QTest::newRow("number") << QStringLiteral("12") << true;
    QTest::newRow("letters, dash, underscore") << QStringLiteral("a-B_3") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("parent folder") << QStringLiteral("../x") << false;
    QTest::newRow("separator") << QStringLiteral("a/b") << false;
    QTest::newRow("dot") << QStringLiteral("a.b") << false;
    QTest::newRow("non-ASCII") << QStringLiteral("家計") << false;
    QTest::newRow("too long") << QString(65, u'a') << false;
}

void TestRecoveryStore::keysStayInsideTheFolder()
{
    QFETCH(QString, key);
    QFETCH(bool, valid);

    CCofferDoc doc;
    Fill(doc, QString(), QStringLiteral("x"));
    CRecoveryStore store(Root());
    QCOMPARE(store.Save(doc, key), valid);
    QCOMPARE(FilesUnder(store.Folder()).size(), valid ? 2 : 0);
    QCOMPARE(FilesUnder(Root()).size(), 2); // the folder and its lock
}

void TestRecoveryStore::killedSavesLeaveNoFolderBehind()
{
    CCofferDoc doc;
    Fill(doc, QString(), QStringLiteral("x"));
    QString strFolder;
    {
        CRecoveryStore owner(Root());
        strFolder = owner.Folder();
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
        // What a kill in the middle of writing the copy and of a first copy leaves.
        QVERIFY(WriteAll(strFolder + QStringLiteral("/1.ldr.pfsave-Ab12Cd"), "half"));
        QVERIFY(WriteAll(strFolder + QStringLiteral("/2.ldr.pfsave-xY9zQ0"), "half"));
        // The owner's next copy of that ledger takes its own leftover away.
        QVERIFY(owner.Save(doc, QStringLiteral("1")));
        QCOMPARE(FilesUnder(strFolder), (QStringList{QStringLiteral("1.info"), QStringLiteral("1.ldr"),
                                                     QStringLiteral("2.ldr.pfsave-xY9zQ0")}));
    }
    CRecoveryStore store(Root());
    const QList<CRecoveryStore::CEntry> entries = store.Leftovers();
    QCOMPARE(entries.size(), 1);
    QVERIFY(store.Discard(entries.first()));
    QVERIFY(!QFileInfo::exists(strFolder));
}

QTEST_GUILESS_MAIN(TestRecoveryStore)
#include "tst_recoverystore.moc"

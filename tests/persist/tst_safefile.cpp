#include "FailingDevice.h"
#include "SmallTmpfs.h"
#include "persist/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteRaw(const QString& strPath, const QByteArray& bytes)
{
    QFile file(strPath);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList Names(const QString& strDir)
{
    return QDir(strDir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// Bytes that are not the same from one position to the next, so a truncated or shifted copy shows.
QByteArray Pattern(qsizetype nSize)
{
    QByteArray bytes(nSize, Qt::Uninitialized);
    for (qsizetype i = 0; i < nSize; ++i)
        bytes[i] = char('a' + (i * 7 + i / 26) % 26);
    return bytes;
}

// Installs a hook for one test and takes it away again.
class CScopedHook
{
public:
    explicit CScopedHook(CSafeFile::DeviceHook hook) : m_previous(CSafeFile::SetDeviceHook(std::move(hook))) {}
    ~CScopedHook() { CSafeFile::SetDeviceHook(std::move(m_previous)); }

private:
    CSafeFile::DeviceHook m_previous;
};

} // namespace

// Replacing a file in full or not at all.
class TestSafeFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replacesTarget();
    void leftoverNames_data();
    void leftoverNames();
    void successRemovesOwnLeftoversOnly();
    void failingWritesKeepOldFile_data();
    void failingWritesKeepOldFile();
    void keepsPermissionsAndLinks();
    void fullFileSystemKeepsOldFile_data();
    void fullFileSystemKeepsOldFile();
};

void TestSafeFile::replacesTarget()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ldr"));
    QVERIFY(CSafeFile::Write(path, "first"));
    QCOMPARE(ReadAll(path), QByteArray("first"));
    QVERIFY(CSafeFile::Write(path, Pattern(3 << 20)));
    QCOMPARE(ReadAll(path), Pattern(3 << 20));
    QVERIFY(CSafeFile::Write(path, QByteArray()));
    QCOMPARE(ReadAll(path), QByteArray());
    QCOMPARE(Names(dir.path()), QStringList{QStringLiteral("t.ldr")});
    QVERIFY(!CSafeFile::Write(dir.filePath(QStringLiteral("no/such/folder.ldr")), "x"));
    QVERIFY(!CSafeFile::Write(QString(), "x"));
}

void TestSafeFile::leftoverNames_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("leftover");
    QTest::newRow("ours") << "t.ldr" << "t.ldr.pfsave-aZ09xq" << true;
    QTest::newRow("target name with brackets") << "[a]*.ldr" << "[a]*.ldr.pfsave-abcdef" << true;
    QTest::newRow("another ledger's") << "t.ldr" << "u.ldr.pfsave-abcdef" << false;
    QTest::newRow("longer name of another ledger") << "t.ldr" << "xt.ldr.pfsave-abcdef" << false;
    QTest::newRow("suffix too short") << "t.ldr" << "t.ldr.pfsave-abcde" << false;
    QTest::newRow("suffix too long") << "t.ldr" << "t.ldr.pfsave-abcdefg" << false;
    QTest::newRow("suffix not letters") << "t.ldr" << "t.ldr.pfsave-abc.ef" << false;
    QTest::newRow("another program's temporary file") << "t.ldr" << "t.ldr.abcdef" << false;
    QTest::newRow("the target itself") << "t.ldr" << "t.ldr" << false;
    QTest::newRow("empty target") << "" << ".pfsave-abcdef" << false;
}

void TestSafeFile::leftoverNames()
{
    QFETCH(QString, target);
    QFETCH(QString, name);
    QFETCH(bool, leftover);
    QCOMPARE(CSafeFile::IsLeftoverOf(target, name), leftover);
}

void TestSafeFile::successRemovesOwnLeftoversOnly()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.ldr"));
    QVERIFY(WriteRaw(path, "old"));
    // What a killed save leaves, and files that only look alike.
    const QStringList ours{QStringLiteral("t.ldr.pfsave-a1b2c3"), QStringLiteral("t.ldr.pfsave-ZZZZZZ")};
    const QStringList others{QStringLiteral("t.ldr.a1b2c3"), QStringLiteral("u.ldr.pfsave-a1b2c3"),
                             QStringLiteral("t.ldr.pfsave-a1b2c3.bak")};
    for (const QString& name : ours + others)
        QVERIFY(WriteRaw(dir.filePath(name), "half"));

    QVERIFY(CSafeFile::Write(path, "new"));
    QCOMPARE(ReadAll(path), QByteArray("new"));
    QStringList expected = others;
    expected << QStringLiteral("t.ldr");
    expected.sort();
    QCOMPARE(Names(dir.path()), expected);
}

void TestSafeFile::failingWritesKeepOldFile_data()
{
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<qsizetype>("size");
    QTest::newRow("first write fails") << qint64(0) << qsizetype(5044);
    QTest::newRow("fails after one page") << qint64(4096) << qsizetype(5044);
    QTest::newRow("fails at the last byte") << qint64(5043) << qsizetype(5044);
    QTest::newRow("fails after the first piece of a large file") << qint64(1 << 20) << qsizetype(3 << 20);
}

void TestSafeFile::failingWritesKeepOldFile()
{
    QFETCH(qint64, limit);
    QFETCH(qsizetype, size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("target.ldr"));
    const QByteArray old = Pattern(10144);
    QVERIFY(WriteRaw(path, old));
    {
        CScopedHook hook([limit](QFile& file) { return std::make_unique<CFailingDevice>(file, limit); });
        QVERIFY(!CSafeFile::Write(path, Pattern(size)));
    }
    QCOMPARE(ReadAll(path), old);
    // Nothing half-written stays beside it.
    QCOMPARE(Names(dir.path()), QStringList{QStringLiteral("target.ldr")});
}

void TestSafeFile::keepsPermissionsAndLinks()
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.ldr"));
    const QString link = dir.filePath(QStringLiteral("link.ldr"));
    QVERIFY(WriteRaw(real, "old"));
    const QFileDevice::Permissions perms = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(real, perms));
    QVERIFY(QFile::link(real, link));

    QVERIFY(CSafeFile::Write(link, "new"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ReadAll(real), QByteArray("new"));
    // The owner, group and other bits; the "user" bits only repeat the owner ones for us.
    QCOMPARE(QFileInfo(real).permissions() & 0xF0FF, perms & 0xF0FF);
}

void TestSafeFile::fullFileSystemKeepsOldFile_data()
{
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<bool>("fits");
    // One page free beside a one-page ledger: the sizes the disk could not take, and one it can.
    QTest::newRow("5,044 bytes") << qsizetype(5044) << false;
    QTest::newRow("10,144 bytes") << qsizetype(10144) << false;
    QTest::newRow("20 KB") << qsizetype(20 * 1024) << false;
    QTest::newRow("464 bytes fit") << qsizetype(464) << true;
}

void TestSafeFile::fullFileSystemKeepsOldFile()
{
    QFETCH(qsizetype, size);
    QFETCH(bool, fits);
    CSmallTmpfs fs(64);
    if (!fs.IsMounted())
        QSKIP(qPrintable(fs.WhyNot()));
    const QString path = fs.FilePath(QStringLiteral("target.ldr"));
    const QByteArray old = Pattern(4000);
    QVERIFY(WriteRaw(path, old));
    QVERIFY(fs.LeaveFree(4096));

    const QByteArray bytes = Pattern(size);
    QCOMPARE(CSafeFile::Write(path, bytes), fits);
    QCOMPARE(ReadAll(path), fits ? bytes : old);
    QStringList names = Names(QFileInfo(path).absolutePath());
    QCOMPARE(names, (QStringList{QStringLiteral("filler"), QStringLiteral("target.ldr")}));
}

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"

#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void roundTrip();
    void intValues_data();
    void intValues();
    void sectionsAreSeparate();
    void overrideIsScoped();

private:
    std::unique_ptr<QTemporaryDir> m_pDir;
    QString m_strFile;
};

void TestSettingsStore::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pDir->isValid());
    m_strFile = m_pDir->filePath(QStringLiteral("store.ini"));
    CSettingsStore::SetFileOverride(m_strFile);
}

void TestSettingsStore::cleanup()
{
    CSettingsStore::SetFileOverride(QString());
    m_pDir.reset();
}

void TestSettingsStore::roundTrip()
{
    QCOMPARE(CSettingsStore::GetString(QStringLiteral("Settings"), QStringLiteral("Name"), QStringLiteral("d")),
             QStringLiteral("d"));
    QVERIFY(!CSettingsStore::Contains(QStringLiteral("Settings"), QStringLiteral("Name")));
    CSettingsStore::SetString(QStringLiteral("Settings"), QStringLiteral("Name"), QStringLiteral("家計簿"));
    CSettingsStore::SetInt(QStringLiteral("Settings"), QStringLiteral("Count"), -7);
    CSettingsStore::SetBinary(QStringLiteral("Settings"), QStringLiteral("Blob"), QByteArray("\0\x01\xFF", 3));
    QCOMPARE(CSettingsStore::GetString(QStringLiteral("Settings"), QStringLiteral("Name"), QString()),
             QStringLiteral("家計簿"));
    QCOMPARE(CSettingsStore::GetInt(QStringLiteral("Settings"), QStringLiteral("Count"), 0), -7);
    QCOMPARE(CSettingsStore::GetBinary(QStringLiteral("Settings"), QStringLiteral("Blob")), QByteArray("\0\x01\xFF", 3));
    QCOMPARE(CSettingsStore::Keys(QStringLiteral("Settings")).size(), 3);
    // The values went to the file, not to the user's store.
    QVERIFY(QFile::exists(m_strFile));
    CSettingsStore::Remove(QStringLiteral("Settings"), QStringLiteral("Count"));
    QCOMPARE(CSettingsStore::GetInt(QStringLiteral("Settings"), QStringLiteral("Count"), 42), 42);
    CSettingsStore::RemoveSection(QStringLiteral("Settings"));
    QVERIFY(CSettingsStore::Keys(QStringLiteral("Settings")).isEmpty());
}

void TestSettingsStore::intValues_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("value");
    QTest::newRow("number") << QStringLiteral("12") << 12;
    QTest::newRow("negative") << QStringLiteral("-3") << -3;
    QTest::newRow("hexadecimal is no number") << QStringLiteral("0x10") << 99;
    QTest::newRow("leading zero is decimal") << QStringLiteral("010") << 10;
    QTest::newRow("no number gives the default") << QStringLiteral("abc") << 99;
    QTest::newRow("empty gives the default") << QString() << 99;
    QTest::newRow("too large gives the default") << QStringLiteral("99999999999") << 99;
}

void TestSettingsStore::intValues()
{
    QFETCH(QString, stored);
    QFETCH(int, value);
    {
        QFile file(m_strFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[OfxProp]\nBalMode=" + stored.toUtf8() + "\n");
    }
    QCOMPARE(CSettingsStore::GetInt(QStringLiteral("OfxProp"), QStringLiteral("BalMode"), 99), value);
}

void TestSettingsStore::sectionsAreSeparate()
{
    CSettingsStore::SetInt(QStringLiteral("Style"), QStringLiteral("Value"), 1);
    CSettingsStore::SetInt(QStringLiteral("Settings"), QStringLiteral("Value"), 2);
    QCOMPARE(CSettingsStore::GetInt(QStringLiteral("Style"), QStringLiteral("Value"), 0), 1);
    QCOMPARE(CSettingsStore::GetInt(QStringLiteral("Settings"), QStringLiteral("Value"), 0), 2);
    QCOMPARE(CSettingsStore::GetInt(QStringLiteral("Workspace"), QStringLiteral("Value"), 5), 5);
}

void TestSettingsStore::overrideIsScoped()
{
    QTemporaryDir other;
    const QString strOther = other.filePath(QStringLiteral("other.ini"));
    {
        CScopedSettingsFile scope(strOther);
        QCOMPARE(CSettingsStore::FileOverride(), strOther);
        CSettingsStore::SetInt(QStringLiteral("Settings"), QStringLiteral("Inner"), 1);
    }
    QCOMPARE(CSettingsStore::FileOverride(), m_strFile);
    QVERIFY(!CSettingsStore::Contains(QStringLiteral("Settings"), QStringLiteral("Inner")));
}

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"

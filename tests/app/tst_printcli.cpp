// The desktop program's print switches, run as a user runs them: the register of a
// ledger printed to PDF without a window, and the failures as messages with status 1.
#include "model/NewLedger.h"
#include "model/PackedDate.h"
#include "persist/LedgerData.h"
#include "persist/NativeFile.h"
#include "tests/register/PdfPages.h"
#include "tests/support/LedgerBuilder.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int CAT_FOOD = 3;

CLedgerData Ledger(int nLines)
{
    CLedgerData data;
    data.m_curs = CNewLedger::Currencies();
    data.m_cats = CNewLedger::Categories();
    for (int i = 0; i < nLines; ++i)
        data.m_lines.push_back(
            support::Line(MakeDate(2024, 1 + i / 300 % 12, 1 + i % 28), 0, CAT_FOOD, -support::U(100 + i % 50),
                          QStringLiteral("食品")));
    return data;
}

} // namespace

class TestPrintCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pdfOfTheRegister_data();
    void pdfOfTheRegister();
    void failuresAreMessages_data();
    void failuresAreMessages();

private:
    struct SRun
    {
        int nExit = -1;
        QString strErr;
    };
    SRun Run(const QStringList& args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // The program's settings store goes to the test's folder, not the user's.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("HOME"), m_dir.path());
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_dir.path());
        p.start(QStringLiteral(PENNYFOLD_DESKTOP), args);
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    QString Write(const QString& strName, const QByteArray& bytes)
    {
        const QString strPath = m_dir.filePath(strName);
        QFile file(strPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0)
            qWarning("could not write %s", qPrintable(strPath));
        return strPath;
    }

    QTemporaryDir m_dir;
};

void TestPrintCli::pdfOfTheRegister_data()
{
    QTest::addColumn<int>("lines");
    QTest::newRow("an empty ledger is one page") << 0;
    QTest::newRow("many lines take many pages") << 400;
}

void TestPrintCli::pdfOfTheRegister()
{
    QFETCH(int, lines);
    const QString strLedger = Write(QStringLiteral("book%1.ldr").arg(lines), CNativeFile::Write(Ledger(lines), QString()));
    const QString strPdf = m_dir.filePath(QStringLiteral("out%1.pdf").arg(lines));
    const SRun run = Run({QStringLiteral("--pdf"), strPdf, strLedger});
    QCOMPARE(run.nExit, 0);
    const int nPages = PdfPageCount(strPdf);
    // The register shows one month at a time: the last month's lines are what it prints.
    if (lines == 0)
        QCOMPARE(nPages, 1);
    else
        QVERIFY2(nPages > 1, qPrintable(QString::number(nPages)));
}

void TestPrintCli::failuresAreMessages_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("fileToCheck");
    QTest::newRow("damaged ledger") << QStringList{"--pdf", "damaged.pdf", "damaged.ldr"} << QStringLiteral("damaged.pdf");
    QTest::newRow("missing ledger") << QStringList{"--pdf", "missing.pdf", "nothing-here.ldr"} << QStringLiteral("missing.pdf");
    QTest::newRow("unwritable output") << QStringList{"--pdf", "no-such-folder/out.pdf", "good.ldr"} << QString();
    QTest::newRow("no file to print") << QStringList{"--pdf", "alone.pdf"} << QStringLiteral("alone.pdf");
    QTest::newRow("switch without its value") << QStringList{"good.ldr", "--pdf"} << QString();
    QTest::newRow("unknown printer") << QStringList{"--print-to", "no printer of this name", "good.ldr"} << QString();
}

void TestPrintCli::failuresAreMessages()
{
    QFETCH(QStringList, args);
    QFETCH(QString, fileToCheck);
    const QByteArray good = CNativeFile::Write(Ledger(3), QString());
    // A ledger file cut short in its payload.
    Write(QStringLiteral("damaged.ldr"), good.left(good.size() - 20));
    Write(QStringLiteral("good.ldr"), good);
    const SRun run = Run(args);
    QCOMPARE(run.nExit, 1);
    QVERIFY2(!run.strErr.trimmed().isEmpty(), "no message on stderr");
    if (!fileToCheck.isEmpty())
        QVERIFY(!QFile::exists(m_dir.filePath(fileToCheck)));
}

QTEST_MAIN(TestPrintCli)
#include "tst_printcli.moc"

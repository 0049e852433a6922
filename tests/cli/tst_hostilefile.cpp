// Files made to hurt the reader or the summary: lists longer than the format allows and
// lines dated far outside the years a date may be given in.
#include "CliRunner.h"
#include "model/CategoryAttr.h"
#include "model/CofferDoc.h"
#include "model/DateText.h"
#include "model/NewLedger.h"
#include "persist/DocumentFile.h"
#include "persist/LedgerData.h"
#include "persist/NativeFile.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"
#include "tests/support/LedgerBuilder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The default lists grown to the given lengths, and lines of year 1 and year 32767.
CLedgerData Hostile(int nCurs, int nCats)
{
    CLedgerData data;
    data.m_curs = CNewLedger::Currencies();
    while (int(data.m_curs.size()) < nCurs)
        data.m_curs.emplace_back(QStringLiteral("C%1").arg(data.m_curs.size()), 2, QStringLiteral("c"));
    data.m_cats = CNewLedger::Categories();
    while (int(data.m_cats.size()) < nCats)
        data.m_cats.emplace_back(ATTR_EXPENSE, QStringLiteral("k%1").arg(data.m_cats.size()));
    data.m_lines = { support::Line(MakeDate(1, 1, 1), 0, 3, support::U(-1), QStringLiteral("first")),
                     support::Line(MakeDate(32767, 12, 31), 0, 3, support::U(-1), QStringLiteral("last")) };
    return data;
}

} // namespace

class TestHostileFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listLengths_data();
    void listLengths();
    void cliRefusesTenThousandCategories();
    void cliSummaryIsBounded_data();
    void cliSummaryIsBounded();

private:
    using Run = clirun::SRun;
    static Run Cli(const QStringList& args) { return clirun::Cli(args); }
    QString Write(const QString& strName, const CLedgerData& data) { return clirun::WriteLedger(m_dir, strName, data); }

    QTemporaryDir m_dir;
};

void TestHostileFile::listLengths_data()
{
    QTest::addColumn<int>("curs");
    QTest::addColumn<int>("cats");
    QTest::addColumn<bool>("read");

    QTest::newRow("121 currencies and categories") << 121 << 121 << true;
    QTest::newRow("122 currencies") << 122 << 17 << false;
    QTest::newRow("122 categories") << 2 << 122 << false;
    QTest::newRow("10,001 categories") << 2 << 10001 << false;
}

void TestHostileFile::listLengths()
{
    QFETCH(int, curs);
    QFETCH(int, cats);
    QFETCH(bool, read);
    const QString strPath = Write(QStringLiteral("lists.ldr"), Hostile(curs, cats));
    CRecordingMessageSink messages;
    CCofferDoc doc;
    QCOMPARE(CDocumentFile::Open(doc, strPath), read);
    if (read) {
        QVERIFY(messages.m_boxes.isEmpty());
        QCOMPARE(int(doc.Categories().size()), cats);
        // Lines of any year stay in the ledger.
        QCOMPARE(doc.GetLineCount(), 2);
    } else {
        QVERIFY(messages.LastWas(AFX_IDP_FAILED_INVALID_FORMAT));
        QVERIFY(int(doc.Categories().size()) <= 121);
    }
}

void TestHostileFile::cliRefusesTenThousandCategories()
{
    const QString strPath = Write(QStringLiteral("many.ldr"), Hostile(2, 10001));
    const Run run = Cli({QStringLiteral("summary"), strPath, QStringLiteral("--mode"), QStringLiteral("quarter")});
    QCOMPARE(run.nExit, 1);
    QVERIFY(run.strOut.isEmpty());
    QVERIFY2(run.strErr.contains(CStringTable::Load(AFX_IDP_FAILED_INVALID_FORMAT)), qPrintable(run.strErr));
}

void TestHostileFile::cliSummaryIsBounded_data()
{
    constexpr int nYears = CDateText::MAX_YEAR - CDateText::MIN_YEAR + 1;
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("periods");

    QTest::newRow("quarter") << QStringLiteral("quarter") << 4 * nYears;
    QTest::newRow("year") << QStringLiteral("year") << nYears;
}

void TestHostileFile::cliSummaryIsBounded()
{
    QFETCH(QString, mode);
    QFETCH(int, periods);
    // As long as the format allows, and the widest span of years a file can carry.
    const QString strPath = Write(QStringLiteral("far.ldr"), Hostile(121, 121));
    const Run run = Cli({QStringLiteral("summary"), strPath, QStringLiteral("--mode"), mode});
    QCOMPARE(run.nExit, 0);
    const qsizetype nLines = run.strOut.count(QLatin1Char('\n'));
    // A title row, the periods, the total, perhaps a budget row: never more than a century.
    QVERIFY2(nLines >= periods && nLines <= periods + 4, qPrintable(QString::number(nLines)));
    QVERIFY2(run.nMs < 10000, qPrintable(QString::number(run.nMs)));
}

QTEST_GUILESS_MAIN(TestHostileFile)
#include "tst_hostilefile.moc"

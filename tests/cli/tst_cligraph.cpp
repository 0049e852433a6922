// pennyfold-cli graph: the axis and the per-period values the graph would draw.
#include "CliRunner.h"
#include "model/NewLedger.h"
#include "model/PackedDate.h"
#include "persist/LedgerData.h"
#include "persist/NativeFile.h"
#include "tests/support/LedgerBuilder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using support::U;

enum : int { CAT_INCOME = 2, CAT_FOOD = 3, CAT_HOUSING = 4, CAT_BUDGET = 16 };

CLedgerData Ledger(std::vector<CReceipt> lines)
{
    CLedgerData data;
    data.m_curs = CNewLedger::Currencies();
    data.m_cats = CNewLedger::Categories();
    data.m_lines = std::move(lines);
    return data;
}

CLedgerData Household()
{
    return Ledger({support::Line(MakeDate(2023, 11, 20), 0, CAT_INCOME, U(1)),
                   support::Line(MakeDate(2024, 1, 0), 0, CAT_BUDGET, -U(1500), QStringLiteral("食料")),
                   support::Line(MakeDate(2024, 1, 5), 0, CAT_FOOD, -U(1000)),
                   support::Line(MakeDate(2024, 3, 1), 0, CAT_HOUSING, -U(2000)),
                   support::Line(MakeDate(2024, 3, 2), 0, CAT_FOOD, -U(501))});
}

} // namespace

class TestCliGraph : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void output_data();
    void output();
    void usageAndInputErrors_data();
    void usageAndInputErrors();
    void hundredTrillionYenIsQuick();

private:
    using Run = clirun::SRun;
    static Run Cli(const QStringList& args) { return clirun::Cli(args); }
    QString Write(const QString& strName, const CLedgerData& data) { return clirun::WriteLedger(m_dir, strName, data); }

    QTemporaryDir m_dir;
};

void TestCliGraph::output_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("lines");

    // 支出計 by default; its budget is the 食料 budget from January to the ledger's last month.
    QTest::newRow("months of a year, the expense subtotal")
        << QStringList{"--mode", "month", "--period", "2024"}
        << QStringList{"scale\t3000\t0\t6",
                       "1月\t\\1,000\t\\1,000\t\\1,500", "2月\t\\0\t\\500\t\\1,500",
                       "3月\t\\2,501\t\\1,167\t\\1,500", "4月\t\\0\t\\875\t\\0",
                       "5月\t\\0\t\\700\t\\0", "6月\t\\0\t\\584\t\\0",
                       "7月\t\\0\t\\500\t\\0", "8月\t\\0\t\\438\t\\0",
                       "9月\t\\0\t\\389\t\\0", "10月\t\\0\t\\350\t\\0",
                       "11月\t\\0\t\\318\t\\0", "12月\t\\0\t\\292\t\\0"};
    // Quarter Ⅳ of 2023 stays in 2023; a column without a budget leaves the last field empty.
    QTest::newRow("quarters of 住居")
        << QStringList{"--mode", "quarter", "--column", "住居"}
        << QStringList{"scale\t2500\t0\t5", "2023年Ⅳ\t\\0\t\\0\t", "2024年Ⅰ\t\\2,000\t\\1,000\t"};
    QTest::newRow("years of 収入")
        << QStringList{"--mode", "year", "--column", "収入"}
        << QStringList{"scale\t1000\t0\t5", "2023年\t\\1\t\\1\t", "2024年\t\\0\t\\1\t"};
    // A day's budget is the month's share of it.
    QTest::newRow("days of March, 食料")
        << QStringList{"--mode", "day", "--period", "2024-03", "--column", "食料"}
        << QStringList{"scale\t1000\t0\t5", "1日\t\\0\t\\0\t\\48.3870", "2日\t\\501\t\\251\t\\48.3870"};
}

void TestCliGraph::output()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, lines);
    const QString strPath = Write(QStringLiteral("household.ldr"), Household());
    const Run run = Cli(QStringList{"graph", strPath} + options);
    QCOMPARE(run.strErr, QString());
    QCOMPARE(run.nExit, 0);
    QVERIFY(run.strOut.endsWith(u'\n'));
    const QStringList got = run.strOut.split(u'\n');
    QCOMPARE(got.mid(0, lines.size()), lines);
}

void TestCliGraph::usageAndInputErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("nExit");

    QTest::newRow("no mode") << QStringList{"graph", "@"} << 2;
    QTest::newRow("bad mode") << QStringList{"graph", "@", "--mode", "week"} << 2;
    QTest::newRow("day mode without a month") << QStringList{"graph", "@", "--mode", "day", "--period", "2024"} << 2;
    QTest::newRow("unknown column") << QStringList{"graph", "@", "--mode", "year", "--column", "宇宙旅行"} << 2;
    QTest::newRow("currency beyond the list") << QStringList{"graph", "@", "--mode", "year", "--currency", "9"} << 2;
    QTest::newRow("missing file") << QStringList{"graph", "missing.ldr", "--mode", "year"} << 1;
}

void TestCliGraph::usageAndInputErrors()
{
    QFETCH(QStringList, args);
    QFETCH(int, nExit);
    const QString strPath = Write(QStringLiteral("household.ldr"), Household());
    args.replaceInStrings(QStringLiteral("@"), strPath);
    args.replaceInStrings(QStringLiteral("missing.ldr"), m_dir.filePath(QStringLiteral("missing.ldr")));
    const Run run = Cli(args);
    QCOMPARE(run.nExit, nExit);
    QCOMPARE(run.strOut, QString());
    QVERIFY(!run.strErr.isEmpty());
}

void TestCliGraph::hundredTrillionYenIsQuick()
{
    const QString strPath = Write(QStringLiteral("huge.ldr"),
                                  Ledger({support::Line(MakeDate(2024, 1, 5), 0, CAT_INCOME, U(100000000000000)),
                                          support::Line(MakeDate(2024, 2, 5), 0, CAT_FOOD, U(100000000000000))}));
    const Run run = Cli({"graph", strPath, "--mode", "month", "--column", "収入"});
    QCOMPARE(run.nExit, 0);
    QCOMPARE(run.strOut.section(u'\n', 0, 1),
             QStringLiteral("scale\t100000000000000\t0\t5\n1月\t\\100,000,000,000,000\t\\100,000,000,000,000\t"));
    QVERIFY2(run.nMs < 10000, qPrintable(QString::number(run.nMs)));
    // A refund of that size in an expense category mirrors the axis below zero.
    const Run food = Cli({"graph", strPath, "--mode", "month", "--column", "食料"});
    QCOMPARE(food.strOut.section(u'\n', 0, 0), QStringLiteral("scale\t0\t-100000000000000\t5"));
}

QTEST_GUILESS_MAIN(TestCliGraph)
#include "tst_cligraph.moc"

// The summary as the command-line tool prints it, and the reading of its arguments.
#include "SummaryLedger.h"

#include "platform/Clock.h"
#include "summary/PeriodMode.h"
#include "summary/SummaryReport.h"

#include <QDateTime>
#include <QtTest>

namespace {

constexpr PackedDate D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}

// 備考, 給与, 食料, 予算; pay in January, food in February, a food budget from February.
std::unique_ptr<CCofferDoc> SmallLedger()
{
    SLine budget = Budget(D(2024, 2, 0), QStringLiteral("食料"), -U(1000));
    budget.nCat = 3;
    return MakeLedger(SLines{Line(D(2024, 1, 25), 1, U(300000)), Line(D(2024, 2, 3), 2, -U(1200)),
                             Line(D(2024, 2, 10), 2, -U(800)), budget},
                      {CCategory(0, QStringLiteral("備考")), CCategory(1, QStringLiteral("給与")),
                       CCategory(2, QStringLiteral("食料")), CCategory(9, QStringLiteral("予算"))});
}

} // namespace

class TestSummaryReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void parseMode_data();
    void parseMode();
    void parsePeriod_data();
    void parsePeriod();
    void parseCurrency_data();
    void parseCurrency();
    void wholeTable();
    void periodOfToday_data();
    void periodOfToday();
};

void TestSummaryReport::cleanup()
{
    CClock::Reset();
}

void TestSummaryReport::parseMode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("mode");

    QTest::newRow("day") << QStringLiteral("day") << true << int(PERIOD_MONTH);
    QTest::newRow("month") << QStringLiteral("month") << true << int(PERIOD_YEAR);
    QTest::newRow("year") << QStringLiteral("year") << true << int(PERIOD_ALL);
    QTest::newRow("quarter") << QStringLiteral("quarter") << true << int(PERIOD_QUARTER);
    QTest::newRow("capitals") << QStringLiteral("Day") << false << -1;
    QTest::newRow("empty") << QString() << false << -1;
    QTest::newRow("a number") << QStringLiteral("0") << false << -1;
}

void TestSummaryReport::parseMode()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, mode);
    int nMode = -1;
    QCOMPARE(CSummaryReport::ParseMode(text, nMode), ok);
    QCOMPARE(nMode, mode);
}

void TestSummaryReport::parsePeriod_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("period");

    QTest::newRow("day: a month") << QStringLiteral("2024-03") << int(PERIOD_MONTH) << true << D(2024, 3, 1);
    QTest::newRow("day: one-digit month") << QStringLiteral("2024-3") << int(PERIOD_MONTH) << true << D(2024, 3, 1);
    QTest::newRow("day: a year alone is not a month") << QStringLiteral("2024") << int(PERIOD_MONTH) << false << -1;
    QTest::newRow("day: month 13") << QStringLiteral("2024-13") << int(PERIOD_MONTH) << false << -1;
    QTest::newRow("day: month 0") << QStringLiteral("2024-00") << int(PERIOD_MONTH) << false << -1;
    QTest::newRow("day: two-digit year") << QStringLiteral("24-03") << int(PERIOD_MONTH) << false << -1;
    QTest::newRow("day: a full date") << QStringLiteral("2024-03-05") << int(PERIOD_MONTH) << false << -1;
    QTest::newRow("day: none means today") << QString() << int(PERIOD_MONTH) << true << 0;
    QTest::newRow("month: a year") << QStringLiteral("2024") << int(PERIOD_YEAR) << true << D(2024, 1, 1);
    QTest::newRow("month: a month names its year") << QStringLiteral("2024-07") << int(PERIOD_YEAR) << true
                                                   << D(2024, 7, 1);
    QTest::newRow("month: year 0") << QStringLiteral("0000") << int(PERIOD_YEAR) << false << -1;
    QTest::newRow("month: text") << QStringLiteral("last") << int(PERIOD_YEAR) << false << -1;
    QTest::newRow("year: a period is ignored") << QStringLiteral("anything") << int(PERIOD_ALL) << true << 0;
    QTest::newRow("quarter: no period") << QString() << int(PERIOD_QUARTER) << true << 0;
}

void TestSummaryReport::parsePeriod()
{
    QFETCH(QString, text);
    QFETCH(int, mode);
    QFETCH(bool, ok);
    QFETCH(int, period);
    PackedDate got = -1;
    QCOMPARE(CSummaryReport::ParsePeriod(text, mode, got), ok);
    QCOMPARE(got, period);
}

void TestSummaryReport::parseCurrency_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("cur");

    QTest::newRow("base currency") << QStringLiteral("0") << true << 0;
    QTest::newRow("second currency") << QStringLiteral("1") << true << 1;
    QTest::newRow("beyond the list") << QStringLiteral("2") << false << -1;
    QTest::newRow("negative") << QStringLiteral("-1") << false << -1;
    QTest::newRow("not a number") << QStringLiteral("$") << false << -1;
}

void TestSummaryReport::parseCurrency()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, cur);
    const auto pDoc = MakeLedger({});
    int nCur = -1;
    QCOMPARE(CSummaryReport::ParseCurrency(text, *pDoc, nCur), ok);
    QCOMPARE(nCur, cur);
}

void TestSummaryReport::wholeTable()
{
    const auto pDoc = SmallLedger();
    const QString expected = QStringLiteral(
        "日付\t収入計\t支出計\t給与\t食料\n"
        "2024\t\\300,000\t\\2,000\t\\300,000\t\\2,000\n"
        "合計\t\\300,000\t\\2,000\t\\300,000\t\\2,000\n"
        "予算\t\t\\1,000\t\t\\1,000\n"
        "差引\t\t-\\1,000\t\t-\\1,000\n");
    QCOMPARE(CSummaryReport::Text(*pDoc, PERIOD_ALL, 0, 0), expected);
    // The other currency has neither lines nor budgets.
    QCOMPARE(CSummaryReport::Text(*pDoc, PERIOD_QUARTER, 0, 1),
             QStringLiteral("日付\t収入計\t支出計\t給与\t食料\n"
                            "2024:Ⅰ\t$0.00\t$0.00\t$0.00\t$0.00\n"
                            "合計\t$0.00\t$0.00\t$0.00\t$0.00\n"));
}

void TestSummaryReport::periodOfToday_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("firstRow");

    QTest::newRow("today inside the ledger")
        << QDateTime(QDate(2024, 1, 20), QTime(12, 0)) << QStringLiteral("24/ 1/ 1\t\\0\t\\0\t\\0\t\\0");
    QTest::newRow("today after the ledger shows its last month")
        << QDateTime(QDate(2030, 5, 1), QTime(12, 0)) << QStringLiteral("24/ 2/ 1\t\\0\t\\0\t\\0\t\\0");
    QTest::newRow("before 06:00 the day before")
        << QDateTime(QDate(2024, 2, 1), QTime(5, 59)) << QStringLiteral("24/ 1/ 1\t\\0\t\\0\t\\0\t\\0");
}

void TestSummaryReport::periodOfToday()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, firstRow);
    CClock::SetNow(now);
    const auto pDoc = SmallLedger();
    const QStringList lines = CSummaryReport::Text(*pDoc, PERIOD_MONTH, 0, 0).split(QLatin1Char('\n'));
    QCOMPARE(lines.value(1), firstRow);
    QCOMPARE(lines.last(), QString()); // the last line ends with "\n" too
}

QTEST_GUILESS_MAIN(TestSummaryReport)
#include "tst_summaryreport.moc"

// Period totals, budgets, columns and titles of the summary.
#include "SummaryLedger.h"

#include "summary/PeriodMode.h"
#include "summary/SumCalc.h"
#include "summary/SumSource.h"

#include <QtTest>

#include <limits>

namespace {

struct SCell
{
    int nRow;
    int nKey;
    Amount nValue;
};

using SCells = QList<SCell>;
using SKeys = QList<int>;
using SAmounts = QList<qint64>;

constexpr PackedDate D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}

CCategory Cat(int nAttr, const char16_t* name)
{
    return CCategory(nAttr, QString::fromUtf16(name));
}

} // namespace

Q_DECLARE_METATYPE(SCells)
Q_DECLARE_METATYPE(SKeys)
Q_DECLARE_METATYPE(SAmounts)
Q_DECLARE_METATYPE(std::vector<CCategory>)

class TestSumCalc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sumByPeriod_data();
    void sumByPeriod();
    void periodRowCount_data();
    void periodRowCount();
    void hostileLinesStayInTheTable();
    void budgetPerKey_data();
    void budgetPerKey();
    void budgetSeries_data();
    void budgetSeries();
    void summaryColumns_data();
    void summaryColumns();
    void summaryTitle_data();
    void summaryTitle();
};

void TestSumCalc::sumByPeriod_data()
{
    QTest::addColumn<SLines>("lines");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("cur");
    QTest::addColumn<int>("rows");
    // Every entry not listed must be 0, so a stray write anywhere shows.
    QTest::addColumn<SCells>("cells");

    const int f = Key(CAT_FOOD);
    const int i = Key(CAT_INCOME);

    QTest::newRow("day: lines land on their days")
        << SLines{Line(D(2024, 3, 5), CAT_FOOD, -U(500)), Line(D(2024, 3, 31), CAT_FOOD, -U(100))}
        << int(PERIOD_MONTH) << D(2024, 3, 10) << 0 << 32
        << SCells{{4, f, U(500)}, {4, 2, U(500)}, {30, f, U(100)}, {30, 2, U(100)}, {31, f, U(600)}, {31, 2, U(600)}};
    QTest::newRow("day: a whole-month date counts on day 1")
        << SLines{Line(D(2024, 3, 0), CAT_INCOME, U(1000))} << int(PERIOD_MONTH) << D(2024, 3, 1) << 0 << 32
        << SCells{{0, i, U(1000)}, {0, 1, U(1000)}, {31, i, U(1000)}, {31, 1, U(1000)}};
    QTest::newRow("day: a day past the month's end counts on its last day")
        << SLines{Line(D(2023, 2, 30), CAT_FOOD, -U(700))} << int(PERIOD_MONTH) << D(2023, 2, 1) << 0 << 29
        << SCells{{27, f, U(700)}, {27, 2, U(700)}, {28, f, U(700)}, {28, 2, U(700)}};
    QTest::newRow("day: a whole-year date never matches a month")
        << SLines{Line(D(2024, 0, 0), CAT_INCOME, U(1000)), Line(D(2024, 1, 10), CAT_FOOD, -U(10))}
        << int(PERIOD_MONTH) << D(2024, 1, 1) << 0 << 32
        << SCells{{9, f, U(10)}, {9, 2, U(10)}, {31, f, U(10)}, {31, 2, U(10)}};
    QTest::newRow("day: a period date of month 0 shows January")
        << SLines{Line(D(2024, 0, 0), CAT_INCOME, U(1000)), Line(D(2024, 1, 10), CAT_FOOD, -U(10))}
        << int(PERIOD_MONTH) << D(2024, 0, 0) << 0 << 32
        << SCells{{9, f, U(10)}, {9, 2, U(10)}, {31, f, U(10)}, {31, 2, U(10)}};
    QTest::newRow("year: months of the period's year only")
        << SLines{Line(D(2023, 12, 31), CAT_FOOD, -U(1)), Line(D(2024, 1, 15), CAT_FOOD, -U(20)),
                  Line(D(2024, 12, 31), CAT_INCOME, U(30))}
        << int(PERIOD_YEAR) << D(2024, 6, 1) << 0 << 13
        << SCells{{0, f, U(20)}, {0, 2, U(20)}, {11, i, U(30)}, {11, 1, U(30)},
                  {12, f, U(20)}, {12, 2, U(20)}, {12, i, U(30)}, {12, 1, U(30)}};
    QTest::newRow("year: a whole-year date counts in January")
        << SLines{Line(D(2024, 0, 0), CAT_INCOME, U(5))} << int(PERIOD_YEAR) << D(2024, 0, 0) << 0 << 13
        << SCells{{0, i, U(5)}, {0, 1, U(5)}, {12, i, U(5)}, {12, 1, U(5)}};
    QTest::newRow("year: a day past the month's end stays in its month")
        << SLines{Line(D(2023, 2, 30), CAT_FOOD, -U(700))} << int(PERIOD_YEAR) << D(2023, 2, 1) << 0 << 13
        << SCells{{1, f, U(700)}, {1, 2, U(700)}, {12, f, U(700)}, {12, 2, U(700)}};
    QTest::newRow("all: every year from the first to the last")
        << SLines{Line(D(2021, 5, 1), CAT_INCOME, U(1)), Line(D(2023, 1, 1), CAT_INCOME, U(3))}
        << int(PERIOD_ALL) << 0 << 0 << 4
        << SCells{{0, i, U(1)}, {0, 1, U(1)}, {2, i, U(3)}, {2, 1, U(3)}, {3, i, U(4)}, {3, 1, U(4)}};
    QTest::newRow("quarter: across a year boundary")
        << SLines{Line(D(2023, 11, 1), CAT_INCOME, U(1)), Line(D(2024, 1, 5), CAT_INCOME, U(2)),
                  Line(D(2024, 4, 1), CAT_INCOME, U(4))}
        << int(PERIOD_QUARTER) << 0 << 0 << 4
        << SCells{{0, i, U(1)}, {0, 1, U(1)}, {1, i, U(2)}, {1, 1, U(2)}, {2, i, U(4)}, {2, 1, U(4)},
                  {3, i, U(7)}, {3, 1, U(7)}};
    QTest::newRow("quarter: a whole-year date counts in quarter I")
        << SLines{Line(D(2023, 5, 1), CAT_INCOME, U(1)), Line(D(2024, 0, 0), CAT_INCOME, U(2))}
        << int(PERIOD_QUARTER) << 0 << 0 << 5
        << SCells{{0, i, U(1)}, {0, 1, U(1)}, {3, i, U(2)}, {3, 1, U(2)}, {4, i, U(3)}, {4, 1, U(3)}};
    QTest::newRow("lines in another currency are not counted")
        << SLines{Line(D(2024, 3, 1), CAT_FOOD, -U(5), 1), Line(D(2024, 3, 2), CAT_FOOD, -U(7))}
        << int(PERIOD_MONTH) << D(2024, 3, 1) << 0 << 32
        << SCells{{1, f, U(7)}, {1, 2, U(7)}, {31, f, U(7)}, {31, 2, U(7)}};
    QTest::newRow("the other currency alone")
        << SLines{Line(D(2024, 3, 1), CAT_FOOD, -U(5), 1), Line(D(2024, 3, 2), CAT_FOOD, -U(7))}
        << int(PERIOD_MONTH) << D(2024, 3, 1) << 1 << 32
        << SCells{{0, f, U(5)}, {0, 2, U(5)}, {31, f, U(5)}, {31, 2, U(5)}};
    QTest::newRow("budget lines are never summed")
        << SLines{Budget(D(2024, 3, 0), QStringLiteral("食料"), -U(300)), Line(D(2024, 3, 2), CAT_FOOD, -U(7))}
        << int(PERIOD_MONTH) << D(2024, 3, 1) << 0 << 32
        << SCells{{1, f, U(7)}, {1, 2, U(7)}, {31, f, U(7)}, {31, 2, U(7)}};
    QTest::newRow("outflow inverted, income kept")
        << SLines{Line(D(2024, 3, 1), CAT_FOOD, -U(5000)), Line(D(2024, 3, 1), CAT_INCOME, U(5000))}
        << int(PERIOD_MONTH) << D(2024, 3, 1) << 0 << 32
        << SCells{{0, f, U(5000)}, {0, 2, U(5000)}, {0, i, U(5000)}, {0, 1, U(5000)},
                  {31, f, U(5000)}, {31, 2, U(5000)}, {31, i, U(5000)}, {31, 1, U(5000)}};
    QTest::newRow("transfer: each amount under its own category and sign")
        << SLines{Transfer(D(2024, 3, 1), CAT_FOOD, -U(1000), CAT_SAVINGS, U(1000))}
        << int(PERIOD_MONTH) << D(2024, 3, 1) << 0 << 32
        << SCells{{0, f, U(1000)}, {0, 2, U(1000)}, {0, Key(CAT_SAVINGS), -U(1000)}, {0, 3, -U(1000)},
                  {31, f, U(1000)}, {31, 2, U(1000)}, {31, Key(CAT_SAVINGS), -U(1000)}, {31, 3, -U(1000)}};
    QTest::newRow("carry-over difference lands under 備考")
        << SLines{Line(D(2024, 3, 1), CAT_INCOME, U(1000)), Line(D(2024, 3, 2), CAT_CARRYOVER, U(900))}
        << int(PERIOD_MONTH) << D(2024, 3, 1) << 0 << 32
        << SCells{{0, i, U(1000)}, {0, 1, U(1000)}, {1, Key(CAT_CARRYOVER), U(900)}, {1, 8, U(900)},
                  {1, Key(CAT_REMARK), -U(100)}, {1, 0, -U(100)}, {31, i, U(1000)}, {31, 1, U(1000)},
                  {31, Key(CAT_CARRYOVER), U(900)}, {31, 8, U(900)}, {31, Key(CAT_REMARK), -U(100)},
                  {31, 0, -U(100)}};
    QTest::newRow("undated lines are not counted")
        << SLines{Line(0, CAT_FOOD, -U(9)), Line(D(2024, 3, 1), CAT_FOOD, -U(1))} << int(PERIOD_ALL) << 0 << 0 << 2
        << SCells{{0, f, U(1)}, {0, 2, U(1)}, {1, f, U(1)}, {1, 2, U(1)}};
}

void TestSumCalc::sumByPeriod()
{
    QFETCH(SLines, lines);
    QFETCH(int, mode);
    QFETCH(int, period);
    QFETCH(int, cur);
    QFETCH(int, rows);
    QFETCH(SCells, cells);

    const auto pDoc = MakeLedger(lines);
    std::vector<Amount> sums(5, 77); // leftovers of an earlier call must go
    const auto [nStride, nRows] = CSumCalc::SumByPeriod(CSumSource(*pDoc), sums, period, mode, cur);
    QCOMPARE(nStride, int(pDoc->Categories().size()) + 10);
    QCOMPARE(nRows, rows);
    QCOMPARE(sums.size(), std::size_t(nStride) * std::size_t(nRows));

    std::vector<Amount> expected(sums.size(), 0);
    for (const SCell& cell : cells)
        expected[std::size_t(cell.nRow) * std::size_t(nStride) + std::size_t(cell.nKey)] = cell.nValue;
    for (std::size_t n = 0; n < sums.size(); ++n) {
        if (sums[n] != expected[n])
            QFAIL(qPrintable(QStringLiteral("row %1 key %2: %3, expected %4")
                                 .arg(n / std::size_t(nStride))
                                 .arg(n % std::size_t(nStride))
                                 .arg(sums[n])
                                 .arg(expected[n])));
    }
}

void TestSumCalc::periodRowCount_data()
{
    QTest::addColumn<SLines>("lines");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("rows");

    const SLines year2020{Line(D(2020, 1, 1), CAT_INCOME, 1), Line(D(2020, 12, 31), CAT_INCOME, 1)};
    QTest::newRow("February of a year divisible by 4") << year2020 << int(PERIOD_MONTH) << D(2024, 2, 1) << 30;
    QTest::newRow("February 2100 has 29 days too") << year2020 << int(PERIOD_MONTH) << D(2100, 2, 1) << 30;
    QTest::newRow("February 2023") << year2020 << int(PERIOD_MONTH) << D(2023, 2, 1) << 29;
    QTest::newRow("April") << year2020 << int(PERIOD_MONTH) << D(2020, 4, 1) << 31;
    QTest::newRow("months of a year") << year2020 << int(PERIOD_YEAR) << D(2020, 4, 1) << 13;
    QTest::newRow("a mode beyond the four shows days") << year2020 << 7 << D(2020, 4, 1) << 31;
    QTest::newRow("one year") << year2020 << int(PERIOD_ALL) << 0 << 2;
    QTest::newRow("four quarters") << year2020 << int(PERIOD_QUARTER) << 0 << 5;
    QTest::newRow("no dated line: one year row") << SLines{} << int(PERIOD_ALL) << 0 << 2;
    QTest::newRow("no dated line: one quarter row") << SLines{} << int(PERIOD_QUARTER) << 0 << 2;
}

void TestSumCalc::periodRowCount()
{
    QFETCH(SLines, lines);
    QFETCH(int, mode);
    QFETCH(int, period);
    QFETCH(int, rows);

    const auto pDoc = MakeLedger(lines);
    std::vector<Amount> sums;
    QCOMPARE(CSumCalc::SumByPeriod(CSumSource(*pDoc), sums, period, mode, 0).second, rows);
}

// Whatever a file holds, nothing is written outside the sums and sums wrap without
// undefined behaviour.
void TestSumCalc::hostileLinesStayInTheTable()
{
    std::vector<CCategory> cats{Cat(0, u"備考"), Cat(1, u"収入"), Cat(2, u"食料"), Cat(55, u"壊れた属性")};
    std::vector<CReceipt> lines(7);
    for (CReceipt& line : lines) {
        line.m_date = D(2024, 3, 1);
        line.m_nCat = 1;
    }
    lines[0].m_nAmount = std::numeric_limits<Amount>::max();
    lines[1].m_nAmount = 2;                      // wraps the income total
    lines[2].m_nCat = 200;                       // no such category
    lines[2].m_nAmount = 1000;
    lines[3].m_nCat2 = 99;                       // no such counter category
    lines[3].m_nAmount2 = 1000;
    lines[4].m_date = D(2024, 3, -3);            // negative day: no day of the month
    lines[4].m_nAmount = 1000;
    lines[5].m_date = D(2024, 13, 1);            // month beyond December: no month of the year
    lines[5].m_nAmount = 100;
    lines[6].m_nCat = 3;                         // attribute outside 0..9: own column only
    lines[6].m_nAmount = 5;
    lines[6].m_nCat2 = 2;
    lines[6].m_nAmount2 = std::numeric_limits<Amount>::min(); // its negation wraps to itself

    const CSumSource src(lines, cats, 1, D(2024, 3, 1), D(2024, 3, 1));
    // What lines 4 and 5 add to the income in each mode: the year and quarter modes read
    // the month only, the whole-period mode the year only.
    const Amount extra[PERIOD_COUNT] = {0, 1000, 1100, 1000};
    for (int nMode = PERIOD_MONTH; nMode <= PERIOD_QUARTER; ++nMode) {
        std::vector<Amount> sums;
        const auto [nStride, nRows] = CSumCalc::SumByPeriod(src, sums, D(2024, 3, 1), nMode, 0);
        QCOMPARE(nStride, 14);
        QCOMPARE(sums.size(), std::size_t(nStride) * std::size_t(nRows));
        const std::size_t nTotal = std::size_t(nRows - 1) * std::size_t(nStride);
        // max + 2 wraps; the amount of the unknown category is not counted.
        const Amount nIncome = std::numeric_limits<Amount>::min() + 1 + extra[nMode];
        QCOMPARE(sums[nTotal + 11], nIncome);
        QCOMPARE(sums[nTotal + 1], nIncome);
        QCOMPARE(sums[nTotal + 12], std::numeric_limits<Amount>::min());
        QCOMPARE(sums[nTotal + 2], std::numeric_limits<Amount>::min());
        QCOMPARE(sums[nTotal + 13], Amount(5));
        QCOMPARE(sums[nTotal + 10], Amount(0));
    }
}

void TestSumCalc::budgetPerKey_data()
{
    QTest::addColumn<SLines>("lines");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("period");
    QTest::addColumn<SCells>("values"); // nRow unused; every key not listed is 0
    QTest::addColumn<bool>("any");

    // 2020: 食料 budgets 300 from April, 500 from July.
    const SLines food{Line(D(2020, 1, 1), CAT_INCOME, U(1)), Budget(D(2020, 4, 0), QStringLiteral("食料"), -U(300)),
                      Budget(D(2020, 7, 0), QStringLiteral("食料"), -U(500)), Line(D(2020, 12, 31), CAT_INCOME, U(1))};
    const int f = Key(CAT_FOOD);

    QTest::newRow("month before the first budget") << food << int(PERIOD_MONTH) << D(2020, 3, 1) << SCells{} << false;
    QTest::newRow("month with a budget in force")
        << food << int(PERIOD_MONTH) << D(2020, 5, 1) << SCells{{0, f, U(300)}, {0, 2, U(300)}} << true;
    QTest::newRow("month after the budget changed")
        << food << int(PERIOD_MONTH) << D(2020, 12, 1) << SCells{{0, f, U(500)}, {0, 2, U(500)}} << true;
    QTest::newRow("month after the last month shows the last month's")
        << food << int(PERIOD_MONTH) << D(2021, 3, 1) << SCells{{0, f, U(500)}, {0, 2, U(500)}} << true;
    QTest::newRow("month before the first month") << food << int(PERIOD_MONTH) << D(2019, 12, 1) << SCells{} << false;
    QTest::newRow("year: the twelve months")
        << food << int(PERIOD_YEAR) << D(2020, 1, 1) << SCells{{0, f, U(3900)}, {0, 2, U(3900)}} << true;
    QTest::newRow("year after the ledger") << food << int(PERIOD_YEAR) << D(2021, 1, 1) << SCells{} << false;
    QTest::newRow("all: every month") << food << int(PERIOD_ALL) << 0 << SCells{{0, f, U(3900)}, {0, 2, U(3900)}}
                                      << true;
    QTest::newRow("quarter: every month")
        << food << int(PERIOD_QUARTER) << 0 << SCells{{0, f, U(3900)}, {0, 2, U(3900)}} << true;
    QTest::newRow("income budget keeps its sign")
        << SLines{Line(D(2020, 1, 1), CAT_INCOME, U(1)), Budget(D(2020, 1, 0), QStringLiteral("収入"), U(1000))}
        << int(PERIOD_MONTH) << D(2020, 1, 1) << SCells{{0, Key(CAT_INCOME), U(1000)}, {0, 1, U(1000)}} << true;
    QTest::newRow("budget of another currency")
        << SLines{Line(D(2020, 1, 1), CAT_INCOME, U(1)), Budget(D(2020, 1, 0), QStringLiteral("食料"), -U(8), 1)}
        << int(PERIOD_MONTH) << D(2020, 1, 1) << SCells{} << false;
}

void TestSumCalc::budgetPerKey()
{
    QFETCH(SLines, lines);
    QFETCH(int, mode);
    QFETCH(int, period);
    QFETCH(SCells, values);
    QFETCH(bool, any);

    const auto pDoc = MakeLedger(lines);
    std::vector<Amount> got;
    QCOMPARE(CSumCalc::GetBudgetSums(CSumSource(*pDoc), got, period, mode, 0, 0), any);
    std::vector<Amount> expected(pDoc->Categories().size() + 10, 0);
    for (const SCell& cell : values)
        expected[std::size_t(cell.nKey)] = cell.nValue;
    QCOMPARE(got, expected);
}

void TestSumCalc::budgetSeries_data()
{
    QTest::addColumn<SLines>("lines");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("key");
    QTest::addColumn<SAmounts>("series");

    const SLines food{Line(D(2020, 1, 1), CAT_INCOME, U(1)), Budget(D(2020, 4, 0), QStringLiteral("食料"), -U(300)),
                      Budget(D(2020, 7, 0), QStringLiteral("食料"), -U(500)), Line(D(2020, 12, 31), CAT_INCOME, U(1))};
    // February 2020 to March 2021, 食料 budget 100 (ten-thousandths) a month throughout.
    const SLines february{Line(D(2020, 2, 10), CAT_INCOME, U(1)), Budget(D(2020, 2, 0), QStringLiteral("食料"), -100),
                          Line(D(2021, 3, 5), CAT_INCOME, U(1))};
    const int f = Key(CAT_FOOD);

    SAmounts days(31, 3);
    days << 100;
    QTest::newRow("day: the month's budget spread evenly, truncated")
        << february << int(PERIOD_MONTH) << D(2020, 3, 1) << f << days;
    QTest::newRow("year: month by month, budgets in force until changed")
        << food << int(PERIOD_YEAR) << D(2020, 1, 1) << f
        << SAmounts{0, 0, 0, U(300), U(300), U(300), U(500), U(500), U(500), U(500), U(500), U(500), U(3900)};
    SAmounts after(13, 0);
    QTest::newRow("year: months beyond the ledger have none")
        << food << int(PERIOD_YEAR) << D(2021, 1, 1) << f << after;
    QTest::newRow("year: the attribute subtotal")
        << food << int(PERIOD_YEAR) << D(2020, 1, 1) << 2
        << SAmounts{0, 0, 0, U(300), U(300), U(300), U(500), U(500), U(500), U(500), U(500), U(500), U(3900)};
    QTest::newRow("quarter: calendar quarters")
        << food << int(PERIOD_QUARTER) << 0 << f << SAmounts{0, U(900), U(1500), U(1500), U(3900)};
    QTest::newRow("all: one year") << food << int(PERIOD_ALL) << 0 << f << SAmounts{U(3900), U(3900)};
    QTest::newRow("quarter: a first date in February starts with two months")
        << february << int(PERIOD_QUARTER) << 0 << f << SAmounts{200, 300, 300, 300, 300, 1400};
    QTest::newRow("all: a first date in February starts with eleven months")
        << february << int(PERIOD_ALL) << 0 << f << SAmounts{1100, 300, 1400};
}

void TestSumCalc::budgetSeries()
{
    QFETCH(SLines, lines);
    QFETCH(int, mode);
    QFETCH(int, period);
    QFETCH(int, key);
    QFETCH(SAmounts, series);

    const auto pDoc = MakeLedger(lines);
    std::vector<Amount> got;
    const bool bAny = CSumCalc::GetBudgetSums(CSumSource(*pDoc), got, period, mode, key, 0);
    SAmounts gotList(got.begin(), got.end());
    QCOMPARE(gotList, series);
    QCOMPARE(bAny, std::any_of(series.begin(), series.end(), [](qint64 v) { return v != 0; }));
    // The graph's bars line up with the table's period rows.
    std::vector<Amount> sums;
    QCOMPARE(qsizetype(CSumCalc::SumByPeriod(CSumSource(*pDoc), sums, period, mode, 0).second), series.size());
}

void TestSumCalc::summaryColumns_data()
{
    QTest::addColumn<std::vector<CCategory>>("cats");
    QTest::addColumn<SKeys>("keys");

    QTest::newRow("default set")
        << CNewLedger::Categories()
        << SKeys{0, 1, 2, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25};
    QTest::newRow("no expense category: the 支出 subtotal still")
        << std::vector<CCategory>{Cat(0, u"備考"), Cat(1, u"給与")} << SKeys{0, 1, 2, 11};
    QTest::newRow("one account category: no 貸借 subtotal")
        << std::vector<CCategory>{Cat(0, u"備考"), Cat(3, u"預貯金")} << SKeys{0, 2, 11};
    QTest::newRow("two account categories: a 貸借 subtotal")
        << std::vector<CCategory>{Cat(0, u"備考"), Cat(3, u"預貯金"), Cat(3, u"借入")} << SKeys{0, 2, 3, 11, 12};
    QTest::newRow("special attributes in list order")
        << std::vector<CCategory>{Cat(0, u"備考"), Cat(6, u"冠婚葬祭"), Cat(5, u"賞与"), Cat(5, u"一時金"),
                                  Cat(6, u"修繕"), Cat(7, u"積立")}
        << SKeys{0, 2, 5, 6, 11, 12, 13, 14, 15};
    QTest::newRow("remark, carry-over and budget never get a column")
        << std::vector<CCategory>{Cat(0, u"備考"), Cat(8, u"繰越"), Cat(9, u"予算"), Cat(9, u"予算2"), Cat(2, u"食料")}
        << SKeys{0, 2, 14};
}

void TestSumCalc::summaryColumns()
{
    QFETCH(std::vector<CCategory>, cats);
    QFETCH(SKeys, keys);

    std::vector<std::uint32_t> got{0}; // the date column the table puts first
    const int nCount = CSumCalc::GetSummaryColumns(cats, got);
    QCOMPARE(nCount, int(got.size()));
    QCOMPARE(SKeys(got.begin(), got.end()), keys);
}

void TestSumCalc::summaryTitle_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("title");

    QTest::newRow("expense subtotal") << 2 << QStringLiteral("支出計");
    QTest::newRow("income subtotal") << 1 << QStringLiteral("収入計");
    QTest::newRow("special account subtotal") << 7 << QStringLiteral("特別貸借計");
    QTest::newRow("category 0") << 10 << QStringLiteral("備考");
    QTest::newRow("a category") << Key(CAT_FOOD) << QStringLiteral("食料");
    QTest::newRow("beyond the categories") << 27 << QString();
    QTest::newRow("negative") << -1 << QString();
}

void TestSumCalc::summaryTitle()
{
    QFETCH(int, key);
    QFETCH(QString, title);
    QCOMPARE(CSumCalc::GetSummaryTitle(CNewLedger::Categories(), key), title);
}

QTEST_GUILESS_MAIN(TestSumCalc)
#include "tst_sumcalc.moc"

// What the graph shows per period: plain and stacked values, running averages, budgets,
// the column shown and the period labels.
#include "SummaryLedger.h"

#include "summary/GraphSeries.h"
#include "summary/PeriodMode.h"

#include <QtTest>

#include <limits>

namespace {

constexpr PackedDate D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}

// Columns of the default set: 収入計, 支出計, then the categories 収入 .. 両替.
enum : int {
    COLUMN_EXPENSE_TOTAL = 1,
    COLUMN_FOOD = 3,
};

CGraphSeries Compute(const CCofferDoc& doc, int nColumn, int nMode, PackedDate period, int nCur = 0)
{
    CGraphSeries series;
    series.Compute(doc, nColumn, nCur, nMode, period, false, CGraphScale());
    return series;
}

using SAmounts = QList<qint64>;

SAmounts List(const std::vector<Amount>& values)
{
    return SAmounts(values.begin(), values.end());
}

} // namespace

class TestGraphSeries : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundedAverage_data();
    void roundedAverage();
    void categoryValuesAndAverages();
    void attributeStacksItsCategories();
    void budgetSeriesAndScale();
    void columnChoice();
    void periodLabels_data();
    void periodLabels();
    void userScaleReplacesTheAutomaticOne();
    void columnFollowsItsCategory_data();
    void columnFollowsItsCategory();
};

void TestGraphSeries::roundedAverage_data()
{
    QTest::addColumn<qint64>("nSum");
    QTest::addColumn<qint64>("nCount");
    QTest::addColumn<int>("nDecimals");
    QTest::addColumn<qint64>("nAverage");

    QTest::newRow("yen half rounds up") << qint64(U(3)) << qint64(2) << 0 << qint64(U(2));
    QTest::newRow("yen negative half rounds down") << qint64(-U(3)) << qint64(2) << 0 << qint64(-U(2));
    QTest::newRow("yen below half rounds to zero") << qint64(U(1)) << qint64(3) << 0 << qint64(0);
    QTest::newRow("cents half rounds away") << qint64(10050) << qint64(1) << 2 << qint64(10100);
    QTest::newRow("cents below half stays") << qint64(10049) << qint64(1) << 2 << qint64(10000);
    QTest::newRow("four decimals keep every digit") << qint64(10) << qint64(3) << 4 << qint64(3);
    QTest::newRow("largest amount does not overflow")
        << std::numeric_limits<qint64>::max() << qint64(1) << 0
        << qint64(std::numeric_limits<qint64>::max() / 10000 * 10000);
    QTest::newRow("smallest amount does not overflow")
        << std::numeric_limits<qint64>::min() << qint64(1) << 0
        << qint64(std::numeric_limits<qint64>::min() / 10000 * 10000);
}

void TestGraphSeries::roundedAverage()
{
    QFETCH(qint64, nSum);
    QFETCH(qint64, nCount);
    QFETCH(int, nDecimals);
    QFETCH(qint64, nAverage);
    QCOMPARE(qint64(CGraphSeries::RoundedAverage(nSum, nCount, nDecimals)), nAverage);
}

void TestGraphSeries::categoryValuesAndAverages()
{
    // Expenses count upwards; a refund in the third month pulls the value below zero.
    const auto pDoc = MakeLedger({Line(D(2024, 1, 5), CAT_FOOD, -U(100)), Line(D(2024, 2, 5), CAT_FOOD, -U(201)),
                                  Line(D(2024, 3, 5), CAT_FOOD, U(50)), Line(D(2024, 12, 5), CAT_HOUSING, -U(9))});
    const CGraphSeries series = Compute(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 6, 0));
    QCOMPARE(series.GetKey(), Key(CAT_FOOD));
    QVERIFY(!series.IsAttribute());
    QCOMPARE(series.GetTitle(), QStringLiteral("食料"));
    QCOMPARE(series.GetPeriodCount(), 12);
    QCOMPARE(List(series.GetValues()).mid(0, 4), (SAmounts{U(100), U(201), -U(50), 0}));
    // 100, 150.5 -> 151, 83.67 -> 84, 62.75 -> 63
    QCOMPARE(List(series.GetAverages()).mid(0, 4), (SAmounts{U(100), U(151), U(84), U(63)}));
    QCOMPARE(series.GetTotal(), U(251));
    QCOMPARE(series.GetMax(), U(201));
    QCOMPARE(series.GetMin(), -U(50));
    QVERIFY(!series.HasBudget());
    QVERIFY(series.GetStackedKeys().empty());
}

void TestGraphSeries::attributeStacksItsCategories()
{
    // +300, +200 and -100 in one period: 500 above zero, 100 below, the value 400.
    const auto pDoc = MakeLedger({Line(D(2024, 5, 1), CAT_FOOD, -U(300)), Line(D(2024, 5, 2), CAT_HOUSING, -U(200)),
                                  Line(D(2024, 5, 3), 5, U(100)), Line(D(2025, 2, 1), CAT_FOOD, -U(10))});
    const CGraphSeries series = Compute(*pDoc, COLUMN_EXPENSE_TOTAL, PERIOD_ALL, 0);
    QVERIFY(series.IsAttribute());
    QCOMPARE(series.GetTitle(), QStringLiteral("支出計"));
    QCOMPARE(series.GetPeriodCount(), 2);
    const std::vector<std::uint32_t> expenses{13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};
    QCOMPARE(series.GetStackedKeys(), expenses);
    QCOMPARE(series.GetStackedName(0), QStringLiteral("食料"));
    QCOMPARE(series.GetStackedValue(0, 0), U(300));
    QCOMPARE(series.GetStackedValue(0, 1), U(200));
    QCOMPARE(series.GetStackedValue(0, 2), -U(100));
    QCOMPARE(series.GetStackedValue(1, 0), U(10));
    QCOMPARE(List(series.GetValues()), (SAmounts{U(400), U(10)}));
    QCOMPARE(List(series.GetAverages()), (SAmounts{U(400), U(205)}));
    QCOMPARE(series.GetMax(), U(500));
    QCOMPARE(series.GetMin(), -U(100));
    QCOMPARE(series.GetStackedValue(2, 0), 0);
    QCOMPARE(series.GetStackedValue(0, 11), 0);
}

void TestGraphSeries::budgetSeriesAndScale()
{
    const auto pDoc = MakeLedger({Line(D(2024, 1, 1), CAT_INCOME, U(1)), Budget(D(2024, 4, 0), QStringLiteral("食料"), -U(3000)),
                                  Line(D(2024, 4, 3), CAT_FOOD, -U(2500)), Line(D(2024, 12, 31), CAT_INCOME, U(1))});
    const CGraphSeries series = Compute(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0));
    QVERIFY(series.HasBudget());
    QCOMPARE(List(series.GetBudget()).mid(2, 3), (SAmounts{0, U(3000), U(3000)}));
    // The budget counts for the axis: a top of 3000 yen, exactly on a nice top, takes the
    // next one, 0 .. 4000 in 4 steps of 1000.
    QCOMPARE(series.GetMax(), U(3000));
    QCOMPARE(series.GetScale(), CGraphScale(U(1000), 0, 4));

    // Another column without a budget.
    QVERIFY(!Compute(*pDoc, COLUMN_FOOD + 1, PERIOD_YEAR, D(2024, 1, 0)).HasBudget());
}

void TestGraphSeries::columnChoice()
{
    const auto pDoc = MakeLedger({Line(D(2024, 1, 1), CAT_FOOD, -U(5))});
    const std::vector<std::uint32_t> keys = CGraphSeries::ColumnKeys(pDoc->Categories());
    QCOMPARE(keys.front(), 1u); // 収入計; no date column
    QCOMPARE(CGraphSeries::DefaultColumn(keys), COLUMN_EXPENSE_TOTAL);
    QCOMPARE(CGraphSeries::DefaultColumn({12, 13}), 0);
    // A column index beyond the keys falls back to the first column.
    const CGraphSeries beyond = Compute(*pDoc, 999, PERIOD_MONTH, D(2024, 1, 0));
    QCOMPARE(beyond.GetColumn(), 0);
    QCOMPARE(beyond.GetKey(), 1);
    // An invalid currency shows currency 0; an invalid mode PERIOD_MONTH with 31 days of January.
    const CGraphSeries odd = Compute(*pDoc, COLUMN_FOOD, 7, D(2024, 1, 0), 9);
    QCOMPARE(odd.GetCurrency(), 0);
    QCOMPARE(odd.GetMode(), int(PERIOD_MONTH));
    QCOMPARE(odd.GetPeriodCount(), 31);
    QCOMPARE(odd.GetValues()[0], U(5));
}

void TestGraphSeries::periodLabels_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<PackedDate>("first");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("days") << int(PERIOD_MONTH) << D(2024, 2, 3) << QStringList{"1日", "2日", "3日"};
    QTest::newRow("months") << int(PERIOD_YEAR) << D(2024, 2, 3) << QStringList{"1月", "2月", "3月"};
    QTest::newRow("years from the first date") << int(PERIOD_ALL) << D(2022, 7, 1)
                                               << QStringList{"2022年", "2023年", "2024年"};
    // Quarter Ⅳ stays in its own year.
    QTest::newRow("quarters from November") << int(PERIOD_QUARTER) << D(2023, 11, 1)
                                            << QStringList{"2023年Ⅳ", "2024年Ⅰ", "2024年Ⅱ"};
    QTest::newRow("quarters from January") << int(PERIOD_QUARTER) << D(2023, 1, 1)
                                           << QStringList{"2023年Ⅰ", "2023年Ⅱ", "2023年Ⅲ"};
}

void TestGraphSeries::periodLabels()
{
    QFETCH(int, mode);
    QFETCH(PackedDate, first);
    QFETCH(QStringList, labels);
    const auto pDoc = MakeLedger({Line(first, CAT_FOOD, -U(1)), Line(D(2024, 12, 31), CAT_FOOD, -U(1))});
    const CGraphSeries series = Compute(*pDoc, COLUMN_FOOD, mode, first);
    QVERIFY(series.GetPeriodCount() >= labels.size());
    QStringList got;
    for (int w = 0; w < labels.size(); ++w)
        got << series.PeriodLabel(w);
    QCOMPARE(got, labels);
}

void TestGraphSeries::userScaleReplacesTheAutomaticOne()
{
    const auto pDoc = MakeLedger({Line(D(2024, 1, 1), CAT_FOOD, -U(5))});
    const CGraphScale user(U(7), -U(7), 3);
    CGraphSeries series;
    series.Compute(*pDoc, COLUMN_FOOD, 0, PERIOD_MONTH, D(2024, 1, 0), true, user);
    QCOMPARE(series.GetScale(), user);
    series.Compute(*pDoc, COLUMN_FOOD, 0, PERIOD_MONTH, D(2024, 1, 0), false, user);
    QCOMPARE(series.GetScale(), CGraphScale::AutoScale(U(5), 0, 0));
}

void TestGraphSeries::columnFollowsItsCategory_data()
{
    QTest::addColumn<int>("nOldKey");
    QTest::addColumn<QList<int>>("table");
    QTest::addColumn<int>("nColumn");

    // New keys: 1, 2, then categories 1 and 2 of the new list (keys 11 and 12); position 0,
    // where removed categories map, is the remark category, never a column.
    QTest::newRow("a moved category keeps being shown") << 11 << QList<int>{0, 2, 1} << 3;
    QTest::newRow("a removed category falls back to column 0") << 11 << QList<int>{0, 0, 1} << 0;
    QTest::newRow("a position beyond the table") << 15 << QList<int>{0, 1, 2} << 0;
    QTest::newRow("a subtotal stays") << 2 << QList<int>{2, 1, 0} << 1;
    QTest::newRow("no column before") << -1 << QList<int>{0} << 0;
}

void TestGraphSeries::columnFollowsItsCategory()
{
    QFETCH(int, nOldKey);
    QFETCH(QList<int>, table);
    QFETCH(int, nColumn);
    const std::vector<std::int32_t> remap(table.begin(), table.end());
    QCOMPARE(CGraphSeries::ColumnAfterRemap(nOldKey, remap, {1, 2, 11, 12}), nColumn);
}

QTEST_GUILESS_MAIN(TestGraphSeries)
#include "tst_graphseries.moc"

// A ledger read from a file may carry any year; the summary's periods stay within the
// years a date may be given in, so no ledger makes a summary of more than a century.
#include "SummaryLedger.h"

#include "model/DateText.h"
#include "summary/PeriodMode.h"
#include "summary/SumCalc.h"
#include "summary/SumSource.h"

#include <QtTest>

namespace {

constexpr PackedDate D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}

constexpr int kGivenYears = CDateText::MAX_YEAR - CDateText::MIN_YEAR + 1;

// Food bought in 2000 between a line of year 1 and one of year 32767.
SLines FarApart()
{
    return SLines{Line(D(1, 1, 1), CAT_FOOD, -U(1)), Line(D(2000, 5, 3), CAT_FOOD, -U(7)),
                  Line(D(32767, 12, 31), CAT_FOOD, -U(5))};
}

} // namespace

class TestSumBounds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void periodRows_data();
    void periodRows();
    void linesInsideTheYearsKeepTheirPeriods();
    void budgetsKeepTheirMonths_data();
    void budgetsKeepTheirMonths();
};

void TestSumBounds::periodRows_data()
{
    QTest::addColumn<SLines>("lines");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("rows");

    QTest::newRow("years of year 1 to 32767") << FarApart() << int(PERIOD_ALL) << kGivenYears + 1;
    QTest::newRow("quarters of year 1 to 32767") << FarApart() << int(PERIOD_QUARTER) << 4 * kGivenYears + 1;
    QTest::newRow("only far before") << SLines{Line(D(1, 1, 1), CAT_FOOD, -U(1))} << int(PERIOD_QUARTER) << 2;
    QTest::newRow("only far after") << SLines{Line(D(32767, 6, 1), CAT_FOOD, -U(1))} << int(PERIOD_ALL) << 2;
    QTest::newRow("an ordinary ledger")
        << SLines{Line(D(2020, 5, 1), CAT_FOOD, -U(1)), Line(D(2021, 2, 1), CAT_FOOD, -U(1))} << int(PERIOD_QUARTER)
        << 4 + 1;
}

void TestSumBounds::periodRows()
{
    QFETCH(SLines, lines);
    QFETCH(int, mode);
    QFETCH(int, rows);
    const auto pDoc = MakeLedger(lines);
    const CSumSource src(*pDoc);
    QCOMPARE(CSumCalc::PeriodRowCount(src, 0, mode), rows);
    std::vector<Amount> sums;
    const auto [nStride, nRows] = CSumCalc::SumByPeriod(src, sums, 0, mode, 0);
    QCOMPARE(nRows, rows);
    QCOMPARE(sums.size(), std::size_t(nStride) * std::size_t(nRows));
}

void TestSumBounds::linesInsideTheYearsKeepTheirPeriods()
{
    const auto pDoc = MakeLedger(FarApart());
    // The far lines stay in the ledger.
    QCOMPARE(pDoc->GetLineCount(), 3);
    std::vector<Amount> sums;
    const auto [nStride, nRows] = CSumCalc::SumByPeriod(CSumSource(*pDoc), sums, 0, PERIOD_ALL, 0);
    const auto at = [&](int nRow, int nKey) { return sums[std::size_t(nRow) * std::size_t(nStride) + std::size_t(nKey)]; };
    QCOMPARE(at(2000 - CDateText::MIN_YEAR, Key(CAT_FOOD)), U(7));
    QCOMPARE(at(nRows - 1, Key(CAT_FOOD)), U(7));
    QCOMPARE(at(0, Key(CAT_FOOD)), Amount(0));
}

void TestSumBounds::budgetsKeepTheirMonths_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<PackedDate>("period");

    QTest::newRow("months of 2000") << int(PERIOD_YEAR) << D(2000, 1, 1);
    QTest::newRow("days of June 2000") << int(PERIOD_MONTH) << D(2000, 6, 1);
}

void TestSumBounds::budgetsKeepTheirMonths()
{
    QFETCH(int, mode);
    QFETCH(PackedDate, period);
    // The same budgets read the same in a ledger whose first and last lines lie far outside.
    const SLines budgets{Budget(D(2000, 5, 0), QStringLiteral("食料"), -U(300)),
                         Budget(D(2000, 9, 0), QStringLiteral("食料"), -U(500)), Line(D(2000, 12, 1), CAT_FOOD, -U(1))};
    SLines far = budgets;
    far.prepend(Line(D(1, 1, 1), CAT_FOOD, -U(1)));
    far.append(Line(D(32767, 1, 1), CAT_FOOD, -U(1)));
    const auto pNear = MakeLedger(budgets);
    const auto pFar = MakeLedger(far);
    std::vector<Amount> expected;
    std::vector<Amount> got;
    QVERIFY(CSumCalc::GetBudgetSums(CSumSource(*pNear), expected, period, mode, Key(CAT_FOOD), 0));
    QVERIFY(CSumCalc::GetBudgetSums(CSumSource(*pFar), got, period, mode, Key(CAT_FOOD), 0));
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestSumBounds)
#include "tst_sumbounds.moc"

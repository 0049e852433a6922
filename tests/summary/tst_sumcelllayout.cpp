// The window-free arithmetic of the summary table: period steps, their enabling, and where
// the characters of dates and total-row labels go.
#include "model/PackedDate.h"
#include "summary/PeriodMode.h"
#include "summary/SumCellLayout.h"

#include <QtTest>

class TestSumCellLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stepEnabled_data();
    void stepEnabled();
    void step_data();
    void step();
    void spread_data();
    void spread();
    void dateAdvance();
};

void TestSumCellLayout::stepEnabled_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<bool>>("enabled"); // previous year, next year, previous month, next month
    QTest::newRow("one month: every step") << int(PERIOD_MONTH) << QList<bool>{true, true, true, true};
    QTest::newRow("one year: the year steps") << int(PERIOD_YEAR) << QList<bool>{true, true, false, false};
    QTest::newRow("all years: none") << int(PERIOD_ALL) << QList<bool>{false, false, false, false};
    QTest::newRow("quarters: none") << int(PERIOD_QUARTER) << QList<bool>{false, false, false, false};
    QTest::newRow("unknown mode: none") << 7 << QList<bool>{false, false, false, false};
}

void TestSumCellLayout::stepEnabled()
{
    QFETCH(int, mode);
    QFETCH(QList<bool>, enabled);
    for (int nStep = 0; nStep < CSumCellLayout::STEP_COUNT; ++nStep)
        QCOMPARE(CSumCellLayout::IsStepEnabled(mode, nStep), enabled.at(nStep));
    QVERIFY(!CSumCellLayout::IsStepEnabled(mode, CSumCellLayout::STEP_COUNT));
    QVERIFY(!CSumCellLayout::IsStepEnabled(mode, -1));
}

void TestSumCellLayout::step_data()
{
    QTest::addColumn<PackedDate>("date");
    QTest::addColumn<int>("step");
    QTest::addColumn<PackedDate>("first");
    QTest::addColumn<PackedDate>("last");
    QTest::addColumn<PackedDate>("expected");
    const PackedDate first = MakeDate(2020, 4, 10);
    const PackedDate last = MakeDate(2025, 8, 20);
    QTest::newRow("previous month from January is December before")
        << MakeDate(2024, 1, 15) << int(CSumCellLayout::STEP_PREV_MONTH) << first << last << MakeDate(2023, 12, 15);
    QTest::newRow("next month from December is January after")
        << MakeDate(2023, 12, 15) << int(CSumCellLayout::STEP_NEXT_MONTH) << first << last << MakeDate(2024, 1, 15);
    QTest::newRow("previous year keeps month and day")
        << MakeDate(2024, 3, 5) << int(CSumCellLayout::STEP_PREV_YEAR) << first << last << MakeDate(2023, 3, 5);
    QTest::newRow("next year beyond the last date stays at the last date")
        << MakeDate(2025, 3, 5) << int(CSumCellLayout::STEP_NEXT_YEAR) << first << last << last;
    QTest::newRow("previous month before the first date stays at the first date")
        << MakeDate(2020, 4, 30) << int(CSumCellLayout::STEP_PREV_MONTH) << first << last << first;
    QTest::newRow("a ledger without dates keeps the stepped date")
        << MakeDate(2024, 3, 5) << int(CSumCellLayout::STEP_NEXT_YEAR) << PackedDate(0) << PackedDate(0)
        << MakeDate(2025, 3, 5);
    QTest::newRow("unknown step leaves the date")
        << MakeDate(2024, 3, 5) << 9 << first << last << MakeDate(2024, 3, 5);
}

void TestSumCellLayout::step()
{
    QFETCH(PackedDate, date);
    QFETCH(int, step);
    QFETCH(PackedDate, first);
    QFETCH(PackedDate, last);
    QFETCH(PackedDate, expected);
    QCOMPARE(CSumCellLayout::Step(date, step, first, last), expected);
}

void TestSumCellLayout::spread_data()
{
    QTest::addColumn<int>("cellWidth");
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<int>("chars");
    QTest::addColumn<int>("gap");
    QTest::addColumn<int>("advance");
    QTest::newRow("two characters in a wide cell") << 100 << 40 << 2 << 20 << 40;
    QTest::newRow("text as wide as the cell") << 40 << 40 << 2 << 0 << 20;
    QTest::newRow("text wider than the cell never goes left") << 30 << 40 << 2 << 0 << 20;
    QTest::newRow("no characters") << 100 << 0 << 0 << 0 << 0;
}

void TestSumCellLayout::spread()
{
    QFETCH(int, cellWidth);
    QFETCH(int, textWidth);
    QFETCH(int, chars);
    QFETCH(int, gap);
    QFETCH(int, advance);
    QCOMPARE(CSumCellLayout::SpreadGap(cellWidth, textWidth, chars), gap);
    QCOMPARE(CSumCellLayout::SpreadAdvance(cellWidth, textWidth, chars), advance);
    // The spread text stays inside the cell whenever it fits.
    if (chars > 0 && textWidth <= cellWidth)
        QVERIFY(gap + (chars - 1) * advance + textWidth / chars <= cellWidth);
}

void TestSumCellLayout::dateAdvance()
{
    // "24/ 3/ 1": the slashes at 2 and 5 advance by the slash width, so every row lines up.
    int x = 0;
    QList<int> starts;
    for (int i = 0; i < 8; ++i) {
        starts << x;
        x += CSumCellLayout::DateAdvance(i, 10, 4);
    }
    QCOMPARE(starts, (QList<int>{0, 10, 20, 24, 34, 44, 48, 58}));
}

QTEST_GUILESS_MAIN(TestSumCellLayout)
#include "tst_sumcelllayout.moc"

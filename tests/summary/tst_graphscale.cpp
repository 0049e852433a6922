// The graph's amount axis: the automatic scale, its folding and mirroring, and positions
// that hold for every amount a ledger can carry.
#include "summary/GraphScale.h"

#include <QtTest>

#include <limits>

namespace {

constexpr Amount kMax = std::numeric_limits<Amount>::max();
constexpr Amount kMin = std::numeric_limits<Amount>::min();

// Whole currency units in fixed point.
constexpr Amount Units(std::int64_t n)
{
    return n * AMOUNT_UNIT;
}

} // namespace

class TestGraphScale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void autoScale_data();
    void autoScale();
    void extremesFitAndCover_data();
    void extremesFitAndCover();
    void positions();
    void axisWithoutRangeIsFlat();
    void fromPage_data();
    void fromPage();
};

void TestGraphScale::autoScale_data()
{
    QTest::addColumn<Amount>("nMax");
    QTest::addColumn<Amount>("nMin");
    QTest::addColumn<int>("nDecimals");
    QTest::addColumn<Amount>("nStep");
    QTest::addColumn<Amount>("nMinimum");
    QTest::addColumn<int>("nCount");

    QTest::newRow("all zero, 0 decimals: 0 to 1000 in 5 steps")
        << Amount(0) << Amount(0) << 0 << Units(200) << Amount(0) << 5;
    QTest::newRow("+100 and -300 fold and mirror: -1000 to +200")
        << Units(100) << Units(-300) << 0 << Units(200) << Units(-1000) << 6;
    QTest::newRow("50,000 units: 0 to 60,000 in 6 steps")
        << Units(50000) << Amount(0) << 0 << Units(10000) << Amount(0) << 6;
    QTest::newRow("top exactly on 500 U takes the 600 U scale")
        << Units(500000) << Amount(0) << 0 << Units(100000) << Amount(0) << 6;
    QTest::newRow("top just below 500 U keeps 500 U")
        << Units(500000) - 1 << Amount(0) << 0 << Units(100000) << Amount(0) << 5;
    QTest::newRow("only negative values mirror to below zero")
        << Amount(0) << Units(-50000) << 0 << Units(10000) << Units(-60000) << 6;
    QTest::newRow("bottom smaller than top adds steps below zero")
        << Units(50000) << Units(-15000) << 0 << Units(10000) << Units(-20000) << 8;
    QTest::newRow("2 decimals start at a unit of 0.1")
        << Amount(123400) << Amount(0) << 2 << Amount(30000) << Amount(0) << 5;
    QTest::newRow("4 decimals start at a unit of 0.001")
        << Amount(0) << Amount(0) << 4 << Amount(200) << Amount(0) << 5;
    QTest::newRow("decimals beyond 4 count as 4")
        << Amount(0) << Amount(0) << 9 << Amount(200) << Amount(0) << 5;
}

void TestGraphScale::autoScale()
{
    QFETCH(Amount, nMax);
    QFETCH(Amount, nMin);
    QFETCH(int, nDecimals);
    QFETCH(Amount, nStep);
    QFETCH(Amount, nMinimum);
    QFETCH(int, nCount);
    QCOMPARE(CGraphScale::AutoScale(nMax, nMin, nDecimals), CGraphScale(nStep, nMinimum, nCount));
}

void TestGraphScale::extremesFitAndCover_data()
{
    QTest::addColumn<Amount>("nMax");
    QTest::addColumn<Amount>("nMin");
    QTest::addColumn<bool>("bCovers");

    QTest::newRow("100 trillion yen") << Units(100000000000000) << Amount(0) << true;
    QTest::newRow("minus 100 trillion yen") << Amount(0) << Units(-100000000000000) << true;
    QTest::newRow("largest amount") << kMax << Amount(0) << false;
    QTest::newRow("smallest amount") << Amount(0) << kMin << false;
    QTest::newRow("both ends") << kMax << kMin << false;
}

// The unit stops before 1000 units overflow: the axis stays in 64 bits and covers what it
// can; beyond it the bars are cut at the plot.
void TestGraphScale::extremesFitAndCover()
{
    QFETCH(Amount, nMax);
    QFETCH(Amount, nMin);
    QFETCH(bool, bCovers);
    const CGraphScale scale = CGraphScale::AutoScale(nMax, nMin, 0);
    QVERIFY(scale.m_nStep > 0);
    QVERIFY(scale.m_nCount >= 1 && scale.m_nCount <= 100);
    QVERIFY(scale.Top() <= kMax);
    QVERIFY(scale.m_nMinimum <= 0 && scale.Top() >= 0);
    if (bCovers) {
        QVERIFY(scale.Top() >= nMax);
        QVERIFY(scale.m_nMinimum <= nMin);
    }
    QCOMPARE(scale.PageMaximum(), static_cast<std::int64_t>(scale.Top() / AMOUNT_UNIT));
}

void TestGraphScale::positions()
{
    const CGraphScale scale(Units(200), Units(-200), 6); // -200 .. 1000
    QCOMPARE(scale.Y(Units(-200), 100, 400), 400);
    QCOMPARE(scale.Y(Units(1000), 100, 400), 100);
    QCOMPARE(scale.Y(0, 100, 400), 350);
    QCOMPARE(scale.Y(Units(400), 100, 400), 250);
    // Far beyond the axis the position stays a few plot heights away, whatever the amount.
    QCOMPARE(scale.Y(kMax, 100, 400), 100 - 4 * 300);
    QCOMPARE(scale.Y(kMin, 100, 400), 400 + 4 * 300);
    const CGraphScale huge = CGraphScale::AutoScale(kMax, kMin, 0);
    QVERIFY(huge.Y(kMax, 0, 1000) >= -4000);
    QVERIFY(huge.Y(kMin, 0, 1000) <= 5000);
}

void TestGraphScale::axisWithoutRangeIsFlat()
{
    QCOMPARE(CGraphScale(0, 0, 5).Y(Units(10), 10, 90), 90);
    QCOMPARE(CGraphScale(-Units(1), 0, 5).Y(Units(10), 10, 90), 90);
    QCOMPARE(CGraphScale(Units(1), 0, 0).Y(Units(10), 10, 90), 90);
}

void TestGraphScale::fromPage_data()
{
    QTest::addColumn<qint64>("nMaximum");
    QTest::addColumn<qint64>("nMinimum");
    QTest::addColumn<int>("nCount");
    QTest::addColumn<bool>("bAccepted");
    QTest::addColumn<Amount>("nStep");

    QTest::newRow("0 to 1000 in 5") << qint64(1000) << qint64(0) << 5 << true << Units(200);
    QTest::newRow("-1000 to 200 in 6") << qint64(200) << qint64(-1000) << 6 << true << Units(200);
    QTest::newRow("a step truncates") << qint64(10) << qint64(0) << 3 << true << Amount(33333);
    QTest::newRow("maximum equal to the minimum") << qint64(5) << qint64(5) << 5 << false << Amount(0);
    QTest::newRow("maximum below the minimum") << qint64(0) << qint64(100) << 5 << false << Amount(0);
    QTest::newRow("maximum times 10000 beyond 64 bits")
        << qint64(kMax / 10000 + 1) << qint64(0) << 5 << false << Amount(0);
    QTest::newRow("minimum times 10000 beyond 64 bits")
        << qint64(0) << qint64(kMin / 10000 - 1) << 5 << false << Amount(0);
    QTest::newRow("step beyond 64 bits") << qint64(kMax / 10000) << qint64(kMin / 10000) << 1 << false << Amount(0);
    QTest::newRow("the widest span in two steps")
        << qint64(kMax / 10000) << qint64(kMin / 10000) << 2 << true
        << Amount((__int128(kMax / 10000) - kMin / 10000) * 10000 / 2);
    QTest::newRow("count 0") << qint64(10) << qint64(0) << 0 << false << Amount(0);
    QTest::newRow("count 101") << qint64(10000) << qint64(0) << 101 << false << Amount(0);
}

void TestGraphScale::fromPage()
{
    QFETCH(qint64, nMaximum);
    QFETCH(qint64, nMinimum);
    QFETCH(int, nCount);
    QFETCH(bool, bAccepted);
    QFETCH(Amount, nStep);
    const CGraphScale before(1, 2, 3);
    CGraphScale scale = before;
    QCOMPARE(CGraphScale::FromPage(nMaximum, nMinimum, nCount, scale), bAccepted);
    if (!bAccepted) {
        QCOMPARE(scale, before);
        return;
    }
    QCOMPARE(scale, CGraphScale(nStep, nMinimum * AMOUNT_UNIT, nCount));
    // The page shows what it was given back, but for the truncated step.
    QCOMPARE(scale.PageMinimum(), nMinimum);
    QVERIFY(scale.PageMaximum() <= nMaximum && scale.PageMaximum() >= nMaximum - 1);
}

QTEST_GUILESS_MAIN(TestGraphScale)
#include "tst_graphscale.moc"

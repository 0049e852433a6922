#include "grid/GridFlags.h"
#include "grid/GridGeometry.h"
#include "grid/HeaderGeometry.h"
#include "grid/PrintMetrics.h"
#include "grid/ScrollDirection.h"
#include "grid/WheelAccumulator.h"

#include <QTest>

namespace {

// A header column of 40, data columns of 60 (one frozen), a header row of 24
// and rows of 20; client 300 x 200.
CGridGeometry MakeGrid(int nScrollX = 0)
{
    CGridGeometry geo;
    geo.Cols().SetDefaultSize(60);
    geo.Rows().SetDefaultSize(20);
    geo.Cols().SetCount(10, true);
    geo.Rows().SetCount(51, true);
    geo.Cols().SetHeaderCount(1);
    geo.Cols().SetFixedCount(2);
    geo.Rows().SetHeaderCount(1);
    geo.Rows().SetFixedCount(1);
    geo.Cols().SetSize(0, 40);
    geo.Rows().SetSize(0, 24);
    CGridGeometry::SLayoutInput in;
    in.nClientWidth = 300;
    in.nClientHeight = 200;
    in.nVertBarWidth = 16;
    in.nHorzBarHeight = 16;
    geo.RecalcLayout(in);
    geo.SetScrollPos(0, nScrollX);
    return geo;
}

} // namespace

class TestGridHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnDividers_data();
    void columnDividers();
    void zeroWidthColumnShowsItsCursor();
    void narrowColumnGrabZone();
    void rowDividersInRowHeader_data();
    void rowDividersInRowHeader();
    void spreadTitle_data();
    void spreadTitle();
    void printMetrics_data();
    void printMetrics();
    void panDirection_data();
    void panDirection();
    void panFinalScroll_data();
    void panFinalScroll();
    void dragScrollCode_data();
    void dragScrollCode();
    void wheelAccumulates_data();
    void wheelAccumulates();
};

void TestGridHelpers::columnDividers_data()
{
    QTest::addColumn<int>("scrollX");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("pos");
    // Columns: header 0..40, frozen 40..100, then 100..160, 160..220 ...
    const int col = CHeaderGeometry::ColumnDivider;
    const int none = CHeaderGeometry::NoDivider;
    QTest::newRow("right edge of a frozen column") << 0 << QPoint(97, 10) << col << 1 << 100;
    QTest::newRow("left edge of the next column") << 0 << QPoint(102, 10) << col << 1 << 100;
    QTest::newRow("middle of a column") << 0 << QPoint(130, 10) << none << -1 << 0;
    QTest::newRow("header column has none") << 0 << QPoint(37, 10) << none << -1 << 0;
    QTest::newRow("left edge next to the header column") << 0 << QPoint(41, 10) << none << -1 << 0;
    QTest::newRow("scrolled column") << 30 << QPoint(128, 10) << col << 2 << 130;
    QTest::newRow("below the header band") << 0 << QPoint(97, 30) << none << -1 << 0;
    // The grid ends at 40 + 9 * 60 = 580.
    QTest::newRow("past the grid: divider of the last column") << 0 << QPoint(583, 10) << col << 9 << 580;
}

void TestGridHelpers::columnDividers()
{
    QFETCH(int, scrollX);
    QFETCH(QPoint, point);
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(int, pos);
    CGridGeometry geo = MakeGrid();
    geo.SetScrollPos(0, scrollX);
    const CHeaderGeometry::SDivider d = CHeaderGeometry::HitDivider(geo, false, point.x(), point.y());
    QCOMPARE(int(d.kind), kind);
    if (kind == CHeaderGeometry::NoDivider)
        return;
    QCOMPARE(d.nIndex, index);
    QCOMPARE(d.nPos, pos);
    QCOMPARE(d.nCursor, int(CHeaderGeometry::CursorColumn));
}

void TestGridHelpers::zeroWidthColumnShowsItsCursor()
{
    CGridGeometry geo = MakeGrid();
    geo.Cols().SetSize(2, 0);
    // Column 2 is gone; the left edge of column 3 (at 100) grabs column 2.
    const CHeaderGeometry::SDivider d = CHeaderGeometry::HitDivider(geo, false, 101, 10);
    QCOMPARE(int(d.kind), int(CHeaderGeometry::ColumnDivider));
    QCOMPARE(d.nIndex, 2);
    QCOMPARE(d.nCursor, int(CHeaderGeometry::CursorColumnZero));
}

void TestGridHelpers::narrowColumnGrabZone()
{
    CGridGeometry geo = MakeGrid();
    geo.Cols().SetSize(1, 6); // 40 .. 46: a grab zone of 2 on each side
    QCOMPARE(int(CHeaderGeometry::HitDivider(geo, false, 44, 5).kind), int(CHeaderGeometry::ColumnDivider));
    QCOMPARE(int(CHeaderGeometry::HitDivider(geo, false, 43, 5).kind), int(CHeaderGeometry::NoDivider));
    const CHeaderGeometry::SDivider next = CHeaderGeometry::HitDivider(geo, false, 47, 5);
    QCOMPARE(next.nIndex, 1);
    QCOMPARE(next.nPos, 46);
    QCOMPARE(int(CHeaderGeometry::HitDivider(geo, false, 42, 5).kind), int(CHeaderGeometry::NoDivider));
}

void TestGridHelpers::rowDividersInRowHeader_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    // Rows: header 0..24, then 24..44, 44..64 ...
    QTest::newRow("bottom of a data row") << QPoint(10, 42) << int(CHeaderGeometry::RowDivider) << 1;
    QTest::newRow("top of the next row") << QPoint(10, 45) << int(CHeaderGeometry::RowDivider) << 1;
    QTest::newRow("row 0 has none") << QPoint(10, 22) << int(CHeaderGeometry::NoDivider) << -1;
    QTest::newRow("top of row 1 offers nothing (row 0 above)") << QPoint(10, 25) << int(CHeaderGeometry::NoDivider) << -1;
    QTest::newRow("outside the header columns") << QPoint(60, 42) << int(CHeaderGeometry::NoDivider) << -1;
}

void TestGridHelpers::rowDividersInRowHeader()
{
    QFETCH(QPoint, point);
    QFETCH(int, kind);
    QFETCH(int, index);
    const CGridGeometry geo = MakeGrid();
    const CHeaderGeometry::SDivider d = CHeaderGeometry::HitDivider(geo, true, point.x(), point.y());
    QCOMPARE(int(d.kind), kind);
    if (kind != CHeaderGeometry::NoDivider) {
        QCOMPARE(d.nIndex, index);
        QCOMPARE(d.nCursor, int(CHeaderGeometry::CursorRow));
    }
}

void TestGridHelpers::spreadTitle_data()
{
    QTest::addColumn<int>("inner");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("chars");
    QTest::addColumn<bool>("spread");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("advance");
    // Two characters of 12 in 100 pixels: free 76, start 25, advance 37.
    QTest::newRow("two characters") << 100 << 24 << 2 << true << 25 << 37;
    QTest::newRow("exactly fits") << 24 << 24 << 2 << true << 0 << 12;
    QTest::newRow("wider than the cell") << 20 << 24 << 2 << false << 0 << 0;
    QTest::newRow("no characters") << 100 << 0 << 0 << false << 0 << 0;
}

void TestGridHelpers::spreadTitle()
{
    QFETCH(int, inner);
    QFETCH(int, text);
    QFETCH(int, chars);
    QFETCH(bool, spread);
    QFETCH(int, start);
    QFETCH(int, advance);
    const CHeaderGeometry::SSpread s = CHeaderGeometry::Spread(inner, text, chars);
    QCOMPARE(s.bSpread, spread);
    if (spread) {
        QCOMPARE(s.nStart, start);
        QCOMPARE(s.nAdvance, advance);
    }
}

void TestGridHelpers::printMetrics_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("screenDpi");
    QTest::addColumn<int>("textHeight");
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("pen");
    QTest::addColumn<int>("rowHeight");
    QTest::addColumn<QRect>("area");
    // A4 at 600 dpi: 4960 x 7016, 100 pixels unprintable at the left and top.
    QTest::newRow("600 dpi") << 600 << 96 << 50 << 6 << 6 << 66 << QRect(608, 490, 3661, 5835);
    QTest::newRow("printer coarser than the screen") << 72 << 96 << 10 << 1 << 1 << 14 << QRect(0, 0, 4800, 6816);
    QTest::newRow("no resolution reported") << 600 << 0 << 0 << 1 << 6 << 1 << QRect(608, 490, 3661, 5835);
}

void TestGridHelpers::printMetrics()
{
    QFETCH(int, dpi);
    QFETCH(int, screenDpi);
    QFETCH(int, textHeight);
    QFETCH(int, scale);
    QFETCH(int, pen);
    QFETCH(int, rowHeight);
    QFETCH(QRect, area);
    CPrintMetrics::SDevice d;
    d.nPrinterDpiX = dpi;
    d.nPrinterDpiY = dpi;
    d.nScreenDpiX = screenDpi;
    d.nOffsetLeft = 100;
    d.nOffsetTop = 100;
    d.nPaperWidth = 4960;
    d.nPaperHeight = 7016;
    d.nPrintableWidth = 4800;
    d.nPrintableHeight = 6816;
    d.nTextHeight = textHeight;
    d.nCellGap = 30;
    const CPrintMetrics m = CPrintMetrics::Compute(d);
    QCOMPARE(m.m_nScale, scale);
    QCOMPARE(m.m_nPenWidth, pen);
    QCOMPARE(m.m_nRowHeight, rowHeight);
    QCOMPARE(m.m_rcArea, area);
    QVERIFY(m.LinesPerPage() >= 1);
    QVERIFY(m.LinesPerPage(1000000) == 1);
}

void TestGridHelpers::panDirection_data()
{
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QPoint>("overflow");
    QTest::newRow("dead zone") << QPoint(5, -6) << int(CScrollDirection::PanNone) << QPoint(0, 0);
    QTest::newRow("20 down") << QPoint(0, 20) << int(CScrollDirection::PanDown) << QPoint(0, 14);
    QTest::newRow("up") << QPoint(3, -10) << int(CScrollDirection::PanUp) << QPoint(0, -4);
    QTest::newRow("right wins when larger") << QPoint(30, 10) << int(CScrollDirection::PanRight) << QPoint(24, 0);
    QTest::newRow("left") << QPoint(-9, 0) << int(CScrollDirection::PanLeft) << QPoint(-3, 0);
    QTest::newRow("equal keeps vertical") << QPoint(10, 10) << int(CScrollDirection::PanDown) << QPoint(0, 4);
    QTest::newRow("down starts at 6") << QPoint(0, 6) << int(CScrollDirection::PanDown) << QPoint(0, 0);
}

void TestGridHelpers::panDirection()
{
    QFETCH(QPoint, offset);
    QFETCH(int, direction);
    QFETCH(QPoint, overflow);
    const CScrollDirection::SPan pan = CScrollDirection::Pan(offset.x(), offset.y());
    QCOMPARE(int(pan.direction), direction);
    QCOMPARE(QPoint(pan.dx, pan.dy), overflow);
}

void TestGridHelpers::panFinalScroll_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("axis");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<int>("cursor");
    QTest::newRow("none") << int(CScrollDirection::PanNone) << 0 << unsigned(SCR_RELATIVE) << 326;
    QTest::newRow("left") << int(CScrollDirection::PanLeft) << 0 << unsigned(SCR_RELATIVE | SCR_SNAP_B) << 327;
    QTest::newRow("right") << int(CScrollDirection::PanRight) << 0 << unsigned(SCR_RELATIVE | SCR_SNAP_A) << 328;
    QTest::newRow("up") << int(CScrollDirection::PanUp) << 1 << unsigned(SCR_RELATIVE | SCR_SNAP_B) << 329;
    QTest::newRow("down") << int(CScrollDirection::PanDown) << 1 << unsigned(SCR_RELATIVE | SCR_SNAP_A) << 330;
}

void TestGridHelpers::panFinalScroll()
{
    QFETCH(int, direction);
    QFETCH(int, axis);
    QFETCH(unsigned, flags);
    QFETCH(int, cursor);
    const auto d = CScrollDirection::EPan(direction);
    QCOMPARE(CScrollDirection::FinalAxis(d), axis);
    QCOMPARE(CScrollDirection::FinalFlags(d), flags);
    QCOMPARE(CScrollDirection::Cursor(d), cursor);
}

void TestGridHelpers::dragScrollCode_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<unsigned>("code");
    // Band 100..300 x 24..200 (exclusive), inset 11.
    QTest::newRow("inner area") << QPoint(200, 100) << CScrollDirection::NoCode;
    QTest::newRow("outside the band") << QPoint(50, 100) << CScrollDirection::NoCode;
    QTest::newRow("near the bottom") << QPoint(200, 195) << 0x01FFu;
    QTest::newRow("near the top") << QPoint(200, 30) << 0x00FFu;
    QTest::newRow("near the left") << QPoint(105, 100) << 0xFF00u;
    QTest::newRow("bottom-right corner") << QPoint(295, 195) << 0x0101u;
}

void TestGridHelpers::dragScrollCode()
{
    QFETCH(QPoint, point);
    QFETCH(unsigned, code);
    QCOMPARE(CScrollDirection::DragScrollCode(point.x(), point.y(), QRect(100, 24, 200, 176), 11), code);
}

void TestGridHelpers::wheelAccumulates_data()
{
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QList<int>>("steps");
    QTest::newRow("notches") << QList<int> { 120, -120 } << 3 << QList<int> { 3, -3 };
    QTest::newRow("high resolution") << QList<int> { 15, 15, 15, 15, 15, 15, 15, 15 } << 3 << QList<int> { 0, 0, 1, 0, 0, 1, 0, 1 };
    QTest::newRow("direction change drops the rest") << QList<int> { 30, -30, -30 } << 3 << QList<int> { 0, 0, -1 };
    QTest::newRow("page per notch") << QList<int> { 60, 60, 120 } << -1 << QList<int> { 0, 1, 1 };
}

void TestGridHelpers::wheelAccumulates()
{
    QFETCH(QList<int>, deltas);
    QFETCH(int, lines);
    QFETCH(QList<int>, steps);
    CWheelAccumulator wheel;
    QList<int> result;
    for (int delta : deltas)
        result.append(wheel.Add(delta, lines));
    QCOMPARE(result, steps);
}

QTEST_GUILESS_MAIN(TestGridHelpers)
#include "tst_gridhelpers.moc"

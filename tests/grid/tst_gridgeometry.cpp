#include "grid/GridFlags.h"
#include "grid/GridGeometry.h"
#include "GridTestUtil.h"

#include <QTest>
#include <climits>

namespace {

constexpr int kBar = 16;

// A register-like grid: one header column of 30 and columns of 50, 60, 70, 80
// (more columns at the default 50 when nCols > 5), one header row of 24 and
// rows of 20.
CGridGeometry MakeGrid(int nClientW, int nClientH, int nDataRows = 100, int nCols = 5, unsigned nFlags = 0,
                       int nFixedCols = 1)
{
    CGridGeometry geo;
    geo.SetFlags(nFlags);
    geo.Cols().SetDefaultSize(50);
    geo.Rows().SetDefaultSize(20);
    geo.Cols().SetCount(nCols, true);
    geo.Rows().SetCount(1 + nDataRows, true);
    geo.Cols().SetHeaderCount(1);
    geo.Cols().SetFixedCount(nFixedCols);
    geo.Rows().SetHeaderCount(1);
    geo.Rows().SetFixedCount(1);
    geo.Cols().SetSize(0, 30);
    geo.Cols().SetSize(1, 50);
    geo.Cols().SetSize(2, 60);
    geo.Cols().SetSize(3, 70);
    geo.Cols().SetSize(4, 80);
    geo.Rows().SetSize(0, 24);
    CGridGeometry::SLayoutInput in;
    in.nClientWidth = nClientW;
    in.nClientHeight = nClientH;
    in.nVertBarWidth = kBar;
    in.nHorzBarHeight = kBar;
    geo.RecalcLayout(in);
    return geo;
}

CGridGeometry::SLayoutResult Relayout(CGridGeometry& geo, int w, int h, bool bVert = false, bool bHorz = false)
{
    CGridGeometry::SLayoutInput in;
    in.nClientWidth = w;
    in.nClientHeight = h;
    in.nVertBarWidth = kBar;
    in.nHorzBarHeight = kBar;
    in.bVertBarShown = bVert;
    in.bHorzBarShown = bHorz;
    return geo.RecalcLayout(in);
}

} // namespace

class TestGridGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sumsFollowEveryChange();
    void sizeOutsideListIsDefault_data();
    void sizeOutsideListIsDefault();
    void hitTest_data();
    void hitTest();
    void hitTestPastListWithZeroDefault();
    void hitTestSkipsZeroWidthColumns();
    void rangeToRect_data();
    void rangeToRect();
    void layoutDecidesBars_data();
    void layoutDecidesBars();
    void layoutTooSmallChangesNothing();
    void layoutKeepsPositionWithinNewLimit();
    void extendLastRowScrollsLastRowToFixedEdge();
    void fitColumnsShareWidth_data();
    void fitColumnsShareWidth();
    void scrollTargetSnaps_data();
    void scrollTargetSnaps();
    void scrollTargetZeroDefaultUsesAverage();
    void smoothSteps_data();
    void smoothSteps();
    void ensureVisibleDelta_data();
    void ensureVisibleDelta();
    void goToRowPlan_data();
    void goToRowPlan();
    void goToRowWithoutRowHeightDoesNotDivide();
    void autoScrollDelta_data();
    void autoScrollDelta();
    void dragOverflow_data();
    void dragOverflow();
    void wheelDistance_data();
    void wheelDistance();
    void dropRange_data();
    void dropRange();
    void rangeBorder_data();
    void rangeBorder();
};

void TestGridGeometry::sumsFollowEveryChange()
{
    CGridGeometry geo = MakeGrid(300, 200);
    QCOMPARE(geo.Cols().Total(), 290);
    QCOMPARE(geo.Cols().FixedSum(), 30);
    QCOMPARE(geo.Cols().HeaderSum(), 30);
    QCOMPARE(geo.Rows().Total(), 24 + 100 * 20);

    // A size change adjusts the totals of the parts it belongs to.
    QCOMPARE(geo.Cols().SetSize(0, 40), 30);
    QCOMPARE(geo.Cols().Total(), 300);
    QCOMPARE(geo.Cols().FixedSum(), 40);
    QCOMPARE(geo.Cols().HeaderSum(), 40);
    QCOMPARE(geo.Cols().Position(3), 40 + 50 + 60);

    // Growing the list fills the gap with the default; nothing else changes.
    geo.Rows().SetSize(50, 35);
    QCOMPARE(geo.Rows().ListSize(), 51);
    QCOMPARE(geo.Rows().Total(), 24 + 100 * 20 + 15);
    QCOMPARE(geo.Rows().Position(51), 24 + 49 * 20 + 35);

    // A new default changes every row beyond the list.
    geo.Rows().SetDefaultSize(10);
    QCOMPARE(geo.Rows().Total(), 24 + 49 * 20 + 35 + 50 * 10);

    // Cutting the count cuts the list.
    geo.Rows().SetCount(20, true);
    QCOMPARE(geo.Rows().ListSize(), 20);
    QCOMPARE(geo.Rows().Total(), 24 + 19 * 20);
    // Negative sizes are stored as 0 (a hidden column), never negative.
    geo.Cols().SetSize(2, -5);
    QCOMPARE(geo.Cols().Size(2), 0);
}

void TestGridGeometry::sizeOutsideListIsDefault_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");
    QTest::newRow("negative") << -1 << 50;
    QTest::newRow("listed") << 2 << 60;
    QTest::newRow("past the list") << 5 + 5 << 50;
}

void TestGridGeometry::sizeOutsideListIsDefault()
{
    QFETCH(int, index);
    QFETCH(int, size);
    const CGridGeometry geo = MakeGrid(300, 200);
    QCOMPARE(geo.Cols().Size(index), size);
}

void TestGridGeometry::hitTest_data()
{
    QTest::addColumn<int>("scrollY");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("beyondY");
    QTest::addColumn<QPoint>("cell");
    QTest::newRow("first data cell") << 0 << QPoint(35, 30) << false << QPoint(0, 0);
    QTest::newRow("corner header") << 0 << QPoint(10, 10) << false << QPoint(-1, -1);
    QTest::newRow("left of the grid") << 0 << QPoint(-3, 30) << false << QPoint(-2, 0);
    QTest::newRow("last pixel of a column") << 0 << QPoint(79, 30) << false << QPoint(0, 0);
    QTest::newRow("first pixel of the next") << 0 << QPoint(80, 30) << false << QPoint(1, 0);
    QTest::newRow("past the width list") << 0 << QPoint(1000, 30) << false << QPoint(18, 0);
    QTest::newRow("scrolled rows") << 100 << QPoint(35, 30) << false << QPoint(0, 5);
    QTest::newRow("frozen rows do not scroll") << 100 << QPoint(35, 10) << false << QPoint(0, -1);
    QTest::newRow("beyond adds the scroll") << 100 << QPoint(35, 10) << true << QPoint(0, 4);
}

void TestGridGeometry::hitTest()
{
    QFETCH(int, scrollY);
    QFETCH(QPoint, point);
    QFETCH(bool, beyondY);
    QFETCH(QPoint, cell);
    CGridGeometry geo = MakeGrid(300, 200);
    geo.SetScrollPos(1, scrollY);
    QCOMPARE(geo.ScrollPos(1), scrollY);
    QCOMPARE(geo.HitTest(point.x(), point.y(), false, beyondY), cell);
}

void TestGridGeometry::hitTestPastListWithZeroDefault()
{
    CGridAxis axis;
    axis.SetDefaultSize(0);
    axis.SetCount(10, false);
    axis.SetSize(0, 10);
    axis.SetSize(1, 10);
    QCOMPARE(axis.HitTest(5), 0);
    QCOMPARE(axis.HitTest(19), 1);
    QCOMPARE(axis.HitTest(500), 2); // the list length
    QCOMPARE(axis.HitTest(-1), -1);
}

void TestGridGeometry::hitTestSkipsZeroWidthColumns()
{
    CGridGeometry geo = MakeGrid(300, 200);
    geo.Cols().SetSize(2, 0);
    // Column 2 is hidden: the pixel after column 1 belongs to column 3.
    QCOMPARE(geo.HitTest(80, 30).x(), 2);
    QCOMPARE(geo.HitTest(79, 30).x(), 0);
}

void TestGridGeometry::rangeToRect_data()
{
    QTest::addColumn<int>("scrollX");
    QTest::addColumn<CRange>("range");
    QTest::addColumn<bool>("clip");
    QTest::addColumn<QRect>("rect");
    // Horizontal scrolling in a 150-pixel window over ten columns; the header
    // column (30) and the first data column (50) are frozen.
    QTest::newRow("empty") << 0 << CRange() << true << QRect();
    QTest::newRow("whole rows") << 0 << CRange::WholeRows(2, 3) << true << QRect(0, 64, 16383, 40);
    QTest::newRow("one cell") << 0 << CRange::Cell(1, 0) << false << QRect(80, 24, 60, 20);
    QTest::newRow("scrolled cell") << 20 << CRange::Cell(1, 0) << false << QRect(60, 24, 60, 20);
    QTest::newRow("scrolled under the frozen part, clipped") << 20 << CRange::Cell(1, 0) << true << QRect(80, 24, 40, 20);
    QTest::newRow("starting in the frozen part") << 20 << CRange(0, 0, 1, 0) << false << QRect(30, 24, 90, 20);
    QTest::newRow("frozen part only") << 20 << CRange(0, 0, 0, 0) << false << QRect(30, 24, 50, 20);
    QTest::newRow("right edge never left of the fixed width") << 100 << CRange(0, 0, 1, 0) << false << QRect(30, 24, 50, 20);
    QTest::newRow("clipped to the drawing range") << 0 << CRange(0, 0, 0, 2000) << true << QRect(30, 24, 50, 16383 - 24);
}

void TestGridGeometry::rangeToRect()
{
    QFETCH(int, scrollX);
    QFETCH(CRange, range);
    QFETCH(bool, clip);
    QFETCH(QRect, rect);
    CGridGeometry geo = MakeGrid(150, 200, 1000, 10, 0, 2);
    geo.SetScrollPos(0, scrollX);
    QCOMPARE(geo.ScrollPos(0), scrollX);
    QCOMPARE(geo.RangeToRect(range, clip), rect);
}

void TestGridGeometry::layoutDecidesBars_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("dataRows");
    QTest::addColumn<bool>("horz");
    QTest::addColumn<bool>("vert");
    QTest::addColumn<int>("limitX");
    QTest::addColumn<int>("limitY");
    QTest::addColumn<int>("pageW");
    QTest::addColumn<int>("pageH");
    // 290 x 2024 of grid: the vertical bar takes 16 pixels and so forces the horizontal one.
    QTest::newRow("vertical bar forces horizontal") << 300 << 200 << 100 << true << true << 6 << 1840 << 254 << 160;
    QTest::newRow("everything fits") << 400 << 300 << 5 << false << false << 0 << 0 << 370 << 276;
    QTest::newRow("only vertical") << 400 << 200 << 100 << false << true << 0 << 1824 << 354 << 176;
    QTest::newRow("only horizontal") << 200 << 300 << 5 << true << false << 90 << 0 << 170 << 260;
}

void TestGridGeometry::layoutDecidesBars()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, dataRows);
    QFETCH(bool, horz);
    QFETCH(bool, vert);
    QFETCH(int, limitX);
    QFETCH(int, limitY);
    QFETCH(int, pageW);
    QFETCH(int, pageH);
    const CGridGeometry geo = MakeGrid(width, height, dataRows);
    QCOMPARE(geo.HasBar(0), horz);
    QCOMPARE(geo.HasBar(1), vert);
    QCOMPARE(geo.ScrollLimit(0), limitX);
    QCOMPARE(geo.ScrollLimit(1), limitY);
    QCOMPARE(geo.PageSize(0), pageW);
    QCOMPARE(geo.PageSize(1), pageH);
}

void TestGridGeometry::layoutTooSmallChangesNothing()
{
    CGridGeometry geo = MakeGrid(300, 200);
    geo.SetScrollPos(1, 100);
    const CGridGeometry::SLayoutResult res = Relayout(geo, 10, 10);
    QVERIFY(res.bTooSmall);
    QVERIFY(!geo.HasBar(0));
    QVERIFY(!geo.HasBar(1));
    QCOMPARE(geo.ScrollPos(1), 100);
    QCOMPARE(geo.PageSize(1), 160);
}

void TestGridGeometry::layoutKeepsPositionWithinNewLimit()
{
    CGridGeometry geo = MakeGrid(300, 200);
    geo.SetScrollPos(1, 1800);
    // Fewer rows: the position comes back to the new limit and the view must scroll by the difference.
    geo.Rows().SetCount(1 + 20, false);
    const CGridGeometry::SLayoutResult res = Relayout(geo, 284, 184, true, true);
    QCOMPARE(geo.ScrollLimit(1), 24 + 20 * 20 - 184);
    QCOMPARE(geo.ScrollPos(1), 240);
    QCOMPARE(res.nScrollDelta[1], 1800 - 240);
}

void TestGridGeometry::extendLastRowScrollsLastRowToFixedEdge()
{
    CGridGeometry geo = MakeGrid(300, 200, 100, 5, GVF_EXTEND_LASTROW);
    QCOMPARE(geo.ScrollTarget(1, INT_MAX, 0), 1980);
    geo.SetScrollPos(1, INT_MAX);
    QCOMPARE(geo.ScrollPos(1), 1980);
    // The last row sits right below the frozen header row, ruled space below it.
    QCOMPARE(geo.CellToRect(0, 99, false).top(), 24);
}

void TestGridGeometry::fitColumnsShareWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("10 over 3") << 40 << QList<int> { 3, 3, 4 };
    QTest::newRow("300 over 3") << 330 << QList<int> { 100, 100, 100 };
    QTest::newRow("narrower than the frozen part") << 20 << QList<int> { 0, 0, 0 };
}

void TestGridGeometry::fitColumnsShareWidth()
{
    QFETCH(int, width);
    QFETCH(QList<int>, widths);
    CGridGeometry geo = MakeGrid(width, 300, 2, 4, GVF_FIT_COLS);
    QVERIFY(!geo.HasBar(0));
    int nSum = 0;
    for (int k = 0; k < widths.size(); ++k) {
        QCOMPARE(geo.Cols().Size(1 + k), widths[k]);
        nSum += widths[k];
    }
    QCOMPARE(geo.Cols().Total(), 30 + nSum);
    QVERIFY(geo.Cols().DefaultSize() >= 1);
}

void TestGridGeometry::scrollTargetSnaps_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("pos");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("cellSize");
    const unsigned rel = SCR_RELATIVE;
    // Rows of 20 in scroll coordinates.
    QTest::newRow("line down from mid-row reaches its end") << 1 << 10 << 1 << (rel | SCR_SNAP_A) << 20 << 20;
    QTest::newRow("line up from mid-row reaches its start") << 1 << 10 << -1 << (rel | SCR_SNAP_B) << 0 << 20;
    QTest::newRow("line down from a boundary") << 1 << 40 << 1 << (rel | SCR_SNAP_A) << 60 << 20;
    QTest::newRow("page down stops at the partly visible row") << 1 << 0 << 150 << (rel | SCR_SNAP_B) << 140 << 20;
    QTest::newRow("page up keeps nearest boundary") << 1 << 200 << -150 << (rel | SCR_SNAP_A) << 60 << 20;
    QTest::newRow("on a boundary stays") << 1 << 0 << 160 << (rel | SCR_SNAP_B) << 160 << 20;
    QTest::newRow("no snapping at the top") << 1 << 10 << -30 << (rel | SCR_SNAP_B) << 0 << 20;
    QTest::newRow("clamped to the limit") << 1 << 0 << 99999 << 0u << 1840 << 20;
    QTest::newRow("absolute without snap") << 1 << 0 << 33 << 0u << 33 << 20;
    // Columns 50, 60, 70, 80, then 50 by default, in scroll coordinates [0,50) [50,110) [110,180) [180,260).
    QTest::newRow("line right in listed columns") << 0 << 50 << 1 << (rel | SCR_SNAP_A) << 110 << 60;
    QTest::newRow("line left in listed columns") << 0 << 110 << -1 << (rel | SCR_SNAP_B) << 50 << 60;
    QTest::newRow("past the width list") << 0 << 0 << 270 << unsigned(SCR_SNAP_A) << 310 << 50;
    QTest::newRow("past the list on a boundary") << 0 << 0 << 310 << unsigned(SCR_SNAP_A) << 310 << 50;
}

void TestGridGeometry::scrollTargetSnaps()
{
    QFETCH(int, axis);
    QFETCH(int, current);
    QFETCH(int, pos);
    QFETCH(unsigned, flags);
    QFETCH(int, target);
    QFETCH(int, cellSize);
    CGridGeometry geo = MakeGrid(axis == 0 ? 150 : 300, 200, 100, 10);
    geo.SetScrollPos(axis, current);
    QCOMPARE(geo.ScrollPos(axis), current);
    int nCell = -1;
    const int nTarget = geo.ScrollTarget(axis, pos, flags, &nCell);
    QCOMPARE(nTarget, target);
    if (flags & (SCR_SNAP_A | SCR_SNAP_B))
        QCOMPARE(nCell, cellSize);
}

void TestGridGeometry::scrollTargetZeroDefaultUsesAverage()
{
    CGridGeometry geo = MakeGrid(300, 200);
    // Only the header row is listed; with no default size, snapping uses the average.
    geo.Rows().SetSize(1, 400);
    geo.Rows().SetDefaultSize(0);
    geo.Rows().SetCount(4, false);
    Relayout(geo, 300, 200);
    // Total 424 over 4 rows: cells of 106 past the listed rows, which end at 400;
    // the snapped 506 is then clamped to the limit.
    int nCell = 0;
    QCOMPARE(geo.ScrollLimit(1), 240);
    QCOMPARE(geo.ScrollTarget(1, 401, SCR_SNAP_A, &nCell), 240);
    QCOMPARE(nCell, 106);
}

void TestGridGeometry::smoothSteps_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QList<int>>("steps");
    // Page 160: steps of 13.
    QTest::newRow("page steps") << 0 << 40 << unsigned(SCR_SMOOTH_PAGE) << 20 << QList<int> { 13, 26, 39, 40 };
    QTest::newRow("cell steps") << 20 << 0 << unsigned(SCR_SMOOTH_CELL) << 20 << QList<int> { 14, 8, 2, 0 };
    QTest::newRow("no animation") << 0 << 40 << 0u << 20 << QList<int> { 40 };
    QTest::newRow("at least 4 pixels") << 0 << 9 << unsigned(SCR_SMOOTH_CELL) << 4 << QList<int> { 4, 8, 9 };
    QTest::newRow("long distance jumps") << 0 << 1000 << unsigned(SCR_SMOOTH_CELL) << 20 << QList<int> { 1000 };
}

void TestGridGeometry::smoothSteps()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(unsigned, flags);
    QFETCH(int, cell);
    QFETCH(QList<int>, steps);
    const CGridGeometry geo = MakeGrid(300, 200);
    const std::vector<int> result = geo.SmoothSteps(1, from, to, flags, cell);
    QCOMPARE(QList<int>(result.begin(), result.end()), steps);
}

void TestGridGeometry::ensureVisibleDelta_data()
{
    QTest::addColumn<int>("scrollY");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QPoint>("delta");
    QTest::newRow("visible") << 0 << QPoint(0, 3) << QPoint(0, 0);
    QTest::newRow("below") << 0 << QPoint(0, 20) << QPoint(0, 260);
    QTest::newRow("above") << 100 << QPoint(0, 0) << QPoint(0, -100);
    QTest::newRow("header row never scrolls") << 100 << QPoint(0, -1) << QPoint(0, 0);
    QTest::newRow("row past the end becomes the last") << 0 << QPoint(0, 500) << QPoint(0, 24 + 100 * 20 - 184);
    QTest::newRow("column to the right") << 0 << QPoint(3, 0) << QPoint(6, 0);
}

void TestGridGeometry::ensureVisibleDelta()
{
    QFETCH(int, scrollY);
    QFETCH(QPoint, cell);
    QFETCH(QPoint, delta);
    CGridGeometry geo = MakeGrid(300, 200);
    geo.SetScrollPos(1, scrollY);
    QCOMPARE(geo.EnsureVisibleDelta(cell.x(), cell.y()), delta);
}

void TestGridGeometry::goToRowPlan_data()
{
    QTest::addColumn<int>("scrollY");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("jump");
    QTest::addColumn<int>("jumpPos");
    QTest::addColumn<unsigned>("flags");
    // 8 rows per page of 160.
    QTest::newRow("visible row") << 0 << 5 << false << 0 << 0u;
    QTest::newRow("just below") << 0 << 8 << false << 0 << unsigned(SCR_SNAP_A | SCR_SMOOTH_PAGE);
    QTest::newRow("far below is centred") << 0 << 16 << true << 240 << 0u;
    QTest::newRow("just above") << 200 << 9 << false << 0 << unsigned(SCR_SNAP_B | SCR_SMOOTH_PAGE);
    QTest::newRow("far above is centred") << 600 << 10 << true << 120 << 0u;
    QTest::newRow("partly visible first row counts as above") << 210 << 10 << false << 0 << unsigned(SCR_SNAP_B | SCR_SMOOTH_PAGE);
}

void TestGridGeometry::goToRowPlan()
{
    QFETCH(int, scrollY);
    QFETCH(int, row);
    QFETCH(bool, jump);
    QFETCH(int, jumpPos);
    QFETCH(unsigned, flags);
    CGridGeometry geo = MakeGrid(300, 200);
    geo.SetScrollPos(1, scrollY);
    const CGridGeometry::SGoToRow plan = geo.PlanGoToRow(row);
    QCOMPARE(plan.bJump, jump);
    if (jump)
        QCOMPARE(plan.nJumpPos, jumpPos);
    QCOMPARE(plan.nFlags, flags);
}

void TestGridGeometry::goToRowWithoutRowHeightDoesNotDivide()
{
    CGridGeometry geo = MakeGrid(300, 200);
    geo.Rows().SetDefaultSize(0);
    const CGridGeometry::SGoToRow plan = geo.PlanGoToRow(50);
    QVERIFY(!plan.bJump);
    QCOMPARE(plan.nFlags, 0u);
}

void TestGridGeometry::autoScrollDelta_data()
{
    QTest::addColumn<int>("rowHeight");
    QTest::addColumn<int>("overflow");
    QTest::addColumn<int>("delta");
    QTest::newRow("none") << 20 << 0 << 0;
    QTest::newRow("10 below") << 20 << 10 << 11;
    QTest::newRow("10 above") << 20 << -10 << -11;
    QTest::newRow("1 pixel") << 20 << 1 << 1;
    QTest::newRow("800 is the ceiling") << 20 << 800 << 5120001;
    QTest::newRow("beyond 800 grows no more") << 20 << 5000 << 5120001;
    // No default row height: a hundredth of the total height (24 / 100 -> at least 1).
    QTest::newRow("zero row height") << 0 << 10 << 4001;
}

void TestGridGeometry::autoScrollDelta()
{
    QFETCH(int, rowHeight);
    QFETCH(int, overflow);
    QFETCH(int, delta);
    CGridGeometry geo = MakeGrid(300, 200);
    geo.Rows().SetDefaultSize(rowHeight);
    QCOMPARE(geo.AutoScrollDelta(overflow), delta);
}

void TestGridGeometry::dragOverflow_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<unsigned>("dragState");
    QTest::addColumn<QPoint>("overflow");
    // Client 284 x 184, fixed 30 x 24.
    QTest::newRow("inside") << QPoint(100, 100) << 0x130u << QPoint(0, 0);
    QTest::newRow("below") << QPoint(100, 194) << 0x130u << QPoint(0, 10);
    QTest::newRow("into the frozen rows") << QPoint(100, 4) << 0x130u << QPoint(0, -20);
    QTest::newRow("frozen rows when the drag began there") << QPoint(100, 4) << 0x110u << QPoint(0, 0);
    QTest::newRow("left into the frozen columns") << QPoint(10, 100) << 0x130u << QPoint(-20, 0);
    QTest::newRow("right of the window") << QPoint(300, 100) << 0x130u << QPoint(16, 0);
}

void TestGridGeometry::dragOverflow()
{
    QFETCH(QPoint, point);
    QFETCH(unsigned, dragState);
    QFETCH(QPoint, overflow);
    const CGridGeometry geo = MakeGrid(300, 200);
    QCOMPARE(geo.DragOverflow(point.x(), point.y(), dragState), overflow);
}

void TestGridGeometry::wheelDistance_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("distance");
    QTest::newRow("three rows") << 3 << 60;
    QTest::newRow("a page per notch") << -1 << 160;
    QTest::newRow("more than a page") << 30 << 160;
}

void TestGridGeometry::wheelDistance()
{
    QFETCH(int, rows);
    QFETCH(int, distance);
    const CGridGeometry geo = MakeGrid(300, 200);
    QCOMPARE(geo.WheelDistance(rows), distance);
}

void TestGridGeometry::dropRange_data()
{
    QTest::addColumn<int>("dataRows");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QSize>("shape");
    QTest::addColumn<QPoint>("grab");
    QTest::addColumn<CRange>("target");
    auto rows = [](int left, int row) {
        CRange r;
        r.left = left;
        r.right = 0;
        r.top = r.bottom = row;
        return r;
    };
    auto cols = [](int top, int col) {
        CRange r;
        r.top = top;
        r.bottom = 0;
        r.left = r.right = col;
        return r;
    };
    // Rows at y 24..44, 44..64, 64..84; columns at x 30..80, 80..140, 140..210, 210..290.
    QTest::newRow("rows: upper half inserts before") << 3 << QPoint(100, 50) << QSize(-1, 1) << QPoint() << rows(-1, 1);
    QTest::newRow("rows: lower half inserts after") << 3 << QPoint(100, 60) << QSize(-1, 1) << QPoint() << rows(-2, 1);
    QTest::newRow("rows: lower half of the last row") << 3 << QPoint(100, 80) << QSize(-1, 1) << QPoint() << rows(-2, 2);
    QTest::newRow("rows: below the grid") << 3 << QPoint(100, 150) << QSize(-1, 1) << QPoint() << rows(-2, 2);
    QTest::newRow("rows: empty grid") << 0 << QPoint(100, 150) << QSize(-1, 1) << QPoint() << rows(-1, 0);
    QTest::newRow("rows: over the header") << 3 << QPoint(100, 5) << QSize(-1, 1) << QPoint() << rows(-1, 0);
    QTest::newRow("columns: left half") << 3 << QPoint(90, 30) << QSize(1, -1) << QPoint() << cols(-1, 1);
    QTest::newRow("columns: right half") << 3 << QPoint(130, 30) << QSize(1, -1) << QPoint() << cols(-2, 1);
    QTest::newRow("block grabbed bottom-right") << 3 << QPoint(100, 50) << QSize(3, 2) << QPoint(-2, -1) << CRange(0, 0, 2, 1);
    QTest::newRow("block shifted left at the right edge") << 3 << QPoint(250, 30) << QSize(3, 1) << QPoint() << CRange(1, 0, 3, 0);
    QTest::newRow("block shifted up at the bottom") << 3 << QPoint(40, 80) << QSize(1, 2) << QPoint() << CRange(0, 1, 0, 2);
}

void TestGridGeometry::dropRange()
{
    QFETCH(int, dataRows);
    QFETCH(QPoint, point);
    QFETCH(QSize, shape);
    QFETCH(QPoint, grab);
    QFETCH(CRange, target);
    const CGridGeometry geo = MakeGrid(400, 300, dataRows);
    const CRange range = geo.ComputeDropRange(point.x(), point.y(), shape.width(), shape.height(), grab.x(), grab.y());
    QCOMPARE(range.left, target.left);
    QCOMPARE(range.top, target.top);
    QCOMPARE(range.right, target.right);
    QCOMPARE(range.bottom, target.bottom);
}

void TestGridGeometry::rangeBorder_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("border");
    // Range of cells (1..2, 1..2): x 80..210, y 44..84.
    QTest::newRow("left band") << QPoint(82, 60) << true;
    QTest::newRow("right band") << QPoint(206, 60) << true;
    QTest::newRow("top band") << QPoint(100, 46) << true;
    QTest::newRow("bottom band") << QPoint(100, 80) << true;
    QTest::newRow("inside") << QPoint(100, 60) << false;
    QTest::newRow("just outside the left edge") << QPoint(78, 60) << false;
}

void TestGridGeometry::rangeBorder()
{
    QFETCH(QPoint, point);
    QFETCH(bool, border);
    const CGridGeometry geo = MakeGrid(400, 300, 10);
    QCOMPARE(geo.IsOnRangeBorder(point.x(), point.y(), CRange(1, 1, 2, 2)), border);
}

QTEST_GUILESS_MAIN(TestGridGeometry)
#include "tst_gridgeometry.moc"

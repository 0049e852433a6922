#include "grid/GridFlags.h"
#include "grid/GridGeometry.h"
#include "grid/GridKeyMap.h"
#include "grid/Range.h"
#include "grid/Selection.h"
#include "GridTestUtil.h"

#include <QRandomGenerator>
#include <QTest>
#include <vector>

namespace {

// Ten data rows of 20 and four data columns of 50 under one header row and
// column; client 400 x 300. With 30 rows a vertical bar appears and a page is 14 rows.
struct SGrid {
    CGridGeometry geo;
    QList<CRange> invalidated;
    CSelection sel { &geo, [this](const CRange& range) { invalidated.push_back(range); } };

    explicit SGrid(int nDataRows = 10)
    {
        geo.Cols().SetDefaultSize(50);
        geo.Rows().SetDefaultSize(20);
        geo.Cols().SetCount(5, true);
        geo.Rows().SetCount(1 + nDataRows, true);
        geo.Cols().SetHeaderCount(1);
        geo.Cols().SetFixedCount(1);
        geo.Rows().SetHeaderCount(1);
        geo.Rows().SetFixedCount(1);
        CGridGeometry::SLayoutInput in;
        in.nClientWidth = 400;
        in.nClientHeight = 300;
        in.nVertBarWidth = 16;
        in.nHorzBarHeight = 16;
        geo.RecalcLayout(in);
        sel.SetCell(0, 0, 0);
    }
};

QList<CRange> RangesOf(const CSelection& sel)
{
    return QList<CRange>(sel.Ranges().begin(), sel.Ranges().end());
}

// Applies a key decision as the view does.
void Press(SGrid& g, unsigned& nMode, int nKey, bool bShift = false, bool bCtrl = false, bool bMulti = true)
{
    CGridKeyMap::SInput in;
    in.nKey = nKey;
    in.bShift = bShift;
    in.bCtrl = bCtrl;
    in.nSelMode = nMode;
    in.bMultipleSelection = bMulti;
    const CGridKeyMap::SResult res = CGridKeyMap::Decide(g.geo, g.sel, in);
    if (res.action == CGridKeyMap::ToggleExtend && (res.nSelMode == SELMODE_EXT || !bMulti))
        g.sel.BeginExtendMode();
    if (res.action == CGridKeyMap::ToggleAdd && (res.nSelMode == SELMODE_ADD || !bMulti))
        g.sel.BeginAddMode();
    nMode = res.nSelMode;
    if (res.action == CGridKeyMap::Move) {
        g.sel.SetCell(res.nSelFlags, res.nCol, res.nRow);
        nMode = 0; // OnSelChange ends a sticky mode
    }
}

} // namespace

class TestGridSelection : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rangeConstruction_data();
    void rangeConstruction();
    void rangeContains_data();
    void rangeContains();
    void emptySelectionIsCursorCell();
    void clicksBuildRanges_data();
    void clicksBuildRanges();
    void shiftClickKeepsFrameOnAnchor();
    void rowHeaderPressesSelectWholeRows();
    void setCellClampsIntoGrid_data();
    void setCellClampsIntoGrid();
    void setCellOnEmptyGridKeepsCursor();
    void setRangeClampsCursor();
    void regionOfSelection();
    void shiftRows_data();
    void shiftRows();
    void shiftRowsIntoEmptyGridKeepsMinusOne();
    void adjustForDeletedRows_data();
    void adjustForDeletedRows();
    void keyTable_data();
    void keyTable();
    void keyTableSkipsHiddenColumns_data();
    void keyTableSkipsHiddenColumns();
    void keyTableOnEmptyGridDoesNothing();
    void stickyExtendLastsOneMove();
    void stickyAddKeepsRanges();
    void stickyModesOffWithoutMultipleSelection();
    void randomSequencesKeepRangesInRows();
};

void TestGridSelection::rangeConstruction_data()
{
    QTest::addColumn<CRange>("range");
    QTest::addColumn<CRange>("expected");
    QTest::addColumn<QSize>("size");
    auto raw = [](int l, int t, int r, int b) {
        CRange range;
        range.left = l;
        range.top = t;
        range.right = r;
        range.bottom = b;
        return range;
    };
    QTest::newRow("corners are ordered") << CRange(3, 5, 1, 2) << raw(1, 2, 3, 5) << QSize(3, 4);
    QTest::newRow("from a size") << CRange::FromSize(1, 2, 3, 4) << raw(1, 2, 3, 5) << QSize(3, 4);
    QTest::newRow("negative column count: whole rows") << CRange::FromSize(1, 2, -1, 2) << raw(-1, 2, 0, 3) << QSize(-1, 2);
    QTest::newRow("negative row: whole columns") << CRange::FromSize(1, -1, 2, 5) << raw(1, -1, 2, 0) << QSize(2, -1);
    QTest::newRow("empty") << CRange() << raw(-1, -1, -1, -1) << QSize(-1, -1);
}

void TestGridSelection::rangeConstruction()
{
    QFETCH(CRange, range);
    QFETCH(CRange, expected);
    QFETCH(QSize, size);
    QCOMPARE(range, expected);
    QCOMPARE(range.GetSize(), size);
}

void TestGridSelection::rangeContains_data()
{
    QTest::addColumn<CRange>("range");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<bool>("contains");
    QTest::newRow("inside") << CRange(1, 1, 2, 2) << QPoint(2, 1) << true;
    QTest::newRow("outside") << CRange(1, 1, 2, 2) << QPoint(3, 1) << false;
    QTest::newRow("whole rows, any column") << CRange::WholeRows(3, 4) << QPoint(99, 4) << true;
    QTest::newRow("whole rows, other row") << CRange::WholeRows(3, 4) << QPoint(0, 5) << false;
    QTest::newRow("whole columns, any row") << CRange::FromSize(2, -1, 1, 0) << QPoint(2, 77) << true;
    QTest::newRow("empty contains nothing") << CRange() << QPoint(-1, -1) << false;
}

void TestGridSelection::rangeContains()
{
    QFETCH(CRange, range);
    QFETCH(QPoint, cell);
    QFETCH(bool, contains);
    QCOMPARE(range.Contains(cell.x(), cell.y()), contains);
}

void TestGridSelection::emptySelectionIsCursorCell()
{
    SGrid g;
    g.sel.SetCell(SELF_CLICK, 2, 3);
    QCOMPARE(g.sel.GetRangeCount(), 0);
    QCOMPARE(g.sel.GetPrimaryRange(), CRange::Cell(2, 3));
    QRegion rgn;
    QVERIFY(!g.sel.GetRgn(rgn));
    QCOMPARE(g.sel.FrameCell(), QPoint(2, 3));

    // Select-all: one whole-row range.
    g.sel.SetRange(CRange::WholeRows(0, g.geo.CellRowCount() - 1));
    QCOMPARE(g.sel.GetRangeCount(), 1);
    QVERIFY(g.sel.IsSelected(3, 9));
    QCOMPARE(g.sel.CursorRow(), 3);
}

void TestGridSelection::clicksBuildRanges_data()
{
    QTest::addColumn<QList<QPoint>>("cells");
    QTest::addColumn<QList<unsigned>>("flags");
    QTest::addColumn<QList<CRange>>("ranges");
    QTest::addColumn<CRange>("current");
    QTest::addColumn<int>("count");
    const unsigned click = SELF_CLICK;
    QTest::newRow("ctrl-click keeps the first cell")
        << QList<QPoint> { { 0, 0 }, { 2, 2 }, { 3, 4 } }
        << QList<unsigned> { click, click | SELF_ADD, click | SELF_ADD }
        << QList<CRange> { CRange::Cell(0, 0), CRange::Cell(2, 2) } << CRange::Cell(3, 4) << 3;
    QTest::newRow("plain click clears")
        << QList<QPoint> { { 0, 0 }, { 2, 2 }, { 1, 1 } }
        << QList<unsigned> { click, click | SELF_ADD, click }
        << QList<CRange> {} << CRange() << 0;
    QTest::newRow("shift-click extends from the anchor")
        << QList<QPoint> { { 1, 1 }, { 3, 4 }, { 0, 2 } }
        << QList<unsigned> { click, click | SELF_EXTEND, click | SELF_EXTEND }
        << QList<CRange> {} << CRange(0, 1, 1, 2) << 1;
    QTest::newRow("ctrl-click after a block commits it")
        << QList<QPoint> { { 1, 1 }, { 2, 2 }, { 0, 5 } }
        << QList<unsigned> { click, click | SELF_EXTEND, click | SELF_ADD }
        << QList<CRange> { CRange(1, 1, 2, 2) } << CRange::Cell(0, 5) << 2;
}

void TestGridSelection::clicksBuildRanges()
{
    QFETCH(QList<QPoint>, cells);
    QFETCH(QList<unsigned>, flags);
    QFETCH(QList<CRange>, ranges);
    QFETCH(CRange, current);
    QFETCH(int, count);
    SGrid g;
    for (int i = 0; i < cells.size(); ++i)
        g.sel.SetCell(flags[i], cells[i].x(), cells[i].y());
    QCOMPARE(RangesOf(g.sel), ranges);
    QCOMPARE(g.sel.CurrentRange(), current);
    QCOMPARE(g.sel.GetRangeCount(), count);
    QCOMPARE(QPoint(g.sel.CursorCol(), g.sel.CursorRow()), cells.back());
}

void TestGridSelection::shiftClickKeepsFrameOnAnchor()
{
    SGrid g;
    g.sel.SetCell(SELF_CLICK, 1, 1);
    g.invalidated.clear();
    g.sel.SetCell(SELF_CLICK | SELF_EXTEND, 3, 4);
    QCOMPARE(g.sel.FrameCell(), QPoint(1, 1));
    QCOMPARE(QPoint(g.sel.CursorCol(), g.sel.CursorRow()), QPoint(3, 4));
    QVERIFY(g.invalidated.contains(CRange(1, 1, 3, 4)));
    // Shrinking repaints the old extent too.
    g.invalidated.clear();
    g.sel.SetCell(SELF_EXTEND, 2, 2);
    QVERIFY(g.invalidated.contains(CRange(1, 1, 3, 4)));
    QVERIFY(g.invalidated.contains(CRange(1, 1, 2, 2)));
}

void TestGridSelection::rowHeaderPressesSelectWholeRows()
{
    SGrid g;
    g.sel.SetCell(SELF_CLICK, 2, 0);
    g.sel.SetCell(SELF_CLICK, -1, 3);
    QCOMPARE(g.sel.CurrentRange(), CRange::WholeRows(3, 3));
    QCOMPARE(g.sel.CursorCol(), 2); // the column stays
    g.sel.SetCell(SELF_CLICK | SELF_EXTEND, -1, 6);
    QCOMPARE(g.sel.CurrentRange(), CRange::WholeRows(3, 6));
    // Extending from a whole-row anchor with a cell keeps whole rows.
    g.sel.SetCell(SELF_EXTEND, 1, 5);
    QCOMPARE(g.sel.CurrentRange(), CRange::WholeRows(3, 5));
    // A press on a column title goes to row 0 of that column.
    g.sel.SetCell(SELF_CLICK, 2, -1);
    QCOMPARE(QPoint(g.sel.CursorCol(), g.sel.CursorRow()), QPoint(2, 0));
    QCOMPARE(g.sel.GetRangeCount(), 0);
}

void TestGridSelection::setCellClampsIntoGrid_data()
{
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<QPoint>("cursor");
    QTest::newRow("past the last row") << QPoint(1, 50) << QPoint(1, 9);
    QTest::newRow("past the last column") << QPoint(9, 2) << QPoint(3, 2);
    QTest::newRow("negative row") << QPoint(1, -4) << QPoint(1, 0);
}

void TestGridSelection::setCellClampsIntoGrid()
{
    QFETCH(QPoint, cell);
    QFETCH(QPoint, cursor);
    SGrid g;
    g.sel.SetCell(SELF_CLICK, cell.x(), cell.y());
    QCOMPARE(QPoint(g.sel.CursorCol(), g.sel.CursorRow()), cursor);
}

void TestGridSelection::setCellOnEmptyGridKeepsCursor()
{
    SGrid g(0);
    CSelection sel(&g.geo);
    sel.SetCell(SELF_CLICK, 1, 3);
    QCOMPARE(sel.CursorRow(), -1);
    sel.SetCell(SELF_EXTEND, 1, 3);
    QCOMPARE(sel.CursorRow(), -1);
}

void TestGridSelection::setRangeClampsCursor()
{
    SGrid g;
    g.sel.SetCell(SELF_CLICK, 3, 9);
    g.sel.SetRange(CRange(0, 2, 1, 4));
    QCOMPARE(QPoint(g.sel.CursorCol(), g.sel.CursorRow()), QPoint(1, 4));
    QCOMPARE(g.sel.GetRangeCount(), 1);
    QVERIFY(!g.sel.HasAnchor());
}

void TestGridSelection::regionOfSelection()
{
    SGrid g;
    g.sel.SetCell(SELF_CLICK, 0, 0);
    g.sel.SetCell(SELF_CLICK | SELF_ADD, 2, 1);
    QRegion rgn;
    QVERIFY(g.sel.GetRgn(rgn));
    // Cells (0, 0) at 50..100 x 20..40 and (2, 1) at 150..200 x 40..60.
    QCOMPARE(rgn, QRegion(QRect(50, 20, 50, 20)) + QRegion(QRect(150, 40, 50, 20)));
}

void TestGridSelection::shiftRows_data()
{
    QTest::addColumn<CRange>("range");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<QList<CRange>>("ranges");
    QTest::addColumn<int>("cursorRow");
    // The range is built by clicking its top-left and shift-clicking its bottom-right.
    QTest::newRow("down") << CRange(0, 2, 1, 3) << 2 << 10 << QList<CRange> { CRange(0, 4, 1, 5) } << 4;
    QTest::newRow("bottom cut to the last row") << CRange(0, 6, 1, 8) << 3 << 10 << QList<CRange> { CRange(0, 9, 1, 9) } << 9;
    QTest::newRow("pushed out below") << CRange(0, 6, 1, 8) << 5 << 10 << QList<CRange> {} << 9;
    QTest::newRow("pushed out above") << CRange(0, 1, 1, 2) << -3 << 10 << QList<CRange> {} << 0;
    // Across row 0 the top stays a row, never "every row".
    QTest::newRow("up across row 0 clamps the top") << CRange(0, 1, 1, 4) << -2 << 10 << QList<CRange> { CRange(0, 0, 1, 2) } << 0;
    QTest::newRow("no rows left: nothing stays selected") << CRange(0, 1, 1, 4) << -2 << 0 << QList<CRange> {} << -1;
}

void TestGridSelection::shiftRows()
{
    QFETCH(CRange, range);
    QFETCH(int, delta);
    QFETCH(int, rowCount);
    QFETCH(QList<CRange>, ranges);
    QFETCH(int, cursorRow);
    SGrid g;
    g.sel.SetCell(SELF_CLICK, range.left, range.top);
    g.sel.SetCell(SELF_CLICK | SELF_EXTEND, range.right, range.bottom);
    g.sel.ShiftRows(delta, rowCount);
    QCOMPARE(RangesOf(g.sel), ranges);
    QVERIFY(g.sel.CurrentRange().IsEmpty());
    QVERIFY(!g.sel.HasAnchor());
    // The cursor went back to the anchor before moving.
    QCOMPARE(g.sel.CursorCol(), range.left);
    QCOMPARE(g.sel.CursorRow(), cursorRow);
    for (const CRange& r : g.sel.Ranges())
        QVERIFY(r.top >= 0 && r.bottom < rowCount);
}

void TestGridSelection::shiftRowsIntoEmptyGridKeepsMinusOne()
{
    SGrid g;
    g.sel.SetCell(SELF_CLICK, 1, 4);
    g.sel.ShiftRows(-2, 0);
    QCOMPARE(g.sel.CursorRow(), -1);
    QCOMPARE(g.sel.GetRangeCount(), 0);
}

void TestGridSelection::adjustForDeletedRows_data()
{
    QTest::addColumn<int>("cursorRow");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("newCount");
    QTest::addColumn<int>("expected");
    QTest::newRow("deleted in front") << 8 << 2 << 3 << 7 << 5;
    QTest::newRow("deleted around it") << 4 << 2 << 3 << 7 << 2;
    QTest::newRow("deleted behind") << 1 << 2 << 3 << 7 << 1;
    QTest::newRow("last rows deleted") << 9 << 8 << 2 << 8 << 7;
    QTest::newRow("everything deleted") << 3 << 0 << 10 << 0 << -1;
}

void TestGridSelection::adjustForDeletedRows()
{
    QFETCH(int, cursorRow);
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(int, newCount);
    QFETCH(int, expected);
    SGrid g;
    g.sel.SetCell(SELF_CLICK, 0, cursorRow);
    g.sel.AdjustForDeletedRows(first, count, newCount);
    QCOMPARE(g.sel.CursorRow(), expected);
}

void TestGridSelection::keyTable_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<int>("repeat");
    QTest::addColumn<bool>("first");
    QTest::addColumn<int>("action");
    QTest::addColumn<QPoint>("cell");
    QTest::addColumn<unsigned>("scroll");
    QTest::addColumn<unsigned>("selFlags");
    const int move = CGridKeyMap::Move;
    const unsigned cellA = SCR_SNAP_A | SCR_SMOOTH_CELL;
    const unsigned cellB = SCR_SNAP_B | SCR_SMOOTH_CELL;
    QTest::newRow("down") << QPoint(1, 2) << int(Qt::Key_Down) << false << false << 1 << true << move << QPoint(1, 3) << cellA << 0u;
    QTest::newRow("down repeated") << QPoint(1, 2) << int(Qt::Key_Down) << false << false << 3 << false << move << QPoint(1, 5) << unsigned(SCR_SNAP_A) << 0u;
    QTest::newRow("up stops at 0") << QPoint(1, 1) << int(Qt::Key_Up) << false << false << 4 << false << move << QPoint(1, 0) << unsigned(SCR_SNAP_B) << 0u;
    QTest::newRow("shift+up extends") << QPoint(1, 2) << int(Qt::Key_Up) << true << false << 1 << true << move << QPoint(1, 1) << cellB << unsigned(SELF_EXTEND);
    QTest::newRow("left in column 0 stays") << QPoint(0, 2) << int(Qt::Key_Left) << false << false << 1 << true << move << QPoint(0, 2) << cellB << 0u;
    QTest::newRow("right stops at the last column") << QPoint(2, 2) << int(Qt::Key_Right) << false << false << 5 << false << move << QPoint(3, 2) << unsigned(SCR_SNAP_A) << 0u;
    QTest::newRow("page down") << QPoint(1, 2) << int(Qt::Key_PageDown) << false << false << 1 << true << move << QPoint(1, 16) << unsigned(SCR_SNAP_A | SCR_SMOOTH_PAGE) << 0u;
    QTest::newRow("page down near the end stops at the last row") << QPoint(1, 25) << int(Qt::Key_PageDown) << false << false << 1 << true << move << QPoint(1, 29) << unsigned(SCR_SNAP_A | SCR_SMOOTH_PAGE) << 0u;
    QTest::newRow("page up") << QPoint(1, 20) << int(Qt::Key_PageUp) << false << false << 1 << true << move << QPoint(1, 6) << unsigned(SCR_SNAP_B | SCR_SMOOTH_PAGE) << 0u;
    QTest::newRow("page up stops at 0") << QPoint(1, 5) << int(Qt::Key_PageUp) << false << false << 2 << false << move << QPoint(1, 0) << unsigned(SCR_SNAP_B) << 0u;
    QTest::newRow("end") << QPoint(1, 5) << int(Qt::Key_End) << false << false << 1 << true << move << QPoint(3, 5) << unsigned(SCR_SNAP_A) << 0u;
    QTest::newRow("ctrl+end") << QPoint(1, 5) << int(Qt::Key_End) << false << true << 1 << true << move << QPoint(3, 29) << unsigned(SCR_SNAP_A) << 0u;
    QTest::newRow("home") << QPoint(3, 5) << int(Qt::Key_Home) << false << false << 1 << true << move << QPoint(0, 5) << unsigned(SCR_SNAP_B) << 0u;
    QTest::newRow("ctrl+home") << QPoint(3, 5) << int(Qt::Key_Home) << false << true << 1 << true << move << QPoint(0, 0) << unsigned(SCR_SNAP_B) << 0u;
    QTest::newRow("shift+space selects the row") << QPoint(2, 5) << int(Qt::Key_Space) << true << false << 1 << true << move << QPoint(-1, 5) << unsigned(SCR_SNAP_B) << unsigned(SELF_EXTEND);
    QTest::newRow("space alone moves nothing") << QPoint(2, 5) << int(Qt::Key_Space) << false << false << 1 << true << int(CGridKeyMap::NoMove) << QPoint(2, 5) << 0u << 0u;
    QTest::newRow("escape") << QPoint(2, 5) << int(Qt::Key_Escape) << false << false << 1 << true << int(CGridKeyMap::Escape) << QPoint(2, 5) << 0u << 0u;
    QTest::newRow("other key") << QPoint(2, 5) << int(Qt::Key_A) << false << false << 1 << true << int(CGridKeyMap::None) << QPoint(0, 0) << 0u << 0u;
}

void TestGridSelection::keyTable()
{
    QFETCH(QPoint, start);
    QFETCH(int, key);
    QFETCH(bool, shift);
    QFETCH(bool, ctrl);
    QFETCH(int, repeat);
    QFETCH(bool, first);
    QFETCH(int, action);
    QFETCH(QPoint, cell);
    QFETCH(unsigned, scroll);
    QFETCH(unsigned, selFlags);
    SGrid g(30);
    g.sel.SetCell(SELF_CLICK, start.x(), start.y());
    CGridKeyMap::SInput in;
    in.nKey = key;
    in.bShift = shift;
    in.bCtrl = ctrl;
    in.nRepeat = repeat;
    in.bFirst = first;
    const CGridKeyMap::SResult res = CGridKeyMap::Decide(g.geo, g.sel, in);
    QCOMPARE(int(res.action), action);
    if (res.action == CGridKeyMap::None)
        return;
    QCOMPARE(res.nScrollFlags, scroll);
    QCOMPARE(res.nSelFlags, selFlags);
    if (res.action != CGridKeyMap::Move)
        return;
    // The selection applies the clamping of rows beyond the end.
    g.sel.SetCell(res.nSelFlags, res.nCol, res.nRow);
    QCOMPARE(QPoint(res.nCol < 0 ? -1 : g.sel.CursorCol(), g.sel.CursorRow()), cell);
}

void TestGridSelection::keyTableSkipsHiddenColumns_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("startCol");
    QTest::addColumn<int>("expectedCol");
    // Data column 1 and 3 are hidden (width 0).
    QTest::newRow("left skips a hidden column") << int(Qt::Key_Left) << 2 << 0;
    QTest::newRow("right skips a hidden column") << int(Qt::Key_Right) << 0 << 2;
    QTest::newRow("right with only hidden columns after stays") << int(Qt::Key_Right) << 2 << 2;
}

void TestGridSelection::keyTableSkipsHiddenColumns()
{
    QFETCH(int, key);
    QFETCH(int, startCol);
    QFETCH(int, expectedCol);
    SGrid g;
    g.geo.Cols().SetSize(2, 0);
    g.geo.Cols().SetSize(4, 0);
    g.sel.SetCell(SELF_CLICK, startCol, 1);
    CGridKeyMap::SInput in;
    in.nKey = key;
    const CGridKeyMap::SResult res = CGridKeyMap::Decide(g.geo, g.sel, in);
    QCOMPARE(res.nCol, expectedCol);
}

void TestGridSelection::keyTableOnEmptyGridDoesNothing()
{
    SGrid g(0);
    CGridKeyMap::SInput in;
    in.nKey = Qt::Key_Down;
    QCOMPARE(int(CGridKeyMap::Decide(g.geo, g.sel, in).action), int(CGridKeyMap::None));
}

void TestGridSelection::stickyExtendLastsOneMove()
{
    SGrid g;
    unsigned nMode = 0;
    g.sel.SetCell(SELF_CLICK, 1, 2);
    Press(g, nMode, Qt::Key_F8);
    QCOMPARE(nMode, unsigned(SELMODE_EXT));
    QCOMPARE(g.sel.CurrentRange(), CRange::Cell(1, 2));
    // The first Down extends from the cursor and ends the mode ...
    Press(g, nMode, Qt::Key_Down);
    QCOMPARE(g.sel.CurrentRange(), CRange(1, 2, 1, 3));
    QCOMPARE(nMode, 0u);
    // ... the second moves plainly, from the frame cell (the anchor).
    Press(g, nMode, Qt::Key_Down);
    QCOMPARE(g.sel.GetRangeCount(), 0);
    QCOMPARE(g.sel.CursorRow(), 3);
    // F8 twice leaves no mode.
    Press(g, nMode, Qt::Key_F8);
    Press(g, nMode, Qt::Key_F8);
    QCOMPARE(nMode, 0u);
}

void TestGridSelection::stickyAddKeepsRanges()
{
    SGrid g;
    unsigned nMode = 0;
    g.sel.SetCell(SELF_CLICK, 0, 0);
    g.sel.SetCell(SELF_CLICK | SELF_EXTEND, 1, 1);
    Press(g, nMode, Qt::Key_F8, true);
    QCOMPARE(nMode, unsigned(SELMODE_ADD));
    // The block is committed, the cursor goes back to its anchor.
    QCOMPARE(RangesOf(g.sel), QList<CRange> { CRange(0, 0, 1, 1) });
    QCOMPARE(QPoint(g.sel.CursorCol(), g.sel.CursorRow()), QPoint(0, 0));
    // A keyboard move in add mode keeps the committed ranges.
    Press(g, nMode, Qt::Key_Down);
    QCOMPARE(RangesOf(g.sel), QList<CRange> { CRange(0, 0, 1, 1) });
    QCOMPARE(g.sel.CursorRow(), 1);
    // Esc ends a mode without moving.
    Press(g, nMode, Qt::Key_F8, true);
    QCOMPARE(nMode, unsigned(SELMODE_ADD));
    Press(g, nMode, Qt::Key_Escape);
    QCOMPARE(nMode, 0u);
    QCOMPARE(g.sel.CursorRow(), 1);
}

void TestGridSelection::stickyModesOffWithoutMultipleSelection()
{
    SGrid g;
    unsigned nMode = 0;
    g.sel.SetCell(SELF_CLICK, 1, 1);
    Press(g, nMode, Qt::Key_F8, false, false, false);
    QCOMPARE(nMode, 0u);
    Press(g, nMode, Qt::Key_Down, true, false, false);
    // Shift does not extend in such a view.
    QCOMPARE(g.sel.GetRangeCount(), 0);
    QCOMPARE(g.sel.CursorRow(), 2);
}

void TestGridSelection::randomSequencesKeepRangesInRows()
{
    // The owner renumbers its rows between selection changes, as a ledger does
    // while lines are inserted and deleted; no range may ever point outside the rows.
    SGrid g(20);
    QRandomGenerator random(20261210);
    const unsigned flagChoices[] = { SELF_CLICK, SELF_CLICK | SELF_EXTEND, SELF_CLICK | SELF_ADD, SELF_EXTEND,
                                     SELMODE_ADD, SELMODE_EXT };
    int nRows = 20;
    for (int step = 0; step < 5000; ++step) {
        const int nOp = random.bounded(10);
        if (nOp < 7) {
            const unsigned nFlags = flagChoices[random.bounded(6)];
            g.sel.SetCell(nFlags, random.bounded(-2, 7), random.bounded(-3, nRows + 3));
        } else if (nOp < 9) {
            const int nNew = random.bounded(0, 30);
            const int nDelta = random.bounded(-8, 9);
            g.geo.Rows().SetCount(1 + nNew, false);
            g.sel.ShiftRows(nDelta, nNew);
            nRows = nNew;
            for (const CRange& r : g.sel.Ranges()) {
                QVERIFY2(r.top >= 0 && r.top <= r.bottom && r.bottom < nRows, QByteArray(QByteArray::number(step) + " " + toString(r) + " rows " + QByteArray::number(nRows) + " delta " + QByteArray::number(nDelta)).constData());
            }
        } else if (nRows > 0) {
            const int nFirst = random.bounded(nRows);
            const int nCount = random.bounded(1, nRows - nFirst + 1);
            g.sel.AdjustForDeletedRows(nFirst, nCount, nRows - nCount);
            g.sel.ShiftRows(0, nRows - nCount);
            nRows -= nCount;
            g.geo.Rows().SetCount(1 + nRows, false);
        }
        const QByteArray step_ = QByteArray::number(step);
        if (nRows == 0)
            QVERIFY2(g.sel.CursorRow() == -1, step_.constData());
        else
            QVERIFY2(g.sel.CursorRow() >= 0 && g.sel.CursorRow() < nRows, step_.constData());
        const CRange& cur = g.sel.CurrentRange();
        QVERIFY2(cur.IsEmpty() || (cur.top >= 0 && cur.top <= cur.bottom && cur.bottom < nRows), step_.constData());
    }
}

QTEST_GUILESS_MAIN(TestGridSelection)
#include "tst_gridselection.moc"

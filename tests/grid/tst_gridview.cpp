#include "DemoGridView.h"
#include "GridTestUtil.h"
#include "TestGridSettings.h"

#include "grid/GridFlags.h"
#include "grid/GridOleDropTarget.h"
#include "grid/InplaceEdit.h"
#include "grid/ScrollHeader.h"
#include "grid/WheelOriginWnd.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QDir>
#include <QPageSize>
#include <QPrinter>
#include <QMimeData>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

using ViewPtr = std::unique_ptr<CDemoGridView>;

struct SClick {
    QPoint cell; // column -1: the row header
    Qt::KeyboardModifiers modifiers;
};

QPoint CellPoint(const CDemoGridView& view, int nCol, int nRow)
{
    if (nCol < 0) {
        const QRect rc = view.CellToRect(0, nRow, true);
        return QPoint(20, rc.center().y());
    }
    return view.CellToRect(nCol, nRow, true).center();
}

void SendKey(QWidget* pWidget, int nKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& strText = QString())
{
    QKeyEvent press(QEvent::KeyPress, nKey, modifiers, strText);
    QCoreApplication::sendEvent(pWidget, &press);
    QKeyEvent release(QEvent::KeyRelease, nKey, modifiers, strText);
    QCoreApplication::sendEvent(pWidget, &release);
}

// Non-Latin-1 text goes one key event per character.
void TypeText(QWidget* pWidget, const QString& strText)
{
    for (const QChar ch : strText)
        SendKey(pWidget, 0, Qt::NoModifier, QString(ch));
}

void SendWheel(QWidget* pViewport, int nDelta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF pt(100, 100);
    QWheelEvent ev(pt, pViewport->mapToGlobal(pt), QPoint(), QPoint(0, nDelta), Qt::NoButton, modifiers,
                   Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(pViewport, &ev);
}

void SendMouse(QWidget* pTarget, QEvent::Type type, const QPoint& ptViewport, QWidget* pViewport, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    const QPointF global = pViewport->mapToGlobal(QPointF(ptViewport));
    const QPointF local = pTarget->mapFromGlobal(global);
    QMouseEvent ev(type, local, global, button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(pTarget, &ev);
}

} // namespace

Q_DECLARE_METATYPE(QList<SClick>)

class TestGridView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void mouseSelection_data();
    void mouseSelection();
    void columnTitleClickGoesToFirstRow();
    void dragSelectionAutoScrolls();
    void rightClickKeepsSelection();
    void keyboardMoves_data();
    void keyboardMoves();
    void stickyModeIndicator();
    void selectAll();
    void wheelScrolls_data();
    void wheelScrolls();
    void scrollBarActionsSnap();
    void smoothScrollLandsOnTarget();
    void headerDividerResizes();
    void headerDoubleClickFitsColumn();
    void rowHeaderResizesRowsAndSelects();
    void inplaceEditCommits_data();
    void inplaceEditCommits();
    void inplaceEditSuspendsShortcuts();
    void wheelPanning();
    void wheelPanningCancelledByEscape();
    void dropFeedbackAndEdgeScroll();
    void paintsGridSelectionAndFrame();
    void inactiveViewHidesSelection();
    void paintTouchesOnlyVisibleCells();
    void goToRowCentresFarRows();
    void printMetricsFromPrinter();
    void headerPaintsTitles();

private:
    ViewPtr MakeView(int nRows = 100);
    CTestGridSettings m_settings;
};

void TestGridView::initTestCase()
{
    CGridSettings::Install(&m_settings);
}

void TestGridView::init()
{
    m_settings.m_nWheelLines = 3;
    m_settings.m_bSmooth = false;
    CClock::SetTickCount(100000);
}

ViewPtr TestGridView::MakeView(int nRows)
{
    auto view = std::make_unique<CDemoGridView>(nRows);
    view->resize(400, 300);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    view->setFocus();
    return view;
}

void TestGridView::mouseSelection_data()
{
    QTest::addColumn<QList<SClick>>("clicks");
    QTest::addColumn<int>("count");
    QTest::addColumn<CRange>("primary");
    QTest::addColumn<QPoint>("frame");
    QTest::newRow("plain click") << QList<SClick> { { { 1, 2 }, {} } } << 0 << CRange::Cell(1, 2) << QPoint(1, 2);
    QTest::newRow("ctrl-clicks add cells")
        << QList<SClick> { { { 0, 0 }, {} }, { { 2, 1 }, Qt::ControlModifier }, { { 3, 3 }, Qt::ControlModifier } } << 3
        << CRange::Cell(3, 3) << QPoint(3, 3);
    QTest::newRow("shift-click extends, frame stays on the anchor")
        << QList<SClick> { { { 1, 1 }, {} }, { { 3, 4 }, Qt::ShiftModifier } } << 1 << CRange(1, 1, 3, 4) << QPoint(1, 1);
    QTest::newRow("row header selects whole rows")
        << QList<SClick> { { { 2, 0 }, {} }, { { -1, 3 }, {} }, { { -1, 5 }, Qt::ShiftModifier } } << 1
        << CRange::WholeRows(3, 5) << QPoint(2, 3);
}

void TestGridView::mouseSelection()
{
    QFETCH(QList<SClick>, clicks);
    QFETCH(int, count);
    QFETCH(CRange, primary);
    QFETCH(QPoint, frame);
    ViewPtr view = MakeView();
    QVERIFY(view);
    QSignalSpy changes(view.get(), &CGridViewEx::SelectionChanged);
    for (const SClick& click : clicks)
        QTest::mouseClick(view->viewport(), Qt::LeftButton, click.modifiers, CellPoint(*view, click.cell.x(), click.cell.y()));
    QCOMPARE(view->Selection().GetRangeCount(), count);
    QCOMPARE(view->Selection().GetPrimaryRange(), primary);
    QCOMPARE(view->FramePos(), frame);
    QCOMPARE(changes.count(), clicks.size());
    QVERIFY(!view->IsAutoScrolling());
}

void TestGridView::columnTitleClickGoesToFirstRow()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellPoint(*view, 3, 6));
    CScrollHeader* pHeader = view->ColumnHeader();
    QVERIFY(pHeader);
    QCOMPARE(pHeader->geometry(), QRect(0, 0, view->viewport()->width(), 24));
    const int x = view->CellToRect(2, 0, true).center().x();
    QTest::mouseClick(pHeader, Qt::LeftButton, {}, QPoint(x, 12));
    QCOMPARE(QPoint(view->Selection().CursorCol(), view->Selection().CursorRow()), QPoint(2, 0));
    QCOMPARE(view->Selection().GetRangeCount(), 0);
}

void TestGridView::dragSelectionAutoScrolls()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QWidget* pViewport = view->viewport();
    const QPoint start = CellPoint(*view, 1, 1);
    QTest::mousePress(pViewport, Qt::LeftButton, {}, start);
    QCOMPARE(view->DragState(), 0x130u);
    const QPoint below(start.x(), pViewport->height() + 10);
    QTest::mouseMove(pViewport, below);
    QVERIFY(view->IsAutoScrolling());
    QCOMPARE(view->AutoScrollOverflow(), QPoint(0, 10));
    // One tick: (4 * 10^3) / 20 / 20 + 1 = 11 pixels.
    view->AutoScrollTick();
    QCOMPARE(view->ScrollPos(1), 11);
    const QPoint hit = view->HitTest(below.x(), below.y(), false, true);
    QCOMPARE(view->Selection().CurrentRange(), CRange(1, 1, 1, hit.y()));
    // Back inside: the timer stops.
    QTest::mouseMove(pViewport, start);
    QVERIFY(!view->IsAutoScrolling());
    QTest::mouseMove(pViewport, below);
    QVERIFY(view->IsAutoScrolling());
    view->AutoScrollTick();
    QCOMPARE(view->ScrollPos(1), 22);
    // The release snaps forward to the next row boundary.
    QTest::mouseRelease(pViewport, Qt::LeftButton, {}, below);
    QVERIFY(!view->IsAutoScrolling());
    QCOMPARE(view->DragState(), 0u);
    QCOMPARE(view->ScrollPos(1), 40);

    // Dragging up into the frozen header row scrolls back; the release snaps to the row start.
    view->ScrollTo(1, 100, 0, true);
    QTest::mousePress(pViewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(pViewport, QPoint(start.x(), 5));
    QCOMPARE(view->AutoScrollOverflow(), QPoint(0, -19));
    view->AutoScrollTick(); // (4 * 19^3) / 20 / 20 + 1 = 69
    QCOMPARE(view->ScrollPos(1), 31);
    QTest::mouseRelease(pViewport, Qt::LeftButton, {}, QPoint(start.x(), 5));
    QCOMPARE(view->ScrollPos(1), 20);
}

void TestGridView::rightClickKeepsSelection()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QWidget* pViewport = view->viewport();
    QTest::mouseClick(pViewport, Qt::LeftButton, {}, CellPoint(*view, 1, 1));
    QTest::mouseClick(pViewport, Qt::LeftButton, Qt::ShiftModifier, CellPoint(*view, 2, 2));
    QTest::mouseClick(pViewport, Qt::RightButton, {}, CellPoint(*view, 2, 2));
    QCOMPARE(view->Selection().GetPrimaryRange(), CRange(1, 1, 2, 2));
    QTest::mouseClick(pViewport, Qt::RightButton, {}, CellPoint(*view, 4, 8));
    QCOMPARE(view->Selection().GetRangeCount(), 0);
    QCOMPARE(QPoint(view->Selection().CursorCol(), view->Selection().CursorRow()), QPoint(4, 8));
}

void TestGridView::keyboardMoves_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("modifiers");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<int>("rangeCount");
    QTest::addColumn<bool>("scrolledDown");
    const int shift = int(Qt::ShiftModifier);
    const int ctrl = int(Qt::ControlModifier);
    QTest::newRow("down and right") << QList<int> { Qt::Key_Down, Qt::Key_Right } << QList<int> { 0, 0 } << QPoint(1, 1) << 0 << false;
    QTest::newRow("shift+down twice") << QList<int> { Qt::Key_Down, Qt::Key_Down } << QList<int> { shift, shift } << QPoint(0, 2) << 1 << false;
    QTest::newRow("page down scrolls") << QList<int> { Qt::Key_PageDown } << QList<int> { 0 } << QPoint(0, -1) << 0 << true;
    QTest::newRow("ctrl+end goes to the last cell") << QList<int> { Qt::Key_End } << QList<int> { ctrl } << QPoint(4, 99) << 0 << true;
    QTest::newRow("end then home") << QList<int> { Qt::Key_End, Qt::Key_Home } << QList<int> { 0, 0 } << QPoint(0, 0) << 0 << false;
    QTest::newRow("shift+space selects the row") << QList<int> { Qt::Key_Down, Qt::Key_Space } << QList<int> { 0, shift } << QPoint(0, 1) << 1 << false;
}

void TestGridView::keyboardMoves()
{
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, modifiers);
    QFETCH(QPoint, cursor);
    QFETCH(int, rangeCount);
    QFETCH(bool, scrolledDown);
    ViewPtr view = MakeView();
    QVERIFY(view);
    for (int i = 0; i < keys.size(); ++i)
        SendKey(view.get(), keys[i], Qt::KeyboardModifiers(modifiers[i]));
    const QPoint actual(view->Selection().CursorCol(), view->Selection().CursorRow());
    if (cursor.y() < 0) {
        // One page: the rows of the scrolling area.
        const int nPage = view->Geometry().PageSize(1) / 20;
        QCOMPARE(actual, QPoint(0, nPage));
    } else {
        QCOMPARE(actual, cursor);
    }
    QCOMPARE(view->Selection().GetRangeCount(), rangeCount);
    QCOMPARE(view->ScrollPos(1) > 0, scrolledDown);
    // The cursor cell is always inside the scrolling area after a move.
    const QRect rc = view->CellToRect(actual.x(), actual.y(), false);
    QVERIFY(rc.top() >= 24);
    QVERIFY(rc.bottom() < view->viewport()->height());
}

void TestGridView::stickyModeIndicator()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QSignalSpy modes(view.get(), &CGridViewEx::SelectionModeChanged);
    SendKey(view.get(), Qt::Key_F8);
    QCOMPARE(view->ModeIndicator(), QStringLiteral("EXT"));
    SendKey(view.get(), Qt::Key_Down);
    QCOMPARE(view->ModeIndicator(), QString());
    QCOMPARE(view->Selection().GetPrimaryRange(), CRange(0, 0, 0, 1));
    SendKey(view.get(), Qt::Key_F8, Qt::ShiftModifier);
    QCOMPARE(view->ModeIndicator(), QStringLiteral("ADD"));
    SendKey(view.get(), Qt::Key_Escape);
    QCOMPARE(view->ModeIndicator(), QString());
    QCOMPARE(modes.count(), 4);
    QCOMPARE(modes.at(0).at(0).toString(), QStringLiteral("EXT"));
    QCOMPARE(modes.at(2).at(0).toString(), QStringLiteral("ADD"));
}

void TestGridView::selectAll()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    SendKey(view.get(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(view->Selection().GetRangeCount(), 1);
    QCOMPARE(view->Selection().GetPrimaryRange(), CRange::WholeRows(0, 99));
}

void TestGridView::wheelScrolls_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<QList<int>>("deltas");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("scroll");
    QTest::newRow("one notch down, three rows") << 3 << QList<int> { -120 } << 0 << 60;
    QTest::newRow("down and back up") << 3 << QList<int> { -120, 120 } << 0 << 0;
    QTest::newRow("high resolution accumulates") << 3 << QList<int> { -20, -20, -20 } << 0 << 20;
    QTest::newRow("page per notch") << -1 << QList<int> { -120 } << 0 << -1;
    QTest::newRow("shift does nothing") << 3 << QList<int> { -120 } << int(Qt::ShiftModifier) << 0;
    QTest::newRow("ctrl does nothing") << 3 << QList<int> { -120 } << int(Qt::ControlModifier) << 0;
}

void TestGridView::wheelScrolls()
{
    QFETCH(int, lines);
    QFETCH(QList<int>, deltas);
    QFETCH(int, modifiers);
    QFETCH(int, scroll);
    m_settings.m_nWheelLines = lines;
    ViewPtr view = MakeView();
    QVERIFY(view);
    for (int delta : deltas)
        SendWheel(view->viewport(), delta, Qt::KeyboardModifiers(modifiers));
    if (scroll < 0)
        scroll = view->Geometry().PageSize(1) / 20 * 20; // a page, snapped back to a row start
    QCOMPARE(view->ScrollPos(1), scroll);
    QCOMPARE(view->verticalScrollBar()->value(), scroll);
}

void TestGridView::scrollBarActionsSnap()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QScrollBar* pBar = view->verticalScrollBar();
    QVERIFY(pBar->isVisible());
    QCOMPARE(pBar->maximum(), view->Geometry().ScrollLimit(1));
    pBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(view->ScrollPos(1), 20);
    QCOMPARE(pBar->value(), 20);
    pBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(view->ScrollPos(1), 0);
    pBar->setSliderPosition(333);
    QCOMPARE(view->ScrollPos(1), 333);
    pBar->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(view->ScrollPos(1), view->Geometry().ScrollLimit(1));
    QCOMPARE(pBar->value(), view->Geometry().ScrollLimit(1));
    pBar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(view->ScrollPos(1), 0);
    // Page down from a boundary stops at the row that was partly visible.
    pBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    const int nPage = view->Geometry().PageSize(1);
    QCOMPARE(view->ScrollPos(1), nPage / 20 * 20);
}

void TestGridView::smoothScrollLandsOnTarget()
{
    m_settings.m_bSmooth = true;
    ViewPtr view = MakeView();
    QVERIFY(view);
    QSignalSpy scrolls(view.get(), &CGridView::Scrolled);
    QVERIFY(view->ScrollTo(1, 40, SCR_RELATIVE | SCR_SMOOTH_PAGE, true));
    // The first step at once, the rest from a timer while the event loop runs.
    QVERIFY(view->IsSmoothScrolling());
    QVERIFY(view->ScrollPos(1) > 0 && view->ScrollPos(1) < 40);
    QTRY_COMPARE(view->ScrollPos(1), 40);
    QVERIFY(!view->IsSmoothScrolling());
    QVERIFY(scrolls.count() > 1);
    QCOMPARE(view->verticalScrollBar()->value(), 40);
    QVERIFY(!view->ScrollTo(1, 40, 0, true)); // already there
    QVERIFY(view->ScrollTo(1, 0, 0, false));  // would scroll
    QCOMPARE(view->ScrollPos(1), 40);
    // A request during an animation starts from the animation's target.
    QVERIFY(view->ScrollTo(1, 40, SCR_RELATIVE | SCR_SMOOTH_PAGE, true));
    QVERIFY(view->ScrollTo(1, 20, SCR_RELATIVE, true));
    QVERIFY(!view->IsSmoothScrolling());
    QCOMPARE(view->ScrollPos(1), 100);
    QTest::qWait(100);
    QCOMPARE(view->ScrollPos(1), 100);
}

void TestGridView::headerDividerResizes()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    CScrollHeader* pHeader = view->ColumnHeader();
    // Grid column 1 spans 40 .. 120.
    QCOMPARE(pHeader->CursorAt(QPoint(118, 10)), 331);
    QTest::mousePress(pHeader, Qt::LeftButton, {}, QPoint(118, 10));
    QCOMPARE(pHeader->Tracking(), 1);
    QTest::mouseMove(pHeader, QPoint(150, 10));
    QCOMPARE(pHeader->TrackedLine(), 149);
    QTest::mouseRelease(pHeader, Qt::LeftButton, {}, QPoint(150, 10));
    QCOMPARE(pHeader->Tracking(), 0);
    QCOMPARE(view->GetColWidth(1), 110);
    QCOMPARE(view->Geometry().Cols().Total(), 40 + 110 + 4 * 80);
    // Dragged left of its own left edge: width 0, and the divider now shows the zero cursor.
    QTest::mousePress(pHeader, Qt::LeftButton, {}, QPoint(148, 10));
    QTest::mouseMove(pHeader, QPoint(10, 10));
    QCOMPARE(pHeader->TrackedLine(), 39);
    QTest::mouseRelease(pHeader, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(view->GetColWidth(1), 0);
    QCOMPARE(pHeader->CursorAt(QPoint(42, 10)), 332);
    // A right press cancels tracking.
    QTest::mousePress(pHeader, Qt::LeftButton, {}, QPoint(118, 10));
    QTest::mouseMove(pHeader, QPoint(200, 10));
    QTest::mousePress(pHeader, Qt::RightButton, {}, QPoint(200, 10));
    QCOMPARE(pHeader->Tracking(), 0);
    QCOMPARE(view->GetColWidth(2), 80);
}

void TestGridView::headerDoubleClickFitsColumn()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    view->SetCellText(1, 0, QStringLiteral("とても長い摘要のテキストです"));
    const int nFit = view->GetFitColWidth(2);
    QVERIFY(nFit > 80);
    QTest::mouseDClick(view->ColumnHeader(), Qt::LeftButton, {}, QPoint(198, 10));
    QCOMPARE(view->GetColWidth(2), nFit);
}

void TestGridView::rowHeaderResizesRowsAndSelects()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    CScrollHeader* pRows = view->CreateRowHeader(SHS_COVER);
    QVERIFY(pRows->IsRowHeader());
    QCOMPARE(pRows->geometry(), QRect(0, 0, 40, view->viewport()->height()));
    // The bottom divider of grid row 1 (24 .. 44).
    QCOMPARE(pRows->CursorAt(QPoint(20, 42)), 333);
    QTest::mousePress(pRows, Qt::LeftButton, {}, QPoint(20, 42));
    QCOMPARE(pRows->Tracking(), 2);
    QTest::mouseMove(pRows, QPoint(20, 60));
    QTest::mouseRelease(pRows, Qt::LeftButton, {}, QPoint(20, 60));
    QCOMPARE(view->GetRowHeight(1), 36);
    QCOMPARE(view->Geometry().Rows().Total(), 24 + 36 + 99 * 20);
    // A press away from a divider is a press on the row header of the grid: the whole row.
    const int y = view->CellToRect(0, 3, true).center().y();
    QTest::mouseClick(pRows, Qt::LeftButton, {}, QPoint(20, y));
    QCOMPARE(view->Selection().GetPrimaryRange(), CRange::WholeRows(3, 3));
    QTest::mouseClick(pRows, Qt::LeftButton, Qt::ShiftModifier, QPoint(20, view->CellToRect(0, 5, true).center().y()));
    QCOMPARE(view->Selection().GetPrimaryRange(), CRange::WholeRows(3, 5));
}

void TestGridView::inplaceEditCommits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("endKey");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("commits");
    QTest::newRow("enter commits") << QStringLiteral("食費") << int(Qt::Key_Return) << QStringLiteral("0-0食費") << 1;
    QTest::newRow("escape cancels") << QStringLiteral("食費") << int(Qt::Key_Escape) << QStringLiteral("0-0") << 0;
    QTest::newRow("unchanged sends nothing") << QString() << int(Qt::Key_Return) << QStringLiteral("0-0") << 0;
    QTest::newRow("focus loss commits") << QStringLiteral("x") << 0 << QStringLiteral("0-0x") << 1;
}

void TestGridView::inplaceEditCommits()
{
    QFETCH(QString, typed);
    QFETCH(int, endKey);
    QFETCH(QString, text);
    QFETCH(int, commits);
    ViewPtr view = MakeView();
    QVERIFY(view);
    view->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view.get()));
    // The owning frame hears of the start and of the end, however the edit ends.
    QList<std::pair<CInplaceEdit*, bool>> told;
    CInplaceEdit::InstallFrameHook(this, [&told](CInplaceEdit* p, bool bEditing) { told.append({p, bEditing}); });
    const auto removeHook = qScopeGuard([this] { CInplaceEdit::RemoveFrameHook(this); });
    SendKey(view.get(), Qt::Key_F2);
    CInplaceEdit* pEdit = view->Editor();
    QVERIFY(pEdit->IsActive());
    QCOMPARE(told, (QList<std::pair<CInplaceEdit*, bool>>{{pEdit, true}}));
    QCOMPARE(CInplaceEdit::ActiveEditor(), pEdit);
    QVERIFY(pEdit->isVisible());
    QCOMPARE(pEdit->text(), QStringLiteral("0-0"));
    QCOMPARE(pEdit->cursorPosition(), 3);
    QVERIFY(!pEdit->hasSelectedText());
    TypeText(pEdit, typed);
    if (endKey != 0)
        SendKey(pEdit, endKey);
    else
        view->setFocus(Qt::MouseFocusReason);
    QVERIFY(!pEdit->IsActive());
    QVERIFY(!pEdit->isVisible());
    QCOMPARE(CInplaceEdit::ActiveEditor(), nullptr);
    QCOMPARE(told, (QList<std::pair<CInplaceEdit*, bool>>{{pEdit, true}, {pEdit, false}}));
    QCOMPARE(view->CellText(0, 0), text);
    QCOMPARE(view->m_nCommits, commits);
    // An editor destroyed while editing is reported gone, so the frame gets its keys back.
    SendKey(view.get(), Qt::Key_F2);
    delete pEdit;
    QCOMPARE(told.size(), 4);
    QCOMPARE(told.last().second, false);
}

void TestGridView::inplaceEditSuspendsShortcuts()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    SendKey(view.get(), Qt::Key_F2);
    CInplaceEdit* pEdit = view->Editor();
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Delete, Qt::NoModifier);
    override.ignore();
    QCoreApplication::sendEvent(pEdit, &override);
    QVERIFY(override.isAccepted());
    pEdit->End(false);
    // A press elsewhere closes the active editor with a commit.
    SendKey(view.get(), Qt::Key_F2);
    TypeText(pEdit, QStringLiteral("!"));
    CInplaceEdit::CloseUnlessInside(pEdit);
    QVERIFY(pEdit->IsActive());
    CInplaceEdit::CloseUnlessInside(view->viewport());
    QVERIFY(!pEdit->IsActive());
    QCOMPARE(view->CellText(0, 0), QStringLiteral("0-0!"));
}

void TestGridView::wheelPanning()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QWidget* pViewport = view->viewport();
    const QPoint press(150, 120);
    QTest::mousePress(pViewport, Qt::MiddleButton, {}, press);
    CWheelOriginWnd* pOrigin = view->WheelOrigin();
    QVERIFY(pOrigin);
    QCOMPARE(pOrigin->State(), CWheelOriginWnd::Waiting);
    // A quick click: released before the delay, panning still starts once it has passed.
    QTest::mouseRelease(pViewport, Qt::MiddleButton, {}, press);
    pOrigin->Poll();
    QCOMPARE(pOrigin->State(), CWheelOriginWnd::Waiting);
    CClock::Advance(200);
    pOrigin->Poll();
    QCOMPARE(pOrigin->State(), CWheelOriginWnd::Panning);
    QVERIFY(pOrigin->isVisible());
    QCOMPARE(pOrigin->geometry(), QRect(press - QPoint(12, 12), QSize(24, 24)));
    // 20 pixels down: an overflow of 14, (4 * 14^3) / 20 / 20 + 1 = 28 pixels per tick.
    SendMouse(pOrigin, QEvent::MouseMove, press + QPoint(0, 20), pViewport, Qt::NoButton, Qt::NoButton);
    pOrigin->Poll();
    QCOMPARE(pOrigin->Direction(), CScrollDirection::PanDown);
    QCOMPARE(view->ScrollPos(1), 28);
    pOrigin->Poll();
    QCOMPARE(view->ScrollPos(1), 56);
    // A wheel turn ends panning and scrolls no rows; the position snaps on in the last direction.
    QPointer<CWheelOriginWnd> guard(pOrigin);
    SendWheel(pViewport, -120);
    QCOMPARE(view->WheelOrigin(), nullptr);
    QCOMPARE(view->ScrollPos(1), 60);
    QTRY_VERIFY(guard.isNull());
}

void TestGridView::wheelPanningCancelledByEscape()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QTest::mousePress(view->viewport(), Qt::MiddleButton, {}, QPoint(150, 120));
    QVERIFY(view->WheelOrigin());
    SendKey(view.get(), Qt::Key_Escape);
    QCOMPARE(view->WheelOrigin(), nullptr);
    CClock::Advance(500);
    QCOMPARE(view->ScrollPos(1), 0);
    // Keys reach the grid again.
    SendKey(view.get(), Qt::Key_Down);
    QCOMPARE(view->Selection().CursorRow(), 1);
}

void TestGridView::dropFeedbackAndEdgeScroll()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QWidget* pViewport = view->viewport();
    QMimeData mime;
    mime.setText(QStringLiteral("落とした"));
    const QPoint pt = CellPoint(*view, 1, 2);
    QDragEnterEvent enter(pt, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pViewport, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(view->DropFeedbackRange(), CRange::Cell(1, 2));

    // Near the bottom edge the drag scrolls, after the delay, one row per step.
    const QPoint edge(pt.x(), pViewport->height() - 3);
    QDragMoveEvent move(edge, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pViewport, &move);
    QVERIFY(view->DropFeedbackRange().IsEmpty());
    QCOMPARE(view->DropTarget()->LastCode(), 0x01FFu);
    QCOMPARE(view->ScrollPos(1), 0);
    CClock::Advance(50);
    view->DropTarget()->Tick();
    QCOMPARE(view->ScrollPos(1), 20);
    view->DropTarget()->Tick();
    QCOMPARE(view->ScrollPos(1), 20); // the interval has not passed
    CClock::Advance(50);
    view->DropTarget()->Tick();
    QCOMPARE(view->ScrollPos(1), 40);

    // Back inside: feedback again, and the drop lands on the target cell.
    QDragMoveEvent back(pt, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pViewport, &back);
    QCOMPARE(view->DropTarget()->LastCode(), CGridOleDropTarget::NoCode);
    const QPoint target = view->HitTest(pt.x(), pt.y());
    QCOMPARE(view->DropFeedbackRange(), CRange::Cell(target.x(), target.y()));
    QDropEvent drop(pt, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pViewport, &drop);
    QCOMPARE(view->m_nDrops, 1);
    QCOMPARE(view->CellText(target.x(), target.y()), QStringLiteral("落とした"));
    QVERIFY(view->DropFeedbackRange().IsEmpty());
}

void TestGridView::paintsGridSelectionAndFrame()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QWidget* pViewport = view->viewport();
    QTest::mouseClick(pViewport, Qt::LeftButton, {}, CellPoint(*view, 1, 1));
    QTest::mouseClick(pViewport, Qt::LeftButton, Qt::ShiftModifier, CellPoint(*view, 2, 2));
    const QImage image = pViewport->grab().toImage();
    const QRect rcAnchor = view->CellToRect(1, 1, true);
    const QRect rcSelected = view->CellToRect(2, 2, true);
    const QRect rcPlain = view->CellToRect(3, 4, true);
    // Grid lines on the last pixel row and column of every cell.
    QCOMPARE(image.pixelColor(rcPlain.left() + 2, rcPlain.bottom()), QColor(192, 192, 192));
    QCOMPARE(image.pixelColor(rcPlain.right(), rcPlain.top() + 2), QColor(192, 192, 192));
    QCOMPARE(image.pixelColor(rcPlain.right() - 1, rcPlain.bottom() - 1), QColor(255, 255, 255));
    // The selection colour, and the inverted frame on the anchor.
    QCOMPARE(image.pixelColor(rcSelected.right() - 2, rcSelected.bottom() - 2), QColor(0, 0, 160));
    QCOMPARE(image.pixelColor(rcAnchor.left(), rcAnchor.top()), QColor(255, 255, 95));
    QCOMPARE(image.pixelColor(rcAnchor.right() - 1, rcAnchor.top() + 3), QColor(255, 255, 95));
    // The header columns look like buttons.
    QCOMPARE(image.pixelColor(2, rcPlain.top() + 2), QColor(224, 224, 224));
}

void TestGridView::inactiveViewHidesSelection()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellPoint(*view, 1, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellPoint(*view, 2, 2));
    QRegion rgn;
    QVERIFY(view->GetSelectionRgn(rgn));
    view->OnActivateView(false);
    QVERIFY(!view->GetSelectionRgn(rgn));
    QCOMPARE(view->FramePos(), QPoint(-1, -1));
    view->OnActivateView(true);
    QVERIFY(view->GetSelectionRgn(rgn));
    QCOMPARE(view->FramePos(), QPoint(1, 1));
}

void TestGridView::paintTouchesOnlyVisibleCells()
{
    ViewPtr view = MakeView(1000000);
    QVERIFY(view);
    const int nVisible = (view->viewport()->height() / 20 + 2) * 5;
    view->viewport()->repaint();
    QVERIFY(view->m_nCellsDrawn > 0);
    QVERIFY(view->m_nCellsDrawn <= nVisible);
    SendKey(view.get(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(view->Selection().CursorRow(), 999999);
    view->viewport()->repaint();
    QVERIFY(view->m_nCellsDrawn > 0);
    QVERIFY(view->m_nCellsDrawn <= nVisible);
    QCOMPARE(view->ScrollPos(1), view->Geometry().ScrollLimit(1));
    // Thumb tracking far beyond 16383 pixels uses the full position.
    view->verticalScrollBar()->setSliderPosition(10000000);
    QCOMPARE(view->ScrollPos(1), 10000000);
}

void TestGridView::goToRowCentresFarRows()
{
    ViewPtr view = MakeView(1000000);
    QVERIFY(view);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, CellPoint(*view, 2, 1));
    const int nPage = (view->viewport()->height() - 24) / 20;
    view->GoToRow(-1, 500000);
    QCOMPARE(QPoint(view->Selection().CursorCol(), view->Selection().CursorRow()), QPoint(2, 500000));
    QCOMPARE(view->ScrollPos(1), 20 * (500000 - (nPage + 1) / 2));
    const QRect rc = view->CellToRect(2, 500000, false);
    QVERIFY(rc.top() > view->viewport()->height() / 3);
    QVERIFY(rc.bottom() < view->viewport()->height() * 2 / 3 + 20);
    // A row just below the page scrolls by a page, not by centring.
    const int nBefore = view->ScrollPos(1);
    view->GoToRow(-1, 500000 + nPage);
    QCOMPARE(view->Selection().CursorRow(), 500000 + nPage);
    QVERIFY(view->ScrollPos(1) > nBefore);
    QVERIFY(view->CellToRect(2, 500000 + nPage, false).bottom() < view->viewport()->height());
}

void TestGridView::printMetricsFromPrinter()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QDir::temp().filePath(QStringLiteral("pennyfold-grid-print.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    view->BeginPrinting(printer);
    const CPrintMetrics& m = view->PrintMetrics();
    QVERIFY(m.m_nScale >= 1);
    QCOMPARE(m.m_nPenWidth, printer.logicalDpiY() / 120 + 1);
    QVERIFY(m.m_nRowHeight > 1);
    QVERIFY(m.m_rcArea.width() > 0 && m.m_rcArea.height() > 0);
    QVERIFY(m.LinesPerPage() >= 1);
    QCOMPARE(view->PrintPen().width(), m.m_nPenWidth);
    view->EndPrinting();
}

void TestGridView::headerPaintsTitles()
{
    ViewPtr view = MakeView();
    QVERIFY(view);
    CScrollHeader* pHeader = view->ColumnHeader();
    QCOMPARE(pHeader->Title(5), QStringLiteral("摘要"));
    QCOMPARE(pHeader->Format(5), unsigned(SHF_SPREAD));
    const QImage image = pHeader->grab().toImage();
    // The button face fills the header and the titles put text on it.
    QCOMPARE(image.pixelColor(60, 4), QColor(224, 224, 224));
    int nInk = 0;
    for (int x = 41; x < 119; ++x) {
        for (int y = 2; y < 22; ++y) {
            if (image.pixelColor(x, y).lightness() < 128)
                ++nInk;
        }
    }
    QVERIFY(nInk > 0);
    // The header scrolls with the grid: the first data title leaves when scrolled.
    view->horizontalScrollBar()->setSliderPosition(view->Geometry().ScrollLimit(0));
    QVERIFY(view->ScrollPos(0) > 0);
}

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"

#include "DemoGridView.h"
#include "TestGridSettings.h"

#include "grid/GridFlags.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

using ViewPtr = std::unique_ptr<CDemoGridView>;

ViewPtr MakeView(int nRows, const QSize& size)
{
    auto view = std::make_unique<CDemoGridView>(nRows);
    view->resize(size);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    QCoreApplication::processEvents();
    return view;
}

} // namespace

// How often the grid lays out, and what a reader sees while a layout is pending.
class TestGridLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void settersLayOutOnce_data();
    void settersLayOutOnce();
    void readerSeesNewLayout();
    void pendingLayoutRunsBeforePaint();
    void barActionsOfTwoViewsInterleave();
    void smoothScrollLeavesEventLoopRunning();

private:
    CTestGridSettings m_settings;
};

void TestGridLayout::initTestCase()
{
    CGridSettings::Install(&m_settings);
}

void TestGridLayout::init()
{
    m_settings.m_bSmooth = false;
}

void TestGridLayout::settersLayOutOnce_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("column widths") << 0;
    QTest::newRow("row heights") << 1;
    QTest::newRow("counts and frozen part") << 2;
    QTest::newRow("flags and sizes") << 3;
}

// What one user action does (a font change, a new layout, rows inserted): many setters in a
// row, and one layout for all of them once the event is over.
void TestGridLayout::settersLayOutOnce()
{
    QFETCH(int, kind);
    ViewPtr view = MakeView(100, QSize(400, 300));
    QVERIFY(view);
    QVERIFY(!view->IsLayoutPending());
    const int nBefore = view->LayoutCount();
    switch (kind) {
    case 0:
        for (int c = 1; c <= 5; ++c)
            view->SetColWidth(c, 100 + c);
        break;
    case 1:
        for (int r = 1; r <= 20; ++r)
            view->SetRowHeight(r, 22 + r % 3);
        break;
    case 2:
        view->SetScrollingCount(150, -1);
        view->SetFixedCount(2, 2);
        view->SetGridSize(1 + 120, 1 + 5, 90, 21);
        break;
    default:
        view->SetLayoutFlags(GVF_EXTEND_LASTCOL);
        view->SetColWidth(2, 30);
        view->SetRowHeight(3, 40);
        view->SetLayoutFlags(0);
        break;
    }
    QCOMPARE(view->LayoutCount(), nBefore);
    QVERIFY(view->IsLayoutPending());
    QCoreApplication::processEvents();
    QCOMPARE(view->LayoutCount(), nBefore + 1);
    QVERIFY(!view->IsLayoutPending());
    // Painting after it needs no further layout.
    view->viewport()->repaint();
    QCOMPARE(view->LayoutCount(), nBefore + 1);
}

void TestGridLayout::readerSeesNewLayout()
{
    // Five columns of 80 fit in 500 pixels: no horizontal bar, and nothing to scroll.
    ViewPtr view = MakeView(3, QSize(500, 200));
    QVERIFY(view);
    QVERIFY(!view->Geometry().HasBar(0));
    const int nBefore = view->LayoutCount();
    view->SetColWidth(3, 600); // the third data column
    // Read at once, before any event: the reader lays out and sees the wider column and the bar.
    QCOMPARE(view->CellToRect(2, 0, false).left(), 40 + 80 + 80);
    QCOMPARE(view->CellToRect(2, 0, false).width(), 600);
    QVERIFY(view->Geometry().HasBar(0));
    QVERIFY(view->ScrollTo(0, 200, 0, true));
    QCOMPARE(view->ScrollPos(0), 200);
    QCOMPARE(view->LayoutCount(), nBefore + 1);
    QCoreApplication::processEvents();
    QVERIFY(view->horizontalScrollBar()->isVisible());
    QCOMPARE(view->horizontalScrollBar()->value(), 200);
}

void TestGridLayout::pendingLayoutRunsBeforePaint()
{
    ViewPtr view = MakeView(3, QSize(500, 200));
    QVERIFY(view);
    // A grab paints without the event loop: the paint lays out first.
    view->SetColWidth(1, 300);
    QVERIFY(view->IsLayoutPending());
    const QImage image = view->viewport()->grab().toImage();
    QVERIFY(!view->IsLayoutPending());
    // The grid line of the widened column is drawn at its new right edge.
    QCOMPARE(image.pixelColor(40 + 300 - 1, 60), m_settings.GridColor(10));
    QVERIFY(image.pixelColor(40 + 80 - 1, 60) != m_settings.GridColor(10));
}

// Two panes scrolled together: a bar action on one scrolls the other through its own bar.
// Each view guards against its own re-entry only.
void TestGridLayout::barActionsOfTwoViewsInterleave()
{
    ViewPtr left = MakeView(100, QSize(300, 200));
    ViewPtr right = MakeView(100, QSize(300, 200));
    QVERIFY(left && right);
    int nRelayed = 0;
    connect(left.get(), &CGridView::Scrolled, right.get(), [&] {
        ++nRelayed;
        right->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    });
    left->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(nRelayed, 1);
    QCOMPARE(left->ScrollPos(1), 20);
    QCOMPARE(right->ScrollPos(1), 20);
    QCOMPARE(right->verticalScrollBar()->value(), 20);
    // And the other way round, while the first view's handler is not running.
    right->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QVERIFY(right->ScrollPos(1) > 20);
    QCOMPARE(left->ScrollPos(1), 20);
}

void TestGridLayout::smoothScrollLeavesEventLoopRunning()
{
    m_settings.m_bSmooth = true;
    ViewPtr view = MakeView(100, QSize(400, 300));
    QVERIFY(view);
    view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    // The call returns after the first step, and other timers run while the rest follows.
    QVERIFY(view->IsSmoothScrolling());
    int nTicks = 0;
    QTimer other;
    connect(&other, &QTimer::timeout, this, [&] { ++nTicks; });
    other.start(1);
    QTRY_VERIFY(!view->IsSmoothScrolling());
    QVERIFY(nTicks > 0);
    const int nPage = view->Geometry().PageSize(1);
    QCOMPARE(view->ScrollPos(1), nPage / 20 * 20);
    QCOMPARE(view->verticalScrollBar()->value(), view->ScrollPos(1));
}

QTEST_MAIN(TestGridLayout)
#include "tst_gridlayout.moc"

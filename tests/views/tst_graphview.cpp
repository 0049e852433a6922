// The graph view driven as the menus, the toolbar and the navigation pane drive it, and what
// its paint puts on the screen.
#include "tests/summary/SummaryLedger.h"

#include "command/CmdUI.h"
#include "command/CommandIds.h"
#include "platform/Clock.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"
#include "register/CofferView.h"
#include "summary/GraphPropPage1.h"
#include "summary/GraphPropSheet.h"
#include "summary/GraphView.h"
#include "summary/PeriodMode.h"

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QPainter>
#include <QtTest>

#include <memory>

namespace {

constexpr PackedDate D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}

// Lines from November 2023 to March 2024; a big food bill in January, dollars in March.
SLines Lines()
{
    return {Line(D(2023, 11, 3), CAT_FOOD, -U(500)),        Line(D(2024, 1, 25), CAT_INCOME, U(300000)),
            Line(D(2024, 1, 26), CAT_FOOD, -U(98765)),      Line(D(2024, 3, 2), CAT_FOOD, -U(1200)),
            Line(D(2024, 3, 2), CAT_HOUSING, -U(700)),      Line(D(2024, 3, 5), CAT_FOOD, -U(10), 1),
            Line(D(2024, 3, 10), CAT_FOOD, -U(800)),        Budget(D(2024, 3, 1), QStringLiteral("食料"), -U(1000))};
}

bool Enabled(CGraphView& view, int nID, bool* pChecked = nullptr)
{
    CCmdUI ui(nID);
    const bool bAnswered = view.UpdateCommand(ui);
    if (pChecked != nullptr)
        *pChecked = ui.m_bChecked;
    return bAnswered && ui.m_bEnabled;
}

// Colours that tell the slots apart in a drawing.
QColor SlotColor(int nSlot)
{
    switch (nSlot) {
    case CGraphLayout::SLOT_BACKGROUND: return QColor(255, 255, 255);
    case CGraphLayout::SLOT_TEXT: return QColor(0, 0, 255);
    case CGraphLayout::SLOT_BAR: return QColor(0, 200, 100);
    case CGraphLayout::SLOT_BAR_NEGATIVE: return QColor(200, 100, 0);
    case CGraphLayout::SLOT_AVERAGE: return QColor(250, 0, 250);
    case CGraphLayout::SLOT_BUDGET: return QColor(0, 250, 250);
    case CGraphLayout::SLOT_GRID: return QColor(128, 128, 128);
    case CGraphLayout::SLOT_PLOT: return QColor(240, 240, 200);
    default: return QColor(10, 10, 10);
    }
}

std::uint32_t Rgb(const QColor& c)
{
    return (std::uint32_t(c.red()) << 16) | (std::uint32_t(c.green()) << 8) | std::uint32_t(c.blue());
}

QRgb Pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xffffff;
}

// The key's column among the view's columns.
int ColumnOf(const CGraphView& view, int nKey)
{
    const std::vector<std::uint32_t>& keys = view.Series().GetColumnKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (int(keys[i]) == nKey)
            return int(i);
    }
    return -1;
}

// The view at 1000 × 700 in a window of its own, painted once.
QImage Paint(CGraphView& view)
{
    view.setFrameShape(QFrame::NoFrame);
    view.resize(1000, 700);
    view.show();
    // The scroll bars settle once the layout requests are handled.
    QCoreApplication::processEvents();
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Grid lines are drawn one pixel wide under the bars.
bool OnGridLine(const CGraphLayout& layout, int x, int y)
{
    for (const QLine& line : layout.GridLines()) {
        if (line.x1() == line.x2() && line.x1() == x && y >= std::min(line.y1(), line.y2()) &&
            y <= std::max(line.y1(), line.y2()))
            return true;
        if (line.y1() == line.y2() && line.y1() == y && x >= std::min(line.x1(), line.x2()) &&
            x <= std::max(line.x1(), line.x2()))
            return true;
    }
    return false;
}

// Typed as a user types, one key at a time.
void Type(QWidget* pField, const QString& str)
{
    for (const QChar ch : str)
        QTest::sendKeyEvent(QTest::KeyAction::Click, pField, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void MoveMouse(CGraphView& view, const QPoint& pos)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), view.viewport()->mapToGlobal(QPointF(pos)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &event);
}

} // namespace

class TestGraphView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensOnTheLastMonthsExpenses();
    void periodModes_data();
    void periodModes();
    void periodSteps_data();
    void periodSteps();
    void categoryCommandsWrap_data();
    void categoryCommandsWrap();
    void nextCurrencyWraps();
    void navigationPane();
    void paintFillsBarsAsTheLayoutSays_data();
    void paintFillsBarsAsTheLayoutSays();
    void barBeyondTheScaleIsMarked();
    void smallWindowScrollsOverTheMinimumArea();
    void tooltip();
    void updatesFollowTheLedger();
    void categoryMoveKeepsTheShownCategory();
    void secondWindowStartsAsTheFirst();
    void scalePageShowsTheDrawnAxis();
    void scalePageTakesATypedAxis();
    void scalePageRefuses_data();
    void scalePageRefuses();
    void formatCommandOpensTheSheet();

private:
    std::unique_ptr<CCofferDoc> m_pDoc;
};

void TestGraphView::init()
{
    CClock::SetNow(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    m_pDoc = MakeLedger(Lines());
    CCofferView::SetColorProvider(SlotColor);
}

void TestGraphView::cleanup()
{
    CCofferView::SetColorProvider(nullptr);
    CGraphView::SetBarGapProvider(nullptr);
    m_pDoc.reset();
    CClock::Reset();
}

void TestGraphView::opensOnTheLastMonthsExpenses()
{
    CGraphView view(*m_pDoc);
    QCOMPARE(view.PeriodMode(), int(PERIOD_MONTH));
    QCOMPARE(view.Currency(), 0);
    QCOMPARE(DateYear(view.PeriodDate()), 2024);
    QCOMPARE(DateMonth(view.PeriodDate()), 3);
    QCOMPARE(view.Series().GetKey(), 2);
    QVERIFY(view.Series().IsAttribute());
    QCOMPARE(view.Series().GetPeriodCount(), 31);
    QVERIFY(!view.IsSpecified());
}

void TestGraphView::periodModes_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("periods");
    QTest::addColumn<QList<bool>>("steps"); // 前年, 翌年, 前月, 翌月
    QTest::newRow("１か月表示") << int(ID_PERIOD_MONTH) << 31 << QList<bool>{true, true, true, true};
    QTest::newRow("１年表示") << int(ID_PERIOD_YEAR) << 12 << QList<bool>{true, true, false, false};
    QTest::newRow("全期間表示: 2023 and 2024") << int(ID_PERIOD_ALL) << 2 << QList<bool>{false, false, false, false};
    QTest::newRow("連続表示: 2023:Ⅳ and 2024:Ⅰ") << int(ID_PERIOD_SERIAL) << 2
                                                << QList<bool>{false, false, false, false};
}

void TestGraphView::periodModes()
{
    QFETCH(int, command);
    QFETCH(int, periods);
    QFETCH(QList<bool>, steps);
    CGraphView view(*m_pDoc);
    QVERIFY(view.ExecuteCommand(command));
    QCOMPARE(view.PeriodMode(), command - ID_PERIOD_MONTH);
    QCOMPARE(view.Series().GetPeriodCount(), periods);
    for (int nID = ID_PERIOD_MONTH; nID <= ID_PERIOD_SERIAL; ++nID) {
        bool bChecked = false;
        QVERIFY(Enabled(view, nID, &bChecked));
        QCOMPARE(bChecked, nID == command);
    }
    for (int i = 0; i < 4; ++i)
        QCOMPARE(Enabled(view, ID_MOVE_PREV_YEAR + i), steps.at(i));
    // A disabled step that still arrives changes nothing.
    const PackedDate before = view.PeriodDate();
    for (int i = 0; i < 4; ++i) {
        if (!steps.at(i)) {
            view.ExecuteCommand(ID_MOVE_PREV_YEAR + i);
            QCOMPARE(view.PeriodDate(), before);
        }
    }
    // The pane shows at most "all periods".
    QCOMPARE(view.NaviState().nMode, std::min(command - ID_PERIOD_MONTH, int(PERIOD_ALL)));
}

void TestGraphView::periodSteps_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::newRow("前月") << int(ID_MOVE_PREV_MONTH) << 2024 << 2;
    QTest::newRow("翌月 beyond the last date stays in the last month") << int(ID_MOVE_NEXT_MONTH) << 2024 << 3;
    QTest::newRow("前年 before the first date stays in the first month") << int(ID_MOVE_PREV_YEAR) << 2023 << 11;
}

void TestGraphView::periodSteps()
{
    QFETCH(int, command);
    QFETCH(int, year);
    QFETCH(int, month);
    CGraphView view(*m_pDoc);
    QVERIFY(view.ExecuteCommand(command));
    QCOMPARE(DateYear(view.PeriodDate()), year);
    QCOMPARE(DateMonth(view.PeriodDate()), month);
    QCOMPARE(DateYear(view.Series().GetPeriodDate()), year);
    QCOMPARE(DateMonth(view.Series().GetPeriodDate()), month);
}

void TestGraphView::categoryCommandsWrap_data()
{
    QTest::addColumn<bool>("fromLast");
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("toLast");
    QTest::newRow("前の費目 from the first goes to the last") << false << int(ID_MOVE_PREV_CATEGORY) << true;
    QTest::newRow("次の費目 from the last goes to the first") << true << int(ID_MOVE_NEXT_CATEGORY) << false;
}

void TestGraphView::categoryCommandsWrap()
{
    QFETCH(bool, fromLast);
    QFETCH(int, command);
    QFETCH(bool, toLast);
    CGraphView view(*m_pDoc);
    const int nLast = int(view.Series().GetColumnKeys().size()) - 1;
    QVERIFY(nLast > 2);
    view.OnNaviCategory(fromLast ? nLast : 0);
    QVERIFY(Enabled(view, ID_MOVE_PREV_CATEGORY));
    QVERIFY(Enabled(view, ID_MOVE_NEXT_CATEGORY));
    QVERIFY(view.ExecuteCommand(command));
    QCOMPARE(view.Column(), toLast ? nLast : 0);
    QCOMPARE(view.Series().GetColumn(), view.Column());
    // And one step inwards.
    QVERIFY(view.ExecuteCommand(command == ID_MOVE_NEXT_CATEGORY ? ID_MOVE_NEXT_CATEGORY : ID_MOVE_PREV_CATEGORY));
    QCOMPARE(view.Column(), toLast ? nLast - 1 : 1);
}

void TestGraphView::nextCurrencyWraps()
{
    CGraphView view(*m_pDoc);
    QVERIFY(Enabled(view, ID_MOVE_NEXT_CURRENCY));
    QVERIFY(view.ExecuteCommand(ID_MOVE_NEXT_CURRENCY));
    QCOMPARE(view.Currency(), 1);
    QCOMPARE(view.Series().GetCurrencyFormat().m_strSymbol, QStringLiteral("$"));
    QVERIFY(view.ExecuteCommand(ID_MOVE_NEXT_CURRENCY));
    QCOMPARE(view.Currency(), 0);
}

void TestGraphView::navigationPane()
{
    CGraphView view(*m_pDoc);
    INaviTarget& target = view;
    QCOMPARE(target.NaviState().nKind, int(VIEW_GRAPH));
    // A day outside the ledger is held at its bounds.
    target.OnNaviDate(D(2001, 5, 5));
    QCOMPARE(DateMonth(view.PeriodDate()), 11);
    QCOMPARE(DateYear(view.PeriodDate()), 2023);
    target.OnNaviDate(D(2024, 1, 20));
    QCOMPARE(view.PeriodDate(), D(2024, 1, 20));
    // An unknown currency is ignored.
    target.OnNaviCurrency(1);
    target.OnNaviCurrency(2);
    target.OnNaviCurrency(-1);
    QCOMPARE(view.Currency(), 1);
    QCOMPARE(target.NaviState().nCurrency, 1);
    // The category tree names the columns; the chosen one is shown.
    const QStringList titles = target.NaviCategoryTitles();
    QCOMPARE(titles.size(), int(view.Series().GetColumnKeys().size()));
    const int nFood = ColumnOf(view, Key(CAT_FOOD));
    QCOMPARE(titles.at(nFood), QStringLiteral("食料"));
    target.OnNaviCategory(nFood);
    QCOMPARE(view.Series().GetKey(), Key(CAT_FOOD));
    QCOMPARE(target.NaviState().nCategory, nFood);
    target.OnNaviCategory(-1);
    QCOMPARE(view.Column(), nFood);
    // A column beyond the list shows the first.
    target.OnNaviCategory(int(titles.size()));
    QCOMPARE(view.Column(), 0);
}

void TestGraphView::paintFillsBarsAsTheLayoutSays_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("barGap");
    QTest::newRow("食料: plain bars") << Key(CAT_FOOD) << 50;
    QTest::newRow("支出計: stacked bars") << 2 << 50;
    QTest::newRow("食料 without a gap") << Key(CAT_FOOD) << 0;
}

void TestGraphView::paintFillsBarsAsTheLayoutSays()
{
    QFETCH(int, key);
    QFETCH(int, barGap);
    CGraphView::SetBarGapProvider([barGap] { return barGap; });
    CGraphView view(*m_pDoc);
    view.OnNaviCategory(ColumnOf(view, key));
    const QImage image = Paint(view);
    const CGraphLayout& layout = view.ScreenLayout();
    QVERIFY(view.HasHitTest());
    QCOMPARE(image.size(), QSize(1000, 700));
    QCOMPARE(layout.Plot().width() + layout.LabelWidth() + layout.LegendWidth(), 1000);

    // 3/2 and 3/10 have bars (two stacked segments on 3/2 for the total).
    QVERIFY(!layout.BarRects().at(1).isEmpty());
    QVERIFY(!layout.BarRects().at(9).isEmpty());
    QVERIFY(layout.BarRects().at(0).isEmpty());
    int nDrawn = 0;
    for (const CGraphLayout::SBar& bar : layout.Bars()) {
        const QRect& rc = bar.m_rc;
        // A period without a value has an empty bar.
        if (rc.isEmpty())
            continue;
        ++nDrawn;
        QVERIFY(rc.width() >= 3 && rc.height() >= 3);
        const std::uint32_t nColor = bar.m_nPalette >= 0 ? CGraphSeries::PaletteColor(bar.m_nPalette)
                                                         : Rgb(SlotColor(bar.m_nSlot));
        const int y = rc.top() + rc.height() / 2;
        const int x0 = rc.left();
        const int x1 = rc.left() + rc.width();
        // Shaded column by column inside a black outline, the plot's colour just outside.
        QCOMPARE(Pixel(image, x0, y), QRgb(0));
        QCOMPARE(Pixel(image, x1 - 1, y), QRgb(0));
        QCOMPARE(Pixel(image, x0 + 1, y), QRgb(CGraphLayout::Shade(nColor, x0 + 1, x0, x1)));
        QCOMPARE(Pixel(image, x1 - 2, y), QRgb(CGraphLayout::Shade(nColor, x1 - 2, x0, x1)));
        if (barGap > 0) {
            for (int x : {x0 - 2, x1 + 1}) {
                if (!OnGridLine(layout, x, y))
                    QCOMPARE(Pixel(image, x, y), Rgb(SlotColor(CGraphLayout::SLOT_PLOT)));
            }
        }
    }
    QCOMPARE(nDrawn, key == 2 ? 3 : 2);
    // The plot of an empty day and the band of the title.
    const QRect& rcEmpty = QRect(layout.SlotX(15) + 2, layout.Plot().top() + 5, 3, 3);
    QCOMPARE(Pixel(image, rcEmpty.left(), layout.AmountY(0) - 3), Rgb(SlotColor(CGraphLayout::SLOT_PLOT)));
    QCOMPARE(Pixel(image, 1, 1), Rgb(SlotColor(CGraphLayout::SLOT_BACKGROUND)));
    QVERIFY(!layout.ClippedAtTop());
}

void TestGraphView::barBeyondTheScaleIsMarked()
{
    CGraphView view(*m_pDoc);
    view.OnNaviCategory(ColumnOf(view, Key(CAT_FOOD)));
    // 0 to 1,000 yen: the 1,200 yen of 3/2 is cut at the top.
    view.SetScale(true, CGraphScale(U(200), 0, 5));
    QVERIFY(view.IsSpecified());
    QCOMPARE(view.Series().GetScale(), CGraphScale(U(200), 0, 5));
    const QImage image = Paint(view);
    const CGraphLayout& layout = view.ScreenLayout();
    QVERIFY(layout.ClippedAtTop());
    QCOMPARE(layout.BarRects().at(1).top(), layout.Plot().top());
    const std::array<QPoint, 3> mark = layout.TopMark();
    const QPoint inside((mark[0].x() + mark[1].x() + mark[2].x()) / 3, (mark[0].y() + mark[1].y() + mark[2].y()) / 3);
    QCOMPARE(Pixel(image, inside.x(), inside.y()), QRgb(0xff0000));
    // Its outline is black.
    QCOMPARE(Pixel(image, mark[2].x(), mark[2].y()), QRgb(0));
}

void TestGraphView::smallWindowScrollsOverTheMinimumArea()
{
    CGraphView view(*m_pDoc);
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.AreaSize(), QSize(640, 400));
    QCOMPARE(view.horizontalScrollBar()->maximum(), 640 - view.viewport()->width());
    QCOMPARE(view.verticalScrollBar()->maximum(), 400 - view.viewport()->height());
    view.resize(900, 600);
    QCOMPARE(view.AreaSize(), view.viewport()->size());
    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
}

void TestGraphView::tooltip()
{
    CGraphView view(*m_pDoc);
    view.OnNaviCategory(ColumnOf(view, Key(CAT_FOOD)));
    Paint(view);
    const CGraphLayout& layout = view.ScreenLayout();
    const QRect rcBar = layout.BarRects().at(1);
    const QPoint onBar = rcBar.center();
    QVERIFY(!view.IsTipActive());
    MoveMouse(view, onBar);
    QCOMPARE(view.TipText(), layout.TipText(view.Series(), onBar.x(), onBar.y()));
    QVERIFY(view.TipText().startsWith(QStringLiteral("2日\n")));
    QVERIFY(view.TipText().contains(QStringLiteral("食料: ")));
    QVERIFY(view.TipText().contains(QStringLiteral("\n平均: ")));
    QVERIFY(view.TipTimer().isActive());
    QCOMPARE(view.TipTimer().interval(), 200);
    // Off the bars the tip goes away.
    MoveMouse(view, QPoint(layout.SlotX(20) + 3, onBar.y()));
    QVERIFY(view.TipText().isEmpty());
    QVERIFY(!view.TipTimer().isActive());
    // An update drops the hit test until the next drawing.
    view.ExecuteCommand(ID_PERIOD_YEAR);
    QVERIFY(!view.HasHitTest());
    MoveMouse(view, onBar);
    QVERIFY(view.TipText().isEmpty());
}

void TestGraphView::updatesFollowTheLedger()
{
    CGraphView view(*m_pDoc);
    view.OnNaviCategory(ColumnOf(view, Key(CAT_FOOD)));
    view.OnNaviCurrency(1);
    // A currency list change follows the shown currency to its new place.
    view.OnUpdate(nullptr, SCurrenciesRemapped{{1, 0}});
    QCOMPARE(view.Currency(), 0);
    QCOMPARE(view.Column(), ColumnOf(view, Key(CAT_FOOD)));
    // A refresh starts again from the expense total.
    view.OnUpdate(nullptr, SRefresh{});
    QCOMPARE(view.Series().GetKey(), 2);
}

void TestGraphView::categoryMoveKeepsTheShownCategory()
{
    CGraphView view(*m_pDoc);
    view.OnNaviCategory(ColumnOf(view, Key(CAT_FOOD)));
    const std::vector<Amount> before = view.Series().GetValues();
    // 食料 and the category after it change places.
    std::vector<CCategory> cats = m_pDoc->Categories();
    std::swap(cats[CAT_FOOD], cats[CAT_FOOD + 1]);
    std::vector<int> prev(cats.size());
    for (std::size_t i = 0; i < prev.size(); ++i)
        prev[i] = int(i);
    std::swap(prev[CAT_FOOD], prev[CAT_FOOD + 1]);
    QVERIFY(m_pDoc->ReplaceCategories(cats, prev));
    QCOMPARE(view.Series().GetKey(), Key(CAT_FOOD + 1));
    QCOMPARE(view.Series().GetTitle(), QStringLiteral("食料"));
    QCOMPARE(view.Series().GetValues(), before);
}

void TestGraphView::secondWindowStartsAsTheFirst()
{
    CGraphView first(*m_pDoc);
    QVERIFY(first.ExecuteCommand(ID_PERIOD_YEAR));
    QVERIFY(first.ExecuteCommand(ID_MOVE_NEXT_CATEGORY));
    QVERIFY(first.ExecuteCommand(ID_MOVE_NEXT_CURRENCY));
    first.SetScale(true, CGraphScale(U(50), -U(100), 4));
    CGraphView second(*m_pDoc, nullptr, &first);
    QCOMPARE(second.PeriodMode(), int(PERIOD_YEAR));
    QCOMPARE(second.Column(), first.Column());
    QCOMPARE(second.Currency(), 1);
    QCOMPARE(second.PeriodDate(), first.PeriodDate());
    QVERIFY(second.IsSpecified());
    QCOMPARE(second.Series().GetScale(), CGraphScale(U(50), -U(100), 4));
}

void TestGraphView::scalePageShowsTheDrawnAxis()
{
    CGraphView view(*m_pDoc);
    view.OnNaviCategory(ColumnOf(view, Key(CAT_FOOD)));
    // 800 and 1,200 yen: 0 to 1,500 yen in 5 steps of 300.
    QCOMPARE(view.Series().GetScale(), CGraphScale(U(300), 0, 5));
    CGraphPropSheet sheet(view);
    QCOMPARE(sheet.windowTitle(), QStringLiteral("グラフの詳細"));
    QCOMPARE(sheet.Tabs()->tabText(0), QStringLiteral("目盛"));
    CGraphPropPage1* pPage = sheet.ScalePage();
    QVERIFY(pPage->AutoButton()->isChecked());
    QCOMPARE(pPage->MaximumField()->text(), QStringLiteral("1500"));
    QCOMPARE(pPage->MinimumField()->text(), QStringLiteral("0"));
    QCOMPARE(pPage->CountField()->value(), 5);
    QCOMPARE(pPage->CountField()->minimum(), 1);
    QCOMPARE(pPage->CountField()->maximum(), 100);
    QVERIFY(!pPage->IsModified());
    QVERIFY(!sheet.ApplyButton()->isEnabled());
    // OK on an untouched page changes nothing.
    sheet.show();
    sheet.OkButton()->click();
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
    QVERIFY(!view.IsSpecified());
}

void TestGraphView::scalePageTakesATypedAxis()
{
    CGraphView view(*m_pDoc);
    view.OnNaviCategory(ColumnOf(view, Key(CAT_FOOD)));
    CGraphPropSheet sheet(view);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowActive(&sheet));
    CGraphPropPage1* pPage = sheet.ScalePage();
    pPage->MaximumField()->setFocus();
    pPage->MaximumField()->selectAll();
    Type(pPage->MaximumField(), QStringLiteral("1000"));
    // Typing chooses the specified axis.
    QVERIFY(pPage->SpecifiedButton()->isChecked());
    QVERIFY(sheet.ApplyButton()->isEnabled());
    sheet.ApplyButton()->click();
    QVERIFY(view.IsSpecified());
    QCOMPARE(view.UserScale(), CGraphScale(U(200), 0, 5));
    QCOMPARE(view.Series().GetScale(), CGraphScale(U(200), 0, 5));
    QVERIFY(!sheet.ApplyButton()->isEnabled());
    QVERIFY(sheet.isVisible());
    // Back to the automatic axis: the user's axis is kept for later.
    pPage->AutoButton()->click();
    sheet.OkButton()->click();
    QCOMPARE(sheet.result(), int(QDialog::Accepted));
    QVERIFY(!view.IsSpecified());
    QCOMPARE(view.Series().GetScale(), CGraphScale(U(300), 0, 5));
    QCOMPARE(view.UserScale(), CGraphScale(U(200), 0, 5));
}

void TestGraphView::scalePageRefuses_data()
{
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("minimum");
    QTest::newRow("maximum equal to the minimum") << QStringLiteral("500") << QStringLiteral("500");
    QTest::newRow("maximum below the minimum") << QStringLiteral("-10") << QStringLiteral("0");
    QTest::newRow("maximum beyond 64 bits in ten-thousandths") << QStringLiteral("922337203685478")
                                                               << QStringLiteral("0");
    QTest::newRow("minimum beyond 64 bits in ten-thousandths") << QStringLiteral("10")
                                                               << QStringLiteral("-922337203685478");
    QTest::newRow("not a number") << QStringLiteral("1万") << QStringLiteral("0");
    QTest::newRow("empty") << QString() << QStringLiteral("0");
}

void TestGraphView::scalePageRefuses()
{
    QFETCH(QString, maximum);
    QFETCH(QString, minimum);
    CRecordingMessageSink sink;
    CGraphView view(*m_pDoc);
    const CGraphScale drawn = view.Series().GetScale();
    CGraphPropSheet sheet(view);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowActive(&sheet));
    CGraphPropPage1* pPage = sheet.ScalePage();
    pPage->MinimumField()->setText(minimum);
    pPage->MaximumField()->setText(maximum);
    pPage->SpecifiedButton()->click();
    pPage->CountField()->setFocus();
    sheet.OkButton()->click();
    QVERIFY(sink.LastWas(IDS_AMOUNT_INVALID));
    QVERIFY(sheet.isVisible());
    QCOMPARE(sheet.result(), int(QDialog::Rejected));
    QCOMPARE(QApplication::focusWidget(), pPage->MaximumField());
    QVERIFY(!view.IsSpecified());
    QCOMPARE(view.Series().GetScale(), drawn);
    QCOMPARE(view.UserScale(), CGraphScale());
}

void TestGraphView::formatCommandOpensTheSheet()
{
    CGraphView view(*m_pDoc);
    QVERIFY(Enabled(view, ID_VIEW_FORMAT));
    int nAsked = 0;
    CGraphView::SetSheetHook([&nAsked](CGraphView&) { ++nAsked; });
    QVERIFY(view.ExecuteCommand(ID_VIEW_FORMAT));
    QCOMPARE(nAsked, 1);
    CGraphView::SetSheetHook(nullptr);

    // The real sheet, answered while it is modal: 0 to 600 yen in 3 steps.
    bool bSeen = false;
    QTimer::singleShot(0, this, [&bSeen] {
        auto* pSheet = qobject_cast<CGraphPropSheet*>(QApplication::activeModalWidget());
        if (pSheet == nullptr)
            return;
        bSeen = true;
        pSheet->ScalePage()->MaximumField()->setText(QStringLiteral("600"));
        pSheet->ScalePage()->MinimumField()->setText(QStringLiteral("0"));
        pSheet->ScalePage()->CountField()->setValue(3);
        pSheet->OkButton()->click();
    });
    QVERIFY(view.ExecuteCommand(ID_VIEW_FORMAT));
    QVERIFY(bSeen);
    QVERIFY(view.IsSpecified());
    QCOMPARE(view.Series().GetScale(), CGraphScale(U(200), 0, 3));
}

QTEST_MAIN(TestGraphView)
#include "tst_graphview.moc"

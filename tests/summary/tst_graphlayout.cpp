// Where the graph puts things: plot and columns, period axes, bars with their gap and
// clipping, stacks, the average and budget lines, the legend and the tooltip text. Text
// is measured as 8 pixels a character, 16 high.
#include "SummaryLedger.h"

#include "summary/GraphLayout.h"
#include "summary/GraphSeries.h"
#include "summary/PeriodMode.h"

#include <QtTest>

namespace {

constexpr PackedDate D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}

enum : int {
    COLUMN_EXPENSE_TOTAL = 1,
    COLUMN_FOOD = 3,
};

CGraphLayout::SMetrics Metrics(int nBarGap = 50)
{
    CGraphLayout::SMetrics m;
    m.m_nTextHeight = 16;
    m.m_textWidth = [](const QString& str) { return 8 * int(str.size()); };
    m.m_nCellGap = 30; // a line of 20
    m.m_nBarGap = nBarGap;
    return m;
}

struct SGraph
{
    CGraphSeries series;
    CGraphLayout layout;
};

SGraph Lay(const CCofferDoc& doc, int nColumn, int nMode, PackedDate period, int nWidth = 1000,
           int nHeight = 700, int nBarGap = 50, const CGraphScale* pUser = nullptr)
{
    SGraph g;
    g.series.Compute(doc, nColumn, 0, nMode, period, pUser != nullptr, pUser ? *pUser : CGraphScale());
    g.layout.Lay(g.series, nWidth, nHeight, Metrics(nBarGap));
    return g;
}

int Bottom(const QRect& rc)
{
    return rc.y() + rc.height();
}

int Right(const QRect& rc)
{
    return rc.x() + rc.width();
}

QStringList LabelTexts(const CGraphLayout& layout)
{
    QStringList texts;
    for (const CGraphLayout::SText& t : layout.Labels())
        texts << t.m_str;
    return texts;
}

const CGraphLayout::SText* FindLabel(const CGraphLayout& layout, const QString& str)
{
    for (const CGraphLayout::SText& t : layout.Labels()) {
        if (t.m_str == str)
            return &t;
    }
    return nullptr;
}

} // namespace

class TestGraphLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plotBetweenLabelsAndLegend();
    void nothingWithoutColumns();
    void februaryKeepsThirtyOneSlots();
    void barGap_data();
    void barGap();
    void barsBeyondTheScaleAreClipped();
    void hundredTrillionYenDraws();
    void stackAroundZero();
    void quarterYearsUnderTheirOwnQuarters();
    void yearAxisLabels_data();
    void yearAxisLabels();
    void amountLabelsNeverOverlap();
    void averageClippedToPlot();
    void budgetStaircase();
    void legendEntries();
    void tooltip();
    void shade();
    void printRect_data();
    void printRect();
};

void TestGraphLayout::plotBetweenLabelsAndLegend()
{
    const auto pDoc = MakeLedger({Line(D(2024, 2, 3), CAT_FOOD, -U(1200))});
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_MONTH, D(2024, 2, 0));
    const CGraphLayout& l = g.layout;
    QVERIFY(!l.IsEmpty());
    QCOMPARE(l.LineHeight(), 20);
    QCOMPARE(l.TitleBand(), QRect(0, 0, 1000, 40));
    QCOMPARE(l.Title().m_str, QStringLiteral("2024年  2月 ： 食料"));
    QCOMPARE(l.Title().m_rc.x(), (1000 - 8 * int(l.Title().m_str.size())) / 2);
    // Legend: "費目文字列幅" plus four text heights.
    QCOMPARE(l.LegendWidth(), 6 * 8 + 4 * 16);
    QCOMPARE(l.Plot(), QRect(l.LabelWidth(), 40, 1000 - l.LegendWidth() - l.LabelWidth(), 700 - 80));
    QVERIFY(l.LabelWidth() > 0 && l.LabelWidth() <= 1000 / 3);
    // The total stands right-aligned in the line above the plot.
    QCOMPARE(l.Total().m_str.left(3), QStringLiteral("合計："));
    QCOMPARE(Right(l.Total().m_rc), Right(l.Plot()));
    QCOMPARE(l.Total().m_rc.y(), 20);

    // A low area keeps a plot one text line high; a narrow one gives each column a third.
    const SGraph low = Lay(*pDoc, COLUMN_FOOD, PERIOD_MONTH, D(2024, 2, 0), 1000, 50);
    QCOMPARE(low.layout.Plot().height(), 16);
    const SGraph narrow = Lay(*pDoc, COLUMN_FOOD, PERIOD_MONTH, D(2024, 2, 0), 90, 400);
    QCOMPARE(narrow.layout.LegendWidth(), 30);
    QCOMPARE(narrow.layout.LabelWidth(), 30);
}

void TestGraphLayout::nothingWithoutColumns()
{
    // Without expense categories the 支出計 column is still there, at zero.
    const auto pDoc = MakeLedger({}, {CCategory(0, QStringLiteral("備考")), CCategory(9, QStringLiteral("予算"))});
    const SGraph g = Lay(*pDoc, 0, PERIOD_MONTH, D(2024, 2, 0));
    QVERIFY(!g.layout.IsEmpty());
    QCOMPARE(g.series.GetTitle(), QStringLiteral("支出計"));
    QVERIFY(g.layout.Bars().empty());
    QVERIFY(g.layout.TipText(g.series, 500, 300).isEmpty());
    // An empty area draws nothing.
    CGraphLayout none;
    none.Lay(g.series, 0, 700, Metrics());
    QVERIFY(none.IsEmpty());
    QVERIFY(none.TipText(g.series, 0, 0).isEmpty());
}

void TestGraphLayout::februaryKeepsThirtyOneSlots()
{
    const auto pDoc = MakeLedger({Line(D(2023, 2, 28), CAT_FOOD, -U(100)), Line(D(2023, 3, 1), CAT_FOOD, -U(1))});
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_MONTH, D(2023, 2, 0));
    QCOMPARE(g.layout.SlotCount(), 31);
    QCOMPARE(g.series.GetPeriodCount(), 28);
    // Only the 28 days carry bars; the last three slots stay empty.
    int nLastBar = -1;
    for (const CGraphLayout::SBar& bar : g.layout.Bars())
        nLastBar = std::max(nLastBar, bar.m_nPeriod);
    QCOMPARE(nLastBar, 27);
    QVERIFY(Right(g.layout.Bars().back().m_rc) <= g.layout.SlotX(28) + 1);
    QCOMPARE(LabelTexts(g.layout), (QStringList{"5日", "10日", "15日", "20日", "25日", "30日", "2023 年  2 月",
                                                "\\0", "\\200", "\\400", "\\600", "\\800", "\\1,000"}));
    // "30日" stands under day 30's slot, the month under the whole plot one line lower.
    const CGraphLayout::SText* p30 = FindLabel(g.layout, QStringLiteral("30日"));
    QVERIFY(p30);
    QCOMPARE(Right(p30->m_rc), g.layout.SlotX(30));
    QCOMPARE(p30->m_rc.y(), Bottom(g.layout.Plot()));
    const CGraphLayout::SText* pMonth = FindLabel(g.layout, QStringLiteral("2023 年  2 月"));
    QVERIFY(pMonth);
    QCOMPARE(pMonth->m_rc, QRect(g.layout.Plot().x(), Bottom(g.layout.Plot()) + 20, g.layout.Plot().width(), 20));
}

void TestGraphLayout::barGap_data()
{
    QTest::addColumn<int>("nBarGap");
    QTest::addColumn<int>("nThirds"); // bar width in thirds of the slot

    QTest::newRow("gap 50 fills two thirds") << 50 << 2;
    QTest::newRow("gap 0 fills the slot") << 0 << 3;
    QTest::newRow("gap 100 fills half (1.5 thirds)") << 100 << -1;
}

void TestGraphLayout::barGap()
{
    QFETCH(int, nBarGap);
    QFETCH(int, nThirds);
    const auto pDoc = MakeLedger({Line(D(2024, 1, 5), CAT_FOOD, -U(100)), Line(D(2024, 12, 5), CAT_FOOD, -U(100))});
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0), 1000, 700, nBarGap);
    const int nSlot = g.layout.Plot().width() / 12;
    QCOMPARE(g.layout.Bars().size(), std::size_t(12));
    for (const CGraphLayout::SBar& bar : g.layout.Bars()) {
        const int x = g.layout.SlotX(bar.m_nPeriod);
        const int nWidth = bar.m_rc.width();
        const int nExpected = nThirds > 0 ? nSlot * nThirds / 3 : nSlot / 2;
        QVERIFY2(std::abs(nWidth - nExpected) <= 2, qPrintable(QString::number(nWidth)));
        // Centred in its slot within a pixel.
        const int nLeftGap = bar.m_rc.x() - x;
        const int nRightGap = x + nSlot - Right(bar.m_rc);
        QVERIFY2(std::abs(nLeftGap - nRightGap) <= 2, qPrintable(QStringLiteral("%1 %2").arg(nLeftGap).arg(nRightGap)));
    }
}

void TestGraphLayout::barsBeyondTheScaleAreClipped()
{
    const auto pDoc = MakeLedger({Line(D(2024, 1, 5), CAT_FOOD, -U(5000)), Line(D(2024, 2, 5), CAT_FOOD, U(3000)),
                                  Line(D(2024, 3, 5), CAT_FOOD, -U(500))});
    const CGraphScale user(U(200), 0, 5); // 0 .. 1000
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0), 1000, 700, 50, &user);
    const CGraphLayout& l = g.layout;
    QVERIFY(l.ClippedAtTop());
    QVERIFY(l.ClippedAtBottom()); // the refund of February goes below 0
    for (const CGraphLayout::SBar& bar : l.Bars()) {
        QVERIFY(bar.m_rc.y() >= l.Plot().y());
        QVERIFY(Bottom(bar.m_rc) <= Bottom(l.Plot()));
    }
    QCOMPARE(l.Bars()[0].m_rc.y(), l.Plot().y());
    QCOMPARE(l.Bars()[0].m_nSlot, int(CGraphLayout::SLOT_BAR));
    QCOMPARE(l.Bars()[1].m_nSlot, int(CGraphLayout::SLOT_BAR_NEGATIVE));
    QCOMPARE(l.Bars()[2].m_rc.y(), l.AmountY(U(500)));
    // The marks point out of the plot's left corners, plot top ÷ 20 + 2 in size.
    const int a = 40 / 20 + 2;
    QCOMPARE(l.TopMark()[2], QPoint(l.Plot().x(), 40 - a));
    QCOMPARE(l.BottomMark()[2], QPoint(l.Plot().x(), Bottom(l.Plot()) + a));

    const SGraph inside = Lay(*pDoc, COLUMN_FOOD + 1, PERIOD_YEAR, D(2024, 1, 0), 1000, 700, 50, &user);
    QVERIFY(!inside.layout.ClippedAtTop());
    QVERIFY(!inside.layout.ClippedAtBottom());
}

void TestGraphLayout::hundredTrillionYenDraws()
{
    const Amount nHuge = U(100000000000000);
    const auto pDoc = MakeLedger({Line(D(2024, 1, 5), CAT_INCOME, nHuge), Line(D(2024, 2, 5), CAT_INCOME, nHuge)});
    const SGraph g = Lay(*pDoc, 2, PERIOD_YEAR, D(2024, 1, 0));
    QCOMPARE(g.series.GetValues()[0], nHuge);
    QVERIFY(!g.layout.ClippedAtTop());
    QCOMPARE(g.layout.Bars()[0].m_rc.y(), g.layout.Plot().y());
    QCOMPARE(Bottom(g.layout.Bars()[0].m_rc), Bottom(g.layout.Plot()));
    QVERIFY(FindLabel(g.layout, QStringLiteral("\\100,000,000,000,000")));
    QCOMPARE(g.layout.Total().m_str, QStringLiteral("合計：\\200,000,000,000,000"));
}

void TestGraphLayout::stackAroundZero()
{
    // 食料 +300, 住居 +200, 光熱・水道 -100: 住居 nearest zero above, 食料 on top of it.
    const auto pDoc = MakeLedger({Line(D(2024, 5, 1), CAT_FOOD, -U(300)), Line(D(2024, 5, 2), CAT_HOUSING, -U(200)),
                                  Line(D(2024, 5, 3), 5, U(100))});
    const SGraph g = Lay(*pDoc, COLUMN_EXPENSE_TOTAL, PERIOD_ALL, 0);
    const CGraphLayout& l = g.layout;
    QCOMPARE(l.Bars().size(), std::size_t(3));
    const int yZero = l.AmountY(0);
    const CGraphLayout::SBar& housing = l.Bars()[0];
    const CGraphLayout::SBar& food = l.Bars()[1];
    const CGraphLayout::SBar& utilities = l.Bars()[2];
    QCOMPARE(housing.m_nPalette, 1);
    QCOMPARE(food.m_nPalette, 0);
    QCOMPARE(utilities.m_nPalette, 2);
    QCOMPARE(Bottom(housing.m_rc), yZero);
    QCOMPARE(housing.m_rc.y(), l.AmountY(U(200)));
    QCOMPARE(Bottom(food.m_rc), housing.m_rc.y());
    QCOMPARE(food.m_rc.y(), l.AmountY(U(500)));
    QCOMPARE(utilities.m_rc.y(), yZero);
    QCOMPARE(Bottom(utilities.m_rc), l.AmountY(-U(100)));
    QCOMPARE(l.BarRects()[0], food.m_rc | utilities.m_rc);
}

void TestGraphLayout::quarterYearsUnderTheirOwnQuarters()
{
    const auto pDoc = MakeLedger({Line(D(2023, 11, 5), CAT_FOOD, -U(1)), Line(D(2025, 2, 5), CAT_FOOD, -U(1))});
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_QUARTER, 0);
    const CGraphLayout& l = g.layout;
    QCOMPARE(l.SlotCount(), 6);
    const QStringList texts = LabelTexts(l);
    QCOMPARE(texts.mid(0, 8), (QStringList{"Ⅳ", "2023年", "Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "2024年", "Ⅰ"}));
    const CGraphLayout::SText* p2023 = FindLabel(l, QStringLiteral("2023年"));
    const CGraphLayout::SText* p2024 = FindLabel(l, QStringLiteral("2024年"));
    const CGraphLayout::SText* p2025 = FindLabel(l, QStringLiteral("2025年"));
    QVERIFY(p2023 && p2024 && p2025);
    QCOMPARE(p2023->m_rc.x(), l.SlotX(0));
    QCOMPARE(Right(p2023->m_rc), l.SlotX(1));
    QCOMPARE(p2024->m_rc.x(), l.SlotX(1));
    QCOMPARE(Right(p2024->m_rc), l.SlotX(5));
    QCOMPARE(p2025->m_rc.x(), l.SlotX(5));
    // Numerals are shown, so the years go one line lower.
    QCOMPARE(p2024->m_rc.y(), Bottom(l.Plot()) + 20);
    // Full-height lines after each Ⅳ and after the last quarter.
    int nFull = 0;
    for (const QLine& line : l.GridLines()) {
        if (line.x1() == line.x2() && line.y1() == l.Plot().y() && line.x1() != l.Plot().x()
            && line.x1() != Right(l.Plot()))
            ++nFull;
    }
    QCOMPARE(nFull, 2); // after 2023 Ⅳ and 2024 Ⅳ; the last quarter ends on the right edge
}

void TestGraphLayout::yearAxisLabels_data()
{
    QTest::addColumn<int>("nWidth");
    QTest::addColumn<QStringList>("months");

    QTest::newRow("wide: every month") << 1000
                                       << QStringList{"1月", "2月", "3月", "4月", "5月", "6月",
                                                      "7月", "8月", "9月", "10月", "11月", "12月"};
    QTest::newRow("narrow: the quarters' last months") << 480 << QStringList{"3月", "6月", "9月", "12月"};
}

void TestGraphLayout::yearAxisLabels()
{
    QFETCH(int, nWidth);
    QFETCH(QStringList, months);
    const auto pDoc = MakeLedger({Line(D(2024, 1, 5), CAT_FOOD, -U(100))});
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0), nWidth, 400);
    QStringList got;
    for (const QString& str : LabelTexts(g.layout)) {
        if (str.endsWith(u'月'))
            got << str;
    }
    QCOMPARE(got, months);
    QVERIFY(FindLabel(g.layout, QStringLiteral("2024 年")));
}

void TestGraphLayout::amountLabelsNeverOverlap()
{
    const auto pDoc = MakeLedger({Line(D(2024, 1, 5), CAT_FOOD, -U(100))});
    const CGraphScale user(U(10), U(-500), 100);
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0), 1000, 400, 50, &user);
    std::vector<QRect> amounts;
    for (const CGraphLayout::SText& t : g.layout.Labels()) {
        if (t.m_align & Qt::AlignRight)
            amounts.push_back(t.m_rc);
    }
    QVERIFY(amounts.size() > 2 && amounts.size() < 101);
    QCOMPARE(g.layout.Labels().back().m_str.isEmpty(), false);
    for (std::size_t i = 1; i < amounts.size(); ++i)
        QVERIFY(Bottom(amounts[i]) <= amounts[i - 1].y());
    // The bottom label is the minimum, centred on the plot's bottom line; labels end half a digit left of the plot.
    QCOMPARE(amounts.front().y(), Bottom(g.layout.Plot()) - 8);
    QCOMPARE(Right(amounts.front()), g.layout.Plot().x() - 4);
}

void TestGraphLayout::averageClippedToPlot()
{
    const auto pDoc = MakeLedger({Line(D(2024, 1, 5), CAT_FOOD, -U(9000)), Line(D(2024, 2, 5), CAT_FOOD, -U(10)),
                                  Line(D(2024, 12, 5), CAT_FOOD, -U(10))});
    const CGraphScale user(U(200), 0, 5);
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0), 1000, 700, 50, &user);
    const QRect& plot = g.layout.Plot();
    QVERIFY(!g.layout.AverageLine().empty());
    for (const QLine& line : g.layout.AverageLine()) {
        for (const QPoint& p : {line.p1(), line.p2()}) {
            QVERIFY(p.y() >= plot.y() && p.y() <= Bottom(plot));
            QVERIFY(p.x() >= plot.x() && p.x() <= Right(plot));
        }
    }
    // The averages of the first months lie above the axis: the line enters the plot at its top.
    QCOMPARE(g.layout.AverageLine().front().p1().y(), plot.y());
    // The last point is the middle of December's slot.
    const QLine& last = g.layout.AverageLine().back();
    QCOMPARE(last.p2().x(), plot.x() + plot.width() * 23 / 24);
}

void TestGraphLayout::budgetStaircase()
{
    const auto pDoc = MakeLedger({Line(D(2024, 1, 1), CAT_INCOME, U(1)), Budget(D(2024, 4, 0), QStringLiteral("食料"), -U(300)),
                                  Budget(D(2024, 7, 0), QStringLiteral("食料"), -U(5000)),
                                  Line(D(2024, 12, 31), CAT_INCOME, U(1))});
    const CGraphScale user(U(200), 0, 5); // July's 5000 lies above the axis
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0), 1000, 700, 50, &user);
    const CGraphLayout& l = g.layout;
    const int yZero = l.AmountY(0);
    const int y300 = l.AmountY(U(300));
    const int nTop = l.Plot().y();
    const std::vector<QLine> expected{
        QLine(l.SlotX(0), yZero, l.SlotX(1), yZero), QLine(l.SlotX(1), yZero, l.SlotX(2), yZero),
        QLine(l.SlotX(2), yZero, l.SlotX(3), yZero), QLine(l.SlotX(3), yZero, l.SlotX(3), y300),
        QLine(l.SlotX(3), y300, l.SlotX(4), y300),   QLine(l.SlotX(4), y300, l.SlotX(5), y300),
        QLine(l.SlotX(5), y300, l.SlotX(6), y300),   QLine(l.SlotX(6), y300, l.SlotX(6), nTop)};
    QCOMPARE(std::vector<QLine>(l.BudgetLine().begin(), l.BudgetLine().begin() + 8), expected);
    // Clamped months draw no line along the top edge.
    for (const QLine& line : l.BudgetLine())
        QVERIFY(!(line.y1() == nTop && line.y2() == nTop));

    QVERIFY(Lay(*pDoc, COLUMN_FOOD + 1, PERIOD_YEAR, D(2024, 1, 0)).layout.BudgetLine().empty());
}

void TestGraphLayout::legendEntries()
{
    const auto pDoc = MakeLedger({Budget(D(2024, 4, 0), QStringLiteral("食料"), -U(300)), Line(D(2024, 4, 1), CAT_FOOD, -U(3))});
    const SGraph g = Lay(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0));
    const auto& legend = g.layout.Legend();
    QCOMPARE(legend.size(), std::size_t(3));
    QCOMPARE(legend[0].m_text.m_str, QStringLiteral("予算"));
    QCOMPARE(legend[0].m_nKind, int(CGraphLayout::SAMPLE_LINE_BUDGET));
    QCOMPARE(legend[1].m_text.m_str, QStringLiteral("平均額"));
    QCOMPARE(legend[2].m_text.m_str, QStringLiteral("食料"));
    QCOMPARE(legend[2].m_nSlot, int(CGraphLayout::SLOT_BAR));
    const int x = Right(g.layout.Plot()) + 16;
    QCOMPARE(legend[2].m_rcSample, QRect(x, legend[2].m_text.m_rc.y() + 3, 24, 10));
    QCOMPARE(legend[2].m_text.m_rc.x(), x + 32);
    QCOMPARE(Right(legend[2].m_text.m_rc), 1000);
    // Three lines with gaps of 4, centred on the plot.
    QCOMPARE(legend[1].m_text.m_rc.y() - legend[0].m_text.m_rc.y(), 20);
    QCOMPARE(legend[0].m_text.m_rc.y(), 40 + (620 - 56) / 2);

    // An attribute names each stacked category in its palette colour.
    const SGraph stack = Lay(*pDoc, COLUMN_EXPENSE_TOTAL, PERIOD_YEAR, D(2024, 1, 0));
    const auto& entries = stack.layout.Legend();
    QCOMPARE(entries.size(), std::size_t(2 + 11));
    QCOMPARE(entries[2].m_text.m_str, QStringLiteral("食料"));
    QCOMPARE(entries[2].m_nSlot, -1);
    QCOMPARE(entries[2].m_nPalette, 0);
    QCOMPARE(entries[12].m_nPalette, 10);
    // A plot too low for the gaps packs the entries.
    const SGraph low = Lay(*pDoc, COLUMN_EXPENSE_TOTAL, PERIOD_YEAR, D(2024, 1, 0), 1000, 270);
    QCOMPARE(low.layout.Legend()[1].m_text.m_rc.y() - low.layout.Legend()[0].m_text.m_rc.y(), 16);
    QCOMPARE(low.layout.Legend()[0].m_text.m_rc.y(), low.layout.Plot().y());
}

void TestGraphLayout::tooltip()
{
    const auto pDoc = MakeLedger({Line(D(2024, 1, 5), CAT_FOOD, -U(300)), Line(D(2024, 3, 1), CAT_FOOD, -U(300)),
                                  Line(D(2024, 3, 2), CAT_HOUSING, -U(200)), Line(D(2024, 3, 3), 5, U(100))});
    const SGraph food = Lay(*pDoc, COLUMN_FOOD, PERIOD_YEAR, D(2024, 1, 0));
    const QRect bar = food.layout.BarRects()[2];
    const int xMid = bar.x() + bar.width() / 2;
    QCOMPARE(food.layout.TipText(food.series, xMid, bar.y() + 1),
             QStringLiteral("3月\n食料: \\300\n平均: \\200"));
    // Between the bars and outside the plot there is no tip.
    QVERIFY(food.layout.TipText(food.series, food.layout.SlotX(2) + 1, bar.y() + 1).isEmpty());
    QVERIFY(food.layout.TipText(food.series, xMid, 5).isEmpty());

    const SGraph stack = Lay(*pDoc, COLUMN_EXPENSE_TOTAL, PERIOD_YEAR, D(2024, 1, 0));
    const QRect stackBar = stack.layout.BarRects()[2];
    const int x = stackBar.x() + stackBar.width() / 2;
    QCOMPARE(stack.layout.TipText(stack.series, x, stackBar.y() + 1),
             QStringLiteral("3月\n食料: \\300\n支出計: \\400\n平均: \\233"));
    QCOMPARE(stack.layout.TipText(stack.series, x, Bottom(stackBar) - 1),
             QStringLiteral("3月\n光熱・水道: -\\100\n支出計: \\400\n平均: \\233"));
}

void TestGraphLayout::shade()
{
    // Bright on the left, a third on the right.
    QCOMPARE(CGraphLayout::Shade(0xFF0000, 1, 0, 12), std::uint32_t(0xFF0000));
    QCOMPARE(CGraphLayout::Shade(0xFF0000, 10, 0, 12), std::uint32_t(0x660000));
    QCOMPARE(CGraphLayout::Shade(0x808080, 10, 0, 12), std::uint32_t(0x333333));
    QCOMPARE(CGraphLayout::Shade(0x808080, 5, 0, 12), std::uint32_t(0x5E5E5E));
    // A bar too narrow to shade keeps its colour.
    QCOMPARE(CGraphLayout::Shade(0x123456, 0, 0, 2), std::uint32_t(0x123456));
}

void TestGraphLayout::printRect_data()
{
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<QRect>("printable");
    QTest::addColumn<int>("nDpi");
    QTest::addColumn<QRect>("expected");

    // A4 at 254 dots per inch: 10 dots a millimetre.
    QTest::newRow("A4 landscape, margins of 5 mm") << QSize(2970, 2100) << QRect(50, 50, 2870, 2000) << 254
                                                   << QRect(250, 200, 2420, 1600);
    QTest::newRow("A4 portrait is made wide") << QSize(2100, 2970) << QRect(50, 50, 2000, 2870) << 254
                                              << QRect(250, 200, 1550, 1550 * 1550 / 2470);
    QTest::newRow("margins wider than the offsets") << QSize(2970, 2100) << QRect(400, 300, 2170, 1500) << 254
                                                    << QRect(0, 0, 2170, 1500);
    QTest::newRow("paper smaller than the margins") << QSize(400, 300) << QRect(0, 0, 400, 300) << 254
                                                    << QRect(300, 250, 0, 0);
}

void TestGraphLayout::printRect()
{
    QFETCH(QSize, paper);
    QFETCH(QRect, printable);
    QFETCH(int, nDpi);
    QFETCH(QRect, expected);
    QCOMPARE(CGraphLayout::PrintRect(paper.width(), paper.height(), printable, nDpi, nDpi), expected);
}

QTEST_GUILESS_MAIN(TestGraphLayout)
#include "tst_graphlayout.moc"

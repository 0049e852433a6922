// The summary table view driven as the menus, the toolbar and the navigation pane drive it.
#include "tests/summary/SummaryLedger.h"

#include "command/AppStatus.h"
#include "command/CmdUI.h"
#include "command/CommandIds.h"
#include "grid/GridFlags.h"
#include "grid/GridSettings.h"
#include "grid/ScrollHeader.h"
#include "platform/Clock.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"
#include "register/CofferView.h"
#include "summary/PeriodMode.h"
#include "summary/SumView.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(CRange)

namespace {

constexpr PackedDate D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}

// Cell columns of the default categories: 日付, 収入計, 支出計, then 収入, 食料, ...
enum : int { SC_DATE = 0, SC_INCOME_TOTAL = 1, SC_EXPENSE_TOTAL = 2, SC_INCOME = 3, SC_FOOD = 4 };

// Lines from November 2023 to March 2024; a big food bill in January, dollars in March.
SLines Lines()
{
    return {Line(D(2023, 11, 3), CAT_FOOD, -U(500)),      Line(D(2024, 1, 25), CAT_INCOME, U(300000)),
            Line(D(2024, 1, 26), CAT_FOOD, -U(98765432)), Line(D(2024, 3, 2), CAT_FOOD, -U(1200)),
            Line(D(2024, 3, 5), CAT_FOOD, -U(10), 1),     Line(D(2024, 3, 10), CAT_FOOD, -U(800))};
}

bool Enabled(CSumView& view, int nID, bool* pChecked = nullptr)
{
    CCmdUI ui(nID);
    const bool bAnswered = view.UpdateCommand(ui);
    if (pChecked != nullptr)
        *pChecked = ui.m_bChecked;
    return bAnswered && ui.m_bEnabled;
}

void Select(CSumView& view, const CRange& range)
{
    view.SetCurCell(range.left, range.top, 0, 0);
    view.SetCurCell(range.IsWholeRows() ? -1 : range.right, range.bottom, SELF_EXTEND, 0);
}

// Colours that tell the slots apart in a drawing.
QColor SlotColor(int nSlot)
{
    switch (nSlot) {
    case 0: return QColor(Qt::white);
    case 1: return QColor(Qt::blue);
    case 4: return QColor(Qt::green);
    default: return QColor(Qt::gray);
    }
}

} // namespace

class TestSumView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void opensOnTheLastMonth();
    void periodModes_data();
    void periodModes();
    void periodSteps_data();
    void periodSteps();
    void nextCurrencyWraps();
    void copy_data();
    void copy();
    void copyRefusesTwoRanges();
    void widthsOnlyGrowUntilALayout();
    void fitWidth();
    void navigationPane();
    void firstAndLastRow();
    void updateKeepsTheScrollPosition();
    void contextMenu();
    void zeroValuesAreGrey();
    void secondWindowStartsAsTheFirst();
    void currencyListChange();

private:
    std::unique_ptr<CCofferDoc> m_pDoc;
    std::uint32_t m_nStatus = 0x10;
};

void TestSumView::init()
{
    CClock::SetNow(QDateTime(QDate(2024, 6, 1), QTime(12, 0)));
    m_pDoc = MakeLedger(Lines());
    m_nStatus = 0x10;
    CCofferView::SetColorProvider(SlotColor);
    CCofferView::SetAppStatusProvider([this] { return m_nStatus; });
}

void TestSumView::cleanup()
{
    CCofferView::SetColorProvider(nullptr);
    CCofferView::SetAppStatusProvider(nullptr);
    m_pDoc.reset();
    CClock::Reset();
}

void TestSumView::opensOnTheLastMonth()
{
    CSumView view(*m_pDoc);
    // Today lies after the ledger: its last date is shown, one month of days.
    QCOMPARE(view.PeriodMode(), int(PERIOD_MONTH));
    QCOMPARE(view.Currency(), 0);
    QCOMPARE(view.PeriodDate(), D(2024, 3, 10));
    QCOMPARE(view.CellRowCount(), 32);
    QCOMPARE(view.CellColCount(), view.Table().GetColumnCount());
    QCOMPARE(view.Table().GetCellText(0, SC_DATE), QStringLiteral("24/ 3/ 1"));
    QCOMPARE(view.Table().GetCellText(31, SC_DATE), QStringLiteral("合計"));
    QVERIFY(view.ColumnHeader() != nullptr);
    QCOMPARE(view.ColumnHeader()->Title(1), QStringLiteral("日付"));
    QCOMPARE(view.ColumnHeader()->Title(SC_FOOD + 1), QStringLiteral("食料"));
    // The view font's metrics decide the margins and the header row.
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    QCOMPARE(view.VerticalMargin(), fm.height() * CGridSettings::Current().CellGap() / 200);
    QCOMPARE(view.GetRowHeight(0), view.GetRowHeight(1) + 2);
}

void TestSumView::periodModes_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<bool>>("steps"); // 前年, 翌年, 前月, 翌月
    QTest::newRow("１か月表示") << int(ID_PERIOD_MONTH) << 32 << QList<bool>{true, true, true, true};
    QTest::newRow("１年表示") << int(ID_PERIOD_YEAR) << 13 << QList<bool>{true, true, false, false};
    QTest::newRow("全期間表示: 2023 and 2024") << int(ID_PERIOD_ALL) << 3 << QList<bool>{false, false, false, false};
    QTest::newRow("連続表示: 2023:Ⅳ and 2024:Ⅰ") << int(ID_PERIOD_SERIAL) << 3
                                                << QList<bool>{false, false, false, false};
}

void TestSumView::periodModes()
{
    QFETCH(int, command);
    QFETCH(int, rows);
    QFETCH(QList<bool>, steps);
    CSumView view(*m_pDoc);
    QVERIFY(view.ExecuteCommand(command));
    QCOMPARE(view.PeriodMode(), command - ID_PERIOD_MONTH);
    QCOMPARE(view.CellRowCount(), rows);
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
}

void TestSumView::periodSteps_data()
{
    QTest::addColumn<PackedDate>("start");
    QTest::addColumn<int>("command");
    QTest::addColumn<PackedDate>("expected");
    QTest::addColumn<QString>("firstRow");
    QTest::newRow("前月 from January") << D(2024, 1, 15) << int(ID_MOVE_PREV_MONTH) << D(2023, 12, 15)
                                     << QStringLiteral("23/12/ 1");
    QTest::newRow("翌月") << D(2023, 12, 15) << int(ID_MOVE_NEXT_MONTH) << D(2024, 1, 15)
                        << QStringLiteral("24/ 1/ 1");
    QTest::newRow("翌年 beyond the last date stays at the last date")
        << D(2024, 1, 15) << int(ID_MOVE_NEXT_YEAR) << D(2024, 3, 10) << QStringLiteral("24/ 3/ 1");
    QTest::newRow("前年 before the first date stays at the first date")
        << D(2024, 1, 15) << int(ID_MOVE_PREV_YEAR) << D(2023, 11, 3) << QStringLiteral("23/11/ 1");
}

void TestSumView::periodSteps()
{
    QFETCH(PackedDate, start);
    QFETCH(int, command);
    QFETCH(PackedDate, expected);
    QFETCH(QString, firstRow);
    CSumView view(*m_pDoc);
    view.OnNaviDate(start);
    QCOMPARE(view.PeriodDate(), start);
    QVERIFY(view.ExecuteCommand(command));
    QCOMPARE(view.PeriodDate(), expected);
    QCOMPARE(view.Table().GetCellText(0, SC_DATE), firstRow);
}

void TestSumView::nextCurrencyWraps()
{
    CSumView view(*m_pDoc);
    QVERIFY(Enabled(view, ID_MOVE_NEXT_CURRENCY));
    const int nTotal = view.Table().GetPeriodRows() - 1;
    QCOMPARE(view.Table().GetCellText(nTotal, SC_FOOD), QStringLiteral("\\2,000"));
    QVERIFY(view.ExecuteCommand(ID_MOVE_NEXT_CURRENCY));
    QCOMPARE(view.Currency(), 1);
    QCOMPARE(view.Table().GetCellText(nTotal, SC_FOOD), QStringLiteral("$10.00"));
    // Back to the yen after the last currency.
    QVERIFY(view.ExecuteCommand(ID_MOVE_NEXT_CURRENCY));
    QCOMPARE(view.Currency(), 0);
}

void TestSumView::copy_data()
{
    QTest::addColumn<CRange>("range");
    QTest::addColumn<std::uint32_t>("status");
    QTest::addColumn<QString>("expected");
    const QString z = QStringLiteral("\\0");
    QTest::newRow("two columns, three rows: three lines")
        << CRange(SC_DATE, 1, SC_FOOD - 3, 3) << std::uint32_t(0)
        << QStringLiteral("       2\t%1\r\n       3\t%1\r\n       4\t%1\r\n").arg(z);
    QTest::newRow("one row: no line end")
        << CRange(SC_EXPENSE_TOTAL, 1, SC_FOOD, 1) << std::uint32_t(0)
        << QStringLiteral("\\1,200\t\\0\t\\1,200");
    QTest::newRow("amounts keep their symbol without the register's symbol setting")
        << CRange(SC_FOOD, 31, SC_FOOD, 31) << std::uint32_t(0) << QStringLiteral("\\2,000");
    QTest::newRow("whole rows with the header setting: titles first")
        << CRange::WholeRows(31, 31) << std::uint32_t(AS_COPY_HEADER)
        << QStringLiteral("TITLES\r\nTOTALS\r\n");
    QTest::newRow("whole rows without it")
        << CRange::WholeRows(31, 31) << std::uint32_t(0) << QStringLiteral("TOTALS\r\n");
}

void TestSumView::copy()
{
    QFETCH(CRange, range);
    QFETCH(std::uint32_t, status);
    QFETCH(QString, expected);
    m_nStatus = status;
    CSumView view(*m_pDoc);
    QStringList titles;
    QStringList totals;
    for (int c = 0; c < view.Table().GetColumnCount(); ++c) {
        titles << view.Table().GetColumnTitle(c);
        totals << view.Table().GetCellText(31, c);
    }
    expected.replace(QStringLiteral("TITLES"), titles.join(u'\t'));
    expected.replace(QStringLiteral("TOTALS"), totals.join(u'\t'));

    Select(view, range);
    QCOMPARE(view.Selection().GetRangeCount(), 1);
    QApplication::clipboard()->clear();
    QVERIFY(view.ExecuteCommand(ID_EDIT_COPY));
    const QString strText = QApplication::clipboard()->text();
    QCOMPARE(strText, expected);
    QVERIFY(!strText.contains(QChar(0)));
}

void TestSumView::copyRefusesTwoRanges()
{
    CSumView view(*m_pDoc);
    view.SetCurCell(SC_FOOD, 0, 0, 0);
    view.SetCurCell(SC_FOOD, 2, SELF_ADD, 0);
    view.SetCurCell(SC_FOOD, 3, SELF_EXTEND, 0);
    QVERIFY(view.Selection().GetRangeCount() > 1);
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    CRecordingMessageSink sink;
    QVERIFY(Enabled(view, ID_EDIT_COPY));
    QVERIFY(view.ExecuteCommand(ID_EDIT_COPY));
    QVERIFY(sink.LastWas(IDS_MULTI_RANGE));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
}

void TestSumView::widthsOnlyGrowUntilALayout()
{
    CSumView view(*m_pDoc);
    const int nGrid = SC_FOOD + 1;
    const int nNarrow = view.GetColWidth(nGrid);
    // January holds a bill of a hundred million: the column grows to fit it.
    view.OnNaviDate(D(2024, 1, 1));
    const int nWide = view.GetColWidth(nGrid);
    QVERIFY2(nWide > nNarrow, qPrintable(QStringLiteral("%1 <= %2").arg(nWide).arg(nNarrow)));
    QCOMPARE(nWide, view.GetFitColWidth(nGrid));
    // Back in March the value is small again, and the width stays.
    view.OnNaviDate(D(2024, 3, 1));
    QCOMPARE(view.GetColWidth(nGrid), nWide);
    // A refresh lays the table out afresh.
    view.OnUpdate(nullptr, SRefresh{});
    QCOMPARE(view.GetColWidth(nGrid), nNarrow);
    view.OnNaviDate(D(2024, 1, 1));
    view.OnUpdate(nullptr, SViewFont{});
    QCOMPARE(view.GetColWidth(nGrid), nWide);
}

void TestSumView::fitWidth()
{
    CSumView view(*m_pDoc);
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    const int nExtra = 2 * view.HorizontalMargin() + 1;
    QCOMPARE(view.GetFitColWidth(0), 0);
    QCOMPARE(view.GetFitColWidth(view.Table().GetColumnCount() + 1), 0);
    QCOMPARE(view.GetFitColWidth(1), std::max(fm.horizontalAdvance(QStringLiteral("00/00/00")),
                                              fm.horizontalAdvance(QStringLiteral("24/ 3/ 1")))
                                         + nExtra);
    // The wider of the largest and the smallest value: 2,000 and 0.
    QCOMPARE(view.GetFitColWidth(SC_FOOD + 1), fm.horizontalAdvance(QStringLiteral("\\2,000")) + nExtra);
}

void TestSumView::navigationPane()
{
    CSumView view(*m_pDoc);
    INaviTarget& target = view;
    SNaviState state = target.NaviState();
    QCOMPARE(state.nKind, int(VIEW_SUMMARY));
    QCOMPARE(state.date, D(2024, 3, 10));
    // A day outside the ledger is held at its bounds.
    target.OnNaviDate(D(2030, 5, 5));
    QCOMPARE(view.PeriodDate(), D(2024, 3, 10));
    target.OnNaviDate(D(2001, 5, 5));
    QCOMPARE(view.PeriodDate(), D(2023, 11, 3));
    target.OnNaviDate(D(2024, 1, 20));
    QCOMPARE(view.PeriodDate(), D(2024, 1, 20));
    QCOMPARE(target.NaviState().date, D(2024, 1, 20));
    // The currency tree: names of the list; an unknown index is ignored.
    QCOMPARE(target.NaviCurrencyNames().size(), 2);
    target.OnNaviCurrency(1);
    QCOMPARE(view.Currency(), 1);
    QCOMPARE(target.NaviState().nCurrency, 1);
    target.OnNaviCurrency(2);
    target.OnNaviCurrency(-1);
    QCOMPARE(view.Currency(), 1);
    // Where every year is shown the pane names the ledger's start.
    QVERIFY(view.ExecuteCommand(ID_PERIOD_ALL));
    state = target.NaviState();
    QCOMPARE(state.nMode, int(PERIOD_ALL));
    QCOMPARE(state.date, D(2023, 11, 3));
}

void TestSumView::firstAndLastRow()
{
    CSumView view(*m_pDoc);
    view.SetCurCell(SC_FOOD, 4, 0, 0);
    QVERIFY(Enabled(view, ID_MOVE_LAST));
    QVERIFY(view.ExecuteCommand(ID_MOVE_LAST));
    QCOMPARE(view.Selection().CursorRow(), view.CellRowCount() - 1);
    QCOMPARE(view.Selection().CursorCol(), SC_FOOD);
    QVERIFY(view.ExecuteCommand(ID_MOVE_FIRST));
    QCOMPARE(view.Selection().CursorRow(), 0);
    QCOMPARE(view.Selection().CursorCol(), SC_FOOD);
}

void TestSumView::updateKeepsTheScrollPosition()
{
    CSumView view(*m_pDoc);
    view.resize(300, 200);
    view.show();
    view.SetCurCell(SC_FOOD + 6, 20, 0, SCR_SNAP_A);
    const int nX = view.ScrollPos(0);
    const int nY = view.ScrollPos(1);
    QVERIFY(nX > 0 && nY > 0);
    // A change of the ledger or of the period takes the cursor home, the table stays put.
    view.OnUpdate(nullptr, SLinesReplaced{0, 1, -1, -1, false});
    QCOMPARE(view.Selection().CursorRow(), 0);
    QCOMPARE(view.Selection().CursorCol(), 0);
    QCOMPARE(view.Selection().GetPrimaryRange(), CRange::Cell(0, 0));
    QCOMPARE(view.ScrollPos(0), nX);
    QCOMPARE(view.ScrollPos(1), nY);
    QVERIFY(view.ExecuteCommand(ID_MOVE_PREV_MONTH));
    QCOMPARE(view.ScrollPos(0), nX);
}

void TestSumView::contextMenu()
{
    CSumView view(*m_pDoc);
    QMenu menu;
    view.BuildContextMenu(menu);
    QCOMPARE(menu.actions().size(), 1);
    QAction* pCopy = menu.actions().first();
    QCOMPARE(pCopy->text(), QStringLiteral("コピー(&C)"));
    QVERIFY(pCopy->isEnabled());
    view.SetCurCell(SC_FOOD, 31, 0, 0);
    QApplication::clipboard()->clear();
    pCopy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\\2,000"));
}

void TestSumView::zeroValuesAreGrey()
{
    CSumView view(*m_pDoc);
    const auto inkOf = [&view](int nRow, int nCol) {
        QImage image(200, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setFont(CGridSettings::Current().ViewFont());
            view.DrawCell(painter, QRect(0, 0, 200, 30), nRow, nCol, false);
        }
        int nBlue = 0;
        int nGreen = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                nBlue += c == QColor(Qt::blue);
                nGreen += c == QColor(Qt::green);
            }
        }
        return QPair<int, int>(nBlue, nGreen);
    };
    // Row 0 (March 1st) has no food line: grey; row 1 (March 2nd) has one.
    const auto zero = inkOf(0, SC_FOOD);
    QCOMPARE(zero.first, 0);
    QVERIFY(zero.second > 0);
    const auto value = inkOf(1, SC_FOOD);
    QVERIFY(value.first > 0);
    QCOMPARE(value.second, 0);
    // The date column is never grey.
    const auto date = inkOf(0, SC_DATE);
    QVERIFY(date.first > 0);
    QCOMPARE(date.second, 0);
    // One repaint of the whole view paints without trouble.
    view.resize(1000, 700);
    QVERIFY(!view.viewport()->grab().isNull());
}

void TestSumView::secondWindowStartsAsTheFirst()
{
    CSumView first(*m_pDoc);
    first.ExecuteCommand(ID_PERIOD_YEAR);
    first.ExecuteCommand(ID_MOVE_NEXT_CURRENCY);
    first.SetColWidth(SC_INCOME + 1, 333);
    first.SetCurCell(SC_INCOME, 2, 0, 0);
    CSumView second(*m_pDoc, nullptr, &first);
    QCOMPARE(second.PeriodMode(), int(PERIOD_YEAR));
    QCOMPARE(second.Currency(), 1);
    QCOMPARE(second.PeriodDate(), first.PeriodDate());
    QCOMPARE(second.GetColWidth(SC_INCOME + 1), 333);
    QCOMPARE(second.Selection().CursorRow(), 2);
    QCOMPARE(second.Selection().CursorCol(), SC_INCOME);
}

void TestSumView::currencyListChange()
{
    CSumView view(*m_pDoc);
    view.OnNaviCurrency(1);
    // The dollar moved to the front of the list.
    view.OnUpdate(nullptr, SCurrenciesRemapped{RemapTable{1, 0}});
    QCOMPARE(view.Currency(), 0);
    // A memo step leaves the table and its cursor alone.
    view.SetCurCell(SC_FOOD, 3, 0, 0);
    view.OnUpdate(nullptr, SMemoChanged{});
    QCOMPARE(view.Selection().CursorRow(), 3);
}

QTEST_MAIN(TestSumView)
#include "tst_sumview.moc"

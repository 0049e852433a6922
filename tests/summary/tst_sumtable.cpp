// What the summary table shows: rows, cell values and texts, titles and the copy text.
#include "SummaryLedger.h"

#include "summary/PeriodMode.h"
#include "summary/SumTable.h"

#include <QtTest>

namespace {

constexpr PackedDate D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}

struct STextCell
{
    int nRow;
    int nCol;
    QString strText;
};
using STextCells = QList<STextCell>;

// Columns of the default set: 日付, 収入計, 支出計, then the categories 収入 .. 両替.
enum : int {
    COLUMN_INCOME_TOTAL = 1,
    COLUMN_EXPENSE_TOTAL = 2,
    COLUMN_INCOME = 3,
    COLUMN_FOOD = 4,
    COLUMN_SAVINGS = 15,
};

QString Yen(const char* text)
{
    return QLatin1Char('\\') + QString::fromUtf8(text);
}

// 備考, 給与 (income), 食料 (expense), 予算: columns 日付, 収入計, 支出計, 給与, 食料.
std::vector<CCategory> SmallCategories()
{
    return {CCategory(0, QStringLiteral("備考")), CCategory(1, QStringLiteral("給与")),
            CCategory(2, QStringLiteral("食料")), CCategory(9, QStringLiteral("予算"))};
}

SLines SmallLines()
{
    return {Line(D(2024, 1, 25), 1, U(300000)), Line(D(2024, 2, 3), 2, -U(1200)), Line(D(2024, 2, 10), 2, -U(800))};
}

} // namespace

Q_DECLARE_METATYPE(STextCells)

class TestSumTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateColumn_data();
    void dateColumn();
    void valueTexts_data();
    void valueTexts();
    void budgetRows_data();
    void budgetRows();
    void budgetValues();
    void titles();
    void columnRange();
    void copyText_data();
    void copyText();
};

void TestSumTable::dateColumn_data()
{
    QTest::addColumn<SLines>("lines");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("rows");
    QTest::addColumn<STextCells>("texts");

    const SLines year2024{Line(D(2024, 1, 1), CAT_INCOME, U(1)), Line(D(2024, 12, 31), CAT_INCOME, U(1))};
    QTest::newRow("month: year and month in row 0, the days below")
        << year2024 << int(PERIOD_MONTH) << D(2024, 3, 15) << 32
        << STextCells{{0, 0, QStringLiteral("24/ 3/ 1")}, {1, 0, QStringLiteral("       2")},
                      {30, 0, QStringLiteral("      31")}, {31, 0, QStringLiteral("合計")}, {32, 0, QString()},
                      {-1, 0, QString()}};
    QTest::newRow("month: a two-digit month")
        << year2024 << int(PERIOD_MONTH) << D(2024, 10, 1) << 32 << STextCells{{0, 0, QStringLiteral("24/10/ 1")}};
    QTest::newRow("month: a period after the last date shows the last month")
        << year2024 << int(PERIOD_MONTH) << D(2030, 5, 1) << 32 << STextCells{{0, 0, QStringLiteral("24/12/ 1")}};
    QTest::newRow("month: a period before the first date shows the first month")
        << year2024 << int(PERIOD_MONTH) << D(2000, 5, 1) << 32 << STextCells{{0, 0, QStringLiteral("24/ 1/ 1")}};
    QTest::newRow("month: a ledger of whole-year dates shows January")
        << SLines{Line(D(2023, 0, 0), CAT_INCOME, U(1))} << int(PERIOD_MONTH) << D(2023, 6, 1) << 32
        << STextCells{{0, 0, QStringLiteral("23/ 1/ 1")}, {31, 0, QStringLiteral("合計")}};
    QTest::newRow("month: a ledger without dated lines keeps the period date")
        << SLines{Line(0, CAT_INCOME, U(1))} << int(PERIOD_MONTH) << D(2024, 2, 15) << 30
        << STextCells{{0, 0, QStringLiteral("24/ 2/ 1")}, {29, 0, QStringLiteral("合計")}};
    QTest::newRow("year: year and month in every row")
        << year2024 << int(PERIOD_YEAR) << D(2024, 6, 1) << 13
        << STextCells{{0, 0, QStringLiteral("2024/ 1")}, {11, 0, QStringLiteral("2024/12")},
                      {12, 0, QStringLiteral("合計")}};
    QTest::newRow("all: the years of the ledger")
        << SLines{Line(D(2021, 4, 1), CAT_INCOME, U(1)), Line(D(2023, 2, 1), CAT_INCOME, U(1))} << int(PERIOD_ALL)
        << 0 << 4
        << STextCells{{0, 0, QStringLiteral("2021")}, {2, 0, QStringLiteral("2023")}, {3, 0, QStringLiteral("合計")}};
    QTest::newRow("quarter: from May, across the year boundary")
        << SLines{Line(D(2023, 5, 1), CAT_INCOME, U(1)), Line(D(2024, 2, 1), CAT_INCOME, U(1))}
        << int(PERIOD_QUARTER) << 0 << 5
        << STextCells{{0, 0, QStringLiteral("2023:Ⅱ")}, {1, 0, QStringLiteral("2023:Ⅲ")},
                      {2, 0, QStringLiteral("2023:Ⅳ")}, {3, 0, QStringLiteral("2024:Ⅰ")},
                      {4, 0, QStringLiteral("合計")}};
    QTest::newRow("quarter: a whole-year first date starts at Ⅰ")
        << SLines{Line(D(2023, 0, 0), CAT_INCOME, U(1)), Line(D(2023, 12, 1), CAT_INCOME, U(1))}
        << int(PERIOD_QUARTER) << 0 << 5
        << STextCells{{0, 0, QStringLiteral("2023:Ⅰ")}, {3, 0, QStringLiteral("2023:Ⅳ")}};
}

void TestSumTable::dateColumn()
{
    QFETCH(SLines, lines);
    QFETCH(int, mode);
    QFETCH(int, period);
    QFETCH(int, rows);
    QFETCH(STextCells, texts);

    const auto pDoc = MakeLedger(lines);
    CSumTable table;
    table.Compute(*pDoc, 0, mode, period);
    QCOMPARE(table.GetRowCount(), rows);
    QVERIFY(!table.HasBudgetRows());
    for (const STextCell& cell : texts)
        QCOMPARE(table.GetCellText(cell.nRow, cell.nCol), cell.strText);
}

void TestSumTable::valueTexts_data()
{
    QTest::addColumn<SLines>("lines");
    QTest::addColumn<int>("cur");
    QTest::addColumn<STextCells>("texts");

    const PackedDate day5 = D(2024, 3, 5);
    QTest::newRow("yen: spending shown positive, zero shown")
        << SLines{Line(day5, CAT_FOOD, -U(5000))} << 0
        << STextCells{{4, COLUMN_FOOD, Yen("5,000")}, {4, COLUMN_EXPENSE_TOTAL, Yen("5,000")},
                      {0, COLUMN_FOOD, Yen("0")}, {31, COLUMN_FOOD, Yen("5,000")}, {4, 0, QStringLiteral("       5")}};
    QTest::newRow("yen: a fraction shows although the yen has no decimals")
        << SLines{Line(day5, CAT_FOOD, -12345000)} << 0 << STextCells{{4, COLUMN_FOOD, Yen("1,234.50")}};
    QTest::newRow("dollar: two decimals")
        << SLines{Line(day5, CAT_FOOD, -125000, 1)} << 1 << STextCells{{4, COLUMN_FOOD, QStringLiteral("$12.50")}};
    QTest::newRow("account: money put in shows negative")
        << SLines{Transfer(day5, CAT_FOOD, -U(1000), CAT_SAVINGS, U(1000))} << 0
        << STextCells{{4, COLUMN_SAVINGS, QStringLiteral("-") + Yen("1,000")}, {4, COLUMN_FOOD, Yen("1,000")}};
    QTest::newRow("a currency beyond the list shows the base currency")
        << SLines{Line(day5, CAT_FOOD, -U(5000)), Line(day5, CAT_FOOD, -U(7), 1)} << 9
        << STextCells{{4, COLUMN_FOOD, Yen("5,000")}};
    QTest::newRow("beyond the columns is empty")
        << SLines{Line(day5, CAT_FOOD, -U(5000))} << 0 << STextCells{{4, 17, QString()}, {4, -1, QString()}};
}

void TestSumTable::valueTexts()
{
    QFETCH(SLines, lines);
    QFETCH(int, cur);
    QFETCH(STextCells, texts);

    const auto pDoc = MakeLedger(lines);
    CSumTable table;
    table.Compute(*pDoc, cur, PERIOD_MONTH, D(2024, 3, 1));
    QCOMPARE(table.GetColumnCount(), 17);
    for (const STextCell& cell : texts)
        QCOMPARE(table.GetCellText(cell.nRow, cell.nCol), cell.strText);
}

void TestSumTable::budgetRows_data()
{
    QTest::addColumn<SLines>("lines");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<STextCells>("texts");

    const SLines spending{Line(D(2024, 3, 1), CAT_INCOME, U(1000)), Line(D(2024, 3, 5), CAT_FOOD, -U(200))};
    const SLine foodBudget = Budget(D(2024, 3, 0), QStringLiteral("食料"), -U(500));
    const SLine incomeBudget = Budget(D(2024, 3, 0), QStringLiteral("収入"), U(3000));

    QTest::newRow("no budget: no 予算 and 差引 rows")
        << spending << false << STextCells{{32, 0, QString()}, {32, COLUMN_FOOD, QString()}};
    QTest::newRow("expense budget: expense columns show it, income columns do not")
        << (SLines(spending) << foodBudget) << true
        << STextCells{{32, 0, QStringLiteral("予算")}, {33, 0, QStringLiteral("差引")},
                      {32, COLUMN_FOOD, Yen("500")}, {33, COLUMN_FOOD, Yen("300")},
                      {32, COLUMN_EXPENSE_TOTAL, Yen("500")}, {33, COLUMN_EXPENSE_TOTAL, Yen("300")},
                      {32, COLUMN_FOOD + 1, Yen("0")}, {33, COLUMN_FOOD + 1, Yen("0")},
                      {32, COLUMN_INCOME, QString()}, {33, COLUMN_INCOME_TOTAL, QString()},
                      {32, COLUMN_SAVINGS, QString()}, {33, COLUMN_SAVINGS, QString()}, {34, 0, QString()}};
    QTest::newRow("income budget: income columns show it")
        << (SLines(spending) << incomeBudget) << true
        << STextCells{{32, COLUMN_INCOME, Yen("3,000")}, {33, COLUMN_INCOME, Yen("2,000")},
                      {32, COLUMN_INCOME_TOTAL, Yen("3,000")}, {33, COLUMN_INCOME_TOTAL, Yen("2,000")},
                      {32, COLUMN_FOOD, Yen("0")}, {33, COLUMN_FOOD, QStringLiteral("-") + Yen("200")},
                      {32, COLUMN_SAVINGS, QString()}};
    QTest::newRow("over budget: a negative difference")
        << SLines{Line(D(2024, 3, 5), CAT_FOOD, -U(700)), foodBudget} << true
        << STextCells{{33, COLUMN_FOOD, QStringLiteral("-") + Yen("200")}};
    QTest::newRow("a budget of another currency shows no rows")
        << (SLines(spending) << Budget(D(2024, 3, 0), QStringLiteral("食料"), -U(500), 1)) << false
        << STextCells{{32, 0, QString()}};
}

void TestSumTable::budgetRows()
{
    QFETCH(SLines, lines);
    QFETCH(bool, shown);
    QFETCH(STextCells, texts);

    const auto pDoc = MakeLedger(lines);
    CSumTable table;
    table.Compute(*pDoc, 0, PERIOD_MONTH, D(2024, 3, 1));
    QCOMPARE(table.HasBudgetRows(), shown);
    QCOMPARE(table.GetPeriodRows(), 32);
    QCOMPARE(table.GetRowCount(), shown ? 34 : 32);
    for (const STextCell& cell : texts)
        QCOMPARE(table.GetCellText(cell.nRow, cell.nCol), cell.strText);
}

void TestSumTable::budgetValues()
{
    const auto pDoc = MakeLedger({Line(D(2024, 3, 5), CAT_FOOD, -U(200)),
                                  Budget(D(2024, 3, 0), QStringLiteral("食料"), -U(500))});
    CSumTable table;
    table.Compute(*pDoc, 0, PERIOD_MONTH, D(2024, 3, 1));
    QCOMPARE(table.GetCellValue(4, COLUMN_FOOD), U(200));
    QCOMPARE(table.GetCellValue(31, COLUMN_FOOD), U(200));
    QCOMPARE(table.GetCellValue(32, COLUMN_FOOD), U(500));
    QCOMPARE(table.GetCellValue(33, COLUMN_FOOD), U(300));
    // The values stand even where the text is left empty.
    QCOMPARE(table.GetCellValue(33, COLUMN_SAVINGS), Amount(0));
    QCOMPARE(table.GetCellValue(33, 0), Amount(0));
    QCOMPARE(table.GetCellValue(34, COLUMN_FOOD), Amount(0));
}

void TestSumTable::titles()
{
    const auto pDoc = MakeLedger(SmallLines(), SmallCategories());
    CSumTable table;
    table.Compute(*pDoc, 0, PERIOD_YEAR, D(2024, 1, 1));
    const QStringList expected{QStringLiteral("日付"), QStringLiteral("収入計"), QStringLiteral("支出計"),
                               QStringLiteral("給与"), QStringLiteral("食料")};
    QStringList got;
    for (int c = 0; c < table.GetColumnCount(); ++c)
        got << table.GetColumnTitle(c);
    QCOMPARE(got, expected);
    QCOMPARE(table.GetColumnTitle(5), QString());
}

void TestSumTable::columnRange()
{
    SLine budget = Budget(D(2024, 2, 0), QStringLiteral("食料"), -U(1000));
    budget.nCat = 3; // 予算 of the small set
    const auto pDoc = MakeLedger(SmallLines() << budget, SmallCategories());
    CSumTable table;
    table.Compute(*pDoc, 0, PERIOD_ALL, 0);
    QVERIFY(table.HasBudgetRows());
    // 食料: 2,000 spent in 2024 and in total, budget 1,000, difference -1,000.
    Amount nMin = 1, nMax = 1;
    table.GetColumnRange(4, nMin, nMax);
    QCOMPARE(nMin, -U(1000));
    QCOMPARE(nMax, U(2000));
}

void TestSumTable::copyText_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("right");
    QTest::addColumn<bool>("wholeRows");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QString>("text");

    const QString pay = Yen("300,000");
    const QString zero = Yen("0");
    const QString food = Yen("2,000");
    QTest::newRow("block of two columns and three rows")
        << 0 << 3 << 2 << 4 << false << true
        << pay + "\t" + zero + "\r\n" + zero + "\t" + food + "\r\n" + zero + "\t" + zero + "\r\n";
    QTest::newRow("block of one row has no line end")
        << 1 << 0 << 1 << 2 << false << false << QStringLiteral("2024/ 2\t") + zero + "\t" + food;
    QTest::newRow("one cell") << 12 << 0 << 12 << 0 << false << false << QStringLiteral("合計");
    QTest::newRow("whole rows with the header")
        << 11 << 0 << 12 << 0 << true << true
        << QStringLiteral("日付\t収入計\t支出計\t給与\t食料\r\n2024/12\t") + zero + "\t" + zero + "\t" + zero + "\t"
               + zero + "\r\n合計\t" + pay + "\t" + food + "\t" + pay + "\t" + food + "\r\n";
    QTest::newRow("whole rows without the header")
        << 0 << 0 << 0 << 0 << false << false << QStringLiteral("2024/ 1");
    QTest::newRow("one whole row ends its line")
        << 0 << 2 << 0 << 3 << true << false
        << QStringLiteral("2024/ 1\t") + pay + "\t" + zero + "\t" + pay + "\t" + zero + "\r\n";
    QTest::newRow("rows beyond the table are cut")
        << 12 << 4 << 40 << 9 << false << false << food + "\r\n";
    QTest::newRow("a block wholly outside the table") << 20 << 0 << 22 << 1 << false << false << QString();
}

void TestSumTable::copyText()
{
    QFETCH(int, top);
    QFETCH(int, left);
    QFETCH(int, bottom);
    QFETCH(int, right);
    QFETCH(bool, wholeRows);
    QFETCH(bool, header);
    QFETCH(QString, text);

    const auto pDoc = MakeLedger(SmallLines(), SmallCategories());
    CSumTable table;
    table.Compute(*pDoc, 0, PERIOD_YEAR, D(2024, 1, 1));
    QCOMPARE(table.GetCopyText(top, left, bottom, right, wholeRows, header), text);
}

QTEST_GUILESS_MAIN(TestSumTable)
#include "tst_sumtable.moc"

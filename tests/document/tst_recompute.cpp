#include "DocFixture.h"

#include <QTest>

#include <limits>

using namespace fixture;

class TestRecompute : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void balances_data();
    void balances();
    void dateMarkers_data();
    void dateMarkers();
    void budgetStaysInForce();
    void budgetCategory_data();
    void budgetCategory();
    void budgetNeverWritesCounterCategory();
    void budgetOverCenturies();
    void errorIndicator_data();
    void errorIndicator();
    void reportsNewDateReversal();
};

void TestRecompute::balances_data()
{
    QTest::addColumn<std::vector<CReceipt>>("lines");
    QTest::addColumn<QList<qint64>>("balances");
    QTest::addColumn<QList<qint64>>("amount2");
    QTest::addColumn<QList<int>>("errors");

    QTest::newRow("opening carry-over")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 1), YEN, CAT_CARRY, U(10000)),
                                 Line(MakeDate(2020, 1, 2), YEN, CAT_FOOD, U(-500))}
        << QList<qint64>{U(10000), U(9500)} << QList<qint64>{0, 0} << QList<int>{0, 0};
    QTest::newRow("carry-over states the balance")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 1), YEN, CAT_CARRY, U(10000)),
                                 Line(MakeDate(2020, 1, 2), YEN, CAT_FOOD, U(-500)),
                                 Line(MakeDate(2020, 1, 3), YEN, CAT_CARRY, U(9000))}
        << QList<qint64>{U(10000), U(9500), U(9000)} << QList<qint64>{0, 0, U(-500)}
        << QList<int>{0, 0, CReceipt::RF_BALANCE_MISMATCH};
    QTest::newRow("carry-over checks its own currency")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 1), YEN, CAT_CARRY, U(100)),
                                 Line(MakeDate(2020, 1, 1), USD, CAT_CARRY, U(50))}
        << QList<qint64>{U(100), U(50)} << QList<qint64>{0, U(50)} << QList<int>{0, CReceipt::RF_BALANCE_MISMATCH};
    QTest::newRow("transfer keeps the purse")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 1), YEN, CAT_INCOME, U(1000)),
                                 Line(MakeDate(2020, 1, 2), YEN, CAT_FOOD, U(-300), QString(), CAT_SAVINGS, U(300))}
        << QList<qint64>{U(1000), U(1000)} << QList<qint64>{0, U(300)} << QList<int>{0, 0};
    QTest::newRow("budget line changes no balance")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 0), YEN, CAT_BUDGET, U(-300), QStringLiteral("食料"), 0, U(50)),
                                 Line(MakeDate(2020, 1, 5), YEN, CAT_INCOME, U(1000))}
        << QList<qint64>{0, U(1000)} << QList<qint64>{U(50), 0} << QList<int>{0, 0};
    QTest::newRow("sums wrap instead of overflowing")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 1), YEN, CAT_INCOME, std::numeric_limits<Amount>::max()),
                                 Line(MakeDate(2020, 1, 2), YEN, CAT_INCOME, 1)}
        << QList<qint64>{std::numeric_limits<Amount>::max(), std::numeric_limits<Amount>::min()}
        << QList<qint64>{0, 0} << QList<int>{0, 0};
}

void TestRecompute::balances()
{
    QFETCH(std::vector<CReceipt>, lines);
    QFETCH(QList<qint64>, balances);
    QFETCH(QList<qint64>, amount2);
    QFETCH(QList<int>, errors);

    CCofferDoc doc;
    Fill(doc, lines);
    QCOMPARE(doc.GetLineCount(), int(balances.size()));
    for (int i = 0; i < doc.GetLineCount(); ++i) {
        const CReceipt& line = *doc.GetLine(i);
        QCOMPARE(line.m_nBalance, balances[i]);
        QCOMPARE(line.m_nAmount2, amount2[i]);
        QCOMPARE(line.m_nFlags & CReceipt::RF_ERROR_MASK, errors[i]);
    }
}

void TestRecompute::dateMarkers_data()
{
    QTest::addColumn<QList<int>>("dates");
    QTest::addColumn<QList<int>>("flags");

    const int NEW = CReceipt::RF_NEW_MONTH;
    const int DAY = CReceipt::RF_SAME_MONTH;
    const int REV = CReceipt::RF_DATE_REVERSED;
    QTest::newRow("first line") << QList<int>{MakeDate(2020, 5, 3)} << QList<int>{NEW};
    QTest::newRow("same day, new day, new month")
        << QList<int>{MakeDate(2020, 5, 3), MakeDate(2020, 5, 3), MakeDate(2020, 5, 4), MakeDate(2020, 6, 1)}
        << QList<int>{NEW, 0, DAY, NEW};
    QTest::newRow("reversed") << QList<int>{MakeDate(2020, 5, 3), MakeDate(2020, 5, 1)} << QList<int>{NEW, REV | DAY};
    QTest::newRow("undated first line") << QList<int>{0, MakeDate(2020, 1, 1)} << QList<int>{NEW, NEW};
    QTest::newRow("whole month before its days")
        << QList<int>{MakeDate(2020, 4, 0), MakeDate(2020, 4, 1)} << QList<int>{NEW, DAY};
}

void TestRecompute::dateMarkers()
{
    QFETCH(QList<int>, dates);
    QFETCH(QList<int>, flags);

    std::vector<CReceipt> lines;
    for (int date : dates)
        lines.push_back(Line(date, YEN, CAT_FOOD, U(-1)));
    CCofferDoc doc;
    Fill(doc, lines);
    const int nMask = CReceipt::RF_NEW_MONTH | CReceipt::RF_SAME_MONTH | CReceipt::RF_DATE_REVERSED;
    for (int i = 0; i < doc.GetLineCount(); ++i)
        QCOMPARE(doc.GetLine(i)->m_nFlags & nMask, flags[i]);
}

void TestRecompute::budgetStaysInForce()
{
    CCofferDoc doc;
    Fill(doc, {Line(MakeDate(2020, 1, 1), YEN, CAT_INCOME, U(1000)),
               Line(MakeDate(2020, 4, 0), YEN, CAT_BUDGET, U(-300), QStringLiteral("食料")),
               Line(MakeDate(2020, 12, 31), YEN, CAT_FOOD, U(-10))});
    const CBudgetTable& budget = doc.GetBudgetTable();
    QCOMPARE(doc.GetFirstMonth(), MakeDate(2020, 1, 1));
    QCOMPARE(doc.GetLastMonth(), MakeDate(2020, 12, 31));
    QCOMPARE(budget.GetMonthCount(), 12);
    const int nFoodKey = CBudgetTable::ATTR_KEYS + CAT_FOOD;
    for (int m = 0; m < 12; ++m) {
        // Expense budgets are kept negated, like the expense sums; the attribute total follows.
        const Amount nExpected = m < 3 ? 0 : U(300);
        QCOMPARE(budget.GetBudget(nFoodKey, YEN, m), nExpected);
        QCOMPARE(budget.GetBudget(ATTR_EXPENSE, YEN, m), nExpected);
    }
    QCOMPARE(budget.SumBudget(nFoodKey, YEN, 0, 11), U(2700));
    QCOMPARE(budget.SumBudget(nFoodKey, YEN, 2, 4), U(600));
    QCOMPARE(budget.SumBudget(nFoodKey, YEN, -5, 30), U(2700)); // clipped to the table
    QCOMPARE(budget.GetBudget(nFoodKey, YEN, 40), U(300));      // after the last month: its value
    QCOMPARE(budget.GetBudget(nFoodKey, YEN, -1), 0);
    QCOMPARE(budget.MonthIndex(MakeDate(2021, 2, 3)), 13);
    QCOMPARE(budget.GetBudget(nFoodKey, USD, 5), 0);

    // A second budget for the same month wins and is marked.
    std::vector<CReceipt> lines = doc.Lines();
    lines.insert(lines.begin() + 2, Line(MakeDate(2020, 4, 0), YEN, CAT_BUDGET, U(-500), QStringLiteral("食料")));
    Fill(doc, lines);
    QCOMPARE(doc.GetLine(1)->m_nFlags & CReceipt::RF_ERROR_MASK, 0);
    QCOMPARE(doc.GetLine(2)->m_nFlags & CReceipt::RF_ERROR_MASK, int(CReceipt::RF_BUDGET_TWICE));
    QVERIFY(doc.GetErrors() & CReceipt::RF_BUDGET_TWICE);
    QCOMPARE(doc.GetBudgetTable().GetBudget(nFoodKey, YEN, 3), U(500));
}

void TestRecompute::budgetCategory_data()
{
    QTest::addColumn<QString>("desc");
    QTest::addColumn<int>("category");

    QTest::newRow("expense category") << QStringLiteral("食料") << int(CAT_FOOD);
    QTest::newRow("income category") << QStringLiteral("収入") << int(CAT_INCOME);
    QTest::newRow("first item decides") << QStringLiteral("食料；外食") << int(CAT_FOOD);
    QTest::newRow("account category refused") << QStringLiteral("預貯金") << -1;
    QTest::newRow("unknown name refused") << QStringLiteral("未知") << -1;
    QTest::newRow("empty description refused") << QString() << -1;
}

void TestRecompute::budgetCategory()
{
    QFETCH(QString, desc);
    QFETCH(int, category);

    CCofferDoc doc;
    Fill(doc, {Line(MakeDate(2020, 4, 0), YEN, CAT_BUDGET, U(-300), desc)});
    const CReceipt& line = *doc.GetLine(0);
    QCOMPARE(line.m_nBudgetCat, category);
    QCOMPARE(bool(line.m_nFlags & CReceipt::RF_BUDGET_UNKNOWN), category < 0);
    QCOMPARE(bool(doc.GetErrors() & CReceipt::RF_BUDGET_UNKNOWN), category < 0);
}

void TestRecompute::budgetNeverWritesCounterCategory()
{
    CCofferDoc doc;
    Fill(doc, {Line(0, YEN, CAT_BUDGET, U(-300), QStringLiteral("食料")),
               Line(MakeDate(2020, 4, 0), YEN, CAT_BUDGET, U(-300), QStringLiteral("食料")),
               Line(MakeDate(2020, 5, 0), YEN, CAT_BUDGET, U(-300), QStringLiteral("食料"), CAT_HOUSING)});
    doc.Recompute();
    QCOMPARE(int(doc.GetLine(0)->m_nCat2), 0);
    QCOMPARE(int(doc.GetLine(1)->m_nCat2), 0);
    QCOMPARE(int(doc.GetLine(2)->m_nCat2), int(CAT_HOUSING));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(doc.GetLine(i)->m_nBudgetCat, int(CAT_FOOD));
}

void TestRecompute::budgetOverCenturies()
{
    CCofferDoc doc;
    Fill(doc, {Line(MakeDate(-5, 1, 1), YEN, CAT_INCOME, U(1)),
               Line(MakeDate(1, 1, 1), YEN, CAT_INCOME, U(1)),
               Line(MakeDate(9999, 12, 0), YEN, CAT_BUDGET, U(-40), QStringLiteral("食料"))});
    // Lines before year 1 do not count as dated.
    QCOMPARE(doc.GetFirstMonth(), MakeDate(1, 1, 1));
    QCOMPARE(doc.GetLastMonth(), MakeDate(9999, 12, 0));
    const CBudgetTable& budget = doc.GetBudgetTable();
    QCOMPARE(budget.GetMonthCount(), std::int64_t(9999 - 1) * 12 + 12);
    const std::int64_t nLast = budget.GetMonthCount() - 1;
    QCOMPARE(budget.GetBudget(CBudgetTable::ATTR_KEYS + CAT_FOOD, YEN, nLast), U(40));
    QCOMPARE(budget.GetBudget(CBudgetTable::ATTR_KEYS + CAT_FOOD, YEN, nLast - 1), 0);
    QCOMPARE(budget.SumBudget(ATTR_EXPENSE, YEN, 0, nLast), U(40));
}

void TestRecompute::errorIndicator_data()
{
    QTest::addColumn<std::vector<CReceipt>>("lines");
    QTest::addColumn<bool>("lineErrors");
    QTest::addColumn<bool>("yen");

    QTest::newRow("single currency, no error")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 1), YEN, CAT_CARRY, 0)} << false << false;
    QTest::newRow("date reversal")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 2), YEN, CAT_FOOD, U(-1)),
                                 Line(MakeDate(2020, 1, 1), YEN, CAT_FOOD, U(-1))}
        << true << false;
    CReceipt raw = Line(MakeDate(2020, 1, 1), YEN, 0, 0, QStringLiteral("a,b,c"));
    raw.m_nFlags = CReceipt::RF_RAW_TEXT;
    QTest::newRow("raw imported text") << std::vector<CReceipt>{raw} << true << false;
    QTest::newRow("exchange from yen")
        << std::vector<CReceipt>{Line(MakeDate(2020, 1, 1), YEN, CAT_EXCHANGE, U(-100)),
                                 Line(MakeDate(2020, 1, 1), USD, CAT_EXCHANGE, U(1))}
        << false << true;
}

void TestRecompute::errorIndicator()
{
    QFETCH(std::vector<CReceipt>, lines);
    QFETCH(bool, lineErrors);
    QFETCH(bool, yen);

    CCofferDoc doc;
    Fill(doc, lines);
    QCOMPARE(doc.HasLineErrors(), lineErrors);
    QCOMPARE(doc.CanShowYen(), yen);
    QCOMPARE(bool(doc.GetErrors() & CCofferDoc::ERR_NO_YEN_EXCHANGE), !yen);
}

void TestRecompute::reportsNewDateReversal()
{
    CCofferDoc doc;
    Fill(doc, Named({QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(doc.Recompute(), 0);
    // A reader hands over the lines as they are; only the next recomputation sees them.
    CLedgerContent content = support::Content(doc);
    content.m_lines[1].m_date = MakeDate(2019, 1, 1);
    doc.Load(std::move(content));
    QCOMPARE(doc.Recompute(), 1);
    QCOMPARE(doc.Recompute(), 0); // still there, no longer new
}

QTEST_GUILESS_MAIN(TestRecompute)
#include "tst_recompute.moc"

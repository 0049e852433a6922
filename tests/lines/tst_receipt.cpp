#include "model/NewLedger.h"
#include "model/Receipt.h"

#include <QTest>
#include <limits>

namespace {

// Positions in the default category list.
enum { REMARK = 0, CARRY = 1, INCOME = 2, FOOD = 3, OTHER = 13, DEPOSIT = 14, EXCHANGE = 15, BUDGET = 16 };
constexpr qint64 U = 10000; // one currency unit

const std::vector<CCategory>& Cats()
{
    static const std::vector<CCategory> cats = CNewLedger::Categories();
    return cats;
}

const std::vector<CCurFmt>& Curs()
{
    static const std::vector<CCurFmt> curs = [] {
        std::vector<CCurFmt> list = CNewLedger::Currencies();
        list.emplace_back(QStringLiteral("$"), 2, QStringLiteral("米ドル"));
        return list;
    }();
    return curs;
}

CReceipt Line(int nCat, int nCat2, qint64 nAmount, qint64 nAmount2, int nCur = 0)
{
    CReceipt line;
    line.m_date = MakeDate(2020, 1, 10);
    line.m_nCat = std::uint8_t(nCat);
    line.m_nCat2 = std::uint8_t(nCat2);
    line.m_nAmount = nAmount;
    line.m_nAmount2 = nAmount2;
    line.m_nCur = std::uint8_t(nCur);
    return line;
}

QString Render(const std::vector<CDescToken>& tokens)
{
    QStringList parts;
    for (const CDescToken& t : tokens)
        parts << QStringLiteral("%1:%2:%3").arg(t.m_nStart).arg(t.m_nLength).arg(t.m_nCode, 0, 16);
    return parts.join(u' ');
}

// An exchange table entry as far as a line reads it.
struct FakeExchg
{
    Amount m_nYen = 0;
};

} // namespace

Q_DECLARE_METATYPE(CReceipt)

class TestReceipt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newLine();
    void dateText_data();
    void dateText();
    void categoryText_data();
    void categoryText();
    void amountText_data();
    void amountText();
    void convertedAmount();
    void setCategory_data();
    void setCategory();
    void setAmountText_data();
    void setAmountText();
    void setAmountEdges();
    void setDescriptionAndDate();
    void clearColumn_data();
    void clearColumn();
    void columnFromLine_data();
    void columnFromLine();
    void tokenize_data();
    void tokenize();
    void match_data();
    void match();
};

void TestReceipt::newLine()
{
    CReceipt line = Line(FOOD, DEPOSIT, -5 * U, 5 * U, 1);
    line.m_strDesc = QStringLiteral("x");
    line.m_nExchg = 3;
    line.m_nBudgetCat = 4;
    line.Reset();
    QCOMPARE(line.m_date, 0);
    QCOMPARE(line.m_nFlags, 0);
    QCOMPARE(line.m_nCur + line.m_nCat + line.m_nCat2, 0);
    QCOMPARE(line.m_nExchg, -1);
    QCOMPARE(line.m_nExchg2, -1);
    QCOMPARE(line.m_nBudgetCat, -1);
    QCOMPARE(line.m_nAmount + line.m_nAmount2 + line.m_nBalance, qint64(0));
    QVERIFY(line.m_strDesc.isEmpty() && line.m_strInput.isEmpty());
}

void TestReceipt::dateText_data()
{
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("text");
    QTest::newRow("same day") << int(MakeDate(2020, 1, 5)) << 0 << QString();
    QTest::newRow("new day in the month") << int(MakeDate(2020, 1, 5)) << int(CReceipt::RF_SAME_MONTH)
                                          << QStringLiteral("       5");
    QTest::newRow("new month") << int(MakeDate(2020, 1, 5)) << int(CReceipt::RF_NEW_MONTH) << QStringLiteral("20/ 1/ 5");
    QTest::newRow("new month two digits") << int(MakeDate(2005, 12, 25)) << int(CReceipt::RF_NEW_MONTH)
                                          << QStringLiteral("05/12/25");
    QTest::newRow("whole month") << int(MakeDate(2020, 3, 0)) << int(CReceipt::RF_NEW_MONTH) << QStringLiteral("20/ 3");
    QTest::newRow("whole year") << int(MakeDate(2020, 0, 0)) << int(CReceipt::RF_NEW_MONTH) << QStringLiteral("20");
    QTest::newRow("no date") << int(MakeDate(0, 0, 0)) << int(CReceipt::RF_NEW_MONTH) << QStringLiteral("--------");
}

void TestReceipt::dateText()
{
    QFETCH(int, date);
    QFETCH(int, flags);
    QFETCH(QString, text);
    CReceipt line;
    line.m_date = date;
    line.m_nFlags = flags;
    QCOMPARE(line.GetColumnText(COL_DATE, Curs(), Cats(), false), text);
}

void TestReceipt::categoryText_data()
{
    QTest::addColumn<int>("cat");
    QTest::addColumn<int>("cat2");
    QTest::addColumn<QString>("text");
    QTest::newRow("main only") << int(FOOD) << 0 << QStringLiteral("食料");
    QTest::newRow("with counter") << int(FOOD) << int(DEPOSIT) << QStringLiteral("食料；預貯金");
    QTest::newRow("remark main shows nothing") << int(REMARK) << int(DEPOSIT) << QStringLiteral("；預貯金");
    QTest::newRow("position outside the list") << 200 << 201 << QStringLiteral("；");
}

void TestReceipt::categoryText()
{
    QFETCH(int, cat);
    QFETCH(int, cat2);
    QFETCH(QString, text);
    QCOMPARE(Line(cat, cat2, 0, 0).GetColumnText(COL_CATEGORY, Curs(), Cats(), false), text);
}

void TestReceipt::amountText_data()
{
    QTest::addColumn<CReceipt>("line");
    QTest::addColumn<bool>("symbol");
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("account");

    CReceipt expense = Line(FOOD, 0, -1000 * U, 0);
    expense.m_nBalance = 123456 * U + 6000;
    QTest::newRow("expense") << expense << false << QStringLiteral("123456.60") << QString() << QStringLiteral("1000")
                             << QString();
    QTest::newRow("expense with symbol") << expense << true << QStringLiteral("\\123,456.60") << QString()
                                         << QStringLiteral("\\1,000") << QString();
    QTest::newRow("refund of an expense") << Line(FOOD, 0, 500 * U, 0) << false << QStringLiteral("0")
                                          << QStringLiteral("500") << QString() << QString();
    QTest::newRow("income") << Line(INCOME, 0, 500 * U, 0) << false << QStringLiteral("0") << QStringLiteral("500")
                            << QString() << QString();
    QTest::newRow("negative income") << Line(INCOME, 0, -300 * U, 0) << false << QStringLiteral("0") << QString()
                                     << QStringLiteral("300") << QString();
    QTest::newRow("zero expense shows in out") << Line(FOOD, 0, 0, 0) << false << QStringLiteral("0") << QString()
                                               << QStringLiteral("0") << QString();
    QTest::newRow("account signed") << Line(DEPOSIT, 0, -1000 * U, 0) << false << QStringLiteral("0") << QString()
                                    << QString() << QStringLiteral("-1000");
    QTest::newRow("expense from deposit") << Line(FOOD, DEPOSIT, -1000 * U, 1000 * U) << false << QStringLiteral("0")
                                          << QString() << QStringLiteral("1000") << QStringLiteral("1000");
    CReceipt carry = Line(CARRY, 0, 50000 * U, -200 * U);
    carry.m_nBalance = 50000 * U;
    QTest::newRow("carry-over difference") << carry << false << QStringLiteral("50000") << QString()
                                           << QStringLiteral("200") << QString();
    QTest::newRow("carry-over without difference") << Line(CARRY, 0, 0, 0) << false << QStringLiteral("0")
                                                   << QString() << QString() << QString();
    QTest::newRow("empty remark line") << Line(REMARK, 0, 0, 0) << false << QString() << QString() << QString()
                                       << QString();
    QTest::newRow("foreign currency") << Line(FOOD, 0, -12345 * 1000, 0, 1) << true << QStringLiteral("$0.00")
                                      << QString() << QStringLiteral("$1,234.50") << QString();
    QTest::newRow("currency outside the list") << Line(FOOD, 0, -12345 * 1000, 0, 9) << true << QStringLiteral("\\0")
                                               << QString() << QStringLiteral("\\1,234.50") << QString();
}

void TestReceipt::amountText()
{
    QFETCH(CReceipt, line);
    QFETCH(bool, symbol);
    QFETCH(QString, balance);
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(QString, account);
    QCOMPARE(line.GetColumnText(COL_BALANCE, Curs(), Cats(), symbol), balance);
    QCOMPARE(line.GetColumnText(COL_IN, Curs(), Cats(), symbol), in);
    QCOMPARE(line.GetColumnText(COL_OUT, Curs(), Cats(), symbol), out);
    QCOMPARE(line.GetColumnText(COL_ACCOUNT, Curs(), Cats(), symbol), account);
}

void TestReceipt::convertedAmount()
{
    const std::vector<FakeExchg> table = {{0}, {-1500 * U}, {+700 * U}};
    CReceipt line = Line(FOOD, DEPOSIT, -10 * U, 10 * U, 1);
    line.m_nExchg = 1;
    line.m_nExchg2 = 7; // beyond the table: the own amount stays

    Amount value = 0;
    QCOMPARE(line.GetAmount(COL_OUT, Cats(), value, CYenTable::Of(table)), 0x80000001u);
    QCOMPARE(value, 1500 * U);
    QCOMPARE(line.GetAmount(COL_ACCOUNT, Cats(), value, CYenTable::Of(table)), 0x40000000u);
    QCOMPARE(value, 10 * U);
    QCOMPARE(line.GetAmount(COL_IN, Cats(), value, CYenTable::Of(table)), 0u);
    QCOMPARE(line.GetAmount(COL_OUT, Cats(), value), 0x40000000u);
    QCOMPARE(value, 10 * U);
    // Converted values are written in the base currency.
    QCOMPARE(line.GetColumnText(COL_OUT, Curs(), Cats(), true, CYenTable::Of(table)), QStringLiteral("\\1,500"));

    // A converted out-column value that is money in reads "+".
    line.m_nExchg = 2;
    QCOMPARE(line.GetColumnText(COL_OUT, Curs(), Cats(), true, CYenTable::Of(table)), QStringLiteral("+\\700"));
    QCOMPARE(line.GetColumnText(COL_OUT, Curs(), Cats(), false, CYenTable::Of(table)), QStringLiteral("+700"));
    QCOMPARE(line.GetAmount(COL_OUT, Cats(), value, CYenTable::Of(table)), 0x80000002u);
    QCOMPARE(value, -700 * U);
}

void TestReceipt::setCategory_data()
{
    QTest::addColumn<CReceipt>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("cat");
    QTest::addColumn<int>("cat2");
    QTest::addColumn<qint64>("amount2");

    const CReceipt food = Line(FOOD, 0, -500 * U, 0);
    QTest::newRow("counter gets the opposite amount") << food << QStringLiteral("食料；預貯金") << true << int(FOOD)
                                                      << int(DEPOSIT) << 500 * U;
    QTest::newRow("half-width comma") << food << QStringLiteral("その他,預貯金") << true << int(OTHER) << int(DEPOSIT)
                                      << 500 * U;
    QTest::newRow("empty name after separator") << food << QStringLiteral("食料；") << false << int(FOOD) << 0
                                                << qint64(0);
    QTest::newRow("unknown main") << food << QStringLiteral("外食") << false << int(FOOD) << 0 << qint64(0);
    QTest::newRow("unknown counter") << food << QStringLiteral("食料;現金") << false << int(FOOD) << 0 << qint64(0);
    QTest::newRow("empty is the remark category") << Line(FOOD, DEPOSIT, -500 * U, 500 * U) << QString() << true
                                                  << int(REMARK) << 0 << qint64(0);
    QTest::newRow("dropping the counter clears amount 2") << Line(FOOD, DEPOSIT, -500 * U, 500 * U)
                                                          << QStringLiteral("その他") << true << int(OTHER) << 0
                                                          << qint64(0);
    QTest::newRow("a set amount 2 is kept") << Line(FOOD, DEPOSIT, -500 * U, 300 * U)
                                            << QStringLiteral("食料；預貯金") << true << int(FOOD) << int(DEPOSIT)
                                            << 300 * U;
    QTest::newRow("name with a trailing space is another name") << food << QStringLiteral("食料 ") << false
                                                                << int(FOOD) << 0 << qint64(0);
}

void TestReceipt::setCategory()
{
    QFETCH(CReceipt, line);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, cat);
    QFETCH(int, cat2);
    QFETCH(qint64, amount2);
    QCOMPARE(line.SetColumnText(COL_CATEGORY, text, Cats()), ok);
    QCOMPARE(int(line.m_nCat), cat);
    QCOMPARE(int(line.m_nCat2), cat2);
    QCOMPARE(line.m_nAmount2, amount2);
}

void TestReceipt::setAmountText_data()
{
    QTest::addColumn<CReceipt>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<qint64>("amount2");

    const CReceipt expense = Line(FOOD, 0, -1000 * U, 0);
    QTest::newRow("in column of an expense") << expense << int(COL_IN) << QStringLiteral("500") << true << 500 * U
                                             << qint64(0);
    QTest::newRow("out column of an expense") << expense << int(COL_OUT) << QStringLiteral("500") << true << -500 * U
                                              << qint64(0);
    QTest::newRow("negative in the out column") << expense << int(COL_OUT) << QStringLiteral("-20") << true << 20 * U
                                                << qint64(0);
    QTest::newRow("expression") << expense << int(COL_OUT) << QStringLiteral("３×２００") << true << -600 * U
                                << qint64(0);
    QTest::newRow("not an amount") << expense << int(COL_OUT) << QStringLiteral("abc") << false << -1000 * U
                                   << qint64(0);
    QTest::newRow("no account amount on the line") << expense << int(COL_ACCOUNT) << QStringLiteral("5") << false
                                                   << -1000 * U << qint64(0);
    QTest::newRow("balance of an expense") << expense << int(COL_BALANCE) << QStringLiteral("5") << false
                                           << -1000 * U << qint64(0);
    QTest::newRow("balance of a carry-over") << Line(CARRY, 0, 100 * U, 0) << int(COL_BALANCE) << QStringLiteral("5")
                                             << true << 5 * U << qint64(0);

    const CReceipt fromDeposit = Line(FOOD, DEPOSIT, -1000 * U, 1000 * U);
    QTest::newRow("main amount only") << fromDeposit << int(COL_OUT) << QStringLiteral("2000") << true << -2000 * U
                                      << 1000 * U;
    QTest::newRow("counter amount only") << fromDeposit << int(COL_ACCOUNT) << QStringLiteral("800") << true
                                         << -1000 * U << 800 * U;
    QTest::newRow("switch moves the counter amount")
        << Line(DEPOSIT, FOOD, 1000 * U, -1000 * U) << int(COL_IN) << QStringLiteral("300") << true << 1000 * U
        << 300 * U;
    QTest::newRow("both in one column, equal") << Line(INCOME, INCOME, 100 * U, 100 * U) << int(COL_IN)
                                               << QStringLiteral("300") << true << 300 * U << 300 * U;
    QTest::newRow("both in one column, opposite") << Line(DEPOSIT, DEPOSIT, 1000 * U, -1000 * U) << int(COL_ACCOUNT)
                                                  << QStringLiteral("50") << true << 50 * U << -50 * U;
    QTest::newRow("both in one column, unrelated") << Line(DEPOSIT, DEPOSIT, 100 * U, 30 * U) << int(COL_ACCOUNT)
                                                   << QStringLiteral("50") << true << 50 * U << 30 * U;
}

void TestReceipt::setAmountText()
{
    QFETCH(CReceipt, line);
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, amount);
    QFETCH(qint64, amount2);
    line.m_strInput = QStringLiteral("typed");
    QCOMPARE(line.SetColumnText(kind, text, Cats()), ok);
    QCOMPARE(line.m_nAmount, amount);
    QCOMPARE(line.m_nAmount2, amount2);
    QCOMPARE(line.m_strInput.isEmpty(), ok);
}

void TestReceipt::setAmountEdges()
{
    // Without switching a value for the other column is refused.
    CReceipt expense = Line(FOOD, 0, -1000 * U, 0);
    QVERIFY(!expense.SetAmount(COL_IN, 500 * U, Cats(), false));
    QCOMPARE(expense.m_nAmount, -1000 * U);
    QVERIFY(!expense.SetAmount(COL_DATE, 500 * U, Cats(), true));

    // The most negative amount negates to itself instead of overflowing.
    const Amount nMin = std::numeric_limits<Amount>::min();
    QVERIFY(expense.SetAmount(COL_OUT, nMin, Cats(), true));
    QCOMPARE(expense.m_nAmount, nMin);
}

void TestReceipt::setDescriptionAndDate()
{
    CReceipt line = Line(FOOD, 0, 0, 0);
    line.m_nFlags = CReceipt::RF_RAW_TEXT | CReceipt::RF_NEW_MONTH;
    QVERIFY(line.SetColumnText(COL_DESCRIPTION, QStringLiteral("パン"), Cats()));
    QCOMPARE(line.m_strDesc, QStringLiteral("パン"));
    QCOMPARE(line.m_nFlags, int(CReceipt::RF_NEW_MONTH));

    QVERIFY(line.SetColumnText(COL_DATE, QStringLiteral("12"), Cats()));
    QCOMPARE(line.m_date, MakeDate(2020, 1, 12));
    QVERIFY(!line.SetColumnText(COL_DATE, QStringLiteral("2020/2/30"), Cats()));
    QCOMPARE(line.m_date, MakeDate(2020, 1, 12));
}

void TestReceipt::clearColumn_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<CReceipt>("after");

    CReceipt before = Line(INCOME, DEPOSIT, 500 * U, -500 * U);
    before.m_strDesc = QStringLiteral("給与");
    before.m_nFlags = CReceipt::RF_RAW_TEXT;

    QTest::newRow("date") << int(COL_DATE) << false << before;
    CReceipt after = before;
    after.m_nCat = after.m_nCat2 = 0;
    QTest::newRow("category") << int(COL_CATEGORY) << true << after;
    after = before;
    after.m_strDesc.clear();
    after.m_nFlags = 0;
    QTest::newRow("description") << int(COL_DESCRIPTION) << true << after;
    after = before;
    after.m_nAmount = 0;
    QTest::newRow("in") << int(COL_IN) << true << after;
    after = before;
    after.m_nAmount2 = 0;
    QTest::newRow("account") << int(COL_ACCOUNT) << true << after;
    QTest::newRow("out is no column of the line") << int(COL_OUT) << false << before;
}

void TestReceipt::clearColumn()
{
    QFETCH(int, kind);
    QFETCH(bool, ok);
    QFETCH(CReceipt, after);
    CReceipt line = Line(INCOME, DEPOSIT, 500 * U, -500 * U);
    line.m_strDesc = QStringLiteral("給与");
    line.m_nFlags = CReceipt::RF_RAW_TEXT;
    QCOMPARE(line.ClearColumn(kind, Cats()), ok);
    QCOMPARE(int(line.m_nCat), int(after.m_nCat));
    QCOMPARE(int(line.m_nCat2), int(after.m_nCat2));
    QCOMPARE(line.m_nAmount, after.m_nAmount);
    QCOMPARE(line.m_nAmount2, after.m_nAmount2);
    QCOMPARE(line.m_strDesc, after.m_strDesc);
    QCOMPARE(line.m_nFlags, after.m_nFlags);
}

void TestReceipt::columnFromLine_data()
{
    QTest::addColumn<CReceipt>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("srcKind");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<CReceipt>("after");

    const CReceipt income = Line(INCOME, 0, 500 * U, 0);
    CReceipt after;

    after = income;
    after.m_strDesc = QStringLiteral("ドル払い");
    QTest::newRow("description from description") << income << int(COL_DESCRIPTION) << int(COL_DESCRIPTION) << true
                                                  << after;
    after.m_strDesc = QStringLiteral("$10.00");
    QTest::newRow("description from an amount cell") << income << int(COL_DESCRIPTION) << int(COL_OUT) << true
                                                     << after;
    after = income;
    after.m_nCat = FOOD;
    after.m_nCat2 = DEPOSIT;
    after.m_nAmount2 = -500 * U;
    QTest::newRow("category from category") << income << int(COL_CATEGORY) << int(COL_CATEGORY) << true << after;
    QTest::newRow("category from date") << income << int(COL_CATEGORY) << int(COL_DATE) << false << income;
    after = income;
    after.m_date = MakeDate(2021, 6, 1);
    QTest::newRow("date from date") << income << int(COL_DATE) << int(COL_DATE) << true << after;
    QTest::newRow("date from description") << income << int(COL_DATE) << int(COL_DESCRIPTION) << false << income;
    after = income;
    after.m_nAmount = -10 * U;
    after.m_nCur = 1;
    QTest::newRow("out amount switches and takes the currency") << income << int(COL_OUT) << int(COL_OUT) << true
                                                                << after;
    after = income;
    after.m_nAmount = 0;
    after.m_nCur = 1;
    QTest::newRow("absent amount stores 0 in place") << income << int(COL_IN) << int(COL_IN) << true << after;
    QTest::newRow("absent amount does not switch") << income << int(COL_OUT) << int(COL_DESCRIPTION) << false
                                                   << income;
    QTest::newRow("balance over a line that cannot take it") << income << int(COL_BALANCE) << int(COL_BALANCE) << true
                                                             << income;
    after = Line(CARRY, 0, 777 * U, 0, 1);
    QTest::newRow("balance into a carry-over") << Line(CARRY, 0, 100 * U, 0) << int(COL_BALANCE) << int(COL_BALANCE)
                                               << true << after;
}

void TestReceipt::columnFromLine()
{
    QFETCH(CReceipt, line);
    QFETCH(int, kind);
    QFETCH(int, srcKind);
    QFETCH(bool, ok);
    QFETCH(CReceipt, after);

    CReceipt src = Line(FOOD, DEPOSIT, -10 * U, 10 * U, 1);
    src.m_date = MakeDate(2021, 6, 1);
    src.m_nBalance = 777 * U;
    src.m_strDesc = QStringLiteral("ドル払い");

    QCOMPARE(line.SetColumnFromLine(kind, srcKind, src, Curs(), Cats()), ok);
    QCOMPARE(line.m_date, after.m_date);
    QCOMPARE(int(line.m_nCur), int(after.m_nCur));
    QCOMPARE(int(line.m_nCat), int(after.m_nCat));
    QCOMPARE(int(line.m_nCat2), int(after.m_nCat2));
    QCOMPARE(line.m_nAmount, after.m_nAmount);
    QCOMPARE(line.m_nAmount2, after.m_nAmount2);
    QCOMPARE(line.m_strDesc, after.m_strDesc);
}

void TestReceipt::tokenize_data()
{
    QTest::addColumn<QString>("desc");
    QTest::addColumn<int>("cat2");
    QTest::addColumn<QString>("tokens");

    // Main category 食料 (3), counter 預貯金 (14 = 0x0e).
    QTest::newRow("heading, parentheses and counter part")
        << QStringLiteral("パン（牛乳，卵）；ATM") << int(DEPOSIT)
        << QStringLiteral("0:2:1203 2:1:8028 3:2:1103 5:1:802c 6:1:1103 7:1:8029 8:1:803b 9:3:200e");
    QTest::newRow("no counter category")
        << QStringLiteral("パン（牛乳，卵）；ATM") << 0
        << QStringLiteral("0:2:1203 2:1:8028 3:2:1103 5:1:802c 6:1:1103 7:1:8029 8:1:803b 9:3:0");
    QTest::newRow("quantity") << QStringLiteral("りんご×3") << 0 << QStringLiteral("0:3:1003 3:1:802a 4:1:1803");
    QTest::newRow("quantity ends at the next separator")
        << QStringLiteral("a*2,b") << 0 << QStringLiteral("0:1:1003 1:1:802a 2:1:1803 3:1:802c 4:1:1003");
    QTest::newRow("unclosed parentheses closed by the part")
        << QStringLiteral("a(b(c;d") << int(DEPOSIT)
        << QStringLiteral("0:1:1203 1:1:8028 2:1:1303 3:1:8028 4:1:1103 5:1:803b 0:0:8029 0:0:8029 6:1:200e");
    QTest::newRow("second part separator ends the categories")
        << QStringLiteral("a;b;c") << int(DEPOSIT) << QStringLiteral("0:1:1003 1:1:803b 2:1:200e 3:1:803b 4:1:0");
    QTest::newRow("spaces around items") << QStringLiteral("  a b  ；  c ") << int(DEPOSIT)
                                         << QStringLiteral("2:3:1003 7:1:803b 10:1:200e");
    QTest::newRow("arrows") << QStringLiteral("a⇒b⇔c") << 0 << QStringLiteral("0:1:1003 1:1:803e 2:1:1003 3:1:803c 4:1:1003");
    QTest::newRow("closing without opening") << QStringLiteral("a)b") << 0
                                             << QStringLiteral("0:1:1003 1:1:8029 2:1:1003");
    QTest::newRow("separators only") << QStringLiteral("**") << 0 << QStringLiteral("0:1:802a 1:1:802a");
    QTest::newRow("empty") << QString() << 0 << QString();
    QTest::newRow("beyond 255 characters") << QString(300, u'x') + QStringLiteral("；y") << int(DEPOSIT)
                                           << QStringLiteral("0:300:1003 300:1:803b 301:1:200e");
}

void TestReceipt::tokenize()
{
    QFETCH(QString, desc);
    QFETCH(int, cat2);
    QFETCH(QString, tokens);
    CReceipt line = Line(FOOD, cat2, 0, 0);
    line.m_strDesc = desc;
    QCOMPARE(Render(line.Tokenize()), tokens);
}

void TestReceipt::match_data()
{
    QTest::addColumn<int>("cat2");
    QTest::addColumn<int>("cur");
    QTest::addColumn<int>("cat");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("desc");

    const QString desc = QStringLiteral("パン（牛乳，卵）；ATM");

    // The line: currency 1, main category 食料.
    QTest::newRow("other currency") << int(DEPOSIT) << 0 << -1 << QString() << false << 0 << desc;
    QTest::newRow("any line") << int(DEPOSIT) << -1 << -1 << QString() << false << 3 << desc;
    QTest::newRow("text found") << int(DEPOSIT) << 1 << -1 << QStringLiteral("牛") << false << 3 << desc;
    QTest::newRow("text absent") << int(DEPOSIT) << 1 << -1 << QStringLiteral("米") << false << 0 << desc;
    QTest::newRow("whole item") << int(DEPOSIT) << -1 << -1 << QStringLiteral("牛乳") << true << 3 << desc;
    QTest::newRow("whole items") << int(DEPOSIT) << -1 << -1 << QStringLiteral("牛乳，卵") << true << 3 << desc;
    QTest::newRow("start of an item only") << int(DEPOSIT) << -1 << -1 << QStringLiteral("牛") << true << 0 << desc;
    QTest::newRow("end of an item only") << int(DEPOSIT) << -1 << -1 << QStringLiteral("乳") << true << 0 << desc;
    QTest::newRow("main part") << int(DEPOSIT) << -1 << int(FOOD) << QStringLiteral("パン") << false << 1 << desc;
    QTest::newRow("main category, text in counter part") << int(DEPOSIT) << -1 << int(FOOD) << QStringLiteral("ATM")
                                                         << false << 0 << desc;
    QTest::newRow("counter part") << int(DEPOSIT) << -1 << int(DEPOSIT) << QStringLiteral("ATM") << false << 2 << desc;
    QTest::newRow("counter category, text in main part")
        << int(DEPOSIT) << -1 << int(DEPOSIT) << QStringLiteral("パン") << false << 0 << desc;
    QTest::newRow("counter category, empty text") << int(DEPOSIT) << -1 << int(DEPOSIT) << QString() << false << 2 << desc;
    QTest::newRow("whole item in the counter part") << int(DEPOSIT) << -1 << int(DEPOSIT) << QStringLiteral("ATM")
                                                    << true << 2 << desc;
    QTest::newRow("other category") << int(DEPOSIT) << -1 << int(OTHER) << QString() << false << 0 << desc;
    QTest::newRow("counter category without part separator")
        << int(DEPOSIT) << -1 << int(DEPOSIT) << QString() << false << 2 << QStringLiteral("ATM（振込）");
    QTest::newRow("main category without part separator")
        << int(DEPOSIT) << -1 << int(FOOD) << QStringLiteral("振込") << false << 1 << QStringLiteral("ATM（振込）");
    QTest::newRow("no counter category") << 0 << -1 << int(DEPOSIT) << QString() << false << 0 << desc;
}

void TestReceipt::match()
{
    QFETCH(int, cat2);
    QFETCH(int, cur);
    QFETCH(int, cat);
    QFETCH(QString, text);
    QFETCH(bool, whole);
    QFETCH(int, result);
    QFETCH(QString, desc);
    CReceipt line = Line(FOOD, cat2, -5 * U, 5 * U, 1);
    line.m_strDesc = desc;
    QCOMPARE(line.Match(cur, cat, text, whole), result);
}

QTEST_GUILESS_MAIN(TestReceipt)
#include "tst_receipt.moc"

#include "DocFixture.h"

#include "model/ExchangeBuilder.h"
#include "platform/RecordingMessageSink.h"
#include "platform/StringTable.h"

#include <QTest>

#include <clocale>
#include <string>

using namespace fixture;

namespace {

const PackedDate D1 = MakeDate(2020, 1, 1);
const PackedDate D2 = MakeDate(2020, 1, 2);

// Yen given for dollars at a rate of 100.
std::vector<CReceipt> BuyDollars(std::int64_t nYen = 10000, std::int64_t nDollars = 100)
{
    return {Line(D1, YEN, CAT_EXCHANGE, U(-nYen)), Line(D1, USD, CAT_EXCHANGE, U(nDollars))};
}

std::vector<CReceipt> Join(std::vector<CReceipt> a, const std::vector<CReceipt>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void yenValues_data();
    void yenValues();
    void unpairedExchange_data();
    void unpairedExchange();
    void noRateKeepsOwnCurrency();
    void tipText_data();
    void tipText();
    void formatRate_data();
    void formatRate();
    void formatRateUnderCommaLocale_data() { formatRate_data(); }
    void formatRateUnderCommaLocale();
    void findRate();
    void yenViewRefused();
    void rounding_data();
    void rounding();
};

void TestExchange::yenValues_data()
{
    QTest::addColumn<std::vector<CReceipt>>("lines");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("kind");
    QTest::addColumn<Amount>("yen");

    QTest::newRow("received dollars valued at the rate") << BuyDollars() << 1 << int(COL_IN) << U(10000);
    QTest::newRow("dollar expense at the exchange rate")
        << Join(BuyDollars(), {Line(D2, USD, CAT_FOOD, U(-30))}) << 2 << int(COL_OUT) << U(3000);
    QTest::newRow("nearest earlier lot first")
        << Join(Join(BuyDollars(10000, 100), BuyDollars(11000, 100)), {Line(D2, USD, CAT_FOOD, U(-150))}) << 4
        << int(COL_OUT) << U(16000);
    QTest::newRow("spending beyond the lots at their average rate")
        << Join(BuyDollars(), {Line(D2, USD, CAT_FOOD, U(-150))}) << 2 << int(COL_OUT) << U(15000);
    QTest::newRow("expense before any exchange takes the later rate")
        << Join({Line(D1, USD, CAT_FOOD, U(-10))}, BuyDollars(1000, 10)) << 0 << int(COL_OUT) << U(1000);
    QTest::newRow("exchange between foreign currencies")
        << Join(BuyDollars(), {Line(D2, USD, CAT_EXCHANGE, U(-50)), Line(D2, EUR, CAT_EXCHANGE, U(40)),
                               Line(D2, EUR, CAT_FOOD, U(-8))})
        << 4 << int(COL_OUT) << U(1000);
    QTest::newRow("deposit takes the exchange lot")
        << Join(BuyDollars(), {Line(D2, USD, CAT_SAVINGS, U(-60))}) << 2 << int(COL_ACCOUNT) << U(-6000);
    QTest::newRow("withdrawal takes the deposit")
        << Join(BuyDollars(), {Line(D2, USD, CAT_SAVINGS, U(-60)), Line(D2, USD, CAT_SAVINGS, U(30))}) << 3
        << int(COL_ACCOUNT) << U(3000);
    QTest::newRow("income at the nearest rate")
        << Join(BuyDollars(), {Line(D2, USD, CAT_INCOME, U(5))}) << 2 << int(COL_IN) << U(500);
    // An income with no rate anywhere has no yen value; a deposit taken from it must not
    // value each dollar at one yen.
    QTest::newRow("lot without rate adds no value")
        << std::vector<CReceipt>{Line(D1, USD, CAT_INCOME, U(100)), Line(D2, USD, CAT_SAVINGS, U(-50))} << 1
        << int(COL_ACCOUNT) << Amount(0);
}

void TestExchange::yenValues()
{
    QFETCH(std::vector<CReceipt>, lines);
    QFETCH(int, row);
    QFETCH(int, kind);
    QFETCH(Amount, yen);

    CCofferDoc doc;
    Fill(doc, lines);
    Amount nValue = 0;
    const std::uint32_t nCode =
        doc.GetLine(row)->GetAmount(kind, doc.Categories(), nValue, CYenTable::Of(doc.GetExchangeTable()));
    QVERIFY(nCode & CReceipt::AMOUNT_CONVERTED);
    QCOMPARE(nValue, yen);
    QCOMPARE(doc.GetLine(row)->m_nFlags & CReceipt::RF_ERROR_MASK, 0);
}

void TestExchange::unpairedExchange_data()
{
    QTest::addColumn<std::vector<CReceipt>>("lines");
    QTest::addColumn<QList<int>>("marked");

    QTest::newRow("dollars given, then euros given")
        << std::vector<CReceipt>{Line(D1, USD, CAT_EXCHANGE, U(-10)), Line(D1, EUR, CAT_EXCHANGE, U(-10))}
        << QList<int>{1, 1};
    QTest::newRow("received with nothing given")
        << std::vector<CReceipt>{Line(D1, USD, CAT_EXCHANGE, U(10))} << QList<int>{1};
    QTest::newRow("given at the end") << Join(BuyDollars(), {Line(D2, YEN, CAT_EXCHANGE, U(-5))})
                                      << QList<int>{0, 0, 1};
}

void TestExchange::unpairedExchange()
{
    QFETCH(std::vector<CReceipt>, lines);
    QFETCH(QList<int>, marked);

    CCofferDoc doc;
    Fill(doc, lines);
    bool bAny = false;
    for (int i = 0; i < doc.GetLineCount(); ++i) {
        const CReceipt& line = *doc.GetLine(i);
        QCOMPARE(int(bool(line.m_nFlags & CReceipt::RF_EXCHANGE_UNPAIRED)), marked[i]);
        if (marked[i]) {
            QCOMPARE(line.m_nExchg, -1);
            bAny = true;
        }
    }
    // The mark set by the exchange step reaches the document's errors, so that the ERR
    // indicator and the next-error command agree.
    QCOMPARE(bool(doc.GetErrors() & CReceipt::RF_EXCHANGE_UNPAIRED), bAny);
    QCOMPARE(doc.HasLineErrors(), bAny);
}

void TestExchange::noRateKeepsOwnCurrency()
{
    CCofferDoc doc;
    Fill(doc, {Line(D1, YEN, CAT_EXCHANGE, U(-1000)), Line(D1, EUR, CAT_EXCHANGE, U(10)),
               Line(D2, USD, CAT_INCOME, U(5))});
    QVERIFY(doc.CanShowYen());
    QCOMPARE(doc.GetLine(2)->m_nExchg, -1);
    QCOMPARE(doc.GetCellText(2, COL_IN, true, true), QStringLiteral("$5.00"));
    QCOMPARE(doc.GetCellText(1, COL_IN, true, true), QStringLiteral("\\1,000"));
}

void TestExchange::tipText_data()
{
    QTest::addColumn<std::vector<CReceipt>>("lines");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("yenView");
    QTest::addColumn<QString>("tip");

    const auto cross = Join(BuyDollars(), {Line(D2, USD, CAT_EXCHANGE, U(-50)), Line(D2, EUR, CAT_EXCHANGE, U(40))});
    QTest::newRow("received part shows the exchange rate")
        << BuyDollars() << 1 << int(COL_IN) << false << QStringLiteral("\\10,000\n100.");
    QTest::newRow("expense shows its real rate")
        << Join(BuyDollars(), {Line(D2, USD, CAT_FOOD, U(-30))}) << 2 << int(COL_OUT) << false
        << QStringLiteral("\\3,000\n100.");
    QTest::newRow("given part shows the rate that valued it")
        << cross << 2 << int(COL_OUT) << false << QStringLiteral("\\5,000\n100.");
    QTest::newRow("part of a foreign exchange") << cross << 3 << int(COL_IN) << false << QStringLiteral("\\5,000\n125.");
    QTest::newRow("yen view shows the own currency")
        << BuyDollars() << 1 << int(COL_IN) << true << QStringLiteral("$100.00");
    QTest::newRow("base-currency line has no tip") << BuyDollars() << 0 << int(COL_OUT) << false << QString();
    QTest::newRow("value without rate has no rate line")
        << std::vector<CReceipt>{Line(D1, USD, CAT_INCOME, U(100)), Line(D2, USD, CAT_SAVINGS, U(-50))} << 1
        << int(COL_ACCOUNT) << false << QStringLiteral("\\0");
    QTest::newRow("no rate found: own currency")
        << std::vector<CReceipt>{Line(D1, USD, CAT_INCOME, U(5))} << 0 << int(COL_IN) << false
        << QStringLiteral("$5.00");
}

void TestExchange::tipText()
{
    QFETCH(std::vector<CReceipt>, lines);
    QFETCH(int, row);
    QFETCH(int, kind);
    QFETCH(bool, yenView);
    QFETCH(QString, tip);

    CCofferDoc doc;
    Fill(doc, lines);
    QCOMPARE(doc.GetTipText(row, kind, yenView), tip);
}

void TestExchange::formatRate_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole number keeps its point") << 100.0 << QStringLiteral("100.");
    QTest::newRow("fraction") << 0.5 << QStringLiteral("0.5");
    QTest::newRow("five significant digits") << 123.456 << QStringLiteral("123.46");
    QTest::newRow("third") << 1.0 / 3.0 << QStringLiteral("0.33333");
    QTest::newRow("large rate in exponent form") << 150000.0 << QStringLiteral("1.5e+05");
    QTest::newRow("small rate in exponent form") << 0.00001 << QStringLiteral("1.e-05");
}

void TestExchange::formatRate()
{
    QFETCH(double, rate);
    QFETCH(QString, text);
    QCOMPARE(CCofferDoc::FormatRate(rate), text);
}

// The tip must read the same whatever decimal separator the C library's locale uses.
void TestExchange::formatRateUnderCommaLocale()
{
    QFETCH(double, rate);
    QFETCH(QString, text);
    const char* pszOld = std::setlocale(LC_NUMERIC, nullptr);
    const std::string strOld = pszOld != nullptr ? pszOld : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        QSKIP("no comma-decimal locale (de_DE.UTF-8) on this machine; scripts/setup.sh generates one");
    const QString strActual = CCofferDoc::FormatRate(rate);
    std::setlocale(LC_NUMERIC, strOld.c_str());
    QCOMPARE(strActual, text);
}

void TestExchange::findRate()
{
    CCofferDoc doc;
    // Accumulators at entries 0 (rate 100) and 3 (rate 110).
    Fill(doc, Join(BuyDollars(10000, 100), BuyDollars(11000, 100)));
    QCOMPARE(doc.GetExchangeTable().size(), std::size_t(6));
    QCOMPARE(doc.FindRate(2, USD), 100.0);
    QCOMPARE(doc.FindRate(5, USD), 110.0);
    QCOMPARE(doc.FindRate(0, USD), 110.0); // nothing earlier: the nearest later one
    QCOMPARE(doc.FindRate(2, EUR), 0.0);
}

void TestExchange::yenViewRefused()
{
    CRecordingMessageSink sink;
    CCofferDoc doc;
    Fill(doc, {Line(D1, USD, CAT_INCOME, U(5))});
    QVERIFY(!doc.RequestYenView());
    QVERIFY(sink.LastWas(IDS_YEN_VIEW_REFUSED));

    sink.Clear();
    Fill(doc, BuyDollars());
    QVERIFY(doc.RequestYenView());
    QVERIFY(sink.m_boxes.isEmpty());
}

void TestExchange::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<Amount>("rounded");

    QTest::newRow("half up") << 15000.0 << Amount(20000);
    QTest::newRow("below half") << 14999.0 << Amount(10000);
    QTest::newRow("negative half toward zero") << -15000.0 << Amount(-10000);
    QTest::newRow("beyond the amount range clamps") << 1e30 << Amount(922337203685477) * 10000;
    QTest::newRow("not a number") << std::nan("") << Amount(0);
}

void TestExchange::rounding()
{
    QFETCH(double, value);
    QFETCH(Amount, rounded);
    QCOMPARE(CExchangeBuilder::RoundUnits(value), rounded);
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"

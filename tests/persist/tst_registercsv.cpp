#include "persist/RegisterCsv.h"

#include <QTest>

#include <limits>

Q_DECLARE_METATYPE(CReceipt)

namespace {

constexpr Amount Units(double d)
{
    return Amount(d * AMOUNT_UNIT);
}

std::vector<CCurFmt> Currencies()
{
    return {CCurFmt(QStringLiteral("\\"), 0, QStringLiteral("日本円")), CCurFmt(QStringLiteral("$"), 2, QString()),
            CCurFmt(QStringLiteral("1,\"x"), 2, QString())};
}

std::vector<CCategory> Categories()
{
    return {CCategory(0, QStringLiteral("備考")), CCategory(8, QStringLiteral("繰越")),
            CCategory(2, QStringLiteral("食料")), CCategory(3, QStringLiteral("預貯金")),
            CCategory(1, QStringLiteral("\"引用")), CCategory(2, QStringLiteral("a\tb"))};
}

CReceipt Line(PackedDate date, int nCur, int nCat, Amount a1, int nCat2, Amount a2, const QString& strDesc)
{
    CReceipt line;
    line.m_date = date;
    line.m_nCur = std::uint8_t(nCur);
    line.m_nCat = std::uint8_t(nCat);
    line.m_nCat2 = std::uint8_t(nCat2);
    line.m_nAmount = a1;
    line.m_nAmount2 = a2;
    line.m_strDesc = strDesc;
    return line;
}

bool SameLine(const CReceipt& a, const CReceipt& b)
{
    return a.m_date == b.m_date && a.m_nFlags == b.m_nFlags && a.m_nCur == b.m_nCur && a.m_nCat == b.m_nCat
        && a.m_nCat2 == b.m_nCat2 && a.m_nAmount == b.m_nAmount && a.m_nAmount2 == b.m_nAmount2
        && a.m_strDesc == b.m_strDesc;
}

QString Describe(const CReceipt& l)
{
    return QStringLiteral("date %1 flags %2 cur %3 cat %4/%5 amounts %6/%7 desc [%8]")
        .arg(l.m_date, 0, 16).arg(l.m_nFlags, 0, 16).arg(l.m_nCur).arg(l.m_nCat).arg(l.m_nCat2)
        .arg(l.m_nAmount).arg(l.m_nAmount2).arg(l.m_strDesc);
}

} // namespace

class TestRegisterCsv : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void format_data();
    void format();
    void roundTrip_data();
    void roundTrip();
    void parse_data();
    void parse();
    void rawLines_data();
    void rawLines();
    void newEntries();
    void listLimit();
};

void TestRegisterCsv::format_data()
{
    QTest::addColumn<CReceipt>("line");
    QTest::addColumn<QString>("text");
    const PackedDate d = MakeDate(2020, 5, 3);
    QTest::newRow("expense") << Line(d, 0, 2, Units(-1500), 0, 0, QStringLiteral("パン"))
                             << QStringLiteral("2020/5/3,,2,食料,-1500,,,,パン\r\n");
    QTest::newRow("transfer") << Line(d, 0, 2, Units(-1500), 3, Units(1500), QString())
                              << QStringLiteral("2020/5/3,,2,食料,-1500,3,預貯金,1500,\r\n");
    QTest::newRow("carry-over drops the counter part") << Line(d, 0, 1, Units(5000), 0, Units(12), QString())
                                                       << QStringLiteral("2020/5/3,,8,繰越,5000,,,,\r\n");
    QTest::newRow("other currency, fraction") << Line(MakeDate(2020, 5, 0), 1, 2, Units(-12.5), 0, 0, QString())
                                              << QStringLiteral("2020/5,$,2,食料,-12.50,,,,\r\n");
    QTest::newRow("undated") << Line(0, 0, 0, 0, 0, 0, QStringLiteral("メモ"))
                             << QStringLiteral("0,,0,備考,0,,,,メモ\r\n");
    QTest::newRow("comma quoted") << Line(d, 0, 2, 0, 0, 0, QStringLiteral("a,b"))
                                  << QStringLiteral("2020/5/3,,2,食料,0,,,,\"a,b\"\r\n");
    QTest::newRow("quotes doubled") << Line(d, 0, 4, 0, 0, 0, QStringLiteral("say \"hi\""))
                                    << QStringLiteral("2020/5/3,,1,\"\"\"引用\",0,,,,\"say \"\"hi\"\"\"\r\n");
    QTest::newRow("control characters become spaces")
        << Line(d, 0, 2, 0, 0, 0, QStringLiteral("a\r\nb\x01" "c\td")) << QStringLiteral("2020/5/3,,2,食料,0,,,,a  b c\td\r\n");
    CReceipt raw = Line(d, 0, 2, Units(5), 0, 0, QStringLiteral("not, a line"));
    raw.m_nFlags = CReceipt::RF_RAW_TEXT;
    QTest::newRow("raw line") << raw << QStringLiteral("not, a line\r\n");
}

void TestRegisterCsv::format()
{
    QFETCH(CReceipt, line);
    QFETCH(QString, text);
    QCOMPARE(CRegisterCsv::FormatCsvLine(line, Currencies(), Categories()), text);
}

// Lines written by the writer read back as the same line.
void TestRegisterCsv::roundTrip_data()
{
    QTest::addColumn<CReceipt>("line");
    const PackedDate d = MakeDate(2020, 5, 3);
    QTest::newRow("expense") << Line(d, 0, 2, Units(-1500), 0, 0, QStringLiteral("パン"));
    QTest::newRow("transfer") << Line(d, 0, 2, Units(-1500), 3, Units(1500), QStringLiteral("ATM"));
    QTest::newRow("fraction digits") << Line(d, 1, 2, -12345, 3, 12345, QString());
    QTest::newRow("undated stays undated") << Line(0, 0, 2, Units(1), 0, 0, QString());
    QTest::newRow("whole year") << Line(MakeDate(2000, 0, 0), 0, 2, Units(1), 0, 0, QString());
    QTest::newRow("description with comma") << Line(d, 0, 2, 0, 0, 0, QStringLiteral("会議,昼食"));
    QTest::newRow("description with quotes") << Line(d, 0, 2, 0, 0, 0, QStringLiteral("\"a\",\"b\""));
    QTest::newRow("description starting with a quote") << Line(d, 0, 2, 0, 0, 0, QStringLiteral("\"x"));
    QTest::newRow("category with a quote") << Line(d, 0, 4, 0, 2, 0, QStringLiteral("q"));
    QTest::newRow("description with a tab") << Line(d, 0, 5, 0, 0, 0, QStringLiteral("x\ty"));
    QTest::newRow("four-digit year 1900") << Line(MakeDate(1900, 1, 1), 0, 2, 0, 0, 0, QString());
    QTest::newRow("symbol with digit, comma and quote") << Line(d, 2, 2, Units(-1), 0, 0, QString());
    QTest::newRow("large amount") << Line(d, 0, 2, Amount(900000000000) * AMOUNT_UNIT, 0, 0, QString());
    CReceipt raw = Line(0, 0, 0, 0, 0, 0, QStringLiteral("何か,別の形式"));
    raw.m_nFlags = CReceipt::RF_RAW_TEXT;
    QTest::newRow("raw line") << raw;
}

void TestRegisterCsv::roundTrip()
{
    QFETCH(CReceipt, line);
    std::vector<CCurFmt> curs = Currencies();
    std::vector<CCategory> cats = Categories();
    QString text = CRegisterCsv::FormatCsvLine(line, curs, cats);
    QVERIFY(text.endsWith(u"\r\n"));
    text.chop(2);
    CReceipt back;
    QCOMPARE(CRegisterCsv::ParseCsvLine(text, curs, cats, back), !(line.m_nFlags & CReceipt::RF_RAW_TEXT));
    QVERIFY2(SameLine(back, line), qPrintable(Describe(back)));
    QCOMPARE(curs.size(), Currencies().size());
    QCOMPARE(cats.size(), Categories().size());
}

// Text read by the reader; the line is compared field by field.
void TestRegisterCsv::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<CReceipt>("line");
    QTest::newRow("tab separated") << QStringLiteral("2020/5/3\t\t2\t食料\t-1500\t\t\t\tパン")
                                   << Line(MakeDate(2020, 5, 3), 0, 2, Units(-1500), 0, 0, QStringLiteral("パン"));
    QTest::newRow("commas before a tab") << QStringLiteral("2020/5/3,,2,食料,1,,,,a\tb")
                                         << Line(MakeDate(2020, 5, 3), 0, 2, Units(1), 0, 0, QStringLiteral("a\tb"));
    QTest::newRow("two-digit year 60") << QStringLiteral("60/1/2,,2,食料,1,,,,")
                                       << Line(MakeDate(1960, 1, 2), 0, 2, Units(1), 0, 0, QString());
    QTest::newRow("two-digit year 59") << QStringLiteral("59/1/2,,2,食料,1,,,,")
                                       << Line(MakeDate(2059, 1, 2), 0, 2, Units(1), 0, 0, QString());
    QTest::newRow("year only") << QStringLiteral("2021,,2,食料,1,,,,")
                               << Line(MakeDate(2021, 0, 0), 0, 2, Units(1), 0, 0, QString());
    QTest::newRow("0/0/0 is the year 2000") << QStringLiteral("0/0/0,,2,食料,1,,,,")
                                            << Line(MakeDate(2000, 0, 0), 0, 2, Units(1), 0, 0, QString());
    // A day without its month could not be written back; it is the whole year.
    QTest::newRow("day without month is the year") << QStringLiteral("2020/0/3,,2,食料,1,,,,")
                                                    << Line(MakeDate(2020, 0, 0), 0, 2, Units(1), 0, 0, QString());
    QTest::newRow("old quoted description") << QStringLiteral("2020/5/3,,2,食料,1,,,,\"a,b\"c\"")
                                            << Line(MakeDate(2020, 5, 3), 0, 2, Units(1), 0, 0, QStringLiteral("a,b"));
    QTest::newRow("unclosed quote runs to the end") << QStringLiteral("2020/5/3,,2,食料,1,,,,\"a,b")
                                                    << Line(MakeDate(2020, 5, 3), 0, 2, Units(1), 0, 0, QStringLiteral("a,b"));
    QTest::newRow("no description separator") << QStringLiteral("2020/5/3,,2,食料,1,,,")
                                              << Line(MakeDate(2020, 5, 3), 0, 2, Units(1), 0, 0, QString());
    QTest::newRow("empty amount is 0") << QStringLiteral("2020/5/3,,2,食料,,,,,x")
                                       << Line(MakeDate(2020, 5, 3), 0, 2, 0, 0, 0, QStringLiteral("x"));
    QTest::newRow("tenth of a unit") << QStringLiteral("2020/5/3,,2,食料,0.1,,,,")
                                     << Line(MakeDate(2020, 5, 3), 0, 2, 1000, 0, 0, QString());
    QTest::newRow("fifth decimal truncated") << QStringLiteral("2020/5/3,,2,食料,-0.99999,,,,")
                                             << Line(MakeDate(2020, 5, 3), 0, 2, -9999, 0, 0, QString());
    QTest::newRow("point without digits after") << QStringLiteral("2020/5/3,,2,食料,+5.,,,,")
                                                << Line(MakeDate(2020, 5, 3), 0, 2, Units(5), 0, 0, QString());
    QTest::newRow("largest amount") << QStringLiteral("2020/5/3,,2,食料,922337203685477.5807,,,,")
                                    << Line(MakeDate(2020, 5, 3), 0, 2, std::numeric_limits<Amount>::max(), 0, 0, QString());
    QTest::newRow("smallest amount") << QStringLiteral("2020/5/3,,2,食料,-922337203685477.5808,,,,")
                                     << Line(MakeDate(2020, 5, 3), 0, 2, std::numeric_limits<Amount>::min(), 0, 0, QString());
    QTest::newRow("existing category keeps its attribute") << QStringLiteral("2020/5/3,,1,食料,1,,,,")
                                                           << Line(MakeDate(2020, 5, 3), 0, 2, Units(1), 0, 0, QString());
    QTest::newRow("empty name is category 0") << QStringLiteral("2020/5/3,,0,,1,,,,")
                                              << Line(MakeDate(2020, 5, 3), 0, 0, Units(1), 0, 0, QString());
    QTest::newRow("amount 2 without counter") << QStringLiteral("2020/5/3,,8,繰越,1,,,3,")
                                              << Line(MakeDate(2020, 5, 3), 0, 1, Units(1), 0, Units(3), QString());
    QTest::newRow("symbol currency") << QStringLiteral("2020/5/3,$,2,食料,1.25,,,,")
                                     << Line(MakeDate(2020, 5, 3), 1, 2, 12500, 0, 0, QString());
}

void TestRegisterCsv::parse()
{
    QFETCH(QString, text);
    QFETCH(CReceipt, line);
    std::vector<CCurFmt> curs = Currencies();
    std::vector<CCategory> cats = Categories();
    CReceipt back;
    QVERIFY(CRegisterCsv::ParseCsvLine(text, curs, cats, back));
    QVERIFY2(SameLine(back, line), qPrintable(Describe(back)));
}

void TestRegisterCsv::rawLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("no separator") << QStringLiteral("2020/5/3 食料 100");
    QTest::newRow("no date") << QStringLiteral("食料,,2,食料,1,,,,");
    QTest::newRow("year 1959 is not two digits") << QStringLiteral("-1/1/1,,2,食料,1,,,,");
    QTest::newRow("year beyond 9999") << QStringLiteral("10000/1/1,,2,食料,1,,,,");
    QTest::newRow("month 13") << QStringLiteral("2020/13/1,,2,食料,1,,,,");
    QTest::newRow("day 32") << QStringLiteral("2020/1/32,,2,食料,1,,,,");
    QTest::newRow("integer overflow") << QStringLiteral("2020/99999999999/1,,2,食料,1,,,,");
    QTest::newRow("currency field starting with a digit") << QStringLiteral("2020/5/3,2,食料,1,,,,");
    QTest::newRow("attribute of two digits") << QStringLiteral("2020/5/3,,22,食料,1,,,,");
    QTest::newRow("attribute missing") << QStringLiteral("2020/5/3,,,食料,1,,,,");
    QTest::newRow("line ends after the category") << QStringLiteral("2020/5/3,,2,食料");
    QTest::newRow("line ends after the amount") << QStringLiteral("2020/5/3,,2,食料,100");
    QTest::newRow("quoted name without separator") << QStringLiteral("2020/5/3,,2,\"食料\"x,1,,,,");
    QTest::newRow("amount with letters") << QStringLiteral("2020/5/3,,2,食料,100x,,,,");
    QTest::newRow("amount exponent") << QStringLiteral("2020/5/3,,2,食料,1e5,,,,");
    QTest::newRow("amount infinite") << QStringLiteral("2020/5/3,,2,食料,inf,,,,");
    QTest::newRow("amount two points") << QStringLiteral("2020/5/3,,2,食料,1.2.3,,,,");
    QTest::newRow("amount sign alone") << QStringLiteral("2020/5/3,,2,食料,-,,,,");
    QTest::newRow("amount out of range") << QStringLiteral("2020/5/3,,2,食料,1000000000000000,,,,");
    QTest::newRow("amount just beyond the largest") << QStringLiteral("2020/5/3,,2,食料,922337203685477.5808,,,,");
    QTest::newRow("amount of many digits") << QStringLiteral("2020/5/3,,2,食料,%1,,,,").arg(QString(400, u'9'));
    QTest::newRow("counter attribute letter") << QStringLiteral("2020/5/3,,2,食料,1,x,預貯金,1,");
    QTest::newRow("counter category unterminated") << QStringLiteral("2020/5/3,,2,食料,1,3,預貯金");
    QTest::newRow("counter amount bad") << QStringLiteral("2020/5/3,,2,食料,1,3,預貯金,1/2,");
    // With its tabs as spaces this would read as a line naming a category ".25".
    QTest::newRow("tabs kept") << QStringLiteral("2020/5+}3\t\t/3/5,,2,.25,,,,");
}

void TestRegisterCsv::rawLines()
{
    QFETCH(QString, text);
    std::vector<CCurFmt> curs = Currencies();
    std::vector<CCategory> cats = Categories();
    CReceipt line;
    line.m_nAmount = 99;
    QVERIFY(!CRegisterCsv::ParseCsvLine(text, curs, cats, line));
    QCOMPARE(line.m_nFlags, int(CReceipt::RF_RAW_TEXT));
    QCOMPARE(line.m_strDesc, text);
    QCOMPARE(line.m_date, 0);
    QCOMPARE(line.m_nAmount, Amount(0));
    QCOMPARE(line.m_nExchg, -1);
    // Nothing a raw line named is added.
    QCOMPARE(curs.size(), Currencies().size());
    QCOMPARE(cats.size(), Categories().size());
}

void TestRegisterCsv::newEntries()
{
    std::vector<CCurFmt> curs = Currencies();
    std::vector<CCategory> cats = Categories();
    CReceipt line;
    QVERIFY(CRegisterCsv::ParseCsvLine(u"2020/5/3,€,2,雑費,-1,5,雑費,1,x", curs, cats, line));
    QCOMPARE(curs.size(), size_t(4));
    QCOMPARE(curs[3].m_strSymbol, QStringLiteral("€"));
    QCOMPARE(curs[3].m_nDecimals, 2);
    QCOMPARE(curs[3].m_strName, QString());
    QCOMPARE(cats.size(), size_t(7));
    QCOMPARE(cats[6], CCategory(2, QStringLiteral("雑費")));
    QCOMPARE(int(line.m_nCur), 3);
    QCOMPARE(int(line.m_nCat), 6);
    QCOMPARE(int(line.m_nCat2), 6);

    // A line that fails after naming new entries adds none of them.
    QVERIFY(!CRegisterCsv::ParseCsvLine(u"2020/5/3,£,2,新しい,-1,3,別,bad,x", curs, cats, line));
    QCOMPARE(curs.size(), size_t(4));
    QCOMPARE(cats.size(), size_t(7));
}

void TestRegisterCsv::listLimit()
{
    std::vector<CCurFmt> curs = Currencies();
    std::vector<CCategory> cats = Categories();
    while (cats.size() < 120)
        cats.emplace_back(2, QStringLiteral("c%1").arg(cats.size()));
    CReceipt line;
    QVERIFY(CRegisterCsv::ParseCsvLine(u"2020/5/3,,2,121st,1,,,,", curs, cats, line));
    QCOMPARE(cats.size(), size_t(121));
    QVERIFY(!CRegisterCsv::ParseCsvLine(u"2020/5/3,,2,122nd,1,,,,", curs, cats, line));
    QCOMPARE(line.m_nFlags, int(CReceipt::RF_RAW_TEXT));
    QCOMPARE(cats.size(), size_t(121));
    QVERIFY(CRegisterCsv::ParseCsvLine(u"2020/5/3,,2,121st,1,,,,", curs, cats, line));

    while (curs.size() < 121)
        curs.emplace_back(QStringLiteral("s%1").arg(curs.size()), 2, QString());
    QVERIFY(!CRegisterCsv::ParseCsvLine(u"2020/5/3,NEW,2,食料,1,,,,", curs, cats, line));
    QCOMPARE(curs.size(), size_t(121));
}

QTEST_GUILESS_MAIN(TestRegisterCsv)
#include "tst_registercsv.moc"

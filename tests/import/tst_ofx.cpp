#include "model/Calendar.h"
#include "persist/OfxCharset.h"
#include "persist/OfxElementReader.h"
#include "persist/OfxImport.h"
#include "persist/OfxProp.h"
#include "persist/OfxValue.h"
#include "platform/CodePage932.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The lists as the file reader hands them over: the remark category alone.
struct CImported
{
    std::vector<CReceipt> lines;
    std::vector<CCategory> cats{CCategory(0, QStringLiteral("備考"))};
};

QString DateText(PackedDate date)
{
    if (date == 0)
        return QStringLiteral("-");
    return QStringLiteral("%1-%2-%3")
        .arg(DateYear(date), 4, 10, QLatin1Char('0'))
        .arg(DateMonth(date), 2, 10, QLatin1Char('0'))
        .arg(DateDay(date), 2, 10, QLatin1Char('0'));
}

// One line as "date|amount|category|description".
QStringList Render(const CImported& imported)
{
    QStringList out;
    for (const CReceipt& line : imported.lines) {
        const QString strCat = line.m_nCat < imported.cats.size() ? imported.cats[line.m_nCat].m_strName
                                                                   : QStringLiteral("?");
        out << QStringLiteral("%1|%2|%3|%4")
                   .arg(DateText(line.m_date))
                   .arg(line.m_nAmount)
                   .arg(strCat, line.m_strDesc);
        if (line.m_nCur != 0 || line.m_nCat2 != 0 || line.m_nAmount2 != 0 || line.m_nFlags != 0)
            out.last() += QStringLiteral("|not reset");
    }
    return out;
}

QStringList ImportText(const QByteArray& text, const COfxProp& prop = COfxProp())
{
    CImported imported;
    ImportOfx(text, prop, imported.lines, imported.cats);
    return Render(imported);
}

QByteArray ReadFixture(const QString& strName)
{
    QFile file(QStringLiteral(PENNYFOLD_TEST_DATA "/ofx/") + strName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QStringList Elements(const QByteArray& text)
{
    COfxElementReader reader(text);
    QByteArrayView tag;
    QByteArrayView value;
    QStringList out;
    while (reader.Next(tag, value))
        out << QString::fromUtf8(tag) + QLatin1Char('=') + QString::fromUtf8(value);
    return out;
}

const QByteArray g_header = "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\n\r\n";

} // namespace

class TestOfx : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void elements_data();
    void elements();
    void amounts_data();
    void amounts();
    void dates_data();
    void dates();
    void charsets_data();
    void charsets();
    void recognition_data();
    void recognition();
    void statements_data();
    void statements();
    void categoriesAppendedInOrder();
    void fewerLinesImportTheSame_data();
    void fewerLinesImportTheSame();
    void longValuesAreCut_data();
    void longValuesAreCut();
    void settings_data();
    void settings();
    void fixtures_data();
    void fixtures();
    void hostileTextEndsCleanly_data();
    void hostileTextEndsCleanly();
};

void TestOfx::elements_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("elements");
    QTest::newRow("one per line, LF") << QByteArray("<A>\n<B>1\n</A>\n") << QStringList{"A=", "B=1", "/A="};
    QTest::newRow("CR LF dropped") << QByteArray("<B>1 \r\n<C> 2\r\n") << QStringList{"B=1", "C=2"};
    QTest::newRow("own closing tag") << QByteArray("<NAME>  abc  </NAME>\n") << QStringList{"NAME=abc"};
    QTest::newRow("stray closing tag stays in the value")
        << QByteArray("<NAME>abc</MEMO>\n") << QStringList{"NAME=abc</MEMO>"};
    QTest::newRow("stray closing tag keeps trailing spaces")
        << QByteArray("<NAME>abc </MEMO> \n") << QStringList{"NAME=abc </MEMO> "};
    QTest::newRow("closing tag of an open aggregate ends the value")
        << QByteArray("<T>\n<MEMO>x</T>\n") << QStringList{"T=", "MEMO=x", "/T="};
    QTest::newRow("several elements on a line")
        << QByteArray("<S><C>0<V>INFO<M>OK</S><D>1") << QStringList{"S=", "C=0", "V=INFO", "M=OK", "/S=", "D=1"};
    QTest::newRow("closed elements on a line")
        << QByteArray("<C>0</C><V>x y</V><E></E>") << QStringList{"C=0", "V=x y", "E="};
    QTest::newRow("text before an element") << QByteArray("junk <A>1\nmore\n") << QStringList{"A=1"};
    QTest::newRow("lt without gt ends the line") << QByteArray("<A\n<B>2\n") << QStringList{"B=2"};
    QTest::newRow("lt without gt inside a value") << QByteArray("<A>x<y\n") << QStringList{"A=x<y"};
    QTest::newRow("closing an aggregate closes what it holds")
        << QByteArray("<A>\n<B>\n</A>\n<C>x</B>\n") << QStringList{"A=", "B=", "/A=", "C=x</B>"};
    QTest::newRow("blank lines and zero bytes") << QByteArray("\n\n\0\0<A>1\n\n\n", 11) << QStringList{"A=1"};
    QTest::newRow("zero byte ends a value") << QByteArray("<A>ab\0cd<B>1", 12) << QStringList{"A=ab", "B=1"};
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("declarations") << QByteArray("<?xml version=\"1.0\"?><A>1</A>")
                                  << QStringList{"?xml version=\"1.0\"?=", "A=1"};
}

void TestOfx::elements()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, elements);
    QCOMPARE(Elements(text), elements);
}

void TestOfx::amounts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<qint64>("amount");
    QTest::newRow("19.99 lands on its cent") << QByteArray("19.99") << qint64(199900);
    QTest::newRow("-6.60") << QByteArray("-6.60") << qint64(-66000);
    QTest::newRow("-1234.5") << QByteArray("-1234.5") << qint64(-12345000);
    QTest::newRow("whole") << QByteArray("250000") << qint64(2500000000LL);
    QTest::newRow("plus sign") << QByteArray("+5") << qint64(50000);
    QTest::newRow("leading blanks") << QByteArray("  12") << qint64(120000);
    QTest::newRow("fraction only") << QByteArray(".5") << qint64(5000);
    QTest::newRow("negative fraction only") << QByteArray("-.5") << qint64(-5000);
    QTest::newRow("point at the end") << QByteArray("5.") << qint64(50000);
    QTest::newRow("ten-thousandths truncated") << QByteArray("0.00019") << qint64(1);
    QTest::newRow("text after the number") << QByteArray("12.34 JPY") << qint64(123400);
    QTest::newRow("comma ends the number") << QByteArray("1,234") << qint64(10000);
    QTest::newRow("no number") << QByteArray("abc") << qint64(0);
    QTest::newRow("empty") << QByteArray() << qint64(0);
    QTest::newRow("point alone") << QByteArray(".") << qint64(0);
    QTest::newRow("sign alone") << QByteArray("-") << qint64(0);
    QTest::newRow("exponent not taken") << QByteArray("1e5") << qint64(10000);
    QTest::newRow("hexadecimal not taken") << QByteArray("0x10") << qint64(0);
    QTest::newRow("infinity") << QByteArray("inf") << qint64(0);
    QTest::newRow("nan") << QByteArray("nan") << qint64(0);
    QTest::newRow("large value keeps the factor's excess") << QByteArray("900000000000000") << qint64(9000000000000008192LL);
    QTest::newRow("beyond the amount range") << QByteArray("922337203685478") << qint64(0);
    QTest::newRow("below the amount range") << QByteArray("-922337203685478") << qint64(0);
    QTest::newRow("four hundred digits") << QByteArray("1") + QByteArray(400, '0') << qint64(0);
}

void TestOfx::amounts()
{
    QFETCH(QByteArray, text);
    QFETCH(qint64, amount);
    QCOMPARE(COfxValue::ParseAmount(text), amount);
}

void TestOfx::dates_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("date");
    QTest::newRow("with time and zone") << QByteArray("20170918120000[+9:JST]") << int(MakeDate(2017, 9, 18));
    QTest::newRow("date only") << QByteArray("20240131") << int(MakeDate(2024, 1, 31));
    QTest::newRow("leap day") << QByteArray("20240229") << int(MakeDate(2024, 2, 29));
    QTest::newRow("29 February of a common year") << QByteArray("20230229") << 0;
    QTest::newRow("30 February") << QByteArray("20240230") << 0;
    QTest::newRow("31 June") << QByteArray("20240631") << 0;
    QTest::newRow("month 13") << QByteArray("20241301") << 0;
    QTest::newRow("month 0") << QByteArray("20240001") << 0;
    QTest::newRow("day 0") << QByteArray("20240100") << 0;
    QTest::newRow("year 0") << QByteArray("00000101") << 0;
    QTest::newRow("blanks between the fields") << QByteArray(" 2017 9 18") << int(MakeDate(2017, 9, 18));
    QTest::newRow("seven digits read as a scan reads them") << QByteArray("2017091") << int(MakeDate(2017, 9, 1));
    QTest::newRow("too short") << QByteArray("201709") << 0;
    QTest::newRow("no digits") << QByteArray("abc") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
}

void TestOfx::dates()
{
    QFETCH(QByteArray, text);
    QFETCH(int, date);
    QCOMPARE(COfxValue::ParseDate(text), PackedDate(date));
}

void TestOfx::charsets_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("kind");
    const QByteArray sjis = CCodePage932::Encode(QStringLiteral("振込"));
    QTest::newRow("valid UTF-8 wins over the header")
        << QByteArray("OFXHEADER:100\nCHARSET:1252\n\n<NAME>\xC3\xA9") << int(COfxCharset::Utf8);
    QTest::newRow("CHARSET:1252") << QByteArray("OFXHEADER:100\nCHARSET:1252\n\n<NAME>\xE9") << int(COfxCharset::Windows1252);
    QTest::newRow("CHARSET:932") << QByteArray("OFXHEADER:100\nCHARSET:932\n\n<NAME>") + sjis << int(COfxCharset::CodePage932);
    QTest::newRow("ENCODING:USASCII") << QByteArray("OFXHEADER:100\nENCODING:USASCII\nCHARSET:NONE\n\n<NAME>\xE9")
                                      << int(COfxCharset::Windows1252);
    QTest::newRow("nothing declared") << QByteArray("OFXHEADER:100\n\n<NAME>") + sjis << int(COfxCharset::CodePage932);
    QTest::newRow("UTF-8 declared but broken") << QByteArray("OFXHEADER:100\nENCODING:UTF-8\n\n<NAME>") + sjis
                                               << int(COfxCharset::CodePage932);
    QTest::newRow("XML encoding") << QByteArray("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><?OFX OFXHEADER=\"200\"?><NAME>") + sjis
                                  << int(COfxCharset::CodePage932);
    QTest::newRow("CHARSET in a value is no header")
        << QByteArray("OFXHEADER:100\n\n<MEMO>\nCHARSET:1252\n") + sjis << int(COfxCharset::CodePage932);
}

void TestOfx::charsets()
{
    QFETCH(QByteArray, text);
    QFETCH(int, kind);
    QCOMPARE(int(COfxCharset::ForText(text).GetKind()), kind);
}

void TestOfx::recognition_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("start");
    QTest::newRow("SGML") << QByteArray("OFXHEADER:100\n") << 0;
    QTest::newRow("after blanks") << QByteArray(" \r\n\tOFXHEADER:100\n") << 4;
    QTest::newRow("after a byte-order mark") << QByteArray("\xEF\xBB\xBFOFXHEADER:100\n") << 3;
    QTest::newRow("nothing after the magic") << QByteArray("\n\nOFXHEADER:100") << -1;
    QTest::newRow("one byte after the magic") << QByteArray("OFXHEADER:100x") << 0;
    QTest::newRow("other header version") << QByteArray("OFXHEADER:200\n") << -1;
    QTest::newRow("XML form") << QByteArray("<?xml version=\"1.0\"?>\n<?OFX OFXHEADER=\"200\"?>\n<OFX>") << 0;
    QTest::newRow("XML form after a comment") << QByteArray("\n<!-- x -->\n<?OFX OFXHEADER=\"220\" ?><OFX>") << 1;
    QTest::newRow("plain XML") << QByteArray("<?xml version=\"1.0\"?>\n<root/>") << -1;
    QTest::newRow("unclosed declaration") << QByteArray("<?xml version=\"1.0\"") << -1;
    QTest::newRow("CSV text") << QByteArray("日付,費目\n") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void TestOfx::recognition()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, start);
    QCOMPARE(FindOfxStatement(bytes), qsizetype(start));
}

void TestOfx::statements_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("lines");
    const QByteArray trn = "<TRNTYPE>DEBIT\n<DTPOSTED>20170918120000[+9:JST]\n<TRNAMT>-1234.5\n<NAME>ABC\n<MEMO>x\n";
    QTest::newRow("bank transaction")
        << "<STMTTRN>\n" + trn + "</STMTTRN>\n" << QStringList{"2017-09-18|-12345000|預貯金|ABC；x"};
    QTest::newRow("card transaction")
        << "<CCSTMTTRNRS>\n<STMTTRN>\n" + trn + "</STMTTRN>\n</CCSTMTTRNRS>\n"
        << QStringList{"2017-09-18|-12345000|借入|ABC；x"};
    QTest::newRow("bank again after the card statement")
        << "<CCSTMTTRNRS>\n</CCSTMTTRNRS>\n<STMTTRN>\n" + trn + "</STMTTRN>\n"
        << QStringList{"2017-09-18|-12345000|預貯金|ABC；x"};
    QTest::newRow("no transaction type") << QByteArray("<STMTTRN>\n<TRNAMT>1\n</STMTTRN>\n")
                                         << QStringList{"-|10000|備考|"};
    QTest::newRow("unknown transaction type") << QByteArray("<STMTTRN>\n<TRNTYPE>FEE\n</STMTTRN>\n")
                                              << QStringList{"-|0|預貯金|"};
    QTest::newRow("ledger balance after ORG")
        << QByteArray("<SIGNONMSGSRSV1>\n<ORG>Bank\n</SIGNONMSGSRSV1>\n<LEDGERBAL>\n<BALAMT>100000\n"
                      "<DTASOF>20170930\n</LEDGERBAL>\n")
        << QStringList{"2017-09-30|1000000000|繰越|残高（Bank）"};
    QTest::newRow("balance without ORG")
        << QByteArray("<LEDGERBAL>\n<BALAMT>5\n</LEDGERBAL>\n") << QStringList{"-|50000|繰越|残高"};
    QTest::newRow("ORG outside the sign-on is ignored")
        << QByteArray("<ORG>Bank\n<LEDGERBAL>\n<BALAMT>5\n</LEDGERBAL>\n") << QStringList{"-|50000|繰越|残高"};
    QTest::newRow("both balances")
        << QByteArray("<LEDGERBAL>\n<BALAMT>1\n<DTASOF>20200101\n</LEDGERBAL>\n<AVAILBAL>\n<BALAMT>2\n"
                      "<DTASOF>20200102\n</AVAILBAL>\n")
        << QStringList{"2020-01-01|10000|繰越|残高", "2020-01-02|20000|繰越|残高"};
    QTest::newRow("two starts without an end lose the first")
        << QByteArray("<STMTTRN>\n<NAME>first\n<STMTTRN>\n<NAME>second\n</STMTTRN>\n")
        << QStringList{"-|0|備考|second"};
    QTest::newRow("unclosed transaction at the end is dropped")
        << QByteArray("<STMTTRN>\n<NAME>open\n") << QStringList{};
    QTest::newRow("NAME trimmed by its own end tag") << QByteArray("<STMTTRN>\n<NAME>  abc  </NAME>\n</STMTTRN>\n")
                                                     << QStringList{"-|0|備考|abc"};
    QTest::newRow("NAME keeps the end tag of MEMO") << QByteArray("<STMTTRN>\n<NAME>abc</MEMO>\n</STMTTRN>\n")
                                                    << QStringList{"-|0|備考|abc</MEMO>"};
    QTest::newRow("NAME white space trimmed both ends")
        << QByteArray("<STMTTRN>\n<NAME>\xE3\x80\x80 abc\t\xE3\x80\x80\n</STMTTRN>\n")
        << QStringList{"-|0|備考|abc"};
    QTest::newRow("MEMO alone") << QByteArray("<STMTTRN>\n<MEMO>m  \n</STMTTRN>\n") << QStringList{"-|0|備考|；m"};
    QTest::newRow("empty MEMO leaves the separator")
        << QByteArray("<STMTTRN>\n<NAME>n\n<MEMO>\n</STMTTRN>\n") << QStringList{"-|0|備考|n；"};
    QTest::newRow("19.99") << QByteArray("<STMTTRN>\n<TRNAMT>19.99\n</STMTTRN>\n") << QStringList{"-|199900|備考|"};
    QTest::newRow("impossible date stays 0")
        << QByteArray("<STMTTRN>\n<DTPOSTED>20170231\n</STMTTRN>\n") << QStringList{"-|0|備考|"};
    QTest::newRow("elements outside a transaction are ignored")
        << QByteArray("<NAME>x\n<TRNAMT>5\n<DTASOF>20200101\n</STMTTRN>\n</LEDGERBAL>\n") << QStringList{};
    QTest::newRow("tags are case-sensitive") << QByteArray("<stmttrn>\n<NAME>x\n</stmttrn>\n") << QStringList{};
    QTest::newRow("several blank lines at the end")
        << QByteArray("<STMTTRN>\n<NAME>x\n</STMTTRN>\n\n\n\r\n  \n") << QStringList{"-|0|備考|x"};
    QTest::newRow("Japanese names in UTF-8")
        << QByteArray("<STMTTRN>\n<NAME>電気料金\n<MEMO>口座振替\n</STMTTRN>\n")
        << QStringList{"-|0|備考|電気料金；口座振替"};
}

void TestOfx::statements()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, lines);
    QCOMPARE(ImportText(QByteArray(g_header + body)), lines);
}

void TestOfx::categoriesAppendedInOrder()
{
    CImported imported;
    QVERIFY(ImportOfx(g_header, COfxProp(), imported.lines, imported.cats));
    QVERIFY(imported.lines.empty());
    // Appended even when unused and even when a category of that name exists.
    const std::vector<CCategory> expected{CCategory(0, QStringLiteral("備考")), CCategory(8, QStringLiteral("繰越")),
                                          CCategory(3, QStringLiteral("預貯金")), CCategory(3, QStringLiteral("借入"))};
    QVERIFY(imported.cats == expected);
    QVERIFY(ImportOfx(g_header, COfxProp(), imported.lines, imported.cats));
    QCOMPARE(imported.cats.size(), size_t(7));
    // Never past what a ledger file holds: a list that full imports nothing.
    imported.cats.resize(119, CCategory(2, QStringLiteral("x")));
    QVERIFY(!ImportOfx(g_header, COfxProp(), imported.lines, imported.cats));
    QCOMPARE(imported.cats.size(), size_t(119));
    imported.cats.resize(118);
    QVERIFY(ImportOfx(g_header, COfxProp(), imported.lines, imported.cats));
    QCOMPARE(imported.cats.size(), size_t(121));
}

void TestOfx::fewerLinesImportTheSame_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::newRow("multiple accounts") << QStringLiteral("multiple_accounts.ofx");
    QTest::newRow("card") << QStringLiteral("chase_cc.qfx");
    QTest::newRow("Japanese bank") << QStringLiteral("jp_bank_utf8_crlf.ofx");
}

void TestOfx::fewerLinesImportTheSame()
{
    // The same elements joined on one line, or with spaces between, give the same lines.
    QFETCH(QString, fixture);
    const QByteArray text = ReadFixture(fixture);
    QVERIFY(!text.isEmpty());
    const qsizetype nBody = text.indexOf("<OFX>");
    QVERIFY(nBody > 0);
    QByteArray joined = text.left(nBody);
    QByteArray spaced = joined;
    for (const QByteArray& line : text.mid(nBody).split('\n')) {
        joined += line.trimmed();
        spaced += line.trimmed() + "  ";
    }
    const QStringList expected = ImportText(text);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(ImportText(joined), expected);
    QCOMPARE(ImportText(spaced), expected);
}

void TestOfx::longValuesAreCut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("desc");
    const QString s62(62, QLatin1Char('n'));
    const QString pair = QStringLiteral("\U0001F600");
    QTest::newRow("NAME of 63 kept") << s62 + QLatin1Char('x') << QString() << s62 + QLatin1Char('x');
    QTest::newRow("NAME of 64 cut") << s62 + QStringLiteral("xy") << QString() << s62 + QLatin1Char('x');
    QTest::newRow("NAME cut before a pair") << s62 + pair << QString() << s62;
    QTest::newRow("MEMO of 255 cut") << QStringLiteral("n") << QString(255, QLatin1Char('m'))
                                     << QStringLiteral("n；") + QString(254, QLatin1Char('m'));
    QTest::newRow("MEMO cut before a pair") << QStringLiteral("n") << QString(253, QLatin1Char('m')) + pair
                                            << QStringLiteral("n；") + QString(253, QLatin1Char('m'));
}

void TestOfx::longValuesAreCut()
{
    QFETCH(QString, name);
    QFETCH(QString, memo);
    QFETCH(QString, desc);
    QByteArray body = "<STMTTRN>\n<NAME>" + name.toUtf8() + "\n";
    if (!memo.isEmpty())
        body += "<MEMO>" + memo.toUtf8() + "\n";
    body += "</STMTTRN>\n";
    CImported imported;
    ImportOfx(QByteArray(g_header + body), COfxProp(), imported.lines, imported.cats);
    QCOMPARE(imported.lines.size(), size_t(1));
    QCOMPARE(imported.lines[0].m_strDesc, desc);
}

void TestOfx::settings_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QStringList>("cats");
    QTest::newRow("nothing stored") << QString() << QStringList{"8 繰越", "3 預貯金", "3 借入"};
    QTest::newRow("stored values")
        << QStringLiteral("BalMode=8\nBalType=残高確認\nBankMode=1\nBankType=銀行\nCardMode=2\nCardType=カード\n")
        << QStringList{"8 残高確認", "1 銀行", "2 カード"};
    QTest::newRow("codes outside 0..9 fall back")
        << QStringLiteral("BalMode=10\nBankMode=-1\nCardMode=abc\n") << QStringList{"8 繰越", "3 預貯金", "3 借入"};
    QTest::newRow("code 0 and 9 taken") << QStringLiteral("BalMode=0\nCardMode=9\n")
                                        << QStringList{"0 繰越", "3 預貯金", "9 借入"};
    QTest::newRow("empty name falls back") << QStringLiteral("BankType=\n") << QStringList{"8 繰越", "3 預貯金", "3 借入"};
    QTest::newRow("long name cut to 31")
        << QStringLiteral("CardType=") + QString(40, QChar(0x3042)) + QLatin1Char('\n')
        << QStringList{"8 繰越", "3 預貯金", QStringLiteral("3 ") + QString(31, QChar(0x3042))};
}

void TestOfx::settings()
{
    QFETCH(QString, ini);
    QFETCH(QStringList, cats);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString strFile = dir.filePath(QStringLiteral("settings.ini"));
    {
        QFile file(strFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[OfxProp]\n" + ini.toUtf8());
    }
    CScopedSettingsFile scope(strFile);
    CImported imported;
    QVERIFY(ImportOfx(g_header, imported.lines, imported.cats));
    QStringList got;
    for (size_t i = 1; i < imported.cats.size(); ++i)
        got << QString::number(imported.cats[i].m_nAttr) + QLatin1Char(' ') + imported.cats[i].m_strName;
    QCOMPARE(got, cats);
}

void TestOfx::fixtures_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("bank_medium") << QStringLiteral("bank_medium.ofx")
        << QStringList{"2009-04-01|-66000|預貯金|MCDONALD'S #112；POS MERCHANDISE;MCDONALD'S #112",
                       "2009-04-02|-3166700|預貯金|Joe's Bald Hairstyles；MISCELLANEOUS PAYMENTS;Joe's Bald Hairstyles",
                       "2009-04-03|-220000|預貯金|CONNIE'S HAIR D；POS MERCHANDISE;CONNIE'S HAIR D",
                       "2009-05-23|3823400|繰越|残高",
                       "2009-05-23|6823400|繰越|残高"};
    QTest::newRow("bank_small") << QStringLiteral("bank_small.ofx") << QStringList{};
    QTest::newRow("chase_cc") << QStringLiteral("chase_cc.qfx")
        << QStringList{"2020-01-01|-100000|借入|SQ *ECCO UN POCO ¦ NATURA",
                       "2020-01-02|-100000|繰越|残高（B1）",
                       "2020-01-02|900000|繰越|残高（B1）"};
    QTest::newRow("multiple_accounts") << QStringLiteral("multiple_accounts.ofx")
        << QStringList{"2011-08-09|2193300|預貯金|qeairunesuiqre",
                       "2011-08-09|-432000|預貯金|qtgiuaretnaruise；tsriuenrauise",
                       "2011-07-28|1300000|預貯金|7893432948",
                       "2011-07-28|-1230000|預貯金|Virement A 89273829182",
                       "2011-08-29|1234500000|繰越|残高",
                       "2011-07-28|1230000|預貯金|Virement 78934567889",
                       "2011-08-29|1234500000|繰越|残高"};
    QTest::newRow("one_line_empty_tags") << QStringLiteral("one_line_empty_tags.ofx")
        << QStringList{"2018-05-07|123400|預貯金|；CBA:Transfer", "-|0|繰越|残高"};
    QTest::newRow("Japanese bank, UTF-8, CR LF") << QStringLiteral("jp_bank_utf8_crlf.ofx")
        << QStringList{"2024-01-25|2500000000|預貯金|給与　カエデ商事",
                       "2024-01-27|-86400000|預貯金|デンキダイ；口座振替",
                       "2024-01-29|-300000000|預貯金|ＡＴＭ　引出し",
                       "2024-01-31|12113600000|繰越|残高（みずなら銀行）",
                       "2024-01-31|12113600000|繰越|残高（みずなら銀行）"};
    QTest::newRow("closing tags on the same line, LF") << QStringLiteral("closed_same_line_lf.ofx")
        << QStringList{"2017-09-18|-12345000|預貯金|ABC；x", "2017-09-20|199900|預貯金|Interest",
                       "2017-09-30|1000000000|繰越|残高（Bank）"};
    QTest::newRow("code page 1252, CR LF") << QStringLiteral("cp1252_crlf.ofx")
        << QStringList{"2023-03-15|-128000|預貯金|Café de la Gare；€ carte",
                       "2023-03-16|15002500|繰越|残高（Crédit Mutuel）"};
    QTest::newRow("Japanese card, Shift_JIS") << QStringLiteral("jp_card_sjis.ofx")
        << QStringList{"2024-02-10|-39800000|借入|スーパーマーケット　ヒノキ；ご本人　１回払い",
                       "2024-02-29|5000000|借入|ポイント還元",
                       "2024-03-05|-34800000|繰越|残高（もみじカード）"};
    QTest::newRow("Shift_JIS undeclared") << QStringLiteral("jp_undeclared_sjis.ofx")
        << QStringList{"2024-04-01|10000000|預貯金|振込　ヤマダ"};
    QTest::newRow("whole body on one line") << QStringLiteral("jp_one_line.ofx")
        << QStringList{"2024-05-10|-15000000|預貯金|水道料金；5月分", "2024-05-15|200000000|預貯金|入金",
                       "2024-05-31|685000000|繰越|残高（さくら信金）"};
    QTest::newRow("XML form") << QStringLiteral("ofx2_xml.ofx")
        << QStringList{"2024-06-18|-22000000|預貯金|本屋 <駅前>", "2024-06-20|978000000|繰越|残高（Kaede & Co Bank）"};
}

void TestOfx::fixtures()
{
    QFETCH(QString, fixture);
    QFETCH(QStringList, lines);
    const QByteArray bytes = ReadFixture(fixture);
    QVERIFY(!bytes.isEmpty());
    const qsizetype nStart = FindOfxStatement(bytes);
    QVERIFY(nStart >= 0);
    QCOMPARE(ImportText(bytes.mid(nStart)), lines);
}

void TestOfx::hostileTextEndsCleanly_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("many lt") << QByteArray(200000, '<');
    QTest::newRow("many open tags") << QByteArray("<A>").repeated(50000) + QByteArray("</A>").repeated(50000);
    QTest::newRow("many stray closing tags")
        << QByteArray("<NAME>") + QByteArray("</X>").repeated(50000);
    QTest::newRow("many lt then gt") << QByteArray("<N>") + QByteArray(100000, '<') + ">";
    QTest::newRow("transactions without end")
        << QByteArray("<STMTTRN><TRNTYPE>T<MEMO>m").repeated(20000);
    QTest::newRow("many types") << [] {
        QByteArray b;
        for (int i = 0; i < 20000; ++i)
            b += "<STMTTRN><TRNTYPE>T" + QByteArray::number(i) + "</STMTTRN>";
        return b;
    }();
}

void TestOfx::hostileTextEndsCleanly()
{
    QFETCH(QByteArray, text);
    CImported imported;
    QVERIFY(ImportOfx(QByteArray(g_header + text), COfxProp(), imported.lines, imported.cats));
    for (const CReceipt& line : imported.lines)
        QVERIFY(line.m_nCat < imported.cats.size());
}

QTEST_GUILESS_MAIN(TestOfx)
#include "tst_ofx.moc"

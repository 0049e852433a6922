#include "persist/ArchiveException.h"
#include "model/CategoryAttr.h"
#include "persist/LedgerFile.h"
#include "persist/RegisterCsv.h"
#include "persist/TextFile.h"
#include "platform/CodePage932.h"

#include <QTest>

namespace {

QByteArray Utf16(const QString& str)
{
    return CTextFile::EncodeUtf16(str);
}

CLedgerFile::Result ReadFile(const QByteArray& bytes, CLedgerData& data)
{
    QString strPassword;
    return CLedgerFile::Read(bytes, QStringLiteral("in.csv"), data, strPassword);
}

QStringList CategoryNames(const CLedgerData& data)
{
    QStringList names;
    for (const CCategory& cat : data.m_cats)
        names << cat.m_strName;
    return names;
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kindForPath_data();
    void kindForPath();
    void writeCsv();
    void writeMemoText();
    void readEncodings_data();
    void readEncodings();
    void controlCharacters_data();
    void controlCharacters();
    void memoSection();
    void categoriesSorted();
    void csvRoundTrip();
    void csdRoundTrip();
    void undecodableBytes_data();
    void undecodableBytes();
    void utf8WithoutMark_data();
    void utf8WithoutMark();
    void registerReadBack_data();
    void registerReadBack();
    void memoReadBack();
};

void TestTextFile::kindForPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("kind");
    QTest::newRow("csv lower") << QStringLiteral("/a/b.csv") << int(CLedgerFile::KIND_CSV);
    QTest::newRow("csv mixed") << QStringLiteral("b.CsV") << int(CLedgerFile::KIND_CSV);
    QTest::newRow("csd") << QStringLiteral("b.CSD") << int(CLedgerFile::KIND_CSD);
    QTest::newRow("ldr") << QStringLiteral("b.ldr") << int(CLedgerFile::KIND_NATIVE);
    QTest::newRow("ccr") << QStringLiteral("b.ccr") << int(CLedgerFile::KIND_NATIVE);
    QTest::newRow("no extension") << QStringLiteral("csv") << int(CLedgerFile::KIND_NATIVE);
}

void TestTextFile::kindForPath()
{
    QFETCH(QString, path);
    QFETCH(int, kind);
    QCOMPARE(int(CLedgerFile::KindForPath(path)), kind);
}

void TestTextFile::writeCsv()
{
    CLedgerData data;
    data.m_curs = {CCurFmt(QStringLiteral("\\"), 0, QString())};
    data.m_cats = {CCategory(0, QStringLiteral("備考")), CCategory(2, QStringLiteral("食料"))};
    CReceipt line;
    line.m_date = MakeDate(2020, 5, 3);
    line.m_nCat = 1;
    line.m_nAmount = -1500 * AMOUNT_UNIT;
    line.m_strDesc = QStringLiteral("パン");
    data.m_lines = {line, line};
    // A password never reaches a text file.
    const QByteArray bytes = CLedgerFile::Write(CLedgerFile::KIND_CSV, data, QStringLiteral("pw"));
    QCOMPARE(bytes, Utf16(QStringLiteral("2020/5/3,,2,食料,-1500,,,,パン\r\n2020/5/3,,2,食料,-1500,,,,パン\r\n")));
    QCOMPARE(CLedgerFile::Write(CLedgerFile::KIND_CSV, CLedgerData(), QString()), QByteArray("\xFF\xFE"));
}

void TestTextFile::writeMemoText()
{
    QCOMPARE(CTextFile::WriteMemoText({}), Utf16(QStringLiteral("日付 曜日\r\n")));
    CDailyRec rec((2024 << 16) | (3 << 8) | 5);
    rec.SetFieldText(MF_WEATHER, u"○");
    QCOMPARE(CTextFile::WriteMemoText({rec}),
             Utf16(QStringLiteral("日付 曜日\r\n2024/03/05 火\t○\t\t\t\t\t\t   \t\t\r\n")));
}

void TestTextFile::readEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("utf-16 crlf") << Utf16(QStringLiteral("2020/5/3,,2,食料,-1500,,,,パン\r\n\r\n2020/5/4,,2,食料,-1,,,,\r\n"));
    QTest::newRow("utf-16 lf, no last line end") << Utf16(QStringLiteral("2020/5/3,,2,食料,-1500,,,,パン\n2020/5/4,,2,食料,-1,,,,"));
    QTest::newRow("utf-16 odd last byte") << QByteArray(Utf16(QStringLiteral("2020/5/3,,2,食料,-1500,,,,パン\n2020/5/4,,2,食料,-1,,,,\n")) + 'x');
    QTest::newRow("code page 932") << CCodePage932::Encode(QStringLiteral("\r\n 2020/5/3,,2,食料,-1500,,,,パン\r\n2020/5/4,,2,食料,-1,,,,\r\n"));
}

void TestTextFile::readEncodings()
{
    QFETCH(QByteArray, bytes);
    CLedgerData data;
    QCOMPARE(ReadFile(bytes, data), CLedgerFile::Ok);
    QCOMPARE(data.m_lines.size(), size_t(2));
    QCOMPARE(data.m_lines[0].m_strDesc, QStringLiteral("パン"));
    QCOMPARE(data.m_lines[0].m_nAmount, -1500 * AMOUNT_UNIT);
    QCOMPARE(data.m_lines[1].m_date, MakeDate(2020, 5, 4));
    QCOMPARE(data.m_curs.size(), size_t(1));
    QCOMPARE(data.m_curs[0], CCurFmt(QStringLiteral("\\"), 0, QStringLiteral("日本円")));
    QCOMPARE(CategoryNames(data), QStringList({QStringLiteral("備考"), QStringLiteral("食料")}));
}

void TestTextFile::controlCharacters_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("escape character") << Utf16(QStringLiteral("2020/5/3,,2,食料,1,,,,a\x1b" "b\r\n"));
    QTest::newRow("NUL code unit") << Utf16(QStringLiteral("2020/5/3,,2,食料,1,,,,a") + QChar(0) + u"b\r\n");
    QTest::newRow("lone CR") << Utf16(QStringLiteral("2020/5/3,,2,食料,1,,,,a\rb\r\n"));
    QTest::newRow("NUL byte in code page 932") << QByteArray("2020/5/3,,2,x,1,,,,a\0b\r\n", 23);
    QTest::newRow("in the memo section") << Utf16(QStringLiteral("日付 曜日\r\n2024/3/5\t\x02\r\n"));
}

void TestTextFile::controlCharacters()
{
    QFETCH(QByteArray, bytes);
    CLedgerData data;
    data.m_nDocFlags = 5;
    QCOMPARE(ReadFile(bytes, data), CLedgerFile::FormatError);
    QCOMPARE(CLedgerFile::MessageFor(CLedgerFile::FormatError), 0xF10E);
    QCOMPARE(data.m_nDocFlags, 5);
    QVERIFY(data.m_lines.empty());
}

void TestTextFile::memoSection()
{
    const QString text = QStringLiteral(
        "2020/5/3,,2,食料,-1500,,,,パン\r\n"
        "日付 曜日 and more\r\n"
        "2024/03/06 水\t●\r\n"
        "2023/02/29 水\t○\r\n"   // no such day: skipped
        "garbage\r\n"             // no date: skipped
        "2024/03/05 火\t○\r\n"
        "2024/03/06 水\t◎\r\n");
    CLedgerData data;
    QCOMPARE(ReadFile(Utf16(text), data), CLedgerFile::Ok);
    QCOMPARE(data.m_lines.size(), size_t(1));
    QCOMPARE(data.m_daily.size(), size_t(3));
    // File order is kept; sorting is the store's business.
    QCOMPARE(data.m_daily[0].GetFieldText(MF_WEATHER), QStringLiteral("●"));
    QCOMPARE(data.m_daily[1].m_date, (2024 << 16) | (3 << 8) | 5);
    QCOMPARE(data.m_daily[2].GetFieldText(MF_WEATHER), QStringLiteral("◎"));
}

void TestTextFile::categoriesSorted()
{
    const QString text = QStringLiteral(
        "2020/5/3,,2,食料,-1,3,預貯金,1,\r\n"
        "2020/5/4,,1,給与,1,,,,\r\n"
        "2020/5/5,,2,交通,-1,,,,\r\n"
        "2020/5/6,,0,,0,,,,memo\r\n");
    CLedgerData data;
    QCOMPARE(ReadFile(Utf16(text), data), CLedgerFile::Ok);
    // U+4EA4 交, U+7D66 給, U+9810 預, U+98DF 食
    QCOMPARE(CategoryNames(data), QStringList({QStringLiteral("備考"), QStringLiteral("交通"), QStringLiteral("給与"),
                                               QStringLiteral("預貯金"), QStringLiteral("食料")}));
    QCOMPARE(int(data.m_lines[0].m_nCat), 4);
    QCOMPARE(int(data.m_lines[0].m_nCat2), 3);
    QCOMPARE(int(data.m_lines[1].m_nCat), 2);
    QCOMPARE(int(data.m_lines[2].m_nCat), 1);
    QCOMPARE(int(data.m_lines[3].m_nCat), 0);
    QCOMPARE(data.m_cats[3].m_nAttr, 3);

    // A position outside the list after another import is refused.
    CLedgerData bad = data;
    bad.m_lines[0].m_nCat2 = 9;
    bool bThrown = false;
    try {
        CLedgerFile::SortCategories(bad);
    } catch (const CArchiveException&) {
        bThrown = true;
    }
    QVERIFY(bThrown);
}

void TestTextFile::csvRoundTrip()
{
    const QString text = QStringLiteral(
        "2020/5/3,,2,食料,-1500,3,預貯金,1500,\"a,\"\"b\"\"\"\r\n"
        "0,,0,備考,0,,,,undated\r\n"
        "raw text, kept\r\n"
        "2020/5,$,9,予算,30000,,,,食料\r\n");
    CLedgerData data;
    QCOMPARE(ReadFile(Utf16(text), data), CLedgerFile::Ok);
    QCOMPARE(data.m_lines.size(), size_t(4));
    QCOMPARE(data.m_lines[0].m_strDesc, QStringLiteral("a,\"b\""));
    QCOMPARE(data.m_lines[1].m_date, 0);
    QCOMPARE(data.m_lines[2].m_nFlags, int(CReceipt::RF_RAW_TEXT));
    QCOMPARE(data.m_curs.size(), size_t(2));
    QCOMPARE(CLedgerFile::Write(CLedgerFile::KIND_CSV, data, QString()), Utf16(text));
}

void TestTextFile::csdRoundTrip()
{
    CLedgerData data;
    CDailyRec a((2024 << 16) | (3 << 8) | 5);
    a.SetFieldText(MF_WORK, u"年休 AM 出張");
    a.SetCommentText(u"会議,昼食;;二つ目", u";;");
    CDailyRec b((2024 << 16) | (3 << 8) | 6);
    b.m_nTimes[2] = 600;
    data.m_daily = {a, b};
    const QByteArray bytes = CLedgerFile::Write(CLedgerFile::KIND_CSD, data, QString());
    CLedgerData back;
    QCOMPARE(ReadFile(bytes, back), CLedgerFile::Ok);
    QVERIFY(back.m_lines.empty());
    QCOMPARE(back.m_daily.size(), size_t(2));
    QCOMPARE(back.m_daily[0].m_astrComments, a.m_astrComments);
    QCOMPARE(back.m_daily[0].m_nWork, a.m_nWork);
    QCOMPARE(back.m_daily[1].m_nTimes[2], std::int16_t(600));
    QCOMPARE(CLedgerFile::Write(CLedgerFile::KIND_CSD, back, QString()), bytes);
}

void TestTextFile::undecodableBytes_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("raw");
    const QString ffd(QChar::ReplacementCharacter);
    QTest::newRow("undefined single byte 0xA0") << QByteArray("2020/5/3,,2,a,-1,,,,x\xA0y")
                                                << QStringLiteral("2020/5/3,,2,a,-1,,,,x") + ffd + u"y";
    QTest::newRow("lead byte at the line's end") << QByteArray("2020/5/3,,2,a,-1,,,,x\x81")
                                                 << QStringLiteral("2020/5/3,,2,a,-1,,,,x") + ffd;
    QTest::newRow("lead byte before a comma") << QByteArray("2020/5/3,,2,a\x81,-1,,,,x")
                                              << QStringLiteral("2020/5/3,,2,a") + ffd + u",-1,,,,x";
    QTest::newRow("undefined double byte") << QByteArray("2020/5/3,,2,\x82\xA0\x85\x40,-1,,,,x")
                                           << QStringLiteral("2020/5/3,,2,あ") + ffd + u",-1,,,,x";
    QTest::newRow("bytes 0x80 and 0xFD") << QByteArray("\x80" "2020/5/3\xFD")
                                         << ffd + QStringLiteral("2020/5/3") + ffd;
}

void TestTextFile::undecodableBytes()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, raw);
    // The line around it reads as before, and the memo section after it still opens.
    const QByteArray bytes = CCodePage932::Encode(QStringLiteral("2020/5/2,,2,食料,-100,,,,前\r\n")) + line + "\r\n"
                             + CCodePage932::Encode(QStringLiteral("2020/5/4,,2,食料,-200,,,,後\r\n日付 曜日\r\n"))
                             + "2024/03/05 \x89\xCE\t\xA0\r\n";
    CLedgerData data;
    QCOMPARE(ReadFile(bytes, data), CLedgerFile::Ok);
    QCOMPARE(data.m_lines.size(), size_t(3));
    QCOMPARE(data.m_lines[0].m_strDesc, QStringLiteral("前"));
    QCOMPARE(data.m_lines[1].m_nFlags, int(CReceipt::RF_RAW_TEXT));
    QCOMPARE(data.m_lines[1].m_strDesc, raw);
    QCOMPARE(data.m_lines[2].m_nAmount, -200 * AMOUNT_UNIT);
    QCOMPARE(data.m_lines[2].m_strDesc, QStringLiteral("後"));
    QCOMPARE(data.m_daily.size(), size_t(1));
    QCOMPARE(data.m_daily[0].m_date, (2024 << 16) | (3 << 8) | 5);
}

void TestTextFile::utf8WithoutMark_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("rawFirst");
    const QByteArray text = QStringLiteral("2020/5/3,,2,食料,-1500,,,,パン\r\n2020/5/4,,2,食料,-1,,,,\r\n").toUtf8();
    QTest::newRow("no mark") << text << false;
    QTest::newRow("no mark, LF only") << QByteArray(text).replace("\r\n", "\n") << false;
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF" + text) << false;
    // With the mark the file says what it is: a broken sequence is that line's problem only.
    QTest::newRow("UTF-8 mark, one broken sequence")
        << QByteArray("\xEF\xBB\xBF" + QByteArray(text).replace("パン", "\xE3\x83")) << true;
}

void TestTextFile::utf8WithoutMark()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, rawFirst);
    CLedgerData data;
    QCOMPARE(ReadFile(bytes, data), CLedgerFile::Ok);
    QCOMPARE(data.m_lines.size(), size_t(2));
    QCOMPARE(data.m_lines[0].m_nFlags, rawFirst ? int(CReceipt::RF_RAW_TEXT) : 0);
    if (!rawFirst) {
        QCOMPARE(data.m_lines[0].m_strDesc, QStringLiteral("パン"));
        QCOMPARE(data.m_lines[0].m_nAmount, -1500 * AMOUNT_UNIT);
    }
    QCOMPARE(data.m_lines[1].m_date, MakeDate(2020, 5, 4));
    QCOMPARE(CategoryNames(data), QStringList({QStringLiteral("備考"), QStringLiteral("食料")}));
}

void TestTextFile::registerReadBack_data()
{
    QTest::addColumn<QList<int>>("changed");
    QTest::addColumn<QList<int>>("expected");
    // Each row changes lines of the fixture below (by a code) and names the lines the check must report.
    enum { YEAR_50 = 1, EMPTY_RAW, EMPTY_COUNTER_NAME, SECOND_FOOD, SECOND_DOLLAR, RAW_PARSES, LINE_BREAK,
           MEMO_HEADER, ATTR_OVER_9, REMARK_NAME };
    QTest::addColumn<int>("code");
    QTest::newRow("ordinary ledger") << QList<int>() << QList<int>() << 0;
    QTest::newRow("year 50 reads as 2050") << QList<int>{1} << QList<int>{1} << int(YEAR_50);
    QTest::newRow("raw line with empty text") << QList<int>{2} << QList<int>{2} << int(EMPTY_RAW);
    QTest::newRow("counter category with empty name") << QList<int>{1} << QList<int>{1} << int(EMPTY_COUNTER_NAME);
    QTest::newRow("two categories of one name") << QList<int>{3} << QList<int>{3} << int(SECOND_FOOD);
    QTest::newRow("two currencies of one symbol") << QList<int>{4} << QList<int>{4} << int(SECOND_DOLLAR);
    QTest::newRow("raw text that reads as a line") << QList<int>{2} << QList<int>{2} << int(RAW_PARSES);
    QTest::newRow("description with a line break") << QList<int>{0} << QList<int>{0} << int(LINE_BREAK);
    QTest::newRow("raw text that starts the memo section") << QList<int>{2} << QList<int>{2, 3, 4} << int(MEMO_HEADER);
    // Every line of that category is named, the first two of them in the list.
    QTest::newRow("attribute above 9") << QList<int>{0} << QList<int>{0, 1, 3} << int(ATTR_OVER_9);
    QTest::newRow("a second category named like the remark") << QList<int>{0} << QList<int>{0, 1, 3} << int(REMARK_NAME);
}

void TestTextFile::registerReadBack()
{
    QFETCH(QList<int>, changed);
    QFETCH(QList<int>, expected);
    QFETCH(int, code);
    CLedgerData data;
    data.m_curs = {CCurFmt(QStringLiteral("\\"), 0, QStringLiteral("日本円")), CCurFmt(QStringLiteral("$"), 2, QString())};
    data.m_cats = {CCategory(ATTR_REMARK, QStringLiteral("備考")), CCategory(ATTR_EXPENSE, QStringLiteral("食料")),
                   CCategory(ATTR_ACCOUNT, QStringLiteral("預貯金")), CCategory(ATTR_CARRYOVER, QStringLiteral("繰越"))};
    CReceipt food;
    food.m_date = MakeDate(2020, 5, 3);
    food.m_nCat = 1;
    food.m_nAmount = -1500 * AMOUNT_UNIT;
    food.m_strDesc = QStringLiteral("パン");
    CReceipt transfer = food;
    transfer.m_nCat2 = 2;
    transfer.m_nAmount2 = 1500 * AMOUNT_UNIT;
    CReceipt raw = CRegisterCsv::RawLine(u"kept as it is");
    CReceipt dollar = food;
    dollar.m_nCur = 1;
    CReceipt carry;
    carry.m_date = MakeDate(2020, 5, 5);
    carry.m_nCat = 3;
    carry.m_nAmount2 = 7; // computed, never written
    data.m_lines = {food, transfer, raw, dollar, carry};
    const int nFirst = changed.isEmpty() ? -1 : changed.first();
    switch (code) {
    case 1: data.m_lines[size_t(nFirst)].m_date = MakeDate(50, 1, 2); break;
    case 2: data.m_lines[size_t(nFirst)].m_strDesc.clear(); break;
    case 3: data.m_cats[2].m_strName.clear(); break;
    case 4:
        data.m_cats.emplace_back(ATTR_EXPENSE, QStringLiteral("食料"));
        data.m_lines[size_t(nFirst)].m_nCat = 4;
        break;
    case 5:
        data.m_curs.push_back(CCurFmt(QStringLiteral("$"), 0, QStringLiteral("other")));
        data.m_lines[size_t(nFirst)].m_nCur = 2;
        break;
    case 6: data.m_lines[size_t(nFirst)].m_strDesc = QStringLiteral("2020/5/3,,2,食料,-1,,,,x"); break;
    case 7: data.m_lines[size_t(nFirst)].m_strDesc = QStringLiteral("二行\n目"); break;
    case 8: data.m_lines[size_t(nFirst)].m_strDesc = QStringLiteral("日付 曜日 ですが"); break;
    case 9: data.m_cats[1].m_nAttr = 12; break;
    case 10: data.m_cats[1].m_strName = QStringLiteral("備考"); break;
    default: break;
    }
    const CTextFile::CReadBack check = CTextFile::CheckRegisterCsv(data.m_lines, data.m_curs, data.m_cats, 2);
    QCOMPARE(check.m_nCount, size_t(expected.size()));
    for (qsizetype i = 0; i < qsizetype(check.m_first.size()) && i < expected.size(); ++i)
        QCOMPARE(int(check.m_first[size_t(i)]), expected[i]);
    QCOMPARE(check.m_first.size(), std::min(size_t(2), size_t(expected.size())));

    // What the check passes really reads back to the same text.
    if (expected.isEmpty()) {
        const QByteArray bytes = CLedgerFile::Write(CLedgerFile::KIND_CSV, data, QString());
        CLedgerData back;
        QCOMPARE(ReadFile(bytes, back), CLedgerFile::Ok);
        QCOMPARE(back.m_lines.size(), data.m_lines.size());
        QCOMPARE(CLedgerFile::Write(CLedgerFile::KIND_CSV, back, QString()), bytes);
    }
}

void TestTextFile::memoReadBack()
{
    CDailyRec good((2020 << 16) | (2 << 8) | 29);
    good.SetFieldText(MF_WEATHER, u"○");
    CDailyRec noDay((2020 << 16) | (2 << 8) | 30);
    noDay.SetFieldText(MF_WEATHER, u"○");
    CDailyRec year50 = good;
    year50.m_date = (50 << 16) | (1 << 8) | 2;
    const CTextFile::CReadBack check = CTextFile::CheckMemoText({good, noDay, good, year50}, 5);
    QCOMPARE(check.m_nCount, size_t(2));
    QCOMPARE(check.m_first, (std::vector<size_t>{1, 3}));
    QCOMPARE(CTextFile::CheckMemoText({good}, 5).m_nCount, size_t(0));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"

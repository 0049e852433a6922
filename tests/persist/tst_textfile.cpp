#include "persist/ArchiveException.h"
#include "persist/LedgerFile.h"
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

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"

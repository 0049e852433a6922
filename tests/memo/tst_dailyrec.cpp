#include "memo/DailyRec.h"

#include <QTest>

Q_DECLARE_METATYPE(CDailyRec)

namespace {
constexpr std::int32_t Date(int y, int m, int d)
{
    return (y << 16) | (m << 8) | d;
}
}

class TestDailyRec : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newRecordIsEmpty();
    void fieldText_data();
    void fieldText();
    void setFieldText_data();
    void setFieldText();
    void textFormsReadBack_data();
    void textFormsReadBack();
    void comments();
    void fieldValues();
    void dayOfWeek_data();
    void dayOfWeek();
    void formatMemoLine();
    void parseMemoLine_data();
    void parseMemoLine();
    void exportReadsBack_data();
    void exportReadsBack();
};

void TestDailyRec::newRecordIsEmpty()
{
    CDailyRec rec(Date(2024, 3, 5));
    QVERIFY(rec.IsEmpty());
    for (int nField = MF_WEATHER; nField <= MF_COMMENT0 + 2; ++nField)
        QCOMPARE(rec.GetFieldText(nField), QString());
    rec.m_nTimes[0] = 0;
    QVERIFY(!rec.IsEmpty());
}

// field, a setter of the raw value, expected text
void TestDailyRec::fieldText_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("date") << int(MF_DATE) << qint64(Date(2024, 3, 5)) << QStringLiteral("24/ 3/ 5");
    QTest::newRow("dayname") << int(MF_DAYNAME) << qint64(Date(2024, 3, 5)) << QStringLiteral("火");
    QTest::newRow("dayname of an impossible day") << int(MF_DAYNAME) << qint64(Date(2023, 2, 29)) << QString();
    QTest::newRow("dayname of month 13") << int(MF_DAYNAME) << qint64(Date(2023, 13, 1)) << QString();
    QTest::newRow("weather with a gap") << int(MF_WEATHER) << qint64(0x40101) << QStringLiteral("○○●");
    QTest::newRow("weather transitions") << int(MF_WEATHER) << qint64(0x14) << QStringLiteral("●／");
    QTest::newRow("weather above 10 is empty") << int(MF_WEATHER) << qint64(0xB0C) << QString();
    QTest::newRow("work code") << int(MF_WORK) << qint64(0x90) << QStringLiteral("年休");
    QTest::newRow("work suffix") << int(MF_WORK) << qint64(0x35) << QStringLiteral("ＮiO");
    QTest::newRow("work morning default hours") << int(MF_WORK) << qint64(0x502490) << QStringLiteral("年休 AM 出張");
    QTest::newRow("work morning three hours") << int(MF_WORK) << qint64(0x502390) << QStringLiteral("年休 AM3 出張");
    QTest::newRow("work afternoon") << int(MF_WORK) << qint64(0x224390) << QStringLiteral("年休 PM3 ＤR");
    QTest::newRow("work mark without second code") << int(MF_WORK) << qint64(0x2490) << QStringLiteral("年休 AM ");
    QTest::newRow("work unknown code") << int(MF_WORK) << qint64(0x17) << QString();
    QTest::newRow("work ignores overtime") << int(MF_WORK) << qint64(0x02000090) << QStringLiteral("年休");
    QTest::newRow("overtime") << int(MF_OVERTIME) << qint64(2) << QStringLiteral("超勤2");
    QTest::newRow("marks") << int(MF_MARKS) << qint64(0x31) << QStringLiteral("RB3");
    QTest::newRow("marks last letter") << int(MF_MARKS) << qint64(0x10000000) << QStringLiteral("H");
    QTest::newRow("figures two") << int(MF_FIGURES) << qint64(0x0C05) << QStringLiteral(" 5 12");
    QTest::newRow("figures three") << int(MF_FIGURES) << qint64(0xFD0C05) << QStringLiteral(" 5 12 -3");
    QTest::newRow("figures three-digit second") << int(MF_FIGURES) << qint64(0x7B05) << QStringLiteral(" 5 123");
    QTest::newRow("figures zero") << int(MF_FIGURES) << qint64(0) << QString();
    QTest::newRow("flags octal") << int(MF_FLAGS) << qint64(8) << QStringLiteral("10");
    QTest::newRow("time dash") << int(MF_TIME0) << qint64(1440) << QStringLiteral("-----");
    QTest::newRow("time padded") << int(MF_TIME0) << qint64(425) << QStringLiteral(" 7:05");
    QTest::newRow("time none") << int(MF_TIME0 + 7) << qint64(-1) << QString();
    QTest::newRow("time midnight") << int(MF_TIME0 + 3) << qint64(0) << QStringLiteral(" 0:00");
}

void TestDailyRec::fieldText()
{
    QFETCH(int, field);
    QFETCH(qint64, value);
    QFETCH(QString, text);
    CDailyRec rec(Date(2024, 3, 5));
    if (field <= MF_DATE)
        rec.m_date = std::int32_t(value);
    else if (field == MF_WORK)
        rec.m_nWork = std::uint32_t(value);
    else
        QVERIFY(rec.SetFieldValue(field, std::int32_t(value)));
    QCOMPARE(rec.GetFieldText(field), text);
}

// field, text, expected raw value (GetFieldValue), whole text used
void TestDailyRec::setFieldText_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<bool>("whole");

    QTest::newRow("weather three") << int(MF_WEATHER) << QStringLiteral("○／●") << qint64(0x411) << true;
    QTest::newRow("weather skips a position") << int(MF_WEATHER) << QStringLiteral("○●") << qint64(0x401) << true;
    QTest::newRow("weather stray") << int(MF_WEATHER) << QStringLiteral("○x") << qint64(0x1) << false;
    QTest::newRow("work plain") << int(MF_WORK) << QStringLiteral("年休") << qint64(0x90) << true;
    QTest::newRow("work suffix") << int(MF_WORK) << QStringLiteral("Ｈ2") << qint64(0x12) << true;
    QTest::newRow("work half day") << int(MF_WORK) << QStringLiteral("年休 AM 出張") << qint64(0x502490) << true;
    QTest::newRow("work half day hours") << int(MF_WORK) << QStringLiteral("年休 PM3 ＤR") << qint64(0x224390) << true;
    QTest::newRow("work mark alone") << int(MF_WORK) << QStringLiteral("年休 AM") << qint64(0x2490) << false;
    QTest::newRow("work mark and space") << int(MF_WORK) << QStringLiteral("年休 AM ") << qint64(0x2490) << false;
    QTest::newRow("work unknown") << int(MF_WORK) << QStringLiteral("xyz") << qint64(0) << false;
    QTest::newRow("overtime") << int(MF_OVERTIME) << QStringLiteral("超勤3") << qint64(3) << true;
    QTest::newRow("overtime without word") << int(MF_OVERTIME) << QStringLiteral("3") << qint64(0) << false;
    QTest::newRow("marks counted") << int(MF_MARKS) << QStringLiteral("R2B") << qint64(0x12) << true;
    QTest::newRow("marks repeated") << int(MF_MARKS) << QStringLiteral("RR") << qint64(0x2) << true;
    QTest::newRow("marks unknown letter") << int(MF_MARKS) << QStringLiteral("RX") << qint64(0) << false;
    QTest::newRow("marks stop at nine") << int(MF_MARKS) << QStringLiteral("R9R9B") << qint64(0x19) << true;
    QTest::newRow("figures") << int(MF_FIGURES) << QStringLiteral(" 5 12 -3") << qint64(0xFD0C05) << true;
    QTest::newRow("figures modulo") << int(MF_FIGURES) << QStringLiteral("257") << qint64(1) << true;
    // 10^20 - 1 wraps in 32 bits; its low byte is 255 either way.
    QTest::newRow("figures huge number wraps") << int(MF_FIGURES) << QStringLiteral("99999999999999999999")
                                               << qint64(255) << true;
    QTest::newRow("flags") << int(MF_FLAGS) << QStringLiteral("17") << qint64(15) << true;
    QTest::newRow("flags no leading space") << int(MF_FLAGS) << QStringLiteral(" 17") << qint64(0) << false;
    QTest::newRow("time") << int(MF_TIME0) << QStringLiteral("7:5") << qint64(425) << true;
    QTest::newRow("time hour only") << int(MF_TIME0) << QStringLiteral("7") << qint64(-1) << false;
    QTest::newRow("time dash") << int(MF_TIME0) << QStringLiteral("---") << qint64(1440) << true;
    QTest::newRow("time not a digit") << int(MF_TIME0) << QStringLiteral("") << qint64(-1) << true;
    QTest::newRow("time minutes 60") << int(MF_TIME0) << QStringLiteral("7:60") << qint64(-1) << false;
    QTest::newRow("time beyond the day") << int(MF_TIME0) << QStringLiteral("24:00") << qint64(-1) << false;
    QTest::newRow("time last minute") << int(MF_TIME0 + 7) << QStringLiteral("23:59") << qint64(1439) << true;
    QTest::newRow("date cannot be set") << int(MF_DATE) << QStringLiteral("24/3/5") << qint64(Date(2024, 3, 5)) << false;
}

void TestDailyRec::setFieldText()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(qint64, value);
    QFETCH(bool, whole);
    CDailyRec rec(Date(2024, 3, 5));
    QCOMPARE(rec.SetFieldText(field, text), whole);
    qint64 nActual = rec.GetFieldValue(field);
    if (field == MF_WORK)
        nActual &= 0xFFFFFF;
    QCOMPARE(nActual, value);
}

// Text forms that a record writes read back into the same value.
void TestDailyRec::textFormsReadBack_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<qint64>("value");
    QTest::newRow("weather all positions") << int(MF_WEATHER) << qint64(0xA1A29);
    QTest::newRow("work every suffix") << int(MF_WORK) << qint64(0x452325);
    QTest::newRow("work leave codes") << int(MF_WORK) << qint64(0xA04896);
    QTest::newRow("marks") << int(MF_MARKS) << qint64(0x98765432);
    QTest::newRow("figures three-digit second") << int(MF_FIGURES) << qint64(0x80C8FF);
    QTest::newRow("figures three-digit first") << int(MF_FIGURES) << qint64(0x0564);
    QTest::newRow("flags") << int(MF_FLAGS) << qint64(0xFFFF);
    QTest::newRow("time") << int(MF_TIME0 + 2) << qint64(1439);
}

void TestDailyRec::textFormsReadBack()
{
    QFETCH(int, field);
    QFETCH(qint64, value);
    CDailyRec rec;
    if (field == MF_WORK)
        rec.m_nWork = std::uint32_t(value);
    else
        rec.SetFieldValue(field, std::int32_t(value));
    const QString text = rec.GetFieldText(field);
    CDailyRec back;
    QVERIFY2(back.SetFieldText(field, text), qPrintable(text));
    QCOMPARE(back.GetFieldValue(field), rec.GetFieldValue(field));
}

void TestDailyRec::comments()
{
    CDailyRec rec;
    QVERIFY(rec.SetFieldText(MF_COMMENT0 + 3, u"会議"));
    QCOMPARE(rec.m_astrComments, QStringList({QString(), QString(), QString(), QStringLiteral("会議")}));
    QVERIFY(rec.SetFieldText(MF_COMMENT0 + 3, u""));
    QVERIFY(rec.m_astrComments.isEmpty());

    QVERIFY(rec.SetFieldText(MF_COMMENT0, u"a\tb\r\nnext line"));
    QCOMPARE(rec.GetFieldText(MF_COMMENT0), QStringLiteral("a b"));

    rec.SetCommentText(u"朝会;;;;打合せ;;;;", u";;");
    QCOMPARE(rec.m_astrComments, QStringList({QStringLiteral("朝会"), QString(), QStringLiteral("打合せ")}));
    QCOMPARE(rec.GetCommentText(u";;"), QStringLiteral("朝会;;;;打合せ"));
    rec.SetCommentText(u"", u";;");
    QVERIFY(rec.m_astrComments.isEmpty());
}

void TestDailyRec::fieldValues()
{
    CDailyRec rec(Date(2024, 3, 5));
    rec.m_nWork = 0x02502490;
    QVERIFY(rec.SetFieldValue(MF_WORK, 0x7F000010));
    QCOMPARE(rec.m_nWork, 0x02000010u);
    QVERIFY(rec.SetFieldValue(MF_OVERTIME, 0x105));
    QCOMPARE(rec.m_nWork, 0x05000010u);
    QCOMPARE(rec.GetFieldValue(MF_OVERTIME), 5);
    QVERIFY(rec.SetFieldValue(MF_FLAGS, 0x12345));
    QCOMPARE(rec.m_wFlags, std::uint16_t(0x2345));
    QCOMPARE(rec.GetFieldValue(MF_TIME0 + 1), -1);
    QCOMPARE(rec.GetFieldValue(MF_COMMENT0), 0);
    QCOMPARE(rec.GetFieldValue(MF_DAYNAME), Date(2024, 3, 5));
    QVERIFY(!rec.SetFieldValue(MF_DATE, 1));
    QVERIFY(!rec.SetFieldValue(MF_COMMENT0, 1));
    QCOMPARE(rec.m_date, Date(2024, 3, 5));
}

void TestDailyRec::dayOfWeek_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("weekday");
    QTest::newRow("2024-01-01 Monday") << 2024 << 1 << 1 << 1;
    QTest::newRow("2000-02-29 Tuesday") << 2000 << 2 << 29 << 2;
    QTest::newRow("2024-03-05 Tuesday") << 2024 << 3 << 5 << 2;
    QTest::newRow("1960-01-01 Friday") << 1960 << 1 << 1 << 5;
    QTest::newRow("2023-02-29 no day") << 2023 << 2 << 29 << -1;
    QTest::newRow("April 31 no day") << 2024 << 4 << 31 << -1;
    QTest::newRow("month 0") << 2024 << 0 << 1 << -1;
    QTest::newRow("month 13") << 2024 << 13 << 1 << -1;
    QTest::newRow("day 0") << 2024 << 1 << 0 << -1;
}

void TestDailyRec::dayOfWeek()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, weekday);
    QCOMPARE(CDailyRec::DayOfWeek(year, month, day), weekday);
}

void TestDailyRec::formatMemoLine()
{
    CDailyRec rec(Date(2024, 3, 5));
    QVERIFY(rec.SetFieldText(MF_WEATHER, u"○／●"));
    QVERIFY(rec.SetFieldText(MF_WORK, u"年休 AM 出張"));
    QVERIFY(rec.SetFieldText(MF_OVERTIME, u"超勤2"));
    rec.m_nTimes[0] = 450;
    rec.m_nTimes[1] = 720;
    rec.SetCommentText(u"朝会;;打合せ", u";;");
    QCOMPARE(rec.FormatMemoLine(),
             QStringLiteral("2024/03/05 火\t○／●\t年休 AM 出張\t超勤2\t\t\t\t 7:30 12:00  \t\t朝会;;打合せ"));

    CDailyRec empty(Date(2024, 3, 6));
    QCOMPARE(empty.FormatMemoLine(), QStringLiteral("2024/03/06 水\t\t\t\t\t\t\t   \t\t"));

    CDailyRec quoted(Date(2024, 3, 7));
    quoted.SetCommentText(u"会議,昼食", u";;");
    QVERIFY(quoted.FormatMemoLine().endsWith(u"\t\"会議,昼食\""));
    quoted.SetCommentText(u"\"引用\"です", u";;");
    QVERIFY(quoted.FormatMemoLine().endsWith(u"\t\"\"引用\"です\""));

    // A date from a damaged file is written as it is, without a weekday.
    CDailyRec odd(Date(2023, 2, 30));
    QVERIFY(odd.FormatMemoLine().startsWith(u"2023/02/30 \t"));
}

void TestDailyRec::parseMemoLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<std::int32_t>("date");
    QTest::addColumn<QString>("exported"); // FormatMemoLine of the result
    QTest::addColumn<bool>("ok");

    QTest::newRow("commas")
        << QStringLiteral("2024/03/05 火,○／●,年休 AM 出張,超勤2,R2,,17, 7:30 12:00  , 8:00,朝会,打合せ")
        << Date(2024, 3, 5)
        << QStringLiteral("2024/03/05 火\t○／●\t年休 AM 出張\t超勤2\tR2\t\t17\t 7:30 12:00  \t 8:00   \t\"朝会,打合せ\"")
        << true;
    QTest::newRow("short year, stops after weather") << QStringLiteral("24/3/5,○") << Date(2024, 3, 5)
                                                     << QStringLiteral("2024/03/05 火\t○\t\t\t\t\t\t   \t\t")
                                                     << false;
    QTest::newRow("year 59") << QStringLiteral("59/1/1\t") << Date(2059, 1, 1)
                             << QStringLiteral("2059/01/01 水\t\t\t\t\t\t\t   \t\t") << false;
    QTest::newRow("year 60") << QStringLiteral("60/1/1\t") << Date(1960, 1, 1)
                             << QStringLiteral("1960/01/01 金\t\t\t\t\t\t\t   \t\t") << false;
    QTest::newRow("year 1959 refused") << QStringLiteral("1959/1/1\t○") << 0 << QString() << false;
    QTest::newRow("not a calendar day") << QStringLiteral("2023/2/29\t○") << 0 << QString() << false;
    QTest::newRow("month 13") << QStringLiteral("2023/13/1\t○") << 0 << QString() << false;
    QTest::newRow("no date") << QStringLiteral("○\t○") << 0 << QString() << false;
    QTest::newRow("no separator") << QStringLiteral("2024/3/5 火") << Date(2024, 3, 5)
                                  << QStringLiteral("2024/03/05 火\t\t\t\t\t\t\t   \t\t") << false;
    QTest::newRow("quoted comment with tab separator")
        << QStringLiteral("2024/03/05 火\t\t\t\t\t\t\t   \t\t\"a\tb,c\"") << Date(2024, 3, 5)
        << QStringLiteral("2024/03/05 火\t\t\t\t\t\t\t   \t\t\"a b,c\"") << true;
    QTest::newRow("bad field keeps the later ones")
        << QStringLiteral("2024/03/05 火\tzz\t年休\t\t\t\t\t   \t\tメモ") << Date(2024, 3, 5)
        << QStringLiteral("2024/03/05 火\t\t年休\t\t\t\t\t   \t\tメモ") << false;
    QTest::newRow("rejected time")
        << QStringLiteral("2024/03/05 火\t\t\t\t\t\t\t 7:75 8:00  \t\tメモ") << Date(2024, 3, 5)
        << QStringLiteral("2024/03/05 火\t\t\t\t\t\t\t  8:00  \t\tメモ") << false;
    QTest::newRow("huge numbers wrap") << QStringLiteral("2024/03/05 火\t\t\t超勤99999999999999999999\t\t\t\t   \t\t")
                                       << Date(2024, 3, 5) << QString() << true;
}

void TestDailyRec::parseMemoLine()
{
    QFETCH(QString, line);
    QFETCH(std::int32_t, date);
    QFETCH(QString, exported);
    QFETCH(bool, ok);
    CDailyRec rec;
    QCOMPARE(rec.ParseMemoLine(line), ok);
    QCOMPARE(rec.m_date, date);
    if (date == 0)
        QVERIFY(rec.IsEmpty());
    else if (!exported.isEmpty())
        QCOMPARE(rec.FormatMemoLine(), exported);
}

// The program's own export reads back into the same record.
void TestDailyRec::exportReadsBack_data()
{
    QTest::addColumn<CDailyRec>("rec");
    CDailyRec full(Date(2024, 3, 5));
    full.m_nWeather = 0x4111;
    full.m_nWork = 0x03502390;
    full.m_nMarks = 0x91;
    full.m_nFigures = 0xFD7B05;
    full.m_wFlags = 0777;
    for (int k = 0; k < 8; ++k)
        full.m_nTimes[k] = std::int16_t(k == 3 ? 1440 : k * 100);
    full.SetCommentText(u"朝会;;;;\"打合せ\",昼", u";;");
    QTest::newRow("every field") << full;

    CDailyRec halfDay(Date(2024, 3, 6));
    halfDay.m_nWork = 0x01002490; // morning mark, no second code: "年休 AM "
    halfDay.m_nMarks = 0x2;
    halfDay.m_nFigures = 0x0201;
    halfDay.m_wFlags = 5;
    halfDay.m_nTimes[0] = 600;
    halfDay.m_nTimes[6] = 700;
    halfDay.SetCommentText(u"メモ", u";;");
    QTest::newRow("half day without second code") << halfDay;

    CDailyRec leadingQuote(Date(2024, 3, 7));
    leadingQuote.SetCommentText(u"\"x", u";;");
    QTest::newRow("comment starting with a quote") << leadingQuote;

    QTest::newRow("empty record") << CDailyRec(Date(2059, 12, 31));
}

void TestDailyRec::exportReadsBack()
{
    QFETCH(CDailyRec, rec);
    const QString line = rec.FormatMemoLine();
    CDailyRec back;
    back.ParseMemoLine(line);
    QCOMPARE(back.FormatMemoLine(), line);
    QCOMPARE(back.m_nWork, rec.m_nWork);
    QCOMPARE(back.m_nFigures, rec.m_nFigures);
    QCOMPARE(back.m_astrComments, rec.m_astrComments);
    for (int k = 0; k < 8; ++k)
        QCOMPARE(back.m_nTimes[k], rec.m_nTimes[k]);
}

QTEST_GUILESS_MAIN(TestDailyRec)
#include "tst_dailyrec.moc"

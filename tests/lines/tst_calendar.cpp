#include "model/Calendar.h"
#include "model/DateText.h"
#include "platform/Clock.h"

#include <QDate>
#include <QTest>

namespace {
int D(int y, int m, int d)
{
    return MakeDate(y, m, d);
}
QString Text(PackedDate date)
{
    return QStringLiteral("%1/%2/%3").arg(DateYear(date)).arg(DateMonth(date)).arg(DateDay(date));
}
} // namespace

class TestCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { CClock::Reset(); }

    void packing();
    void daysInMonth_data();
    void daysInMonth();
    void dayNumbersRoundTrip();
    void addDays_data();
    void addDays();
    void addMonths_data();
    void addMonths();
    void today_data();
    void today();
    void formatDate_data();
    void formatDate();
    void parseDateCell_data();
    void parseDateCell();
};

void TestCalendar::packing()
{
    const PackedDate date = MakeDate(2020, 12, 31);
    QCOMPARE(date, 2020 * 65536 + 12 * 256 + 31);
    QCOMPARE(DateYear(date), 2020);
    QCOMPARE(DateMonth(date), 12);
    QCOMPARE(DateDay(date), 31);
    // Integer order is calendar order, whole months and years before their days.
    QVERIFY(MakeDate(2020, 12, 31) < MakeDate(2021, 1, 1));
    QVERIFY(MakeDate(2021, 1, 0) < MakeDate(2021, 1, 1));
    QVERIFY(MakeDate(2021, 0, 0) < MakeDate(2021, 1, 0));
}

void TestCalendar::daysInMonth_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::newRow("leap february") << 2020 << 2 << 29;
    QTest::newRow("common february") << 2021 << 2 << 28;
    QTest::newRow("one leap rule for every year") << 2100 << 2 << 29;
    QTest::newRow("april") << 2021 << 4 << 30;
    QTest::newRow("november") << 2021 << 11 << 30;
    QTest::newRow("december") << 2021 << 12 << 31;
    QTest::newRow("month 0") << 2021 << 0 << 0;
    QTest::newRow("month 13") << 2021 << 13 << 0;
    QTest::newRow("negative month") << 2021 << -100 << 0;
}

void TestCalendar::daysInMonth()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    QCOMPARE(CCalendar::DaysInMonth(year, month), days);
}

void TestCalendar::dayNumbersRoundTrip()
{
    // Within 1901..2099 the one leap rule agrees with the Gregorian calendar, so day
    // numbers must step exactly like QDate.
    const QDate first(1901, 1, 1);
    const std::int64_t nFirst = CCalendar::DayNumber(MakeDate(1901, 1, 1));
    for (QDate d = first; d.year() < 2100; d = d.addDays(1)) {
        const PackedDate date = MakeDate(d.year(), d.month(), d.day());
        const std::int64_t n = CCalendar::DayNumber(date);
        if (n != nFirst + first.daysTo(d))
            QFAIL(qPrintable(QStringLiteral("day number of %1").arg(Text(date))));
        if (CCalendar::FromDayNumber(n) != date)
            QFAIL(qPrintable(QStringLiteral("inverse of %1 gives %2").arg(Text(date), Text(CCalendar::FromDayNumber(n)))));
    }
}

void TestCalendar::addDays_data()
{
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("result");
    QTest::newRow("to leap day") << D(2020, 2, 28) << 1 << D(2020, 2, 29);
    QTest::newRow("over leap day") << D(2020, 2, 28) << 2 << D(2020, 3, 1);
    QTest::newRow("back to leap day") << D(2020, 3, 1) << -1 << D(2020, 2, 29);
    QTest::newRow("back in a common year") << D(2021, 3, 1) << -1 << D(2021, 2, 28);
    QTest::newRow("new year") << D(2019, 12, 31) << 1 << D(2020, 1, 1);
    QTest::newRow("back over new year") << D(2020, 1, 1) << -1 << D(2019, 12, 31);
    QTest::newRow("a century") << D(1960, 1, 1) << 36525 << D(2060, 1, 1);
    QTest::newRow("day 0 is the previous month's last") << D(2020, 3, 0) << 0 << D(2020, 2, 29);
    QTest::newRow("month 13 carries into the year") << D(2020, 13, 1) << 0 << D(2021, 1, 1);
    QTest::newRow("month 0 is december before") << D(2020, 0, 31) << 1 << D(2020, 1, 1);
    QTest::newRow("negative month") << D(2020, -1, 1) << 0 << D(2019, 11, 1);
}

void TestCalendar::addDays()
{
    QFETCH(int, date);
    QFETCH(int, days);
    QFETCH(int, result);
    QCOMPARE(Text(CCalendar::AddDays(date, days)), Text(result));
}

void TestCalendar::addMonths_data()
{
    QTest::addColumn<int>("date");
    QTest::addColumn<int>("months");
    QTest::addColumn<int>("result");
    QTest::newRow("day kept past month end") << D(2020, 1, 31) << 1 << D(2020, 2, 31);
    QTest::newRow("back one") << D(2020, 1, 31) << -1 << D(2019, 12, 31);
    QTest::newRow("back thirteen") << D(2020, 1, 31) << -13 << D(2018, 12, 31);
    QTest::newRow("back twelve") << D(2020, 1, 15) << -12 << D(2019, 1, 15);
    QTest::newRow("back eleven") << D(2020, 12, 15) << -11 << D(2020, 1, 15);
    QTest::newRow("forward over year") << D(2020, 12, 15) << 1 << D(2021, 1, 15);
    QTest::newRow("forward two years") << D(2020, 12, 0) << 24 << D(2022, 12, 0);
    QTest::newRow("zero") << D(2020, 5, 5) << 0 << D(2020, 5, 5);
}

void TestCalendar::addMonths()
{
    QFETCH(int, date);
    QFETCH(int, months);
    QFETCH(int, result);
    QCOMPARE(Text(CCalendar::AddMonths(date, months)), Text(result));
}

void TestCalendar::today_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("today");
    QTest::addColumn<int>("local");
    QTest::newRow("before six is the previous day")
        << QDateTime(QDate(2021, 3, 1), QTime(5, 59, 59)) << D(2021, 2, 28) << D(2021, 3, 1);
    QTest::newRow("six starts the day") << QDateTime(QDate(2021, 3, 1), QTime(6, 0)) << D(2021, 3, 1) << D(2021, 3, 1);
    QTest::newRow("leap day") << QDateTime(QDate(2020, 3, 1), QTime(0, 0)) << D(2020, 2, 29) << D(2020, 3, 1);
    QTest::newRow("new year's night")
        << QDateTime(QDate(2021, 1, 1), QTime(3, 0)) << D(2020, 12, 31) << D(2021, 1, 1);
    QTest::newRow("evening") << QDateTime(QDate(2021, 7, 7), QTime(23, 59)) << D(2021, 7, 7) << D(2021, 7, 7);
}

void TestCalendar::today()
{
    QFETCH(QDateTime, now);
    QFETCH(int, today);
    QFETCH(int, local);
    CClock::SetNow(now);
    QCOMPARE(Text(CCalendar::Today()), Text(today));
    QCOMPARE(Text(CCalendar::LocalDate()), Text(local));
}

void TestCalendar::formatDate_data()
{
    QTest::addColumn<int>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("day") << D(2020, 5, 3) << QStringLiteral("2020/5/3");
    QTest::newRow("whole month") << D(2020, 12, 0) << QStringLiteral("2020/12");
    QTest::newRow("whole year") << D(2020, 0, 0) << QStringLiteral("2020");
}

void TestCalendar::formatDate()
{
    QFETCH(int, date);
    QFETCH(QString, text);
    QCOMPARE(CDateText::FormatDate(date), text);
}

void TestCalendar::parseDateCell_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("result");

    const int cur = D(2020, 1, 10);
    QTest::newRow("space then month and day") << cur << QStringLiteral(" 5/3") << true << D(2020, 5, 3);
    QTest::newRow("year and month") << cur << QStringLiteral("5/3") << true << D(2005, 3, 0);
    QTest::newRow("day only") << cur << QStringLiteral("12") << true << D(2020, 1, 12);
    QTest::newRow("day 0 is the whole month") << cur << QStringLiteral("0") << true << D(2020, 1, 0);
    QTest::newRow("full date") << cur << QStringLiteral("2021/12/31") << true << D(2021, 12, 31);
    QTest::newRow("no such day") << cur << QStringLiteral("2020/2/30") << false << 0;
    QTest::newRow("leap day") << cur << QStringLiteral("2020/2/29") << true << D(2020, 2, 29);
    QTest::newRow("no leap day") << cur << QStringLiteral("2021/2/29") << false << 0;
    QTest::newRow("day beyond the month") << cur << QStringLiteral("32") << false << 0;
    QTest::newRow("month 13") << cur << QStringLiteral("2020/13/1") << false << 0;
    QTest::newRow("two-digit year 60 is 1960") << cur << QStringLiteral("60/1/1") << true << D(1960, 1, 1);
    QTest::newRow("two-digit year 59 is 2059") << cur << QStringLiteral("59/1/1") << true << D(2059, 1, 1);
    QTest::newRow("two-digit year 99") << cur << QStringLiteral("99/12/31") << true << D(1999, 12, 31);
    QTest::newRow("first accepted year") << cur << QStringLiteral("1959/1/1") << true << D(1959, 1, 1);
    QTest::newRow("before the range") << cur << QStringLiteral("1958/12/31") << false << 0;
    QTest::newRow("last accepted year") << cur << QStringLiteral("2060/12/31") << true << D(2060, 12, 31);
    QTest::newRow("after the range") << cur << QStringLiteral("2061/1/1") << false << 0;
    QTest::newRow("full-width") << cur << QStringLiteral("２０２０／３／４") << true << D(2020, 3, 4);
    QTest::newRow("trailing text ignored") << cur << QStringLiteral("2020/3/4日") << true << D(2020, 3, 4);
    QTest::newRow("nothing read keeps the date") << cur << QStringLiteral("abc") << true << cur;
    QTest::newRow("empty keeps the date") << cur << QString() << true << cur;
    QTest::newRow("nothing read on an undated line") << D(0, 0, 0) << QString() << false << 0;
    QTest::newRow("huge number") << cur << QStringLiteral("99999999999999999999999") << false << 0;
    // 2^32 + 1 would wrap to day 1 in a 32-bit scan.
    QTest::newRow("day that wraps in 32 bits") << cur << QStringLiteral("2020/1/4294967297") << false << 0;
    QTest::newRow("month that wraps a byte") << cur << QStringLiteral("2020/257/1") << false << 0;
}

void TestCalendar::parseDateCell()
{
    QFETCH(int, current);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, result);
    PackedDate date = -1;
    QCOMPARE(CDateText::ParseDateCell(text, current, date), ok);
    if (ok)
        QCOMPARE(Text(date), Text(result));
    else
        QCOMPARE(date, -1);
}

QTEST_GUILESS_MAIN(TestCalendar)
#include "tst_calendar.moc"

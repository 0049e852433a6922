#include "model/Calendar.h"

#include "platform/Clock.h"

#include <QDateTime>
#include <algorithm>

namespace {

// Offsets of the months in a year that starts on 1 March, indexed January..December.
constexpr int g_monthOffset[12] = {306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};

// Division rounding toward minus infinity, so that the arithmetic stays consistent for
// the (never accepted) negative years too; for positive values it is the plain division.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

bool CCalendar::IsLeapYear(int nYear)
{
    return nYear % 4 == 0;
}

int CCalendar::DaysInMonth(int nYear, int nMonth)
{
    switch (nMonth) {
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return IsLeapYear(nYear) ? 29 : 28;
    case 1: case 3: case 5: case 7: case 8: case 10: case 12:
        return 31;
    default:
        return 0;
    }
}

std::int64_t CCalendar::DayNumber(PackedDate date)
{
    std::int64_t nYear = DateYear(date);
    const std::int64_t nMonth0 = std::int64_t(DateMonth(date)) - 1;
    // Carry a month outside 1..12 into the year.
    nYear += FloorDiv(nMonth0, 12);
    const int nMonth = int(nMonth0 - FloorDiv(nMonth0, 12) * 12) + 1;
    if (nMonth <= 2)
        --nYear;
    return FloorDiv(nYear * 1461, 4) + g_monthOffset[nMonth - 1] + DateDay(date);
}

PackedDate CCalendar::FromDayNumber(std::int64_t nDay)
{
    std::int64_t nYear = FloorDiv(4 * nDay, 1461);
    const int nInYear = int(nDay - FloorDiv(nYear * 1461, 4)); // 0 = 29 February, 1 = 1 March
    if (nInYear <= 0)
        return MakeDate(int(nYear), 2, 29);
    // Month of the March-based year: the last whose offset lies below the day.
    static constexpr int marchOrder[12] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2};
    int nMonth = 3;
    for (int m : marchOrder) {
        if (g_monthOffset[m - 1] <= nInYear - 1)
            nMonth = m;
        else
            break;
    }
    if (nInYear > 306)
        ++nYear;
    return MakeDate(int(nYear), nMonth, nInYear - g_monthOffset[nMonth - 1]);
}

PackedDate CCalendar::AddDays(PackedDate date, std::int64_t nDays)
{
    // Far beyond any packable year; the bound only keeps the arithmetic from overflowing.
    constexpr std::int64_t nBound = std::int64_t(1) << 40;
    return FromDayNumber(DayNumber(date) + std::clamp(nDays, -nBound, nBound));
}

PackedDate CCalendar::AddMonths(PackedDate date, std::int64_t nMonths)
{
    constexpr std::int64_t nBound = std::int64_t(1) << 40;
    std::int64_t nYear = DateYear(date);
    const std::int64_t m = DateMonth(date) + std::clamp(nMonths, -nBound, nBound);
    std::int64_t nMonth = m;
    if (m >= 13) {
        nYear += (m - 1) / 12;
        nMonth = (m - 1) % 12 + 1;
    } else if (m <= 0) {
        nYear += m / 12 - 1;
        nMonth = m % 12 + 12;
    }
    return MakeDate(int(nYear), int(nMonth), DateDay(date));
}

PackedDate CCalendar::LocalDate()
{
    const QDate today = CClock::Now().date();
    return MakeDate(today.year(), today.month(), today.day());
}

PackedDate CCalendar::Today()
{
    const QDateTime now = CClock::Now();
    const QDate date = now.date();
    const PackedDate today = MakeDate(date.year(), date.month(), date.day());
    // A ledger day ends at 06:00, not at midnight.
    return now.time().hour() < 6 ? AddDays(today, -1) : today;
}

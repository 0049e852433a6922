#pragma once

#include "model/PackedDate.h"

#include <cstdint>

// The ledger's calendar. One leap rule for every year (divisible by 4), which is exact
// within the dates the ledger accepts. Every function is total: months outside 1..12
// never index a table.
class CCalendar
{
public:
    static bool IsLeapYear(int nYear);
    // Days of the month; 0 for a month outside 1..12.
    static int DaysInMonth(int nYear, int nMonth);

    // Day number for date arithmetic; a month outside 1..12 is first carried into the year.
    static std::int64_t DayNumber(PackedDate date);
    static PackedDate FromDayNumber(std::int64_t nDay);

    static PackedDate AddDays(PackedDate date, std::int64_t nDays);
    // The day is kept as it is and may exceed the new month's length.
    static PackedDate AddMonths(PackedDate date, std::int64_t nMonths);

    // The current date of the ledger: a day runs from 06:00 to 06:00 local time.
    static PackedDate Today();
    // The plain local calendar date, without the 06:00 boundary.
    static PackedDate LocalDate();
};

#pragma once

#include "model/PackedDate.h"

#include <QString>

// The period arithmetic and text of the navigation pane's period display.
class CNaviPeriod
{
public:
    enum : int { MODE_MONTH = 0, MODE_YEAR = 1, MODE_FROM_MONTH = 2 };

    // One spin step of nDelta: in year mode the year moves by -nDelta, else
    // the month does, carrying into the year; the day is kept. A date
    // without a year does not move. Years stay within 1..9999.
    static PackedDate Step(int nMode, PackedDate date, int nDelta);

    // The display text; empty when the date has no year.
    static QString Text(int nMode, PackedDate date);

    // The day the calendar selects for a date: a whole month or year is
    // shown as its first day.
    static PackedDate CalendarDate(PackedDate date);
};

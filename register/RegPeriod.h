#pragma once

#include "model/PackedDate.h"

#include <QString>

class CCofferDoc;

// The lines a register shows for a period mode (PERIOD_MONTH, PERIOD_YEAR, PERIOD_ALL)
// and the title of its first column.
class CRegPeriod
{
public:
    struct SRows
    {
        int nFirst = 0;
        int nCount = 0;
    };

    // The half-open date bounds of a month or year around the date (month 13 is allowed
    // as an end).
    static void Bounds(int nMode, PackedDate date, PackedDate& start, PackedDate& end);
    static SRows Rows(const CCofferDoc& doc, int nMode, PackedDate date);

    // The value the first column's title is made from: the date of the first visible line
    // (nFirstVisibleLine < 0 or outside the ledger: none), else the period's year or month.
    static PackedDate TitleKey(const CCofferDoc& doc, int nFirstVisibleLine, int nMode, PackedDate date);
    // "%4d/%2d" (format 1) for a year and month, "%4d" (format 1) for a year, else "日付" (format 3).
    static QString TitleText(PackedDate key, unsigned& nFormat);
};

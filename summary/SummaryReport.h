#pragma once

#include "model/PackedDate.h"

#include <QString>

class CCofferDoc;

// The summary table as the command-line tool prints it, and the reading of its arguments.
class CSummaryReport
{
public:
    // "day", "month", "year" or "quarter" to PERIOD_MONTH .. PERIOD_QUARTER; false otherwise.
    static bool ParseMode(const QString& strMode, int& nMode);

    // The period of a mode: "YYYY-MM" names the month whose days PERIOD_MONTH shows, "YYYY"
    // (or "YYYY-MM") the year whose months PERIOD_YEAR shows; PERIOD_ALL and PERIOD_QUARTER
    // take none and ignore the text. An empty text means today, as a new summary view
    // starts. Years 1..9999, months 1..12; false for anything else.
    static bool ParsePeriod(const QString& strPeriod, int nMode, PackedDate& period);

    // A currency index of the ledger, written as a decimal number; false when out of range.
    static bool ParseCurrency(const QString& strCurrency, const CCofferDoc& doc, int& nCur);

    // The column titles, then every shown row of the summary table, cells separated by TAB,
    // each line ended by "\n". The period date is brought within the ledger's dates first,
    // as the view does; a period of 0 means today.
    static QString Text(const CCofferDoc& doc, int nMode, PackedDate period, int nCur);
};

#pragma once

#include "model/PackedDate.h"

#include <QString>

class CDateText
{
public:
    // "y/m/d", "y/m" for a whole month, "y" for a whole year; numbers unpadded.
    static QString FormatDate(PackedDate date);

    // A date typed into a register cell, read against the line's current date.
    // Returns false (and leaves result untouched) when the outcome is no valid date.
    static bool ParseDateCell(const QString& strText, PackedDate current, PackedDate& result);

    // The years a date may be given in; a line read from a file may lie outside them.
    static constexpr int MIN_YEAR = 1959;
    static constexpr int MAX_YEAR = 2060;

    // The range a typed date must fall in: years MIN_YEAR..MAX_YEAR, months 1..12,
    // day 0 (whole month) up to the month's length.
    static bool IsValidCellDate(PackedDate date);
};

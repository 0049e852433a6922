#pragma once

#include "model/Amount.h"

#include <QString>

class CAmountText
{
public:
    // Amount without symbol and thousands separators: "-1234.5" style, fraction digits
    // only when there is a fraction (two, or four when needed).
    static QString FormatPlain(Amount nValue);

    // Evaluates an amount expression (ASCII and full-width operators, parentheses,
    // numbers with any decoration). Returns false on a syntax error, a division by 0,
    // a result that does not fit an amount, or nesting deeper than MAX_NESTING.
    static bool ParseExpression(const QString& strText, Amount& nResult);

    static constexpr int MAX_NESTING = 256;
    static constexpr int MAX_NUMBER_DIGITS = 30;
};

#pragma once

#include "model/Amount.h"
#include "model/PackedDate.h"

#include <QByteArrayView>

// The number and date forms of statement values.
class COfxValue
{
public:
    // The amount of a decimal text: an optional sign, digits and at most one
    // ".", after leading blanks; what follows the number is ignored. The value is
    // scaled by a factor a hair above 10000 so that decimal fractions such as
    // 19.99 land on their intended ten-thousandth, then truncated toward zero.
    // Text that does not start with a number, and a value outside the amount
    // range, give 0.
    static Amount ParseAmount(QByteArrayView text);

    // The date of the first eight digits (year, month, day, read like "%4d%2d%2d");
    // time and zone are ignored. A text that gives no real calendar day gives 0.
    static PackedDate ParseDate(QByteArrayView text);

    // The factor: the double 0x40C3880000000005.
    static double AmountFactor();
};

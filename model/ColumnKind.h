#pragma once

// Kinds of register cells; a register column shows one kind.
enum : int {
    COL_BALANCE = 0,
    COL_IN = 1,
    COL_OUT = 2,     // shown as a positive number
    COL_ACCOUNT = 3, // amounts of account categories, signed
    COL_DATE = 4,
    COL_CATEGORY = 5,
    COL_DESCRIPTION = 6,
    COL_KIND_COUNT = 7,
    COL_NONE = -1,   // an amount that has no column
};

inline constexpr bool IsAmountColumn(int nKind)
{
    return nKind >= COL_BALANCE && nKind <= COL_ACCOUNT;
}

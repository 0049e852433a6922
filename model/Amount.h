#pragma once

#include <cstdint>

// Fixed-point money: ten-thousandths of a currency unit, positive is money into the purse.
using Amount = std::int64_t;

inline constexpr Amount AMOUNT_UNIT = 10000;

// Negation that is defined for every value: the most negative amount maps to itself
// instead of overflowing.
constexpr Amount NegateAmount(Amount nValue)
{
    return static_cast<Amount>(0u - static_cast<std::uint64_t>(nValue));
}

// Magnitude as an unsigned value, exact for the most negative amount too.
constexpr std::uint64_t AmountMagnitude(Amount nValue)
{
    return nValue < 0 ? 0u - static_cast<std::uint64_t>(nValue) : static_cast<std::uint64_t>(nValue);
}

// Sums of amounts wrap like the machine's 64-bit arithmetic instead of overflowing, so a
// hostile file can make a total wrong but never undefined.
constexpr Amount WrapAdd(Amount a, Amount b)
{
    return static_cast<Amount>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}

constexpr Amount WrapSub(Amount a, Amount b)
{
    return static_cast<Amount>(static_cast<std::uint64_t>(a) - static_cast<std::uint64_t>(b));
}

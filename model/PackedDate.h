#pragma once

#include <cstdint>

// A calendar date packed as year * 65536 + month * 256 + day, so that comparing two
// packed dates as integers orders them by calendar. Day 0 stands for a whole month,
// month 0 for a whole year, year 0 for no date.
using PackedDate = std::int32_t;

constexpr PackedDate MakeDate(int nYear, int nMonth, int nDay)
{
    return static_cast<PackedDate>((static_cast<std::uint32_t>(static_cast<std::uint16_t>(nYear)) << 16)
                                   | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(nMonth)) << 8)
                                   | static_cast<std::uint32_t>(static_cast<std::uint8_t>(nDay)));
}

// Each part is a signed field of its own width.
constexpr int DateYear(PackedDate date)
{
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(date) >> 16);
}

constexpr int DateMonth(PackedDate date)
{
    return static_cast<std::int8_t>((static_cast<std::uint32_t>(date) >> 8) & 0xFFu);
}

constexpr int DateDay(PackedDate date)
{
    return static_cast<std::int8_t>(static_cast<std::uint32_t>(date) & 0xFFu);
}

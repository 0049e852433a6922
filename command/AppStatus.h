#pragma once

#include <cstdint>

// Bits of the stored AppStatus value. Bits not named here are kept as stored.
enum : std::uint32_t {
    AS_ASSIST_MANUAL = 0x1,
    AS_EXTENDED = 0x2,
    AS_OPEN_LAST_FILE = 0x10,
    AS_COPY_HEADER = 0x100,
    AS_COPY_CURRENCY_SYMBOL = 0x200,
};

// A stored dialog position of this value means the dialog places itself.
inline constexpr int NO_POSITION = 0x7FFFFFFF;

#pragma once

#include <QDateTime>
#include <cstdint>

// The one source of local time and tick counts. Tests set a fixed time so
// that "today" and its 06:00 boundary are reproducible.
class CClock
{
public:
    static QDateTime Now();
    // Milliseconds since an arbitrary start, wrapping like a 32-bit tick count.
    static std::uint32_t TickCount();

    // Fixes the local time (and advances nothing by itself); an invalid value
    // returns to the system clock.
    static void SetNow(const QDateTime& now);
    // Fixes the tick count; Advance moves a fixed clock and tick count together.
    static void SetTickCount(std::uint32_t nTicks);
    static void Advance(std::int64_t nMilliseconds);
    static void Reset();
};

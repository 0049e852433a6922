#pragma once

#include "model/Amount.h"

#include <cstdint>

// One entry of the exchange table that every recomputation rebuilds: an amount in a foreign
// currency (or a part of an exchange) with its value in the base currency, or the accumulator
// that gathers the parts of one exchange.
class CExchg
{
public:
    enum : std::uint8_t {
        EX_NONE = 0,      // no rate could be found for the amount
        EX_INCOME = 1,    // positive income or expense amount in a foreign currency
        EX_SPEND = 2,     // the same, zero or negative
        EX_WITHDRAW = 3,  // positive amount of an account category in a foreign currency
        EX_DEPOSIT = 4,   // the same, zero or negative
        EX_PART = 5,      // one line's part of an exchange, chained behind its accumulator
        EX_RESOLVED = 6,  // accumulator whose rate into the base currency is known
        EX_PAIRED = 7,    // accumulator with both sides, rate not yet known
        EX_UNMATCHED = 8, // accumulator of money received with nothing given away
        EX_OPEN = 9,      // accumulator of money given away, nothing received yet
    };

    bool IsAccumulator() const { return m_nKind >= EX_RESOLVED; }

    // The line (position in the document's lines) whose amount the entry stands for; -1 for
    // the accumulators, whose lines are those of their chain. A position rather than a
    // pointer, so that the table never points into storage that has moved.
    std::int32_t m_nLine = -1;
    std::int32_t m_nNext = -1; // next entry of the same exchange, -1 at the end
    std::uint8_t m_nReserved = 0;
    std::uint8_t m_nKind = EX_NONE;
    std::uint8_t m_nCurFrom = 0; // currency given away
    std::uint8_t m_nCurTo = 0;   // currency received, or the entry's own currency
    Amount m_nAmountFrom = 0;    // amount given away; once converted, the base-currency value
    Amount m_nAmountTo = 0;      // amount received, or the entry's own signed amount
    // Base-currency units per unit of m_nCurTo. 0 means the amount has no rate to show.
    double m_dRate = 1.0;
    Amount m_nYen = 0;           // the value shown in the yen view
};

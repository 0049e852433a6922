#pragma once

#include "model/Amount.h"

#include <cstdint>

// The amount axis of the graph: it runs from m_nMinimum in m_nCount steps of m_nStep.
// Every product of the axis is taken in 128 bits, so that no ledger's amounts can make
// the axis or a position overflow.
class CGraphScale
{
public:
    // A new view's user scale: 0 to 5,000,000 currency units in 5 steps.
    static constexpr Amount DEFAULT_STEP = 10000000000;
    static constexpr int DEFAULT_COUNT = 5;

    CGraphScale() = default;
    CGraphScale(Amount nStep, Amount nMinimum, int nCount)
        : m_nStep(nStep)
        , m_nMinimum(nMinimum)
        , m_nCount(nCount)
    {
    }

    // The automatic axis for values between nMin (<= 0) and nMax (>= 0) of a currency with
    // nDecimals decimals: a nice top of 100 .. 1000 units of a power of ten, and as many
    // steps below zero as the bottom needs. Arguments on the wrong side of 0 count as 0.
    static CGraphScale AutoScale(Amount nMax, Amount nMin, int nDecimals);

    // The user scale from the scale page's whole-unit maximum and minimum and its step
    // count: step = (maximum - minimum) * 10000 / count. False, leaving scale alone, when
    // the maximum is not above the minimum, when an amount or the step does not fit 64 bits
    // as fixed point, or when the count is outside 1..100: such an axis cannot be drawn.
    static bool FromPage(std::int64_t nMaximum, std::int64_t nMinimum, int nCount, CGraphScale& scale);
    static constexpr int MAX_COUNT = 100;

    // minimum + count * step, exact.
    __int128 Top() const;

    // The whole-unit maximum and minimum that the scale page shows (truncated toward zero).
    std::int64_t PageMaximum() const;
    std::int64_t PageMinimum() const { return m_nMinimum / AMOUNT_UNIT; }

    // The y of v in a plot from nTop down to nBottom. A value beyond the axis lands outside
    // the plot, but no further than four plot heights, so that the caller can clip it in
    // int. An axis without range (step or count not above 0) puts everything on nBottom.
    int Y(__int128 nValue, int nTop, int nBottom) const;

    bool operator==(const CGraphScale&) const = default;

    Amount m_nStep = DEFAULT_STEP;
    Amount m_nMinimum = 0;
    int m_nCount = DEFAULT_COUNT;
};

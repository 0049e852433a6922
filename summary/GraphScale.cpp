#include "summary/GraphScale.h"

#include "model/CurFmt.h"

#include <algorithm>
#include <limits>

namespace {

// Nice tops in units, with the step and the step count that make them.
constexpr int kTops[] = {100, 120, 150, 200, 250, 300, 400, 500, 600, 800, 1000};
constexpr int kSteps[] = {20, 20, 30, 50, 50, 50, 100, 100, 100, 200, 200};
constexpr int kCounts[] = {5, 6, 5, 4, 5, 6, 4, 5, 6, 4, 5};
constexpr int kNice = 11;

} // namespace

CGraphScale CGraphScale::AutoScale(Amount nMax, Amount nMin, int nDecimals)
{
    // Magnitudes in 128 bits: the most negative amount has no 64-bit negation.
    const __int128 nHigh = std::max<Amount>(nMax, 0);
    const __int128 nLow = std::min<Amount>(nMin, 0);
    __int128 nTopValue = 0;
    __int128 nBottom = 0;
    bool bMirrored = false;
    if (nHigh == 0 && nLow < 0) {
        nTopValue = -nLow;
        bMirrored = true;
    } else if (nLow == 0) {
        nTopValue = nHigh;
    } else if (nHigh >= -nLow) {
        nTopValue = nHigh;
        nBottom = nLow;
    } else {
        nTopValue = -nLow;
        nBottom = -nHigh;
        bMirrored = true;
    }

    const int d = std::clamp(nDecimals, 0, CCurFmt::MAX_DECIMALS);
    std::int64_t nUnit = 100000;
    for (int i = 0; i < d; ++i)
        nUnit /= 10;
    // The unit stops where 1000 units would no longer fit an amount; a top beyond that
    // takes the largest nice top and is cut at the plot's top.
    constexpr std::int64_t kMaxUnit = std::numeric_limits<Amount>::max() / 10000;
    while (nTopValue >= __int128(1000) * nUnit && nUnit <= kMaxUnit)
        nUnit *= 10;

    int i = 0;
    if (nTopValue >= __int128(100) * nUnit) {
        i = kNice - 1;
        for (int j = 1; j < kNice; ++j) {
            if (nTopValue < __int128(kTops[j]) * nUnit) {
                i = j;
                break;
            }
        }
    }
    const Amount nStep = kSteps[i] * nUnit;
    int nCount = kCounts[i];
    // The bottom never reaches further than the top after folding, so below <= count;
    // only a top cut at the axis could ask for more.
    __int128 nBelow = (-nBottom + nStep - 1) / nStep;
    nBelow = std::min<__int128>(nBelow, nCount);
    __int128 nMinimum = -nBelow * nStep;
    nCount += static_cast<int>(nBelow);
    if (bMirrored)
        nMinimum = -(nMinimum + __int128(nCount) * nStep);
    return CGraphScale(nStep, static_cast<Amount>(nMinimum), nCount);
}

bool CGraphScale::FromPage(std::int64_t nMaximum, std::int64_t nMinimum, int nCount, CGraphScale& scale)
{
    constexpr __int128 kMax = std::numeric_limits<Amount>::max();
    constexpr __int128 kMin = std::numeric_limits<Amount>::min();
    if (nCount < 1 || nCount > MAX_COUNT || nMaximum <= nMinimum)
        return false;
    const __int128 nHigh = __int128(nMaximum) * AMOUNT_UNIT;
    const __int128 nLow = __int128(nMinimum) * AMOUNT_UNIT;
    if (nHigh > kMax || nHigh < kMin || nLow > kMax || nLow < kMin)
        return false;
    const __int128 nStep = (nHigh - nLow) / nCount;
    if (nStep <= 0 || nStep > kMax)
        return false;
    scale = CGraphScale(static_cast<Amount>(nStep), static_cast<Amount>(nLow), nCount);
    return true;
}

__int128 CGraphScale::Top() const
{
    return __int128(m_nMinimum) + __int128(m_nCount) * m_nStep;
}

std::int64_t CGraphScale::PageMaximum() const
{
    const __int128 nTop = Top() / AMOUNT_UNIT;
    if (nTop > std::numeric_limits<std::int64_t>::max())
        return std::numeric_limits<std::int64_t>::max();
    if (nTop < std::numeric_limits<std::int64_t>::min())
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(nTop);
}

int CGraphScale::Y(__int128 nValue, int nTop, int nBottom) const
{
    const __int128 nRange = __int128(m_nCount) * m_nStep;
    if (m_nStep <= 0 || m_nCount <= 0 || nRange <= 0)
        return nBottom;
    const __int128 nHeight = __int128(nBottom) - nTop;
    __int128 y = nBottom - (nValue - m_nMinimum) * nHeight / nRange;
    // Far outside the axis only the side matters: the caller clips to the plot.
    const __int128 nSpan = std::max<__int128>(nHeight, 1) * 4;
    y = std::clamp<__int128>(y, __int128(nTop) - nSpan, __int128(nBottom) + nSpan);
    return static_cast<int>(std::clamp<__int128>(y, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

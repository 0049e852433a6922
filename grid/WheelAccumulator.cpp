#include "grid/WheelAccumulator.h"

int CWheelAccumulator::Add(int nDelta, int nLinesPerNotch)
{
    if (nDelta == 0)
        return 0;
    if ((nDelta > 0 && m_nPending < 0) || (nDelta < 0 && m_nPending > 0))
        m_nPending = 0;
    // In units of 1/120 row (or 1/120 page in page mode).
    const long long nScale = nLinesPerNotch < 0 ? 1 : nLinesPerNotch;
    m_nPending += static_cast<long long>(nDelta) * nScale;
    const long long nSteps = m_nPending / 120;
    m_nPending -= nSteps * 120;
    return int(nSteps);
}

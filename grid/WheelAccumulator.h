#pragma once

// Turns wheel deltas (120 per notch, finer on high-resolution wheels) into
// whole rows: partial deltas are kept until a row is due, and a change of
// direction drops what was kept.
class CWheelAccumulator
{
public:
    // Adds a delta for nLinesPerNotch rows per notch (< 0: one page per notch).
    // Returns the signed number of steps now due (rows, or pages in page mode);
    // positive means away from the user.
    int Add(int nDelta, int nLinesPerNotch);
    void Reset() { m_nPending = 0; }

private:
    long long m_nPending = 0;
};

#pragma once

#include "model/PackedDate.h"

// The arithmetic of the summary table that needs no window: where the characters of a
// date or a total-row label go, and how the period steps move the shown period.
class CSumCellLayout
{
public:
    // The period steps, in the order of their commands (previous year .. next month).
    enum : int { STEP_PREV_YEAR = 0, STEP_NEXT_YEAR = 1, STEP_PREV_MONTH = 2, STEP_NEXT_MONTH = 3, STEP_COUNT = 4 };

    // Whether a step moves anything in the period mode: every step for one month, the
    // year steps for one year, none where every period of the ledger is shown.
    static bool IsStepEnabled(int nMode, int nStep);
    // The period date after the step, within [first, last] (a ledger without dated lines,
    // first 0, keeps the stepped date). An unknown step leaves the date.
    static PackedDate Step(PackedDate date, int nStep, PackedDate first, PackedDate last);

    // The labels 合計, 予算, 差引 spread over their cell: the gap before the first character,
    // and the advance from one character to the next. Never negative.
    static int SpreadGap(int nCellWidth, int nTextWidth, int nChars);
    static int SpreadAdvance(int nCellWidth, int nTextWidth, int nChars);

    // Dates advance by fixed amounts so that the digits of all rows line up: the third and
    // sixth characters (where "/" stands in "24/ 3/ 1") by the slash's width, others by a digit's.
    static int DateAdvance(int nIndex, int nDigitWidth, int nSlashWidth)
    {
        return nIndex == 2 || nIndex == 5 ? nSlashWidth : nDigitWidth;
    }
};

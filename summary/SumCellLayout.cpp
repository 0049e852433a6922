#include "summary/SumCellLayout.h"

#include "model/Calendar.h"
#include "summary/PeriodMode.h"
#include "summary/SumTable.h"

#include <algorithm>

bool CSumCellLayout::IsStepEnabled(int nMode, int nStep)
{
    if (nStep < 0 || nStep >= STEP_COUNT)
        return false;
    if (nMode == PERIOD_MONTH)
        return true;
    if (nMode == PERIOD_YEAR)
        return nStep == STEP_PREV_YEAR || nStep == STEP_NEXT_YEAR;
    return false;
}

PackedDate CSumCellLayout::Step(PackedDate date, int nStep, PackedDate first, PackedDate last)
{
    switch (nStep) {
    case STEP_PREV_YEAR:
        date = MakeDate(DateYear(date) - 1, DateMonth(date), DateDay(date));
        break;
    case STEP_NEXT_YEAR:
        date = MakeDate(DateYear(date) + 1, DateMonth(date), DateDay(date));
        break;
    case STEP_PREV_MONTH:
        date = CCalendar::AddMonths(date, -1);
        break;
    case STEP_NEXT_MONTH:
        date = CCalendar::AddMonths(date, 1);
        break;
    default:
        return date;
    }
    return CSumTable::ClampPeriod(date, first, last);
}

int CSumCellLayout::SpreadGap(int nCellWidth, int nTextWidth, int nChars)
{
    if (nChars <= 0)
        return 0;
    return std::max(0, (nCellWidth - nTextWidth) / (nChars + 1));
}

int CSumCellLayout::SpreadAdvance(int nCellWidth, int nTextWidth, int nChars)
{
    if (nChars <= 0)
        return 0;
    return std::max(0, SpreadGap(nCellWidth, nTextWidth, nChars) + nTextWidth / nChars);
}

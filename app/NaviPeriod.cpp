#include "app/NaviPeriod.h"

#include <algorithm>

PackedDate CNaviPeriod::Step(int nMode, PackedDate date, int nDelta)
{
    const int nYear = DateYear(date);
    if (nYear <= 0)
        return date;
    const int nDay = DateDay(date);
    if (nMode == MODE_YEAR)
        return MakeDate(std::clamp(nYear - nDelta, 1, 9999), DateMonth(date), nDay);
    // A whole-year date steps from January.
    const int nMonth = std::clamp(DateMonth(date), 1, 12);
    long long nMonths = (long long)nYear * 12 + (nMonth - 1) - nDelta;
    nMonths = std::clamp(nMonths, 12LL, 9999LL * 12 + 11);
    return MakeDate(int(nMonths / 12), int(nMonths % 12) + 1, nDay);
}

QString CNaviPeriod::Text(int nMode, PackedDate date)
{
    const int nYear = DateYear(date);
    if (nYear <= 0)
        return QString();
    if (nMode == MODE_MONTH)
        return QString::asprintf("%4d 年%3d 月", nYear, DateMonth(date));
    if (nMode == MODE_YEAR)
        return QString::asprintf("%4d 年", nYear);
    return QString::asprintf("%4d 年%3d 月 ～", nYear, DateMonth(date));
}

PackedDate CNaviPeriod::CalendarDate(PackedDate date)
{
    return MakeDate(DateYear(date), std::max(DateMonth(date), 1), std::max(DateDay(date), 1));
}

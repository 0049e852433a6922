#include "register/RegPeriod.h"

#include "model/CofferDoc.h"
#include "summary/PeriodMode.h"

#include <algorithm>

void CRegPeriod::Bounds(int nMode, PackedDate date, PackedDate& start, PackedDate& end)
{
    const int nYear = DateYear(date);
    const int nMonth = DateMonth(date);
    if (nMode == PERIOD_MONTH) {
        start = MakeDate(nYear, nMonth, 0);
        end = MakeDate(nYear, nMonth + 1, 0);
    } else {
        start = MakeDate(nYear, 0, 0);
        end = MakeDate(nYear + 1, 0, 0);
    }
}

CRegPeriod::SRows CRegPeriod::Rows(const CCofferDoc& doc, int nMode, PackedDate date)
{
    SRows rows;
    if (nMode != PERIOD_MONTH && nMode != PERIOD_YEAR) {
        rows.nCount = doc.GetLineCount();
        return rows;
    }
    PackedDate start = 0;
    PackedDate end = 0;
    Bounds(nMode, date, start, end);
    rows.nFirst = doc.LowerBound(start);
    // Lines out of order can put the end's bound before the start's: never a negative count.
    rows.nCount = std::max(0, doc.LowerBound(end) - rows.nFirst);
    return rows;
}

PackedDate CRegPeriod::TitleKey(const CCofferDoc& doc, int nFirstVisibleLine, int nMode, PackedDate date)
{
    if (const CReceipt* pLine = nFirstVisibleLine >= 0 ? doc.GetLine(nFirstVisibleLine) : nullptr)
        return pLine->m_date;
    if (nMode == PERIOD_YEAR)
        return MakeDate(DateYear(date), 0, 0);
    if (nMode == PERIOD_MONTH)
        return MakeDate(0, DateMonth(date), 0);
    return 0;
}

QString CRegPeriod::TitleText(PackedDate key, unsigned& nFormat)
{
    const int nYear = DateYear(key);
    const int nMonth = DateMonth(key);
    if (nYear != 0) {
        nFormat = 1;
        if (nMonth != 0)
            return QString::asprintf("%4d/%2d", nYear, nMonth);
        return QString::asprintf("%4d", nYear);
    }
    nFormat = 3;
    return QStringLiteral("日付");
}

#include "summary/SummaryReport.h"

#include "model/Calendar.h"
#include "model/CofferDoc.h"
#include "summary/PeriodMode.h"
#include "summary/SumTable.h"

#include <QRegularExpression>

bool CSummaryReport::ParseMode(const QString& strMode, int& nMode)
{
    static const char* const names[] = {"day", "month", "year", "quarter"};
    for (int i = 0; i < PERIOD_COUNT; ++i) {
        if (strMode == QLatin1String(names[i])) {
            nMode = PERIOD_MONTH + i;
            return true;
        }
    }
    return false;
}

bool CSummaryReport::ParsePeriod(const QString& strPeriod, int nMode, PackedDate& period)
{
    if (nMode == PERIOD_ALL || nMode == PERIOD_QUARTER) {
        period = 0;
        return true;
    }
    if (nMode != PERIOD_MONTH && nMode != PERIOD_YEAR)
        return false;
    if (strPeriod.isEmpty()) {
        period = 0;
        return true;
    }
    static const QRegularExpression form(QStringLiteral("^([0-9]{4})(?:-([0-9]{1,2}))?$"));
    const QRegularExpressionMatch match = form.match(strPeriod);
    if (!match.hasMatch())
        return false;
    const int nYear = match.captured(1).toInt();
    const bool bMonth = match.hasCaptured(2);
    const int nMonth = bMonth ? match.captured(2).toInt() : 1;
    if (nYear < 1 || nMonth < 1 || nMonth > 12 || (nMode == PERIOD_MONTH && !bMonth))
        return false;
    period = MakeDate(nYear, nMonth, 1);
    return true;
}

bool CSummaryReport::ParseCurrency(const QString& strCurrency, const CCofferDoc& doc, int& nCur)
{
    bool bOk = false;
    const int n = strCurrency.toInt(&bOk, 10);
    if (!bOk || n < 0 || n >= int(doc.Currencies().size()))
        return false;
    nCur = n;
    return true;
}

QString CSummaryReport::Text(const CCofferDoc& doc, int nMode, PackedDate period, int nCur)
{
    // A new view shows today, or the last date when today lies beyond it.
    if (period == 0)
        period = CCalendar::Today();
    CSumTable table;
    table.Compute(doc, nCur, nMode, period);
    return table.GetReportText();
}

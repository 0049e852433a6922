#include "summary/GraphReport.h"

#include "model/Calendar.h"
#include "model/CofferDoc.h"
#include "summary/GraphScale.h"
#include "summary/GraphSeries.h"
#include "summary/SumCalc.h"

bool CGraphReport::FindColumn(const CCofferDoc& doc, const QString& strTitle, int& nColumn)
{
    const std::vector<std::uint32_t> keys = CGraphSeries::ColumnKeys(doc.Categories());
    if (strTitle.isEmpty()) {
        nColumn = CGraphSeries::DefaultColumn(keys);
        return true;
    }
    for (std::size_t c = 0; c < keys.size(); ++c) {
        if (CSumCalc::GetSummaryTitle(doc.Categories(), static_cast<int>(keys[c])) == strTitle) {
            nColumn = static_cast<int>(c);
            return true;
        }
    }
    return false;
}

QString CGraphReport::Text(const CCofferDoc& doc, int nMode, PackedDate period, int nColumn, int nCur)
{
    if (period == 0)
        period = CCalendar::Today();
    CGraphSeries series;
    series.Compute(doc, nColumn, nCur, nMode, period, false, CGraphScale());
    const CGraphScale& scale = series.GetScale();
    QString str = QStringLiteral("scale\t%1\t%2\t%3\n")
                      .arg(scale.PageMaximum())
                      .arg(scale.PageMinimum())
                      .arg(scale.m_nCount);
    const CCurFmt& fmt = series.GetCurrencyFormat();
    for (int w = 0; w < series.GetPeriodCount(); ++w) {
        const std::size_t i = static_cast<std::size_t>(w);
        str += series.PeriodLabel(w) + QLatin1Char('\t') + fmt.Format(series.GetValues()[i], true) + QLatin1Char('\t')
               + fmt.Format(series.GetAverages()[i], true) + QLatin1Char('\t')
               + (series.HasBudget() ? fmt.Format(series.GetBudget()[i], true) : QString()) + QLatin1Char('\n');
    }
    return str;
}

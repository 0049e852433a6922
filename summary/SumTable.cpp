#include "summary/SumTable.h"

#include "model/CategoryAttr.h"
#include "model/CofferDoc.h"
#include "summary/PeriodMode.h"
#include "summary/SumCalc.h"
#include "summary/SumSource.h"

#include <algorithm>

namespace {

int PeriodMonth(int nMonth)
{
    return (nMonth >= 1 && nMonth <= 12) ? nMonth : 1;
}

const QString& LineEnd(bool bCrLf)
{
    static const QString crlf = QStringLiteral("\r\n");
    static const QString lf = QStringLiteral("\n");
    return bCrLf ? crlf : lf;
}

} // namespace

PackedDate CSumTable::ClampPeriod(PackedDate period, PackedDate first, PackedDate last)
{
    if (first == 0)
        return period;
    if (period > last)
        period = last;
    if (period < first)
        period = first;
    return period;
}

void CSumTable::Compute(const CSumSource& src, const std::vector<CCurFmt>& curs, int nCur, int nMode,
                        PackedDate period)
{
    m_nCur = (nCur >= 0 && nCur < int(curs.size())) ? nCur : 0;
    m_nMode = (nMode >= PERIOD_MONTH && nMode <= PERIOD_QUARTER) ? nMode : PERIOD_MONTH;
    m_period = ClampPeriod(period, src.FirstDate(), src.LastDate());
    m_firstDate = src.FirstDate();
    m_curFmt = curs.empty() ? CCurFmt() : curs[static_cast<std::size_t>(m_nCur)];

    const auto [nStride, nRows] = CSumCalc::SumByPeriod(src, m_sums, m_period, m_nMode, m_nCur);
    m_nStride = nStride;
    m_nRows = nRows;
    m_bBudgetRows = CSumCalc::GetBudgetSums(src, m_budget, m_period, m_nMode, 0, m_nCur);

    const std::vector<CCategory>& cats = src.Categories();
    m_keys.assign(1, 0);
    CSumCalc::GetSummaryColumns(cats, m_keys);
    m_colAttr.assign(m_keys.size(), ATTR_REMARK);
    m_titles.assign(m_keys.size(), QString());
    m_titles[0] = QStringLiteral("日付");
    for (std::size_t c = 1; c < m_keys.size(); ++c) {
        const int nKey = static_cast<int>(m_keys[c]);
        m_colAttr[c] = nKey < SUM_KEY_CATEGORY ? nKey : cats[static_cast<std::size_t>(nKey - SUM_KEY_CATEGORY)].m_nAttr;
        m_titles[c] = CSumCalc::GetSummaryTitle(cats, nKey);
    }
}

void CSumTable::Compute(const CCofferDoc& doc, int nCur, int nMode, PackedDate period)
{
    Compute(CSumSource(doc), doc.Currencies(), nCur, nMode, period);
}

Amount CSumTable::GetCellValue(int nRow, int nCol) const
{
    if (nCol < 1 || nCol >= GetColumnCount() || nRow < 0 || nRow >= GetRowCount())
        return 0;
    const std::size_t nKey = m_keys[static_cast<std::size_t>(nCol)];
    if (nKey >= static_cast<std::size_t>(m_nStride))
        return 0;
    if (nRow < m_nRows)
        return m_sums[static_cast<std::size_t>(nRow) * static_cast<std::size_t>(m_nStride) + nKey];
    const Amount nBudget = nKey < m_budget.size() ? m_budget[nKey] : 0;
    if (nRow == m_nRows)
        return nBudget;
    const Amount nTotal = m_sums[static_cast<std::size_t>(m_nRows - 1) * static_cast<std::size_t>(m_nStride) + nKey];
    return static_cast<Amount>(static_cast<std::uint64_t>(nBudget) - static_cast<std::uint64_t>(nTotal));
}

bool CSumTable::ShowsBudget(int nCol) const
{
    const int nAttr = m_colAttr[static_cast<std::size_t>(nCol)];
    if (nAttr == ATTR_EXPENSE)
        return true;
    if (nAttr == ATTR_INCOME || nAttr == ATTR_SPECIAL_INCOME || nAttr == ATTR_SPECIAL_EXPENSE)
        return static_cast<std::size_t>(nAttr) < m_budget.size() && m_budget[static_cast<std::size_t>(nAttr)] != 0;
    return false;
}

QString CSumTable::DateText(int nRow) const
{
    if (nRow == m_nRows - 1)
        return QStringLiteral("合計");
    if (nRow == m_nRows)
        return QStringLiteral("予算");
    if (nRow == m_nRows + 1)
        return QStringLiteral("差引");

    const int nYear = DateYear(m_period);
    switch (m_nMode) {
    case PERIOD_YEAR:
        return QString::asprintf("%d/%2d", nYear, nRow + 1);
    case PERIOD_ALL:
        return QString::asprintf("%d", DateYear(m_firstDate) + nRow);
    case PERIOD_QUARTER: {
        static const char16_t numerals[] = u"ⅠⅡⅢⅣ";
        int nQuarterYear = 0;
        int nQuarter = 0;
        CSumCalc::QuarterOfRow(m_firstDate, nRow, nQuarterYear, nQuarter);
        return QString::asprintf("%d:", nQuarterYear) + QChar(numerals[nQuarter]);
    }
    default:
        if (nRow == 0)
            return QString::asprintf("%02d/%2d/ 1", nYear % 100, PeriodMonth(DateMonth(m_period)));
        return QString::asprintf("      %2d", nRow + 1);
    }
}

QString CSumTable::GetCellText(int nRow, int nCol) const
{
    if (nCol < 0 || nCol >= GetColumnCount() || nRow < 0 || nRow >= GetRowCount())
        return QString();
    if (nCol == 0)
        return DateText(nRow);
    if (nRow >= m_nRows && !ShowsBudget(nCol))
        return QString();
    return m_curFmt.Format(GetCellValue(nRow, nCol), true);
}

QString CSumTable::GetColumnTitle(int nCol) const
{
    if (nCol < 0 || nCol >= GetColumnCount())
        return QString();
    return m_titles[static_cast<std::size_t>(nCol)];
}

void CSumTable::GetColumnRange(int nCol, Amount& nMin, Amount& nMax) const
{
    nMin = 0;
    nMax = 0;
    if (nCol < 1 || nCol >= GetColumnCount())
        return;
    const int nRows = GetRowCount();
    for (int r = 0; r < nRows; ++r) {
        const Amount nValue = GetCellValue(r, nCol);
        if (r == 0 || nValue < nMin)
            nMin = nValue;
        if (r == 0 || nValue > nMax)
            nMax = nValue;
    }
}

QString CSumTable::RowText(int nRow, int nLeft, int nRight) const
{
    QString strRow;
    for (int c = nLeft; c <= nRight; ++c) {
        if (c > nLeft)
            strRow += QLatin1Char('\t');
        strRow += GetCellText(nRow, c);
    }
    return strRow;
}

QString CSumTable::GetCopyText(int nTop, int nLeft, int nBottom, int nRight, bool bWholeRows, bool bHeader) const
{
    if (bWholeRows) {
        nLeft = 0;
        nRight = GetColumnCount() - 1;
    }
    // A block of several rows keeps its line ends even where the table cuts it to one.
    const bool bLineEnds = bWholeRows || nBottom > nTop;
    nTop = std::max(nTop, 0);
    nBottom = std::min(nBottom, GetRowCount() - 1);
    nLeft = std::max(nLeft, 0);
    nRight = std::min(nRight, GetColumnCount() - 1);
    QString strText;
    if (nTop > nBottom || nLeft > nRight)
        return strText;

    if (bWholeRows && bHeader) {
        for (int c = nLeft; c <= nRight; ++c) {
            if (c > nLeft)
                strText += QLatin1Char('\t');
            strText += GetColumnTitle(c);
        }
        strText += LineEnd(true);
    }
    for (int r = nTop; r <= nBottom; ++r) {
        strText += RowText(r, nLeft, nRight);
        if (bLineEnds)
            strText += LineEnd(true);
    }
    return strText;
}

QString CSumTable::GetReportText() const
{
    const int nRight = GetColumnCount() - 1;
    QString strText;
    for (int c = 0; c <= nRight; ++c) {
        if (c > 0)
            strText += QLatin1Char('\t');
        strText += GetColumnTitle(c);
    }
    strText += LineEnd(false);
    const int nRows = GetRowCount();
    for (int r = 0; r < nRows; ++r) {
        strText += RowText(r, 0, nRight);
        strText += LineEnd(false);
    }
    return strText;
}

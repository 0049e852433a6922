#include "summary/GraphLayout.h"

#include "model/CurFmt.h"
#include "model/PackedDate.h"
#include "summary/GraphSeries.h"
#include "summary/PeriodMode.h"

#include <algorithm>
#include <limits>

namespace {

// Amount axis labels and the top of the scale are written as amounts; beyond 64 bits
// the nearest amount stands in.
Amount ToAmount(__int128 n)
{
    return static_cast<Amount>(std::clamp<__int128>(n, std::numeric_limits<Amount>::min(),
                                                    std::numeric_limits<Amount>::max()));
}

// The fixed-point amount whose width the label column must hold at least: 10,000 units.
Amount SampleAmount(int nDecimals)
{
    Amount n = 1000000000;
    for (int i = std::clamp(nDecimals, 0, CCurFmt::MAX_DECIMALS); i > 0; --i)
        n /= 10;
    return n;
}

constexpr int kLegendChars = 34;

} // namespace

int CGraphLayout::SlotX(int s) const
{
    if (m_nSlots <= 0)
        return m_rcPlot.left();
    return m_rcPlot.left() + static_cast<int>(std::int64_t(m_rcPlot.width()) * s / m_nSlots);
}

int CGraphLayout::AmountY(__int128 nValue) const
{
    const CGraphScale scale(m_nAxisStep, m_nAxisMinimum, m_nAxisCount);
    return scale.Y(nValue, m_rcPlot.top(), m_rcPlot.top() + m_rcPlot.height());
}

QRect CGraphLayout::PrintRect(int nPaperWidth, int nPaperHeight, const QRect& printable, int nDpiX, int nDpiY)
{
    const auto mm = [](int nDpi, int nMm) { return static_cast<int>(std::int64_t(nDpi) * nMm * 10 / 254); };
    const int x = std::max(mm(nDpiX, 30) - printable.x(), 0);
    const int y = std::max(mm(nDpiY, 25) - printable.y(), 0);
    const std::int64_t w = std::clamp<std::int64_t>(std::int64_t(nPaperWidth) - mm(nDpiX, 55), 0, std::max(printable.width(), 0));
    std::int64_t h = std::clamp<std::int64_t>(std::int64_t(nPaperHeight) - mm(nDpiY, 50), 0, std::max(printable.height(), 0));
    if (w < h)
        h = w * w / h;
    return QRect(x, y, static_cast<int>(w), static_cast<int>(h));
}

std::uint32_t CGraphLayout::Shade(std::uint32_t nRgb, int x, int x0, int x1)
{
    const int nSpan = x1 - x0 - 2;
    if (nSpan <= 0)
        return nRgb;
    const int f = (x1 - x - 1) * 170 / nSpan + 86;
    auto channel = [&](int nShift) {
        const int c = int((nRgb >> nShift) & 0xFF) * f / 256;
        return static_cast<std::uint32_t>(std::clamp(c, 0, 255)) << nShift;
    };
    return channel(16) | channel(8) | channel(0);
}

std::array<QPoint, 3> CGraphLayout::TopMark() const
{
    const int a = m_rcPlot.top() / 20 + 2;
    const int x = m_rcPlot.left();
    const int y = m_rcPlot.top();
    return {QPoint(x - a, y), QPoint(x + a, y), QPoint(x, y - a)};
}

std::array<QPoint, 3> CGraphLayout::BottomMark() const
{
    const int a = m_rcPlot.top() / 20 + 2;
    const int x = m_rcPlot.left();
    const int y = m_rcPlot.top() + m_rcPlot.height();
    return {QPoint(x - a, y), QPoint(x + a, y), QPoint(x, y + a)};
}

void CGraphLayout::Lay(const CGraphSeries& series, int nWidth, int nHeight, const SMetrics& metrics)
{
    *this = CGraphLayout();
    m_bEmpty = series.GetColumnKeys().empty() || nWidth <= 0 || nHeight <= 0;
    if (m_bEmpty)
        return;
    const auto width = [&](const QString& str) { return metrics.m_textWidth ? metrics.m_textWidth(str) : 0; };
    const CCurFmt& fmt = series.GetCurrencyFormat();
    const int h = std::max(metrics.m_nTextHeight, 1);
    const int L = (metrics.m_nCellGap + 100) * h / 100;
    m_nTextHeight = h;
    m_nLine = L;
    const CGraphScale& scale = series.GetScale();
    m_nAxisStep = scale.m_nStep;
    m_nAxisMinimum = scale.m_nMinimum;
    m_nAxisCount = scale.m_nCount;

    // Title.
    QString strTitle;
    const PackedDate period = series.GetPeriodDate();
    if (series.GetMode() == PERIOD_MONTH)
        strTitle = QString::asprintf("%d年 %2d月 ： ", DateYear(period), DateMonth(period));
    else if (series.GetMode() == PERIOD_YEAR)
        strTitle = QString::asprintf("%d年 ： ", DateYear(period));
    strTitle += series.GetTitle();
    m_rcTitleBand = QRect(0, 0, nWidth, 2 * L);
    const int nTitleWidth = width(strTitle);
    m_title = {QRect(std::max(0, (nWidth - nTitleWidth) / 2), (L - h) / 2, nTitleWidth, h), strTitle,
               Qt::AlignLeft | Qt::AlignTop, false};

    // Label and legend columns, and the plot between them.
    const int nZero = width(QStringLiteral("0"));
    const int nAmounts = std::max({width(fmt.Format(SampleAmount(fmt.m_nDecimals), false)),
                                   width(fmt.Format(ToAmount(scale.Top()), false)),
                                   width(fmt.Format(scale.m_nMinimum, false))});
    m_nLabelWidth = std::min(nWidth / 3, nAmounts + nZero);
    m_nLegendWidth = std::min(nWidth / 3, width(QStringLiteral("費目文字列幅")) + 4 * h);
    const int nTop = 2 * L;
    const int nBottom = std::max(nHeight - 2 * L, nTop + h);
    m_rcPlot = QRect(m_nLabelWidth, nTop, std::max(nWidth - m_nLegendWidth - m_nLabelWidth, 0), nBottom - nTop);

    LayLegend(series, nWidth, metrics);
    LayPeriodAxis(series, metrics);
    LayAmountAxis(series, metrics);
    LayBars(series, metrics);
    LayAverage(series);
    if (series.HasBudget())
        LayBudget(series);

    const QString strTotal = QStringLiteral("合計：") + fmt.Format(series.GetTotal(), true);
    const int nTotalWidth = width(strTotal);
    const int x = nTotalWidth > m_rcPlot.width() ? m_rcPlot.left() : m_rcPlot.left() + m_rcPlot.width() - nTotalWidth;
    m_total = {QRect(x, nTop - L, nTotalWidth, L), strTotal, Qt::AlignLeft | Qt::AlignVCenter, false};
}

void CGraphLayout::LayLegend(const CGraphSeries& series, int nWidth, const SMetrics& metrics)
{
    const int h = m_nTextHeight;
    struct SEntry
    {
        int nKind;
        int nSlot;
        int nPalette;
        QString str;
    };
    std::vector<SEntry> entries;
    if (series.HasBudget())
        entries.push_back({SAMPLE_LINE_BUDGET, SLOT_BUDGET, -1, QStringLiteral("予算")});
    entries.push_back({SAMPLE_LINE_AVERAGE, SLOT_AVERAGE, -1, QStringLiteral("平均額")});
    if (series.IsAttribute()) {
        for (int s = 0; s < int(series.GetStackedKeys().size()); ++s)
            entries.push_back({SAMPLE_BAR, -1, s % CGraphSeries::PALETTE_SIZE, series.GetStackedName(s)});
    } else {
        entries.push_back({SAMPLE_BAR, SLOT_BAR, -1, series.GetTitle()});
    }

    const int nCount = int(entries.size());
    const std::int64_t nPlotHeight = m_rcPlot.height();
    int nGap = metrics.m_nCellGap * h / 100;
    if (std::int64_t(nCount) * h + std::int64_t(nCount - 1) * nGap > nPlotHeight)
        nGap = 0;
    const std::int64_t nBlock = std::int64_t(nCount) * h + std::int64_t(nCount - 1) * nGap;
    int y = m_rcPlot.top() + static_cast<int>(std::max<std::int64_t>((nPlotHeight - nBlock) / 2, 0));
    const int x = m_rcPlot.left() + m_rcPlot.width() + h;
    const int nSample = 3 * h / 2;
    for (const SEntry& e : entries) {
        SLegendEntry entry;
        entry.m_nKind = e.nKind;
        entry.m_nSlot = e.nSlot;
        entry.m_nPalette = e.nPalette;
        entry.m_rcSample = e.nKind == SAMPLE_BAR ? QRect(x, y + h / 5, nSample, h - 2 * (h / 5)) : QRect(x, y, nSample, h);
        const int nTextX = x + 2 * h;
        entry.m_text = {QRect(nTextX, y, std::max(nWidth - nTextX, 0), h), e.str.left(kLegendChars),
                        Qt::AlignLeft | Qt::AlignVCenter, true};
        m_legend.push_back(entry);
        y += h + nGap;
    }
}

void CGraphLayout::SlotLabel(const QString& str, int s0, int s1, int nHalfLines)
{
    const int nRight = SlotX(s1 + 1);
    // A slot's label band is one slot width wide, ending at the slot's right edge.
    const int nLeft = s0 == s1 ? nRight - m_rcPlot.width() / std::max(m_nSlots, 1) : SlotX(s0);
    const int y = m_rcPlot.top() + m_rcPlot.height() + nHalfLines * m_nLine / 2;
    m_labels.push_back({QRect(nLeft, y, std::max(nRight - nLeft, 0), m_nLine), str, Qt::AlignCenter, false});
}

void CGraphLayout::LayPeriodAxis(const CGraphSeries& series, const SMetrics& metrics)
{
    const auto width = [&](const QString& str) { return metrics.m_textWidth ? metrics.m_textWidth(str) : 0; };
    const int n = series.GetPeriodCount();
    const int nTop = m_rcPlot.top();
    const int nBottom = m_rcPlot.top() + m_rcPlot.height();
    const int W = m_rcPlot.width();
    const PackedDate period = series.GetPeriodDate();
    auto vertical = [&](int x) { m_grid.emplace_back(x, nTop, x, nBottom); };
    auto underPlot = [&](const QString& str) {
        m_labels.push_back({QRect(m_rcPlot.left(), nBottom + m_nLine, W, m_nLine), str, Qt::AlignCenter, false});
    };

    switch (series.GetMode()) {
    case PERIOD_YEAR:
        m_nSlots = 12;
        for (int m = 3; m <= 12; m += 3)
            vertical(SlotX(m));
        for (int m = 1; m <= 12; ++m) {
            const bool bWide = W / m_nSlots >= width(QStringLiteral(" 12月"));
            if (bWide || m % 3 == 0)
                SlotLabel(QString::asprintf("%d月", m), m - 1, m - 1, 0);
        }
        underPlot(QString::asprintf("%d 年", DateYear(period)));
        break;
    case PERIOD_ALL: {
        m_nSlots = n;
        if (n <= 0)
            break;
        const int nTick = m_nTextHeight / 4;
        for (int s = 0; s < n; ++s)
            m_grid.emplace_back(SlotX(s + 1), nBottom, SlotX(s + 1), nBottom - nTick);
        const int k = static_cast<int>(std::int64_t(n) * width(QStringLiteral(" 2000年")) / std::max(W, 1) + 1);
        for (int s = 0; s < n; ++s) {
            if ((s + 1) % k == 0)
                SlotLabel(QString::asprintf("%d年", series.PeriodYear(s)), s, s, 1);
        }
        break;
    }
    case PERIOD_QUARTER: {
        m_nSlots = n;
        if (n <= 0)
            break;
        const bool bNumerals = W / n >= width(QStringLiteral(" Ⅳ"));
        const int nYearWidth = width(QStringLiteral(" 2000年"));
        const int k = static_cast<int>(std::int64_t(n) * nYearWidth / (4 * std::int64_t(std::max(W, 1))) + 1);
        int nFirst = 0;
        int nYearIndex = 0;
        for (int s = 0; s < n; ++s) {
            const int q = series.PeriodQuarter(s);
            if (bNumerals)
                SlotLabel(QString(QChar(char16_t(0x2160 + q))), s, s, 0);
            if (q == 3 || s == n - 1) {
                vertical(SlotX(s + 1));
                const int x0 = SlotX(nFirst);
                const int x1 = SlotX(s + 1);
                if (x1 - x0 >= nYearWidth && nYearIndex % k == 0) {
                    const int y = nBottom + (bNumerals ? m_nLine : m_nLine / 2);
                    m_labels.push_back({QRect(x0, y, x1 - x0, m_nLine), QString::asprintf("%d年", series.PeriodYear(s)),
                                        Qt::AlignCenter, false});
                }
                nFirst = s + 1;
                ++nYearIndex;
            }
        }
        break;
    }
    default:
        // A month has 31 slots whatever its length, so that days line up between months.
        m_nSlots = 31;
        for (int day = 5; day <= 30; day += 5) {
            vertical(SlotX(day));
            SlotLabel(QString::asprintf("%d日", day), day - 1, day - 1, 0);
        }
        underPlot(QString::asprintf("%d 年 %2d 月", DateYear(period), DateMonth(period)));
        break;
    }
}

void CGraphLayout::LayAmountAxis(const CGraphSeries& series, const SMetrics& metrics)
{
    const auto width = [&](const QString& str) { return metrics.m_textWidth ? metrics.m_textWidth(str) : 0; };
    const CCurFmt& fmt = series.GetCurrencyFormat();
    const int nLeft = m_rcPlot.left();
    const int nRight = m_rcPlot.left() + m_rcPlot.width();
    const int nTop = m_rcPlot.top();
    const int nBottom = m_rcPlot.top() + m_rcPlot.height();
    const int h = m_nTextHeight;
    const int nLabelRight = nLeft - width(QStringLiteral("0")) / 2;
    if (m_nAxisCount > 0) {
        int nLastTop = std::numeric_limits<int>::max();
        for (int i = 0; i <= m_nAxisCount; ++i) {
            const int y = nBottom - static_cast<int>(std::int64_t(m_rcPlot.height()) * i / m_nAxisCount);
            m_grid.emplace_back(nLeft, y, nRight, y);
            const int yLabel = y - h / 2;
            if (yLabel + h > nLastTop)
                continue;
            const __int128 nValue = __int128(m_nAxisMinimum) + __int128(i) * m_nAxisStep;
            m_labels.push_back({QRect(0, yLabel, std::max(nLabelRight, 0), h), fmt.Format(ToAmount(nValue), false),
                                Qt::AlignRight | Qt::AlignVCenter, false});
            nLastTop = yLabel;
        }
    }
    m_grid.emplace_back(nLeft, nTop, nLeft, nBottom);
    m_grid.emplace_back(nRight, nTop, nRight, nBottom);
}

bool CGraphLayout::ClipSegment(int x0, int x1, int yA, int yB, QRect& rc)
{
    int y0 = std::min(yA, yB);
    int y1 = std::max(yA, yB);
    const int nTop = m_rcPlot.top();
    const int nBottom = m_rcPlot.top() + m_rcPlot.height();
    if (y0 < nTop) {
        m_bCutTop = true;
        y0 = nTop;
    }
    if (y1 > nBottom) {
        m_bCutBottom = true;
        y1 = nBottom;
    }
    if (y1 < y0)
        return false;
    rc = QRect(x0, y0, x1 - x0, y1 - y0);
    return true;
}

void CGraphLayout::LayBars(const CGraphSeries& series, const SMetrics& metrics)
{
    const int n = std::min(series.GetPeriodCount(), m_nSlots);
    m_barRects.assign(static_cast<std::size_t>(std::max(series.GetPeriodCount(), 0)), QRect());
    if (n <= 0)
        return;
    const std::int64_t g = std::clamp(metrics.m_nBarGap, 0, 1000);
    const std::int64_t l = m_rcPlot.width() / m_nSlots;
    const int nOffset0 = static_cast<int>((g * (l + 1) + 100) / (2 * g + 200));
    const int nOffset1 = static_cast<int>((g + l * (g + 200) + 100) / (2 * g + 200) + 1);
    const int yZero = AmountY(0);
    const bool bStack = series.IsAttribute();
    const int nStacked = int(series.GetStackedKeys().size());
    for (int w = 0; w < n; ++w) {
        const int x0 = SlotX(w) + nOffset0;
        const int x1 = SlotX(w) + nOffset1;
        QRect& rcPeriod = m_barRects[static_cast<std::size_t>(w)];
        if (!bStack) {
            const Amount v = series.GetValues()[static_cast<std::size_t>(w)];
            QRect rc;
            if (ClipSegment(x0, x1, yZero, AmountY(v), rc)) {
                m_bars.push_back({w, rc, v >= 0 ? int(SLOT_BAR) : int(SLOT_BAR_NEGATIVE), -1});
                rcPeriod = rc;
            }
            continue;
        }
        auto segment = [&](int s, __int128 nFrom, __int128 nTo) {
            QRect rc;
            if (!ClipSegment(x0, x1, AmountY(nFrom), AmountY(nTo), rc))
                return;
            m_bars.push_back({w, rc, -1, s});
            rcPeriod = rcPeriod.isNull() ? rc : (rcPeriod | rc);
        };
        // The last stacked category sits nearest zero above it, the first nearest zero below.
        __int128 nBase = 0;
        for (int s = nStacked - 1; s >= 0; --s) {
            const Amount e = series.GetStackedValue(w, s);
            if (e > 0) {
                segment(s, nBase, nBase + e);
                nBase += e;
            }
        }
        nBase = 0;
        for (int s = 0; s < nStacked; ++s) {
            const Amount e = series.GetStackedValue(w, s);
            if (e < 0) {
                segment(s, nBase, nBase + e);
                nBase += e;
            }
        }
    }
}

void CGraphLayout::LayAverage(const CGraphSeries& series)
{
    const int n = std::min(series.GetPeriodCount(), m_nSlots);
    const std::int64_t nTop = m_rcPlot.top();
    const std::int64_t nBottom = m_rcPlot.top() + m_rcPlot.height();
    auto point = [&](int w) {
        const int x = m_rcPlot.left()
                      + static_cast<int>(std::int64_t(m_rcPlot.width()) * (2 * w + 1) / (2 * std::int64_t(m_nSlots)));
        return QPoint(x, AmountY(series.GetAverages()[static_cast<std::size_t>(w)]));
    };
    // Clips y of a segment to the plot, moving x along the segment.
    auto clipEnd = [&](QPoint& p, const QPoint& other) {
        const std::int64_t yClip = p.y() < nTop ? nTop : (p.y() > nBottom ? nBottom : p.y());
        if (yClip == p.y())
            return;
        const std::int64_t dy = std::int64_t(other.y()) - p.y();
        const std::int64_t x = p.x() + (std::int64_t(other.x()) - p.x()) * (yClip - p.y()) / dy;
        p = QPoint(static_cast<int>(x), static_cast<int>(yClip));
    };
    for (int w = 1; w < n; ++w) {
        QPoint a = point(w - 1);
        QPoint b = point(w);
        if ((a.y() < nTop && b.y() < nTop) || (a.y() > nBottom && b.y() > nBottom))
            continue;
        clipEnd(a, b);
        clipEnd(b, a);
        m_average.emplace_back(a, b);
    }
}

void CGraphLayout::LayBudget(const CGraphSeries& series)
{
    const int n = std::min(series.GetPeriodCount(), m_nSlots);
    const int nTop = m_rcPlot.top();
    const int nBottom = m_rcPlot.top() + m_rcPlot.height();
    QPoint current;
    for (int w = 0; w < n; ++w) {
        const int y = AmountY(series.GetBudget()[static_cast<std::size_t>(w)]);
        const int nLevel = std::clamp(y, nTop, nBottom);
        const QPoint start(SlotX(w), nLevel);
        if (w > 0 && start != current)
            m_budget.emplace_back(current, start);
        const QPoint end(SlotX(w + 1), nLevel);
        // A budget beyond the axis is shown by the steps to and from it, not along the edge.
        if (nLevel == y)
            m_budget.emplace_back(start, end);
        current = end;
    }
}

QString CGraphLayout::TipText(const CGraphSeries& series, int x, int y) const
{
    if (m_bEmpty || m_nSlots <= 0 || !m_rcPlot.contains(x, y) || m_rcPlot.width() <= 0)
        return QString();
    const int w = static_cast<int>(std::int64_t(x - m_rcPlot.left()) * m_nSlots / m_rcPlot.width());
    if (w < 0 || w >= series.GetPeriodCount() || w >= int(m_barRects.size()))
        return QString();
    const QRect& rcBar = m_barRects[static_cast<std::size_t>(w)];
    if (rcBar.isNull() || x < rcBar.left() || x >= rcBar.left() + rcBar.width())
        return QString();
    const CCurFmt& fmt = series.GetCurrencyFormat();
    QString str = series.PeriodLabel(w) + QLatin1Char('\n');
    if (series.IsAttribute() && y >= rcBar.top() && y < rcBar.top() + std::max(rcBar.height(), 1)) {
        for (const SBar& bar : m_bars) {
            if (bar.m_nPeriod == w && bar.m_nPalette >= 0 && y >= bar.m_rc.top()
                && y < bar.m_rc.top() + bar.m_rc.height()) {
                const int s = bar.m_nPalette;
                str += series.GetStackedName(s) + QStringLiteral(": ") + fmt.Format(series.GetStackedValue(w, s), true)
                       + QLatin1Char('\n');
                break;
            }
        }
    }
    str += series.GetTitle() + QStringLiteral(": ") + fmt.Format(series.GetValues()[static_cast<std::size_t>(w)], true)
           + QStringLiteral("\n平均: ") + fmt.Format(series.GetAverages()[static_cast<std::size_t>(w)], true);
    return str;
}

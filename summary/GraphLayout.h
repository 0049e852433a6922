#pragma once

#include "model/Amount.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class CGraphSeries;

// Where everything of the graph goes for a drawing area of a given size: the title, the
// plot, the legend, the period and amount axes with their labels, the bars, the clip
// marks, the average and budget lines and the total. A widget or a printer only paints
// what it holds; the tooltip text is read from it too.
//
// Rectangles are QRect(x, y, w, h) with x + w and y + h the first pixel outside.
// Colours are named by their settings slot (SLOT_*) or, for a stacked category, by its
// palette index.
class CGraphLayout
{
public:
    enum : int {
        SLOT_BACKGROUND = 0,
        SLOT_TEXT = 1,
        SLOT_BAR = 9,
        SLOT_BAR_NEGATIVE = 10,
        SLOT_AVERAGE = 11,
        SLOT_BUDGET = 12,
        SLOT_GRID = 13,
        SLOT_PLOT = 14,
    };

    // What text is measured with and how the settings space the graph.
    struct SMetrics
    {
        int m_nTextHeight = 16;
        // Width of a text in the view's font.
        std::function<int(const QString&)> m_textWidth;
        int m_nCellGap = 30;
        int m_nBarGap = 50;
    };

    struct SText
    {
        QRect m_rc;
        QString m_str;
        Qt::Alignment m_align = Qt::AlignLeft | Qt::AlignVCenter;
        // Cut with an ellipsis where it leaves its rectangle.
        bool m_bElide = false;
    };

    enum : int { SAMPLE_LINE_BUDGET, SAMPLE_LINE_AVERAGE, SAMPLE_BAR };
    struct SLegendEntry
    {
        int m_nKind = SAMPLE_BAR;
        // A line sample runs along the middle of m_rcSample; a bar sample fills it.
        QRect m_rcSample;
        // SLOT_BAR, or -1 when m_nPalette names the colour.
        int m_nSlot = SLOT_BAR;
        int m_nPalette = -1;
        SText m_text;
    };

    struct SBar
    {
        int m_nPeriod = 0;
        QRect m_rc;
        int m_nSlot = SLOT_BAR;
        // The stacked position for a segment of an attribute's bar, -1 for a category's bar.
        int m_nPalette = -1;
    };

    // Lays out the series in an area of nWidth × nHeight.
    void Lay(const CGraphSeries& series, int nWidth, int nHeight, const SMetrics& metrics);

    // The tooltip for a pointer at (x, y); empty when the pointer is on no bar.
    QString TipText(const CGraphSeries& series, int x, int y) const;

    // The drawing area of the one printed page, in the printable area's coordinates: 30 mm
    // from the paper's left and 25 mm from its top less the unprintable margins (not below
    // 0), the paper less 55 mm wide and 50 mm high, each held to the printable size; a page
    // narrower than high gets a height of width × width ÷ height, so the graph stays wide.
    static QRect PrintRect(int nPaperWidth, int nPaperHeight, const QRect& printable, int nDpiX, int nDpiY);

    // Colour 0xRRGGBB of a bar's column x between x0 and x1 (exclusive): bright on the left,
    // a third on the right.
    static std::uint32_t Shade(std::uint32_t nRgb, int x, int x0, int x1);

    // Nothing is drawn: no columns.
    bool IsEmpty() const { return m_bEmpty; }
    int LineHeight() const { return m_nLine; }
    const QRect& TitleBand() const { return m_rcTitleBand; }
    const SText& Title() const { return m_title; }
    const QRect& Plot() const { return m_rcPlot; }
    int SlotCount() const { return m_nSlots; }
    int LabelWidth() const { return m_nLabelWidth; }
    int LegendWidth() const { return m_nLegendWidth; }
    const std::vector<SLegendEntry>& Legend() const { return m_legend; }
    // Grid lines and ticks (grid pen), and the labels of both axes.
    const std::vector<QLine>& GridLines() const { return m_grid; }
    const std::vector<SText>& Labels() const { return m_labels; }
    // Bars, each already clipped to the plot, in drawing order.
    const std::vector<SBar>& Bars() const { return m_bars; }
    // Per period: the extent of its bar (a stack's drawn segments together); empty when none.
    const std::vector<QRect>& BarRects() const { return m_barRects; }
    bool ClippedAtTop() const { return m_bCutTop; }
    bool ClippedAtBottom() const { return m_bCutBottom; }
    // Red triangles with a black outline at the plot's left corners.
    std::array<QPoint, 3> TopMark() const;
    std::array<QPoint, 3> BottomMark() const;
    const std::vector<QLine>& AverageLine() const { return m_average; }
    const std::vector<QLine>& BudgetLine() const { return m_budget; }
    const SText& Total() const { return m_total; }

    // The x of slot s's left edge, and the y of an amount.
    int SlotX(int s) const;
    int AmountY(__int128 nValue) const;

private:
    void LayLegend(const CGraphSeries& series, int nWidth, const SMetrics& metrics);
    void LayPeriodAxis(const CGraphSeries& series, const SMetrics& metrics);
    void LayAmountAxis(const CGraphSeries& series, const SMetrics& metrics);
    void LayBars(const CGraphSeries& series, const SMetrics& metrics);
    void LayAverage(const CGraphSeries& series);
    void LayBudget(const CGraphSeries& series);
    // A label centred under the slots s0..s1 (inclusive), in the band nBand half-lines below the plot.
    void SlotLabel(const QString& str, int s0, int s1, int nHalfLines);
    // Clips a bar segment between two y to the plot, noting a cut; false when nothing is left.
    bool ClipSegment(int x0, int x1, int yA, int yB, QRect& rc);

    bool m_bEmpty = true;
    int m_nTextHeight = 0;
    int m_nLine = 0;
    QRect m_rcTitleBand;
    SText m_title;
    QRect m_rcPlot;
    int m_nSlots = 0;
    int m_nLabelWidth = 0;
    int m_nLegendWidth = 0;
    Amount m_nAxisStep = 0;
    Amount m_nAxisMinimum = 0;
    int m_nAxisCount = 0;
    std::vector<SLegendEntry> m_legend;
    std::vector<QLine> m_grid;
    std::vector<SText> m_labels;
    std::vector<SBar> m_bars;
    std::vector<QRect> m_barRects;
    bool m_bCutTop = false;
    bool m_bCutBottom = false;
    std::vector<QLine> m_average;
    std::vector<QLine> m_budget;
    SText m_total;
};

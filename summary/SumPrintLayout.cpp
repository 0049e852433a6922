#include "summary/SumPrintLayout.h"

#include <algorithm>

std::vector<CSumPrintLayout::SStrip> CSumPrintLayout::Strips(const std::vector<int>& widths, int nAreaWidth)
{
    std::vector<SStrip> strips;
    if (widths.size() <= 1) {
        strips.push_back({ 1, 0 });
        return strips;
    }
    const long long nDate = std::max(0, widths[0]);
    long long x = nDate;
    SStrip strip{ 1, 0 };
    for (int c = 1; c < int(widths.size()); ++c) {
        const long long w = std::max(0, widths[std::size_t(c)]);
        if (strip.nLast >= strip.nFirst && x + w > nAreaWidth) {
            strips.push_back(strip);
            strip = { c, c - 1 };
            x = nDate;
        }
        strip.nLast = c;
        x += w;
    }
    strips.push_back(strip);
    return strips;
}

int CSumPrintLayout::LinesPerPage(int nAreaHeight, int nRowHeight)
{
    return std::max(1, std::max(0, nAreaHeight) / std::max(1, nRowHeight) - 2);
}

int CSumPrintLayout::VerticalPages(int nRows, int nLinesPerPage)
{
    return nRows <= 0 ? 1 : (nRows - 1) / std::max(1, nLinesPerPage) + 1;
}

int CSumPrintLayout::FirstRow(int nPage, int nVerticalPages, int nLinesPerPage)
{
    return std::max(1, nLinesPerPage) * ((std::max(1, nPage) - 1) % std::max(1, nVerticalPages));
}

int CSumPrintLayout::StripOfPage(int nPage, int nVerticalPages)
{
    return (std::max(1, nPage) - 1) / std::max(1, nVerticalPages);
}

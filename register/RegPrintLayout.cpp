#include "register/RegPrintLayout.h"

#include <algorithm>
#include <climits>

int CRegPrintLayout::LinesPerPage(int nAreaHeight, int nRowHeight)
{
    return std::max(1, std::max(0, nAreaHeight) / std::max(1, nRowHeight) - 2);
}

int CRegPrintLayout::PageCount(int nLines, int nLinesPerPage)
{
    if (nLines <= 0)
        return 1;
    return (nLines - 1) / std::max(1, nLinesPerPage) + 1;
}

int CRegPrintLayout::FirstLineOfPage(int nPage, int nLinesPerPage)
{
    const long long n = (long long)(std::max(1, nPage) - 1) * std::max(1, nLinesPerPage);
    return int(std::min<long long>(n, INT_MAX));
}

std::vector<CRegPrintLayout::SColumn> CRegPrintLayout::Columns(const std::vector<int>& widths, int nScale,
                                                               bool bLastIsDescription, int nAreaLeft,
                                                               int nAreaWidth)
{
    // Sums in 64 bits: a stored width of 32767 at a 6-fold scale over a dozen columns is
    // still far from overflow, but a driver's odd resolution should not wrap it.
    std::vector<long long> scaled;
    scaled.reserve(widths.size());
    long long nTotal = 0;
    for (int w : widths) {
        scaled.push_back((long long)std::max(0, w) * std::max(1, nScale));
        nTotal += scaled.back();
    }
    const long long nWidth = std::max(0, nAreaWidth);
    if (bLastIsDescription && !scaled.empty() && nTotal < nWidth)
        scaled.back() += nWidth - nTotal;

    std::vector<SColumn> columns;
    const long long nRightEdge = (long long)nAreaLeft + nWidth;
    long long x = nAreaLeft;
    for (long long w : scaled) {
        if (x >= nRightEdge && !columns.empty())
            break;
        const long long nRight = std::min(x + w, nRightEdge);
        columns.push_back({ int(x), int(std::max(x, nRight)) });
        x += w;
    }
    return columns;
}

#include "grid/PrintMetrics.h"

#include <algorithm>

CPrintMetrics CPrintMetrics::Compute(const SDevice& d)
{
    CPrintMetrics m;
    m.m_nScale = d.nScreenDpiX > 0 ? std::max(1, d.nPrinterDpiX / d.nScreenDpiX) : 1;
    m.m_nPenWidth = std::max(0, d.nPrinterDpiY) / 120 + 1;
    m.m_nRowHeight = std::max(1, ((d.nCellGap + 100) * std::max(0, d.nTextHeight)) / 100 + 1);
    // 30 mm from the left edge, 25 mm from the top, 55 mm and 50 mm less than the sheet.
    const int nLeft = std::max(0, d.nPrinterDpiX * 300 / 254 - d.nOffsetLeft);
    const int nTop = std::max(0, d.nPrinterDpiY * 250 / 254 - d.nOffsetTop);
    const int nWidth = std::max(0, std::min(d.nPaperWidth - d.nPrinterDpiX * 550 / 254, d.nPrintableWidth));
    const int nHeight = std::max(0, std::min(d.nPaperHeight - d.nPrinterDpiY * 500 / 254, d.nPrintableHeight));
    m.m_rcArea = QRect(nLeft, nTop, nWidth, nHeight);
    return m;
}

int CPrintMetrics::LinesPerPage(int nUsed) const
{
    return std::max(1, (m_rcArea.height() - nUsed) / std::max(1, m_nRowHeight));
}

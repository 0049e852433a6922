#pragma once

#include <QRect>

// The page metrics of a grid print job, computed from what the printer and
// the screen report. Scale and lines per page are never below 1, so no page
// arithmetic divides by zero whatever a printer driver reports.
class CPrintMetrics
{
public:
    struct SDevice {
        int nPrinterDpiX = 0;
        int nPrinterDpiY = 0;
        int nScreenDpiX = 96;
        int nOffsetLeft = 0;     // unprintable margin, printer pixels
        int nOffsetTop = 0;
        int nPaperWidth = 0;     // whole sheet, printer pixels
        int nPaperHeight = 0;
        int nPrintableWidth = 0;
        int nPrintableHeight = 0;
        int nTextHeight = 0;     // height of "00000000" in the print font
        int nCellGap = 30;       // percent of the text height
    };

    static CPrintMetrics Compute(const SDevice& device);

    // How many rows of nRowHeight fit below nUsed pixels of the print area.
    int LinesPerPage(int nUsed = 0) const;

    int m_nScale = 1;
    int m_nPenWidth = 1;
    int m_nRowHeight = 1;
    QRect m_rcArea;
};

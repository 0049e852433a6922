#pragma once

#include <vector>

// The page arithmetic of a summary table print: rows run down in vertical pages, the key
// columns across in strips that each repeat the date column; pages run down a strip first,
// then across. Widths are printer pixels.
class CSumPrintLayout
{
public:
    struct SStrip {
        int nFirst = 1; // first key column after the date column (cell column)
        int nLast = 0;  // last one; nLast < nFirst when the table has only the date column
    };

    // widths: the printed widths of cell columns 0 (date) .. n − 1. A column that does not fit
    // after the ones before it starts a new strip, so every strip holds at least one column.
    static std::vector<SStrip> Strips(const std::vector<int>& widths, int nAreaWidth);
    // Lines per page below the title and heading lines; never below 1.
    static int LinesPerPage(int nAreaHeight, int nRowHeight);
    static int VerticalPages(int nRows, int nLinesPerPage);

    // Where page nPage (from 1) starts: its first row and its strip.
    static int FirstRow(int nPage, int nVerticalPages, int nLinesPerPage);
    static int StripOfPage(int nPage, int nVerticalPages);
};

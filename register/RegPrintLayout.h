#pragma once

#include <vector>

// The page arithmetic of a register print, in printer pixels: how many lines a page
// holds, how many pages the lines take, where each column lies across the print area
// and which line opens a page. Nothing here needs a printer, so the odd page set-ups
// (a tiny page, a huge font) are checked without one.
class CRegPrintLayout
{
public:
    struct SColumn {
        int nLeft = 0;
        int nRight = 0; // exclusive; held to the area's right edge
    };

    // nAreaHeight: the print area; nRowHeight: one printed row. The page heading and the
    // title row take two rows; a page that leaves no room for lines still prints one.
    static int LinesPerPage(int nAreaHeight, int nRowHeight);
    // One page when there are no lines.
    static int PageCount(int nLines, int nLinesPerPage);
    // The first shown line of page nPage (from 1).
    static int FirstLineOfPage(int nPage, int nLinesPerPage);

    // The printed columns from the stored widths (screen pixels) times the scale, starting at
    // nAreaLeft. A description column at the end is widened to the area's right edge; the
    // columns stop at the first one that starts at or beyond that edge, the last drawn one
    // cut at it.
    static std::vector<SColumn> Columns(const std::vector<int>& widths, int nScale, bool bLastIsDescription,
                                        int nAreaLeft, int nAreaWidth);
};

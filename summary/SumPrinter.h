#pragma once

#include "grid/PrintSource.h"
#include "summary/SumPrintLayout.h"

#include <QString>

#include <vector>

class CSumView;

// The summary table's print: vertical pages of rows times strips of key columns, each
// strip after the date column, every cell drawn as the screen draws it (never selected).
class CSumPrinter : public IPrintSource
{
public:
    explicit CSumPrinter(CSumView& view);

    int BeginPrint(QPrinter& printer) override;
    void PrintPage(QPainter& painter, int nPage, int nPages) override;
    void EndPrint() override;

    // Valid after BeginPrint.
    int LinesPerPage() const { return m_nLinesPerPage; }
    int VerticalPages() const { return m_nVertical; }
    const std::vector<CSumPrintLayout::SStrip>& Strips() const { return m_strips; }

private:
    CSumView& m_view;
    std::vector<int> m_widths;
    std::vector<CSumPrintLayout::SStrip> m_strips;
    int m_nLinesPerPage = 1;
    int m_nVertical = 1;
};

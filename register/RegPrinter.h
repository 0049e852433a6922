#pragma once

#include "grid/PrintSource.h"
#include "register/RegCellRenderer.h"
#include "register/RegPrintLayout.h"

#include <QString>

#include <memory>
#include <vector>

class CCofferView;

// The register's print: the shown lines as a ruled table, a block of lines per page,
// with the page heading and the column titles on every page. Cells are drawn by the
// same renderer as the screen's, never in selection colours.
class CRegPrinter : public IPrintSource
{
public:
    explicit CRegPrinter(CCofferView& view);
    ~CRegPrinter() override;

    int BeginPrint(QPrinter& printer) override;
    void PrintPage(QPainter& painter, int nPage, int nPages) override;
    void EndPrint() override;

    // Valid after BeginPrint.
    int LinesPerPage() const { return m_nLinesPerPage; }
    int PageCount() const { return m_nPages; }
    const std::vector<CRegPrintLayout::SColumn>& Columns() const { return m_columns; }

    static QString PageHeading(int nPage, int nPages);

private:
    CCofferView& m_view;
    std::unique_ptr<CRegCellRenderer> m_pRenderer;
    std::vector<CRegPrintLayout::SColumn> m_columns;
    std::vector<int> m_kinds;
    QString m_strTitle;
    int m_nLinesPerPage = 1;
    int m_nPages = 1;
    int m_nTitleGap = 0;
};

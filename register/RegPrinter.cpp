#include "register/RegPrinter.h"

#include "grid/GridSettings.h"
#include "grid/HeaderGeometry.h"
#include "model/CofferDoc.h"
#include "model/ColumnKind.h"
#include "register/CofferView.h"
#include "register/RegColumns.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

CRegPrinter::CRegPrinter(CCofferView& view)
    : m_view(view)
{
}

CRegPrinter::~CRegPrinter() = default;

QString CRegPrinter::PageHeading(int nPage, int nPages)
{
    return QStringLiteral(" Page %1 / %2").arg(nPage).arg(nPages);
}

int CRegPrinter::BeginPrint(QPrinter& printer)
{
    m_view.BeginPrinting(printer);
    const CPrintMetrics& metrics = m_view.PrintMetrics();

    CRegCellRenderer::SStyle style = m_view.CellStyle();
    style.font = m_view.PrintFont();
    const QFontMetrics fm(style.font, &printer);
    const int nGap = CGridSettings::Current().CellGap();
    style.nVMargin = fm.height() * nGap / 200;
    style.nTextInset = std::max(fm.horizontalAdvance(QStringLiteral("00000000")) / 16, style.nVMargin);
    m_pRenderer = std::make_unique<CRegCellRenderer>(style, &printer);
    m_nTitleGap = fm.boundingRect(QStringLiteral("00000000")).height() * nGap / 200;

    m_kinds = m_view.LayoutKinds();
    std::vector<int> widths;
    widths.reserve(m_kinds.size());
    for (std::size_t k = 0; k < m_kinds.size(); ++k)
        widths.push_back(m_view.GetColWidth(int(k) + 1));
    const bool bLastIsDescription = !m_kinds.empty() && m_kinds.back() == COL_DESCRIPTION;
    m_columns = CRegPrintLayout::Columns(widths, metrics.m_nScale, bLastIsDescription, metrics.m_rcArea.left(),
                                         metrics.m_rcArea.width());

    m_strTitle = m_view.Document().GetTitle();
    m_nLinesPerPage = CRegPrintLayout::LinesPerPage(metrics.m_rcArea.height(), metrics.m_nRowHeight);
    m_nPages = CRegPrintLayout::PageCount(m_view.LineCount(), m_nLinesPerPage);
    return m_nPages;
}

void CRegPrinter::EndPrint()
{
    m_view.EndPrinting();
    m_pRenderer.reset();
}

void CRegPrinter::PrintPage(QPainter& painter, int nPage, int nPages)
{
    if (!m_pRenderer)
        return;
    const CPrintMetrics& metrics = m_view.PrintMetrics();
    const QRect rcArea = metrics.m_rcArea;
    const int nRowHeight = metrics.m_nRowHeight;
    const QColor textColor = CCofferView::AppColor(1);
    const QColor background = CCofferView::AppColor(0);
    const QPen pen = m_view.PrintPen();

    painter.save();
    painter.setFont(m_view.PrintFont());
    painter.fillRect(rcArea, background);

    // Page heading.
    const QRect rcHeading(rcArea.left(), rcArea.top(), rcArea.width(), nRowHeight);
    painter.setPen(textColor);
    painter.drawText(rcHeading, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_strTitle);
    painter.drawText(rcHeading, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, PageHeading(nPage, nPages));

    // Title row; from here on the table ends at the last column drawn.
    const int nTitleTop = rcArea.top() + nRowHeight;
    const int nRight = m_columns.empty() ? rcArea.right() : m_columns.back().nRight;
    const QFontMetrics fm(painter.font(), painter.device());
    painter.fillRect(QRect(QPoint(rcArea.left(), nTitleTop), QPoint(nRight, nTitleTop + nRowHeight)),
                     CCofferView::AppColor(14));
    for (std::size_t k = 0; k < m_columns.size(); ++k) {
        const QRect rcCell(QPoint(m_columns[k].nLeft, nTitleTop), QPoint(m_columns[k].nRight, nTitleTop + nRowHeight));
        if (rcCell.width() <= 0)
            continue;
        const QString strTitle = CRegColumns::Title(m_kinds[k]);
        const int nTextWidth = fm.horizontalAdvance(strTitle);
        const int nBaseline = rcCell.bottom() - m_nTitleGap - fm.descent();
        const CHeaderGeometry::SSpread spread = CHeaderGeometry::Spread(rcCell.width(), nTextWidth, int(strTitle.size()));
        painter.save();
        painter.setClipRect(rcCell);
        painter.setPen(textColor);
        if (spread.bSpread) {
            int x = rcCell.left() + spread.nStart;
            for (const QChar ch : strTitle) {
                painter.drawText(x, nBaseline, QString(ch));
                x += spread.nAdvance;
            }
        } else {
            painter.drawText(rcCell.left(), nBaseline, strTitle);
        }
        painter.restore();
    }
    painter.setPen(pen);
    painter.drawLine(rcArea.left(), nTitleTop, nRight, nTitleTop);
    painter.drawLine(rcArea.left(), nTitleTop + nRowHeight, nRight, nTitleTop + nRowHeight);

    // Data rows, then empty ruled rows to the bottom of the area.
    const CCofferDoc& doc = m_view.Document();
    const int nFirst = CRegPrintLayout::FirstLineOfPage(nPage, m_nLinesPerPage);
    const int nLineCount = m_view.LineCount();
    const bool bYen = m_view.IsYenDisplay();
    m_pRenderer->Begin(painter);
    int y = nTitleTop + nRowHeight;
    // A page too small for a line still prints the one line its page holds.
    const int nRows = std::max(1, (rcArea.top() + rcArea.height() - y) / nRowHeight);
    for (int r = 0, i = nFirst; r < nRows; ++r, ++i, y += nRowHeight) {
        if (i < nLineCount && i < nFirst + m_nLinesPerPage) {
            for (std::size_t k = 0; k < m_columns.size(); ++k) {
                const QRect rcCell(m_columns[k].nLeft, y, m_columns[k].nRight - m_columns[k].nLeft, nRowHeight);
                if (rcCell.width() > 0)
                    m_pRenderer->DrawCell(painter, rcCell, doc, m_view.FirstLine() + i, m_kinds[k], bYen, false);
            }
        }
        painter.setPen(pen);
        painter.drawLine(rcArea.left(), y + nRowHeight, nRight, y + nRowHeight);
    }

    // Vertical rules from the title row to the last row.
    painter.setPen(pen);
    for (const CRegPrintLayout::SColumn& column : m_columns)
        painter.drawLine(column.nLeft, nTitleTop, column.nLeft, y);
    painter.drawLine(nRight, nTitleTop, nRight, y);
    painter.restore();
}

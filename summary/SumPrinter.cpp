#include "summary/SumPrinter.h"

#include "model/CofferDoc.h"
#include "register/CofferView.h"
#include "summary/SumCellLayout.h"
#include "summary/SumView.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>

CSumPrinter::CSumPrinter(CSumView& view)
    : m_view(view)
{
}

int CSumPrinter::BeginPrint(QPrinter& printer)
{
    m_view.BeginPrinting(printer);
    const CPrintMetrics& metrics = m_view.PrintMetrics();
    const int nCols = m_view.Table().GetColumnCount();
    m_widths.clear();
    for (int c = 0; c < nCols; ++c)
        m_widths.push_back(int(std::min<long long>((long long)m_view.GetColWidth(c + 1) * metrics.m_nScale, 1 << 30)));
    m_strips = CSumPrintLayout::Strips(m_widths, metrics.m_rcArea.width());
    m_nLinesPerPage = CSumPrintLayout::LinesPerPage(metrics.m_rcArea.height(), metrics.m_nRowHeight);
    m_nVertical = CSumPrintLayout::VerticalPages(m_view.Table().GetRowCount(), m_nLinesPerPage);
    return m_nVertical * int(m_strips.size());
}

void CSumPrinter::EndPrint()
{
    m_view.EndPrinting();
}

void CSumPrinter::PrintPage(QPainter& painter, int nPage, int nPages)
{
    const CPrintMetrics& metrics = m_view.PrintMetrics();
    const QRect rcArea = metrics.m_rcArea;
    const int nAreaRight = rcArea.left() + rcArea.width();
    const int nRowHeight = metrics.m_nRowHeight;
    const int nStrip = std::min(int(m_strips.size()) - 1, CSumPrintLayout::StripOfPage(nPage, m_nVertical));
    if (nStrip < 0 || m_widths.empty())
        return;
    const CSumPrintLayout::SStrip& strip = m_strips[std::size_t(nStrip)];

    painter.save();
    painter.setFont(m_view.PrintFont());
    const QFontMetrics fm(painter.font(), painter.device());
    const QColor textColor = CCofferView::AppColor(1);

    // Title line.
    const QRect rcTitle(rcArea.left(), rcArea.top(), rcArea.width(), nRowHeight);
    painter.setPen(textColor);
    painter.drawText(rcTitle, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_view.Document().GetTitle());
    painter.drawText(rcTitle, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                     QStringLiteral(" Page %1 / %2").arg(nPage).arg(nPages));

    // The date column, then the strip's columns as far as they fit (the first one always).
    struct SCol {
        int nCol;
        int nLeft;
        int nRight;
    };
    std::vector<SCol> cols;
    int x = rcArea.left();
    cols.push_back({ 0, x, std::min(nAreaRight, x + m_widths[0]) });
    x += m_widths[0];
    for (int c = strip.nFirst; c <= strip.nLast; ++c) {
        const int w = m_widths[std::size_t(c)];
        if (c > strip.nFirst && x + w > nAreaRight)
            break;
        cols.push_back({ c, x, std::min(nAreaRight, x + w) });
        x += w;
    }
    const int nRight = cols.back().nRight;

    // Heading line.
    const int nHeadTop = rcArea.top() + nRowHeight;
    const CSumTable& table = m_view.Table();
    for (const SCol& col : cols) {
        const QRect rc(QPoint(col.nLeft, nHeadTop), QPoint(col.nRight - 1, nHeadTop + nRowHeight - 1));
        painter.fillRect(rc, CCofferView::AppColor(14));
        const QString strTitle = table.GetColumnTitle(col.nCol);
        const int nTextWidth = fm.horizontalAdvance(strTitle);
        const int nChars = int(strTitle.size());
        const int nBaseline = rc.top() + (rc.height() - fm.height()) / 2 + fm.ascent();
        painter.save();
        painter.setClipRect(rc);
        painter.setPen(textColor);
        if (nChars > 0 && nTextWidth <= rc.width()) {
            int xc = rc.left() + CSumCellLayout::SpreadGap(rc.width(), nTextWidth, nChars);
            const int nAdvance = CSumCellLayout::SpreadAdvance(rc.width(), nTextWidth, nChars);
            for (const QChar ch : strTitle) {
                painter.drawText(QPoint(xc, nBaseline), QString(ch));
                xc += nAdvance;
            }
        } else {
            painter.drawText(rc, Qt::AlignCenter | Qt::TextSingleLine, fm.elidedText(strTitle, Qt::ElideRight, rc.width()));
        }
        painter.restore();
    }

    // Rows that fit above the bottom (a page too small for one still prints its one).
    const QPen pen = m_view.PrintPen();
    const int nFirst = CSumPrintLayout::FirstRow(nPage, m_nVertical, m_nLinesPerPage);
    const int nRows = std::min(table.GetRowCount(), nFirst + m_nLinesPerPage);
    int y = nHeadTop + nRowHeight;
    painter.setPen(pen);
    painter.drawLine(rcArea.left(), nHeadTop, nRight, nHeadTop);
    for (int r = nFirst; r < nRows; ++r, y += nRowHeight) {
        if (r > nFirst && y + nRowHeight > rcArea.top() + rcArea.height())
            break;
        painter.setPen(pen);
        painter.drawLine(rcArea.left(), y, nRight, y);
        for (const SCol& col : cols)
            m_view.DrawCell(painter, QRect(col.nLeft, y, col.nRight - col.nLeft, nRowHeight), r, col.nCol, false);
    }
    painter.setPen(pen);
    painter.drawLine(rcArea.left(), y, nRight, y);
    for (const SCol& col : cols)
        painter.drawLine(col.nLeft, nHeadTop, col.nLeft, y);
    painter.drawLine(nRight, nHeadTop, nRight, y);
    painter.restore();
}

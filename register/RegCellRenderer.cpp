#include "register/RegCellRenderer.h"

#include "model/CofferDoc.h"
#include "register/RegColumns.h"

#include <QPainter>
#include <QRect>

#include <algorithm>

namespace {

// The longest texts the columns show; more is never drawn, however wide the column.
constexpr qsizetype kCategoryChars = 66;
constexpr qsizetype kDescriptionChars = 83;

} // namespace

CRegCellRenderer::CRegCellRenderer(const SStyle& style, const QPaintDevice* pDevice)
    : m_style(style),
      m_fm(pDevice != nullptr ? QFontMetrics(style.font, pDevice) : QFontMetrics(style.font))
{
    // Dates are laid out on a grid of digit and slash advances, so that columns of dates line up.
    m_nDigit = m_fm.horizontalAdvance(QStringLiteral("00000000")) / 8;
    m_nSlash = m_fm.horizontalAdvance(QStringLiteral("//")) / 2;
}

void CRegCellRenderer::Begin(QPainter& painter) const
{
    painter.setFont(m_style.font);
}

void CRegCellRenderer::DrawCell(QPainter& painter, const QRect& rcCell, const CCofferDoc& doc, int nLine, int nKind,
                                bool bYen, bool bSelected) const
{
    const CReceipt* pLine = doc.GetLine(nLine);
    if (pLine == nullptr)
        return;
    DrawText(painter, rcCell, nKind, doc.GetCellText(nLine, nKind, true, bYen), pLine->m_nFlags, bSelected);
}

void CRegCellRenderer::DrawText(QPainter& painter, const QRect& rcCell, int nKind, const QString& strDocText,
                                std::int32_t nFlags, bool bSelected) const
{
    const QString strText = CRegColumns::ScreenText(strDocText);
    if (strText.isEmpty() && (nFlags & CReceipt::RF_ERROR_MASK) == 0)
        return;

    // The cell without its grid lines.
    const QRect rc(rcCell.left(), rcCell.top(), std::max(0, rcCell.width() - 1), std::max(0, rcCell.height() - 1));
    const int v = m_style.nVMargin;
    const int g = m_style.nTextInset;
    const SColors& colors = m_style.colors;

    QColor textColor = colors.text;
    if (bSelected)
        textColor = colors.selectedText;
    else if ((nKind == COL_IN || nKind == COL_OUT) && (nFlags & CReceipt::RF_BALANCE_MISMATCH))
        textColor = colors.mismatchText;

    painter.save();
    painter.setClipRect(rc);
    painter.setPen(textColor);
    const int nBaseline = rc.top() + v + m_fm.ascent();
    switch (nKind) {
    case COL_DATE: {
        static constexpr int kSlashAt = 0b00100100; // positions 2 and 5
        int x = rc.left() + g;
        for (qsizetype i = 0; i < std::min<qsizetype>(strText.size(), 8); ++i) {
            painter.drawText(QPoint(x, nBaseline), QString(strText.at(i)));
            x += (kSlashAt >> i) & 1 ? m_nSlash : m_nDigit;
        }
        break;
    }
    case COL_CATEGORY: {
        const QRect rcText = rc.adjusted(g, 0, 0, 0);
        const QString strShown = m_fm.elidedText(strText.left(kCategoryChars), Qt::ElideRight, rcText.width());
        painter.drawText(rcText, Qt::AlignCenter | Qt::TextSingleLine, strShown);
        break;
    }
    case COL_DESCRIPTION: {
        const QRect rcText = rc.adjusted(g, 0, 0, 0);
        const QString strShown = m_fm.elidedText(strText.left(kDescriptionChars), Qt::ElideRight, rcText.width());
        painter.drawText(rcText, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, strShown);
        break;
    }
    default:
        painter.drawText(QPoint(rc.right() - g - m_fm.horizontalAdvance(strText), nBaseline), strText);
        break;
    }
    if (nFlags & CRegColumns::ErrorFlags(nKind))
        painter.fillRect(QRect(rc.left() + g / 2, rc.top() + g / 2, g, g), colors.errorMark);
    painter.restore();
}

#include "register/CofferView.h"

#include "grid/GridSettings.h"
#include "grid/ScrollHeader.h"
#include "model/CofferDoc.h"
#include "platform/StringTable.h"
#include "register/RegCellRenderer.h"
#include "register/RegColumns.h"
#include "register/RegPeriod.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QCursor>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

CRegCellRenderer::SStyle CCofferView::CellStyle() const
{
    CRegCellRenderer::SStyle style;
    style.font = CGridSettings::Current().ViewFont();
    style.nTextInset = m_nTextInset;
    style.nVMargin = m_nVMargin;
    style.colors.text = AppColor(1);
    style.colors.selectedText = AppColor(3);
    style.colors.mismatchText = AppColor(4);
    return style;
}

void CCofferView::OnDraw(QPainter& painter, const QRect& rcClip)
{
    const CGridGeometry& geo = Geometry();
    if (geo.Rows().Total() == 0)
        return;
    const int nHeaderHeight = geo.Rows().HeaderSum();
    const QRect rcArea = rcClip.intersected(QRect(0, nHeaderHeight, viewport()->width(), viewport()->height()));
    if (rcArea.isEmpty())
        return;

    const CRegCellRenderer renderer(CellStyle());
    renderer.Begin(painter);
    const bool bShowSelection = IsActive();
    const int nFirstRow = std::max(0, HitTest(rcArea.left(), rcArea.top(), true, true).y());
    const int nCols = int(m_layout.size());
    for (int nRow = nFirstRow; nRow < m_nLineCount; ++nRow) {
        const QRect rcRow = CellToRect(-1, nRow, false);
        if (rcRow.top() > rcArea.bottom())
            break;
        for (int k = 0; k < nCols; ++k) {
            const QRect rc = CellToRect(k, nRow, true);
            if (rc.isEmpty() || rc.right() < rcArea.left())
                continue;
            if (rc.left() > rcArea.right() && k > 0)
                break;
            const int nKind = CRegColumns::KindOf(m_layout[std::size_t(k)]);
            renderer.DrawCell(painter, rc, m_doc, m_nFirstLine + nRow, nKind, m_bYen,
                              bShowSelection && Selection().IsSelected(k, nRow));
        }
    }
}

namespace {
constexpr int kTipDelayMs = 200;
constexpr int kTipDisplayMs = 32767;
} // namespace

void CCofferView::UpdateTip(const QPoint& pt)
{
    const QPoint hit = HitTest(pt.x(), pt.y());
    const int nCol = hit.x();
    const int nRow = hit.y();
    const int nLine = nRow >= 0 && nRow < m_nLineCount ? m_nFirstLine + nRow : -1;
    if (nCol == m_nTipCol && nLine == m_nTipRow)
        return;
    m_nTipCol = nCol;
    m_nTipRow = nLine;

    std::int32_t nKey = 0;
    QString strText;
    const CReceipt* pLine = nLine >= 0 ? m_doc.GetLine(nLine) : nullptr;
    if (pLine != nullptr && nCol >= 0 && nCol < int(m_layout.size())) {
        const int nKind = CRegColumns::KindOf(m_layout[std::size_t(nCol)]);
        const int nMessage = CRegColumns::ErrorMessage(nKind, pLine->m_nFlags);
        const QRect rc = CellToRect(nCol, nRow, false);
        const int nNear = 3 * m_nTextInset / 2;
        if (nMessage != 0 && pt.x() - rc.left() <= nNear && pt.y() - rc.top() <= nNear) {
            nKey = nMessage;
            strText = CStringTable::Load(nMessage);
            // Moving within the cell looks again.
            m_nTipCol = -1;
            m_nTipRow = -1;
        } else if (pLine->m_nCur != 0 && (nKind == COL_IN || nKind == COL_OUT || nKind == COL_ACCOUNT)) {
            strText = CRegColumns::ScreenText(m_doc.GetTipText(nLine, nKind, m_bYen));
            nKey = strText.isEmpty() ? 0 : std::int32_t((std::uint32_t(nKind) + 0x8000u) << 16 | std::uint32_t(nRow & 0xFFFF));
        }
    }
    if (nKey == m_nTipKey)
        return;
    m_nTipKey = nKey;
    m_strTip = nKey != 0 ? strText : QString();
    HideTip();
    if (!m_strTip.isEmpty())
        m_tipTimer.start();
}

void CCofferView::InitTip()
{
    m_tipTimer.setSingleShot(true);
    m_tipTimer.setInterval(kTipDelayMs);
    connect(&m_tipTimer, &QTimer::timeout, this, &CCofferView::ShowTip);
}

void CCofferView::ShowTip()
{
    if (m_strTip.isEmpty() || !viewport()->underMouse())
        return;
    // Shown until the pointer leaves the tip's cell, not for the platform's few seconds.
    QToolTip::showText(QCursor::pos(), m_strTip, viewport(), QRect(), kTipDisplayMs);
}

void CCofferView::HideTip()
{
    m_tipTimer.stop();
    if (QToolTip::isVisible())
        QToolTip::hideText();
}

bool CCofferView::viewportEvent(QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::ToolTip:
        // The view times its own tips.
        return true;
    case QEvent::Leave:
        HideTip();
        m_nTipCol = -1;
        m_nTipRow = -1;
        m_nTipKey = 0;
        m_strTip.clear();
        break;
    default:
        break;
    }
    return CGridViewEx::viewportEvent(pEvent);
}

void CCofferView::mouseMoveEvent(QMouseEvent* pEvent)
{
    UpdateTip(pEvent->position().toPoint());
    const QPoint pt = pEvent->position().toPoint();
    if (!(pEvent->buttons() & Qt::LeftButton))
        viewport()->setCursor(IsOnSelectionBorder(pt.x(), pt.y()) ? Qt::SizeAllCursor : Qt::ArrowCursor);
    CGridViewEx::mouseMoveEvent(pEvent);
    if (pEvent->buttons() & Qt::LeftButton)
        Q_EMIT StatusChanged();
}

void CCofferView::wheelEvent(QWheelEvent* pEvent)
{
    CGridViewEx::wheelEvent(pEvent);
    m_nTipCol = -1;
    m_nTipRow = -1;
    UpdateTip(pEvent->position().toPoint());
}

QString CCofferView::SelectionTotal(bool& bEnabled) const
{
    bEnabled = false;
    std::vector<CLineRange> ranges;
    const CSelection& sel = Selection();
    std::vector<CRange> all = sel.Ranges();
    all.push_back(sel.CurrentRange());
    bool bRows = false;
    bool bCells = false;
    for (const CRange& range : all) {
        if (range.IsEmpty())
            continue;
        const CLineRange lines = ToLineRange(range);
        if (lines.IsEmpty())
            continue;
        (lines.IsWholeRows() ? bRows : bCells) = true;
        ranges.push_back(lines);
    }
    if (ranges.empty() || (bRows && bCells))
        return QString();
    std::vector<Amount> totals;
    m_doc.SumSelection(ranges, LayoutKinds(), totals);
    for (std::size_t i = totals.size(); i-- > 0;) {
        if (totals[i] != 0 && i < m_doc.Currencies().size()) {
            bEnabled = true;
            return QStringLiteral("合計= ") + CRegColumns::ScreenText(m_doc.Currencies()[i].Format(totals[i]));
        }
    }
    return QString();
}

CLineRange CCofferView::ToLineRange(const CRange& range) const
{
    if (range.IsEmpty() || m_nLineCount <= 0)
        return CLineRange();
    int nTop = range.top;
    int nBottom = range.bottom;
    if (range.IsWholeColumns()) {
        nTop = 0;
        nBottom = m_nLineCount - 1;
    }
    nTop = std::max(nTop, 0);
    nBottom = std::min(nBottom, m_nLineCount - 1);
    if (nTop > nBottom)
        return CLineRange();
    if (range.IsWholeRows())
        return CLineRange::WholeRows(m_nFirstLine + nTop, m_nFirstLine + nBottom);
    return CLineRange::Cells(range.left, m_nFirstLine + nTop, range.right, m_nFirstLine + nBottom);
}

#include "DemoGridView.h"

#include "grid/GridFlags.h"
#include "grid/GridOleDropTarget.h"
#include "grid/GridSettings.h"
#include "grid/InplaceEdit.h"
#include "grid/ScrollHeader.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>

namespace {

quint64 Key(int nCol, int nRow)
{
    return (quint64(quint32(nRow)) << 32) | quint32(nCol);
}

} // namespace

CDemoGridView::CDemoGridView(int nRows, QWidget* pParent)
    : CGridViewEx(pParent)
{
    setAcceptDrops(true);
    SetGridSize(1 + nRows, 1 + 5, 80, 20, false);
    SetFixedCount(1, 1, false);
    SetHeaderCount(1, 1, false);
    SetColWidth(0, 40);
    SetRowHeight(0, 24);
    CreateColumnHeader(SHS_COVER);
    const QString titles[5] = { QStringLiteral("日付"), QStringLiteral("費目"), QStringLiteral("収入"),
                                QStringLiteral("支出"), QStringLiteral("摘要") };
    for (int i = 0; i < 5; ++i)
        SetColumnTitle(1 + i, titles[i], i == 4 ? SHF_SPREAD : SHF_CENTER);
    m_pEdit = new CInplaceEdit(viewport());
    connect(m_pEdit, &CInplaceEdit::Committed, this, &CDemoGridView::OnCommitted);
    SetCurCell(0, 0, 0, 0);
}

QString CDemoGridView::CellText(int nCol, int nRow) const
{
    const auto it = m_cells.constFind(Key(nCol, nRow));
    if (it != m_cells.constEnd())
        return it.value();
    return QStringLiteral("%1-%2").arg(nRow).arg(nCol);
}

void CDemoGridView::SetCellText(int nCol, int nRow, const QString& strText)
{
    m_cells.insert(Key(nCol, nRow), strText);
    InvalidateRange(CRange::Cell(nCol, nRow));
}

void CDemoGridView::StartEdit()
{
    const QPoint cell(Selection().CursorCol(), Selection().CursorRow());
    if (cell.x() < 0 || cell.y() < 0)
        return;
    m_editCell = cell;
    const QRect rc = CellToRect(cell.x(), cell.y(), true).adjusted(0, 0, -1, -1);
    m_pEdit->Start(CellText(cell.x(), cell.y()), rc);
}

void CDemoGridView::OnCommitted(const QString& strText)
{
    ++m_nCommits;
    SetCellText(m_editCell.x(), m_editCell.y(), strText);
}

int CDemoGridView::GetFitColWidth(int nCol)
{
    // The widest text among the rows shown, plus a margin.
    const QFontMetrics fm(CGridSettings::Current().ViewFont());
    int nWidth = 0;
    const int nCell = nCol - Geometry().Cols().HeaderCount();
    for (int r = 0; r < std::min(CellRowCount(), 50); ++r)
        nWidth = std::max(nWidth, fm.horizontalAdvance(CellText(nCell, r)));
    return nWidth + 8;
}

void CDemoGridView::OnDraw(QPainter& painter, const QRect& rcClip)
{
    m_nCellsDrawn = 0;
    const CGridGeometry& geo = Geometry();
    const QPoint first = HitTest(std::max(rcClip.left(), geo.Cols().FixedSum()), std::max(rcClip.top(), geo.Rows().FixedSum()));
    const QPoint last = HitTest(rcClip.right(), rcClip.bottom());
    const int nLastCol = std::min(last.x(), CellColCount() - 1);
    const int nLastRow = std::min(last.y(), CellRowCount() - 1);
    painter.setFont(CGridSettings::Current().ViewFont());
    for (int r = std::max(0, first.y()); r <= nLastRow; ++r) {
        const QRect rcHead = CellToRect(-1, r, true);
        painter.setPen(GetGridColor(GRID_COLOR_WINDOWTEXT));
        painter.drawText(QRect(0, rcHead.top(), Geometry().Cols().HeaderSum(), rcHead.height()), Qt::AlignCenter,
                         QString::number(r + 1));
        for (int c = std::max(0, first.x()); c <= nLastCol; ++c) {
            const QRect rc = CellToRect(c, r, true);
            if (rc.isEmpty())
                continue;
            ++m_nCellsDrawn;
            const bool bSelected = IsActive() && Selection().IsSelected(c, r);
            painter.setPen(bSelected ? QColor(Qt::white) : GetGridColor(GRID_COLOR_WINDOWTEXT));
            painter.drawText(rc.adjusted(3, 0, -3, -1), Qt::AlignVCenter | Qt::AlignLeft, CellText(c, r));
        }
    }
}

void CDemoGridView::keyPressEvent(QKeyEvent* pEvent)
{
    if (pEvent->key() == Qt::Key_F2) {
        StartEdit();
        pEvent->accept();
        return;
    }
    CGridViewEx::keyPressEvent(pEvent);
}

void CDemoGridView::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    const QPoint hit = HitTest(int(pEvent->position().x()), int(pEvent->position().y()));
    if (pEvent->button() == Qt::LeftButton && hit.x() >= 0 && hit.y() >= 0 && hit.x() < CellColCount()
        && hit.y() < CellRowCount()) {
        StartEdit();
        pEvent->accept();
        return;
    }
    CGridViewEx::mouseDoubleClickEvent(pEvent);
}

void CDemoGridView::dragEnterEvent(QDragEnterEvent* pEvent)
{
    if (!pEvent->mimeData()->hasText()) {
        pEvent->ignore();
        return;
    }
    SetDragShape(1, 1, 0, 0);
    pEvent->acceptProposedAction();
    const QPoint pt = pEvent->position().toPoint();
    if (!DropTarget()->DragOver(pt, pEvent->modifiers()))
        DrawDropFeedback(pt.x(), pt.y());
}

void CDemoGridView::dragMoveEvent(QDragMoveEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    if (DropTarget()->DragOver(pt, pEvent->modifiers())) {
        pEvent->setDropAction(CGridOleDropTarget::ScrollAction(pEvent->modifiers()));
        pEvent->accept();
        return;
    }
    DrawDropFeedback(pt.x(), pt.y());
    pEvent->acceptProposedAction();
}

void CDemoGridView::dragLeaveEvent(QDragLeaveEvent*)
{
    DropTarget()->DragLeave();
    DrawDropFeedback(-32767, -32767);
}

void CDemoGridView::dropEvent(QDropEvent* pEvent)
{
    DropTarget()->DragLeave();
    const CRange target = DropFeedbackRange();
    DrawDropFeedback(-32767, -32767);
    if (target.IsEmpty() || target.left < 0 || target.top < 0) {
        pEvent->ignore();
        return;
    }
    ++m_nDrops;
    SetCellText(target.left, target.top, pEvent->mimeData()->text());
    pEvent->acceptProposedAction();
}

#include "grid/ScrollHeader.h"

#include "grid/GridFlags.h"
#include "grid/GridSettings.h"
#include "grid/GridView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace {

// The one-pixel dotted line that follows the pointer while a divider is dragged.
class CTrackLine : public QWidget
{
public:
    explicit CTrackLine(QWidget* pParent) : QWidget(pParent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    }
};

Qt::CursorShape ShapeOf(int nCursor)
{
    switch (nCursor) {
    case CHeaderGeometry::CursorColumn:
        return Qt::SplitHCursor;
    case CHeaderGeometry::CursorColumnZero:
        return Qt::SizeHorCursor;
    case CHeaderGeometry::CursorRow:
        return Qt::SplitVCursor;
    case CHeaderGeometry::CursorRowZero:
        return Qt::SizeVerCursor;
    default:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

CScrollHeader::CScrollHeader(CGridView* pOwner, unsigned nStyle)
    : QWidget(pOwner->viewport()), m_pOwner(pOwner), m_nStyle(nStyle)
{
    setFont(CGridSettings::Current().ViewFont());
    setMouseTracking(true);
    setGeometry(0, 0, 0, 0);
    show();
}

CScrollHeader::~CScrollHeader()
{
    delete m_pTrackLine;
}

void CScrollHeader::SetTitle(int nIndex, const QString& strTitle, unsigned nFormat)
{
    if (nIndex < 0)
        return;
    if (Title(nIndex) == strTitle && Format(nIndex) == nFormat)
        return;
    if (size_t(nIndex) >= m_titles.size()) {
        m_titles.resize(size_t(nIndex) + 1);
        m_formats.resize(size_t(nIndex) + 1, 0);
    }
    m_titles[size_t(nIndex)] = strTitle;
    m_formats[size_t(nIndex)] = nFormat;
    update();
}

QString CScrollHeader::Title(int nIndex) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_titles.size())
        return QString();
    return m_titles[size_t(nIndex)];
}

unsigned CScrollHeader::Format(int nIndex) const
{
    if (nIndex < 0 || size_t(nIndex) >= m_formats.size())
        return 0;
    return m_formats[size_t(nIndex)];
}

void CScrollHeader::ScrollBy(int dx, int dy)
{
    const CGridGeometry& geo = m_pOwner->Geometry();
    if (!IsRowHeader() && dx != 0) {
        const int f = geo.Cols().FixedSum();
        if (width() > f)
            scroll(dx, 0, QRect(f, 0, width() - f, height()));
    } else if (IsRowHeader() && dy != 0) {
        const int f = geo.Rows().FixedSum();
        if (height() > f)
            scroll(0, dy, QRect(0, f, width(), height() - f));
    }
}

void CScrollHeader::paintEvent(QPaintEvent* pEvent)
{
    if (!(m_nStyle & SHS_COVER))
        return;
    const CGridGeometry& geo = m_pOwner->Geometry();
    const int nAxis = IsRowHeader() ? 1 : 0;
    const CGridAxis& axis = geo.Axis(nAxis);
    const QRect rcClip = pEvent->rect();
    const int nClipStart = nAxis == 0 ? rcClip.left() : rcClip.top();
    const int nClipEnd = nAxis == 0 ? rcClip.right() + 1 : rcClip.bottom() + 1;
    const int nDepth = nAxis == 0 ? height() : width();
    auto cellRect = [&](std::int64_t a, std::int64_t b) {
        const int nA = int(std::clamp<std::int64_t>(a, -GRID_COORD_MAX, GRID_COORD_MAX));
        const int nB = int(std::clamp<std::int64_t>(b, -GRID_COORD_MAX, GRID_COORD_MAX));
        return nAxis == 0 ? QRect(nA, 0, nB - nA, nDepth) : QRect(0, nA, nDepth, nB - nA);
    };

    QPainter painter(this);
    painter.setFont(font());
    painter.fillRect(rcClip, CGridSettings::Current().ButtonFace());
    const int f = axis.FixedSum();
    const int nFirst = (m_nStyle & SHS_SKIPHEADER) ? axis.HeaderCount() : 0;
    if (nClipStart < f) {
        for (int i = nFirst; i < axis.FixedCount(); ++i) {
            const std::int64_t a = axis.Position(i);
            const std::int64_t b = axis.Position(i + 1);
            if (a >= nClipEnd)
                break;
            if (b <= nClipStart)
                continue;
            PaintCell(painter, cellRect(a, b), i, true);
        }
    }
    // The frozen band is done; the scrolling cells must not paint over it.
    painter.setClipRect(nAxis == 0 ? QRect(f, 0, GRID_COORD_MAX, nDepth) : QRect(0, f, nDepth, GRID_COORD_MAX));
    const std::int64_t s = geo.ScrollPos(nAxis);
    std::int64_t nEnd = f;
    const int nFrom = std::max(axis.FixedCount(), axis.HitTest(std::int64_t(std::max(nClipStart, f)) + s));
    for (int i = nFrom; i < axis.Count(); ++i) {
        const std::int64_t a = axis.Position(i) - s;
        const std::int64_t b = axis.Position(i + 1) - s;
        nEnd = b;
        if (a >= nClipEnd)
            break;
        if (b > a)
            PaintCell(painter, cellRect(a, b), i, true);
    }
    if (nFrom >= axis.Count())
        nEnd = std::max<std::int64_t>(f, axis.Position(axis.Count()) - s);
    if (nEnd < nClipEnd)
        PaintCell(painter, cellRect(nEnd, std::int64_t(nClipEnd) + 2), -1, false);
}

void CScrollHeader::PaintCell(QPainter& painter, const QRect& rc, int nIndex, bool bRightEdge)
{
    const QColor face = CGridSettings::Current().ButtonFace();
    painter.fillRect(rc, face);
    // A raised button: light top-left, dark bottom-right.
    painter.setPen(face.lighter(150));
    painter.drawLine(rc.topLeft(), rc.topRight());
    painter.drawLine(rc.topLeft(), rc.bottomLeft());
    painter.setPen(face.darker(160));
    painter.drawLine(rc.bottomLeft(), rc.bottomRight());
    if (bRightEdge)
        painter.drawLine(rc.topRight(), rc.bottomRight());
    const QRect rcInner = rc.adjusted(2, 1, -2, -1);
    if (nIndex < 0 || rcInner.width() <= 0 || rcInner.height() <= 0)
        return;
    const QString strTitle = Title(nIndex);
    if (strTitle.isEmpty())
        return;
    painter.save();
    painter.setClipRect(rcInner, Qt::IntersectClip);
    painter.setPen(CGridSettings::Current().ButtonText());
    const QFontMetrics fm(painter.font());
    const unsigned nAlign = Format(nIndex) & 7;
    const int nTextWidth = fm.horizontalAdvance(strTitle);
    const int y = rcInner.top() + (rcInner.height() - fm.height()) / 2 + fm.ascent();
    if (nAlign == SHF_SPREAD) {
        const CHeaderGeometry::SSpread spread = CHeaderGeometry::Spread(rcInner.width(), nTextWidth, int(strTitle.size()));
        if (spread.bSpread) {
            int x = rcInner.left() + spread.nStart;
            for (const QChar ch : strTitle) {
                painter.drawText(x, y, QString(ch));
                x += spread.nAdvance;
            }
        } else {
            painter.drawText(rcInner.left(), y, strTitle);
        }
    } else {
        int x = rcInner.left();
        if (nTextWidth < rcInner.width()) {
            if (nAlign == SHF_CENTER)
                x += (rcInner.width() - nTextWidth) / 2;
            else if (nAlign == SHF_RIGHT)
                x += rcInner.width() - nTextWidth;
        }
        painter.drawText(x, y, strTitle);
    }
    painter.restore();
}

int CScrollHeader::CursorAt(const QPoint& pt) const
{
    return CHeaderGeometry::HitDivider(m_pOwner->Geometry(), IsRowHeader(), pt.x(), pt.y()).nCursor;
}

void CScrollHeader::UpdateCursor(const QPoint& pt)
{
    const int nCursor = CursorAt(pt);
    if (nCursor == 0)
        unsetCursor();
    else
        setCursor(ShapeOf(nCursor));
}

void CScrollHeader::ForwardToGrid(QMouseEvent* pEvent)
{
    // Both headers lie at the viewport's origin, so the coordinates carry over.
    QMouseEvent forwarded(pEvent->type(), pEvent->position(), pEvent->scenePosition(), pEvent->globalPosition(),
                          pEvent->button(), pEvent->buttons(), pEvent->modifiers());
    QCoreApplication::sendEvent(m_pOwner->viewport(), &forwarded);
}

void CScrollHeader::MoveTrackLine(int nPointer)
{
    m_nTrackLine = std::max(nPointer, m_nOrigin) - 1;
    if (!m_pTrackLine) {
        m_pTrackLine = new CTrackLine(m_pOwner->viewport());
    }
    QWidget* pViewport = m_pOwner->viewport();
    if (m_nTracking == 1)
        m_pTrackLine->setGeometry(m_nTrackLine, 0, 1, pViewport->height());
    else
        m_pTrackLine->setGeometry(0, m_nTrackLine, pViewport->width(), 1);
    m_pTrackLine->raise();
    m_pTrackLine->show();
}

void CScrollHeader::EndTracking(bool bApply, int nPointer)
{
    const int nKind = m_nTracking;
    const int nIndex = m_nTrackIndex;
    m_nTracking = 0;
    m_nTrackIndex = -1;
    m_nTrackLine = -1;
    if (m_pTrackLine)
        m_pTrackLine->hide();
    if (!bApply)
        return;
    const int nSize = std::max(0, nPointer - m_nOrigin);
    if (nKind == 1)
        m_pOwner->SetColWidth(nIndex, nSize);
    else if (nKind == 2)
        m_pOwner->SetRowHeight(nIndex, nSize);
}

void CScrollHeader::mousePressEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    if (pEvent->button() == Qt::RightButton && m_nTracking) {
        EndTracking(false, 0);
        return;
    }
    if (pEvent->button() != Qt::LeftButton) {
        ForwardToGrid(pEvent);
        return;
    }
    const CHeaderGeometry::SDivider divider = CHeaderGeometry::HitDivider(m_pOwner->Geometry(), IsRowHeader(), pt.x(), pt.y());
    if (divider.kind == CHeaderGeometry::NoDivider) {
        m_bForwarding = true;
        ForwardToGrid(pEvent);
        return;
    }
    const CGridGeometry& geo = m_pOwner->Geometry();
    m_nTracking = divider.kind == CHeaderGeometry::ColumnDivider ? 1 : 2;
    m_nTrackIndex = divider.nIndex;
    m_nOrigin = divider.nPos - (m_nTracking == 1 ? geo.Cols().Size(divider.nIndex) : geo.Rows().Size(divider.nIndex));
    MoveTrackLine(m_nTracking == 1 ? pt.x() : pt.y());
}

void CScrollHeader::mouseMoveEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    if (m_nTracking) {
        MoveTrackLine(m_nTracking == 1 ? pt.x() : pt.y());
        return;
    }
    if (m_bForwarding && (pEvent->buttons() & Qt::LeftButton)) {
        ForwardToGrid(pEvent);
        return;
    }
    UpdateCursor(pt);
}

void CScrollHeader::mouseReleaseEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    if (m_nTracking && pEvent->button() == Qt::LeftButton) {
        EndTracking(true, m_nTracking == 1 ? pt.x() : pt.y());
        return;
    }
    if (m_bForwarding) {
        if (pEvent->button() == Qt::LeftButton)
            m_bForwarding = false;
        ForwardToGrid(pEvent);
    }
}

void CScrollHeader::mouseDoubleClickEvent(QMouseEvent* pEvent)
{
    const QPoint pt = pEvent->position().toPoint();
    if (pEvent->button() != Qt::LeftButton)
        return;
    const CHeaderGeometry::SDivider divider = CHeaderGeometry::HitDivider(m_pOwner->Geometry(), IsRowHeader(), pt.x(), pt.y());
    if (divider.kind == CHeaderGeometry::ColumnDivider) {
        if (m_nTracking)
            EndTracking(false, 0);
        m_pOwner->SetColWidth(divider.nIndex, std::max(0, m_pOwner->GetFitColWidth(divider.nIndex)));
    } else if (divider.kind == CHeaderGeometry::RowDivider) {
        if (m_nTracking)
            EndTracking(false, 0);
        m_pOwner->SetRowHeight(divider.nIndex, std::max(0, m_pOwner->GetFitRowHeight(divider.nIndex)));
    } else {
        // A double click on a title is a second press on the grid.
        ForwardToGrid(pEvent);
    }
}

void CScrollHeader::focusOutEvent(QFocusEvent* pEvent)
{
    QWidget::focusOutEvent(pEvent);
}

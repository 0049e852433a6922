#pragma once

#include "grid/HeaderGeometry.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class CGridView;

// Header style flags.
enum : unsigned {
    SHS_HORZ = 0x01,       // column header: its cells are the grid's columns
    SHS_VERT = 0x02,       // row header: its cells are the grid's rows
    SHS_SKIPHEADER = 0x08, // the cells of the grid's header columns (rows) are not drawn
    SHS_COVER = 0x10,      // the header paints its band; the grid does not paint under it
};

// Title alignment (low 3 bits of a title format).
enum : unsigned {
    SHF_LEFT = 0,
    SHF_CENTER = 1,
    SHF_RIGHT = 2,
    SHF_SPREAD = 3, // characters spread evenly over the cell
};

// The header strip of a grid view: titles as raised buttons that scroll with
// the grid, and dividers that resize a column (row) by dragging or by a
// double click (fit to contents). Presses away from a divider are handed to
// the grid as presses on the grid. A column header lies over the grid's header
// rows, a row header over its header columns; the grid creates and places them.
class CScrollHeader : public QWidget
{
    Q_OBJECT

public:
    CScrollHeader(CGridView* pOwner, unsigned nStyle);
    ~CScrollHeader() override;

    unsigned Style() const { return m_nStyle; }
    bool IsRowHeader() const { return (m_nStyle & SHS_VERT) != 0; }
    // Stores the title of a grid column (row) and repaints; nothing when unchanged.
    void SetTitle(int nIndex, const QString& strTitle, unsigned nFormat);
    QString Title(int nIndex) const;
    unsigned Format(int nIndex) const;

    // Moves the scrolling part of the header with the grid.
    void ScrollBy(int dx, int dy);

    // 0 none, 1 a column divider is being dragged, 2 a row divider.
    int Tracking() const { return m_nTracking; }
    int TrackedIndex() const { return m_nTrackIndex; }
    int TrackedLine() const { return m_nTrackLine; }
    // The cursor resource (331 .. 334) shown at a point, or 0 for the arrow.
    int CursorAt(const QPoint& pt) const;

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;

private:
    void PaintCell(QPainter& painter, const QRect& rc, int nIndex, bool bRightEdge);
    void ForwardToGrid(QMouseEvent* pEvent);
    void MoveTrackLine(int nPointer);
    void EndTracking(bool bApply, int nPointer);
    void UpdateCursor(const QPoint& pt);

    CGridView* m_pOwner;
    unsigned m_nStyle;
    std::vector<QString> m_titles;
    std::vector<unsigned> m_formats;
    int m_nTracking = 0;
    int m_nTrackIndex = -1;
    int m_nTrackLine = -1;
    int m_nOrigin = 0;
    bool m_bForwarding = false;
    QPointer<QWidget> m_pTrackLine;
};

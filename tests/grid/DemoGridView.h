#pragma once

#include "grid/GridViewEx.h"

#include <QHash>
#include <QPoint>
#include <QString>

class CInplaceEdit;

// A small grid that exercises the framework until the real views exist: a
// header column of row numbers, five data columns under a column header,
// texts per cell, in-place editing (F2 or a double click) and text drops.
class CDemoGridView : public CGridViewEx
{
    Q_OBJECT

public:
    explicit CDemoGridView(int nRows, QWidget* pParent = nullptr);

    QString CellText(int nCol, int nRow) const;
    void SetCellText(int nCol, int nRow, const QString& strText);
    CInplaceEdit* Editor() const { return m_pEdit; }
    // Edits the cursor cell.
    void StartEdit();

    int GetFitColWidth(int nCol) override;

    // How many cells the last paint drew (painting must touch only visible cells).
    int m_nCellsDrawn = 0;
    int m_nCommits = 0;
    int m_nDrops = 0;

protected:
    void OnDraw(QPainter& painter, const QRect& rcClip) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dragMoveEvent(QDragMoveEvent* pEvent) override;
    void dragLeaveEvent(QDragLeaveEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    void OnCommitted(const QString& strText);

    QHash<quint64, QString> m_cells;
    CInplaceEdit* m_pEdit = nullptr;
    QPoint m_editCell;
};

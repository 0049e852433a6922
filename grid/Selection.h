#pragma once

#include "grid/Range.h"

#include <QPoint>
#include <QRegion>
#include <functional>
#include <vector>

class CGridGeometry;

// The cursor cell and the selection of a grid view: committed ranges plus the
// range being extended from an anchor. The selection is the union of both;
// when both are empty it is the cursor cell alone. The frame cell (where the
// view draws its frame) is the anchor while there is one, else the cursor.
//
// The selection reads counts and rectangles from the grid's geometry and asks
// the owner to repaint ranges through the invalidate callback.
class CSelection
{
public:
    using InvalidateFn = std::function<void(const CRange&)>;

    explicit CSelection(const CGridGeometry* pGeometry, InvalidateFn fnInvalidate = {});
    virtual ~CSelection() = default;

    // Moves the cursor and changes the selection; nFlags combines SELF_* and SELMODE_*.
    // A negative column means the whole row (a press on the row header).
    void SetCell(unsigned nFlags, int nCol, int nRow);
    void Clear();
    // The range becomes the whole selection; the cursor is clamped into it.
    void SetRange(const CRange& range);

    bool IsSelected(int nCol, int nRow) const;
    CRange GetPrimaryRange() const;
    int GetRangeCount() const;
    // The union of the clipped on-screen rectangles; false when nothing is selected.
    bool GetRgn(QRegion& rgn) const;

    // After the owner renumbered its rows by delta: commits the current range,
    // moves everything, drops ranges that left 0 .. nRowCount - 1 and clips the rest.
    void ShiftRows(int nDelta, int nRowCount);
    void AdjustForDeletedRows(int nFirstRow, int nCount, int nNewRowCount);

    // The selection side of the sticky modes (F8 and Shift+F8 turning a mode on).
    void BeginExtendMode();
    void BeginAddMode();

    int CursorCol() const { return m_nCurCol; }
    int CursorRow() const { return m_nCurRow; }
    void SetCursor(int nCol, int nRow);
    int AnchorCol() const { return m_nAnchorCol; }
    int AnchorRow() const { return m_nAnchorRow; }
    bool HasAnchor() const { return m_nAnchorRow >= 0; }
    QPoint FrameCell() const;
    const CRange& CurrentRange() const { return m_curRange; }
    const std::vector<CRange>& Ranges() const { return m_ranges; }

private:
    void Invalidate(const CRange& range) const;
    void Commit();
    void DropAnchor();

    const CGridGeometry* m_pGeometry;
    InvalidateFn m_fnInvalidate;
    int m_nCurCol = -1;
    int m_nCurRow = -1;
    std::vector<CRange> m_ranges;
    CRange m_curRange;
    int m_nAnchorCol = -1;
    int m_nAnchorRow = -1;
    int m_nAnchorWholeRows = 1;
};

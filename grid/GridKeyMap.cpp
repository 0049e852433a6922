#include "grid/GridKeyMap.h"

#include "grid/GridFlags.h"
#include "grid/GridGeometry.h"
#include "grid/Selection.h"

#include <QPoint>
#include <Qt>
#include <algorithm>

CGridKeyMap::SResult CGridKeyMap::Decide(const CGridGeometry& geo, const CSelection& sel, const SInput& in)
{
    SResult res;
    res.nSelMode = in.nSelMode;
    if (geo.CellRowCount() <= 0)
        return res;

    const CGridAxis& cols = geo.Cols();
    const CGridAxis& rows = geo.Rows();
    const int nRepeat = std::max(1, in.nRepeat);
    const int nPage = rows.DefaultSize() > 0 ? std::max(1, geo.PageSize(1) / rows.DefaultSize()) : 1;
    const QPoint start = (in.nSelMode != 0 || in.bShift) ? QPoint(sel.CursorCol(), sel.CursorRow()) : sel.FrameCell();
    int c = start.x();
    int r = start.y();
    const int nLastCol = geo.CellColCount() - 1;
    const int hc = cols.HeaderCount();
    unsigned nScroll = 0;
    res.action = Move;

    switch (in.nKey) {
    case Qt::Key_Escape:
        res.action = Escape;
        res.nSelMode = 0;
        break;
    case Qt::Key_Space:
        if (in.bShift) {
            c = -1;
            nScroll = SCR_SNAP_B;
        } else {
            res.action = NoMove;
        }
        break;
    case Qt::Key_PageUp:
        r = std::max(0, r - nRepeat * nPage);
        nScroll = in.bFirst ? SCR_SNAP_B | SCR_SMOOTH_PAGE : SCR_SNAP_B;
        break;
    case Qt::Key_PageDown:
        r = int(std::min<long long>(static_cast<long long>(r) + static_cast<long long>(nRepeat) * nPage, rows.Count()));
        nScroll = in.bFirst ? SCR_SNAP_A | SCR_SMOOTH_PAGE : SCR_SNAP_A;
        break;
    case Qt::Key_End:
        c = nLastCol;
        if (in.bCtrl)
            r = geo.CellRowCount() - 1;
        nScroll = SCR_SNAP_A;
        break;
    case Qt::Key_Home:
        c = cols.FixedCount() - cols.HeaderCount();
        if (in.bCtrl)
            r = rows.FixedCount() - rows.HeaderCount();
        nScroll = SCR_SNAP_B;
        break;
    case Qt::Key_Left:
        for (int i = 0; i < nRepeat; ++i) {
            int k = c - 1;
            while (k >= 0 && cols.Size(k + hc) <= 0)
                --k;
            if (k < 0)
                break;
            c = k;
        }
        nScroll = in.bFirst ? SCR_SNAP_B | SCR_SMOOTH_CELL : SCR_SNAP_B;
        break;
    case Qt::Key_Right:
        for (int i = 0; i < nRepeat; ++i) {
            int k = c + 1;
            while (k <= nLastCol && cols.Size(k + hc) <= 0)
                ++k;
            if (k > nLastCol)
                break;
            c = k;
        }
        nScroll = in.bFirst ? SCR_SNAP_A | SCR_SMOOTH_CELL : SCR_SNAP_A;
        break;
    case Qt::Key_Up:
        r = std::max(0, r - nRepeat);
        nScroll = in.bFirst ? SCR_SNAP_B | SCR_SMOOTH_CELL : SCR_SNAP_B;
        break;
    case Qt::Key_Down:
        r = int(std::min<long long>(static_cast<long long>(r) + nRepeat, rows.Count()));
        nScroll = in.bFirst ? SCR_SNAP_A | SCR_SMOOTH_CELL : SCR_SNAP_A;
        break;
    case Qt::Key_F8:
        if (in.bShift) {
            res.action = ToggleAdd;
            res.nSelMode = in.nSelMode == SELMODE_ADD ? 0u : unsigned(SELMODE_ADD);
        } else {
            res.action = ToggleExtend;
            res.nSelMode = in.nSelMode == SELMODE_EXT ? 0u : unsigned(SELMODE_EXT);
        }
        break;
    default:
        res.action = None;
        return res;
    }

    if (!in.bMultipleSelection) {
        res.nSelMode = 0;
        res.nSelFlags = 0;
    } else {
        res.nSelFlags = res.nSelMode | (in.bShift ? SELF_EXTEND : 0u);
    }
    res.nCol = c;
    res.nRow = r;
    res.nScrollFlags = nScroll;
    return res;
}

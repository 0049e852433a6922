#include "grid/ScrollDirection.h"

#include "grid/GridFlags.h"

#include <cstdlib>

CScrollDirection::SPan CScrollDirection::Pan(int dx, int dy)
{
    // Only the larger offset counts; equal magnitudes keep the vertical one.
    if (std::abs(dx) > std::abs(dy))
        dy = 0;
    else
        dx = 0;
    SPan pan;
    if (dy >= 6) {
        pan.direction = PanDown;
        pan.dy = dy - 6;
    } else if (dy < -6) {
        pan.direction = PanUp;
        pan.dy = dy + 6;
    } else if (dx >= 6) {
        pan.direction = PanRight;
        pan.dx = dx - 6;
    } else if (dx < -6) {
        pan.direction = PanLeft;
        pan.dx = dx + 6;
    }
    return pan;
}

int CScrollDirection::FinalAxis(EPan direction)
{
    return (direction == PanUp || direction == PanDown) ? 1 : 0;
}

unsigned CScrollDirection::FinalFlags(EPan direction)
{
    switch (direction) {
    case PanLeft:
    case PanUp:
        return SCR_RELATIVE | SCR_SNAP_B;
    case PanRight:
    case PanDown:
        return SCR_RELATIVE | SCR_SNAP_A;
    case PanNone:
        break;
    }
    return SCR_RELATIVE;
}

int CScrollDirection::Cursor(EPan direction)
{
    return 326 + int(direction);
}

unsigned CScrollDirection::DragScrollCode(int x, int y, const QRect& band, int nInset)
{
    if (!band.contains(x, y))
        return NoCode;
    const QRect inner = band.adjusted(nInset, nInset, -nInset, -nInset);
    if (inner.contains(x, y))
        return NoCode;
    unsigned nLow = 0xFF;
    unsigned nHigh = 0xFF;
    if (x < inner.left())
        nLow = 0;
    else if (x > inner.right())
        nLow = 1;
    if (y < inner.top())
        nHigh = 0;
    else if (y > inner.bottom())
        nHigh = 1;
    return nLow | (nHigh << 8);
}

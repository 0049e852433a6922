#pragma once

#include <QRect>

// Direction decisions of the two pointer-driven scrolls: middle-button
// panning and the edge scroll while something is dragged over a grid.
class CScrollDirection
{
public:
    enum EPan { PanNone = 0, PanLeft = 1, PanRight = 2, PanUp = 3, PanDown = 4 };

    struct SPan {
        EPan direction = PanNone;
        int dx = 0; // the overflow to scroll horizontally (0 unless left or right)
        int dy = 0; // the overflow to scroll vertically (0 unless up or down)
    };

    // The pointer's offset from the press point, with the 6-pixel dead zone.
    static SPan Pan(int dx, int dy);
    // The scroll that leaves the position on a cell boundary when panning ends.
    static int FinalAxis(EPan direction);
    static unsigned FinalFlags(EPan direction);
    // The cursor resource shown for a direction (326 .. 330).
    static int Cursor(EPan direction);

    // Edge scroll while dragging: the band is the scrolling area, the inner area
    // that band inset by nInset. Low byte: 0 line left, 1 line right, 0xFF none;
    // high byte likewise up and down. NoCode when the point is not in the margin.
    static constexpr unsigned NoCode = 0xFFFF;
    static unsigned DragScrollCode(int x, int y, const QRect& band, int nInset);
};

#pragma once

// Values shared by the grid framework and the views built on it. The numbers
// are fixed: derived views and stored settings rely on them.

// Layout flags of a grid view.
enum : unsigned {
    GVF_EXTEND_LASTCOL = 0x1, // the last column can be scrolled up to the fixed edge
    GVF_EXTEND_LASTROW = 0x2, // the last row can be scrolled up to the fixed edge
    GVF_FIT_COLS = 0x4,       // no horizontal bar; scrolling columns share the width
    GVF_FIT_ROWS = 0x8,       // no vertical bar; scrolling rows share the height
};

// Flags of a scroll request.
enum : unsigned {
    SCR_SNAP_A = 0x01,
    SCR_SNAP_B = 0x02,
    SCR_RELATIVE = 0x10,
    SCR_SMOOTH_CELL = 0x100,
    SCR_SMOOTH_PAGE = 0x200,
};

// Flags of a cursor move (CSelection::SetCell) and the sticky selection modes.
enum : unsigned {
    SELF_CLICK = 0x01,
    SELF_EXTEND = 0x04,
    SELF_ADD = 0x08,
    SELMODE_EXT = 0x10000,
    SELMODE_ADD = 0x20000,
};

// Scroll-bar codes understood by CGridView::ScrollByCode.
enum : int {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};

// Colour roles of CGridView::GetGridColor, numbered as the desktop's system colours.
enum : int {
    GRID_COLOR_WINDOW = 5,
    GRID_COLOR_WINDOWTEXT = 8,
    GRID_COLOR_GRIDLINE = 10,
    GRID_COLOR_HIGHLIGHT = 13,
};

// Open edge of whole-row and whole-column rectangles, and the clamp of clipped ones.
inline constexpr int GRID_COORD_MAX = 16383;

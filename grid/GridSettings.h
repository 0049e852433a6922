#pragma once

#include <QColor>
#include <QFont>

// What the grid framework needs from the application's settings: the view
// font and cell gap, the colours of the grid roles and the desktop's pointer
// and wheel preferences. The base class gives sensible defaults; the
// application installs a subclass that reads its settings store.
class CGridSettings
{
public:
    virtual ~CGridSettings() = default;

    // The installed settings (the defaults when none is installed).
    static CGridSettings& Current();
    // Installs pSettings (not owned); nullptr returns to the defaults.
    // Returns the settings it replaces.
    static CGridSettings* Install(CGridSettings* pSettings);

    virtual QFont ViewFont() const;
    // Extra cell height as a percentage of the text height.
    virtual int CellGap() const { return 30; }
    // Colour of a grid role (GRID_COLOR_*: 5 cell background, 8 cell text,
    // 10 grid line, 13 selection background).
    virtual QColor GridColor(int nRole) const;
    // Face and text of the header buttons and header columns.
    virtual QColor ButtonFace() const;
    virtual QColor ButtonText() const;

    // Rows scrolled per wheel notch; a negative value means one page per notch.
    virtual int WheelScrollLines() const;
    // Middle-button panning starts once the pointer leaves this distance or the delay passes.
    virtual int DragMinDistance() const { return 2; }
    virtual int DragDelay() const { return 200; }
    // Edge scroll while something is dragged over a grid.
    virtual int DragScrollInset() const { return 11; }
    virtual int DragScrollDelay() const { return 50; }
    virtual int DragScrollInterval() const { return 50; }
    // Whether scrolls by line and page are animated.
    virtual bool SmoothScrolling() const { return true; }
};

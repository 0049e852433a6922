#include "grid/GridSettings.h"

#include "grid/GridFlags.h"

#include <QGuiApplication>
#include <QPalette>
#include <QStyleHints>

namespace {

CGridSettings* g_pInstalled = nullptr;

} // namespace

CGridSettings& CGridSettings::Current()
{
    static CGridSettings defaults;
    return g_pInstalled ? *g_pInstalled : defaults;
}

CGridSettings* CGridSettings::Install(CGridSettings* pSettings)
{
    CGridSettings* pOld = g_pInstalled;
    g_pInstalled = pSettings;
    return pOld;
}

QFont CGridSettings::ViewFont() const
{
    return QGuiApplication::font();
}

QColor CGridSettings::GridColor(int nRole) const
{
    const QPalette palette = QGuiApplication::palette();
    switch (nRole) {
    case GRID_COLOR_WINDOW:
        return palette.color(QPalette::Base);
    case GRID_COLOR_WINDOWTEXT:
        return palette.color(QPalette::Text);
    case GRID_COLOR_GRIDLINE:
        return QColor(0xB4, 0xB4, 0xB4);
    case GRID_COLOR_HIGHLIGHT:
        return palette.color(QPalette::Highlight);
    default:
        break;
    }
    return palette.color(QPalette::Window);
}

QColor CGridSettings::ButtonFace() const
{
    return QGuiApplication::palette().color(QPalette::Button);
}

QColor CGridSettings::ButtonText() const
{
    return QGuiApplication::palette().color(QPalette::ButtonText);
}

int CGridSettings::WheelScrollLines() const
{
    if (auto* pHints = QGuiApplication::styleHints())
        return pHints->wheelScrollLines();
    return 3;
}

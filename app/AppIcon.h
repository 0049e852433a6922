#pragma once

#include <QIcon>
#include <QString>

// The program's icon and the small glyph icons of its toolbar, drawn here so
// that they need no image plug-in.
class CAppIcon
{
public:
    static QIcon Create();
    // A toolbar icon: the glyph on a light tile.
    static QIcon Glyph(const QString& strGlyph);
    // Makes the desktop's icon theme reachable also where the platform names none (a bare X
    // server, the offscreen platform): the data folders' icon themes, Adwaita when no theme is set.
    static void UseDesktopTheme();
};

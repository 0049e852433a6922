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
};

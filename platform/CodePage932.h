#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Conversion between text and code page 932 (the Windows form of Shift_JIS:
// 0x5C is U+005C, 0x8160 is U+FF5E).
class CCodePage932
{
public:
    static QString Decode(QByteArrayView bytes);
    static QByteArray Encode(const QString& str);
    // False when the platform has no converter for the code page.
    static bool Available();
};

#pragma once

#include <QByteArrayView>
#include <QString>

// How the text values of a statement are decoded. Text that is valid UTF-8 is
// read as UTF-8, whatever the header says; other text by the character set the
// header declares, and as code page 932 when it declares none.
class COfxCharset
{
public:
    enum Kind {
        Utf8,
        CodePage932,
        Windows1252,
    };

    COfxCharset() = default;
    explicit COfxCharset(Kind kind) : m_kind(kind) {}

    // Chooses the decoding for a whole statement (its header included).
    static COfxCharset ForText(QByteArrayView text);
    // The character set a header declares; bFound is false when it declares none
    // that is known.
    static Kind Declared(QByteArrayView text, bool& bFound);
    static bool IsValidUtf8(QByteArrayView bytes);

    QString Decode(QByteArrayView bytes) const;
    Kind GetKind() const { return m_kind; }

private:
    Kind m_kind = Utf8;
};

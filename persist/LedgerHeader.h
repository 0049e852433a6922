#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The 64-byte plain header of a native ledger file and the recognition of
// the kinds of file a ledger can be opened from.
class CLedgerHeader
{
public:
    static constexpr qsizetype Size = 64;
    static constexpr char PlainMark = char(0x20);
    static constexpr char EncipheredMark = char(0xA0);

    enum Kind {
        Native,      // our own header
        Legacy,      // a file of an older release
        Ofx,         // an OFX statement ("OFXHEADER:100")
        Utf16Text,   // text with the byte-order mark 0xFF 0xFE
        Cp932Text,   // any other text, code page 932
    };

    // "Common Coffer Record Ver" + "2" or "1" + ".00" + 0x20 or 0xA0 + CR LF + zeros.
    static QByteArray Build(bool bMemo, bool bEnciphered);

    // Which reader a file belongs to. For the text kinds and OFX, pnStart
    // receives the offset after the leading spaces, tabs, CRs and LFs.
    static Kind Recognise(QByteArrayView file, qsizetype* pnStart = nullptr);

    static bool IsNative(QByteArrayView file);
    static bool IsLegacy(QByteArrayView file);
    // The version byte ('1', '2', ...) of a native file.
    static char Version(QByteArrayView file) { return file[24]; }
    static bool IsEnciphered(QByteArrayView file) { return file[28] != PlainMark; }
};

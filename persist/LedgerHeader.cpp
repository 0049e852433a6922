#include "persist/LedgerHeader.h"

namespace {
constexpr char kMagic[] = "Common Coffer Record Ver";
constexpr qsizetype kMagicSize = 24;
// "家計簿記録データ" in code page 932, then "Version".
constexpr char kLegacyMagic[] = "\x89\xC6\x8C\x76\x95\xEB\x8B\x4C\x98\x5E\x83\x66\x81\x5B\x83\x5E"
                                "Version";
constexpr qsizetype kLegacyMagicSize = 23;
}

QByteArray CLedgerHeader::Build(bool bMemo, bool bEnciphered)
{
    QByteArray header(Size, '\0');
    const QByteArrayView start("Common Coffer Record Ver2.00 \r\n");
    std::copy(start.begin(), start.end(), header.begin());
    header[24] = bMemo ? '2' : '1';
    header[28] = bEnciphered ? EncipheredMark : PlainMark;
    return header;
}

bool CLedgerHeader::IsNative(QByteArrayView file)
{
    return file.size() > Size && file.first(kMagicSize) == QByteArrayView(kMagic, kMagicSize);
}

bool CLedgerHeader::IsLegacy(QByteArrayView file)
{
    return file.size() > Size && file.first(kLegacyMagicSize) == QByteArrayView(kLegacyMagic, kLegacyMagicSize);
}

CLedgerHeader::Kind CLedgerHeader::Recognise(QByteArrayView file, qsizetype* pnStart)
{
    if (IsNative(file))
        return Native;
    if (IsLegacy(file))
        return Legacy;
    qsizetype n = 0;
    while (n < file.size() && (file[n] == ' ' || file[n] == '\t' || file[n] == '\r' || file[n] == '\n'))
        ++n;
    if (pnStart)
        *pnStart = n;
    const QByteArrayView rest = file.sliced(n);
    const QByteArrayView ofx("OFXHEADER:100");
    if (rest.size() > ofx.size() && rest.startsWith(ofx))
        return Ofx;
    if (rest.size() >= 2 && rest[0] == char(0xFF) && rest[1] == char(0xFE))
        return Utf16Text;
    return Cp932Text;
}

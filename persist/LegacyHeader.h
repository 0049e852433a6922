#pragma once

#include <QByteArrayView>

// The 64-byte header of the older ledger files: the magic "家計簿記録データ"
// (code page 932) and "Version", the protection marker, and the version digits.
class CLegacyHeader
{
public:
    static constexpr qsizetype SIZE = 64;
    static constexpr qsizetype MAGIC_SIZE = 23;
    // The version from which the body is enciphered as a whole and protected
    // files carry a key block instead of a stored password.
    static constexpr int KEY_BLOCK_VERSION = 204;
    static constexpr int SCRAMBLED_VERSION = 202;

    // Whether the bytes are an older ledger file: longer than the header and
    // beginning with the magic.
    static bool Recognise(QByteArrayView file);

    // Reads the header; false when the version digits are no digits or the
    // version lies outside 1.00 to 2.99.
    bool Parse(QByteArrayView file);

    int m_nVersion = 0;     // a * 100 + b * 10 + c
    bool m_bProtected = false; // marker other than a space (2.04 and later)
};

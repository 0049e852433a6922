#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Protection of a native file's payload with a password: RC4 keyed by the
// 16-byte MD5 digest of the password's UTF-16LE code units, over the whole
// payload from its first byte, with a fixed trailer as the payload's last
// item so that a wrong password shows after deciphering.
class CFileCipher
{
public:
    // The 32 ASCII bytes that close an enciphered payload.
    static QByteArrayView Trailer();
    static constexpr qsizetype TrailerSize = 32;

    // MD5 of the password as UTF-16LE (no terminator, no salt).
    static QByteArray DeriveKey(const QString& strPassword);

    // RC4 in place; deciphering is the same operation.
    static void Encipher(const QByteArray& key, QByteArray& buffer);
    static void Decipher(const QByteArray& key, QByteArray& buffer) { Encipher(key, buffer); }

    // Appends the trailer and enciphers the payload with the password.
    static void SealPayload(const QString& strPassword, QByteArray& payload);
    // Deciphers the payload in place; true when it ends with the trailer,
    // i.e. the password was the right one.
    static bool OpenPayload(const QString& strPassword, QByteArray& payload);
};

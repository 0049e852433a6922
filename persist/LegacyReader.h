#pragma once

#include "persist/LegacyCipher.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

// Reads the body of an older ledger file. Every read is checked against the
// bytes that remain; a read past the end, or anything else the format does not
// allow, throws FormatError. Items marked enciphered pass through the active key
// stream in reading order.
class CLegacyReader
{
public:
    struct FormatError
    {
    };

    explicit CLegacyReader(QByteArrayView body) : m_data(body) {}

    void SetCipher(const CLegacyCipher& cipher) { m_cipher = cipher; }
    const CLegacyCipher& Cipher() const { return m_cipher; }
    qsizetype Remaining() const { return m_data.size() - m_nPos; }

    QByteArray Bytes(qsizetype n, bool bDecipher);
    std::uint8_t Byte(bool bDecipher);
    std::uint16_t Word(bool bDecipher);
    std::uint32_t DWord(bool bDecipher);

    // The password length of the oldest bodies and the length of a string: a
    // byte, then a uint16 when it is 0xFF, then a uint32 when that is 0xFFFF.
    std::uint32_t ByteCount(bool bDecipher);
    // The framework's count: a uint16, then a uint32 when it is 0xFFFF.
    std::uint32_t Count(bool bDecipher);

    // A string in code page 932: its count (deciphered with the stream) and its
    // bytes (deciphered, except long strings in the 13-byte stream mode, which
    // were written plain).
    QString String();

    // A class tag before a record (bodies before 2.04); checks the class name and
    // schema of a new class and that a class reference names a class met before.
    void ClassTag();

    // Throws FormatError unless n more bytes remain.
    void Need(qsizetype n) const;

private:
    QByteArrayView m_data;
    qsizetype m_nPos = 0;
    CLegacyCipher m_cipher;
    // Map indexes of the archive, from 1: true for a class, false for a record.
    std::vector<bool> m_map{false};
};

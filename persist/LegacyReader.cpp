#include "persist/LegacyReader.h"

#include "platform/CodePage932.h"

#include <cstring>

namespace {

// The classes whose records an older file may name, all with schema 1.
bool IsKnownClass(QByteArrayView name)
{
    for (const char* p : {"CReceipt", "CCurFmt", "CCategory", "CDailyRec", "CCurrencyFmt"}) {
        if (name == p)
            return true;
    }
    return false;
}

constexpr std::uint16_t KNOWN_SCHEMA = 1;
constexpr std::uint16_t NEW_CLASS_TAG = 0xFFFF;
constexpr std::uint16_t BIG_TAG = 0x7FFF;
constexpr std::uint16_t CLASS_TAG = 0x8000;
constexpr std::uint32_t BIG_CLASS_TAG = 0x80000000u;
constexpr std::uint16_t MAX_CLASS_NAME = 64;

} // namespace

void CLegacyReader::Need(qsizetype n) const
{
    if (n < 0 || n > Remaining())
        throw FormatError();
}

QByteArray CLegacyReader::Bytes(qsizetype n, bool bDecipher)
{
    Need(n);
    QByteArray bytes(m_data.data() + m_nPos, n);
    m_nPos += n;
    if (bDecipher)
        m_cipher.Apply(bytes);
    return bytes;
}

std::uint8_t CLegacyReader::Byte(bool bDecipher)
{
    Need(1);
    std::uint8_t b = static_cast<std::uint8_t>(m_data[m_nPos++]);
    if (bDecipher)
        m_cipher.Apply(&b, 1);
    return b;
}

std::uint16_t CLegacyReader::Word(bool bDecipher)
{
    Need(2);
    std::uint8_t b[2];
    std::memcpy(b, m_data.data() + m_nPos, 2);
    m_nPos += 2;
    if (bDecipher)
        m_cipher.Apply(b, 2);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t CLegacyReader::DWord(bool bDecipher)
{
    Need(4);
    std::uint8_t b[4];
    std::memcpy(b, m_data.data() + m_nPos, 4);
    m_nPos += 4;
    if (bDecipher)
        m_cipher.Apply(b, 4);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8)
           | (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint32_t CLegacyReader::ByteCount(bool bDecipher)
{
    std::uint32_t n = Byte(bDecipher);
    if (n == 0xFF) {
        n = Word(bDecipher);
        if (n == 0xFFFF)
            n = DWord(bDecipher);
    }
    return n;
}

std::uint32_t CLegacyReader::Count(bool bDecipher)
{
    std::uint32_t n = Word(bDecipher);
    if (n == 0xFFFF)
        n = DWord(bDecipher);
    return n;
}

QString CLegacyReader::String()
{
    const std::uint32_t n = ByteCount(true);
    Need(static_cast<qsizetype>(n));
    // Long strings were written past the 13-byte stream.
    const bool bDecipher = !(m_cipher.GetMode() == CLegacyCipher::ModeStream13 && n >= 255);
    const QByteArray bytes = Bytes(static_cast<qsizetype>(n), bDecipher);
    return CCodePage932::Decode(bytes);
}

void CLegacyReader::ClassTag()
{
    const std::uint16_t nTag = Word(false);
    if (nTag == NEW_CLASS_TAG) {
        const std::uint16_t nSchema = Word(false);
        const std::uint16_t nLen = Word(false);
        if (nLen >= MAX_CLASS_NAME)
            throw FormatError();
        Need(nLen);
        const QByteArrayView name(m_data.data() + m_nPos, nLen);
        m_nPos += nLen;
        if (!IsKnownClass(name) || nSchema != KNOWN_SCHEMA)
            throw FormatError();
        m_map.push_back(true);
    } else {
        std::uint32_t nIndex = 0;
        bool bClass = false;
        if (nTag == BIG_TAG) {
            const std::uint32_t nBig = DWord(false);
            bClass = (nBig & BIG_CLASS_TAG) != 0;
            nIndex = nBig & ~BIG_CLASS_TAG;
        } else {
            bClass = (nTag & CLASS_TAG) != 0;
            nIndex = nTag & ~CLASS_TAG;
        }
        // A reference to a class must name a class read before; an object
        // reference or a null tag is taken as it is, and its record follows.
        if (bClass && (nIndex == 0 || nIndex >= m_map.size() || !m_map[nIndex]))
            throw FormatError();
    }
    // The record that follows takes the next index.
    m_map.push_back(false);
}

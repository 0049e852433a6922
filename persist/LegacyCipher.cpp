#include "persist/LegacyCipher.h"

#include <vector>

namespace {

struct CCrcTable
{
    std::uint16_t m_entries[256];

    CCrcTable()
    {
        for (unsigned i = 0; i < 256; ++i) {
            unsigned n = i;
            for (int k = 0; k < 8; ++k)
                n = (n & 1) ? (n >> 1) ^ 0x8408u : n >> 1;
            m_entries[i] = static_cast<std::uint16_t>(n);
        }
    }
};

const CCrcTable& CrcTable()
{
    static const CCrcTable table;
    return table;
}

} // namespace

void CLegacyCipher::Mix(const std::uint8_t* in, std::uint8_t* out, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        const std::uint8_t a = static_cast<std::uint8_t>(~in[(i + 3) % n]);
        const std::uint8_t b = static_cast<std::uint8_t>(~in[(i + 1) % n]);
        const std::uint8_t c = in[(i + 2) % n];
        out[i] = static_cast<std::uint8_t>((a & 0x81) | ((b >> 1) & 0x22) | ((c & 0x22) << 1) | (in[i] & 0x18));
    }
}

std::uint16_t CLegacyCipher::Crc16(const std::uint8_t* p, qsizetype n)
{
    const CCrcTable& table = CrcTable();
    std::uint16_t crc = 0xFFFF;
    for (qsizetype i = 0; i < n; ++i)
        crc = static_cast<std::uint16_t>((crc >> 8) ^ table.m_entries[(crc ^ p[i]) & 0xFF]);
    return crc;
}

std::uint8_t CLegacyCipher::CrcTableHigh(std::uint8_t b)
{
    return static_cast<std::uint8_t>(CrcTable().m_entries[b] >> 8);
}

void CLegacyCipher::Apply(std::uint8_t* p, qsizetype n)
{
    switch (m_mode) {
    case ModeNone:
        return;
    case ModeStream13:
        for (qsizetype i = 0; i < n; ++i) {
            p[i] ^= m_state[m_nPos];
            m_nPos = (m_nPos + 1) % STREAM13_SIZE;
        }
        return;
    case ModeFeedback29:
        for (qsizetype i = 0; i < n; ++i) {
            const std::uint8_t a = m_state[m_nPos];
            p[i] ^= a;
            m_nPos = (m_nPos + 1) % FEEDBACK_SIZE;
            m_state[m_nPos] = static_cast<std::uint8_t>(m_state[m_nPos] + CrcTableHigh(a));
        }
        return;
    }
}

bool CLegacyCipher::FromScrambledBlock(QByteArrayView block, QByteArray& password, CLegacyCipher& cipher)
{
    const qsizetype n = block.size();
    if (n < 8 || n % 4 != 0)
        return false;
    std::vector<std::uint8_t> out(static_cast<size_t>(n));
    Mix(reinterpret_cast<const std::uint8_t*>(block.data()), out.data(), n);

    cipher = CLegacyCipher();
    cipher.m_mode = ModeStream13;
    for (int p = 0; p < STREAM13_SIZE; ++p)
        cipher.m_state[p] = static_cast<std::uint8_t>(out[n - 1 - (p % n)] - 37 * p);

    password.clear();
    for (qsizetype i = 0; i < n && out[i] != 0; i += 2)
        password += static_cast<char>(out[i]);
    return true;
}

bool CLegacyCipher::FromKeyBlock(QByteArrayView block, QByteArrayView password, CLegacyCipher& cipher)
{
    if (block.size() != KEY_BLOCK_SIZE || password.isEmpty())
        return false;
    const qsizetype nLen = password.size();
    std::uint8_t d[KEY_BLOCK_SIZE];
    for (int k = 0; k < KEY_BLOCK_SIZE; ++k) {
        d[k] = static_cast<std::uint8_t>(static_cast<std::uint8_t>(block[k])
                                         - static_cast<std::uint8_t>(password[(3 * k) % nLen]));
    }
    std::uint8_t key[KEY_BLOCK_SIZE];
    Mix(d, key, KEY_BLOCK_SIZE);
    const std::uint16_t nStored = static_cast<std::uint16_t>(key[30] | (key[31] << 8));
    if (Crc16(key, 30) != nStored)
        return false;

    cipher = CLegacyCipher();
    cipher.m_mode = ModeFeedback29;
    for (int k = 0; k < FEEDBACK_SIZE; ++k)
        cipher.m_state[k] = key[k];
    return true;
}

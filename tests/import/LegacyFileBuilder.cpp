#include "LegacyFileBuilder.h"

#include <vector>

namespace {

const char g_magic[] = "\x89\xC6\x8C\x76\x95\xEB\x8B\x4C\x98\x5E\x83\x66\x81\x5B\x83\x5E"
                       "Version";

std::uint16_t CrcTableEntry(std::uint8_t b)
{
    unsigned n = b;
    for (int k = 0; k < 8; ++k)
        n = (n & 1) ? (n >> 1) ^ 0x8408u : n >> 1;
    return static_cast<std::uint16_t>(n);
}

void PutLe(QByteArray& out, std::uint64_t v, int nBytes)
{
    for (int i = 0; i < nBytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

// A key stream as old releases ran it: none, the 13-byte ring, or the 29-byte
// ring fed back through the CRC table.
class CLegacyFileBuilder::CStream
{
public:
    int m_nMode = 0; // 0 none, 13, 29
    std::vector<std::uint8_t> m_key;
    int m_nPos = 0;

    void Apply(QByteArray& bytes, qsizetype nFrom)
    {
        for (qsizetype i = nFrom; i < bytes.size(); ++i) {
            if (m_nMode == 0)
                return;
            const std::uint8_t a = m_key[static_cast<size_t>(m_nPos)];
            bytes[i] = static_cast<char>(static_cast<std::uint8_t>(bytes[i]) ^ a);
            m_nPos = (m_nPos + 1) % m_nMode;
            if (m_nMode == 29)
                m_key[static_cast<size_t>(m_nPos)] += static_cast<std::uint8_t>(CrcTableEntry(a) >> 8);
        }
    }
};

CLegacyFileBuilder::CLegacyFileBuilder(const QByteArray& version) : m_version(version)
{
}

std::uint16_t CLegacyFileBuilder::PackDate(int nYear, int nMonth, int nDay)
{
    return static_cast<std::uint16_t>(((nYear - 1920) << 9) | (nMonth << 5) | nDay);
}

QByteArray CLegacyFileBuilder::Mix(const QByteArray& in)
{
    const qsizetype n = in.size();
    QByteArray out(n, '\0');
    auto s = [&](qsizetype i) { return static_cast<std::uint8_t>(in[i % n]); };
    for (qsizetype i = 0; i < n; ++i) {
        out[i] = static_cast<char>((~s(i + 3) & 0x81) | ((static_cast<std::uint8_t>(~s(i + 1)) >> 1) & 0x22)
                                   | ((s(i + 2) & 0x22) << 1) | (s(i) & 0x18));
    }
    return out;
}

QByteArray CLegacyFileBuilder::Unmix(const QByteArray& out)
{
    // Each bit group of out[i] came from one of in[i..i+3]; put every group back.
    const qsizetype n = out.size();
    QByteArray in(n, '\0');
    auto o = [&](qsizetype i) { return static_cast<std::uint8_t>(out[((i % n) + n) % n]); };
    for (qsizetype j = 0; j < n; ++j) {
        const unsigned v = (~o(j - 3) & 0x81u) | ((~static_cast<unsigned>(o(j - 1)) & 0x22u) << 1)
                           | ((o(j - 2) & 0x44u) >> 1) | (o(j) & 0x18u);
        in[j] = static_cast<char>(v & 0xFF);
    }
    return in;
}

std::uint16_t CLegacyFileBuilder::Crc16(const QByteArray& bytes)
{
    std::uint16_t crc = 0xFFFF;
    for (char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k)
            crc = static_cast<std::uint16_t>((crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1);
    }
    return crc;
}

void CLegacyFileBuilder::AddSample()
{
    AddCurrency({0, 0, QByteArray("\\"), QByteArray("\x93\xfa\x96\x7b\x89\x7e")}); // 日本円
    AddCurrency({2, 3, QByteArray("\x80\x00", 2), QByteArray("Euro")});
    AddCategory({0, QByteArray("\x94\xf5\x8d\x6c")});                 // 備考
    AddCategory({8, QByteArray("\x8c\x4a\x89\x7a")});                 // 繰越
    AddCategory({2, QByteArray("\x90\x48\x94\xef")});                 // 食費
    AddCategory({3, QByteArray("\x97\x61\x92\x99\x8b\xe0")});         // 預貯金
    AddLine({PackDate(2001, 4, 1), 0x00, 0, 1, 0, 5, 0, QByteArray("\x8c\x4a\x82\xe8\x89\x7a\x82\xb5")}); // 繰り越し
    AddLine({PackDate(2001, 4, 2), 0xC8, 0, 2, 3, -1280, 0, QByteArray("lunch")});
    AddLine({PackDate(2001, 4, 3), 0x31, 1, 2, 0, -123456, 0, QByteArray()});
    AddLine({0, 0x2C, 0, 3, 2, 50000000000LL, 0, QByteArray("big")});
}

void CLegacyFileBuilder::WriteString(QByteArray& out, CStream& stream, const QByteArray& text) const
{
    const qsizetype nFrom = out.size();
    const qsizetype n = text.size();
    if (n < 0xFF) {
        PutLe(out, static_cast<std::uint64_t>(n), 1);
    } else if (n < 0xFFFF) {
        PutLe(out, 0xFF, 1);
        PutLe(out, static_cast<std::uint64_t>(n), 2);
    } else {
        PutLe(out, 0xFF, 1);
        PutLe(out, 0xFFFF, 2);
        PutLe(out, static_cast<std::uint64_t>(n), 4);
    }
    stream.Apply(out, nFrom);
    const qsizetype nText = out.size();
    out += text;
    if (!(stream.m_nMode == 13 && n >= 255))
        stream.Apply(out, nText);
}

QByteArray CLegacyFileBuilder::Build() const
{
    const int nVersion = (m_version[0] - '0') * 100 + (m_version[2] - '0') * 10 + (m_version[3] - '0');
    const bool bKeyBlock = nVersion >= 204;

    QByteArray out(g_magic, 23);
    const bool bProtected = bKeyBlock && !m_password.isEmpty();
    out += m_bMarkerSet ? m_cMarker : (bProtected ? '*' : ' ');
    out += m_version.left(4);
    out += QByteArray("\r\n");
    out.append(64 - out.size(), '\0');

    CStream stream;
    if (!bKeyBlock) {
        QByteArray block = m_password;
        if (nVersion >= 202 && !m_password.isEmpty()) {
            // The password sits at the even places of the unscrambled block, ended by a zero.
            int n = m_nScrambledSize;
            if (n == 0) {
                n = 8;
                while (n < 2 * m_password.size() + 1)
                    n += 4;
            }
            QByteArray plain(n, '\0');
            for (int i = 0; i < n; ++i)
                plain[i] = static_cast<char>(0x5A + 11 * i);
            for (int i = 0; i < n; i += 2)
                plain[i] = i / 2 < m_password.size() ? m_password[i / 2] : '\0';
            block = Unmix(plain);
            stream.m_nMode = 13;
            for (int p = 0; p < 13; ++p)
                stream.m_key.push_back(static_cast<std::uint8_t>(plain[n - 1 - (p % n)] - 37 * p));
        }
        const qsizetype n = block.size();
        if (n < 0xFF) {
            PutLe(out, static_cast<std::uint64_t>(n), 1);
        } else {
            PutLe(out, 0xFF, 1);
            PutLe(out, static_cast<std::uint64_t>(n), 2);
        }
        out += block;
        PutLe(out, 0x1234, 2);
        PutLe(out, 0x5678, 2);
    } else {
        if (bProtected) {
            QByteArray key(32, '\0');
            for (int i = 0; i < 30; ++i)
                key[i] = static_cast<char>(0x35 + 29 * i);
            const std::uint16_t crc = Crc16(key.left(30));
            key[30] = static_cast<char>(crc & 0xFF);
            key[31] = static_cast<char>(crc >> 8);
            QByteArray d = Unmix(key);
            for (int k = 0; k < 32; ++k)
                d[k] = static_cast<char>(static_cast<std::uint8_t>(d[k])
                                         + static_cast<std::uint8_t>(m_password[(3 * k) % m_password.size()]));
            out += d;
            stream.m_nMode = 29;
            for (int k = 0; k < 29; ++k)
                stream.m_key.push_back(static_cast<std::uint8_t>(key[k]));
        }
        const qsizetype nFrom = out.size();
        out += QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08");
        stream.Apply(out, nFrom);
    }

    int nMapIndex = 0;
    auto count = [&](qsizetype n) {
        const qsizetype nFrom = out.size();
        if (n < 0xFFFF) {
            PutLe(out, static_cast<std::uint64_t>(n), 2);
        } else {
            PutLe(out, 0xFFFF, 2);
            PutLe(out, static_cast<std::uint64_t>(n), 4);
        }
        if (bKeyBlock)
            stream.Apply(out, nFrom);
    };
    auto tag = [&](bool bFirst, int& nClassIndex, const QByteArray& name) {
        if (bKeyBlock)
            return;
        if (bFirst) {
            PutLe(out, 0xFFFF, 2);
            PutLe(out, m_nSchema, 2);
            PutLe(out, static_cast<std::uint64_t>(name.size()), 2);
            out += name;
            nClassIndex = ++nMapIndex;
        } else if (nClassIndex < 0x7FFF) {
            PutLe(out, 0x8000u | static_cast<unsigned>(nClassIndex), 2);
        } else {
            PutLe(out, 0x7FFF, 2);
            PutLe(out, 0x80000000u | static_cast<unsigned>(nClassIndex), 4);
        }
        ++nMapIndex;
    };

    int nClass = 0;
    count(m_lines.size());
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line& l = m_lines[i];
        tag(i == 0, nClass, m_lineClass);
        qsizetype nFrom = out.size();
        PutLe(out, l.nDate, 2);
        PutLe(out, 0xBEEF, 2);
        PutLe(out, l.nFlags, 1);
        const std::uint8_t f = l.nFlags;
        if (f & 0x01)
            PutLe(out, l.nCur, 1);
        PutLe(out, l.nCat, 1);
        PutLe(out, static_cast<std::uint64_t>(l.nAmount), (f & 0x20) ? 8 : (f & 0x10) ? 4 : 2);
        if (f & 0x08) {
            PutLe(out, l.nCat2, 1);
            if (!((f & 0x80) && (f & 0x40)))
                PutLe(out, static_cast<std::uint64_t>(l.nAmount2), (f & 0x80) ? 8 : (f & 0x40) ? 4 : 2);
        }
        stream.Apply(out, nFrom);
        WriteString(out, stream, l.desc);
    }

    count(m_curs.size());
    for (qsizetype i = 0; i < m_curs.size(); ++i) {
        const Currency& c = m_curs[i];
        tag(i == 0, nClass, m_curClass);
        QByteArray block(44, '\0');
        block[0] = 'x';
        auto put32 = [&](int nAt, std::int32_t v) {
            for (int k = 0; k < 4; ++k)
                block[nAt + k] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * k)) & 0xFF);
        };
        put32(4, c.nDecimals);
        put32(8, 3);
        put32(20, c.nSymbolPos);
        block[24] = '.';
        block[28] = ',';
        for (int k = 0; k < 12 && k < c.symbol.size(); ++k)
            block[32 + k] = c.symbol[k];
        const qsizetype nFrom = out.size();
        out += block;
        stream.Apply(out, nFrom);
        WriteString(out, stream, c.name);
    }

    count(m_cats.size());
    for (qsizetype i = 0; i < m_cats.size(); ++i) {
        const Category& c = m_cats[i];
        tag(i == 0, nClass, m_catClass);
        const qsizetype nFrom = out.size();
        PutLe(out, static_cast<std::uint32_t>(c.nAttr), 4);
        stream.Apply(out, nFrom);
        WriteString(out, stream, c.name);
    }
    return out;
}

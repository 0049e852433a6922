#include "persist/OfxCharset.h"

#include "platform/CodePage932.h"

#include <QByteArray>

namespace {

// Windows-1252 where it differs from Latin-1 (0x80..0x9F); 0 marks the five unassigned bytes,
// which decode as their C1 control like the code page's own converter does.
const char16_t g_cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QString DecodeCp1252(QByteArrayView bytes)
{
    QString str(bytes.size(), Qt::Uninitialized);
    QChar* pOut = str.data();
    for (char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        char16_t u = b;
        if (b >= 0x80 && b < 0xA0 && g_cp1252High[b - 0x80] != 0)
            u = g_cp1252High[b - 0x80];
        *pOut++ = QChar(u);
    }
    return str;
}

QByteArray Upper(QByteArrayView v)
{
    return v.trimmed().toByteArray().toUpper();
}

// A value of the header: the text after "KEY:" on its line, or after KEY="…" in
// an XML declaration.
QByteArray HeaderValue(QByteArrayView header, QByteArrayView key, bool bXml)
{
    qsizetype nFrom = 0;
    while (nFrom < header.size()) {
        const qsizetype n = header.indexOf(key, nFrom);
        if (n < 0)
            return {};
        nFrom = n + key.size();
        const bool bLineStart = n == 0 || header[n - 1] == '\n' || header[n - 1] == '\r'
                                || (bXml && (header[n - 1] == ' ' || header[n - 1] == '\t'));
        if (!bLineStart)
            continue;
        QByteArrayView rest = header.sliced(nFrom);
        if (!bXml) {
            if (!rest.startsWith(':'))
                continue;
            rest = rest.sliced(1);
            qsizetype nEnd = 0;
            while (nEnd < rest.size() && rest[nEnd] != '\r' && rest[nEnd] != '\n')
                ++nEnd;
            return Upper(rest.first(nEnd));
        }
        rest = rest.trimmed();
        if (!rest.startsWith('='))
            continue;
        rest = rest.sliced(1).trimmed();
        if (rest.isEmpty() || (rest[0] != '"' && rest[0] != '\''))
            continue;
        const char quote = rest[0];
        const qsizetype nEnd = rest.indexOf(quote, 1);
        if (nEnd < 0)
            return {};
        return Upper(rest.sliced(1, nEnd - 1));
    }
    return {};
}

bool IsName(const QByteArray& v, std::initializer_list<const char*> names)
{
    for (const char* p : names) {
        if (v == p)
            return true;
    }
    return false;
}

} // namespace

bool COfxCharset::IsValidUtf8(QByteArrayView bytes)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* pEnd = p + bytes.size();
    while (p < pEnd) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int nMore;
        unsigned cp;
        unsigned nMin;
        if (b >= 0xC2 && b <= 0xDF) {
            nMore = 1;
            cp = b & 0x1F;
            nMin = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            nMore = 2;
            cp = b & 0x0F;
            nMin = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            nMore = 3;
            cp = b & 0x07;
            nMin = 0x10000;
        } else {
            return false;
        }
        if (pEnd - p <= nMore)
            return false;
        for (int i = 1; i <= nMore; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i] & 0x3F);
        }
        if (cp < nMin || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        p += nMore + 1;
    }
    return true;
}

COfxCharset::Kind COfxCharset::Declared(QByteArrayView text, bool& bFound)
{
    bFound = false;
    // The header is everything before the first element that is no declaration.
    qsizetype nHeaderEnd = 0;
    for (;;) {
        const qsizetype n = text.indexOf('<', nHeaderEnd);
        if (n < 0) {
            nHeaderEnd = text.size();
            break;
        }
        if (n + 1 < text.size() && text[n + 1] == '?') {
            const qsizetype nClose = text.indexOf("?>", n + 2);
            nHeaderEnd = nClose < 0 ? text.size() : nClose + 2;
            continue;
        }
        nHeaderEnd = n;
        break;
    }
    const QByteArrayView header = text.first(nHeaderEnd);

    QByteArray strCharset = HeaderValue(header, "CHARSET", false);
    const QByteArray strEncoding = HeaderValue(header, "ENCODING", false);
    const QByteArray strXml = HeaderValue(header, "encoding", true);

    for (const QByteArray& v : {strCharset, strXml}) {
        if (IsName(v, {"932", "CP932", "SHIFT_JIS", "SHIFT-JIS", "SJIS", "MS932", "WINDOWS-31J", "X-SJIS"})) {
            bFound = true;
            return CodePage932;
        }
        if (IsName(v, {"1252", "CP1252", "WINDOWS-1252", "ISO-8859-1", "8859-1", "ISO8859-1", "LATIN1",
                       "LATIN-1", "US-ASCII", "ASCII"})) {
            bFound = true;
            return Windows1252;
        }
        if (IsName(v, {"UTF-8", "UTF8", "65001"})) {
            bFound = true;
            return Utf8;
        }
    }
    if (IsName(strEncoding, {"UTF-8", "UTF8", "UNICODE"})) {
        bFound = true;
        return Utf8;
    }
    if (IsName(strEncoding, {"USASCII", "US-ASCII"})) {
        // Bytes above 0x7F in a file that claims plain ASCII come from a Western code page.
        bFound = true;
        return Windows1252;
    }
    return CodePage932;
}

COfxCharset COfxCharset::ForText(QByteArrayView text)
{
    if (IsValidUtf8(text))
        return COfxCharset(Utf8);
    bool bFound = false;
    Kind kind = Declared(text, bFound);
    // A file that claims UTF-8 but is not: the Japanese code page is the likeliest truth.
    if (kind == Utf8)
        kind = CodePage932;
    return COfxCharset(kind);
}

QString COfxCharset::Decode(QByteArrayView bytes) const
{
    switch (m_kind) {
    case CodePage932:
        return CCodePage932::Decode(bytes);
    case Windows1252:
        return DecodeCp1252(bytes);
    case Utf8:
        break;
    }
    return QString::fromUtf8(bytes);
}

#include "persist/OfxImport.h"

#include "model/ListCheck.h"
#include "persist/OfxCharset.h"
#include "persist/OfxElementReader.h"
#include "persist/OfxTypeTable.h"
#include "persist/OfxValue.h"

#include <QByteArray>

#include <optional>
#include <string>

namespace {

constexpr qsizetype MAX_NAME = 63;
constexpr qsizetype MAX_MEMO = 254;
// No more categories than a ledger file may hold, or the ledger could not be opened again.
constexpr size_t MAX_CATEGORIES = size_t(CListCheck::MAX_ENTRIES);

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArrayView SkipBlanksAndMark(QByteArrayView bytes)
{
    qsizetype n = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        n = 3;
    while (n < bytes.size() && IsBlank(bytes[n]))
        ++n;
    return bytes.sliced(n);
}

// At most nMax UTF-16 code units, never half of a surrogate pair.
QString Cut(QString str, qsizetype nMax)
{
    if (str.size() > nMax) {
        qsizetype n = nMax;
        if (n > 0 && str.at(n - 1).isHighSurrogate() && str.at(n).isLowSurrogate())
            --n;
        str.truncate(n);
    }
    return str;
}

void TrimRight(QString& str)
{
    qsizetype n = str.size();
    while (n > 0 && str.at(n - 1).isSpace())
        --n;
    str.truncate(n);
}

void TrimLeft(QString& str)
{
    qsizetype n = 0;
    while (n < str.size() && str.at(n).isSpace())
        ++n;
    str.remove(0, n);
}

// The XML form escapes its markup characters; the SGML form is taken as written.
QByteArray Unescape(QByteArrayView value)
{
    if (!value.contains('&'))
        return value.toByteArray();
    QByteArray out;
    out.reserve(value.size());
    static const struct {
        const char* pName;
        char c;
    } entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    for (qsizetype i = 0; i < value.size();) {
        bool bDone = false;
        if (value[i] == '&') {
            for (const auto& e : entities) {
                if (value.sliced(i).startsWith(e.pName)) {
                    out += e.c;
                    i += static_cast<qsizetype>(std::char_traits<char>::length(e.pName));
                    bDone = true;
                    break;
                }
            }
        }
        if (!bDone)
            out += value[i++];
    }
    return out;
}

class COfxImporter
{
public:
    COfxImporter(QByteArrayView text, const COfxProp& prop, std::vector<CReceipt>& lines,
                 std::vector<CCategory>& cats)
        : m_text(text), m_lines(lines), m_charset(COfxCharset::ForText(text)),
          m_bXml(!SkipBlanksAndMark(text).startsWith("OFXHEADER:")),
          m_nBalCat(static_cast<int>(cats.size())), m_nBankCat(m_nBalCat + 1), m_nCardCat(m_nBalCat + 2),
          m_types(m_nBankCat)
    {
        cats.emplace_back(prop.m_nBalMode, prop.m_strBalType);
        cats.emplace_back(prop.m_nBankMode, prop.m_strBankType);
        cats.emplace_back(prop.m_nCardMode, prop.m_strCardType);
    }

    void Run();

private:
    QString Text(QByteArrayView value) const
    {
        return m_bXml ? m_charset.Decode(Unescape(value)) : m_charset.Decode(value);
    }
    void Transaction(QByteArrayView tag, QByteArrayView value);
    void Balance(QByteArrayView tag, QByteArrayView value);
    void Finish()
    {
        m_lines.push_back(std::move(*m_line));
        m_line.reset();
    }

    QByteArrayView m_text;
    std::vector<CReceipt>& m_lines;
    COfxCharset m_charset;
    bool m_bXml;
    int m_nBalCat;
    int m_nBankCat;
    int m_nCardCat;
    COfxTypeTable m_types;

    std::optional<CReceipt> m_line;
    bool m_bInTransaction = false;
    bool m_bInLedgerBal = false;
    bool m_bInAvailBal = false;
    bool m_bInSignOn = false;
    bool m_bInCardStatement = false;
    QString m_strOrg;
};

void COfxImporter::Transaction(QByteArrayView tag, QByteArrayView value)
{
    CReceipt& line = *m_line;
    if (tag == "TRNTYPE") {
        const int nCat = m_types.Lookup(Text(value));
        line.m_nCat = static_cast<std::uint8_t>(m_bInCardStatement ? m_nCardCat : nCat);
    } else if (tag == "DTPOSTED") {
        line.m_date = COfxValue::ParseDate(value);
    } else if (tag == "TRNAMT") {
        line.m_nAmount = COfxValue::ParseAmount(value);
    } else if (tag == "NAME") {
        line.m_strDesc = Cut(Text(value), MAX_NAME);
        TrimRight(line.m_strDesc);
        TrimLeft(line.m_strDesc);
    } else if (tag == "MEMO") {
        line.m_strDesc += QStringLiteral("；") + Cut(Text(value), MAX_MEMO);
        TrimRight(line.m_strDesc);
    } else if (tag == "/STMTTRN") {
        m_bInTransaction = false;
        Finish();
    }
}

void COfxImporter::Balance(QByteArrayView tag, QByteArrayView value)
{
    CReceipt& line = *m_line;
    if (tag == "DTASOF") {
        line.m_date = COfxValue::ParseDate(value);
    } else if (tag == "BALAMT") {
        line.m_nCat = static_cast<std::uint8_t>(m_nBalCat);
        line.m_nAmount = COfxValue::ParseAmount(value);
        line.m_strDesc = QStringLiteral("残高");
        if (!m_strOrg.isEmpty())
            line.m_strDesc += QStringLiteral("（") + m_strOrg + QStringLiteral("）");
    } else if (tag == "/LEDGERBAL") {
        m_bInLedgerBal = false;
        Finish();
    } else if (tag == "/AVAILBAL") {
        m_bInAvailBal = false;
        Finish();
    }
}

void COfxImporter::Run()
{
    COfxElementReader reader(m_text);
    QByteArrayView tag;
    QByteArrayView value;
    while (reader.Next(tag, value)) {
        if (tag == "STMTTRN") {
            m_bInTransaction = true;
            m_line.emplace(); // an unfinished transaction is lost
        } else if (m_line && m_bInTransaction) {
            Transaction(tag, value);
        } else if (tag == "LEDGERBAL") {
            m_bInLedgerBal = true;
            m_line.emplace();
        } else if (tag == "AVAILBAL") {
            m_bInAvailBal = true;
            m_line.emplace();
        } else if (m_line && (m_bInLedgerBal || m_bInAvailBal)) {
            Balance(tag, value);
        } else if (tag == "SIGNONMSGSRSV1") {
            m_bInSignOn = true;
        } else if (m_bInSignOn) {
            if (tag == "ORG")
                m_strOrg = Cut(Text(value), MAX_NAME);
            else if (tag == "/SIGNONMSGSRSV1")
                m_bInSignOn = false;
        } else if (tag == "CCSTMTTRNRS") {
            m_bInCardStatement = true;
        } else if (tag == "/CCSTMTTRNRS") {
            m_bInCardStatement = false;
        }
    }
    // A line that was never closed is not taken.
}

} // namespace

qsizetype FindOfxStatement(QByteArrayView bytes)
{
    const QByteArrayView text = SkipBlanksAndMark(bytes);
    const qsizetype nStart = bytes.size() - text.size();
    if (text.startsWith("OFXHEADER:100"))
        return text.size() > 13 ? nStart : -1;

    // The XML form: declarations and comments, one of which is the "<?OFX" header.
    qsizetype n = 0;
    while (n < text.size()) {
        const QByteArrayView rest = text.sliced(n);
        qsizetype nNext;
        if (rest.startsWith("<?")) {
            if (rest.startsWith("<?OFX") && rest.size() > 5 && IsBlank(rest[5]))
                return nStart;
            nNext = rest.indexOf("?>");
            if (nNext < 0)
                return -1;
            n += nNext + 2;
        } else if (rest.startsWith("<!--")) {
            nNext = rest.indexOf("-->");
            if (nNext < 0)
                return -1;
            n += nNext + 3;
        } else {
            return -1;
        }
        while (n < text.size() && IsBlank(text[n]))
            ++n;
    }
    return -1;
}

bool ImportOfx(QByteArrayView text, std::vector<CReceipt>& lines, std::vector<CCategory>& cats)
{
    return ImportOfx(text, COfxProp::Load(), lines, cats);
}

bool ImportOfx(QByteArrayView text, const COfxProp& prop, std::vector<CReceipt>& lines,
               std::vector<CCategory>& cats)
{
    if (cats.size() + 3 > MAX_CATEGORIES)
        return false;
    COfxImporter importer(text, prop, lines, cats);
    importer.Run();
    return true;
}

#include "persist/RegisterCsv.h"

#include "model/AmountText.h"
#include "model/CategoryAttr.h"
#include "model/DateText.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace {

QString CleanField(const QString& str)
{
    QString result = str;
    for (QChar& c : result) {
        if (c.unicode() < 0x20 && c != u'\t')
            c = u' ';
    }
    return result;
}

// Quoted, inner quotes doubled, when a reader could take the text apart.
QString QuoteField(const QString& str, bool bAlways = false)
{
    const QString clean = CleanField(str);
    if (!bAlways && !clean.contains(u',') && !clean.contains(u'"'))
        return clean;
    QString quoted = clean;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

class CCsvScanner
{
public:
    CCsvScanner(QStringView text, QChar cSep) : m_text(text), m_cSep(cSep) {}

    bool AtEnd() const { return m_nPos >= m_text.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : m_text[m_nPos]; }
    bool AtSeparator() const { return !AtEnd() && m_text[m_nPos] == m_cSep; }
    // Consumes a separator; false when there is none here.
    bool Separator()
    {
        if (!AtSeparator())
            return false;
        ++m_nPos;
        return true;
    }
    void SetPos(qsizetype nPos) { m_nPos = nPos; }
    qsizetype Pos() const { return m_nPos; }

    // The text up to the next separator (or the end), not consuming it.
    QStringView Field()
    {
        const qsizetype nStart = m_nPos;
        while (!AtEnd() && m_text[m_nPos] != m_cSep)
            ++m_nPos;
        return m_text.sliced(nStart, m_nPos - nStart);
    }

    // A quoted text: "" inside stands for one quote; the field ends at the
    // closing quote or at the end of the line (bClosed tells which).
    QString Quoted(bool& bClosed)
    {
        QString str;
        ++m_nPos; // opening quote
        bClosed = false;
        while (!AtEnd()) {
            const QChar c = m_text[m_nPos++];
            if (c == u'"') {
                if (Peek() == u'"') {
                    str += c;
                    ++m_nPos;
                    continue;
                }
                bClosed = true;
                break;
            }
            str += c;
        }
        return str;
    }

    // A name: quoted (the closing quote followed by a separator) or the text
    // up to the next separator, which must exist.
    std::optional<QString> Name()
    {
        if (Peek() == u'"') {
            bool bClosed;
            QString str = Quoted(bClosed);
            if (!bClosed || !AtSeparator())
                return std::nullopt;
            return str;
        }
        QString str = Field().toString();
        if (!AtSeparator())
            return std::nullopt;
        return str;
    }

private:
    QStringView m_text;
    QChar m_cSep;
    qsizetype m_nPos = 0;
};

// "%d" as a scan reads it, but checked: leading white space, a sign, digits
// that must fit an int. An overflowing number is no date at all.
enum class ScanResult { NoNumber, Ok, Overflow };

ScanResult ScanInt(QStringView text, qsizetype& nPos, int& nValue)
{
    qsizetype i = nPos;
    while (i < text.size() && (text[i] == u' ' || (text[i].unicode() >= 9 && text[i].unicode() <= 13)))
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        bNegative = text[i] == u'-';
        ++i;
    }
    const qsizetype nDigits = i;
    std::int64_t n = 0;
    bool bOverflow = false;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        if (!bOverflow) {
            n = n * 10 + (text[i].unicode() - u'0');
            bOverflow = n > std::int64_t(std::numeric_limits<int>::max()) + 1;
        }
        ++i;
    }
    if (i == nDigits)
        return ScanResult::NoNumber;
    if (bNegative)
        n = -n;
    if (bOverflow || n > std::numeric_limits<int>::max() || n < std::numeric_limits<int>::min())
        return ScanResult::Overflow;
    nValue = int(n);
    nPos = i;
    return ScanResult::Ok;
}

// The date field: "0" alone is no date; otherwise up to three integers
// "%d/%d/%d" with the year rule.
bool ParseDate(QStringView field, PackedDate& date)
{
    const QStringView text = field;
    if (field == u"0") {
        date = 0;
        return true;
    }
    int n[3] = {0, 0, 0};
    int nRead = 0;
    qsizetype nPos = 0;
    while (nRead < 3) {
        if (nRead > 0) {
            if (nPos >= text.size() || text[nPos] != u'/')
                break;
            ++nPos;
        }
        const ScanResult result = ScanInt(text, nPos, n[nRead]);
        if (result == ScanResult::Overflow)
            return false;
        if (result == ScanResult::NoNumber)
            break;
        ++nRead;
    }
    if (nRead == 0)
        return false;
    int nYear = n[0];
    if (nYear < 0 || nYear > 9999)
        return false;
    if (nYear < 100)
        nYear += (1900 + nYear >= 1960) ? 1900 : 2000;
    int nMonth = 0;
    int nDay = 0;
    if (nRead >= 2) {
        nMonth = n[1];
        if (nMonth < 0 || nMonth > 12)
            return false;
    }
    if (nRead == 3) {
        nDay = n[2];
        if (nDay < 0 || nDay > 31)
            return false;
    }
    // A day without its month is no date the ledger can show or write back:
    // "2020/0/3" stands for the whole year, as "2020" does.
    if (nMonth == 0)
        nDay = 0;
    date = MakeDate(nYear, nMonth, nDay);
    return true;
}

// An amount field: empty (0), or plain decimal syntax (a sign, digits, one
// point) that fits an amount. Read exactly in ten-thousandths, digits beyond
// the fourth decimal truncated toward zero, so every amount the writer puts
// down comes back unchanged however large it is.
bool ParseAmount(QStringView field, Amount& nAmount)
{
    if (field.isEmpty()) {
        nAmount = 0;
        return true;
    }
    qsizetype i = 0;
    bool bNegative = false;
    if (field[0] == u'+' || field[0] == u'-') {
        bNegative = field[0] == u'-';
        ++i;
    }
    int nDigits = 0;
    int nFraction = -1; // digits after the point; -1 before it
    std::uint64_t nValue = 0;
    constexpr std::uint64_t kLimit = std::uint64_t(std::numeric_limits<Amount>::max()) + 1;
    for (; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == u'.' && nFraction < 0) {
            nFraction = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return false;
        ++nDigits;
        if (nFraction >= 0 && ++nFraction > 4)
            continue;
        if (nValue > kLimit / 10)
            return false;
        nValue = nValue * 10 + std::uint64_t(c.unicode() - u'0');
        if (nValue > kLimit)
            return false;
    }
    if (nDigits == 0)
        return false;
    for (int k = std::max(nFraction, 0); k < 4; ++k) {
        if (nValue > kLimit / 10)
            return false;
        nValue *= 10;
    }
    if (nValue > kLimit || (!bNegative && nValue == kLimit))
        return false;
    nAmount = bNegative ? Amount(0u - nValue) : Amount(nValue);
    return true;
}

// An attribute field: empty (when allowed) or one digit, then a separator.
bool ParseAttr(CCsvScanner& scan, bool bAllowEmpty, int& nAttr)
{
    if (scan.AtSeparator()) {
        nAttr = 0;
        return bAllowEmpty && scan.Separator();
    }
    const QChar c = scan.Peek();
    if (c < u'0' || c > u'9')
        return false;
    nAttr = c.unicode() - u'0';
    scan.SetPos(scan.Pos() + 1);
    return scan.Separator();
}

// Finds a name among the categories, the ones this line adds included.
int FindCategory(const std::vector<CCategory>& cats, const std::vector<CCategory>& added, const QString& strName)
{
    for (size_t i = 0; i < cats.size(); ++i) {
        if (cats[i].m_strName == strName)
            return int(i);
    }
    for (size_t i = 0; i < added.size(); ++i) {
        if (added[i].m_strName == strName)
            return int(cats.size() + i);
    }
    return -1;
}

} // namespace

CReceipt CRegisterCsv::RawLine(QStringView text)
{
    CReceipt line;
    line.m_nFlags = CReceipt::RF_RAW_TEXT;
    // TAB stays: a raw line written back must read as the same raw line, and
    // with its tabs turned into spaces it could read as a different line.
    QString str = text.toString();
    for (QChar& c : str) {
        if (c.unicode() < 0x20 && c != u'\t')
            c = u' ';
    }
    line.m_strDesc = str;
    return line;
}

QString CRegisterCsv::FormatCsvLine(const CReceipt& line, const std::vector<CCurFmt>& curs,
                                    const std::vector<CCategory>& cats)
{
    if (line.m_nFlags & CReceipt::RF_RAW_TEXT)
        return CleanField(line.m_strDesc) + u"\r\n";

    const auto attrOf = [&](int nCat) { return size_t(nCat) < cats.size() ? cats[size_t(nCat)].m_nAttr : 0; };
    const auto nameOf = [&](int nCat) {
        return size_t(nCat) < cats.size() ? cats[size_t(nCat)].m_strName : QString();
    };
    const auto digit = [](int nAttr) { return QString(QChar(u'0' + ((nAttr >= 0 && nAttr <= 9) ? nAttr : 0))); };

    QString str = CDateText::FormatDate(line.m_date);
    str += u',';
    if (line.m_nCur != 0 && line.m_nCur < curs.size()) {
        // A symbol that starts with a digit would read as the older layout
        // without currency; quoted it reads back as itself.
        const QString& strSymbol = curs[line.m_nCur].m_strSymbol;
        str += QuoteField(strSymbol, !strSymbol.isEmpty() && strSymbol[0] >= u'0' && strSymbol[0] <= u'9');
    }
    str += u',';
    const int nAttr = attrOf(line.m_nCat);
    str += digit(nAttr);
    str += u',';
    str += QuoteField(nameOf(line.m_nCat));
    str += u',';
    str += CAmountText::FormatPlain(line.m_nAmount);
    if (nAttr == ATTR_CARRYOVER || line.m_nCat2 == 0) {
        str += u",,,";
    } else {
        str += u',';
        str += digit(attrOf(line.m_nCat2));
        str += u',';
        str += QuoteField(nameOf(line.m_nCat2));
        str += u',';
        str += CAmountText::FormatPlain(line.m_nAmount2);
    }
    str += u',';
    str += QuoteField(line.m_strDesc);
    str += u"\r\n";
    return str;
}

bool CRegisterCsv::ParseCsvLine(QStringView text, std::vector<CCurFmt>& curs, std::vector<CCategory>& cats,
                                CReceipt& line)
{
    const auto fail = [&] {
        line = RawLine(text);
        return false;
    };

    line = CReceipt();
    qsizetype nSep = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u',' || text[i] == u'\t') {
            nSep = i;
            break;
        }
    }
    if (nSep < 0)
        return fail();
    if (!ParseDate(text.first(nSep), line.m_date))
        return fail();

    CCsvScanner scan(text, text[nSep]);
    scan.SetPos(nSep + 1);

    // Entries this line adds, appended only when the whole line has been read.
    std::vector<CCurFmt> addedCurs;
    std::vector<CCategory> addedCats;

    // Currency.
    if (scan.AtSeparator()) {
        line.m_nCur = 0;
    } else {
        const QChar c = scan.Peek();
        if (c >= u'0' && c <= u'9')
            return fail();
        const std::optional<QString> symbol = scan.Name();
        if (!symbol)
            return fail();
        size_t nCur = 0;
        while (nCur < curs.size() && curs[nCur].m_strSymbol != *symbol)
            ++nCur;
        if (nCur == curs.size()) {
            if (curs.size() >= MaxListSize)
                return fail();
            CCurFmt cur;
            cur.m_strSymbol = *symbol;
            cur.m_nDecimals = 2;
            cur.m_nSymbolPos = 0;
            addedCurs.push_back(cur);
        }
        line.m_nCur = std::uint8_t(nCur);
    }
    scan.Separator();

    // Main attribute and category.
    int nAttr = 0;
    if (!ParseAttr(scan, false, nAttr))
        return fail();
    const auto category = [&](int nCatAttr, std::uint8_t& nCat) {
        const std::optional<QString> name = scan.Name();
        if (!name)
            return false;
        if (name->isEmpty()) {
            nCat = 0;
        } else {
            int n = FindCategory(cats, addedCats, *name);
            if (n < 0) {
                if (cats.size() + addedCats.size() >= MaxListSize)
                    return false;
                addedCats.emplace_back(nCatAttr, *name);
                n = int(cats.size() + addedCats.size() - 1);
            }
            nCat = std::uint8_t(n);
        }
        return scan.Separator();
    };
    if (!category(nAttr, line.m_nCat))
        return fail();

    // Amount 1: the field must end at a separator, not at the line's end.
    if (!ParseAmount(scan.Field(), line.m_nAmount) || !scan.Separator())
        return fail();

    // Counter attribute, category and amount.
    int nAttr2 = 0;
    if (!ParseAttr(scan, true, nAttr2))
        return fail();
    if (scan.AtSeparator()) {
        line.m_nCat2 = 0;
        scan.Separator();
    } else if (!category(nAttr2, line.m_nCat2)) {
        return fail();
    }
    if (!ParseAmount(scan.Field(), line.m_nAmount2))
        return fail();

    // Description; a line without its separator has an empty one.
    if (scan.Separator()) {
        if (scan.Peek() == u'"') {
            bool bClosed;
            line.m_strDesc = scan.Quoted(bClosed);
        } else {
            line.m_strDesc = text.sliced(scan.Pos()).toString();
        }
    }

    curs.insert(curs.end(), addedCurs.begin(), addedCurs.end());
    cats.insert(cats.end(), addedCats.begin(), addedCats.end());
    return true;
}

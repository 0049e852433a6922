#include "memo/DailyRec.h"

#include <algorithm>

namespace {

// Symbols of the weather positions 0, 2, 4 and of the transitions 1, 3.
constexpr char16_t kWeather[10] = {0x25CB, 0xE000, 0x25CE, 0x25CF, 0xE001,
                                   0xE002, 0xE003, 0xE004, 0xFF0F, 0xE005};
constexpr char16_t kTransition[10] = {0xFF0F, 0xE005, 0xFF5C, 0x2225, 0xE006,
                                      0xE007, 0xE008, 0xE009, 0xE009, 0xE009};

struct WorkCode
{
    unsigned nCode;
    const char16_t* pszText;
    const char16_t* pszSuffix;
};

constexpr WorkCode kWorkCodes[16] = {
    {0x10, u"Ｈ", u"123"},    {0x20, u"Ｄ", u"YRBIO"}, {0x30, u"Ｎi", u"123IO"},
    {0x40, u"Ｎo", u"123IO"}, {0x50, u"出張", u""},    {0x80, u"休み", u""},
    {0x81, u"4/5休", u""},    {0x82, u"8/9休", u""},   {0x85, u"振休", u""},
    {0x96, u"代休", u""},     {0x90, u"年休", u""},    {0x91, u"夏休", u""},
    {0x92, u"リフ", u""},     {0x93, u"特休", u""},    {0x94, u"病休", u""},
    {0xA0, u"職免", u""},
};

constexpr char16_t kMarkLetters[8] = {u'R', u'B', u'G', u'C', u'A', u'b', u'F', u'H'};

constexpr int kMonthOffset[12] = {306, 337, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275};

int MonthLength(int nYear, int nMonth)
{
    static constexpr int kLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (nMonth == 2 && nYear % 4 == 0)
        return 29;
    return kLength[nMonth - 1];
}

// Reads a text from left to right. Numbers accumulate modulo 2^32, so no
// input can overflow.
class CScanner
{
public:
    explicit CScanner(QStringView text) : m_text(text) {}

    bool AtEnd() const { return m_nPos >= m_text.size(); }
    char16_t Peek() const { return AtEnd() ? char16_t(0) : m_text[m_nPos].unicode(); }
    void Next() { ++m_nPos; }
    qsizetype Pos() const { return m_nPos; }
    void SetPos(qsizetype nPos) { m_nPos = nPos; }
    void SkipSpaces()
    {
        while (Peek() == u' ')
            ++m_nPos;
    }
    bool StartsWith(QStringView str) const { return m_text.sliced(m_nPos).startsWith(str); }
    void Skip(qsizetype n) { m_nPos += n; }

    static int DigitValue(char16_t c, int nBase)
    {
        const int n = (c >= u'0' && c <= u'9') ? int(c - u'0') : 99;
        return n < nBase ? n : -1;
    }
    bool PeekDigit(int nBase = 10) const { return !AtEnd() && DigitValue(Peek(), nBase) >= 0; }

    // Digits only; no digits give 0.
    std::uint32_t ReadDigits(int nBase = 10)
    {
        std::uint32_t n = 0;
        int d;
        while (!AtEnd() && (d = DigitValue(Peek(), nBase)) >= 0) {
            n = n * std::uint32_t(nBase) + std::uint32_t(d);
            ++m_nPos;
        }
        return n;
    }
    // An optional sign followed by digits.
    std::uint32_t ReadNumber(int nBase = 10)
    {
        bool bNegative = false;
        if (Peek() == u'+' || Peek() == u'-') {
            bNegative = Peek() == u'-';
            ++m_nPos;
        }
        const std::uint32_t n = ReadDigits(nBase);
        return bNegative ? 0u - n : n;
    }

private:
    QStringView m_text;
    qsizetype m_nPos = 0;
};

QString WorkCodeText(unsigned nCode)
{
    if (nCode == 0)
        return QString();
    for (const WorkCode& code : kWorkCodes) {
        if (code.nCode == nCode)
            return QString::fromUtf16(code.pszText);
    }
    for (int i = 0; i < 4; ++i) {
        const WorkCode& code = kWorkCodes[i];
        const QStringView suffix(code.pszSuffix);
        if (nCode > code.nCode && nCode <= code.nCode + unsigned(suffix.size()))
            return QString::fromUtf16(code.pszText) + suffix[nCode - code.nCode - 1];
    }
    return QString();
}

unsigned ReadWorkCode(CScanner& scan)
{
    for (int i = 15; i >= 0; --i) {
        const WorkCode& code = kWorkCodes[i];
        const QStringView text(code.pszText);
        if (!scan.StartsWith(text))
            continue;
        scan.Skip(text.size());
        unsigned nCode = code.nCode;
        if (i < 4 && !scan.AtEnd()) {
            const qsizetype nPlace = QStringView(code.pszSuffix).indexOf(QChar(scan.Peek()));
            if (nPlace >= 0) {
                nCode += unsigned(nPlace) + 1;
                scan.Next();
            }
        }
        return nCode;
    }
    return 0;
}

// One time of day; false when the text is no acceptable time.
bool ReadTime(CScanner& scan, std::int16_t& nTime)
{
    scan.SkipSpaces();
    if (scan.Peek() == u'-') {
        while (scan.Peek() == u'-')
            scan.Next();
        nTime = CDailyRec::DashTime;
        return true;
    }
    if (!scan.PeekDigit()) {
        nTime = CDailyRec::NoTime;
        return true;
    }
    const std::uint32_t nHour = scan.ReadDigits();
    if (scan.AtEnd()) {
        nTime = CDailyRec::NoTime;
        return false;
    }
    if (scan.Peek() != u':') {
        scan.Next();
        nTime = CDailyRec::NoTime;
        return true;
    }
    scan.Next();
    const std::uint32_t nMinute = scan.ReadDigits();
    // Minutes of 60 or more or a time beyond the day would not read back as
    // the same text, so they are not taken.
    if (nMinute >= 60 || nHour > 23) {
        nTime = CDailyRec::NoTime;
        return false;
    }
    nTime = std::int16_t(nHour * 60 + nMinute);
    return true;
}

// The four times of a group exactly as the export writes them: four slots
// joined by single spaces, each empty or five characters ("%2d:%02d" or
// "-----"). Read by position, so that a time after an empty slot keeps its
// place. False when the text is not of that form.
bool ReadExportedTimes(QStringView text, std::int16_t* pTimes, bool& bOk)
{
    const auto isTime = [&](qsizetype n) {
        if (n + 5 > text.size())
            return false;
        const QStringView slot = text.sliced(n, 5);
        if (slot == u"-----")
            return true;
        const auto digit = [](QChar c) { return c >= u'0' && c <= u'9'; };
        return (slot[0] == u' ' || digit(slot[0])) && digit(slot[1]) && slot[2] == u':' && digit(slot[3])
            && digit(slot[4]);
    };
    std::int16_t times[4];
    bool bAllOk = true;
    qsizetype n = 0;
    for (int k = 0; k < 4; ++k) {
        if (k > 0) {
            if (n >= text.size() || text[n] != u' ')
                return false;
            ++n;
        }
        if (isTime(n)) {
            CScanner scan(text.sliced(n, 5));
            if (!ReadTime(scan, times[k]) || !scan.AtEnd())
                bAllOk = false;
            n += 5;
        } else {
            times[k] = CDailyRec::NoTime;
        }
    }
    if (n != text.size())
        return false;
    std::copy(times, times + 4, pTimes);
    bOk = bAllOk;
    return true;
}

QString TimeText(std::int16_t nTime)
{
    if (nTime == CDailyRec::DashTime)
        return QStringLiteral("-----");
    if ((nTime & 0xFFF) >= 1440)
        return QString();
    return QString::asprintf("%2d:%02d", nTime / 60, nTime % 60);
}

QString CleanComment(QStringView text)
{
    QString str = text.toString();
    for (QChar& c : str) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return str;
}

} // namespace

CDailyRec::CDailyRec(std::int32_t date)
    : m_date(date), m_nWeather(0), m_nWork(0), m_nMarks(0), m_nFigures(0), m_wFlags(0)
{
    std::fill(std::begin(m_nTimes), std::end(m_nTimes), NoTime);
}

bool CDailyRec::IsEmpty() const
{
    if (m_nWeather || m_nWork || m_nMarks || m_nFigures || m_wFlags || !m_astrComments.isEmpty())
        return false;
    return std::all_of(std::begin(m_nTimes), std::end(m_nTimes), [](std::int16_t t) { return t == NoTime; });
}

int CDailyRec::DayOfWeek(int nYear, int nMonth, int nDay)
{
    if (nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > MonthLength(nYear, nMonth))
        return -1;
    const int nY = nMonth <= 2 ? nYear - 1 : nYear;
    const int n = (nY * 1461) / 4 + kMonthOffset[nMonth - 1] + nDay - 15833;
    return ((n % 7) + 7) % 7;
}

QString CDailyRec::WeekdayName(int nDayOfWeek)
{
    static constexpr char16_t kNames[7] = {u'日', u'月', u'火', u'水', u'木', u'金', u'土'};
    if (nDayOfWeek < 0 || nDayOfWeek > 6)
        return QString();
    return QString(QChar(kNames[nDayOfWeek]));
}

bool CDailyRec::IsRealDay(std::int32_t date)
{
    return DayOfWeek(date >> 16, std::int8_t(date >> 8), std::int8_t(date)) >= 0;
}

QString CDailyRec::GetFieldText(int nField) const
{
    switch (nField) {
    case MF_DAYNAME:
        return WeekdayName(DayOfWeek(m_date >> 16, std::int8_t(m_date >> 8), std::int8_t(m_date)));
    case MF_DATE:
        return QString::asprintf("%02d/%2d/%2d", (m_date >> 16) % 100, int(std::int8_t(m_date >> 8)),
                                 int(std::int8_t(m_date)));
    case MF_WEATHER: {
        QString str;
        for (int i = 0; i < 5; ++i) {
            const unsigned v = (m_nWeather >> (4 * i)) & 0xF;
            if (v >= 1 && v <= 10)
                str += QChar((i % 2 == 0 ? kWeather : kTransition)[v - 1]);
        }
        return str;
    }
    case MF_WORK: {
        QString str = WorkCodeText(m_nWork & 0xFF);
        const unsigned nMark = (m_nWork >> 8) & 0xFF;
        if (nMark != 0) {
            if (nMark & 0x20)
                str += QStringLiteral(" AM");
            else if (nMark & 0x40)
                str += QStringLiteral(" PM");
            if (!(nMark & 0x60))
                str += QChar(char16_t(0x30 + nMark));
            else if ((nMark & 0x9F) != 4)
                str += QChar(char16_t(0x30 + (nMark & 0x9F)));
            str += u' ';
            str += WorkCodeText((m_nWork >> 16) & 0xFF);
        }
        return str;
    }
    case MF_OVERTIME: {
        const unsigned n = m_nWork >> 24;
        return n ? QStringLiteral("超勤") + QString::number(n) : QString();
    }
    case MF_MARKS: {
        QString str;
        for (int i = 0; i < 8; ++i) {
            const unsigned n = (m_nMarks >> (4 * i)) & 0xF;
            if (n == 0)
                continue;
            str += QChar(kMarkLetters[i]);
            if (n >= 2)
                str += QChar(char16_t(0x30 + n));
        }
        return str;
    }
    case MF_FIGURES: {
        const int n0 = int(m_nFigures & 0xFF);
        const int n1 = int((m_nFigures >> 8) & 0xFF);
        const int n2 = int(std::int8_t(m_nFigures >> 16));
        if (n2 == 0 && n0 == 0 && n1 == 0)
            return QString();
        // A three-digit second number keeps a space before it, so that the
        // two numbers read back apart.
        QString str = QString::asprintf(n1 >= 100 ? "%2d %d" : "%2d%3d", n0, n1);
        if (n2 != 0)
            str += QString::asprintf(" %+d", n2);
        return str;
    }
    case MF_FLAGS:
        return m_wFlags ? QString::number(m_wFlags, 8) : QString();
    default:
        break;
    }
    if (nField >= MF_TIME0 && nField <= MF_TIME7)
        return TimeText(m_nTimes[nField - MF_TIME0]);
    if (nField >= MF_COMMENT0) {
        const qsizetype i = nField - MF_COMMENT0;
        return i < m_astrComments.size() ? m_astrComments.at(i) : QString();
    }
    return QString();
}

bool CDailyRec::SetFieldText(int nField, QStringView text)
{
    CScanner scan(text);
    switch (nField) {
    case MF_WEATHER: {
        std::uint32_t nWeather = 0;
        for (int i = 0; i < 5; ++i) {
            const char16_t* pSymbols = i % 2 == 0 ? kWeather : kTransition;
            const char16_t c = scan.Peek();
            if (scan.AtEnd())
                break;
            for (unsigned v = 0; v < 10; ++v) {
                if (pSymbols[v] == c) {
                    nWeather |= (v + 1) << (4 * i);
                    scan.Next();
                    break;
                }
            }
        }
        m_nWeather = nWeather;
        break;
    }
    case MF_WORK: {
        const unsigned nFirst = ReadWorkCode(scan);
        unsigned nMark = 0;
        unsigned nSecond = 0;
        const qsizetype nAfterFirst = scan.Pos();
        if (scan.StartsWith(u" AM") || scan.StartsWith(u" PM")) {
            scan.Skip(1);
            nMark = scan.Peek() == u'A' ? 0x20 : 0x40;
            scan.Skip(2);
            if (scan.PeekDigit()) {
                nMark += unsigned(scan.Peek() - u'0');
                scan.Next();
            } else {
                nMark += 4;
            }
            if (scan.Peek() == u' ')
                scan.Next();
            nSecond = ReadWorkCode(scan);
            if (nSecond == 0)
                scan.SetPos(nAfterFirst);
        }
        m_nWork = (m_nWork & 0xFF000000u) | nFirst | (nMark << 8) | (nSecond << 16);
        break;
    }
    case MF_OVERTIME: {
        std::uint32_t n = 0;
        if (scan.StartsWith(u"超勤")) {
            scan.Skip(2);
            n = scan.ReadNumber() & 0xFF;
        }
        m_nWork = (m_nWork & 0x00FFFFFFu) | (n << 24);
        break;
    }
    case MF_MARKS: {
        std::uint32_t nMarks = 0;
        while (!scan.AtEnd() && scan.Peek() > 0x40) {
            const char16_t* pLetter = std::find(std::begin(kMarkLetters), std::end(kMarkLetters), scan.Peek());
            if (pLetter == std::end(kMarkLetters)) {
                nMarks = 0;
                break;
            }
            scan.Next();
            unsigned nCount = 1;
            if (scan.PeekDigit()) {
                nCount = unsigned(scan.Peek() - u'0');
                scan.Next();
            }
            // Counts stop at 9: the text form carries one digit, and a count
            // past the nibble would spill into the next letter.
            const int nShift = int(pLetter - kMarkLetters) * 4;
            const unsigned nOld = (nMarks >> nShift) & 0xF;
            const unsigned nNew = std::min(nOld + nCount, 9u);
            nMarks = (nMarks & ~(0xFu << nShift)) | (nNew << nShift);
        }
        m_nMarks = nMarks;
        break;
    }
    case MF_FIGURES: {
        std::uint32_t n[3];
        for (std::uint32_t& v : n) {
            scan.SkipSpaces();
            v = scan.ReadNumber() & 0xFF;
        }
        m_nFigures = n[0] | (n[1] << 8) | (n[2] << 16);
        break;
    }
    case MF_FLAGS:
        m_wFlags = std::uint16_t(scan.ReadNumber(8));
        break;
    default:
        if (nField >= MF_TIME0 && nField <= MF_TIME7) {
            if (!ReadTime(scan, m_nTimes[nField - MF_TIME0]))
                return false;
            break;
        }
        if (nField >= MF_COMMENT0) {
            const qsizetype i = nField - MF_COMMENT0;
            const qsizetype nEnd = text.indexOf(u"\r\n");
            const QString str = CleanComment(nEnd >= 0 ? text.first(nEnd) : text);
            if (str.isEmpty() && i >= m_astrComments.size())
                return true;
            while (m_astrComments.size() <= i)
                m_astrComments.append(QString());
            m_astrComments[i] = str;
            TrimComments();
            return true;
        }
        return false;
    }
    return scan.AtEnd();
}

std::int32_t CDailyRec::GetFieldValue(int nField) const
{
    switch (nField) {
    case MF_WEATHER: return std::int32_t(m_nWeather);
    case MF_WORK: return std::int32_t(m_nWork);
    case MF_OVERTIME: return std::int32_t(m_nWork >> 24);
    case MF_MARKS: return std::int32_t(m_nMarks);
    case MF_FIGURES: return std::int32_t(m_nFigures);
    case MF_FLAGS: return m_wFlags;
    default: break;
    }
    if (nField >= MF_TIME0 && nField <= MF_TIME7)
        return m_nTimes[nField - MF_TIME0];
    if (nField > MF_TIME7)
        return 0;
    return m_date;
}

bool CDailyRec::SetFieldValue(int nField, std::int32_t nValue)
{
    const auto n = std::uint32_t(nValue);
    switch (nField) {
    case MF_WEATHER: m_nWeather = n; return true;
    case MF_WORK: m_nWork = (m_nWork & 0xFF000000u) | (n & 0x00FFFFFFu); return true;
    case MF_OVERTIME: m_nWork = (m_nWork & 0x00FFFFFFu) | ((n & 0xFF) << 24); return true;
    case MF_MARKS: m_nMarks = n; return true;
    case MF_FIGURES: m_nFigures = n; return true;
    case MF_FLAGS: m_wFlags = std::uint16_t(n); return true;
    default: break;
    }
    if (nField >= MF_TIME0 && nField <= MF_TIME7) {
        m_nTimes[nField - MF_TIME0] = std::int16_t(n);
        return true;
    }
    return false;
}

QString CDailyRec::GetCommentText(QStringView separator) const
{
    return m_astrComments.join(separator);
}

void CDailyRec::SetCommentText(QStringView text, QStringView separator)
{
    m_astrComments.clear();
    if (text.isEmpty())
        return;
    for (QStringView part : text.split(separator))
        m_astrComments.append(CleanComment(part));
    TrimComments();
}

void CDailyRec::TrimComments()
{
    while (!m_astrComments.isEmpty() && m_astrComments.constLast().isEmpty())
        m_astrComments.removeLast();
}

QString CDailyRec::FormatMemoLine() const
{
    const int nYear = m_date >> 16;
    const int nMonth = std::int8_t(m_date >> 8);
    const int nDay = std::int8_t(m_date);
    QString str = QString::asprintf("%4d/%02d/%02d ", nYear, nMonth, nDay);
    str += WeekdayName(DayOfWeek(nYear, nMonth, nDay));
    for (int nField = MF_WEATHER; nField <= MF_FLAGS; ++nField) {
        str += u'\t';
        str += GetFieldText(nField);
    }
    for (int nGroup = 0; nGroup < 2; ++nGroup) {
        str += u'\t';
        const std::int16_t* pTimes = m_nTimes + 4 * nGroup;
        if (nGroup == 1 && std::all_of(pTimes, pTimes + 4, [](std::int16_t t) { return t < 0; }))
            continue;
        for (int k = 0; k < 4; ++k) {
            if (k)
                str += u' ';
            str += TimeText(pTimes[k]);
        }
    }
    str += u'\t';
    const QString strComments = GetCommentText(u";;");
    // Quoted when a comma could be taken as the separator, or when a leading
    // quote would otherwise be dropped on reading.
    if (strComments.contains(u',') || strComments.startsWith(u'"'))
        str += u'"' + strComments + u'"';
    else
        str += strComments;
    return str;
}

bool CDailyRec::ParseMemoLine(QStringView line)
{
    // The date, as a "%d/%d/%d" scan reads it.
    CScanner scan(line);
    int nDate[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (scan.Peek() != u'/')
                return false;
            scan.Next();
        }
        while (scan.Peek() == u' ' || scan.Peek() == u'\t')
            scan.Next();
        const qsizetype nStart = scan.Pos();
        const char16_t cSign = scan.Peek();
        if (cSign == u'+' || cSign == u'-')
            scan.Next();
        if (!scan.PeekDigit())
            return false;
        scan.SetPos(nStart);
        nDate[i] = int(scan.ReadNumber());
    }
    int nYear = nDate[0];
    if (!((nYear >= 0 && nYear <= 99) || (nYear >= 1960 && nYear <= 2059)))
        return false;
    if (nYear <= 59)
        nYear += 2000;
    else if (nYear <= 99)
        nYear += 1900;
    if (DayOfWeek(nYear, nDate[1], nDate[2]) < 0)
        return false;
    m_date = (nYear << 16) | (nDate[1] << 8) | nDate[2];

    qsizetype nSep = -1;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u',' || line[i] == u'\t') {
            nSep = i;
            break;
        }
    }
    if (nSep < 0)
        return false;
    const QChar cSep = line[nSep];

    // Cut the eight fields before the comments; the comments take the rest.
    QStringView fields[8];
    qsizetype nPos = nSep + 1;
    int nFields = 0;
    bool bComplete = false;
    while (nFields < 8) {
        const qsizetype nNext = line.indexOf(cSep, nPos);
        if (nNext < 0) {
            fields[nFields++] = line.sliced(nPos);
            nPos = line.size();
            break;
        }
        fields[nFields++] = line.sliced(nPos, nNext - nPos);
        nPos = nNext + 1;
        if (nFields == 8)
            bComplete = true;
    }

    bool bOk = bComplete;
    for (int i = 0; i < nFields && i < 6; ++i) {
        QStringView field = fields[i];
        if (i == 5) {
            while (field.startsWith(u' '))
                field = field.sliced(1);
        }
        if (!SetFieldText(MF_WEATHER + i, field))
            bOk = false;
    }
    for (int nGroup = 0; nGroup < 2 && 6 + nGroup < nFields; ++nGroup) {
        bool bTimesOk = true;
        if (ReadExportedTimes(fields[6 + nGroup], m_nTimes + 4 * nGroup, bTimesOk)) {
            bOk = bOk && bTimesOk;
            continue;
        }
        CScanner times(fields[6 + nGroup]);
        for (int k = 0; k < 4; ++k) {
            if (!ReadTime(times, m_nTimes[4 * nGroup + k]))
                bOk = false;
        }
        times.SkipSpaces();
        if (!times.AtEnd())
            bOk = false;
    }
    if (!bComplete)
        return false;

    QStringView comments = line.sliced(nPos);
    if (comments.startsWith(u'"')) {
        comments = comments.sliced(1);
        if (comments.endsWith(u'"'))
            comments.chop(1);
    }
    SetCommentText(comments, u";;");
    return bOk;
}

#include "persist/TextFile.h"

#include "model/CategoryAttr.h"
#include "persist/ArchiveException.h"
#include "persist/LedgerFile.h"
#include "persist/RegisterCsv.h"

#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <optional>

QByteArray CTextFile::EncodeUtf16(const QString& str)
{
    QByteArray bytes(2 + str.size() * 2, Qt::Uninitialized);
    bytes[0] = char(0xFF);
    bytes[1] = char(0xFE);
    char* p = bytes.data() + 2;
    for (qsizetype i = 0; i < str.size(); ++i)
        qToLittleEndian(std::uint16_t(str.at(i).unicode()), p + 2 * i);
    return bytes;
}

QByteArray CTextFile::WriteRegisterCsv(const CLedgerData& data)
{
    QString str;
    str.reserve(qsizetype(data.m_lines.size()) * 40);
    for (const CReceipt& line : data.m_lines)
        str += CRegisterCsv::FormatCsvLine(line, data.m_curs, data.m_cats);
    return EncodeUtf16(str);
}

QByteArray CTextFile::WriteMemoText(const std::vector<CDailyRec>& daily)
{
    QString str = MemoHeader() + u"\r\n";
    for (const CDailyRec& rec : daily) {
        str += rec.FormatMemoLine();
        str += u"\r\n";
    }
    return EncodeUtf16(str);
}

void CTextFile::ReadTextLine(QStringView line, bool& bMemoMode, CLedgerData& data, bool bUndecodable)
{
    if (line.isEmpty())
        return;
    for (QChar c : line) {
        if (c.unicode() < 0x20 && c != u'\t')
            throw CArchiveException(CArchiveException::badFormat);
    }
    if (line.startsWith(MemoHeader())) {
        bMemoMode = true;
        return;
    }
    if (!bMemoMode) {
        if (bUndecodable) {
            // A guess at what the bytes meant would be stored as if it were sure; the
            // user checks the line instead, its text with the replacement characters.
            data.m_lines.push_back(CRegisterCsv::RawLine(line));
            return;
        }
        CReceipt receipt;
        CRegisterCsv::ParseCsvLine(line, data.m_curs, data.m_cats, receipt);
        data.m_lines.push_back(std::move(receipt));
        return;
    }
    CDailyRec rec;
    rec.ParseMemoLine(line);
    // ParseMemoLine leaves the date 0 unless it names a real day.
    if (rec.m_date != 0)
        data.m_daily.push_back(std::move(rec));
}

namespace {

// Lines of code page 932 through one converter, because opening one costs
// more than decoding a line. A converter keeps its error mark, so after a
// line with an error the next line gets a new one.
class CCp932Lines
{
public:
    CCp932Lines() { Open(); }

    QString Decode(QByteArrayView bytes, bool& bUndecodable)
    {
        bUndecodable = false;
        if (!m_decoder->isValid())
            return QString::fromLatin1(bytes);
        QString str = m_decoder->decode(bytes);
        if (!m_decoder->hasError())
            return str;
        Open();

        // Decoded again one character at a time, so that exactly the bytes that
        // have no character become U+FFFD and nothing around them is lost.
        bUndecodable = true;
        str.clear();
        str.reserve(bytes.size());
        QStringDecoder unitDecoder("CP932", QStringDecoder::Flag::Stateless);
        qsizetype i = 0;
        while (i < bytes.size()) {
            const auto b = std::uint8_t(bytes[i]);
            const bool bLead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
            qsizetype nUnit = 1;
            if (bLead && i + 1 < bytes.size()) {
                const auto t = std::uint8_t(bytes[i + 1]);
                if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC))
                    nUnit = 2;
            }
            const QString unit = unitDecoder.decode(bytes.sliced(i, nUnit));
            // The converter marks a byte without character with U+001A or U+FFFD.
            if (unit.size() != 1 || unit[0] == QChar::ReplacementCharacter || (unit[0] == QChar(0x1A) && b != 0x1A))
                str += QChar::ReplacementCharacter;
            else
                str += unit;
            i += nUnit;
        }
        return str;
    }

private:
    // Built in place: a converter moved or reset loses its conversion here.
    void Open() { m_decoder.emplace("CP932", QStringDecoder::Flag::Stateless); }

    std::optional<QStringDecoder> m_decoder;
};

} // namespace

QString CTextFile::DecodeCp932Line(QByteArrayView bytes, bool& bUndecodable)
{
    return CCp932Lines().Decode(bytes, bUndecodable);
}

void CTextFile::ReadTextLines(QByteArrayView text, bool bUtf16, CLedgerData& data)
{
    bool bMemoMode = false;
    if (bUtf16) {
        if (text.size() >= 2 && text[0] == char(0xFF) && text[1] == char(0xFE))
            text = text.sliced(2);
        // A last odd byte is no code unit.
        const qsizetype nUnits = text.size() / 2;
        QString str(nUnits, Qt::Uninitialized);
        for (qsizetype i = 0; i < nUnits; ++i)
            str[i] = QChar(qFromLittleEndian<std::uint16_t>(text.data() + 2 * i));
        const QStringView all(str);
        qsizetype nStart = 0;
        while (nStart <= all.size()) {
            qsizetype nEnd = all.indexOf(u'\n', nStart);
            if (nEnd < 0)
                nEnd = all.size();
            QStringView line = all.sliced(nStart, nEnd - nStart);
            if (line.endsWith(u'\r'))
                line.chop(1);
            ReadTextLine(line, bMemoMode, data);
            nStart = nEnd + 1;
        }
        return;
    }
    // Spreadsheets and bank sites write UTF-8 without a byte-order mark; text
    // in code page 932 is almost never valid UTF-8 as a whole.
    const QByteArrayView utf8Bom("\xEF\xBB\xBF");
    const bool bUtf8 = text.startsWith(utf8Bom) || text.isValidUtf8();
    if (bUtf8 && text.startsWith(utf8Bom))
        text = text.sliced(utf8Bom.size());
    CCp932Lines cp932;
    qsizetype nStart = 0;
    while (nStart <= text.size()) {
        qsizetype nEnd = text.indexOf('\n', nStart);
        if (nEnd < 0)
            nEnd = text.size();
        QByteArrayView bytes = text.sliced(nStart, nEnd - nStart);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (!bytes.isEmpty()) {
            bool bUndecodable = false;
            // With a UTF-8 mark and bad bytes after it, fromUtf8 puts U+FFFD in their place.
            const QString line = bUtf8 ? QString::fromUtf8(bytes) : cp932.Decode(bytes, bUndecodable);
            if (bUtf8 && !bytes.isValidUtf8())
                bUndecodable = true;
            ReadTextLine(line, bMemoMode, data, bUndecodable);
        }
        nStart = nEnd + 1;
    }
}

namespace {

// Which entry of the written ledger each entry of the read-back lists came
// from; a second origin means two entries of one name merged.
class COrigins
{
public:
    COrigins() { m_origin.push_back(0); } // position 0 stands for position 0

    bool Claim(size_t nBack, size_t nOriginal)
    {
        if (nBack >= m_origin.size())
            m_origin.resize(nBack + 1, kNone);
        if (m_origin[nBack] == kNone)
            m_origin[nBack] = nOriginal;
        return m_origin[nBack] == nOriginal;
    }

private:
    static constexpr size_t kNone = size_t(-1);
    std::vector<size_t> m_origin;
};

void Count(CTextFile::CReadBack& result, size_t nPos, size_t nKeep)
{
    if (result.m_first.size() < nKeep)
        result.m_first.push_back(nPos);
    ++result.m_nCount;
}

bool SameRecord(const CDailyRec& a, const CDailyRec& b)
{
    return a.m_date == b.m_date && a.m_nWeather == b.m_nWeather && a.m_nWork == b.m_nWork && a.m_nMarks == b.m_nMarks
           && a.m_nFigures == b.m_nFigures && a.m_wFlags == b.m_wFlags
           && std::equal(a.m_nTimes, a.m_nTimes + CDailyRec::TimeCount, b.m_nTimes)
           && a.m_astrComments == b.m_astrComments;
}

} // namespace

CTextFile::CReadBack CTextFile::CheckRegisterCsv(const std::vector<CReceipt>& lines, const std::vector<CCurFmt>& curs,
                                                 const std::vector<CCategory>& cats, size_t nKeep)
{
    CReadBack result;
    // The reader's lists as they grow line by line.
    CLedgerData back;
    CLedgerFile::AddTextDefaults(back);
    COrigins curOrigins;
    COrigins catOrigins;
    const size_t nCurs = curs.size();
    const size_t nCats = cats.size();
    bool bMemoMode = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const CReceipt& line = lines[i];
        QString text = CRegisterCsv::FormatCsvLine(line, curs, cats);
        text.chop(2); // CR LF
        // After a line that starts the memo section every line is read as a memo.
        if (bMemoMode || text.isEmpty() || text.startsWith(MemoHeader())) {
            bMemoMode = bMemoMode || text.startsWith(MemoHeader());
            Count(result, i, nKeep);
            continue;
        }
        CReceipt read;
        const bool bParsed = CRegisterCsv::ParseCsvLine(text, back.m_curs, back.m_cats, read);
        bool bSame;
        if (line.m_nFlags & CReceipt::RF_RAW_TEXT) {
            bSame = !bParsed && read.m_strDesc == line.m_strDesc;
        } else {
            const auto sameCategory = [&](std::uint8_t nOriginal, std::uint8_t nRead) {
                return nOriginal < nCats && catOrigins.Claim(nRead, nOriginal)
                       && back.m_cats[nRead].m_strName == cats[nOriginal].m_strName
                       && back.m_cats[nRead].m_nAttr == cats[nOriginal].m_nAttr;
            };
            bSame = bParsed && line.m_nCur < nCurs && line.m_nCat < nCats && read.m_date == line.m_date
                    && read.m_nAmount == line.m_nAmount && read.m_strDesc == line.m_strDesc
                    && curOrigins.Claim(read.m_nCur, line.m_nCur) && sameCategory(line.m_nCat, read.m_nCat);
            // A carry-over line's counter part is computed, so it is not written.
            if (bSame && cats[line.m_nCat].m_nAttr != ATTR_CARRYOVER) {
                bSame = read.m_nAmount2 == line.m_nAmount2
                        && (line.m_nCat2 == 0 ? read.m_nCat2 == 0
                                              : read.m_nCat2 != 0 && sameCategory(line.m_nCat2, read.m_nCat2));
            }
        }
        if (!bSame)
            Count(result, i, nKeep);
    }
    return result;
}

CTextFile::CReadBack CTextFile::CheckMemoText(const std::vector<CDailyRec>& daily, size_t nKeep)
{
    CReadBack result;
    for (size_t i = 0; i < daily.size(); ++i) {
        const QString text = daily[i].FormatMemoLine();
        bool bClean = true;
        for (QChar c : text) {
            if (c.unicode() < 0x20 && c != u'\t')
                bClean = false;
        }
        CDailyRec read;
        read.ParseMemoLine(text);
        // A record that does not come back whole, or a control character that would refuse the whole file.
        if (!bClean || read.m_date == 0 || !SameRecord(read, daily[i]))
            Count(result, i, nKeep);
    }
    return result;
}

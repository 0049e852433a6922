#include "persist/LegacyImport.h"

#include "model/Calendar.h"
#include "persist/LegacyCipher.h"
#include "persist/LegacyHeader.h"
#include "persist/LegacyReader.h"
#include "platform/CodePage932.h"
#include "platform/MessageBox.h"
#include "platform/PasswordPrompt.h"
#include "platform/StringTable.h"

#include <cstring>

namespace {

constexpr size_t MAX_LIST = 121;
constexpr qsizetype CURRENCY_BLOCK = 44;

struct CPasswordRefused
{
    LegacyResult m_result;
};

std::int32_t Int32At(const QByteArray& b, qsizetype n)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[n + i]);
    return static_cast<std::int32_t>(v);
}

std::int64_t Int64At(const QByteArray& b, qsizetype n)
{
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[n + i]);
    return static_cast<std::int64_t>(v);
}

std::int16_t Int16At(const QByteArray& b, qsizetype n)
{
    return static_cast<std::int16_t>(static_cast<std::uint8_t>(b[n]) | (static_cast<std::uint8_t>(b[n + 1]) << 8));
}

PackedDate LegacyDate(std::uint16_t nWord)
{
    if (nWord == 0)
        return 0;
    const int nDay = nWord & 0x1F;
    const int nMonth = (nWord >> 5) & 0x0F;
    const int nYear = 1920 + (nWord >> 9);
    // A month or day that the calendar lacks is no date at all.
    if (nMonth > 12 || (nDay > 0 && nDay > CCalendar::DaysInMonth(nYear, nMonth)))
        return 0;
    return MakeDate(nYear, nMonth, nDay);
}

void AskPassword(const QString& strPath, QString& strPassword)
{
    if (!CPasswordPrompt::Ask(strPath, strPassword))
        throw CPasswordRefused{LegacyResult::Cancelled};
}

[[noreturn]] void WrongPassword()
{
    AppMessageBox(IDS_PASSWORD_MISMATCH, MB_OK | MB_ICONSTOP);
    throw CPasswordRefused{LegacyResult::WrongPassword};
}

// The count of a list: no more entries than the bytes could hold, so that
// nothing is sized from a count the file cannot back.
std::uint32_t ListCount(CLegacyReader& reader, bool bEnciphered, qsizetype nMinRecord)
{
    const std::uint32_t n = reader.Count(bEnciphered);
    if (static_cast<qsizetype>(n) > reader.Remaining() / nMinRecord)
        throw CLegacyReader::FormatError();
    return n;
}

CReceipt ReadLine(CLegacyReader& reader)
{
    const QByteArray first = reader.Bytes(5, true);
    const std::uint16_t nDate = static_cast<std::uint16_t>(static_cast<std::uint8_t>(first[0])
                                                           | (static_cast<std::uint8_t>(first[1]) << 8));
    const std::uint8_t f = static_cast<std::uint8_t>(first[4]);

    const qsizetype nSecond = ((f & 0x01) ? 1 : 0) + ((f & 0x20) ? 9 : (f & 0x10) ? 5 : 3)
                              + ((f & 0x08) ? ((f & 0x80) ? ((f & 0x40) ? 1 : 9) : ((f & 0x40) ? 5 : 3)) : 0);
    const QByteArray second = reader.Bytes(nSecond, true);

    CReceipt line;
    line.m_date = LegacyDate(nDate);
    qsizetype n = 0;
    if (f & 0x01)
        line.m_nCur = static_cast<std::uint8_t>(second[n++]);
    line.m_nCat = static_cast<std::uint8_t>(second[n++]);
    if (f & 0x20) {
        line.m_nAmount = Int64At(second, n);
        n += 8;
    } else if (f & 0x10) {
        line.m_nAmount = Int32At(second, n);
        n += 4;
    } else {
        line.m_nAmount = Amount{Int16At(second, n)} * AMOUNT_UNIT;
        n += 2;
    }
    if (f & 0x08) {
        line.m_nCat2 = static_cast<std::uint8_t>(second[n++]);
        if ((f & 0x80) && (f & 0x40)) {
            line.m_nAmount2 = NegateAmount(line.m_nAmount);
        } else if (f & 0x80) {
            line.m_nAmount2 = Int64At(second, n);
        } else if (f & 0x40) {
            line.m_nAmount2 = Int32At(second, n);
        } else {
            line.m_nAmount2 = Amount{Int16At(second, n)} * AMOUNT_UNIT;
        }
    }
    line.m_strDesc = reader.String();
    return line;
}

CCurFmt ReadCurrency(CLegacyReader& reader)
{
    const QByteArray block = reader.Bytes(CURRENCY_BLOCK, true);
    CCurFmt cur;
    cur.m_nDecimals = Int32At(block, 4);
    cur.m_nSymbolPos = Int32At(block, 20);
    // Values the currency cannot hold make no sense to keep.
    if (cur.m_nDecimals < 0 || cur.m_nDecimals > CCurFmt::MAX_DECIMALS || cur.m_nSymbolPos < 0
        || cur.m_nSymbolPos > CCurFmt::SYMBOL_AFTER_SPACE)
        throw CLegacyReader::FormatError();
    if (static_cast<std::uint8_t>(block[32]) == 0x80 && block[33] == 0) {
        cur.m_strSymbol = QStringLiteral("€");
    } else {
        const QByteArrayView symbol(block.constData() + 32, 12);
        const qsizetype nEnd = symbol.indexOf('\0');
        cur.m_strSymbol = CCodePage932::Decode(nEnd < 0 ? symbol : symbol.first(nEnd));
    }
    cur.m_strName = reader.String();
    return cur;
}

CCategory ReadCategory(CLegacyReader& reader)
{
    CCategory cat;
    cat.m_nAttr = static_cast<std::int32_t>(reader.DWord(true));
    if (cat.m_nAttr < 0 || cat.m_nAttr >= ATTR_COUNT)
        throw CLegacyReader::FormatError();
    cat.m_strName = reader.String();
    return cat;
}

void ReadBody(const QString& strPath, const CLegacyHeader& header, QByteArrayView body,
              std::vector<CReceipt>& lines, std::vector<CCurFmt>& curs, std::vector<CCategory>& cats)
{
    CLegacyReader reader(body);
    const bool bTagged = header.m_nVersion < CLegacyHeader::KEY_BLOCK_VERSION;

    if (bTagged) {
        const std::uint32_t n = reader.ByteCount(false);
        reader.Need(static_cast<qsizetype>(n));
        const QByteArray block = reader.Bytes(static_cast<qsizetype>(n), false);
        if (n > 0) {
            QByteArray stored = block;
            if (header.m_nVersion >= CLegacyHeader::SCRAMBLED_VERSION) {
                CLegacyCipher cipher;
                if (!CLegacyCipher::FromScrambledBlock(block, stored, cipher))
                    throw CLegacyReader::FormatError();
                reader.SetCipher(cipher);
            }
            QString strTyped;
            AskPassword(strPath, strTyped);
            if (strTyped != CCodePage932::Decode(stored))
                WrongPassword();
        }
        reader.Word(false);
        reader.Word(false);
    } else {
        if (header.m_bProtected) {
            QString strTyped;
            AskPassword(strPath, strTyped);
            const QByteArray typed = CCodePage932::Encode(strTyped);
            const QByteArray block = reader.Bytes(CLegacyCipher::KEY_BLOCK_SIZE, false);
            CLegacyCipher cipher;
            if (!CLegacyCipher::FromKeyBlock(block, typed, cipher))
                WrongPassword();
            reader.SetCipher(cipher);
        }
        reader.Bytes(8, true);
    }

    // Counts are enciphered from 2.04 on; before that the class tags stand plain.
    const bool bCountEnciphered = !bTagged;
    // The least a record takes: its tag (when tagged) and a one-byte empty string.
    const qsizetype nTag = bTagged ? 2 : 0;

    const std::uint32_t nLines = ListCount(reader, bCountEnciphered, nTag + 5 + 3 + 1);
    lines.reserve(lines.size() + nLines);
    for (std::uint32_t i = 0; i < nLines; ++i) {
        if (bTagged)
            reader.ClassTag();
        lines.push_back(ReadLine(reader));
    }

    const std::uint32_t nCurs = ListCount(reader, bCountEnciphered, nTag + CURRENCY_BLOCK + 1);
    if (curs.size() + nCurs > MAX_LIST)
        throw CLegacyReader::FormatError();
    for (std::uint32_t i = 0; i < nCurs; ++i) {
        if (bTagged)
            reader.ClassTag();
        curs.push_back(ReadCurrency(reader));
    }

    const std::uint32_t nCats = ListCount(reader, bCountEnciphered, nTag + 4 + 1);
    if (cats.size() + nCats > MAX_LIST)
        throw CLegacyReader::FormatError();
    for (std::uint32_t i = 0; i < nCats; ++i) {
        if (bTagged)
            reader.ClassTag();
        cats.push_back(ReadCategory(reader));
    }

    // Positions are checked once the lists are known: a line must not point past them.
    for (const CReceipt& line : lines) {
        if (line.m_nCur >= curs.size() || line.m_nCat >= cats.size() || line.m_nCat2 >= cats.size())
            throw CLegacyReader::FormatError();
    }
}

} // namespace

LegacyResult ImportLegacyLedger(const QString& strPath, QByteArrayView file, std::vector<CReceipt>& lines,
                                std::vector<CCurFmt>& curs, std::vector<CCategory>& cats)
{
    CLegacyHeader header;
    if (!header.Parse(file))
        return LegacyResult::FormatError;
    try {
        ReadBody(strPath, header, file.sliced(CLegacyHeader::SIZE), lines, curs, cats);
    } catch (const CLegacyReader::FormatError&) {
        return LegacyResult::FormatError;
    } catch (const CPasswordRefused& refused) {
        return refused.m_result;
    }
    return LegacyResult::Ok;
}

int LegacyResultMessage(LegacyResult result)
{
    switch (result) {
    case LegacyResult::Ok:
        return 0;
    case LegacyResult::FormatError:
        return AFX_IDP_FAILED_INVALID_FORMAT;
    case LegacyResult::Cancelled:
    case LegacyResult::WrongPassword:
        break;
    }
    return AFX_IDP_FAILED_TO_OPEN_DOC;
}

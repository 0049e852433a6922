#include "persist/LedgerRecords.h"

#include "memo/DailyRec.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Receipt.h"
#include "persist/ArchiveException.h"
#include "persist/ArchiveReader.h"
#include "persist/ArchiveWriter.h"

#include <algorithm>
#include <limits>

namespace {

enum : std::uint8_t {
    RF_AMOUNT1_INT32 = 0x01,
    RF_AMOUNT1_INT64 = 0x02,
    RF_AMOUNT2_INT32 = 0x04,
    RF_AMOUNT2_INT64 = 0x08,
    RF_AMOUNT2_NEGATED = 0x10,
    RF_COUNTER = 0x20,
    RF_CURRENCY = 0x40,
    RF_LONG_DESC = 0x80,
};

bool FitsInt32(std::int64_t n)
{
    return n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max();
}

// Size code of an unsigned value: bytes 0, 1, 2 or 4.
unsigned SizeCode(std::uint32_t n)
{
    if (n == 0)
        return 0;
    if (n <= 0xFF)
        return 1;
    if (n <= 0xFFFF)
        return 2;
    return 3;
}

void WriteSized(CArchiveWriter& ar, unsigned nCode, std::uint32_t n)
{
    switch (nCode) {
    case 1: ar.WriteUInt8(std::uint8_t(n)); break;
    case 2: ar.WriteUInt16(std::uint16_t(n)); break;
    case 3: ar.WriteUInt32(n); break;
    default: break;
    }
}

std::uint32_t ReadSized(CArchiveReader& ar, unsigned nCode)
{
    switch (nCode) {
    case 1: return ar.ReadUInt8();
    case 2: return ar.ReadUInt16();
    case 3: return ar.ReadUInt32();
    default: return 0;
    }
}

bool TimesAbsent(const std::int16_t* pTimes)
{
    return std::all_of(pTimes, pTimes + 4, [](std::int16_t t) { return t == CDailyRec::NoTime; });
}

} // namespace

std::uint8_t CLedgerRecords::ReceiptFormat(const CReceipt& line)
{
    std::uint8_t f = 0;
    if (line.m_strDesc.size() > 255)
        f |= RF_LONG_DESC;
    if (line.m_nCur != 0)
        f |= RF_CURRENCY;
    if (line.m_nCat2 != 0)
        f |= RF_COUNTER;
    if (line.m_nAmount2 == NegateAmount(line.m_nAmount))
        f |= RF_AMOUNT2_NEGATED;
    else if (!FitsInt32(line.m_nAmount2))
        f |= RF_AMOUNT2_INT64;
    else if (line.m_nAmount2 != 0)
        f |= RF_AMOUNT2_INT32;
    if (!FitsInt32(line.m_nAmount)) {
        f |= RF_AMOUNT1_INT64;
    } else {
        // The int16 form holds whole units only, and only when the quotient
        // survives the trip through 16 bits.
        const std::int64_t nUnits = line.m_nAmount / AMOUNT_UNIT;
        if (std::int64_t(std::int16_t(nUnits)) * AMOUNT_UNIT != line.m_nAmount)
            f |= RF_AMOUNT1_INT32;
    }
    return f;
}

void CLedgerRecords::WriteReceipt(CArchiveWriter& ar, const CReceipt& line)
{
    const std::uint8_t f = ReceiptFormat(line);
    ar.WriteUInt8(f);
    ar.WriteUInt8(std::uint8_t(line.m_nFlags));
    ar.WriteInt32(line.m_date);
    if (f & RF_CURRENCY)
        ar.WriteUInt8(line.m_nCur);
    ar.WriteUInt8(line.m_nCat);
    if (f & RF_COUNTER)
        ar.WriteUInt8(line.m_nCat2);
    if (f & RF_AMOUNT1_INT64)
        ar.WriteInt64(line.m_nAmount);
    else if (f & RF_AMOUNT1_INT32)
        ar.WriteInt32(std::int32_t(line.m_nAmount));
    else
        ar.WriteInt16(std::int16_t(line.m_nAmount / AMOUNT_UNIT));
    if (f & RF_AMOUNT2_INT64)
        ar.WriteInt64(line.m_nAmount2);
    else if (f & RF_AMOUNT2_INT32)
        ar.WriteInt32(std::int32_t(line.m_nAmount2));
    if (f & RF_LONG_DESC) {
        ar.WriteString(line.m_strDesc);
    } else {
        ar.WriteUInt8(std::uint8_t(line.m_strDesc.size()));
        ar.WriteUtf16(line.m_strDesc);
    }
}

void CLedgerRecords::ReadReceipt(CArchiveReader& ar, CReceipt& line)
{
    const std::uint8_t f = ar.ReadUInt8();
    line.m_nFlags = ar.ReadUInt8();
    line.m_date = ar.ReadInt32();
    line.m_nCur = (f & RF_CURRENCY) ? ar.ReadUInt8() : 0;
    line.m_nCat = ar.ReadUInt8();
    line.m_nCat2 = (f & RF_COUNTER) ? ar.ReadUInt8() : 0;
    if (f & RF_AMOUNT1_INT64)
        line.m_nAmount = ar.ReadInt64();
    else if (f & RF_AMOUNT1_INT32)
        line.m_nAmount = ar.ReadInt32();
    else
        line.m_nAmount = Amount(ar.ReadInt16()) * AMOUNT_UNIT;
    if (f & RF_AMOUNT2_INT64)
        line.m_nAmount2 = ar.ReadInt64();
    else if (f & RF_AMOUNT2_INT32)
        line.m_nAmount2 = ar.ReadInt32();
    else if (f & RF_AMOUNT2_NEGATED)
        line.m_nAmount2 = NegateAmount(line.m_nAmount);
    else
        line.m_nAmount2 = 0;
    if (f & RF_LONG_DESC)
        line.m_strDesc = ar.ReadString();
    else
        line.m_strDesc = ar.ReadUtf16(ar.ReadUInt8());
}

void CLedgerRecords::WriteCurFmt(CArchiveWriter& ar, const CCurFmt& cur)
{
    ar.WriteInt32(cur.m_nDecimals);
    ar.WriteInt32(cur.m_nSymbolPos);
    ar.WriteString(cur.m_strSymbol);
    ar.WriteString(cur.m_strName);
}

void CLedgerRecords::ReadCurFmt(CArchiveReader& ar, CCurFmt& cur)
{
    cur.m_nDecimals = std::clamp(ar.ReadInt32(), 0, CCurFmt::MAX_DECIMALS);
    cur.m_nSymbolPos = ar.ReadInt32();
    if (cur.m_nSymbolPos < 0 || cur.m_nSymbolPos > 3)
        cur.m_nSymbolPos = 0;
    cur.m_strSymbol = ar.ReadString();
    cur.m_strName = ar.ReadString();
}

void CLedgerRecords::WriteCategory(CArchiveWriter& ar, const CCategory& cat)
{
    ar.WriteInt32(cat.m_nAttr);
    ar.WriteString(cat.m_strName);
}

void CLedgerRecords::ReadCategory(CArchiveReader& ar, CCategory& cat)
{
    cat.m_nAttr = ar.ReadInt32();
    if (cat.m_nAttr < 0 || cat.m_nAttr >= ATTR_COUNT)
        throw CArchiveException(CArchiveException::badFormat);
    cat.m_strName = ar.ReadString();
}

std::uint16_t CLedgerRecords::DailyRecFormat(const CDailyRec& rec)
{
    const std::uint32_t nComment = std::uint32_t(rec.GetCommentText(u";;").size());
    std::uint16_t w = std::uint16_t(SizeCode(rec.m_nWeather) | (SizeCode(rec.m_nWork) << 2)
                                    | (SizeCode(rec.m_nMarks) << 4) | (SizeCode(rec.m_nFigures) << 6)
                                    | (SizeCode(rec.m_wFlags) << 8) | (SizeCode(nComment) << 12));
    if (!TimesAbsent(rec.m_nTimes))
        w |= 0x400;
    if (!TimesAbsent(rec.m_nTimes + 4))
        w |= 0x800;
    return w;
}

void CLedgerRecords::WriteDailyRec(CArchiveWriter& ar, const CDailyRec& rec)
{
    const QString strComment = rec.GetCommentText(u";;");
    const std::uint16_t w = DailyRecFormat(rec);
    ar.WriteInt32(rec.m_date);
    ar.WriteUInt16(w);
    WriteSized(ar, w & 3, rec.m_nWeather);
    WriteSized(ar, (w >> 2) & 3, rec.m_nWork);
    WriteSized(ar, (w >> 4) & 3, rec.m_nMarks);
    WriteSized(ar, (w >> 6) & 3, rec.m_nFigures);
    WriteSized(ar, (w >> 8) & 3, rec.m_wFlags);
    for (int nGroup = 0; nGroup < 2; ++nGroup) {
        if (w & (0x400 << nGroup)) {
            for (int k = 0; k < 4; ++k)
                ar.WriteInt16(rec.m_nTimes[4 * nGroup + k]);
        }
    }
    WriteSized(ar, (w >> 12) & 3, std::uint32_t(strComment.size()));
    ar.WriteUtf16(strComment);
}

void CLedgerRecords::ReadDailyRec(CArchiveReader& ar, CDailyRec& rec)
{
    rec.m_date = ar.ReadInt32();
    const std::uint16_t w = ar.ReadUInt16();
    rec.m_nWeather = ReadSized(ar, w & 3);
    rec.m_nWork = ReadSized(ar, (w >> 2) & 3);
    rec.m_nMarks = ReadSized(ar, (w >> 4) & 3);
    rec.m_nFigures = ReadSized(ar, (w >> 6) & 3);
    // The flags travel in a 32-bit slot whose upper half is always 0.
    rec.m_wFlags = std::uint16_t(ReadSized(ar, (w >> 8) & 3));
    for (int nGroup = 0; nGroup < 2; ++nGroup) {
        for (int k = 0; k < 4; ++k)
            rec.m_nTimes[4 * nGroup + k] = (w & (0x400 << nGroup)) ? ar.ReadInt16() : CDailyRec::NoTime;
    }
    const std::uint32_t nComment = ReadSized(ar, (w >> 12) & 3);
    rec.SetCommentText(ar.ReadUtf16(qsizetype(nComment)), u";;");
}

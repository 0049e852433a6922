#pragma once

#include <cstdint>

class CArchiveReader;
class CArchiveWriter;
class CCategory;
class CCurFmt;
class CDailyRec;
class CReceipt;

// The fields of the four object classes of a ledger archive, without their
// object tags: the compact line and memo records, currencies and categories.
class CLedgerRecords
{
public:
    static constexpr std::uint16_t Schema = 1;
    static constexpr const char* ReceiptClass = "CReceipt";
    static constexpr const char* CurFmtClass = "CCurFmt";
    static constexpr const char* CategoryClass = "CCategory";
    static constexpr const char* DailyRecClass = "CDailyRec";

    // The format byte that leads a line's record.
    static std::uint8_t ReceiptFormat(const CReceipt& line);
    static void WriteReceipt(CArchiveWriter& ar, const CReceipt& line);
    // Fills a new line (computed fields at their initial values).
    static void ReadReceipt(CArchiveReader& ar, CReceipt& line);

    static void WriteCurFmt(CArchiveWriter& ar, const CCurFmt& cur);
    // Decimals outside 0..4 are clamped, a placement outside 0..3 reads as 0.
    static void ReadCurFmt(CArchiveReader& ar, CCurFmt& cur);

    static void WriteCategory(CArchiveWriter& ar, const CCategory& cat);
    // An attribute outside 0..9 is a format error.
    static void ReadCategory(CArchiveReader& ar, CCategory& cat);

    // The format word that leads a memo record.
    static std::uint16_t DailyRecFormat(const CDailyRec& rec);
    static void WriteDailyRec(CArchiveWriter& ar, const CDailyRec& rec);
    static void ReadDailyRec(CArchiveReader& ar, CDailyRec& rec);
};

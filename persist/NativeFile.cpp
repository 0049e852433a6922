#include "persist/NativeFile.h"

#include "persist/ArchiveException.h"
#include "persist/ArchiveReader.h"
#include "persist/ArchiveWriter.h"
#include "persist/FileCipher.h"
#include "persist/LedgerHeader.h"
#include "persist/LedgerRecords.h"
#include "model/ListCheck.h"
#include "platform/PasswordPrompt.h"

namespace {

// The fewest bytes an element of each array can take (its tag included), so
// that a count is checked against what the rest of the payload can hold.
constexpr qsizetype kMinReceiptBytes = 12;
constexpr qsizetype kMinCurFmtBytes = 12;
constexpr qsizetype kMinCategoryBytes = 7;
constexpr qsizetype kMinDailyRecBytes = 8;

struct ClassIds
{
    int nReceipt;
    int nCurFmt;
    int nCategory;
    int nDailyRec;
};

ClassIds RegisterClasses(CArchiveReader& ar)
{
    ClassIds ids;
    ids.nReceipt = ar.RegisterClass(CLedgerRecords::ReceiptClass, CLedgerRecords::Schema);
    ids.nCurFmt = ar.RegisterClass(CLedgerRecords::CurFmtClass, CLedgerRecords::Schema);
    ids.nCategory = ar.RegisterClass(CLedgerRecords::CategoryClass, CLedgerRecords::Schema);
    ids.nDailyRec = ar.RegisterClass(CLedgerRecords::DailyRecClass, CLedgerRecords::Schema);
    return ids;
}

// No bound for an array the format leaves unbounded.
constexpr std::uint32_t kAnyCount = 0xFFFFFFFFu;
// Currencies and categories: lines refer to them by a position below this.
constexpr std::uint32_t kMaxListCount = std::uint32_t(CListCheck::MAX_ENTRIES);

template <typename T, typename ReadFn>
void ReadArray(CArchiveReader& ar, int nClass, qsizetype nMinBytes, std::vector<T>& list, ReadFn read,
               std::uint32_t nMaxCount = kAnyCount)
{
    const std::uint32_t nCount = ar.ReadCount(nMinBytes);
    if (nCount > nMaxCount)
        throw CArchiveException(CArchiveException::badFormat);
    list.reserve(nCount);
    for (std::uint32_t i = 0; i < nCount; ++i) {
        // Every element must be of the array's own class.
        if (ar.ReadObjectTag() != nClass)
            throw CArchiveException(CArchiveException::badClass);
        read(ar, list.emplace_back());
    }
}

} // namespace

void CNativeFile::WritePayload(CArchiveWriter& ar, const CLedgerData& data, bool bMemo)
{
    ar.WriteInt32(data.m_nDocFlags);
    ar.WriteCount(std::uint32_t(data.m_lines.size()));
    for (const CReceipt& line : data.m_lines) {
        ar.WriteObjectTag(CLedgerRecords::ReceiptClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteReceipt(ar, line);
    }
    ar.WriteCount(std::uint32_t(data.m_curs.size()));
    for (const CCurFmt& cur : data.m_curs) {
        ar.WriteObjectTag(CLedgerRecords::CurFmtClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteCurFmt(ar, cur);
    }
    ar.WriteCount(std::uint32_t(data.m_cats.size()));
    for (const CCategory& cat : data.m_cats) {
        ar.WriteObjectTag(CLedgerRecords::CategoryClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteCategory(ar, cat);
    }
    if (!bMemo)
        return;
    ar.WriteCount(std::uint32_t(data.m_daily.size()));
    for (const CDailyRec& rec : data.m_daily) {
        ar.WriteObjectTag(CLedgerRecords::DailyRecClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteDailyRec(ar, rec);
    }
    ar.WriteStringArray(data.m_memoTitles);
}

void CNativeFile::ReadPayload(CArchiveReader& ar, CLedgerData& data, bool bMemo)
{
    const ClassIds ids = RegisterClasses(ar);
    data.m_nDocFlags = ar.ReadInt32();
    ReadArray(ar, ids.nReceipt, kMinReceiptBytes, data.m_lines, &CLedgerRecords::ReadReceipt);
    ReadArray(ar, ids.nCurFmt, kMinCurFmtBytes, data.m_curs, &CLedgerRecords::ReadCurFmt, kMaxListCount);
    ReadArray(ar, ids.nCategory, kMinCategoryBytes, data.m_cats, &CLedgerRecords::ReadCategory, kMaxListCount);
    if (bMemo) {
        ReadArray(ar, ids.nDailyRec, kMinDailyRecBytes, data.m_daily, &CLedgerRecords::ReadDailyRec);
        data.m_memoTitles = ar.ReadStringArray();
    }
    // Positions are identities in the model: one outside its list must not get in.
    const size_t nCurs = data.m_curs.size();
    const size_t nCats = data.m_cats.size();
    for (const CReceipt& line : data.m_lines) {
        if (line.m_nCur >= nCurs || line.m_nCat >= nCats || line.m_nCat2 >= nCats)
            throw CArchiveException(CArchiveException::badIndex);
    }
}

QByteArray CNativeFile::Write(const CLedgerData& data, const QString& strPassword)
{
    const bool bMemo = data.HasMemoData();
    const bool bEnciphered = !strPassword.isEmpty();
    CArchiveWriter ar;
    WritePayload(ar, data, bMemo);
    QByteArray payload = ar.TakeBuffer();
    if (bEnciphered)
        CFileCipher::SealPayload(strPassword, payload);
    QByteArray file = CLedgerHeader::Build(bMemo, bEnciphered);
    file.append(payload);
    return file;
}

CNativeFile::Result CNativeFile::Read(QByteArrayView file, const QString& strPath, CLedgerData& data,
                                      QString& strPassword)
{
    if (!CLedgerHeader::IsNative(file))
        return FormatError;
    const char cVersion = CLedgerHeader::Version(file);
    if (cVersion > '2')
        return VersionTooNew;
    // Only an enciphered payload needs a copy to decipher in; a plain one is read in place
    // (a long ledger's file is tens of megabytes).
    QByteArrayView payload = file.sliced(CLedgerHeader::Size);
    QByteArray deciphered;
    QString strEntered;
    if (CLedgerHeader::IsEnciphered(file)) {
        if (!CPasswordPrompt::Ask(strPath, strEntered))
            return Cancelled;
        deciphered = payload.toByteArray();
        if (!CFileCipher::OpenPayload(strEntered, deciphered))
            return WrongPassword;
        payload = deciphered;
    }
    CLedgerData read;
    try {
        CArchiveReader ar(payload);
        ReadPayload(ar, read, cVersion > '1');
    } catch (const CArchiveException&) {
        return FormatError;
    }
    data = std::move(read);
    strPassword = strEntered;
    return Ok;
}

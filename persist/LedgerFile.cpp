#include "persist/LedgerFile.h"

#include "persist/ArchiveException.h"
#include "persist/LedgerHeader.h"
#include "persist/NativeFile.h"
#include "persist/TextFile.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <numeric>

CLedgerFile::Kind CLedgerFile::KindForPath(const QString& strPath)
{
    const QString strExt = strPath.right(4);
    if (strExt.compare(u".CSV", Qt::CaseInsensitive) == 0)
        return KIND_CSV;
    if (strExt.compare(u".CSD", Qt::CaseInsensitive) == 0)
        return KIND_CSD;
    return KIND_NATIVE;
}

QByteArray CLedgerFile::Write(Kind nKind, const CLedgerData& data, const QString& strPassword)
{
    switch (nKind) {
    case KIND_CSV: return CTextFile::WriteRegisterCsv(data);
    case KIND_CSD: return CTextFile::WriteMemoText(data.m_daily);
    case KIND_NATIVE: break;
    }
    return CNativeFile::Write(data, strPassword);
}

void CLedgerFile::AddTextDefaults(CLedgerData& data)
{
    CCurFmt yen;
    yen.m_strSymbol = QStringLiteral("\\");
    yen.m_strName = QStringLiteral("日本円");
    yen.m_nDecimals = 0;
    yen.m_nSymbolPos = 0;
    data.m_curs.push_back(yen);
    data.m_cats.emplace_back(ATTR_REMARK, QStringLiteral("備考"));
}

void CLedgerFile::SortCategories(CLedgerData& data)
{
    const size_t nCats = data.m_cats.size();
    for (const CReceipt& line : data.m_lines) {
        if (line.m_nCat >= nCats || line.m_nCat2 >= nCats)
            throw CArchiveException(CArchiveException::badIndex);
    }
    if (nCats < 2)
        return;
    std::vector<size_t> order(nCats);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin() + 1, order.end(), [&](size_t a, size_t b) {
        return data.m_cats[a].m_strName < data.m_cats[b].m_strName;
    });
    std::vector<std::uint8_t> remap(nCats);
    std::vector<CCategory> sorted;
    sorted.reserve(nCats);
    for (size_t i = 0; i < nCats; ++i) {
        remap[order[i]] = std::uint8_t(i);
        sorted.push_back(std::move(data.m_cats[order[i]]));
    }
    data.m_cats = std::move(sorted);
    for (CReceipt& line : data.m_lines) {
        line.m_nCat = remap[line.m_nCat];
        line.m_nCat2 = remap[line.m_nCat2];
    }
}

CLedgerFile::Result CLedgerFile::Read(QByteArrayView file, const QString& strPath, CLedgerData& data,
                                      QString& strPassword, qsizetype* pnStart)
{
    qsizetype nStart = 0;
    const CLedgerHeader::Kind kind = CLedgerHeader::Recognise(file, &nStart);
    if (pnStart)
        *pnStart = nStart;
    switch (kind) {
    case CLedgerHeader::Native:
        switch (CNativeFile::Read(file, strPath, data, strPassword)) {
        case CNativeFile::Ok: return Ok;
        case CNativeFile::VersionTooNew: return VersionTooNew;
        case CNativeFile::Cancelled: return Cancelled;
        case CNativeFile::WrongPassword: return WrongPassword;
        case CNativeFile::FormatError: return FormatError;
        }
        return FormatError;
    case CLedgerHeader::Legacy:
        return NeedsLegacyImport;
    case CLedgerHeader::Ofx:
        AddTextDefaults(data);
        return NeedsOfxImport;
    case CLedgerHeader::Utf16Text:
    case CLedgerHeader::Cp932Text:
        break;
    }
    CLedgerData read;
    try {
        AddTextDefaults(read);
        CTextFile::ReadTextLines(file.sliced(nStart), kind == CLedgerHeader::Utf16Text, read);
        SortCategories(read);
    } catch (const CArchiveException&) {
        return FormatError;
    }
    data = std::move(read);
    strPassword.clear();
    return Ok;
}

int CLedgerFile::MessageFor(Result result)
{
    switch (result) {
    case VersionTooNew: return IDS_VERSION_TOO_NEW;
    case WrongPassword: return IDS_PASSWORD_MISMATCH;
    case FormatError: return AFX_IDP_FAILED_INVALID_FORMAT;
    default: return 0;
    }
}

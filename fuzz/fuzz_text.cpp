// Feeds arbitrary bytes to the text reader (register CSV and memo lines,
// UTF-16, UTF-8 and code page 932) and checks that whatever it accepts keeps
// its positions inside the lists, writes back as text that opens again, and
// reads back to the same bytes unless the read-back check names lines that
// do not (the check must never miss one).
#include "persist/LedgerFile.h"
#include "persist/TextFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, size_t nSize)
{
    const QByteArray file(reinterpret_cast<const char*>(pData), qsizetype(nSize));
    CLedgerData data;
    QString strPassword;
    if (CLedgerFile::Read(file, QString(), data, strPassword) != CLedgerFile::Ok)
        return 0;
    if (data.m_curs.size() > 121 || data.m_cats.size() > 121)
        std::abort();
    for (const CReceipt& line : data.m_lines) {
        if (line.m_nCur >= data.m_curs.size() || line.m_nCat >= data.m_cats.size()
            || line.m_nCat2 >= data.m_cats.size())
            std::abort();
    }
    const QByteArray csv = CLedgerFile::Write(CLedgerFile::KIND_CSV, data, QString());
    CLedgerData back;
    if (CLedgerFile::Read(csv, QString(), back, strPassword) != CLedgerFile::Ok)
        std::abort();
    const size_t nUnreadable = CTextFile::CheckRegisterCsv(data.m_lines, data.m_curs, data.m_cats, 1).m_nCount;
    if (nUnreadable > data.m_lines.size())
        std::abort();
    if (nUnreadable == 0
        && (back.m_lines.size() != data.m_lines.size()
            || CLedgerFile::Write(CLedgerFile::KIND_CSV, back, QString()) != csv))
        std::abort();

    const QByteArray csd = CLedgerFile::Write(CLedgerFile::KIND_CSD, data, QString());
    CLedgerData memos;
    if (CLedgerFile::Read(csd, QString(), memos, strPassword) != CLedgerFile::Ok)
        std::abort();
    if (CTextFile::CheckMemoText(data.m_daily, 1).m_nCount == 0
        && (memos.m_daily.size() != data.m_daily.size()
            || CLedgerFile::Write(CLedgerFile::KIND_CSD, memos, QString()) != csd))
        std::abort();
    return 0;
}

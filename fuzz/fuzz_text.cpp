// Feeds arbitrary bytes to the text reader (register CSV and memo lines,
// both encodings) and checks that whatever it accepts keeps its positions
// inside the lists and writes back as text that reads the same way.
#include "persist/LedgerFile.h"

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
    // The writer's own output always reads back to the same bytes.
    const QByteArray csv = CLedgerFile::Write(CLedgerFile::KIND_CSV, data, QString());
    CLedgerData back;
    if (CLedgerFile::Read(csv, QString(), back, strPassword) != CLedgerFile::Ok)
        std::abort();
    if (back.m_lines.size() != data.m_lines.size()
        || CLedgerFile::Write(CLedgerFile::KIND_CSV, back, QString()) != csv)
        std::abort();
    const QByteArray csd = CLedgerFile::Write(CLedgerFile::KIND_CSD, data, QString());
    CLedgerData memos;
    if (CLedgerFile::Read(csd, QString(), memos, strPassword) != CLedgerFile::Ok
        || CLedgerFile::Write(CLedgerFile::KIND_CSD, memos, QString()) != csd)
        std::abort();
    return 0;
}

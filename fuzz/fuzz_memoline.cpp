// Parses arbitrary text as a memo line and as each memo field; a record
// that was read exports a line that reads back to the same record.
#include "memo/DailyRec.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, size_t nSize)
{
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(pData), qsizetype(nSize));
    CDailyRec rec;
    rec.ParseMemoLine(line);
    if (rec.m_date != 0 && !CDailyRec::IsRealDay(rec.m_date))
        std::abort();

    const QString exported = rec.FormatMemoLine();
    CDailyRec back;
    back.ParseMemoLine(exported);
    if (rec.m_date != 0 && back.FormatMemoLine() != exported)
        std::abort();

    for (int nField = MF_DAYNAME; nField <= MF_COMMENT0 + 3; ++nField) {
        CDailyRec field;
        field.SetFieldText(nField, line);
        field.GetFieldText(nField);
        field.GetFieldValue(nField);
    }
    return 0;
}

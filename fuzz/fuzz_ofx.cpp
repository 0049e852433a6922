// Statement import over arbitrary bytes: recognition, then the import as the
// file reader runs it. Every line must refer to a category that exists.
#include "persist/OfxImport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    qsizetype nStart = FindOfxStatement(bytes);
    if (nStart < 0)
        nStart = 0; // the importer must cope with any text, recognised or not
    std::vector<CReceipt> lines;
    std::vector<CCategory> cats{CCategory(0, QStringLiteral("備考"))};
    ImportOfx(bytes.sliced(nStart), COfxProp(), lines, cats);
    if (cats.size() != 4)
        std::abort();
    for (const CReceipt& line : lines) {
        if (line.m_nCat >= cats.size() || line.m_nCur != 0 || line.m_nCat2 != 0)
            std::abort();
    }
    return 0;
}

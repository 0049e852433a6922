// Feeds arbitrary bytes to the register's private clipboard reader, as any
// process can put them on the clipboard: a block that is accepted must hold
// only what a register could have written, the probe must agree with the
// full read, and the text form must come apart into clean lines.
#include "model/ColumnKind.h"
#include "register/RegClipboard.h"
#include "register/RegColumns.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool Listed(const std::vector<std::uint32_t>& indices, std::uint32_t n)
{
    return std::binary_search(indices.begin(), indices.end(), n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, size_t nSize)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(pData), qsizetype(nSize));

    CRegClipData probe;
    const bool bProbe = CRegClipboard::ReadPrivate(bytes, probe, true);
    CRegClipData data;
    const bool bFull = CRegClipboard::ReadPrivate(bytes, data);
    if (bFull && !bProbe)
        std::abort();
    if (bFull) {
        if (probe.m_nCols != data.m_nCols || probe.m_nRows != data.m_nRows || probe.m_columns != data.m_columns)
            std::abort();
        if (data.m_nRows <= 0 || data.m_lines.size() != size_t(data.m_nRows)
            || data.m_balances.size() != data.m_lines.size() || data.m_curs.size() != data.m_curIndices.size()
            || data.m_cats.size() != data.m_catIndices.size() || data.m_columns.empty())
            std::abort();
        // The grabbed cell lies in or at the edge of the copied block.
        const std::int32_t nCols = data.m_nCols > 0 ? data.m_nCols : 1;
        if (data.m_nGrabCol < -nCols || data.m_nGrabCol > 1 || data.m_nGrabRow < -data.m_nRows
            || data.m_nGrabRow > 1)
            std::abort();
        for (std::uint32_t nEntry : data.m_columns) {
            if (CRegColumns::KindOf(nEntry) >= COL_KIND_COUNT)
                std::abort();
        }
        for (const CReceipt& line : data.m_lines) {
            if (!Listed(data.m_curIndices, line.m_nCur) || (line.m_nCat != 0 && !Listed(data.m_catIndices, line.m_nCat))
                || (line.m_nCat2 != 0 && !Listed(data.m_catIndices, line.m_nCat2)))
                std::abort();
        }
    }

    // The same bytes as the text another program copied.
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(pData), qsizetype(nSize / 2));
    for (const QString& line : CRegClipboard::SplitText(text)) {
        for (QChar c : line) {
            if ((c.unicode() < 0x20 && c != u'\t') || c == u'\r' || c == u'\n')
                std::abort();
        }
    }
    return 0;
}

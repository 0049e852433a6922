// Feeds arbitrary bytes to the memo view's clipboard block and paste buffer
// reader: the first bytes as the block, the rest as the copied text. A block
// that is accepted writes back to the same bytes, and a paste buffer always
// has a shape that a memo view can hold.
#include "memo/DailyRec.h"
#include "memo/MemoClipBlock.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, size_t nSize)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(pData), qsizetype(nSize));
    CMemoClipBlock block;
    if (block.Read(bytes)) {
        if (block.Build() != bytes.first(CMemoClipBlock::Size))
            std::abort();
        if (block.m_nLayout < 0 || block.m_nLayout > CMemoClipBlock::MaxLayout)
            std::abort();
    } else if (block.Build() != CMemoClipBlock().Build()) {
        std::abort();
    }

    const qsizetype nBlock = std::min<qsizetype>(bytes.size(), CMemoClipBlock::Size);
    const QString text = QString::fromUtf8(bytes.sliced(nBlock));
    QStringList lines;
    int nCols = 0;
    int nRows = 0;
    const bool bRead = CMemoClipBlock::ReadPasteBuffer(text, bytes.first(nBlock), lines, nCols, nRows);
    if (nCols < 1 || nCols > CMemoClipBlock::MaxCols || nRows < 1 || nRows > CMemoClipBlock::MaxRows)
        std::abort();
    if (bRead == lines.isEmpty())
        std::abort();
    // Every field of the buffer goes into a memo field as the paste does.
    for (const QString& line : lines) {
        if (line.contains(u'\r') || line.contains(u'\n'))
            std::abort();
        const QStringList fields = line.split(u'\t');
        for (qsizetype k = 0; k < fields.size() && k < CMemoClipBlock::MaxCols; ++k) {
            CDailyRec rec;
            rec.SetFieldText(int(MF_WEATHER + k % (MF_COMMENT0 + 4 - MF_WEATHER)), fields[k]);
        }
    }
    return 0;
}

#include "memo/MemoClipBlock.h"

#include <QtEndian>

#include <algorithm>

namespace {

// A count of the block: whole (-1) or 1 .. nMax.
bool IsCount(std::int32_t n, std::int32_t nMax)
{
    return n == -1 || (n >= 1 && n <= nMax);
}

// The grabbed cell lies inside the copied range, so the offset is 0 or negative
// and smaller than the range.
bool IsOffset(std::int32_t n, std::int32_t nCount, std::int32_t nMax)
{
    const std::int32_t nExtent = nCount > 0 ? nCount : nMax;
    return n <= 0 && n > -nExtent;
}

} // namespace

QByteArray CMemoClipBlock::Build() const
{
    QByteArray bytes(Size, Qt::Uninitialized);
    const std::int32_t values[] = {m_nLayout, m_nCols, m_nRows, m_nDragCol, m_nDragRow};
    for (int i = 0; i < 5; ++i)
        qToLittleEndian(values[i], bytes.data() + 4 * i);
    return bytes;
}

bool CMemoClipBlock::Read(QByteArrayView bytes)
{
    *this = CMemoClipBlock();
    // Clipboard memory may come rounded up; what follows the block is not ours.
    if (bytes.size() < Size)
        return false;
    CMemoClipBlock read;
    read.m_nLayout = qFromLittleEndian<std::int32_t>(bytes.data());
    read.m_nCols = qFromLittleEndian<std::int32_t>(bytes.data() + 4);
    read.m_nRows = qFromLittleEndian<std::int32_t>(bytes.data() + 8);
    read.m_nDragCol = qFromLittleEndian<std::int32_t>(bytes.data() + 12);
    read.m_nDragRow = qFromLittleEndian<std::int32_t>(bytes.data() + 16);
    if (read.m_nLayout < 0 || read.m_nLayout > MaxLayout || !IsCount(read.m_nCols, MaxCols)
        || !IsCount(read.m_nRows, MaxRows) || !IsOffset(read.m_nDragCol, read.m_nCols, MaxCols)
        || !IsOffset(read.m_nDragRow, read.m_nRows, MaxRows))
        return false;
    *this = read;
    return true;
}

bool CMemoClipBlock::ReadPasteBuffer(const QString& strText, QByteArrayView block, QStringList& lines, int& nCols,
                                     int& nRows)
{
    lines.clear();
    nCols = 1;
    nRows = 1;
    const QStringView text(strText);
    qsizetype nStart = 0;
    while (nStart < text.size()) {
        qsizetype nEnd = nStart;
        while (nEnd < text.size() && text[nEnd] != u'\r' && text[nEnd] != u'\n')
            ++nEnd;
        lines.append(text.sliced(nStart, nEnd - nStart).toString());
        if (nEnd + 1 < text.size() && text[nEnd] == u'\r' && text[nEnd + 1] == u'\n')
            ++nEnd;
        nStart = nEnd + 1;
    }
    if (lines.isEmpty())
        return false;

    qsizetype nWidest = 1;
    for (const QString& line : lines)
        nWidest = std::max(nWidest, line.count(u'\t') + 1);
    CMemoClipBlock shape;
    const bool bBlock = shape.Read(block);
    // Whole rows or columns, or no block: the text tells, within what a view has.
    nCols = bBlock && shape.m_nCols > 0 ? shape.m_nCols : int(std::min<qsizetype>(nWidest, MaxCols));
    nRows = bBlock && shape.m_nRows > 0 ? shape.m_nRows : int(std::min<qsizetype>(lines.size(), MaxRows));
    return true;
}

#include "register/RegClipboard.h"

#include "model/CofferDoc.h"
#include "persist/ArchiveException.h"
#include "persist/ArchiveReader.h"
#include "persist/ArchiveWriter.h"
#include "persist/LedgerRecords.h"
#include "register/RegColumns.h"

#include <algorithm>

namespace {

// The columns a copy of the range takes: every layout column for whole rows.
void CopiedColumns(const CLineRange& range, int nLayout, int& nLeft, int& nRight)
{
    if (range.IsWholeRows() || range.left < 0) {
        nLeft = 0;
        nRight = nLayout - 1;
    } else {
        nLeft = range.left;
        nRight = std::min(range.right, nLayout - 1);
    }
}

void WriteIndices(CArchiveWriter& ar, const std::vector<std::uint32_t>& indices)
{
    ar.WriteCount(std::uint32_t(indices.size()));
    for (const std::uint32_t n : indices)
        ar.WriteUInt32(n);
}

std::vector<std::uint32_t> ReadIndices(CArchiveReader& ar)
{
    const std::uint32_t nCount = ar.ReadCount(4);
    std::vector<std::uint32_t> indices;
    indices.reserve(nCount);
    for (std::uint32_t i = 0; i < nCount; ++i) {
        const std::uint32_t n = ar.ReadUInt32();
        // Ascending and within the largest list a ledger can have.
        if ((!indices.empty() && n <= indices.back()) || n >= 256)
            throw CArchiveException(CArchiveException::badIndex);
        indices.push_back(n);
    }
    return indices;
}

bool Listed(const std::vector<std::uint32_t>& indices, std::uint32_t n)
{
    return std::binary_search(indices.begin(), indices.end(), n);
}

} // namespace

CLineRange CRegClipboard::ClipRows(const CLineRange& range, int nLineCount)
{
    if (range.IsEmpty() || nLineCount <= 0)
        return CLineRange();
    CLineRange clipped = range;
    if (range.top < 0) {
        // Whole columns: every line.
        clipped.top = 0;
        clipped.bottom = nLineCount - 1;
    }
    clipped.bottom = std::min(clipped.bottom, nLineCount - 1);
    if (clipped.top > clipped.bottom)
        return CLineRange();
    return clipped;
}

QString CRegClipboard::BuildText(const CCofferDoc& doc, const std::vector<std::uint32_t>& layout,
                                 const CLineRange& range, bool bHeader, bool bSymbol)
{
    const CLineRange rows = ClipRows(range, doc.GetLineCount());
    if (rows.IsEmpty())
        return QString();
    int nLeft = 0;
    int nRight = 0;
    CopiedColumns(rows, int(layout.size()), nLeft, nRight);
    if (nLeft > nRight)
        return QString();
    const bool bWholeRows = rows.IsWholeRows();
    const bool bLineEnds = bWholeRows || rows.bottom > rows.top;

    QString strText;
    if (bWholeRows && bHeader) {
        for (int c = nLeft; c <= nRight; ++c) {
            if (c > nLeft)
                strText += u'\t';
            strText += CRegColumns::Title(CRegColumns::KindOf(layout[std::size_t(c)]));
        }
        strText += u"\r\n";
    }
    for (int nRow = rows.top; nRow <= rows.bottom; ++nRow) {
        for (int c = nLeft; c <= nRight; ++c) {
            if (c > nLeft)
                strText += u'\t';
            strText += doc.GetCellText(nRow, CRegColumns::KindOf(layout[std::size_t(c)]), bSymbol, false);
        }
        if (bLineEnds)
            strText += u"\r\n";
    }
    return strText;
}

QByteArray CRegClipboard::BuildPrivate(const CCofferDoc& doc, const std::vector<std::uint32_t>& layout,
                                       const CLineRange& range, int nGrabCol, int nGrabRow)
{
    const CLineRange rows = ClipRows(range, doc.GetLineCount());
    if (rows.IsEmpty())
        return QByteArray();
    int nLeft = 0;
    int nRight = 0;
    CopiedColumns(rows, int(layout.size()), nLeft, nRight);
    if (nLeft > nRight)
        return QByteArray();
    const bool bWholeRows = rows.IsWholeRows();
    const int nCols = nRight - nLeft + 1;
    const int nRows = rows.bottom - rows.top + 1;

    std::vector<bool> curUsed(doc.Currencies().size(), false);
    std::vector<bool> catUsed(doc.Categories().size(), false);
    for (int nRow = rows.top; nRow <= rows.bottom; ++nRow) {
        const CReceipt& line = doc.Lines()[std::size_t(nRow)];
        if (line.m_nCur < curUsed.size())
            curUsed[line.m_nCur] = true;
        if (line.m_nCat < catUsed.size())
            catUsed[line.m_nCat] = true;
        if (line.m_nCat2 < catUsed.size())
            catUsed[line.m_nCat2] = true;
    }
    std::vector<std::uint32_t> curIndices;
    for (std::size_t i = 0; i < curUsed.size(); ++i) {
        if (curUsed[i])
            curIndices.push_back(std::uint32_t(i));
    }
    std::vector<std::uint32_t> catIndices;
    for (std::size_t i = 1; i < catUsed.size(); ++i) {
        if (catUsed[i])
            catIndices.push_back(std::uint32_t(i));
    }

    CArchiveWriter ar;
    ar.WriteInt32(bWholeRows ? -1 : nCols);
    ar.WriteInt32(nRows);
    ar.WriteInt32(nGrabCol);
    ar.WriteInt32(nGrabRow);
    ar.WriteInt32(nCols);
    for (int c = nLeft; c <= nRight; ++c)
        ar.WriteUInt32(layout[std::size_t(c)]);
    ar.WriteCount(std::uint32_t(nRows));
    for (int nRow = rows.top; nRow <= rows.bottom; ++nRow) {
        ar.WriteObjectTag(CLedgerRecords::ReceiptClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteReceipt(ar, doc.Lines()[std::size_t(nRow)]);
    }
    for (int nRow = rows.top; nRow <= rows.bottom; ++nRow)
        ar.WriteInt64(doc.Lines()[std::size_t(nRow)].m_nBalance);
    WriteIndices(ar, curIndices);
    ar.WriteCount(std::uint32_t(curIndices.size()));
    for (const std::uint32_t n : curIndices) {
        ar.WriteObjectTag(CLedgerRecords::CurFmtClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteCurFmt(ar, doc.Currencies()[n]);
    }
    WriteIndices(ar, catIndices);
    ar.WriteCount(std::uint32_t(catIndices.size()));
    for (const std::uint32_t n : catIndices) {
        ar.WriteObjectTag(CLedgerRecords::CategoryClass, CLedgerRecords::Schema);
        CLedgerRecords::WriteCategory(ar, doc.Categories()[n]);
    }
    return ar.TakeBuffer();
}

bool CRegClipboard::ReadPrivate(QByteArrayView bytes, CRegClipData& data, bool bProbe)
{
    data = CRegClipData();
    CRegClipData read;
    try {
        CArchiveReader ar(bytes);
        const int nReceipt = ar.RegisterClass(CLedgerRecords::ReceiptClass, CLedgerRecords::Schema);
        const int nCurFmt = ar.RegisterClass(CLedgerRecords::CurFmtClass, CLedgerRecords::Schema);
        const int nCategory = ar.RegisterClass(CLedgerRecords::CategoryClass, CLedgerRecords::Schema);

        read.m_nCols = ar.ReadInt32();
        read.m_nRows = ar.ReadInt32();
        read.m_nGrabCol = ar.ReadInt32();
        read.m_nGrabRow = ar.ReadInt32();
        if (read.m_nCols == 0 || read.m_nCols < -1 || read.m_nRows <= 0)
            return false;
        // The grabbed cell lies in the block or on its edge; another process's offsets
        // could otherwise send the drop range arithmetic past the int range.
        const std::int32_t nGrabCols = read.m_nCols > 0 ? read.m_nCols : 1;
        if (read.m_nGrabCol < -nGrabCols || read.m_nGrabCol > 1 || read.m_nGrabRow < -read.m_nRows
            || read.m_nGrabRow > 1)
            return false;
        const std::int32_t nColumns = ar.ReadInt32();
        if (nColumns <= 0 || (read.m_nCols > 0 && nColumns != read.m_nCols) || nColumns > ar.Remaining() / 4)
            return false;
        read.m_columns.reserve(std::size_t(nColumns));
        for (std::int32_t i = 0; i < nColumns; ++i) {
            const std::uint32_t nEntry = ar.ReadUInt32();
            if (CRegColumns::KindOf(nEntry) >= COL_KIND_COUNT)
                return false;
            read.m_columns.push_back(nEntry);
        }
        if (bProbe) {
            data = std::move(read);
            return true;
        }

        const std::uint32_t nLines = ar.ReadCount(2);
        if (nLines != std::uint32_t(read.m_nRows))
            return false;
        read.m_lines.reserve(nLines);
        for (std::uint32_t i = 0; i < nLines; ++i) {
            if (ar.ReadObjectTag() != nReceipt)
                return false;
            CLedgerRecords::ReadReceipt(ar, read.m_lines.emplace_back());
        }
        ar.Need(qsizetype(nLines) * 8);
        read.m_balances.reserve(nLines);
        for (std::uint32_t i = 0; i < nLines; ++i)
            read.m_balances.push_back(ar.ReadInt64());

        read.m_curIndices = ReadIndices(ar);
        if (ar.ReadCount(2) != read.m_curIndices.size())
            return false;
        for (std::size_t i = 0; i < read.m_curIndices.size(); ++i) {
            if (ar.ReadObjectTag() != nCurFmt)
                return false;
            CLedgerRecords::ReadCurFmt(ar, read.m_curs.emplace_back());
        }
        read.m_catIndices = ReadIndices(ar);
        if (!read.m_catIndices.empty() && read.m_catIndices.front() == 0)
            return false;
        if (ar.ReadCount(2) != read.m_catIndices.size())
            return false;
        for (std::size_t i = 0; i < read.m_catIndices.size(); ++i) {
            if (ar.ReadObjectTag() != nCategory)
                return false;
            CLedgerRecords::ReadCategory(ar, read.m_cats.emplace_back());
        }
    } catch (const CArchiveException&) {
        return false;
    }
    // Every position a line names must come with its currency or category.
    for (const CReceipt& line : read.m_lines) {
        if (!Listed(read.m_curIndices, line.m_nCur))
            return false;
        if (line.m_nCat != 0 && !Listed(read.m_catIndices, line.m_nCat))
            return false;
        if (line.m_nCat2 != 0 && !Listed(read.m_catIndices, line.m_nCat2))
            return false;
    }
    data = std::move(read);
    return true;
}

QStringList CRegClipboard::SplitText(const QString& strText)
{
    QStringList lines;
    QString strLine;
    const qsizetype n = strText.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = strText.at(i);
        if (ch == u'\r' || ch == u'\n') {
            lines.append(strLine);
            strLine.clear();
            if (ch == u'\r' && i + 1 < n && strText.at(i + 1) == u'\n')
                ++i;
            continue;
        }
        // A NUL that another program left at the end is no part of the text.
        if (ch == QChar(0) && i == n - 1)
            break;
        strLine += (ch.unicode() < 0x20 && ch != u'\t') || ch.unicode() == 0x7F ? QChar(u' ') : ch;
    }
    if (!strLine.isEmpty())
        lines.append(strLine);
    return lines;
}

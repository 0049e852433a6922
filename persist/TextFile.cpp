#include "persist/TextFile.h"

#include "persist/ArchiveException.h"
#include "persist/RegisterCsv.h"
#include "platform/CodePage932.h"

#include <QtEndian>

QByteArray CTextFile::EncodeUtf16(const QString& str)
{
    QByteArray bytes(2 + str.size() * 2, Qt::Uninitialized);
    bytes[0] = char(0xFF);
    bytes[1] = char(0xFE);
    char* p = bytes.data() + 2;
    for (qsizetype i = 0; i < str.size(); ++i)
        qToLittleEndian(std::uint16_t(str.at(i).unicode()), p + 2 * i);
    return bytes;
}

QByteArray CTextFile::WriteRegisterCsv(const CLedgerData& data)
{
    QString str;
    str.reserve(qsizetype(data.m_lines.size()) * 40);
    for (const CReceipt& line : data.m_lines)
        str += CRegisterCsv::FormatCsvLine(line, data.m_curs, data.m_cats);
    return EncodeUtf16(str);
}

QByteArray CTextFile::WriteMemoText(const std::vector<CDailyRec>& daily)
{
    QString str = MemoHeader() + u"\r\n";
    for (const CDailyRec& rec : daily) {
        str += rec.FormatMemoLine();
        str += u"\r\n";
    }
    return EncodeUtf16(str);
}

void CTextFile::ReadTextLine(QStringView line, bool& bMemoMode, CLedgerData& data)
{
    if (line.isEmpty())
        return;
    for (QChar c : line) {
        if (c.unicode() < 0x20 && c != u'\t')
            throw CArchiveException(CArchiveException::badFormat);
    }
    if (line.startsWith(MemoHeader())) {
        bMemoMode = true;
        return;
    }
    if (!bMemoMode) {
        CReceipt receipt;
        CRegisterCsv::ParseCsvLine(line, data.m_curs, data.m_cats, receipt);
        data.m_lines.push_back(std::move(receipt));
        return;
    }
    CDailyRec rec;
    rec.ParseMemoLine(line);
    // ParseMemoLine leaves the date 0 unless it names a real day.
    if (rec.m_date != 0)
        data.m_daily.push_back(std::move(rec));
}

void CTextFile::ReadTextLines(QByteArrayView text, bool bUtf16, CLedgerData& data)
{
    bool bMemoMode = false;
    if (bUtf16) {
        if (text.size() >= 2 && text[0] == char(0xFF) && text[1] == char(0xFE))
            text = text.sliced(2);
        // A last odd byte is no code unit.
        const qsizetype nUnits = text.size() / 2;
        QString str(nUnits, Qt::Uninitialized);
        for (qsizetype i = 0; i < nUnits; ++i)
            str[i] = QChar(qFromLittleEndian<std::uint16_t>(text.data() + 2 * i));
        const QStringView all(str);
        qsizetype nStart = 0;
        while (nStart <= all.size()) {
            qsizetype nEnd = all.indexOf(u'\n', nStart);
            if (nEnd < 0)
                nEnd = all.size();
            QStringView line = all.sliced(nStart, nEnd - nStart);
            if (line.endsWith(u'\r'))
                line.chop(1);
            ReadTextLine(line, bMemoMode, data);
            nStart = nEnd + 1;
        }
        return;
    }
    qsizetype nStart = 0;
    while (nStart <= text.size()) {
        qsizetype nEnd = text.indexOf('\n', nStart);
        if (nEnd < 0)
            nEnd = text.size();
        QByteArrayView bytes = text.sliced(nStart, nEnd - nStart);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        if (!bytes.isEmpty()) {
            const QString line = CCodePage932::Decode(bytes);
            ReadTextLine(line, bMemoMode, data);
        }
        nStart = nEnd + 1;
    }
}

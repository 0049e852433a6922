#include "persist/ArchiveWriter.h"

#include <QtEndian>

#include <cstring>

CArchiveWriter::CArchiveWriter()
{
    m_buffer.resize(1024);
}

char* CArchiveWriter::Grow(qsizetype nBytes)
{
    if (m_nSize + nBytes > m_buffer.size()) {
        // Doubling keeps a million-line payload at a handful of reallocations.
        qsizetype nNew = m_buffer.size() * 2;
        if (nNew < m_nSize + nBytes)
            nNew = m_nSize + nBytes + 1024;
        m_buffer.resize(nNew);
    }
    char* p = m_buffer.data() + m_nSize;
    m_nSize += nBytes;
    return p;
}

void CArchiveWriter::WriteUInt8(std::uint8_t n)
{
    *Grow(1) = char(n);
}

void CArchiveWriter::WriteUInt16(std::uint16_t n)
{
    qToLittleEndian(n, Grow(2));
}

void CArchiveWriter::WriteUInt32(std::uint32_t n)
{
    qToLittleEndian(n, Grow(4));
}

void CArchiveWriter::WriteInt64(std::int64_t n)
{
    qToLittleEndian(n, Grow(8));
}

void CArchiveWriter::WriteBytes(const void* pData, qsizetype nBytes)
{
    if (nBytes > 0)
        std::memcpy(Grow(nBytes), pData, size_t(nBytes));
}

void CArchiveWriter::WriteUtf16(const QString& str)
{
    const qsizetype n = str.size();
    char* p = Grow(n * 2);
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    std::memcpy(p, str.utf16(), size_t(n) * 2);
#else
    for (qsizetype i = 0; i < n; ++i)
        qToLittleEndian(std::uint16_t(str.at(i).unicode()), p + 2 * i);
#endif
}

void CArchiveWriter::WriteCount(std::uint32_t nCount)
{
    if (nCount < 0xFFFF) {
        WriteUInt16(std::uint16_t(nCount));
    } else {
        WriteUInt16(0xFFFF);
        WriteUInt32(nCount);
    }
}

void CArchiveWriter::WriteString(const QString& str)
{
    // The Unicode tag: a length byte 0xFF followed by the word 0xFFFE.
    WriteUInt8(0xFF);
    WriteUInt16(0xFFFE);
    const qsizetype n = str.size();
    if (n < 0xFF) {
        WriteUInt8(std::uint8_t(n));
    } else if (n < 0xFFFE) {
        WriteUInt8(0xFF);
        WriteUInt16(std::uint16_t(n));
    } else {
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(std::uint32_t(n));
    }
    WriteUtf16(str);
}

void CArchiveWriter::WriteStringArray(const QStringList& list)
{
    WriteCount(std::uint32_t(list.size()));
    for (const QString& str : list)
        WriteString(str);
}

void CArchiveWriter::WriteObjectTag(const char* pszClassName, std::uint16_t nSchema)
{
    for (const ClassEntry& entry : m_classes) {
        if (entry.pszName == pszClassName || std::strcmp(entry.pszName, pszClassName) == 0) {
            if (entry.nIndex < 0x7FFF) {
                WriteUInt16(std::uint16_t(0x8000 | entry.nIndex));
            } else {
                WriteUInt16(0x7FFF);
                WriteUInt32(0x80000000u | entry.nIndex);
            }
            ++m_nMapCount;
            return;
        }
    }
    const auto nLength = std::uint16_t(std::strlen(pszClassName));
    WriteUInt16(0xFFFF);
    WriteUInt16(nSchema);
    WriteUInt16(nLength);
    WriteBytes(pszClassName, nLength);
    m_classes.push_back({pszClassName, m_nMapCount++});
    ++m_nMapCount;
}

void CArchiveWriter::WriteNullObject()
{
    WriteUInt16(0);
}

QByteArray CArchiveWriter::TakeBuffer()
{
    m_buffer.truncate(m_nSize);
    QByteArray result = std::move(m_buffer);
    m_buffer = QByteArray();
    m_nSize = 0;
    return result;
}

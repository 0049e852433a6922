#include "persist/ArchiveReader.h"

#include "persist/ArchiveException.h"
#include "platform/CodePage932.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
// The framework's largest map index; beyond it no object can be registered.
constexpr std::uint32_t kMaxMapCount = 0x3FFFFFFE;
}

CArchiveReader::CArchiveReader(QByteArrayView data) : m_data(data)
{
}

int CArchiveReader::RegisterClass(const char* pszClassName, std::uint16_t nSchema)
{
    m_classes.push_back({pszClassName, nSchema});
    return int(m_classes.size()) - 1;
}

void CArchiveReader::Need(qsizetype nBytes) const
{
    if (nBytes < 0 || nBytes > m_data.size() - m_nPos)
        throw CArchiveException(CArchiveException::endOfFile);
}

std::uint8_t CArchiveReader::ReadUInt8()
{
    Need(1);
    return std::uint8_t(m_data[m_nPos++]);
}

std::uint16_t CArchiveReader::ReadUInt16()
{
    Need(2);
    const auto n = qFromLittleEndian<std::uint16_t>(m_data.data() + m_nPos);
    m_nPos += 2;
    return n;
}

std::uint32_t CArchiveReader::ReadUInt32()
{
    Need(4);
    const auto n = qFromLittleEndian<std::uint32_t>(m_data.data() + m_nPos);
    m_nPos += 4;
    return n;
}

std::int64_t CArchiveReader::ReadInt64()
{
    Need(8);
    const auto n = qFromLittleEndian<std::int64_t>(m_data.data() + m_nPos);
    m_nPos += 8;
    return n;
}

QString CArchiveReader::ReadUtf16(qsizetype nUnits)
{
    if (nUnits < 0 || nUnits > Remaining() / 2)
        throw CArchiveException(CArchiveException::endOfFile);
    QString str(nUnits, Qt::Uninitialized);
    const char* p = m_data.data() + m_nPos;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    std::memcpy(str.data(), p, size_t(nUnits) * 2);
#else
    for (qsizetype i = 0; i < nUnits; ++i)
        str[i] = QChar(qFromLittleEndian<std::uint16_t>(p + 2 * i));
#endif
    m_nPos += nUnits * 2;
    return str;
}

std::uint32_t CArchiveReader::ReadCount(qsizetype nMinBytesEach)
{
    std::uint32_t nCount = ReadUInt16();
    if (nCount == 0xFFFF)
        nCount = ReadUInt32();
    // A count that the remaining bytes cannot hold is damage, not a promise.
    if (nMinBytesEach > 0 && qsizetype(nCount) > Remaining() / nMinBytesEach)
        throw CArchiveException(CArchiveException::endOfFile);
    return nCount;
}

QString CArchiveReader::ReadString()
{
    bool bUnicode = false;
    std::uint64_t nLength = ReadUInt8();
    if (nLength == 0xFF) {
        nLength = ReadUInt16();
        if (nLength == 0xFFFE) {
            bUnicode = true;
            nLength = ReadUInt8();
            if (nLength == 0xFF)
                nLength = ReadUInt16();
        }
        if (nLength == 0xFFFF) {
            nLength = ReadUInt32();
            if (nLength == 0xFFFFFFFFu)
                nLength = std::uint64_t(ReadInt64());
        }
    }
    if (bUnicode) {
        if (nLength > std::uint64_t(Remaining() / 2))
            throw CArchiveException(CArchiveException::endOfFile);
        return ReadUtf16(qsizetype(nLength));
    }
    if (nLength > std::uint64_t(Remaining()))
        throw CArchiveException(CArchiveException::endOfFile);
    const QString str = CCodePage932::Decode(m_data.sliced(m_nPos, qsizetype(nLength)));
    m_nPos += qsizetype(nLength);
    return str;
}

QStringList CArchiveReader::ReadStringArray()
{
    const std::uint32_t nCount = ReadCount(1);
    QStringList list;
    list.reserve(qsizetype(nCount));
    for (std::uint32_t i = 0; i < nCount; ++i)
        list.append(ReadString());
    return list;
}

int CArchiveReader::ReadObjectTag()
{
    std::uint32_t nTag = ReadUInt16();
    if (nTag == 0x7FFF) {
        nTag = ReadUInt32();
        if (!(nTag & 0x80000000u))
            throw CArchiveException(CArchiveException::badClass); // big back reference
        nTag &= 0x7FFFFFFFu;
    } else if (nTag == 0xFFFF) {
        const std::uint16_t nSchema = ReadUInt16();
        const std::uint16_t nLength = ReadUInt16();
        if (nLength >= 64)
            throw CArchiveException(CArchiveException::badClass);
        Need(nLength);
        const QByteArrayView name = m_data.sliced(m_nPos, nLength);
        m_nPos += nLength;
        int nClass = -1;
        for (size_t i = 0; i < m_classes.size(); ++i) {
            if (name == QByteArrayView(m_classes[i].pszName)) {
                nClass = int(i);
                break;
            }
        }
        if (nClass < 0)
            throw CArchiveException(CArchiveException::badClass);
        if (m_classes[size_t(nClass)].nSchema != nSchema)
            throw CArchiveException(CArchiveException::badSchema);
        if (m_nMapCount >= kMaxMapCount)
            throw CArchiveException(CArchiveException::badFormat);
        m_loadedClasses.push_back({m_nMapCount++, nClass});
        ++m_nMapCount;
        return nClass;
    } else if (nTag & 0x8000) {
        nTag &= 0x7FFF;
    } else {
        // 0 is a null element, anything else a second reference to an object
        // an owning array already holds.
        throw CArchiveException(CArchiveException::badClass);
    }

    // Class indices are registered in increasing order.
    const auto it = std::lower_bound(m_loadedClasses.begin(), m_loadedClasses.end(), nTag,
                                     [](const MapEntry& e, std::uint32_t n) { return e.nIndex < n; });
    if (it == m_loadedClasses.end() || it->nIndex != nTag)
        throw CArchiveException(CArchiveException::badClass);
    if (m_nMapCount >= kMaxMapCount)
        throw CArchiveException(CArchiveException::badFormat);
    ++m_nMapCount;
    return it->nClass;
}

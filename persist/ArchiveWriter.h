#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Writes the framework's object-archive encoding into a memory buffer:
// little-endian integers, counts, strings with the Unicode tag, string arrays
// and object references with class records and map indices. One writer is one
// archive: the map index counter runs over everything written through it.
class CArchiveWriter
{
public:
    CArchiveWriter();

    void WriteUInt8(std::uint8_t n);
    void WriteUInt16(std::uint16_t n);
    void WriteInt16(std::int16_t n) { WriteUInt16(std::uint16_t(n)); }
    void WriteUInt32(std::uint32_t n);
    void WriteInt32(std::int32_t n) { WriteUInt32(std::uint32_t(n)); }
    void WriteInt64(std::int64_t n);
    void WriteBytes(const void* pData, qsizetype nBytes);
    // UTF-16LE code units without length or terminator.
    void WriteUtf16(const QString& str);

    void WriteCount(std::uint32_t nCount);
    void WriteString(const QString& str);
    void WriteStringArray(const QStringList& list);

    // The reference tag that precedes the fields of the next object of the
    // named class: the full class record for its first object, the class's map
    // index afterwards. Each object takes a map index of its own.
    void WriteObjectTag(const char* pszClassName, std::uint16_t nSchema);
    void WriteNullObject();

    qsizetype Size() const { return m_nSize; }
    // The bytes written so far; the writer is empty afterwards.
    QByteArray TakeBuffer();

private:
    char* Grow(qsizetype nBytes);

    struct ClassEntry
    {
        const char* pszName;
        std::uint32_t nIndex;
    };

    QByteArray m_buffer;
    qsizetype m_nSize = 0;
    std::uint32_t m_nMapCount = 1;
    std::vector<ClassEntry> m_classes;
};

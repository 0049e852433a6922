#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Reads the framework's object-archive encoding from a byte buffer. Every
// read is checked against the bytes that remain; anything that does not fit
// throws CArchiveException, so a damaged file can never be read past its end.
class CArchiveReader
{
public:
    explicit CArchiveReader(QByteArrayView data);

    // The classes an object reference may name; RegisterClass returns the
    // number ReadObjectTag reports for it.
    int RegisterClass(const char* pszClassName, std::uint16_t nSchema);

    std::uint8_t ReadUInt8();
    std::uint16_t ReadUInt16();
    std::int16_t ReadInt16() { return std::int16_t(ReadUInt16()); }
    std::uint32_t ReadUInt32();
    std::int32_t ReadInt32() { return std::int32_t(ReadUInt32()); }
    std::int64_t ReadInt64();
    // n UTF-16LE code units.
    QString ReadUtf16(qsizetype nUnits);

    // A count, checked to leave at least nMinBytesEach bytes per element.
    std::uint32_t ReadCount(qsizetype nMinBytesEach = 1);
    // A string with the Unicode tag, or without it as code page 932 text.
    QString ReadString();
    QStringList ReadStringArray();

    // Reads an object reference and returns the registered number of its
    // class. A null reference, a back reference, an unknown class name or
    // index, a class name of 64 or more characters and a wrong schema are
    // format errors: the owning arrays of a ledger hold each object once.
    int ReadObjectTag();

    qsizetype Position() const { return m_nPos; }
    qsizetype Remaining() const { return m_data.size() - m_nPos; }
    // Throws unless nBytes more bytes remain.
    void Need(qsizetype nBytes) const;

private:
    struct ClassEntry
    {
        const char* pszName;
        std::uint16_t nSchema;
    };
    struct MapEntry
    {
        std::uint32_t nIndex;
        int nClass;
    };

    QByteArrayView m_data;
    qsizetype m_nPos = 0;
    std::uint32_t m_nMapCount = 1;
    std::vector<ClassEntry> m_classes;
    std::vector<MapEntry> m_loadedClasses;
};

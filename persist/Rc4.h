#pragma once

#include <QByteArrayView>

#include <cstdint>

// The RC4 key stream. Enciphering and deciphering are the same operation:
// XOR of the data with the stream, which continues across calls.
class CRc4
{
public:
    explicit CRc4(QByteArrayView key);

    void Process(char* pData, qsizetype nBytes);

private:
    std::uint8_t m_s[256];
    std::uint8_t m_i = 0;
    std::uint8_t m_j = 0;
};

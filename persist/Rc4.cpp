#include "persist/Rc4.h"

#include <utility>

CRc4::CRc4(QByteArrayView key)
{
    for (int i = 0; i < 256; ++i)
        m_s[i] = std::uint8_t(i);
    if (key.isEmpty())
        return;
    std::uint8_t j = 0;
    const qsizetype nKey = key.size();
    for (int i = 0; i < 256; ++i) {
        j = std::uint8_t(j + m_s[i] + std::uint8_t(key[i % nKey]));
        std::swap(m_s[i], m_s[j]);
    }
}

void CRc4::Process(char* pData, qsizetype nBytes)
{
    std::uint8_t i = m_i;
    std::uint8_t j = m_j;
    for (qsizetype k = 0; k < nBytes; ++k) {
        i = std::uint8_t(i + 1);
        j = std::uint8_t(j + m_s[i]);
        std::swap(m_s[i], m_s[j]);
        pData[k] = char(std::uint8_t(pData[k]) ^ m_s[std::uint8_t(m_s[i] + m_s[j])]);
    }
    m_i = i;
    m_j = j;
}

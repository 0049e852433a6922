#include "persist/LegacyHeader.h"

namespace {

const char g_magic[CLegacyHeader::MAGIC_SIZE + 1] =
    "\x89\xC6\x8C\x76\x95\xEB\x8B\x4C\x98\x5E\x83\x66\x81\x5B\x83\x5E"
    "Version";

bool Digit(char c, int& n)
{
    if (c < '0' || c > '9')
        return false;
    n = c - '0';
    return true;
}

} // namespace

bool CLegacyHeader::Recognise(QByteArrayView file)
{
    return file.size() > SIZE && file.startsWith(QByteArrayView(g_magic, MAGIC_SIZE));
}

bool CLegacyHeader::Parse(QByteArrayView file)
{
    if (!Recognise(file))
        return false;
    int a = 0;
    int b = 0;
    int c = 0;
    if (!Digit(file[24], a) || !Digit(file[26], b) || !Digit(file[27], c))
        return false;
    m_nVersion = a * 100 + b * 10 + c;
    if (m_nVersion < 100 || m_nVersion > 299)
        return false;
    m_bProtected = m_nVersion >= KEY_BLOCK_VERSION && file[23] != ' ';
    return true;
}

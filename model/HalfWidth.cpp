#include "model/HalfWidth.h"

QString ToHalfWidth(const QString& strText)
{
    QString result = strText;
    for (QChar& ch : result) {
        const char16_t c = ch.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E)
            ch = QChar(char16_t(c - 0xFF01 + 0x21));
    }
    return result;
}

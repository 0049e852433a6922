#include "model/CurFmt.h"

#include <algorithm>

CCurFmt::CCurFmt(const QString& strSymbol, int nDecimals, const QString& strName)
    : m_nDecimals(std::clamp(nDecimals, 0, MAX_DECIMALS))
    , m_nSymbolPos(SYMBOL_BEFORE)
    , m_strSymbol(strSymbol)
    , m_strName(strName)
{
}

QString CCurFmt::Format(Amount nValue, bool bFraction) const
{
    // The magnitude is taken unsigned so that the most negative amount formats too.
    const std::uint64_t nMagnitude = AmountMagnitude(nValue);
    const std::uint64_t nWhole = nMagnitude / AMOUNT_UNIT;
    const int nFraction = int(nMagnitude % AMOUNT_UNIT);

    QString text;
    text.reserve(m_strSymbol.size() + 32);
    if (nValue < 0)
        text += u'-';
    if (m_nSymbolPos == SYMBOL_BEFORE || m_nSymbolPos == SYMBOL_BEFORE_SPACE) {
        text += m_strSymbol;
        if (m_nSymbolPos == SYMBOL_BEFORE_SPACE)
            text += u' ';
    }

    char digits[24];
    int nDigits = 0;
    std::uint64_t n = nWhole;
    do {
        digits[nDigits++] = char('0' + n % 10);
        n /= 10;
    } while (n != 0);
    for (int i = nDigits - 1; i >= 0; --i) {
        text += QLatin1Char(digits[i]);
        if (i > 0 && i % 3 == 0)
            text += u',';
    }

    if (bFraction && (m_nDecimals > 0 || nFraction > 0)) {
        text += u'.';
        text += QLatin1Char(char('0' + nFraction / 1000));
        text += QLatin1Char(char('0' + nFraction / 100 % 10));
        if (nFraction % 100 != 0 || m_nDecimals == MAX_DECIMALS) {
            text += QLatin1Char(char('0' + nFraction / 10 % 10));
            text += QLatin1Char(char('0' + nFraction % 10));
        }
    }

    if (m_nSymbolPos == SYMBOL_AFTER_SPACE)
        text += u' ';
    if (m_nSymbolPos == SYMBOL_AFTER || m_nSymbolPos == SYMBOL_AFTER_SPACE)
        text += m_strSymbol;
    return text;
}

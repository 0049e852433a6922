#include "model/AmountText.h"

#include <charconv>
#include <cmath>

QString CAmountText::FormatPlain(Amount nValue)
{
    const std::uint64_t nMagnitude = AmountMagnitude(nValue);
    const int nFraction = int(nMagnitude % AMOUNT_UNIT);
    QString text;
    if (nValue < 0)
        text += u'-';
    text += QString::number(nMagnitude / AMOUNT_UNIT);
    if (nFraction > 0) {
        text += u'.';
        text += QLatin1Char(char('0' + nFraction / 1000));
        text += QLatin1Char(char('0' + nFraction / 100 % 10));
        if (nFraction % 100 != 0) {
            text += QLatin1Char(char('0' + nFraction / 10 % 10));
            text += QLatin1Char(char('0' + nFraction % 10));
        }
    }
    return text;
}

namespace {

bool IsPlus(char16_t c) { return c == u'+' || c == u'＋'; }
bool IsMinus(char16_t c) { return c == u'-' || c == u'－'; }
bool IsMultiply(char16_t c) { return c == u'*' || c == u'＊' || c == u'×'; }
bool IsDivide(char16_t c) { return c == u'/' || c == u'／' || c == u'÷'; }
bool IsOpen(char16_t c) { return c == u'(' || c == u'（'; }
bool IsClose(char16_t c) { return c == u')' || c == u'）'; }

// Characters that end a number; none of them is part of it.
bool EndsNumber(char16_t c)
{
    switch (c) {
    case u'+': case u'-': case u'*': case u'/': case u'(': case u')': case u';': case u' ':
    case u'＊': case u'＋': case u'－': case u'／': case u'×': case u'÷': case u'（': case u'）':
    case u'；': case 0x3000:
        return true;
    default:
        return false;
    }
}

// Recursive descent over the expression grammar, evaluated in double precision.
class CExpressionParser
{
public:
    explicit CExpressionParser(QStringView text)
        : m_pos(text.begin())
        , m_end(text.end())
    {
    }

    bool Sum(double& dValue)
    {
        if (!Term(dValue))
            return false;
        while (IsPlus(Peek()) || IsMinus(Peek())) {
            const bool bMinus = IsMinus(Peek());
            ++m_pos;
            double dRight = 0;
            if (!Term(dRight))
                return false;
            dValue = bMinus ? dValue - dRight : dValue + dRight;
        }
        return true;
    }

    void SkipLeadingSpaces()
    {
        while (Peek() == u' ' || Peek() == 0x3000)
            ++m_pos;
    }

private:
    char16_t Peek() const { return m_pos < m_end ? m_pos->unicode() : 0; }

    bool Term(double& dValue)
    {
        if (!Factor(dValue))
            return false;
        while (IsMultiply(Peek()) || IsDivide(Peek())) {
            const bool bDivide = IsDivide(Peek());
            ++m_pos;
            double dRight = 0;
            if (!Factor(dRight))
                return false;
            if (bDivide) {
                if (dRight == 0)
                    return false;
                dValue /= dRight;
            } else {
                dValue *= dRight;
            }
        }
        return true;
    }

    bool Factor(double& dValue)
    {
        const char16_t c = Peek();
        if (!IsOpen(c) && !IsPlus(c) && !IsMinus(c))
            return Number(dValue);
        // Deep nesting would otherwise exhaust the stack.
        if (++m_nDepth > CAmountText::MAX_NESTING)
            return false;
        ++m_pos;
        bool bOk = false;
        if (IsOpen(c)) {
            bOk = Sum(dValue) && IsClose(Peek());
            if (bOk)
                ++m_pos;
        } else {
            // A sign binds to one factor: 8/-2/2 is (8/(-2))/2.
            bOk = Factor(dValue);
            if (bOk && IsMinus(c))
                dValue = -dValue;
        }
        --m_nDepth;
        return bOk;
    }

    bool Number(double& dValue)
    {
        char kept[CAmountText::MAX_NUMBER_DIGITS];
        int nKept = 0;
        while (m_pos < m_end && nKept < CAmountText::MAX_NUMBER_DIGITS) {
            const char16_t c = m_pos->unicode();
            if (EndsNumber(c))
                break;
            if ((c >= u'0' && c <= u'9') || c == u'.')
                kept[nKept++] = char(c);
            else if (c >= u'０' && c <= u'９')
                kept[nKept++] = char(c - u'０' + '0');
            else if (c == u'．')
                kept[nKept++] = '.';
            // Anything else (separators, currency signs, units) is decoration.
            ++m_pos;
        }
        if (nKept == 0)
            return false;
        // Locale-independent and correctly rounded, like the C library in the "C" locale;
        // text that does not start a number (a lone ".") reads as 0.
        dValue = 0;
        std::from_chars(kept, kept + nKept, dValue, std::chars_format::fixed);
        return true;
    }

    const QChar* m_pos;
    const QChar* m_end;
    int m_nDepth = 0;
};

} // namespace

bool CAmountText::ParseExpression(const QString& strText, Amount& nResult)
{
    CExpressionParser parser(strText);
    parser.SkipLeadingSpaces();
    double dValue = 0;
    if (!parser.Sum(dValue))
        return false;
    // The factor makes 0.1 give exactly 1000.
    const double dScaled = dValue * 10000.00000000001;
    // Only values that truncate into the 64-bit range are amounts.
    if (!std::isfinite(dScaled) || dScaled >= 0x1p63 || dScaled < -0x1p63)
        return false;
    nResult = static_cast<Amount>(dScaled);
    return true;
}

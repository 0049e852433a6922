#include "persist/OfxValue.h"

#include "model/Calendar.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// One "%Nd" conversion of the C library's formatted scan: leading white space,
// then at most nWidth characters of an optional sign and digits.
bool ScanInt(const char*& p, const char* pEnd, int nWidth, int& nValue)
{
    while (p < pEnd && IsCSpace(*p))
        ++p;
    const char* q = p;
    const char* pLimit = (pEnd - q > nWidth) ? q + nWidth : pEnd;
    bool bNegative = false;
    if (q < pLimit && (*q == '+' || *q == '-')) {
        bNegative = *q == '-';
        ++q;
    }
    if (q >= pLimit || !IsDigit(*q))
        return false;
    int n = 0;
    while (q < pLimit && IsDigit(*q))
        n = n * 10 + (*q++ - '0'); // at most four digits: no overflow
    nValue = bNegative ? -n : n;
    p = q;
    return true;
}

} // namespace

double COfxValue::AmountFactor()
{
    return std::bit_cast<double>(std::uint64_t{0x40C3880000000005ull});
}

Amount COfxValue::ParseAmount(QByteArrayView text)
{
    const char* p = text.data();
    const char* pEnd = p + text.size();
    while (p < pEnd && IsCSpace(*p))
        ++p;
    const char* pStart = p;
    if (p < pEnd && (*p == '+' || *p == '-'))
        ++p;
    const char* pDigits = p;
    while (p < pEnd && IsDigit(*p))
        ++p;
    bool bAnyDigit = p > pDigits;
    if (p < pEnd && *p == '.') {
        ++p;
        const char* pFraction = p;
        while (p < pEnd && IsDigit(*p))
            ++p;
        bAnyDigit = bAnyDigit || p > pFraction;
    }
    if (!bAnyDigit)
        return 0;

    // from_chars takes no "+" and reads in the C locale whatever the process locale is.
    const char* pNumber = (*pStart == '+') ? pStart + 1 : pStart;
    double d = 0;
    const auto result = std::from_chars(pNumber, p, d, std::chars_format::fixed);
    if (result.ec != std::errc() && result.ec != std::errc::result_out_of_range)
        return 0;
    if (result.ec == std::errc::result_out_of_range)
        return 0;
    const double dScaled = d * AmountFactor();
    // Only values whose truncation fits the 64-bit amount are converted.
    if (!std::isfinite(dScaled) || dScaled >= 9223372036854775808.0 || dScaled < -9223372036854775808.0)
        return 0;
    return static_cast<Amount>(dScaled);
}

PackedDate COfxValue::ParseDate(QByteArrayView text)
{
    const char* p = text.data();
    const char* pEnd = p + text.size();
    int nYear = 0;
    int nMonth = 0;
    int nDay = 0;
    if (!ScanInt(p, pEnd, 4, nYear) || !ScanInt(p, pEnd, 2, nMonth) || !ScanInt(p, pEnd, 2, nDay))
        return 0;
    // Year 0 means no date, and a month or day that the calendar lacks would
    // give a line that sorts and sums as nonsense.
    if (nYear < 1 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > CCalendar::DaysInMonth(nYear, nMonth))
        return 0;
    return MakeDate(nYear, nMonth, nDay);
}

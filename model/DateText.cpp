#include "model/DateText.h"

#include "model/Calendar.h"
#include "model/HalfWidth.h"

#include <cstdint>

QString CDateText::FormatDate(PackedDate date)
{
    const int nYear = DateYear(date);
    const int nMonth = DateMonth(date);
    const int nDay = DateDay(date);
    if (nMonth == 0)
        return QString::number(nYear);
    if (nDay == 0)
        return QString::number(nYear) + u'/' + QString::number(nMonth);
    return QString::number(nYear) + u'/' + QString::number(nMonth) + u'/' + QString::number(nDay);
}

bool CDateText::IsValidCellDate(PackedDate date)
{
    const int nYear = DateYear(date);
    const int nMonth = DateMonth(date);
    const int nDay = DateDay(date);
    return nYear >= MIN_YEAR && nYear <= MAX_YEAR && nMonth >= 1 && nMonth <= 12 && nDay >= 0
        && nDay <= CCalendar::DaysInMonth(nYear, nMonth);
}

namespace {

bool IsScanSpace(char16_t c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Reads up to three integers separated by "/" with the acceptance of "%d/%d/%d":
// white space before each number, an optional sign, at least one digit. Values are
// saturated instead of overflowing; a saturated value is never a valid date part.
int ScanDateNumbers(QStringView text, std::int64_t (&values)[3])
{
    constexpr std::int64_t nLimit = 1'000'000'000'000;
    qsizetype pos = 0;
    int nCount = 0;
    while (nCount < 3) {
        if (nCount > 0) {
            if (pos >= text.size() || text[pos] != u'/')
                break;
            ++pos;
        }
        while (pos < text.size() && IsScanSpace(text[pos].unicode()))
            ++pos;
        bool bNegative = false;
        if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
            bNegative = text[pos] == u'-';
            ++pos;
        }
        std::int64_t nValue = 0;
        qsizetype nDigits = 0;
        while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
            if (nValue < nLimit)
                nValue = nValue * 10 + (text[pos].unicode() - u'0');
            ++pos;
            ++nDigits;
        }
        if (nDigits == 0)
            break;
        values[nCount++] = bNegative ? -nValue : nValue;
    }
    return nCount;
}

std::int64_t ExpandYear(std::int64_t nYear)
{
    if (nYear >= 100)
        return nYear;
    return 1900 + nYear >= 1960 ? 1900 + nYear : 2000 + nYear;
}

} // namespace

bool CDateText::ParseDateCell(const QString& strText, PackedDate current, PackedDate& result)
{
    const QString text = ToHalfWidth(strText);
    std::int64_t values[3] = {0, 0, 0};
    const int nCount = ScanDateNumbers(text, values);

    std::int64_t nYear = DateYear(current);
    std::int64_t nMonth = DateMonth(current);
    std::int64_t nDay = DateDay(current);
    switch (nCount) {
    case 1:
        nDay = values[0];
        break;
    case 2:
        if (text.startsWith(u' ')) {
            nMonth = values[0];
            nDay = values[1];
        } else {
            nYear = ExpandYear(values[0]);
            nMonth = values[1];
            nDay = 0;
        }
        break;
    case 3:
        nYear = ExpandYear(values[0]);
        nMonth = values[1];
        nDay = values[2];
        break;
    default:
        break;
    }
    // Check before packing: a part too wide for its field must not wrap into a valid date.
    if (nYear < MIN_YEAR || nYear > MAX_YEAR || nMonth < 1 || nMonth > 12 || nDay < 0
        || nDay > CCalendar::DaysInMonth(int(nYear), int(nMonth)))
        return false;
    result = MakeDate(int(nYear), int(nMonth), int(nDay));
    return true;
}

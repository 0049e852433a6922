#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>

// Field numbers that select one part of a memo record for text, editing,
// the clipboard and input.
enum : int {
    MF_DAYNAME = -1,
    MF_DATE = 0,
    MF_WEATHER = 1,
    MF_WORK = 2,
    MF_OVERTIME = 3,
    MF_MARKS = 4,
    MF_FIGURES = 5,
    MF_FLAGS = 6,
    MF_TIME0 = 7,
    MF_TIME7 = 14,
    MF_COMMENT0 = 15,
};

// The memo of one calendar day: weather, work, overtime, letter marks, a
// number triple, an octal value, two groups of four times and comments.
class CDailyRec
{
public:
    static constexpr int TimeCount = 8;
    static constexpr std::int16_t NoTime = -1;
    static constexpr std::int16_t DashTime = 1440;

    explicit CDailyRec(std::int32_t date = 0);

    // True when every field is as in a new record (the date aside).
    bool IsEmpty() const;

    QString GetFieldText(int nField) const;
    // Parses text into a field; true when the whole text was used. The field
    // changes even when the result is false.
    bool SetFieldText(int nField, QStringView text);
    std::int32_t GetFieldValue(int nField) const;
    bool SetFieldValue(int nField, std::int32_t nValue);

    // All comments as one text, joined by strSeparator (empty ones between
    // included); setting splits such a text and replaces every comment.
    QString GetCommentText(QStringView separator) const;
    void SetCommentText(QStringView text, QStringView separator);

    // The memo text file's line for this record, without the line end.
    QString FormatMemoLine() const;
    // Fills this record (which should be new) from a memo line. Each field is
    // cut at the line's separator and read on its own, so one field that
    // stops early does not lose the others. False when the date is not a
    // real day (the date stays 0 and nothing else is read) or some field did
    // not fit entirely.
    bool ParseMemoLine(QStringView line);

    // 0 (Sunday) .. 6, or -1 when the date is no real calendar day.
    static int DayOfWeek(int nYear, int nMonth, int nDay);
    // "日" .. "土"; empty for anything else.
    static QString WeekdayName(int nDayOfWeek);
    // True for a packed date whose month is 1..12 and whose day lies in that
    // month (the divisible-by-four leap rule).
    static bool IsRealDay(std::int32_t date);

    std::int32_t m_date;
    std::uint32_t m_nWeather;
    std::uint32_t m_nWork;
    std::uint32_t m_nMarks;
    std::uint32_t m_nFigures;
    std::uint16_t m_wFlags;
    std::int16_t m_nTimes[TimeCount];
    QStringList m_astrComments;

private:
    void TrimComments();
};

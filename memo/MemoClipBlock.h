#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>

// The memo view's own clipboard block that travels beside the Unicode text
// of a copy: the source view's layout, the copied range's shape (-1 for
// whole rows or whole columns) and the drag offset. Any process can put
// bytes under this format, so the reader checks every value.
class CMemoClipBlock
{
public:
    static QString Format() { return QStringLiteral("Daily_BC1D_895F3876C627"); }
    static constexpr qsizetype Size = 20;
    // The widest and tallest ranges a memo view has: sixteen list columns,
    // two rows a day from 1960 to 2059 and the header row.
    static constexpr std::int32_t MaxCols = 16;
    static constexpr std::int32_t MaxRows = 2 * 36525 + 2;
    static constexpr std::int32_t MaxLayout = 2;

    QByteArray Build() const;
    // False for a block that is too short or holds a value no memo view
    // writes; the block is then left as a new one.
    bool Read(QByteArrayView bytes);

    // The paste buffer of a copy: its text split into lines (at CR LF, LF or
    // CR; a last empty line dropped) and the shape, taken from a readable
    // block where it gives one and from the text otherwise. False when the
    // text holds no line.
    static bool ReadPasteBuffer(const QString& strText, QByteArrayView block, QStringList& lines, int& nCols,
                                int& nRows);

    std::int32_t m_nLayout = 0;
    std::int32_t m_nCols = 1;
    std::int32_t m_nRows = 1;
    std::int32_t m_nDragCol = 0;
    std::int32_t m_nDragRow = 0;
};

#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// The register's columns: a layout entry holds a cell kind in its low 16 bits and a
// width in pixels in its high 16 bits (0: automatic). This class knows each kind's
// title, width sample, error marks and their tip messages.
class CRegColumns
{
public:
    static int KindOf(std::uint32_t nEntry) { return int(nEntry & 0xFFFFu); }
    static int WidthOf(std::uint32_t nEntry) { return int(nEntry >> 16); }
    static std::uint32_t MakeEntry(int nKind, int nWidth)
    {
        return (std::uint32_t(nKind) & 0xFFFFu) | (std::uint32_t(nWidth) << 16);
    }

    // Date, in, out, balance, account, category, description, automatic widths.
    static std::vector<std::uint32_t> DefaultLayout();
    static std::vector<int> Kinds(const std::vector<std::uint32_t>& layout);

    // A kind outside 0..6 has the title and sample of the balance kind.
    static QString Title(int nKind);
    static QString WidthSample(int nKind);
    // The line flag bits marked in a cell of the kind.
    static std::int32_t ErrorFlags(int nKind);
    // The tip message of the mark in a cell of the kind for the line flags; 0 when none.
    static int ErrorMessage(int nKind, std::int32_t nFlags);

    // Text as the screen shows it: the base currency's U+005C is drawn as the yen sign.
    static QString ScreenText(const QString& strText);
};

#pragma once

#include "model/RecItem.h"

#include <vector>

// Which description index items the description pad lists, and how its category list and
// its "(*)" toggle make the filter value. A value is -1 before the first use, 0 for every
// item, otherwise the chosen entry of the category list (the category position plus 1),
// plus 0x100 for the items used inside parentheses.
class CAssistFilter
{
public:
    enum : int {
        FILTER_NONE = -1,
        FILTER_ALL = 0,
        FILTER_PAREN = 0x100,
        // The largest value whose key (value - 1) fits the key bits of a use entry.
        FILTER_MAX = int(CRecItem::USE_KEY_MASK) + 1,
    };

    // A value the pad can hold: anything outside the use keys means no filter (-1), and
    // the toggle bit means nothing together with "all", which lists every item anyway.
    static int Normalized(int nFilter);

    // The category list entry a value selects (-1: none) and whether the toggle is on.
    static int EntryOf(int nFilter);
    static bool ParenOf(int nFilter);

    // The value after the user chose an entry of the category list: the toggle is released.
    static int ForEntry(int nEntry);
    // The value after the user switched the toggle with an entry chosen; with "all" or
    // nothing chosen the toggle has nothing to restrict and the value stays.
    static int ForToggle(int nFilter, int nEntry, bool bOn);

    static bool Includes(const CRecItem& item, int nFilter);
    // Positions of the included items, in index order (none for -1).
    static std::vector<int> Filter(const std::vector<CRecItem>& items, int nFilter);
};

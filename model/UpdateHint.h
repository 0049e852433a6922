#pragma once

#include <cstdint>
#include <vector>

// Numbers of the document's change notices. Hints 1 to 5 carry line positions, 10 and 11
// the remap table of the replaced list. The views use 6-9, 12, 13, 15 and 16 for updates
// of their own; the document never sends those.
enum : int {
    HINT_REFRESH = 0,        // everything may have changed
    HINT_ROWS_REMOVED = 1,   // [first row, row count]
    HINT_ROWS_INSERTED = 2,  // [first row, row count]
    HINT_ROWS_MOVED = 3,     // [source row, row count, target row]
    HINT_ROWS_REPLACED = 4,  // [first row, row count, first column, column count]
    HINT_CELLS_MOVED = 5,    // [row, row count, column, column count] of the block now holding the cells
    HINT_CATEGORIES = 10,    // remap table: former position -> new position
    HINT_CURRENCIES = 11,    // remap table: former position -> new position
    HINT_VIEW_FONT = 14,
    HINT_MEMO = 17,

    // Added to hints 1 to 5 when the step made a date reversal appear where there was none.
    HINT_DATE_REVERSED = 0x100,
};

// The data of a change notice: a list of 32-bit values whose meaning the hint gives.
using HintData = std::vector<std::int32_t>;

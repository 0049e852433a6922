#pragma once

// What one row of the summary table and one bar of the graph stand for.
enum : int {
    PERIOD_MONTH = 0,   // the days of one month
    PERIOD_YEAR = 1,    // the twelve months of one year
    PERIOD_ALL = 2,     // every calendar year of the ledger
    PERIOD_QUARTER = 3, // every calendar quarter of the ledger
    PERIOD_COUNT = 4,
};

// Summary keys: 0..9 total the categories of that attribute, SUM_KEY_CATEGORY + i is category i.
inline constexpr int SUM_KEY_CATEGORY = 10;

#pragma once

#include <cstdint>
#include <variant>
#include <vector>

// The change notices a document sends to its views, and the few a view sends itself.
// Each kind carries its own fields; a receiver visits the variant (see Overloaded below).
// dateReversed on a line notice: the step made a date reversal appear where there was none,
// so a register showing one period only switches to the whole ledger.

// Everything may have changed; selections are dropped.
struct SRefresh
{
};

// [first, first + count) are gone.
struct SLinesRemoved
{
    int first = 0;
    int count = 0;
    bool dateReversed = false;
};

// [first, first + count) are new.
struct SLinesInserted
{
    int first = 0;
    int count = 0;
    bool dateReversed = false;
};

// [source, source + count) moved before the line that was at target (before the move).
struct SLinesMoved
{
    int source = 0;
    int count = 0;
    int target = 0;
    bool dateReversed = false;
};

// The lines [first, first + count) were replaced in place; firstColumn/columnCount give
// the changed register columns, both -1 for whole lines.
struct SLinesReplaced
{
    int first = 0;
    int count = 0;
    int firstColumn = -1;
    int columnCount = -1;
    bool dateReversed = false;
};

// A block of cells was moved: it now lies at [first, first + count) x [firstColumn,
// firstColumn + columnCount) and came from the block at (sourceFirst, sourceColumn).
struct SCellsMoved
{
    int first = 0;
    int count = 0;
    int firstColumn = 0;
    int columnCount = 0;
    int sourceFirst = 0;
    int sourceColumn = 0;
    bool dateReversed = false;
};

// A group of steps, told once at its end: the oldCount lines from first were replaced by
// newCount lines; lines before first kept their places, lines after moved by the difference.
struct SLinesChanged
{
    int first = 0;
    int oldCount = 0;
    int newCount = 0;
    bool dateReversed = false;
};

// Former list position -> new position; removed entries map to 0.
using RemapTable = std::vector<std::int32_t>;

struct SCategoriesRemapped
{
    RemapTable table;
};

struct SCurrenciesRemapped
{
    RemapTable table;
};

// The view font changed: metrics and widths follow it.
struct SViewFont
{
};

// A memo step: the memo view cells to select.
struct SMemoChanged
{
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A view's own: the shown period changed; the rows follow it, the selection stays.
struct SPeriodShown
{
};

// A view's own: the register's column layout entries (kind and width packed per entry).
struct SColumnLayout
{
    std::vector<std::uint32_t> entries;
};

using UpdateHint = std::variant<SRefresh, SLinesRemoved, SLinesInserted, SLinesMoved, SLinesReplaced, SCellsMoved,
                                SLinesChanged, SCategoriesRemapped, SCurrenciesRemapped, SViewFont, SMemoChanged,
                                SPeriodShown, SColumnLayout>;

// The kind of a notice, in the order of the variant's alternatives.
enum class EHint {
    Refresh,
    LinesRemoved,
    LinesInserted,
    LinesMoved,
    LinesReplaced,
    CellsMoved,
    LinesChanged,
    CategoriesRemapped,
    CurrenciesRemapped,
    ViewFont,
    MemoChanged,
    PeriodShown,
    ColumnLayout,
};

inline constexpr int kHintKinds = int(EHint::ColumnLayout) + 1;
static_assert(std::variant_size_v<UpdateHint> == std::size_t(kHintKinds), "one kind per notice");

inline EHint HintOf(const UpdateHint& hint)
{
    return EHint(hint.index());
}

inline const char* HintName(EHint kind)
{
    static constexpr const char* kNames[kHintKinds] = {
        "Refresh",    "LinesRemoved",       "LinesInserted",      "LinesMoved", "LinesReplaced",
        "CellsMoved", "LinesChanged",       "CategoriesRemapped", "CurrenciesRemapped",
        "ViewFont",   "MemoChanged",        "PeriodShown",        "ColumnLayout",
    };
    const int n = int(kind);
    return n >= 0 && n < kHintKinds ? kNames[n] : "";
}

// A visitor built from lambdas: std::visit(Overloaded{[](const SLinesInserted&) {...}, ...}, hint).
template <class... Fns>
struct Overloaded : Fns...
{
    using Fns::operator()...;
};
template <class... Fns>
Overloaded(Fns...) -> Overloaded<Fns...>;

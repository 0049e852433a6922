#pragma once

#include <functional>

// The loop of the input, add, modify and row-modify commands over the lines of a range:
// one record dialog per line, "次へ" going on past the range, OK ending after its rows.
class CRecEditLoop
{
public:
    // Runs the dialog for a line and returns its result (1 OK, 1006 next, else cancel).
    using EditFn = std::function<int(int nCmd, int nLine, bool bFirst)>;
    // Moves the cursor to the line that comes next.
    using MoveFn = std::function<void(int nLine)>;
    // The number of ledger lines now.
    using CountFn = std::function<int()>;

    // nLine: the range's first line (for input, at most the line count; for add, at most the
    // last line and -1 before the first); nRows: the range's row count. Returns the number
    // of dialogs accepted.
    static int Run(int nCmd, int nLine, int nRows, const EditFn& edit, const MoveFn& move, const CountFn& count);
};

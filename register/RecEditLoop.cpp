#include "register/RecEditLoop.h"

#include "register/RecEditEntry.h"

#include <algorithm>

int CRecEditLoop::Run(int nCmd, int nLine, int nRows, const EditFn& edit, const MoveFn& move, const CountFn& count)
{
    const int nEditCmd = nCmd == CRecEditEntry::CMD_MODIFY_ROW ? CRecEditEntry::CMD_MODIFY : nCmd;
    int nAccepted = 0;
    int nDone = 0;
    bool bFirst = true;
    for (;;) {
        const int nResult = edit(nEditCmd, nLine, bFirst);
        bFirst = false;
        if (nResult != CRecEditEntry::RESULT_OK && nResult != CRecEditEntry::RESULT_NEXT)
            break;
        ++nAccepted;
        ++nDone;
        if (nResult == CRecEditEntry::RESULT_OK && nDone >= std::max(nRows, 1))
            break;
        ++nLine;
        // Input takes the line before it as its model, so it may stand at the end.
        const int nLast = count() - (nEditCmd == CRecEditEntry::CMD_INPUT ? 0 : 1);
        if (nLine > nLast)
            break;
        move(nLine);
    }
    return nAccepted;
}

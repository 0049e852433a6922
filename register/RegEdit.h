#pragma once

#include "model/Action.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/LineRange.h"
#include "model/PackedDate.h"

#include <QString>
#include <vector>

class CCofferDoc;
class CRegPasteBuffer;

// The register's changes of a ledger, worked out without a window: deleting a range,
// writing one cell, and pasting a buffer in its shapes. Rows are ledger line positions,
// columns are layout columns (kinds given per column). Every change is one action.
class CRegEdit
{
public:
    // What a paste will do: either a message (nothing changes) or the entries to append
    // and the actions to push as one step.
    struct SPastePlan
    {
        int nMessage = 0;
        std::vector<CCurFmt> newCurs;
        std::vector<CCategory> newCats;
        std::vector<CAction> actions;
    };

    // The choices of the paste-method dialog.
    struct SPasteMethod
    {
        enum : int {
            METHOD_AT_CURSOR = 0,    // insert before the target line
            METHOD_AFTER_CURSOR = 1, // insert after it
            METHOD_OVERWRITE = 2,    // overwrite the lines from the target line on
            METHOD_BY_DATE = 3,      // every line at the place of its own date
        };
        int nMethod = METHOD_AT_CURSOR;
        // For the two methods that insert at the cursor: every pasted line gets the date.
        bool bUseDate = false;
        PackedDate date = 0;
        // For overwriting: the parts of each pasted line that are taken.
        bool bDate = true;
        bool bCurrency = true;
        bool bAmounts = true; // category, counter category and both amounts
        bool bDesc = true;
    };

    // Whole rows leave the ledger; a block of cells is cleared (nothing when no cell
    // changes). bCut records the cut kinds. Returns whether an action was pushed.
    static bool DeleteRange(CCofferDoc& doc, const CLineRange& range, const std::vector<int>& kinds, bool bCut);

    // The cell's column set from the text on a copy of the line; an accepted text
    // replaces the line as one action. False (and no change) otherwise.
    static bool ApplyCellText(CCofferDoc& doc, int nLine, int nCol, int nKind, const QString& strText);

    // The paste of the buffer at (nCol, nLine). (nTargetCols, nTargetRows) is the size
    // of the selection (0 x 0: only the cursor; nTargetCols -1: whole rows). Without a
    // selection nCol may be CAction::INSERT_AT or INSERT_AFTER (a drop on a row's half).
    static SPastePlan PlanPaste(const CCofferDoc& doc, const CRegPasteBuffer& buffer, const std::vector<int>& kinds,
                                int nCol, int nLine, int nTargetCols, int nTargetRows);
    // Whether the paste with the method dialog may ask at all: only lines of this program,
    // copied as whole rows, onto whole rows or the cursor alone (0, else message 4103).
    static int CheckPasteSpecial(const CRegPasteBuffer& buffer, int nTargetCols, int nTargetRows);
    // The paste of whole lines with a chosen method before, after or over nLine.
    static SPastePlan PlanPasteSpecial(const CCofferDoc& doc, const CRegPasteBuffer& buffer, int nLine,
                                       const SPasteMethod& method);
    // Appends the plan's entries and pushes its actions; on failure the entries are
    // removed again. Returns the plan's message, 0 on success.
    static int ExecutePaste(CCofferDoc& doc, SPastePlan& plan);
    // Plan and execute.
    static int Paste(CCofferDoc& doc, const CRegPasteBuffer& buffer, const std::vector<int>& kinds, int nCol,
                     int nLine, int nTargetCols, int nTargetRows);
};

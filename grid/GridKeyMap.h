#pragma once

class CGridGeometry;
class CSelection;

// The keyboard table of a selecting grid view: which cell a navigation key
// moves to and with which scroll and selection flags. Pure decisions; the
// view applies them.
class CGridKeyMap
{
public:
    enum EAction {
        None,        // not a key of the table
        NoMove,      // a key of the table that moves nothing (Space without Shift)
        Move,
        Escape,      // selection mode off
        ToggleExtend,
        ToggleAdd,
    };

    struct SInput {
        int nKey = 0;          // Qt::Key
        bool bShift = false;
        bool bCtrl = false;
        int nRepeat = 1;
        bool bFirst = true;    // the key was not already down
        unsigned nSelMode = 0; // 0, SELMODE_EXT or SELMODE_ADD
        bool bMultipleSelection = true;
    };

    struct SResult {
        EAction action = None;
        int nCol = 0;
        int nRow = 0;
        unsigned nScrollFlags = 0;
        unsigned nSelFlags = 0;
        unsigned nSelMode = 0; // the selection mode after the key
    };

    static SResult Decide(const CGridGeometry& geometry, const CSelection& selection, const SInput& input);
};

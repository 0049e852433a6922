#pragma once

#include "model/Receipt.h"

#include <QString>
#include <vector>

// One undoable change of the ledger lines. Doing and redoing are the same step, so an
// action only describes the change; the document applies it. The lines an action holds
// are its own copies.
class CAction
{
public:
    enum : int {
        ACT_NONE = 0,
        ACT_DELETE_ROWS = 1,     // 行の削除: rows move into m_held
        ACT_CUT_ROWS = 2,        // 行の切り取り
        ACT_MOVE_ROWS = 3,       // 行の移動
        ACT_PASTE_ROWS = 4,      // 行の貼り付け: m_held is inserted
        ACT_ENTER_ROW = 5,       // 行の入力
        ACT_ADD_ROW = 6,         // 行の追加
        ACT_ENTER_BALANCE = 7,   // 残高の入力 (a new line)
        ACT_REPLACE_BALANCE = 8, // 残高の入力 (a replacing line): m_held changes places with rows
        ACT_EDIT_ROW = 9,        // 行の編集
        ACT_DELETE_CELLS = 10,   // 削除
        ACT_CUT_CELLS = 11,      // 切り取り
        ACT_MOVE_CELLS_DOWN = 12, // 移動: the source is the upper block
        ACT_MOVE_CELLS_UP = 13,   // 移動: the target is the upper block
        ACT_PASTE_CELLS = 14,    // 貼り付け
        ACT_EDIT_CELL = 15,      // 編集
    };

    // m_nCol (and m_nCol2 of a row move) for whole rows: before or after m_nRow.
    enum : int {
        INSERT_AT = -1,
        INSERT_AFTER = -2,
    };

    CAction() = default;
    CAction(int nKind, int nCol, int nRow, int nColCount, int nRowCount)
        : m_nKind(nKind), m_nCol(nCol), m_nRow(nRow), m_nColCount(nColCount), m_nRowCount(nRowCount) {}

    // Rows nRow .. nRow + nCount - 1 leave the ledger (kinds 1 and 2).
    static CAction RemoveRows(int nKind, int nRow, int nCount);
    // The lines are inserted before nRow, or after it with bAfter (kinds 4 to 7).
    static CAction InsertRows(int nKind, int nRow, std::vector<CReceipt> lines, bool bAfter = false);
    // The lines replace the rows from nRow on (kinds 8 to 11, 14, 15).
    static CAction ReplaceRows(int nKind, int nRow, std::vector<CReceipt> lines, int nCol = -1, int nColCount = -1);
    // The block moves before (INSERT_AT) or after (INSERT_AFTER) nTargetRow.
    static CAction MoveRows(int nRow, int nCount, int nTargetCol, int nTargetRow);

    // The name shown in the undo and redo lists; "－未定義－" for an unknown kind.
    static QString KindName(int nKind);
    QString GetName() const { return KindName(m_nKind); }

    static bool IsRemoveKind(int nKind) { return nKind == ACT_DELETE_ROWS || nKind == ACT_CUT_ROWS; }
    static bool IsInsertKind(int nKind) { return nKind >= ACT_PASTE_ROWS && nKind <= ACT_ENTER_BALANCE; }
    static bool IsExchangeKind(int nKind)
    {
        return (nKind >= ACT_REPLACE_BALANCE && nKind <= ACT_CUT_CELLS) || nKind == ACT_PASTE_CELLS
            || nKind == ACT_EDIT_CELL;
    }
    static bool IsCellMoveKind(int nKind) { return nKind == ACT_MOVE_CELLS_DOWN || nKind == ACT_MOVE_CELLS_UP; }

    // Where an inserting action puts its lines: m_nRow, plus 1 for INSERT_AFTER.
    int InsertPos() const { return m_nRow + (m_nCol == INSERT_AFTER ? 1 : 0); }
    // Where a row move sends its block: m_nRow2, plus 1 for INSERT_AFTER.
    int MoveTarget() const { return m_nRow2 + (m_nCol2 == INSERT_AFTER ? 1 : 0); }

    std::vector<CReceipt>* m_pLines = nullptr; // the lines the action works on (set when pushed)
    int m_nGroup = 1;       // number of actions in this action's group
    int m_nKind = ACT_NONE;
    int m_nCol = 0;         // first column, -1 for whole rows; inserting kinds: INSERT_AT / INSERT_AFTER
    int m_nRow = 0;
    int m_nColCount = 0;    // -1 for whole rows
    int m_nRowCount = 0;
    int m_nCol2 = 0;        // moves: target column, or INSERT_AT / INSERT_AFTER
    int m_nRow2 = 0;        // moves: target row
    std::vector<CReceipt> m_held;
};

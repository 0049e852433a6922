#include "model/Action.h"

#include <utility>

CAction CAction::RemoveRows(int nKind, int nRow, int nCount)
{
    return CAction(nKind, -1, nRow, -1, nCount);
}

CAction CAction::InsertRows(int nKind, int nRow, std::vector<CReceipt> lines, bool bAfter)
{
    CAction action(nKind, bAfter ? INSERT_AFTER : INSERT_AT, nRow, -1, int(lines.size()));
    action.m_held = std::move(lines);
    return action;
}

CAction CAction::ReplaceRows(int nKind, int nRow, std::vector<CReceipt> lines, int nCol, int nColCount)
{
    CAction action(nKind, nCol, nRow, nColCount, int(lines.size()));
    action.m_held = std::move(lines);
    return action;
}

CAction CAction::MoveRows(int nRow, int nCount, int nTargetCol, int nTargetRow)
{
    CAction action(ACT_MOVE_ROWS, -1, nRow, -1, nCount);
    action.m_nCol2 = nTargetCol;
    action.m_nRow2 = nTargetRow;
    return action;
}

QString CAction::KindName(int nKind)
{
    switch (nKind) {
    case ACT_DELETE_ROWS: return QStringLiteral("行の削除");
    case ACT_CUT_ROWS: return QStringLiteral("行の切り取り");
    case ACT_MOVE_ROWS: return QStringLiteral("行の移動");
    case ACT_PASTE_ROWS: return QStringLiteral("行の貼り付け");
    case ACT_ENTER_ROW: return QStringLiteral("行の入力");
    case ACT_ADD_ROW: return QStringLiteral("行の追加");
    case ACT_ENTER_BALANCE:
    case ACT_REPLACE_BALANCE: return QStringLiteral("残高の入力");
    case ACT_EDIT_ROW: return QStringLiteral("行の編集");
    case ACT_DELETE_CELLS: return QStringLiteral("削除");
    case ACT_CUT_CELLS: return QStringLiteral("切り取り");
    case ACT_MOVE_CELLS_DOWN:
    case ACT_MOVE_CELLS_UP: return QStringLiteral("移動");
    case ACT_PASTE_CELLS: return QStringLiteral("貼り付け");
    case ACT_EDIT_CELL: return QStringLiteral("編集");
    default: return QStringLiteral("－未定義－");
    }
}

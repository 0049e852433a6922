#include "model/CofferDoc.h"

#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <iterator>
#include <set>

// --- step primitives -------------------------------------------------------------------

int CCofferDoc::CountReversals(int nFirst, int nLast) const
{
    nFirst = std::max(nFirst, 0);
    nLast = std::min(nLast, int(m_lines.size()) - 1);
    int nCount = 0;
    for (int i = nFirst; i <= nLast; ++i) {
        const PackedDate prev = i == 0 ? 0 : m_lines[std::size_t(i - 1)].m_date;
        if (m_lines[std::size_t(i)].m_date < prev)
            ++nCount;
    }
    return nCount;
}

void CCofferDoc::InsertLines(int nPos, std::vector<CReceipt>& lines)
{
    const int nCount = int(lines.size());
    m_nReversals -= CountReversals(nPos, nPos);
    // Lines held by the history carry exchange references of an older table.
    for (CReceipt& line : lines) {
        line.m_nExchg = -1;
        line.m_nExchg2 = -1;
    }
    m_lines.insert(m_lines.begin() + nPos, std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    lines.clear();
    m_nReversals += CountReversals(nPos, nPos + nCount);
}

void CCofferDoc::RemoveLines(int nPos, int nCount, std::vector<CReceipt>& into)
{
    m_nReversals -= CountReversals(nPos, nPos + nCount);
    into.assign(std::make_move_iterator(m_lines.begin() + nPos),
                std::make_move_iterator(m_lines.begin() + nPos + nCount));
    m_lines.erase(m_lines.begin() + nPos, m_lines.begin() + nPos + nCount);
    m_nReversals += CountReversals(nPos, nPos);
}

void CCofferDoc::ExchangeLines(int nPos, std::vector<CReceipt>& held)
{
    const int nCount = int(held.size());
    m_nReversals -= CountReversals(nPos, nPos + nCount);
    for (int i = 0; i < nCount; ++i) {
        CReceipt& line = held[std::size_t(i)];
        line.m_nExchg = -1;
        line.m_nExchg2 = -1;
        std::swap(m_lines[std::size_t(nPos + i)], line);
    }
    m_nReversals += CountReversals(nPos, nPos + nCount);
}

void CCofferDoc::RotateLines(int nFirst, int nMiddle, int nLast)
{
    // [nFirst, nMiddle) and [nMiddle, nLast) change places.
    if (nFirst == nMiddle || nMiddle == nLast)
        return;
    m_nReversals -= CountReversals(nFirst, nFirst) + CountReversals(nMiddle, nMiddle) + CountReversals(nLast, nLast);
    std::rotate(m_lines.begin() + nFirst, m_lines.begin() + nMiddle, m_lines.begin() + nLast);
    const int nNewMiddle = nFirst + (nLast - nMiddle);
    m_nReversals += CountReversals(nFirst, nFirst) + CountReversals(nNewMiddle, nNewMiddle) + CountReversals(nLast, nLast);
}

// --- checking and applying ---------------------------------------------------------------

bool CCofferDoc::CheckGroup(std::vector<CAction>& actions) const
{
    // Walks the line count through the group so that every step, done or undone later,
    // works inside the ledger.
    std::int64_t nLines = std::int64_t(m_lines.size());
    for (CAction& action : actions) {
        const std::int64_t nRow = action.m_nRow;
        const std::int64_t nHeld = std::int64_t(action.m_held.size());
        if (CAction::IsRemoveKind(action.m_nKind)) {
            if (!action.m_held.empty() || action.m_nRowCount < 1 || nRow < 0 || nRow + action.m_nRowCount > nLines)
                return false;
            nLines -= action.m_nRowCount;
        } else if (CAction::IsInsertKind(action.m_nKind)) {
            const std::int64_t nPos = std::int64_t(action.m_nRow) + (action.m_nCol == CAction::INSERT_AFTER ? 1 : 0);
            if (nHeld < 1 || nPos < 0 || nPos > nLines)
                return false;
            action.m_nRowCount = int(nHeld);
            nLines += nHeld;
        } else if (action.m_nKind == CAction::ACT_MOVE_ROWS) {
            const std::int64_t nCount = action.m_nRowCount;
            const std::int64_t nTarget = std::int64_t(action.m_nRow2) + (action.m_nCol2 == CAction::INSERT_AFTER ? 1 : 0);
            if (!action.m_held.empty() || nCount < 1 || nRow < 0 || nRow + nCount > nLines || nTarget < 0
                || nTarget > nLines || (nTarget > nRow && nTarget < nRow + nCount))
                return false;
        } else if (CAction::IsExchangeKind(action.m_nKind)) {
            if (nHeld < 1 || nRow < 0 || nRow + nHeld > nLines)
                return false;
            action.m_nRowCount = int(nHeld);
        } else if (CAction::IsCellMoveKind(action.m_nKind)) {
            const std::int64_t nCount = action.m_nRowCount;
            const std::int64_t nRow2 = action.m_nRow2;
            if (nCount < 1 || nRow < 0 || nRow2 < nRow)
                return false;
            if (nHeld == 2 * nCount) {
                if (nRow + nCount > nRow2 || nRow2 + nCount > nLines)
                    return false;
            } else if (nHeld < 1 || nRow + nHeld > nLines) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

UpdateHint CCofferDoc::ApplyRedo(CAction& action)
{
    const int nKind = action.m_nKind;
    if (CAction::IsRemoveKind(nKind)) {
        RemoveLines(action.m_nRow, action.m_nRowCount, action.m_held);
        return SLinesRemoved{action.m_nRow, action.m_nRowCount};
    }
    if (CAction::IsInsertKind(nKind)) {
        const int nCount = int(action.m_held.size());
        InsertLines(action.InsertPos(), action.m_held);
        return SLinesInserted{action.InsertPos(), nCount};
    }
    if (nKind == CAction::ACT_MOVE_ROWS) {
        const int nRow = action.m_nRow;
        const int nCount = action.m_nRowCount;
        const int nTarget = action.MoveTarget();
        // After the block: it ends just before the row that was at the target.
        if (nTarget > nRow)
            RotateLines(nRow, nRow + nCount, nTarget);
        else
            RotateLines(nTarget, nRow, nRow + nCount);
        return SLinesMoved{nRow, nCount, nTarget};
    }
    if (CAction::IsExchangeKind(nKind)) {
        ExchangeLines(action.m_nRow, action.m_held);
        return SLinesReplaced{action.m_nRow, action.m_nRowCount, action.m_nCol, action.m_nColCount};
    }
    if (CAction::IsCellMoveKind(nKind)) {
        const int nCount = action.m_nRowCount;
        if (int(action.m_held.size()) == 2 * nCount) {
            std::vector<CReceipt> upper(std::make_move_iterator(action.m_held.begin()),
                                        std::make_move_iterator(action.m_held.begin() + nCount));
            std::vector<CReceipt> lower(std::make_move_iterator(action.m_held.begin() + nCount),
                                        std::make_move_iterator(action.m_held.end()));
            ExchangeLines(action.m_nRow, upper);
            ExchangeLines(action.m_nRow2, lower);
            action.m_held = std::move(upper);
            action.m_held.insert(action.m_held.end(), std::make_move_iterator(lower.begin()),
                                 std::make_move_iterator(lower.end()));
        } else {
            ExchangeLines(action.m_nRow, action.m_held);
        }
        // The cells now lie in the lower block for a downward move, in the upper one upward.
        const bool bDown = nKind == CAction::ACT_MOVE_CELLS_DOWN;
        SCellsMoved moved;
        moved.first = bDown ? action.m_nRow2 : action.m_nRow;
        moved.firstColumn = bDown ? action.m_nCol2 : action.m_nCol;
        moved.sourceFirst = bDown ? action.m_nRow : action.m_nRow2;
        moved.sourceColumn = bDown ? action.m_nCol : action.m_nCol2;
        moved.count = nCount;
        moved.columnCount = action.m_nColCount;
        return moved;
    }
    return SRefresh{};
}

UpdateHint CCofferDoc::ApplyUndo(CAction& action)
{
    const int nKind = action.m_nKind;
    if (CAction::IsRemoveKind(nKind)) {
        const int nCount = int(action.m_held.size());
        InsertLines(action.m_nRow, action.m_held);
        return SLinesInserted{action.m_nRow, nCount};
    }
    if (CAction::IsInsertKind(nKind)) {
        RemoveLines(action.InsertPos(), action.m_nRowCount, action.m_held);
        return SLinesRemoved{action.InsertPos(), action.m_nRowCount};
    }
    if (nKind == CAction::ACT_MOVE_ROWS) {
        const int nRow = action.m_nRow;
        const int nCount = action.m_nRowCount;
        const int nTarget = action.MoveTarget();
        const int nNow = nTarget > nRow ? nTarget - nCount : nTarget;
        // Back the same way: to end before the row now at nRow + nCount, or to start at nRow.
        int nBack = nRow;
        if (nRow > nNow) {
            nBack = nRow + nCount;
            RotateLines(nNow, nNow + nCount, nBack);
        } else {
            RotateLines(nRow, nNow, nNow + nCount);
        }
        return SLinesMoved{nNow, nCount, nBack};
    }
    // Exchanges undo themselves; moved cells go back to where they came from.
    UpdateHint hint = ApplyRedo(action);
    if (auto* pMoved = std::get_if<SCellsMoved>(&hint)) {
        std::swap(pMoved->first, pMoved->sourceFirst);
        std::swap(pMoved->firstColumn, pMoved->sourceColumn);
    }
    return hint;
}

namespace {

// The span of lines a group of steps changed, followed through the steps in the
// coordinates of the ledger after each step.
class CChangedSpan
{
public:
    void Add(const UpdateHint& step)
    {
        std::visit(Overloaded{
                       [this](const SLinesInserted& h) {
                           if (m_bEmpty) {
                               Cover(h.first, h.first);
                           } else if (h.first <= m_nFirst) {
                               m_nFirst += h.count;
                               m_nEnd += h.count;
                           } else if (h.first < m_nEnd) {
                               m_nEnd += h.count;
                           }
                           Cover(h.first, h.first + h.count);
                           m_nGrowth += h.count;
                       },
                       [this](const SLinesRemoved& h) {
                           const auto mapped = [&h](int n) { return n <= h.first ? n : std::max(h.first, n - h.count); };
                           if (!m_bEmpty) {
                               m_nFirst = mapped(m_nFirst);
                               m_nEnd = mapped(m_nEnd);
                           }
                           Cover(h.first, h.first);
                           m_nGrowth -= h.count;
                       },
                       [this](const SLinesMoved& h) {
                           Cover(std::min(h.source, h.target), std::max(h.source + h.count, h.target));
                       },
                       [this](const SLinesReplaced& h) { Cover(h.first, h.first + h.count); },
                       [this](const SCellsMoved& h) {
                           Cover(std::min(h.first, h.sourceFirst), std::max(h.first, h.sourceFirst) + h.count);
                       },
                       [this](const auto&) { m_bRefresh = true; },
                   },
                   step);
    }

    UpdateHint Notice() const
    {
        if (m_bRefresh || m_bEmpty)
            return SRefresh{};
        return SLinesChanged{m_nFirst, m_nEnd - m_nFirst - m_nGrowth, m_nEnd - m_nFirst};
    }

private:
    void Cover(int nFirst, int nEnd)
    {
        if (m_bEmpty) {
            m_nFirst = nFirst;
            m_nEnd = nEnd;
            m_bEmpty = false;
            return;
        }
        m_nFirst = std::min(m_nFirst, nFirst);
        m_nEnd = std::max(m_nEnd, nEnd);
    }

    bool m_bEmpty = true;
    bool m_bRefresh = false;
    int m_nFirst = 0;
    int m_nEnd = 0;
    int m_nGrowth = 0;
};

} // namespace

void CCofferDoc::NotifyGroup(UpdateHint hint, bool bHadReversal)
{
    // The whole ledger is recomputed once per group, before its one notice, so that a long
    // paste costs one recomputation and no view reads computed fields of a half-done group.
    Recompute();
    if (m_nReversals > 0 && !bHadReversal) {
        std::visit(
            [](auto& h) {
                if constexpr (requires { h.dateReversed; })
                    h.dateReversed = true;
            },
            hint);
    }
    UpdateAllViews(nullptr, hint);
}

// --- the history -------------------------------------------------------------------------

bool CCofferDoc::PushAction(CAction&& action)
{
    std::vector<CAction> group;
    group.push_back(std::move(action));
    action = CAction();
    return PushGroup(std::move(group));
}

bool CCofferDoc::PushGroup(std::vector<CAction>&& actions)
{
    if (actions.empty() || !CheckGroup(actions))
        return false;
    const int nGroup = int(actions.size());
    for (CAction& action : actions) {
        action.m_nGroup = nGroup;
        action.m_pLines = &m_lines;
    }
    if (m_nActPos < int(m_actions.size())) {
        // The redo part is lost; a save made in it can no longer be reached.
        if (m_nActSaved > m_nActPos)
            m_nActSaved = -1;
        m_actions.erase(m_actions.begin() + m_nActPos, m_actions.end());
    }
    m_actions.insert(m_actions.end(), std::make_move_iterator(actions.begin()), std::make_move_iterator(actions.end()));
    actions.clear();
    Redo();
    return true;
}

void CCofferDoc::Redo()
{
    const int nSize = int(m_actions.size());
    if (m_nActPos >= nSize)
        return;
    EnsureIndex();
    const int nGroup = std::max(m_actions[std::size_t(m_nActPos)].m_nGroup, 1);
    const bool bHadReversal = m_nReversals > 0;
    UpdateHint single;
    CChangedSpan span;
    int nSteps = 0;
    for (; nSteps < nGroup && m_nActPos < nSize; ++nSteps) {
        CAction& action = m_actions[std::size_t(m_nActPos)];
        ++m_nActPos;
        single = ApplyRedo(action);
        span.Add(single);
    }
    NotifyGroup(nSteps == 1 ? single : span.Notice(), bHadReversal);
    UpdateFrameTitles();
}

void CCofferDoc::Undo()
{
    if (m_nActPos <= 0)
        return;
    EnsureIndex();
    const int nGroup = std::max(m_actions[std::size_t(m_nActPos - 1)].m_nGroup, 1);
    const bool bHadReversal = m_nReversals > 0;
    UpdateHint single;
    CChangedSpan span;
    int nSteps = 0;
    for (; nSteps < nGroup && m_nActPos > 0; ++nSteps) {
        --m_nActPos;
        CAction& action = m_actions[std::size_t(m_nActPos)];
        single = ApplyUndo(action);
        span.Add(single);
    }
    NotifyGroup(nSteps == 1 ? single : span.Notice(), bHadReversal);
    UpdateFrameTitles();
}

QStringList CCofferDoc::GetActionNames(bool bUndo) const
{
    QStringList names;
    const int nSize = int(m_actions.size());
    if (bUndo) {
        // The last action of each done group, from the position backwards.
        for (int i = m_nActPos - 1; i >= 0;) {
            names.append(m_actions[std::size_t(i)].GetName());
            i -= std::max(m_actions[std::size_t(i)].m_nGroup, 1);
        }
    } else {
        for (int i = m_nActPos; i < nSize;) {
            names.append(m_actions[std::size_t(i)].GetName());
            i += std::max(m_actions[std::size_t(i)].m_nGroup, 1);
        }
    }
    return names;
}

// --- moving by dragging --------------------------------------------------------------------

bool CCofferDoc::MoveRange(const CLineRange& range, const std::vector<int>& sourceKinds,
                           const std::vector<int>& targetKinds, int nTargetCol, int nTargetRow)
{
    const int nLines = GetLineCount();
    if (range.IsEmpty() || range.top < 0 || range.bottom >= nLines || range.top > range.bottom)
        return false;
    const int nTop = range.top;
    const int nRows = range.bottom - range.top + 1;

    if (range.IsWholeRows()) {
        // Nothing to do when the block would stay where it is.
        if (nTargetRow >= nTop && nTargetRow <= range.bottom)
            return false;
        if (nTargetCol == CAction::INSERT_AFTER && nTargetRow == nTop - 1)
            return false;
        if (nTargetCol != CAction::INSERT_AFTER && nTargetRow == range.bottom + 1)
            return false;
        const int nCol2 = nTargetCol == CAction::INSERT_AFTER ? CAction::INSERT_AFTER : CAction::INSERT_AT;
        return PushAction(CAction::MoveRows(nTop, nRows, nCol2, nTargetRow));
    }

    const int nLeft = range.left;
    const int nCols = range.right - range.left + 1;
    if (nLeft < 0 || range.right >= int(sourceKinds.size()) || nTargetCol < 0
        || nTargetCol + nCols > int(targetKinds.size()) || nTargetRow < 0 || nTargetRow + nRows > nLines)
        return false;
    // A block dropped back onto the same cells changes nothing and must not mark the ledger modified.
    if (nTargetRow == nTop
        && std::equal(sourceKinds.begin() + nLeft, sourceKinds.begin() + nLeft + nCols,
                      targetKinds.begin() + nTargetCol))
        return false;

    const bool bDown = nTargetRow >= nTop;
    CAction action(bDown ? CAction::ACT_MOVE_CELLS_DOWN : CAction::ACT_MOVE_CELLS_UP, bDown ? nLeft : nTargetCol,
                   bDown ? nTop : nTargetRow, nCols, nRows);
    action.m_nCol2 = bDown ? nTargetCol : nLeft;
    action.m_nRow2 = bDown ? nTargetRow : nTop;

    // Copies of the upper block's rows, then of the lower block's rows not already held.
    const int nUpper = action.m_nRow;
    const int nLower = action.m_nRow2;
    const int nHeldRows = nLower >= nUpper + nRows ? 2 * nRows : nLower + nRows - nUpper;
    std::vector<CReceipt>& held = action.m_held;
    held.reserve(std::size_t(nHeldRows));
    for (int i = 0; i < nRows; ++i)
        held.push_back(m_lines[std::size_t(nUpper + i)]);
    if (nHeldRows == 2 * nRows) {
        for (int i = 0; i < nRows; ++i)
            held.push_back(m_lines[std::size_t(nLower + i)]);
    } else {
        for (int nRow = nUpper + nRows; nRow < nLower + nRows; ++nRow)
            held.push_back(m_lines[std::size_t(nRow)]);
    }
    const auto heldLine = [&](int nRow) -> CReceipt& {
        if (nHeldRows == 2 * nRows)
            return nRow >= nUpper && nRow < nUpper + nRows ? held[std::size_t(nRow - nUpper)]
                                                           : held[std::size_t(nRows + nRow - nLower)];
        return held[std::size_t(nRow - nUpper)];
    };

    for (int r = 0; r < nRows; ++r) {
        for (int c = 0; c < nCols; ++c)
            heldLine(nTop + r).ClearColumn(sourceKinds[std::size_t(nLeft + c)], m_cats);
    }
    for (int r = 0; r < nRows; ++r) {
        const CReceipt& source = m_lines[std::size_t(nTop + r)];
        for (int c = 0; c < nCols; ++c) {
            const int nSrcKind = sourceKinds[std::size_t(nLeft + c)];
            const int nDstKind = targetKinds[std::size_t(nTargetCol + c)];
            if (!heldLine(nTargetRow + r).SetColumnFromLine(nDstKind, nSrcKind, source, m_curs, m_cats)) {
                AppMessageBox(IDS_PASTE_KIND_MISMATCH);
                return false;
            }
        }
    }
    return PushAction(std::move(action));
}

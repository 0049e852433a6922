#include "register/RegEdit.h"

#include "model/CofferDoc.h"
#include "model/ColumnKind.h"
#include "model/ListCheck.h"
#include "platform/StringTable.h"
#include "register/RegClipboard.h"
#include "register/RegPasteBuffer.h"

#include <algorithm>
#include <numeric>

namespace {

std::vector<int> Identity(std::size_t n, std::size_t nTotal)
{
    std::vector<int> positions(nTotal);
    std::iota(positions.begin(), positions.end(), 0);
    // Added entries name a former position at or beyond the former size.
    for (std::size_t i = n; i < nTotal; ++i)
        positions[i] = int(n);
    return positions;
}

CRegEdit::SPastePlan Refusal(int nMessage)
{
    CRegEdit::SPastePlan plan;
    plan.nMessage = nMessage;
    return plan;
}

// The first column of the block [nCol, nCol + nCount) that shows the category; -1 when none.
int FirstCategoryColumn(const std::vector<int>& kinds, int nCol, int nCount)
{
    for (int j = 0; j < nCount; ++j) {
        if (kinds[std::size_t(nCol + j)] == COL_CATEGORY)
            return j;
    }
    return -1;
}

} // namespace

bool CRegEdit::DeleteRange(CCofferDoc& doc, const CLineRange& range, const std::vector<int>& kinds, bool bCut)
{
    const CLineRange rows = CRegClipboard::ClipRows(range, doc.GetLineCount());
    if (rows.IsEmpty())
        return false;
    const int nCount = rows.bottom - rows.top + 1;
    if (rows.IsWholeRows())
        return doc.PushAction(
            CAction::RemoveRows(bCut ? CAction::ACT_CUT_ROWS : CAction::ACT_DELETE_ROWS, rows.top, nCount));

    const int nLeft = std::max(rows.left, 0);
    const int nRight = rows.left < 0 ? int(kinds.size()) - 1 : std::min(rows.right, int(kinds.size()) - 1);
    if (nLeft > nRight)
        return false;
    std::vector<CReceipt> lines;
    lines.reserve(std::size_t(nCount));
    bool bChanged = false;
    for (int nRow = rows.top; nRow <= rows.bottom; ++nRow) {
        CReceipt line = doc.Lines()[std::size_t(nRow)];
        for (int c = nLeft; c <= nRight; ++c)
            line.ClearColumn(kinds[std::size_t(c)], doc.Categories());
        bChanged = bChanged || !(line == doc.Lines()[std::size_t(nRow)]);
        lines.push_back(std::move(line));
    }
    if (!bChanged)
        return false;
    return doc.PushAction(CAction::ReplaceRows(bCut ? CAction::ACT_CUT_CELLS : CAction::ACT_DELETE_CELLS, rows.top,
                                               std::move(lines), nLeft, nRight - nLeft + 1));
}

bool CRegEdit::ApplyCellText(CCofferDoc& doc, int nLine, int nCol, int nKind, const QString& strText)
{
    const CReceipt* pLine = doc.GetLine(nLine);
    if (pLine == nullptr || nCol < 0)
        return false;
    CReceipt line = *pLine;
    if (!line.SetColumnText(nKind, strText, doc.Categories()))
        return false;
    std::vector<CReceipt> lines;
    lines.push_back(std::move(line));
    return doc.PushAction(CAction::ReplaceRows(CAction::ACT_EDIT_CELL, nLine, std::move(lines), nCol, 1));
}

CRegEdit::SPastePlan CRegEdit::PlanPaste(const CCofferDoc& doc, const CRegPasteBuffer& buffer,
                                         const std::vector<int>& kinds, int nCol, int nLine, int nTargetCols,
                                         int nTargetRows)
{
    const int W = buffer.m_nCols;
    const int H = buffer.m_nRows;
    if (buffer.IsEmpty() || W == 0 || H <= 0)
        return Refusal(IDS_CLIPBOARD_FAILED);
    const int nLines = doc.GetLineCount();
    const int nLayout = int(kinds.size());

    // The method: insert whole lines, or overwrite a block of c x r cells.
    bool bInsert = false;
    bool bAfter = false;
    int c = 0;
    int r = 0;
    if (nTargetCols != 0 || nTargetRows != 0) {
        if (nTargetCols < 0) {
            if (!buffer.IsWholeRows())
                return Refusal(IDS_PASTE_SHAPE_MISMATCH);
            bInsert = true;
        } else {
            if (buffer.IsWholeRows())
                return Refusal(IDS_PASTE_SHAPE_MISMATCH);
            c = nTargetCols == 1 ? W : nTargetCols;
            r = nTargetRows == 1 ? H : nTargetRows;
            if (c % W != 0 || r % H != 0)
                return Refusal(IDS_PASTE_SHAPE_MISMATCH);
        }
    } else if (buffer.IsWholeRows()) {
        bInsert = true;
        bAfter = nCol == CAction::INSERT_AFTER;
    } else {
        c = W;
        r = H;
    }

    SPastePlan plan;
    if (buffer.IsPrivate()) {
        // Nothing is appended beyond the largest list a ledger can hold.
        if (doc.Currencies().size() + buffer.m_newCurs.size() > std::size_t(CListCheck::MAX_ENTRIES))
            return Refusal(IDS_TOO_MANY_CURRENCIES);
        if (doc.Categories().size() + buffer.m_newCats.size() > std::size_t(CListCheck::MAX_ENTRIES))
            return Refusal(IDS_TOO_MANY_CATEGORIES);
        plan.newCurs = buffer.m_newCurs;
        plan.newCats = buffer.m_newCats;
    }

    if (bInsert) {
        if (!buffer.IsPrivate() || buffer.m_lines.size() != std::size_t(H))
            return Refusal(IDS_PASTE_SHAPE_MISMATCH);
        int nAt = std::clamp(nLine, 0, nLines);
        if (bAfter && nAt >= nLines) {
            bAfter = false;
            nAt = nLines;
        }
        std::vector<CReceipt> lines = buffer.m_lines;
        // Without a method dialog the pasted lines take the date of the line they go before.
        const CReceipt* pTarget = doc.GetLine(nAt);
        if (pTarget != nullptr && pTarget->m_date != 0) {
            for (CReceipt& line : lines)
                line.m_date = pTarget->m_date;
        }
        plan.actions.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, nAt, std::move(lines), bAfter));
        return plan;
    }

    // Overwrite: the block must lie inside the ledger and the layout.
    if (nCol < 0 || nLine < 0 || std::int64_t(nCol) + c > nLayout || std::int64_t(nLine) + r > nLines)
        return Refusal(IDS_PASTE_SHAPE_MISMATCH);

    std::vector<CCurFmt> curs = doc.Currencies();
    curs.insert(curs.end(), plan.newCurs.begin(), plan.newCurs.end());
    std::vector<CCategory> cats = doc.Categories();
    cats.insert(cats.end(), plan.newCats.begin(), plan.newCats.end());
    const int nCatCol = FirstCategoryColumn(kinds, nCol, c);

    std::vector<CReceipt> lines;
    lines.reserve(std::size_t(r));
    for (int i = 0; i < r; ++i) {
        CReceipt line = doc.Lines()[std::size_t(nLine + i)];
        if (buffer.IsPrivate()) {
            if (buffer.m_lines.size() != std::size_t(H) || buffer.m_kinds.size() != std::size_t(W))
                return Refusal(IDS_CLIPBOARD_FAILED);
            const CReceipt& src = buffer.m_lines[std::size_t(i % H)];
            if (nCatCol >= 0) {
                if (buffer.m_kinds[std::size_t(nCatCol % W)] != COL_CATEGORY)
                    return Refusal(IDS_PASTE_KIND_MISMATCH);
                line.m_nCat = src.m_nCat;
                line.m_nCat2 = src.m_nCat2;
                if (src.HasCounter()) {
                    if (line.m_nAmount2 == 0)
                        line.m_nAmount2 = -line.m_nAmount;
                } else {
                    line.m_nAmount2 = 0;
                }
            }
            for (int j = 0; j < c; ++j) {
                if (!line.SetColumnFromLine(kinds[std::size_t(nCol + j)], buffer.m_kinds[std::size_t(j % W)], src, curs,
                                            cats))
                    return Refusal(IDS_PASTE_KIND_MISMATCH);
            }
        } else {
            const QStringList fields = buffer.m_text.at(i % H).split(u'\t');
            const auto field = [&fields, W](int j) { return j % W < fields.size() ? fields.at(j % W) : QString(); };
            if (nCatCol >= 0 && !line.SetColumnText(COL_CATEGORY, field(nCatCol), cats))
                return Refusal(IDS_PASTE_KIND_MISMATCH);
            for (int j = 0; j < c; ++j) {
                if (!line.SetColumnText(kinds[std::size_t(nCol + j)], field(j), cats))
                    return Refusal(IDS_PASTE_KIND_MISMATCH);
            }
        }
        lines.push_back(std::move(line));
    }
    plan.actions.push_back(CAction::ReplaceRows(CAction::ACT_PASTE_CELLS, nLine, std::move(lines), nCol, c));
    return plan;
}

int CRegEdit::CheckPasteSpecial(const CRegPasteBuffer& buffer, int nTargetCols, int nTargetRows)
{
    if (buffer.IsEmpty() || !buffer.IsPrivate())
        return IDS_CLIPBOARD_FAILED;
    const bool bInsertShape = nTargetCols < 0 || (nTargetCols == 0 && nTargetRows == 0);
    if (!buffer.IsWholeRows() || !bInsertShape)
        return IDS_PASTE_SHAPE_MISMATCH;
    return 0;
}

CRegEdit::SPastePlan CRegEdit::PlanPasteSpecial(const CCofferDoc& doc, const CRegPasteBuffer& buffer, int nLine,
                                                const SPasteMethod& method)
{
    if (const int nMessage = CheckPasteSpecial(buffer, 0, 0))
        return Refusal(nMessage);
    const int H = buffer.m_nRows;
    if (H <= 0 || buffer.m_lines.size() != std::size_t(H))
        return Refusal(IDS_PASTE_SHAPE_MISMATCH);
    if (doc.Currencies().size() + buffer.m_newCurs.size() > std::size_t(CListCheck::MAX_ENTRIES))
        return Refusal(IDS_TOO_MANY_CURRENCIES);
    if (doc.Categories().size() + buffer.m_newCats.size() > std::size_t(CListCheck::MAX_ENTRIES))
        return Refusal(IDS_TOO_MANY_CATEGORIES);
    const int nLines = doc.GetLineCount();

    SPastePlan plan;
    plan.newCurs = buffer.m_newCurs;
    plan.newCats = buffer.m_newCats;
    std::vector<CReceipt> lines = buffer.m_lines;

    switch (method.nMethod) {
    case SPasteMethod::METHOD_AT_CURSOR:
    case SPasteMethod::METHOD_AFTER_CURSOR: {
        if (method.bUseDate) {
            for (CReceipt& line : lines)
                line.m_date = method.date;
        }
        int nAt = std::clamp(nLine, 0, nLines);
        bool bAfter = method.nMethod == SPasteMethod::METHOD_AFTER_CURSOR && nAt < nLines;
        plan.actions.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, nAt, std::move(lines), bAfter));
        return plan;
    }
    case SPasteMethod::METHOD_OVERWRITE: {
        if (nLine < 0 || std::int64_t(nLine) + H > nLines)
            return Refusal(IDS_PASTE_SHAPE_MISMATCH);
        std::vector<CReceipt> targets;
        targets.reserve(std::size_t(H));
        for (int i = 0; i < H; ++i) {
            CReceipt target = doc.Lines()[std::size_t(nLine + i)];
            const CReceipt& src = lines[std::size_t(i)];
            if (method.bDate)
                target.m_date = src.m_date;
            if (method.bCurrency)
                target.m_nCur = src.m_nCur;
            if (method.bAmounts) {
                target.m_nCat = src.m_nCat;
                target.m_nCat2 = src.m_nCat2;
                target.m_nAmount = src.m_nAmount;
                target.m_nAmount2 = src.m_nAmount2;
            }
            if (method.bDesc) {
                // The raw-text mark belongs to the description it describes.
                target.m_strDesc = src.m_strDesc;
                target.m_nFlags = (target.m_nFlags & ~CReceipt::RF_RAW_TEXT) | (src.m_nFlags & CReceipt::RF_RAW_TEXT);
            }
            targets.push_back(std::move(target));
        }
        plan.actions.push_back(CAction::ReplaceRows(CAction::ACT_PASTE_CELLS, nLine, std::move(targets)));
        return plan;
    }
    case SPasteMethod::METHOD_BY_DATE: {
        std::stable_sort(lines.begin(), lines.end(),
                         [](const CReceipt& a, const CReceipt& b) { return a.m_date < b.m_date; });
        // nPos walks the existing lines; every run of lines that goes before the same existing
        // line is one insertion, placed where the earlier runs have moved that line to.
        int nPos = doc.LowerBound(lines.front().m_date);
        int nInserted = 0;
        std::vector<CReceipt> run;
        int nRunPos = -1;
        const auto flush = [&]() {
            if (run.empty())
                return;
            const int nCount = int(run.size());
            plan.actions.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, nRunPos + nInserted, std::move(run)));
            nInserted += nCount;
            run.clear();
        };
        for (CReceipt& line : lines) {
            while (nPos < nLines && doc.Lines()[std::size_t(nPos)].m_date <= line.m_date)
                ++nPos;
            if (nPos != nRunPos)
                flush();
            nRunPos = nPos;
            run.push_back(std::move(line));
        }
        flush();
        return plan;
    }
    default:
        return Refusal(IDS_PASTE_SHAPE_MISMATCH);
    }
}

int CRegEdit::ExecutePaste(CCofferDoc& doc, SPastePlan& plan)
{
    if (plan.nMessage != 0)
        return plan.nMessage;
    if (plan.actions.empty())
        return 0;
    const std::vector<CCurFmt> oldCurs = doc.Currencies();
    const std::vector<CCategory> oldCats = doc.Categories();
    const auto restore = [&]() {
        if (doc.Currencies().size() != oldCurs.size())
            doc.ReplaceCurrencies(oldCurs, Identity(oldCurs.size(), oldCurs.size()));
        if (doc.Categories().size() != oldCats.size())
            doc.ReplaceCategories(oldCats, Identity(oldCats.size(), oldCats.size()));
    };
    if (!plan.newCurs.empty()) {
        std::vector<CCurFmt> curs = oldCurs;
        curs.insert(curs.end(), plan.newCurs.begin(), plan.newCurs.end());
        if (!doc.ReplaceCurrencies(std::move(curs), Identity(oldCurs.size(), oldCurs.size() + plan.newCurs.size())))
            return IDS_TOO_MANY_CURRENCIES;
    }
    if (!plan.newCats.empty()) {
        std::vector<CCategory> cats = oldCats;
        cats.insert(cats.end(), plan.newCats.begin(), plan.newCats.end());
        if (!doc.ReplaceCategories(std::move(cats), Identity(oldCats.size(), oldCats.size() + plan.newCats.size()))) {
            restore();
            return IDS_TOO_MANY_CATEGORIES;
        }
    }
    if (!doc.PushGroup(std::move(plan.actions))) {
        restore();
        return IDS_PASTE_SHAPE_MISMATCH;
    }
    return 0;
}

int CRegEdit::Paste(CCofferDoc& doc, const CRegPasteBuffer& buffer, const std::vector<int>& kinds, int nCol,
                    int nLine, int nTargetCols, int nTargetRows)
{
    SPastePlan plan = PlanPaste(doc, buffer, kinds, nCol, nLine, nTargetCols, nTargetRows);
    return ExecutePaste(doc, plan);
}

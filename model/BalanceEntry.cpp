#include "model/BalanceEntry.h"

#include "model/Calendar.h"
#include "model/CategoryAttr.h"
#include "model/CofferDoc.h"
#include "model/ListCheck.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <numeric>

PackedDate CBalanceEntry::ClampDate(PackedDate date)
{
    return std::clamp(date, MIN_DATE, MAX_DATE);
}

int CBalanceEntry::CarryOverCategory(const CCofferDoc& doc)
{
    for (int n = int(doc.Categories().size()) - 1; n >= 0; --n) {
        if (doc.Categories()[std::size_t(n)].m_nAttr == ATTR_CARRYOVER)
            return n;
    }
    return -1;
}

CReceipt CBalanceEntry::StartLine(const CCofferDoc& doc, PackedDate today, int nCarryCat)
{
    CReceipt line;
    for (auto it = doc.Lines().rbegin(); it != doc.Lines().rend(); ++it) {
        if (it->m_date > today)
            continue;
        if (it->m_date == today && it->m_nCat == nCarryCat)
            line = *it;
        break;
    }
    line.m_date = today;
    return line;
}

CAction CBalanceEntry::PlaceLine(const CCofferDoc& doc, CReceipt line, int nCarryCat)
{
    const PackedDate date = line.m_date;
    const int nCur = line.m_nCur;
    std::vector<CReceipt> lines{std::move(line)};
    // The latest carry-over line of the same date in another currency: a second currency's
    // balance goes after it rather than before the day's balances.
    int nLatestOther = -1;
    for (int n = doc.GetLineCount() - 1; n >= 0; --n) {
        const CReceipt& old = doc.Lines()[std::size_t(n)];
        if (old.m_date > date)
            continue;
        if (old.m_date < date || old.m_nCat != nCarryCat)
            return CAction::InsertRows(CAction::ACT_ENTER_BALANCE, nLatestOther >= 0 ? nLatestOther : n,
                                       std::move(lines), true);
        if (old.m_nCur == nCur)
            return CAction::ReplaceRows(CAction::ACT_REPLACE_BALANCE, n, std::move(lines));
        if (nLatestOther < 0)
            nLatestOther = n;
    }
    if (nLatestOther >= 0)
        return CAction::InsertRows(CAction::ACT_ENTER_BALANCE, nLatestOther, std::move(lines), true);
    return CAction::InsertRows(CAction::ACT_ENTER_BALANCE, 0, std::move(lines));
}

Amount CBalanceEntry::CutToDecimals(Amount nAmount, int nDecimals)
{
    static constexpr Amount kSteps[] = {10000, 1000, 100, 10, 1};
    const Amount nStep = kSteps[std::clamp(nDecimals, 0, 4)];
    return nAmount - nAmount % nStep;
}

bool CBalanceEntry::AppendCurrency(CCofferDoc& doc, const CCurFmt& cur)
{
    if (CListCheck::CheckAddCurrency(int(doc.Currencies().size())) != 0)
        return false;
    std::vector<CCurFmt> curs = doc.Currencies();
    std::vector<int> positions(curs.size() + 1);
    std::iota(positions.begin(), positions.end(), 0);
    curs.push_back(cur);
    return doc.ReplaceCurrencies(std::move(curs), positions);
}

bool CBalanceEntry::Run(CCofferDoc& doc, const AskFn& ask)
{
    const int nCarryCat = CarryOverCategory(doc);
    if (nCarryCat < 0) {
        AppMessageBox(IDS_NO_CARRYOVER_CATEGORY, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    CReceipt line = StartLine(doc, CCalendar::Today(), nCarryCat);
    SValues values;
    values.date = ClampDate(line.m_date);
    values.nCur = line.m_nCur < doc.Currencies().size() ? line.m_nCur : 0;
    values.nAmount = line.m_nAmount;
    values.bAskOnOpen = (doc.m_nDocFlags & CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN) != 0;
    if (!ask || !ask(doc, values))
        return false;

    // The dialog keeps its values in range, but nothing out of range is ever stored.
    line.m_date = ClampDate(values.date);
    line.m_nCat = std::uint8_t(nCarryCat);
    line.m_nCur = std::uint8_t(values.nCur >= 0 && std::size_t(values.nCur) < doc.Currencies().size() ? values.nCur : 0);
    line.m_nAmount = values.nAmount;
    line.m_strDesc = QStringLiteral("残金");
    if (values.bAskOnOpen)
        doc.m_nDocFlags |= CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN;
    else
        doc.m_nDocFlags &= ~CCofferDoc::DF_BALANCE_ENTRY_ON_OPEN;
    return doc.PushAction(PlaceLine(doc, std::move(line), nCarryCat));
}

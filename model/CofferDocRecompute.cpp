#include "model/CofferDoc.h"

#include "model/ExchangeBuilder.h"

#include <array>
#include <unordered_map>

namespace {

// Only lines of year 1 or later count as dated: they bound the budget table's months.
bool IsDated(PackedDate date)
{
    return DateYear(date) >= 1;
}

bool IsBudgetable(int nAttr)
{
    return nAttr == ATTR_INCOME || nAttr == ATTR_EXPENSE || nAttr == ATTR_SPECIAL_INCOME
        || nAttr == ATTR_SPECIAL_EXPENSE;
}

} // namespace

double CCofferDoc::FindRate(int nEntry, int nCur) const
{
    // The resolution keeps its own per-currency lists; afterwards the table alone answers.
    if (nCur < 0 || nCur > 255)
        return 0.0;
    const int nCount = int(m_exchg.size());
    for (int i = std::min(nEntry, nCount) - 1; i >= 0; --i) {
        const CExchg& e = m_exchg[std::size_t(i)];
        if (e.m_nKind == CExchg::EX_RESOLVED && e.m_nCurTo == nCur)
            return e.m_dRate;
    }
    for (int i = std::max(nEntry + 1, 0); i < nCount; ++i) {
        const CExchg& e = m_exchg[std::size_t(i)];
        if (e.m_nKind == CExchg::EX_RESOLVED && e.m_nCurTo == nCur)
            return e.m_dRate;
    }
    return 0.0;
}

int CCofferDoc::Recompute()
{
    const bool bHadReversal = (m_nErrors & CReceipt::RF_DATE_REVERSED) != 0;
    m_nErrors = 0;
    m_exchg.clear();
    m_nReversals = 0;

    // Positions are bytes: tables of 256 answer every position, those beyond the lists
    // reading as the remark category.
    std::array<std::uint8_t, 256> attrs{};
    for (std::size_t i = 0; i < m_cats.size() && i < attrs.size(); ++i) {
        const int nAttr = m_cats[i].m_nAttr;
        attrs[i] = std::uint8_t(nAttr >= 0 && nAttr < ATTR_COUNT ? nAttr : ATTR_REMARK);
    }
    std::array<Amount, 256> balances{};

    // Budget lines name their category by its text; the first category of that name wins.
    std::unordered_map<QString, int> budgetCats;
    bool bBudgetCatsBuilt = false;
    std::vector<CDescToken> tokens;
    std::vector<CBudgetTable::CBudgetLine> budgetLines;

    CExchangeBuilder exchange(m_exchg, m_lines);
    bool bAnyDated = false;
    PackedDate firstMonth = 0;
    PackedDate lastMonth = 0;
    PackedDate prevDate = 0;

    const int nLines = int(m_lines.size());
    for (int i = 0; i < nLines; ++i) {
        CReceipt& line = m_lines[std::size_t(i)];
        const int k = line.m_nCur;
        std::int32_t nFlags = (line.m_nFlags & CReceipt::RF_STORED_MASK) | CReceipt::RF_AMOUNT1_COUNTS
            | CReceipt::RF_AMOUNT2_COUNTS;
        line.m_nExchg = -1;
        line.m_nExchg2 = -1;
        line.m_nBudgetCat = -1;

        // Date order and month markers.
        if (line.m_date < prevDate) {
            nFlags |= CReceipt::RF_DATE_REVERSED;
            ++m_nReversals;
        }
        if (i == 0 || (line.m_date >> 8) != (prevDate >> 8))
            nFlags |= CReceipt::RF_NEW_MONTH;
        else if (line.m_date != prevDate)
            nFlags |= CReceipt::RF_SAME_MONTH;
        prevDate = line.m_date;

        const int nAttr = attrs[line.m_nCat];
        if (nAttr == ATTR_CARRYOVER) {
            // The line states the balance; amount 2 holds the unrecorded difference.
            if (i == 0) {
                line.m_nAmount2 = 0;
            } else {
                nFlags &= ~CReceipt::RF_AMOUNT1_COUNTS;
                line.m_nAmount2 = WrapSub(line.m_nAmount, balances[std::size_t(k)]);
                if (line.m_nAmount2 != 0)
                    nFlags |= CReceipt::RF_BALANCE_MISMATCH;
            }
        } else if (nAttr == ATTR_BUDGET) {
            // A budget line never changes a balance.
            nFlags &= ~(CReceipt::RF_AMOUNT1_COUNTS | CReceipt::RF_AMOUNT2_COUNTS);
            if (!bBudgetCatsBuilt) {
                for (std::size_t c = 0; c < m_cats.size() && c < attrs.size(); ++c) {
                    if (IsBudgetable(attrs[c]))
                        budgetCats.try_emplace(m_cats[c].m_strName, int(c));
                }
                bBudgetCatsBuilt = true;
            }
            line.Tokenize(tokens);
            if (!tokens.empty()) {
                const CDescToken& first = tokens.front();
                auto it = budgetCats.find(line.m_strDesc.mid(first.m_nStart, first.m_nLength));
                if (it != budgetCats.end())
                    line.m_nBudgetCat = it->second;
            }
            if (line.m_nBudgetCat <= 0)
                nFlags |= CReceipt::RF_BUDGET_UNKNOWN;
            else if (IsDated(line.m_date))
                budgetLines.push_back({i, line.m_nBudgetCat, k, 0, line.m_nAmount});
        }
        if (line.m_nAmount2 == 0)
            nFlags &= ~CReceipt::RF_AMOUNT2_COUNTS;

        Amount& nBalance = balances[std::size_t(k)];
        if (nFlags & CReceipt::RF_AMOUNT1_COUNTS)
            nBalance = WrapAdd(nBalance, line.m_nAmount);
        if (nFlags & CReceipt::RF_AMOUNT2_COUNTS)
            nBalance = WrapAdd(nBalance, line.m_nAmount2);
        line.m_nBalance = nBalance;
        line.m_nFlags = nFlags;
        m_nErrors |= std::uint32_t(nFlags & CReceipt::RF_ERROR_MASK);

        if (IsDated(line.m_date)) {
            if (!bAnyDated || line.m_date < firstMonth)
                firstMonth = line.m_date;
            if (!bAnyDated || line.m_date > lastMonth)
                lastMonth = line.m_date;
            bAnyDated = true;
        }

        // Amounts in foreign currencies, and exchanges in any currency, enter the exchange
        // table: a positive counter amount before the main amount, a negative one after it.
        const int nAttr2 = attrs[line.m_nCat2];
        const int a = nAttr == ATTR_REMARK ? int(ATTR_INCOME) : nAttr;
        const int c = nAttr2 == ATTR_REMARK ? int(ATTR_INCOME) : nAttr2;
        const bool bEligibleA = k != 0 || a == ATTR_EXCHANGE;
        const bool bEligibleC = k != 0 || c == ATTR_EXCHANGE;
        if (line.m_nAmount2 > 0 && bEligibleC)
            line.m_nExchg2 = exchange.AddExchangeEntry(i, c, line.m_nAmount2);
        if (line.m_nAmount != 0 && bEligibleA)
            line.m_nExchg = exchange.AddExchangeEntry(i, a, line.m_nAmount);
        if (line.m_nAmount2 < 0 && bEligibleC)
            line.m_nExchg2 = exchange.AddExchangeEntry(i, c, line.m_nAmount2);
    }
    m_firstMonth = bAnyDated ? firstMonth : 0;
    m_lastMonth = bAnyDated ? lastMonth : 0;

    m_nErrors |= exchange.ResolveExchanges();
    RebuildBudgets(budgetLines);

    const bool bHasReversal = (m_nErrors & CReceipt::RF_DATE_REVERSED) != 0;
    return bHasReversal && !bHadReversal ? 1 : 0;
}

void CCofferDoc::RebuildBudgets(const std::vector<CBudgetTable::CBudgetLine>& budgetLines)
{
    m_budget.Reset(int(m_curs.size()), int(m_cats.size()), m_firstMonth, m_lastMonth);
    std::vector<CBudgetTable::CBudgetLine> lines;
    lines.reserve(budgetLines.size());
    for (CBudgetTable::CBudgetLine budget : budgetLines) {
        if (budget.m_nCur >= int(m_curs.size()))
            continue;
        budget.m_nMonth = m_budget.MonthIndex(m_lines[std::size_t(budget.m_nLine)].m_date);
        lines.push_back(budget);
    }
    std::vector<int> catAttrs;
    catAttrs.reserve(m_cats.size());
    for (const CCategory& cat : m_cats)
        catAttrs.push_back(cat.m_nAttr);
    for (int nLine : m_budget.Build(std::move(lines), catAttrs)) {
        m_lines[std::size_t(nLine)].m_nFlags |= CReceipt::RF_BUDGET_TWICE;
        m_nErrors |= CReceipt::RF_BUDGET_TWICE;
    }
}

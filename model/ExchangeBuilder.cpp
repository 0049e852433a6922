#include "model/ExchangeBuilder.h"

#include "model/CategoryAttr.h"

#include <algorithm>
#include <cmath>

namespace {

double Ratio(Amount nFrom, Amount nTo)
{
    return double(nFrom) / double(nTo);
}

} // namespace

CExchangeBuilder::CExchangeBuilder(std::vector<CExchg>& table, std::vector<CReceipt>& lines)
    : m_table(table), m_lines(lines)
{
}

Amount CExchangeBuilder::RoundUnits(double dValue)
{
    double dUnits = std::trunc(dValue / 10000.0 + 0.5);
    if (std::isnan(dUnits))
        return 0;
    constexpr double dLimit = 922337203685477.0; // whole units that still fit an amount
    dUnits = std::clamp(dUnits, -dLimit, dLimit);
    return Amount(dUnits) * 10000;
}

void CExchangeBuilder::AppendToChain(int nAcc, int nEntry)
{
    // Parts only ever join the last accumulator, whose chain end is kept.
    if (nAcc != m_nLastAcc || m_nLastAccTail < 0)
        return;
    m_table[std::size_t(m_nLastAccTail)].m_nNext = nEntry;
    m_nLastAccTail = nEntry;
}

int CExchangeBuilder::AddExchangeEntry(int nLine, int nAttr, Amount nValue)
{
    if (nLine < 0 || std::size_t(nLine) >= m_lines.size())
        return -1;
    if (nAttr == ATTR_REMARK)
        nAttr = ATTR_INCOME;
    const std::uint8_t nCur = m_lines[std::size_t(nLine)].m_nCur;

    CExchg entry;
    entry.m_nLine = nLine;
    switch (nAttr) {
    case ATTR_EXCHANGE: {
        entry.m_nKind = CExchg::EX_PART;
        // A part has no rate of its own until the resolution values it.
        entry.m_dRate = 0.0;
        CExchg* pAcc = m_nLastAcc >= 0 ? &m_table[std::size_t(m_nLastAcc)] : nullptr;
        int nAcc = m_nLastAcc;
        if (nValue < 0) {
            const Amount nGiven = NegateAmount(nValue);
            if (pAcc != nullptr && pAcc->m_nKind == CExchg::EX_OPEN && pAcc->m_nCurFrom == nCur) {
                pAcc->m_nAmountFrom = WrapAdd(pAcc->m_nAmountFrom, nGiven);
            } else {
                CExchg acc;
                acc.m_nKind = CExchg::EX_OPEN;
                acc.m_nCurFrom = nCur;
                acc.m_nAmountFrom = nGiven;
                m_table.push_back(acc);
                nAcc = m_nLastAcc = int(m_table.size()) - 1;
                m_nLastAccTail = nAcc;
            }
            entry.m_nCurFrom = nCur;
            entry.m_nAmountFrom = nGiven;
        } else {
            if (pAcc != nullptr && pAcc->m_nKind == CExchg::EX_OPEN) {
                pAcc->m_nKind = CExchg::EX_PAIRED;
                pAcc->m_nCurTo = nCur;
                pAcc->m_nAmountTo = nValue;
            } else if (pAcc != nullptr && pAcc->m_nCurTo == nCur) {
                pAcc->m_nAmountTo = WrapAdd(pAcc->m_nAmountTo, nValue);
            } else {
                CExchg acc;
                acc.m_nKind = CExchg::EX_UNMATCHED;
                acc.m_nCurTo = nCur;
                acc.m_nAmountTo = nValue;
                m_table.push_back(acc);
                nAcc = m_nLastAcc = int(m_table.size()) - 1;
                m_nLastAccTail = nAcc;
            }
            entry.m_nCurTo = nCur;
            entry.m_nAmountTo = nValue;
        }
        m_table.push_back(entry);
        const int nEntry = int(m_table.size()) - 1;
        AppendToChain(nAcc, nEntry);
        return nEntry;
    }
    case ATTR_ACCOUNT:
    case ATTR_SPECIAL_ACCOUNT:
        entry.m_nKind = nValue > 0 ? CExchg::EX_WITHDRAW : CExchg::EX_DEPOSIT;
        break;
    case ATTR_INCOME:
    case ATTR_EXPENSE:
    case ATTR_SPECIAL_INCOME:
    case ATTR_SPECIAL_EXPENSE:
        entry.m_nKind = nValue > 0 ? CExchg::EX_INCOME : CExchg::EX_SPEND;
        break;
    default:
        return -1;
    }
    entry.m_nCurTo = nCur;
    entry.m_nAmountTo = nValue;
    m_table.push_back(entry);
    return int(m_table.size()) - 1;
}

void CExchangeBuilder::DropReference(int nEntry)
{
    const int nLine = m_table[std::size_t(nEntry)].m_nLine;
    if (nLine < 0 || std::size_t(nLine) >= m_lines.size())
        return;
    CReceipt& line = m_lines[std::size_t(nLine)];
    if (line.m_nExchg == nEntry)
        line.m_nExchg = -1;
    if (line.m_nExchg2 == nEntry)
        line.m_nExchg2 = -1;
}

void CExchangeBuilder::AddResolved(int nEntry)
{
    std::vector<int>& list = m_resolved[m_table[std::size_t(nEntry)].m_nCurTo];
    list.insert(std::lower_bound(list.begin(), list.end(), nEntry), nEntry);
}

double CExchangeBuilder::FindRate(int nEntry, int nCur) const
{
    if (nCur < 0 || nCur >= int(m_resolved.size()))
        return 0.0;
    const std::vector<int>& list = m_resolved[std::size_t(nCur)];
    auto it = std::lower_bound(list.begin(), list.end(), nEntry);
    if (it != list.begin())
        return m_table[std::size_t(*(it - 1))].m_dRate;
    it = std::upper_bound(list.begin(), list.end(), nEntry);
    if (it != list.end())
        return m_table[std::size_t(*it)].m_dRate;
    return 0.0;
}

// Values the given-away parts of an exchange at the rate of their currency, by cumulative
// rounding so that the parts add up to the rounded total.
void CExchangeBuilder::ResolveChain(int nAcc, double dRate)
{
    CExchg& acc = m_table[std::size_t(nAcc)];
    Amount nSum = 0;
    Amount nPrevRounded = 0;
    for (int n = acc.m_nNext; n >= 0; n = m_table[std::size_t(n)].m_nNext) {
        CExchg& part = m_table[std::size_t(n)];
        const bool bGives = part.m_nAmountFrom != 0;
        nSum = WrapAdd(nSum, part.m_nAmountFrom);
        const Amount nRounded = RoundUnits(double(nSum) * dRate);
        part.m_nAmountFrom = WrapSub(nRounded, nPrevRounded);
        nPrevRounded = nRounded;
        // The tip of a given-away part shows the rate that valued it.
        if (bGives)
            part.m_dRate = dRate;
    }
    acc.m_nAmountFrom = RoundUnits(double(acc.m_nAmountFrom) * dRate);
    if (acc.m_nAmountTo != 0)
        acc.m_dRate = Ratio(acc.m_nAmountFrom, acc.m_nAmountTo);
    acc.m_nKind = CExchg::EX_RESOLVED;
}

void CExchangeBuilder::SetYenOfChain(int nAcc)
{
    const CExchg& acc = m_table[std::size_t(nAcc)];
    Amount nSum = 0;
    Amount nPrevRounded = 0;
    for (int n = acc.m_nNext; n >= 0; n = m_table[std::size_t(n)].m_nNext) {
        CExchg& part = m_table[std::size_t(n)];
        if (part.m_nAmountTo <= 0) {
            part.m_nYen = NegateAmount(part.m_nAmountFrom);
            continue;
        }
        nSum = WrapAdd(nSum, part.m_nAmountTo);
        const Amount nRounded = RoundUnits(double(nSum) * acc.m_dRate);
        part.m_nYen = WrapSub(nRounded, nPrevRounded);
        nPrevRounded = nRounded;
        part.m_dRate = acc.m_dRate;
    }
}

void CExchangeBuilder::ValueRemainder(int nEntry, Amount nRemain)
{
    CExchg& e = m_table[std::size_t(nEntry)];
    if (nRemain == e.m_nAmountTo) {
        const double dRate = FindRate(nEntry, e.m_nCurTo);
        if (dRate == 0.0) {
            e.m_nKind = CExchg::EX_NONE;
            DropReference(nEntry);
        } else {
            e.m_nAmountFrom = RoundUnits(double(AmountMagnitude(e.m_nAmountTo)) * dRate);
        }
        return;
    }
    // The covered part's average rate applied to the whole amount.
    const double dCovered = double(WrapSub(e.m_nAmountTo, nRemain));
    e.m_nAmountFrom = RoundUnits(double(e.m_nAmountFrom) * double(e.m_nAmountTo) / dCovered);
}

std::uint32_t CExchangeBuilder::ResolveExchanges()
{
    std::uint32_t nErrors = 0;
    for (auto& list : m_resolved)
        list.clear();
    const int nCount = int(m_table.size());

    // 1. Exchanges that gave base-currency money away know their rate.
    bool bFromYen = false;
    for (int i = 0; i < nCount; ++i) {
        CExchg& e = m_table[std::size_t(i)];
        if (e.m_nKind == CExchg::EX_PAIRED && e.m_nCurFrom == 0) {
            if (e.m_nAmountTo != 0)
                e.m_dRate = Ratio(e.m_nAmountFrom, e.m_nAmountTo);
            e.m_nKind = CExchg::EX_RESOLVED;
            bFromYen = true;
            m_resolved[e.m_nCurTo].push_back(i);
        }
    }
    if (!bFromYen)
        nErrors |= ERR_NO_YEN_EXCHANGE;

    // 2. Exchanges between foreign currencies, in passes while a pass resolves something.
    std::vector<int> pending;
    for (int i = 0; i < nCount; ++i) {
        if (m_table[std::size_t(i)].m_nKind == CExchg::EX_PAIRED)
            pending.push_back(i);
    }
    bool bResolved = true;
    while (bResolved && !pending.empty()) {
        bResolved = false;
        std::vector<int> left;
        for (int i : pending) {
            const double dRate = FindRate(i, m_table[std::size_t(i)].m_nCurFrom);
            if (dRate == 0.0) {
                left.push_back(i);
                continue;
            }
            ResolveChain(i, dRate);
            AddResolved(i);
            bResolved = true;
        }
        pending.swap(left);
    }

    // 3. Yen values of the exchange parts; exchanges without partner are marked.
    for (int i = 0; i < nCount; ++i) {
        const CExchg& e = m_table[std::size_t(i)];
        switch (e.m_nKind) {
        case CExchg::EX_PAIRED:
            for (int n = e.m_nNext; n >= 0; n = m_table[std::size_t(n)].m_nNext)
                DropReference(n);
            break;
        case CExchg::EX_RESOLVED:
            SetYenOfChain(i);
            break;
        case CExchg::EX_UNMATCHED:
        case CExchg::EX_OPEN:
            for (int n = e.m_nNext; n >= 0; n = m_table[std::size_t(n)].m_nNext) {
                const int nLine = m_table[std::size_t(n)].m_nLine;
                if (nLine >= 0 && std::size_t(nLine) < m_lines.size())
                    m_lines[std::size_t(nLine)].m_nFlags |= CReceipt::RF_EXCHANGE_UNPAIRED;
                nErrors |= CReceipt::RF_EXCHANGE_UNPAIRED;
                DropReference(n);
            }
            break;
        default:
            break;
        }
    }

    // 4. Income and expense amounts received: valued at the nearest rate.
    for (int i = 0; i < nCount; ++i) {
        CExchg& e = m_table[std::size_t(i)];
        if (e.m_nKind != CExchg::EX_INCOME)
            continue;
        const double dRate = FindRate(i, e.m_nCurTo);
        if (dRate == 0.0) {
            DropReference(i);
            // Without a rate the amount has no base-currency value: a lot taken from it
            // later must not be valued as if one unit were worth one yen.
            e.m_dRate = 0.0;
        } else {
            e.m_dRate = dRate;
            e.m_nAmountFrom = RoundUnits(double(e.m_nAmountTo) * dRate);
        }
        e.m_nYen = e.m_nAmountFrom;
    }

    // Lots are taken nearest earlier first. Sweeping the table in order with one stack of
    // candidate lots per currency gives exactly that order: every lot taken lies on top.
    std::array<std::vector<int>, 256> stacks;
    const auto takeFromEarlier = [&](int nEntry, bool bByRate) {
        CExchg& e = m_table[std::size_t(nEntry)];
        std::vector<int>& stack = stacks[e.m_nCurTo];
        Amount nRemain = e.m_nAmountTo;
        bool bCovered = false;
        while (!stack.empty()) {
            CExchg& lot = m_table[std::size_t(stack.back())];
            if (lot.m_nAmountTo <= 0) {
                stack.pop_back();
                continue;
            }
            const Amount nLotTo = lot.m_nAmountTo;
            const Amount nLotFrom = lot.m_nAmountFrom;
            nRemain = WrapAdd(nRemain, nLotTo);
            if (nRemain >= 0) {
                lot.m_nAmountFrom = bByRate ? RoundUnits(double(nRemain) * lot.m_dRate)
                                            : RoundUnits(double(nLotFrom) * double(nRemain) / double(nLotTo));
                lot.m_nAmountTo = nRemain;
                e.m_nAmountFrom = WrapAdd(e.m_nAmountFrom, WrapSub(nLotFrom, lot.m_nAmountFrom));
                if (lot.m_nAmountTo <= 0)
                    stack.pop_back();
                bCovered = true;
                break;
            }
            e.m_nAmountFrom = WrapAdd(e.m_nAmountFrom, nLotFrom);
            lot.m_nAmountFrom = 0;
            lot.m_nAmountTo = 0;
            stack.pop_back();
        }
        if (!bCovered && nRemain < 0)
            ValueRemainder(nEntry, nRemain);
    };
    const auto spentRate = [](const CExchg& e) {
        return e.m_nAmountTo != 0 ? Ratio(e.m_nAmountFrom, NegateAmount(e.m_nAmountTo)) : 0.0;
    };

    // 5. Money put into an account takes the lots of exchanges and income before it.
    for (int i = 0; i < nCount; ++i) {
        CExchg& e = m_table[std::size_t(i)];
        if (e.m_nKind == CExchg::EX_DEPOSIT) {
            takeFromEarlier(i, true);
            // Its own amount is negative: the rate shown is the magnitude.
            e.m_dRate = spentRate(e);
            e.m_nYen = NegateAmount(e.m_nAmountFrom);
        } else if ((e.m_nKind == CExchg::EX_RESOLVED || e.m_nKind == CExchg::EX_INCOME) && e.m_nAmountTo > 0) {
            stacks[e.m_nCurTo].push_back(i);
        }
    }

    // 6. Money taken out of an account takes the deposits, first to last.
    std::array<std::vector<int>, 256> deposits;
    std::array<std::size_t, 256> heads{};
    for (int i = 0; i < nCount; ++i) {
        const CExchg& e = m_table[std::size_t(i)];
        if (e.m_nKind == CExchg::EX_DEPOSIT && e.m_nAmountTo < 0)
            deposits[e.m_nCurTo].push_back(i);
    }
    for (int i = 0; i < nCount; ++i) {
        CExchg& e = m_table[std::size_t(i)];
        if (e.m_nKind != CExchg::EX_WITHDRAW)
            continue;
        std::vector<int>& lots = deposits[e.m_nCurTo];
        std::size_t& head = heads[e.m_nCurTo];
        Amount nRemain = e.m_nAmountTo;
        bool bCovered = false;
        while (head < lots.size()) {
            CExchg& lot = m_table[std::size_t(lots[head])];
            if (lot.m_nKind != CExchg::EX_DEPOSIT || lot.m_nAmountTo >= 0) {
                ++head;
                continue;
            }
            const Amount nLotTo = lot.m_nAmountTo;
            const Amount nLotFrom = lot.m_nAmountFrom;
            nRemain = WrapAdd(nRemain, nLotTo);
            if (nRemain <= 0) {
                lot.m_nAmountFrom = RoundUnits(double(nLotFrom) * double(nRemain) / double(nLotTo));
                lot.m_nAmountTo = nRemain;
                e.m_nAmountFrom = WrapAdd(e.m_nAmountFrom, WrapSub(nLotFrom, lot.m_nAmountFrom));
                if (lot.m_nAmountTo >= 0)
                    ++head;
                bCovered = true;
                break;
            }
            e.m_nAmountFrom = WrapAdd(e.m_nAmountFrom, nLotFrom);
            lot.m_nAmountFrom = 0;
            lot.m_nAmountTo = 0;
            ++head;
        }
        if (!bCovered && nRemain > 0)
            ValueRemainder(i, nRemain);
        e.m_dRate = e.m_nAmountTo != 0 ? Ratio(e.m_nAmountFrom, e.m_nAmountTo) : 0.0;
        e.m_nYen = e.m_nAmountFrom;
    }

    // 7. Money spent takes the lots of exchanges, withdrawals and income before it.
    for (auto& stack : stacks)
        stack.clear();
    for (int i = 0; i < nCount; ++i) {
        CExchg& e = m_table[std::size_t(i)];
        if (e.m_nKind == CExchg::EX_SPEND) {
            takeFromEarlier(i, false);
            e.m_dRate = spentRate(e);
            e.m_nYen = NegateAmount(e.m_nAmountFrom);
        } else if ((e.m_nKind == CExchg::EX_RESOLVED || e.m_nKind == CExchg::EX_WITHDRAW
                    || e.m_nKind == CExchg::EX_INCOME)
                   && e.m_nAmountTo > 0) {
            stacks[e.m_nCurTo].push_back(i);
        }
    }
    return nErrors;
}

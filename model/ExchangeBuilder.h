#pragma once

#include "model/Amount.h"
#include "model/Exchg.h"
#include "model/Receipt.h"

#include <array>
#include <cstdint>
#include <vector>

// Builds the exchange table during a recomputation: entries are added line by line in
// ledger order, then ResolveExchanges pairs the exchanges and values every foreign amount in
// the base currency. Works on the document's table and lines; lines whose amount cannot be
// valued lose their reference to the table.
class CExchangeBuilder
{
public:
    CExchangeBuilder(std::vector<CExchg>& table, std::vector<CReceipt>& lines);

    // Appends the entries for one amount of line nLine (attribute nAttr, 0 taken as 1) and
    // returns the entry the line refers to, or -1.
    int AddExchangeEntry(int nLine, int nAttr, Amount nValue);

    // Pairs and values the whole table. Returns the error bits it sets on lines (0x1000 for
    // an exchange without partner, or-ed over all lines) plus the top bit when no exchange
    // gives base-currency money away.
    std::uint32_t ResolveExchanges();

    // The rate of the nearest resolved accumulator (kind 6) receiving nCur: earlier entries
    // nearest first, then later ones; 0 when there is none.
    double FindRate(int nEntry, int nCur) const;

    // Value in 1/10000 units to whole units: divided by 10000, plus 0.5, truncated toward
    // zero, times 10000. Values beyond the amount range are clamped; not-a-number gives 0.
    static Amount RoundUnits(double dValue);

    static constexpr std::uint32_t ERR_NO_YEN_EXCHANGE = 0x80000000u;

private:
    void AppendToChain(int nAcc, int nEntry);
    void DropReference(int nEntry);
    void ResolveChain(int nAcc, double dRate);
    void SetYenOfChain(int nAcc);
    void ValueRemainder(int nEntry, Amount nRemain);
    void AddResolved(int nEntry);

    std::vector<CExchg>& m_table;
    std::vector<CReceipt>& m_lines;
    int m_nLastAcc = -1;     // last accumulator of kind 7 or above
    int m_nLastAccTail = -1; // last entry of its chain
    // Positions of the resolved accumulators per currency received, ascending.
    std::array<std::vector<int>, 256> m_resolved;
};

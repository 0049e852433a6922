#pragma once

#include "model/CofferDoc.h"
#include "model/NewLedger.h"
#include "tests/support/LedgerBuilder.h"

#include <QString>
#include <QStringList>

#include <vector>

// Small ledgers for the register tests. Categories are the default set:
// 0 備考, 1 繰越, 2 収入, 3 食料, 4 住居, ..., 14 預貯金 (account), 15 両替, 16 予算.
namespace regfix {

enum : int {
    CAT_REMARK = 0,
    CAT_CARRY = 1,
    CAT_INCOME = 2,
    CAT_FOOD = 3,
    CAT_HOUSING = 4,
    CAT_SAVINGS = 14,
};

enum : int { YEN = 0, USD = 1 };

using support::Descriptions;
using support::Line;
using support::U;

// Yen and dollars, the default categories, the lines; recomputed, unmodified, no history.
inline void Fill(CCofferDoc& doc, std::vector<CReceipt> lines, bool bDollar = true)
{
    support::Fill(doc, std::move(lines), support::Currencies(bDollar ? 2 : 1));
}

// Food expenses named by their descriptions, one a day from 2024/3/1 on.
inline std::vector<CReceipt> Named(const QStringList& names, int nFirstDay = 1, int nMonth = 3)
{
    return support::Named(names, 2024, nMonth, nFirstDay, CAT_FOOD);
}

} // namespace regfix

#pragma once

#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/PackedDate.h"
#include "model/Receipt.h"

#include <vector>

// The set a ledger created without a source starts with.
class CNewLedger
{
public:
    // 日本円 with symbol "\", no decimals.
    static std::vector<CCurFmt> Currencies();
    // 17 categories: 備考, 繰越, then the household groups, 預貯金, 両替, 予算.
    static std::vector<CCategory> Categories();
    // The carry-over line "繰り越し" of the given date.
    static CReceipt FirstLine(PackedDate date);
    // Replaces the three lists with the default set, the line dated CCalendar::Today().
    static void Fill(std::vector<CCurFmt>& curs, std::vector<CCategory>& cats, std::vector<CReceipt>& lines);
};

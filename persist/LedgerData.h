#pragma once

#include "memo/DailyRec.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Receipt.h"

#include <QStringList>

#include <cstdint>
#include <vector>

// What a ledger file carries, as plain values: the readers fill it and the
// writers take it, so the document hands its members over in one piece.
struct CLedgerData
{
    std::int32_t m_nDocFlags = 0;
    std::vector<CReceipt> m_lines;
    std::vector<CCurFmt> m_curs;
    std::vector<CCategory> m_cats;
    std::vector<CDailyRec> m_daily;
    QStringList m_memoTitles;

    bool HasMemoData() const { return !m_daily.empty() || !m_memoTitles.isEmpty(); }
};

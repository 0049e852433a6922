#pragma once

#include "memo/DailyRec.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/Receipt.h"

#include <QStringList>

#include <cstdint>
#include <vector>

// What a ledger file carries, as plain values: a reader fills it and hands it to the
// document in one piece (CCofferDoc::Load); a writer gets the document's own as a const
// loan (CCofferDoc::LendContent), so a million lines are neither copied nor changed.
struct CLedgerContent
{
    std::int32_t m_nDocFlags = 0;
    std::vector<CReceipt> m_lines;
    std::vector<CCurFmt> m_curs;
    std::vector<CCategory> m_cats;
    std::vector<CDailyRec> m_daily;
    QStringList m_memoTitles;

    bool HasMemoData() const { return !m_daily.empty() || !m_memoTitles.isEmpty(); }
};

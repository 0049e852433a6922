#pragma once

#include "model/Amount.h"
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/NewLedger.h"
#include "model/PackedDate.h"
#include "model/Receipt.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class CCofferDoc;
struct CLedgerContent;

// Small ledgers for tests and benchmarks, filled into a document the way a file reader does.
namespace support {

// Whole units of money as the ledger stores them (four decimals).
constexpr Amount U(std::int64_t nUnits)
{
    return Amount(nUnits * 10000);
}

CReceipt Line(PackedDate date, int nCur, int nCat, Amount nAmount, const QString& strDesc = QString(), int nCat2 = 0,
              Amount nAmount2 = 0);

// The yen, then "$" (USD, 2 decimals), then "€" (EUR, 2 decimals): the first nCount of them.
std::vector<CCurFmt> Currencies(int nCount);

// Installs the lists and the lines through the document's loader and recomputes: no history,
// unmodified, no description index (as a reader leaves it before FinishOpen).
void Fill(CCofferDoc& doc, std::vector<CReceipt> lines, std::vector<CCurFmt> curs,
          std::vector<CCategory> cats = CNewLedger::Categories());

// A copy of what the document holds: lines, lists, options and memos.
CLedgerContent Content(const CCofferDoc& doc);
// A test's own change of a filled ledger (a category's attribute, a reversed date): the content
// is copied, changed and installed again as Fill does. The undo history is gone afterwards.
void Amend(CCofferDoc& doc, const std::function<void(CLedgerContent&)>& change);

// Yen expenses of nCat, 100 each, named by their descriptions, one a day from the given day on.
std::vector<CReceipt> Named(const QStringList& names, int nYear, int nMonth, int nFirstDay, int nCat);

QStringList Descriptions(const CCofferDoc& doc);

} // namespace support

#pragma once

// Small ledgers for the summary tests, filled in through the document's loader and then
// recomputed, as a reader fills them.
#include "model/CofferDoc.h"
#include "model/NewLedger.h"
#include "model/PackedDate.h"
#include "tests/support/LedgerBuilder.h"

#include <QList>
#include <QMetaType>
#include <QString>

#include <memory>

// Positions of the default categories.
enum : int {
    CAT_REMARK = 0,
    CAT_CARRYOVER = 1,
    CAT_INCOME = 2,
    CAT_FOOD = 3,
    CAT_HOUSING = 4,
    CAT_SAVINGS = 14,
    CAT_EXCHANGE = 15,
    CAT_BUDGET = 16,
};

// Keys of those categories.
constexpr int Key(int nCat)
{
    return 10 + nCat;
}

using support::U;

struct SLine
{
    PackedDate date = 0;
    int nCur = 0;
    int nCat = 0;
    Amount nAmount = 0;
    int nCat2 = 0;
    Amount nAmount2 = 0;
    QString strDesc;
};
Q_DECLARE_METATYPE(SLine)
using SLines = QList<SLine>;
Q_DECLARE_METATYPE(SLines)

inline SLine Line(PackedDate date, int nCat, Amount nAmount, int nCur = 0)
{
    return SLine{date, nCur, nCat, nAmount, 0, 0, QString()};
}

inline SLine Transfer(PackedDate date, int nCat, Amount nAmount, int nCat2, Amount nAmount2)
{
    return SLine{date, 0, nCat, nAmount, nCat2, nAmount2, QString()};
}

// A budget line: the description names the budgeted category.
inline SLine Budget(PackedDate date, const QString& strCategory, Amount nAmount, int nCur = 0)
{
    return SLine{date, nCur, CAT_BUDGET, nAmount, 0, 0, strCategory};
}

// The default categories, the yen and a dollar currency with two decimals.
inline std::unique_ptr<CCofferDoc> MakeLedger(const SLines& lines,
                                              const std::vector<CCategory>& cats = CNewLedger::Categories())
{
    auto pDoc = std::make_unique<CCofferDoc>();
    std::vector<CCurFmt> curs = CNewLedger::Currencies();
    curs.emplace_back(QStringLiteral("$"), 2, QStringLiteral("米ドル"));
    std::vector<CReceipt> receipts;
    for (const SLine& given : lines)
        receipts.push_back(support::Line(given.date, given.nCur, given.nCat, given.nAmount, given.strDesc, given.nCat2,
                                         given.nAmount2));
    support::Fill(*pDoc, std::move(receipts), std::move(curs), cats);
    return pDoc;
}

#pragma once

// Small ledgers for the summary tests, built directly in the document's lists and then
// recomputed, as a reader fills them.
#include "model/CofferDoc.h"
#include "model/NewLedger.h"
#include "model/PackedDate.h"

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

// Whole currency units.
constexpr Amount U(qint64 nUnits)
{
    return nUnits * 10000;
}

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
    CLedgerContent content;
    content.m_curs = CNewLedger::Currencies();
    content.m_curs.emplace_back(QStringLiteral("$"), 2, QStringLiteral("米ドル"));
    content.m_cats = cats;
    for (const SLine& given : lines) {
        CReceipt line;
        line.m_date = given.date;
        line.m_nCur = static_cast<std::uint8_t>(given.nCur);
        line.m_nCat = static_cast<std::uint8_t>(given.nCat);
        line.m_nAmount = given.nAmount;
        line.m_nCat2 = static_cast<std::uint8_t>(given.nCat2);
        line.m_nAmount2 = given.nAmount2;
        line.m_strDesc = given.strDesc;
        content.m_lines.push_back(line);
    }
    pDoc->Load(std::move(content));
    pDoc->Recompute();
    return pDoc;
}

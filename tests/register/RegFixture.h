#pragma once

#include "model/CofferDoc.h"
#include "model/NewLedger.h"

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

constexpr Amount U(std::int64_t nUnits)
{
    return Amount(nUnits * 10000);
}

inline CReceipt Line(PackedDate date, int nCur, int nCat, Amount nAmount, const QString& strDesc = QString(),
                     int nCat2 = 0, Amount nAmount2 = 0)
{
    CReceipt line;
    line.m_date = date;
    line.m_nCur = std::uint8_t(nCur);
    line.m_nCat = std::uint8_t(nCat);
    line.m_nCat2 = std::uint8_t(nCat2);
    line.m_nAmount = nAmount;
    line.m_nAmount2 = nAmount2;
    line.m_strDesc = strDesc;
    return line;
}

// Yen and dollars, the default categories, the lines; recomputed, unmodified, no history.
inline void Fill(CCofferDoc& doc, std::vector<CReceipt> lines, bool bDollar = true)
{
    doc.DeleteContents();
    doc.m_curs = CNewLedger::Currencies();
    if (bDollar)
        doc.m_curs.emplace_back(QStringLiteral("$"), 2, QStringLiteral("USD"));
    doc.m_cats = CNewLedger::Categories();
    doc.m_lines = std::move(lines);
    doc.Recompute();
    doc.SetModifiedFlag(false);
}

// Food expenses named by their descriptions, one a day from 2024/3/1 on.
inline std::vector<CReceipt> Named(const QStringList& names, int nFirstDay = 1, int nMonth = 3)
{
    std::vector<CReceipt> lines;
    int nDay = nFirstDay;
    for (const QString& name : names)
        lines.push_back(Line(MakeDate(2024, nMonth, nDay++), YEN, CAT_FOOD, U(-100), name));
    return lines;
}

inline QStringList Descriptions(const CCofferDoc& doc)
{
    QStringList names;
    for (const CReceipt& line : doc.m_lines)
        names.append(line.m_strDesc);
    return names;
}

} // namespace regfix

#pragma once

#include "model/CofferDoc.h"
#include "model/NewLedger.h"
#include "tests/support/LedgerBuilder.h"

#include <QString>
#include <QStringList>

#include <random>
#include <vector>

// A household ledger as decades of use produce it: daily yen spending with descriptions drawn
// from a few thousand items, a salary and a transfer to savings each month, a monthly
// carry-over check, yearly budgets, a monthly exchange into dollars with dollar spending, and
// a quarterly exchange into euros.
class CLedgerGenerator
{
public:
    static std::vector<CCurFmt> Currencies() { return support::Currencies(3); }

    static QStringList Items(int nCount)
    {
        static const char16_t* const heads[] = {u"スーパー", u"コンビニ", u"パン", u"牛乳", u"電気", u"ガス", u"水道",
                                                u"本", u"薬", u"電車", u"バス", u"外食", u"やさい", u"くだもの",
                                                u"文具", u"雑貨", u"衣料", u"靴", u"理容", u"映画"};
        QStringList items;
        for (int i = 0; i < nCount; ++i)
            items.append(QString::fromUtf16(heads[i % 20]) + QString::number(i / 20));
        return items;
    }

    static std::vector<CReceipt> Lines(int nCount, unsigned nSeed = 7)
    {
        std::mt19937 random(nSeed);
        const QStringList items = Items(3000);
        const auto pick = [&](int n) { return int(random() % unsigned(n)); };
        const auto item = [&]() -> const QString& { return items[pick(int(items.size()))]; };

        std::vector<CReceipt> lines;
        lines.reserve(std::size_t(nCount));
        const auto add = [&](PackedDate date, int nCur, int nCat, Amount nAmount, const QString& strDesc, int nCat2 = 0,
                             Amount nAmount2 = 0) {
            if (int(lines.size()) >= nCount)
                return;
            lines.push_back(support::Line(date, nCur, nCat, nAmount, strDesc, nCat2, nAmount2));
        };
        using support::U;
        Amount nYen = 0;
        add(MakeDate(1980, 1, 1), 0, 1, U(100000), QStringLiteral("繰り越し"));
        for (int nYear = 1980; int(lines.size()) < nCount; ++nYear) {
            for (int nCat = 3; nCat <= 8; ++nCat)
                add(MakeDate(nYear, 1, 0), 0, 16, U(-(20000 + pick(20000))), CNewLedger::Categories()[std::size_t(nCat)].m_strName);
            for (int nMonth = 1; nMonth <= 12; ++nMonth) {
                add(MakeDate(nYear, nMonth, 1), 0, 1, nYen + (pick(10) == 0 ? U(-500) : 0), QStringLiteral("繰り越し"));
                add(MakeDate(nYear, nMonth, 1), 0, 15, U(-30000), QStringLiteral("両替"));
                add(MakeDate(nYear, nMonth, 1), 1, 15, U(200 + pick(100)), QStringLiteral("両替"));
                if (nMonth % 3 == 1) {
                    add(MakeDate(nYear, nMonth, 1), 0, 15, U(-20000), QStringLiteral("両替"));
                    add(MakeDate(nYear, nMonth, 1), 2, 15, U(120 + pick(40)), QStringLiteral("両替"));
                }
                for (int nDay = 1; nDay <= 28; ++nDay) {
                    const PackedDate date = MakeDate(nYear, nMonth, nDay);
                    if (nDay == 25) {
                        add(date, 0, 2, U(300000), QStringLiteral("給与"));
                        add(date, 0, 13, U(-50000), QStringLiteral("積立；ATM"), 14, U(50000));
                    }
                    for (int n = pick(6); n > 0; --n) {
                        const int nCat = 3 + pick(11);
                        const Amount nAmount = U(-(100 + pick(5000)));
                        QString strDesc = item();
                        if (pick(3) == 0)
                            strDesc += QStringLiteral("（") + item() + QStringLiteral("，") + item() + QStringLiteral("）");
                        add(date, 0, nCat, nAmount, strDesc);
                    }
                    if (pick(4) == 0)
                        add(date, 1 + pick(2), 3 + pick(11), U(-(1 + pick(30))), item());
                }
            }
            nYen += U(1000);
        }
        return lines;
    }

    static void Fill(CCofferDoc& doc, std::vector<CReceipt> lines)
    {
        support::Fill(doc, std::move(lines), Currencies());
    }
};

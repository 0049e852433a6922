#pragma once

#include "model/CofferDoc.h"
#include "model/NewLedger.h"
#include "tests/support/LedgerBuilder.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Small ledgers for the document tests. Categories are the default set:
// 0 備考, 1 繰越, 2 収入, 3 食料, 4 住居, ..., 13 その他, 14 預貯金 (account), 15 両替, 16 予算.
namespace fixture {

enum : int {
    CAT_REMARK = 0,
    CAT_CARRY = 1,
    CAT_INCOME = 2,
    CAT_FOOD = 3,
    CAT_HOUSING = 4,
    CAT_OTHER = 13,
    CAT_SAVINGS = 14,
    CAT_EXCHANGE = 15,
    CAT_BUDGET = 16,
};

enum : int {
    YEN = 0,
    USD = 1,
    EUR = 2,
};

using support::Descriptions;
using support::Line;
using support::U;

inline std::vector<CCurFmt> Currencies()
{
    return support::Currencies(3);
}

// Fills a document with the three currencies, the default categories and the lines, and
// recomputes it (no history, unmodified).
inline void Fill(CCofferDoc& doc, std::vector<CReceipt> lines)
{
    support::Fill(doc, std::move(lines), Currencies());
}

// Lines named by their descriptions, one a day from 2020/1/1 on, in yen.
inline std::vector<CReceipt> Named(const QStringList& names, int nFirstDay = 1)
{
    return support::Named(names, 2020, 1, nFirstDay, CAT_FOOD);
}

// Every field, computed ones included.
inline bool SameLine(const CReceipt& a, const CReceipt& b)
{
    return a.m_date == b.m_date && a.m_nFlags == b.m_nFlags && a.m_nCur == b.m_nCur && a.m_nCat == b.m_nCat
        && a.m_nCat2 == b.m_nCat2 && a.m_nExchg == b.m_nExchg && a.m_nExchg2 == b.m_nExchg2
        && a.m_nBudgetCat == b.m_nBudgetCat && a.m_nAmount == b.m_nAmount && a.m_nAmount2 == b.m_nAmount2
        && a.m_nBalance == b.m_nBalance && a.m_strDesc == b.m_strDesc && a.m_strInput == b.m_strInput;
}

inline bool SameLines(const std::vector<CReceipt>& a, const std::vector<CReceipt>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!SameLine(a[i], b[i]))
            return false;
    }
    return true;
}

// A notice as a test reads it: its kind's name and its named fields,
// e.g. "LinesInserted(first=0,count=2)"; a date reversal adds ",dateReversed".
inline QString DescribeHint(const UpdateHint& hint)
{
    QStringList fields;
    const auto field = [&fields](const char* pName, std::int64_t nValue) {
        fields.append(QLatin1String(pName) + QLatin1Char('=') + QString::number(nValue));
    };
    const auto table = [&fields](const RemapTable& remap) {
        QStringList values;
        for (const std::int32_t n : remap)
            values.append(QString::number(n));
        fields.append(QStringLiteral("table=") + values.join(QLatin1Char(',')));
    };
    bool bReversed = false;
    std::visit(Overloaded{
                   [](const SRefresh&) {},
                   [](const SViewFont&) {},
                   [](const SPeriodShown&) {},
                   [&](const SLinesRemoved& h) { field("first", h.first); field("count", h.count); bReversed = h.dateReversed; },
                   [&](const SLinesInserted& h) { field("first", h.first); field("count", h.count); bReversed = h.dateReversed; },
                   [&](const SLinesMoved& h) {
                       field("source", h.source); field("count", h.count); field("target", h.target);
                       bReversed = h.dateReversed;
                   },
                   [&](const SLinesReplaced& h) {
                       field("first", h.first); field("count", h.count);
                       field("firstColumn", h.firstColumn); field("columnCount", h.columnCount);
                       bReversed = h.dateReversed;
                   },
                   [&](const SCellsMoved& h) {
                       field("first", h.first); field("count", h.count);
                       field("firstColumn", h.firstColumn); field("columnCount", h.columnCount);
                       field("sourceFirst", h.sourceFirst); field("sourceColumn", h.sourceColumn);
                       bReversed = h.dateReversed;
                   },
                   [&](const SLinesChanged& h) {
                       field("first", h.first); field("oldCount", h.oldCount); field("newCount", h.newCount);
                       bReversed = h.dateReversed;
                   },
                   [&](const SCategoriesRemapped& h) { table(h.table); },
                   [&](const SCurrenciesRemapped& h) { table(h.table); },
                   [&](const SMemoChanged& h) {
                       field("left", h.left); field("top", h.top); field("right", h.right); field("bottom", h.bottom);
                   },
                   [&](const SColumnLayout& h) { field("entries", std::int64_t(h.entries.size())); },
               },
               hint);
    if (bReversed)
        fields.append(QStringLiteral("dateReversed"));
    return QLatin1String(HintName(HintOf(hint))) + QLatin1Char('(') + fields.join(QLatin1Char(',')) + QLatin1Char(')');
}

// A view that writes down every notice by name (DescribeHint) and keeps the notices.
class CRecordingView : public IDocView
{
public:
    void OnUpdate(IDocView*, const UpdateHint& hint) override
    {
        m_notices.append(DescribeHint(hint));
        m_hints.push_back(hint);
    }
    void OnUpdateFrameTitle() override { ++m_nTitleUpdates; }

    void Clear()
    {
        m_notices.clear();
        m_hints.clear();
        m_nTitleUpdates = 0;
    }

    QStringList m_notices;
    std::vector<UpdateHint> m_hints;
    int m_nTitleUpdates = 0;
};

} // namespace fixture

Q_DECLARE_METATYPE(std::vector<CReceipt>)
Q_DECLARE_METATYPE(CLineRange)
Q_DECLARE_METATYPE(std::vector<CLineRange>)

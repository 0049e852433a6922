// Period totals over a large generated ledger, in every period mode.
#include "model/BudgetTable.h"
#include "model/Category.h"
#include "model/PackedDate.h"
#include "model/Receipt.h"
#include "summary/PeriodMode.h"
#include "summary/SumCalc.h"
#include "summary/SumSource.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

struct SLedger
{
    std::vector<CCategory> cats;
    std::vector<CReceipt> lines;
    PackedDate first = 0;
    PackedDate last = 0;
    CBudgetTable budget;
};

// About 1,000,000 lines from 1990 on, roughly 90 a day, in three currencies, over the
// default categories plus a few more; one budget line a month.
const SLedger& Ledger()
{
    static const SLedger ledger = [] {
        SLedger l;
        const char16_t* names[] = {u"備考", u"繰越", u"収入", u"食料", u"住居", u"光熱・水道", u"家具・家事用品",
                                   u"被服及び履物", u"保健医療", u"交通・通信", u"教育", u"教養娯楽", u"公租公課",
                                   u"その他", u"預貯金", u"両替", u"予算", u"賞与", u"医療積立", u"株式"};
        const int attrs[] = {0, 8, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 4, 9, 5, 6, 7};
        for (int i = 0; i < 20; ++i)
            l.cats.emplace_back(attrs[i], QString::fromUtf16(names[i]));
        const int nLines = 1000000;
        l.lines.reserve(nLines);
        std::uint32_t seed = 12345;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return seed >> 8;
        };
        int nYear = 1990, nMonth = 1, nDay = 1;
        for (int i = 0; i < nLines; ++i) {
            if (i % 90 == 89) {
                if (++nDay > 28) {
                    nDay = 1;
                    if (++nMonth > 12) {
                        nMonth = 1;
                        ++nYear;
                    }
                }
            }
            CReceipt line;
            line.m_date = MakeDate(nYear, nMonth, nDay);
            line.m_nCur = static_cast<std::uint8_t>(next() % 10 == 0 ? 1 + next() % 2 : 0);
            line.m_nCat = static_cast<std::uint8_t>(2 + next() % 18);
            line.m_nAmount = -static_cast<Amount>(next() % 100000) * 100;
            if (next() % 8 == 0) {
                line.m_nCat2 = 14;
                line.m_nAmount2 = -line.m_nAmount;
            }
            l.lines.push_back(line);
        }
        l.first = l.lines.front().m_date;
        l.last = l.lines.back().m_date;
        // A budget for every expense category each January, changed in July.
        l.budget.Reset(3, static_cast<int>(l.cats.size()), l.first, l.last);
        std::vector<CBudgetTable::CBudgetLine> budgets;
        std::vector<int> catAttrs;
        for (const CCategory& cat : l.cats)
            catAttrs.push_back(cat.m_nAttr);
        for (std::int64_t m = 0; m < l.budget.GetMonthCount(); m += 6) {
            for (int c = 3; c <= 13; ++c)
                budgets.push_back({0, c, 0, m, -static_cast<Amount>(1000 + m) * 10000});
        }
        l.budget.Build(budgets, catAttrs);
        return l;
    }();
    return ledger;
}

void BM_SumByPeriod(benchmark::State& state)
{
    const SLedger& l = Ledger();
    const CSumSource src(l.lines, l.cats, 3, l.first, l.last, &l.budget);
    const int nMode = static_cast<int>(state.range(0));
    // A month and a year in the middle of the ledger.
    const PackedDate period = MakeDate(DateYear(l.first) + (DateYear(l.last) - DateYear(l.first)) / 2, 6, 1);
    std::vector<Amount> sums;
    for (auto _ : state) {
        const auto shape = CSumCalc::SumByPeriod(src, sums, period, nMode, 0);
        benchmark::DoNotOptimize(shape);
        benchmark::DoNotOptimize(sums.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(l.lines.size()));
}
BENCHMARK(BM_SumByPeriod)->ArgName("mode")->DenseRange(PERIOD_MONTH, PERIOD_QUARTER)->Unit(benchmark::kMillisecond);

// The graph's budget series of one key: reads only the budget table, never the lines.
void BM_BudgetSeries(benchmark::State& state)
{
    const SLedger& l = Ledger();
    const CSumSource src(l.lines, l.cats, 3, l.first, l.last, &l.budget);
    const int nMode = static_cast<int>(state.range(0));
    const PackedDate period = MakeDate(2000, 6, 1);
    std::vector<Amount> values;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CSumCalc::GetBudgetSums(src, values, period, nMode, 2, 0));
        benchmark::DoNotOptimize(CSumCalc::GetBudgetSums(src, values, period, nMode, 0, 0));
    }
}
BENCHMARK(BM_BudgetSeries)->ArgName("mode")->DenseRange(PERIOD_MONTH, PERIOD_QUARTER)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

// The graph's series of one column over a large generated ledger, and its layout.
#include "model/Category.h"
#include "model/CurFmt.h"
#include "model/NewLedger.h"
#include "model/PackedDate.h"
#include "model/Receipt.h"
#include "summary/GraphLayout.h"
#include "summary/GraphSeries.h"
#include "summary/PeriodMode.h"
#include "summary/SumSource.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

struct SLedger
{
    std::vector<CCategory> cats = CNewLedger::Categories();
    std::vector<CCurFmt> curs = CNewLedger::Currencies();
    std::vector<CReceipt> lines;
};

// 1,000,000 lines from 1990 on, about 90 a day, over the default categories.
const SLedger& Ledger()
{
    static const SLedger ledger = [] {
        SLedger l;
        const int nLines = 1000000;
        l.lines.reserve(nLines);
        std::uint32_t seed = 54321;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return seed >> 8;
        };
        int nYear = 1990, nMonth = 1, nDay = 1;
        for (int i = 0; i < nLines; ++i) {
            if (i % 90 == 89 && ++nDay > 28) {
                nDay = 1;
                if (++nMonth > 12) {
                    nMonth = 1;
                    ++nYear;
                }
            }
            CReceipt line;
            line.m_date = MakeDate(nYear, nMonth, nDay);
            line.m_nCat = static_cast<std::uint8_t>(2 + next() % 14);
            line.m_nAmount = -static_cast<Amount>(next() % 100000) * 100;
            l.lines.push_back(line);
        }
        return l;
    }();
    return ledger;
}

CSumSource Source(const SLedger& l)
{
    return CSumSource(l.lines, l.cats, int(l.curs.size()), l.lines.front().m_date, l.lines.back().m_date);
}

// The 支出計 column: every expense category stacked, the heaviest series.
void BM_GraphSeries(benchmark::State& state)
{
    const SLedger& l = Ledger();
    const CSumSource src = Source(l);
    const int nMode = static_cast<int>(state.range(0));
    const int nColumn = CGraphSeries::DefaultColumn(CGraphSeries::ColumnKeys(l.cats));
    CGraphSeries series;
    for (auto _ : state) {
        series.Compute(src, l.curs, nColumn, 0, nMode, MakeDate(2005, 6, 0), false, CGraphScale());
        benchmark::DoNotOptimize(series.GetValues().data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(l.lines.size()));
}
BENCHMARK(BM_GraphSeries)->ArgName("mode")->DenseRange(PERIOD_MONTH, PERIOD_QUARTER)->Unit(benchmark::kMillisecond);

// One layout at 1000 × 700, as a repaint does, independent of the ledger's size.
void BM_GraphLayout(benchmark::State& state)
{
    const SLedger& l = Ledger();
    const CSumSource src = Source(l);
    const int nMode = static_cast<int>(state.range(0));
    CGraphSeries series;
    series.Compute(src, l.curs, CGraphSeries::DefaultColumn(CGraphSeries::ColumnKeys(l.cats)), 0, nMode,
                   MakeDate(2005, 6, 0), false, CGraphScale());
    CGraphLayout::SMetrics metrics;
    metrics.m_textWidth = [](const QString& str) { return 8 * int(str.size()); };
    CGraphLayout layout;
    for (auto _ : state) {
        layout.Lay(series, 1000, 700, metrics);
        benchmark::DoNotOptimize(layout.Bars().data());
    }
}
BENCHMARK(BM_GraphLayout)->ArgName("mode")->DenseRange(PERIOD_MONTH, PERIOD_QUARTER)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

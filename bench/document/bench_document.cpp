#include "LedgerGenerator.h"

#include "model/PropList.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>
#include <memory>

namespace {

// Views are told once per action or group; this one only looks at the notice.
class CQuietView : public IDocView
{
public:
    void OnUpdate(IDocView*, const UpdateHint& hint) override { benchmark::DoNotOptimize(hint.index()); }
};

const std::vector<CReceipt>& CachedLines(int nCount)
{
    static std::map<int, std::vector<CReceipt>> cache;
    auto it = cache.find(nCount);
    if (it == cache.end())
        it = cache.emplace(nCount, CLedgerGenerator::Lines(nCount)).first;
    return it->second;
}

void BM_Recompute(benchmark::State& state)
{
    CCofferDoc doc;
    CLedgerGenerator::Fill(doc, CachedLines(int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.Recompute());
    state.counters["lines"] = double(doc.GetLineCount());
    state.counters["exchange_entries"] = double(doc.GetExchangeTable().size());
    state.SetItemsProcessed(state.iterations() * doc.GetLineCount());
}
BENCHMARK(BM_Recompute)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// One edit as the register makes it: an action replacing a line, the recomputation and the
// notices to two views.
void BM_EditOneLine(benchmark::State& state)
{
    CCofferDoc doc;
    CLedgerGenerator::Fill(doc, CachedLines(int(state.range(0))));
    CQuietView register_, summary;
    doc.AddView(&register_);
    doc.AddView(&summary);
    int nRow = 0;
    for (auto _ : state) {
        nRow = (nRow + 7919) % doc.GetLineCount();
        CReceipt line = doc.Lines()[std::size_t(nRow)];
        line.m_nAmount -= 10000;
        doc.PushAction(CAction::ReplaceRows(CAction::ACT_EDIT_CELL, nRow, {line}, 2, 1));
    }
    doc.RemoveView(&register_);
    doc.RemoveView(&summary);
}
BENCHMARK(BM_EditOneLine)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AddToIndex(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto pDoc = std::make_unique<CCofferDoc>();
        CLedgerGenerator::Fill(*pDoc, CachedLines(int(state.range(0))));
        state.ResumeTiming();
        pDoc->AddToIndex();
        state.PauseTiming();
        state.counters["items"] = double(pDoc->GetRecItems().size());
        pDoc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddToIndex)->Arg(100000)->Unit(benchmark::kMillisecond);

// A date-ordered paste of 1,000 lines: one group of 1,000 insertions spread over the ledger.
void BM_RedoPasteGroup(benchmark::State& state)
{
    CCofferDoc doc;
    CLedgerGenerator::Fill(doc, CachedLines(int(state.range(0))));
    CQuietView view;
    doc.AddView(&view);
    const int nActions = int(state.range(1));
    std::vector<CAction> group;
    const int nStep = doc.GetLineCount() / nActions;
    for (int i = 0; i < nActions; ++i) {
        const int nPos = i * nStep + i; // each earlier insertion shifts the later places by one
        CReceipt line = doc.Lines()[std::size_t(i * nStep)];
        line.m_strDesc = QStringLiteral("貼り付け");
        group.push_back(CAction::InsertRows(CAction::ACT_PASTE_ROWS, nPos, {line}));
    }
    doc.PushGroup(std::move(group));
    for (auto _ : state) {
        state.PauseTiming();
        doc.Undo();
        state.ResumeTiming();
        doc.Redo();
    }
    doc.RemoveView(&view);
}
BENCHMARK(BM_RedoPasteGroup)->Args({100000, 1000})->Unit(benchmark::kMillisecond);

// Bytes the document holds per line: the line itself plus its description's text.
void BM_MemoryPerLine(benchmark::State& state)
{
    const int nCount = int(state.range(0));
    const std::vector<CReceipt>& source = CachedLines(nCount);
    double dBytes = 0;
    for (auto _ : state) {
        const std::size_t nBefore = mallinfo2().uordblks;
        auto pDoc = std::make_unique<CCofferDoc>();
        // Copies share their text with the cache; detach them as a file reader would build them.
        std::vector<CReceipt> lines = source;
        for (CReceipt& line : lines)
            line.m_strDesc = QString(line.m_strDesc.constData(), line.m_strDesc.size());
        CLedgerGenerator::Fill(*pDoc, std::move(lines));
        dBytes = double(mallinfo2().uordblks - nBefore) / nCount;
        benchmark::DoNotOptimize(pDoc.get());
    }
    state.counters["bytes_per_line"] = dBytes;
    state.counters["sizeof_CReceipt"] = double(sizeof(CReceipt));
    state.counters["sizeof_CExchg"] = double(sizeof(CExchg));
}
BENCHMARK(BM_MemoryPerLine)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

// A changed category list applied from the settings page: one category moved down a place
// and one added, so every line is remapped, recomputed and indexed anew.
void BM_ApplyCategoryList(benchmark::State& state)
{
    CCofferDoc doc;
    CLedgerGenerator::Fill(doc, CachedLines(int(state.range(0))));
    doc.AddToIndex();
    CQuietView view;
    doc.AddView(&view);
    for (auto _ : state) {
        CPropList<CCategory> list;
        list.Fill(doc.Categories());
        list.MoveDown(3);
        if (list.Count() < 100)
            list.Insert(-1, CCategory(ATTR_EXPENSE, QStringLiteral("追加%1").arg(list.Count())));
        benchmark::DoNotOptimize(doc.ReplaceCategories(list.Values(), list.Origins()));
    }
    doc.RemoveView(&view);
    state.counters["lines"] = double(doc.GetLineCount());
}
BENCHMARK(BM_ApplyCategoryList)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

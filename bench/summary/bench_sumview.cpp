// The summary table view over a long ledger: opening it, switching period and currency,
// and one repaint of a 1000×700 window.
#include "command/CommandIds.h"
#include "grid/GridSettings.h"
#include "model/ColumnKind.h"
#include "model/CofferDoc.h"
#include "model/PackedDate.h"
#include "model/Receipt.h"
#include "register/RegEdit.h"
#include "summary/SumView.h"
#include "tests/support/LedgerBuilder.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// n lines over decades, a few a day, in two currencies, income and the expense categories.
CCofferDoc& Ledger(int nLines)
{
    static std::unique_ptr<CCofferDoc> pDoc;
    static int nBuilt = -1;
    if (nBuilt != nLines) {
        pDoc = std::make_unique<CCofferDoc>();
        std::vector<CReceipt> lines;
        lines.reserve(std::size_t(nLines));
        for (int i = 0; i < nLines; ++i) {
            CReceipt line;
            const int nDay = i / 100;
            line.m_date = MakeDate(1995 + nDay / 336, 1 + (nDay / 28) % 12, 1 + nDay % 28);
            line.m_nCur = std::uint8_t(i % 13 == 0 ? 1 : 0);
            line.m_nCat = std::uint8_t(i % 10 == 0 ? 2 : 3 + i % 11);
            line.m_nAmount = (i % 10 == 0 ? 250000 : -(1000 + i % 7 * 150)) * 10000LL;
            lines.push_back(std::move(line));
        }
        support::Fill(*pDoc, std::move(lines), support::Currencies(2));
        nBuilt = nLines;
    }
    return *pDoc;
}

void OpenView(benchmark::State& state)
{
    CCofferDoc& doc = Ledger(int(state.range(0)));
    for (auto _ : state) {
        CSumView view(doc);
        benchmark::DoNotOptimize(view.CellRowCount());
    }
}

// Each step recomputes the table from every line of the ledger.
void SwitchPeriodAndCurrency(benchmark::State& state)
{
    CCofferDoc& doc = Ledger(int(state.range(0)));
    CSumView view(doc);
    view.resize(1000, 700);
    const int steps[] = { ID_MOVE_PREV_MONTH, ID_PERIOD_YEAR, ID_MOVE_PREV_YEAR, ID_PERIOD_SERIAL,
                          ID_MOVE_NEXT_CURRENCY, ID_PERIOD_ALL, ID_PERIOD_MONTH, ID_MOVE_NEXT_YEAR };
    std::size_t n = 0;
    for (auto _ : state) {
        view.ExecuteCommand(steps[n++ % std::size(steps)]);
        benchmark::DoNotOptimize(view.CellRowCount());
    }
}

// An amount changed as the register changes it: one action, its notice, the table recomputed.
void UpdateAfterEdit(benchmark::State& state)
{
    CCofferDoc& doc = Ledger(int(state.range(0)));
    CSumView view(doc);
    view.resize(1000, 700);
    const int nMiddle = doc.GetLineCount() / 2 + 1;
    int n = 0;
    for (auto _ : state) {
        CRegEdit::ApplyCellText(doc, nMiddle, 2, COL_OUT, QString::number(1000 + (n++ % 50)));
        benchmark::DoNotOptimize(view.CellRowCount());
    }
}

void Repaint(benchmark::State& state)
{
    CCofferDoc& doc = Ledger(int(state.range(0)));
    CSumView view(doc);
    view.resize(1000, 700);
    view.show();
    view.OnActivateView(true);
    QCoreApplication::processEvents();
    // Whole rows selected: the selected cells draw in their own colours too.
    view.SetCurCell(-1, 3, 0, 0);
    view.SetCurCell(-1, 12, 0x04, 0);
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.viewport()->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(OpenView)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(SwitchPeriodAndCurrency)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(UpdateAfterEdit)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(Repaint)->Arg(1000000)->Unit(benchmark::kMillisecond);

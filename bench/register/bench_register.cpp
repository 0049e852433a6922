#include "grid/GridSettings.h"
#include "model/CategoryAttr.h"
#include "model/CofferDoc.h"
#include "model/NewLedger.h"
#include "register/CofferView.h"
#include "register/RecEditDlg.h"
#include "register/RecEditEntry.h"
#include "register/RegColumns.h"
#include "register/RegEdit.h"
#include "tests/support/LedgerBuilder.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

// A ledger of decades: n lines, a few a day, with income, expenses and descriptions.
void FillLedger(CCofferDoc& doc, int nLines)
{
    std::vector<CReceipt> lines;
    lines.reserve(std::size_t(nLines));
    for (int i = 0; i < nLines; ++i) {
        CReceipt line;
        const int nDay = i / 4;
        line.m_date = MakeDate(1990 + nDay / 336, 1 + (nDay / 28) % 12, 1 + nDay % 28);
        line.m_nCat = std::uint8_t(i % 10 == 0 ? 2 : 3 + i % 9);
        line.m_nAmount = (i % 10 == 0 ? 250000 : -(1000 + i % 7 * 150)) * 10000LL;
        line.m_strDesc = QStringLiteral("摘要%1 スーパー").arg(i % 97);
        lines.push_back(std::move(line));
    }
    support::Fill(doc, std::move(lines), support::Currencies(1));
}

struct SFixture
{
    explicit SFixture(int nLines)
    {
        FillLedger(doc, nLines);
        pView = new CCofferView(doc);
        pView->resize(1000, 700);
        pView->show();
        QCoreApplication::processEvents();
        image = QImage(pView->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    }
    ~SFixture() { delete pView; }

    CCofferDoc doc;
    CCofferView* pView = nullptr;
    QImage image;
};

// One in-place edit in the middle of the ledger: the action, the recomputation, the
// view's hint handling and the repaint of the whole viewport.
void InplaceEditRepaint(benchmark::State& state)
{
    SFixture fx(int(state.range(0)));
    const int nMiddle = fx.doc.GetLineCount() / 2;
    fx.pView->GoToRow(COL_OUT, nMiddle);
    const std::vector<int> kinds = fx.pView->LayoutKinds();
    int n = 0;
    for (auto _ : state) {
        CRegEdit::ApplyCellText(fx.doc, nMiddle, 2, kinds[2], QString::number(1000 + (n++ % 50)));
        fx.pView->viewport()->render(&fx.image);
        benchmark::DoNotOptimize(fx.image.constBits());
    }
}

// Scrolling from top to bottom a page at a time, each step painted.
void ScrollPageRepaint(benchmark::State& state)
{
    SFixture fx(int(state.range(0)));
    const int nLimit = fx.pView->Geometry().ScrollLimit(1);
    const int nPage = std::max(1, fx.pView->Geometry().PageSize(1));
    int nPos = 0;
    for (auto _ : state) {
        nPos = nPos + nPage > nLimit ? 0 : nPos + nPage;
        fx.pView->ScrollTo(1, nPos, 0, true);
        fx.pView->viewport()->render(&fx.image);
        benchmark::DoNotOptimize(fx.image.constBits());
    }
}

// Opening a register on the ledger: rows, metrics and the automatic column widths.
void CreateView(benchmark::State& state)
{
    CCofferDoc doc;
    FillLedger(doc, int(state.range(0)));
    for (auto _ : state) {
        CCofferView view(doc);
        benchmark::DoNotOptimize(view.GetColWidth(7));
    }
}

// Opening the record dialog for a line in the middle of the ledger, with both pads (the
// description pad lists the whole index) and the first paint; closed by cancel.
void OpenRecordDialog(benchmark::State& state)
{
    CCofferDoc doc;
    FillLedger(doc, int(state.range(0)));
    doc.AddToIndex();
    const int nLine = doc.GetLineCount() / 2;
    for (auto _ : state) {
        CRecEditEntry entry;
        entry.Begin(doc, CRecEditEntry::CMD_INPUT, nLine, true);
        CRecEditDlg dlg(entry, &doc.GetRecItems(), false);
        dlg.show();
        QCoreApplication::processEvents();
        dlg.Button(CRecEditEntry::RESULT_CANCEL)->click();
        benchmark::DoNotOptimize(entry.Finish(doc, dlg.result()));
    }
}

// An entry accepted with a category added in the dialog: the list replacement, the
// inserted line, the recomputation and the index. Undone between runs.
void EnterLineWithNewCategory(benchmark::State& state)
{
    CCofferDoc doc;
    FillLedger(doc, int(state.range(0)));
    doc.AddToIndex();
    const int nLine = doc.GetLineCount() / 2;
    for (auto _ : state) {
        CRecEditEntry entry;
        entry.Begin(doc, CRecEditEntry::CMD_INPUT, nLine, true);
        entry.m_cats.emplace_back(ATTR_EXPENSE, QStringLiteral("新費目"));
        entry.m_nCat = int(entry.m_cats.size()) - 1;
        entry.m_nAmount = -1000 * 10000LL;
        entry.m_strDesc = QStringLiteral("新しい摘要");
        benchmark::DoNotOptimize(entry.Finish(doc, CRecEditEntry::RESULT_OK));
        state.PauseTiming();
        doc.Undo();
        // The added category outlives the undo; drop it so every run adds the same one.
        std::vector<CCategory> cats = doc.Categories();
        cats.pop_back();
        std::vector<int> prev(cats.size());
        for (std::size_t i = 0; i < prev.size(); ++i)
            prev[i] = int(i);
        doc.ReplaceCategories(std::move(cats), prev);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(OpenRecordDialog)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(EnterLineWithNewCategory)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(InplaceEditRepaint)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollPageRepaint)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateView)->Arg(100000)->Unit(benchmark::kMillisecond);

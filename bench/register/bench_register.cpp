#include "grid/GridSettings.h"
#include "model/CofferDoc.h"
#include "model/NewLedger.h"
#include "register/CofferView.h"
#include "register/RegColumns.h"
#include "register/RegEdit.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

class CBenchSettings : public CGridSettings
{
public:
    bool SmoothScrolling() const override { return false; }
};

// A ledger of decades: n lines, a few a day, with income, expenses and descriptions.
void FillLedger(CCofferDoc& doc, int nLines)
{
    doc.DeleteContents();
    doc.m_curs = CNewLedger::Currencies();
    doc.m_cats = CNewLedger::Categories();
    doc.m_lines.reserve(std::size_t(nLines));
    for (int i = 0; i < nLines; ++i) {
        CReceipt line;
        const int nDay = i / 4;
        line.m_date = MakeDate(1990 + nDay / 336, 1 + (nDay / 28) % 12, 1 + nDay % 28);
        line.m_nCat = std::uint8_t(i % 10 == 0 ? 2 : 3 + i % 9);
        line.m_nAmount = (i % 10 == 0 ? 250000 : -(1000 + i % 7 * 150)) * 10000LL;
        line.m_strDesc = QStringLiteral("摘要%1 スーパー").arg(i % 97);
        doc.m_lines.push_back(std::move(line));
    }
    doc.Recompute();
    doc.SetModifiedFlag(false);
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

} // namespace

BENCHMARK(InplaceEditRepaint)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ScrollPageRepaint)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateView)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CBenchSettings settings;
    CGridSettings::Install(&settings);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CGridSettings::Install(nullptr);
    return 0;
}

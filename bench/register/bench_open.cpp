// Opening a long ledger in the desktop program: the file read, the document's steps after
// reading, the register's creation and its first paint; and the teardown when its window
// closes. Phases are reported as counters (milliseconds).
#include "grid/GridSettings.h"
#include "model/CofferDoc.h"
#include "persist/DocumentFile.h"
#include "register/CofferView.h"
#include "tests/support/LedgerBuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Decades of a household: a few lines a day, income and expenses, and descriptions of which
// many differ (shops, names, notes), as a ledger kept for years has them.
QString WriteLedger(const QTemporaryDir& dir, int nLines)
{
    std::vector<CReceipt> lines;
    lines.reserve(std::size_t(nLines));
    for (int i = 0; i < nLines; ++i) {
        CReceipt line;
        const int nDay = i / 4;
        line.m_date = MakeDate(1990 + nDay / 336, 1 + (nDay / 28) % 12, 1 + nDay % 28);
        line.m_nCat = std::uint8_t(i % 10 == 0 ? 2 : 3 + i % 9);
        line.m_nAmount = (i % 10 == 0 ? 250000 : -(1000 + i % 7 * 150)) * 10000LL;
        line.m_strDesc = QStringLiteral("摘要%1 スーパー(%2)").arg(i % 20011).arg(i % 13);
        lines.push_back(std::move(line));
    }
    CCofferDoc doc;
    support::Fill(doc, std::move(lines), support::Currencies(2));
    const QString strPath = dir.filePath(QStringLiteral("long.ldr"));
    if (!CDocumentFile::Save(doc, strPath))
        qFatal("could not write the ledger");
    return strPath;
}

double Ms(QElapsedTimer& timer)
{
    const double d = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return d;
}

void OpenToFirstPaint(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString strPath = WriteLedger(dir, int(state.range(0)));
    double dOpen = 0, dView = 0, dPaint = 0, dClose = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto pDoc = std::make_unique<CCofferDoc>();
        if (!CDocumentFile::Open(*pDoc, strPath))
            state.SkipWithError("open failed");
        dOpen += Ms(timer);
        auto pView = std::make_unique<CCofferView>(*pDoc);
        pView->resize(1000, 700);
        pView->show();
        dView += Ms(timer);
        benchmark::DoNotOptimize(pView->viewport()->grab());
        dPaint += Ms(timer);
        state.PauseTiming();
        QElapsedTimer closing;
        closing.start();
        pView.reset();
        pDoc.reset();
        dClose += Ms(closing);
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["open_ms"] = dOpen / n;
    state.counters["view_ms"] = dView / n;
    state.counters["paint_ms"] = dPaint / n;
    state.counters["close_ms"] = dClose / n;
}

} // namespace

BENCHMARK(OpenToFirstPaint)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

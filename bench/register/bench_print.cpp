// The register of a long ledger printed to PDF, all lines shown: the time of the whole
// print and how much the peak memory grows while pages are drawn (a flat growth for
// ten times the pages means pages are not kept). Counters in seconds, pages and MB.
#include "command/CommandIds.h"
#include "grid/GridSettings.h"
#include "grid/PrintJob.h"
#include "model/CofferDoc.h"
#include "register/CofferView.h"
#include "register/RegPrinter.h"
#include "tests/support/LedgerBuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// Resident memory of the process, now (VmRSS) or at its peak so far (VmHWM), in MB.
double MemoryMb(const char* pField)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(pField))
            return line.mid(int(qstrlen(pField))).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

void PrintToPdf(benchmark::State& state)
{
    const int nLines = int(state.range(0));
    std::vector<CReceipt> lines;
    lines.reserve(std::size_t(nLines));
    for (int i = 0; i < nLines; ++i) {
        const int nDay = i / 4;
        lines.push_back(support::Line(MakeDate(1990 + nDay / 336, 1 + (nDay / 28) % 12, 1 + nDay % 28), 0,
                                      i % 10 == 0 ? 2 : 3 + i % 9,
                                      support::U(i % 10 == 0 ? 250000 : -(1000 + i % 7 * 150)),
                                      QStringLiteral("摘要%1 スーパー(%2)").arg(i % 20011).arg(i % 13)));
    }
    CCofferDoc doc;
    support::Fill(doc, std::move(lines), support::Currencies(2));
    CCofferView view(doc);
    view.ExecuteCommand(ID_PERIOD_ALL);
    QTemporaryDir dir;
    double dSeconds = 0, dGrowth = 0, dRss = 0;
    int nPages = 0;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("register.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        CRegPrinter source(view);
        const double dBefore = MemoryMb("VmHWM:");
        const double dRssBefore = MemoryMb("VmRSS:");
        QElapsedTimer timer;
        timer.start();
        if (CPrintJob::Run(source, printer, nullptr, false, &nPages) != CPrintJob::PRINTED)
            state.SkipWithError("print failed");
        dSeconds += double(timer.nsecsElapsed()) / 1e9;
        dGrowth = std::max(dGrowth, MemoryMb("VmHWM:") - dBefore);
        dRss = std::max(dRss, MemoryMb("VmRSS:") - dRssBefore);
    }
    state.counters["lines"] = nLines;
    state.counters["pages"] = nPages;
    state.counters["print_s"] = dSeconds / double(state.iterations());
    state.counters["peak_growth_mb"] = dGrowth;
    state.counters["rss_growth_mb"] = dRss;
}

} // namespace

BENCHMARK(PrintToPdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

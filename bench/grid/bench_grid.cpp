#include "DemoGridView.h"

#include "grid/GridFlags.h"
#include "grid/GridGeometry.h"
#include "grid/GridSettings.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// Paints the whole 800 x 600 view into an image, at the top or in the middle of the rows.
void PaintGrid(benchmark::State& state)
{
    const int nRows = int(state.range(0));
    const bool bMiddle = state.range(1) != 0;
    CDemoGridView view(nRows);
    view.resize(800, 600);
    view.show();
    QCoreApplication::processEvents();
    if (bMiddle)
        view.ScrollTo(1, view.Geometry().ScrollLimit(1) / 2, 0, true);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["cells"] = view.m_nCellsDrawn;
}

// Hit-tests and rectangles on an axis whose every row has its own height.
void HitTestListedRows(benchmark::State& state)
{
    const int nRows = int(state.range(0));
    CGridGeometry geo;
    geo.Rows().SetDefaultSize(20);
    geo.Cols().SetDefaultSize(80);
    geo.Rows().SetCount(nRows, true);
    geo.Cols().SetCount(8, true);
    for (int i = 0; i < nRows; ++i)
        geo.Rows().SetSize(i, 18 + i % 5);
    CGridGeometry::SLayoutInput in;
    in.nClientWidth = 800;
    in.nClientHeight = 600;
    in.nVertBarWidth = 16;
    in.nHorzBarHeight = 16;
    geo.RecalcLayout(in);
    geo.SetScrollPos(1, geo.ScrollLimit(1) / 2);
    int y = 0;
    for (auto _ : state) {
        const QPoint hit = geo.HitTest(100, y);
        benchmark::DoNotOptimize(geo.CellToRect(hit.x(), hit.y(), true));
        benchmark::DoNotOptimize(geo.ScrollTarget(1, 1, SCR_RELATIVE | SCR_SNAP_A));
        y = (y + 37) % 600;
    }
}

} // namespace

BENCHMARK(PaintGrid)->Args({ 100, 0 })->Args({ 1000000, 0 })->Args({ 1000000, 1 })->Unit(benchmark::kMicrosecond);
BENCHMARK(HitTestListedRows)->Arg(100)->Arg(1000000);

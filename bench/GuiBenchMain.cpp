// The main of every widget benchmark: the offscreen platform, and grids that jump where a
// user's settings would let them scroll smoothly.
#include "grid/GridSettings.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

class CBenchSettings : public CGridSettings
{
public:
    bool SmoothScrolling() const override { return false; }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CBenchSettings settings;
    CGridSettings::Install(&settings);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    CGridSettings::Install(nullptr);
    return 0;
}

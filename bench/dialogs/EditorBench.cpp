// One redraw of the settings editor's preview, as each change on its Chart Colors page asks
// for: the sample chart at the preview's size with the price settings and one indicator. The
// goal is a median of 5 ms at most, so that a spin box held down keeps up.

#include "dialogs/EditorPreview.h"
#include "indicators/OscObj.h"
#include "settings/lists/PlotRecList.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using namespace qm;

void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "dialogs_bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

// Kind 1 over the prices, kind 5 with its marks, kind 17 in a pane of its own.
void PreviewRedraw(benchmark::State& state) {
    ensureGuiApplication();
    const TPlotRecList set = factoryDefaultSet();
    PreviewRequest request;
    request.price = set.records[0].get();
    request.indicator = set.records[static_cast<std::size_t>(state.range(0))].get();
    request.pages = {3, {0x000000, 0xF0FBFF, 0xC0C0C0}, 10};
    request.title = "Defaults";
    request.size = QSize(329, 209);
    const FormatSettings fs;
    for (auto _ : state) {
        QImage image = drawPreview(request, fs);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(PreviewRedraw)->Arg(1)->Arg(5)->Arg(17)->Unit(benchmark::kMillisecond);

} // namespace

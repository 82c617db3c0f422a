// The desktop program's interactive paths on the offscreen platform: one Back step of a large
// chart with six indicators (fill, compute, draw, paint), a typed symbol to the first paint of
// its chart, and the search for a symbol's file across the folders beside the data folder.

#include "app/AppEnvironment.h"
#include "app/ChartRegistry.h"
#include "app/MainWindow.h"
#include "app/OpeningCommands.h"
#include "app/SymbolSearch.h"
#include "chartwin/ChartWindow.h"
#include "loader/LoaderTestUtil.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <fstream>

namespace qm {
namespace {

namespace fs = std::filesystem;

// A data folder with a 20-year daily file, in a fresh account.
struct Desk {
    test::TempDir dir;
    AppEnvironment env;
    Desk() {
        env.configFile = dir / "config" / "Quillmar7.conf";
        env.system = {dir / "Documents", dir / "local"};
        env.tempFolder = dir / "tmp";
        fs::create_directories(env.tempFolder);
        const fs::path csv = dir / "Documents" / "Quillmar" / "Quillmar7" / "CSV";
        fs::create_directories(csv);
        std::ofstream(csv / "LONG = Long History.csv") << test::fullPrices(20 * 252);
    }
};

// Six indicators of the usual kinds: two averages, Bollinger bands, MACD, RSI and stochastics.
const IndicatorRequestList kSixIndicators = {{0, 2},  {1, 2},  {2, 2}, {14, 2},
                                             {16, 6}, {17, 7}, {19, 8}};

void BM_BackStep(benchmark::State& state) {
    Desk desk;
    TMainForm form(desk.env, false);
    ChartRequest request;
    request.sourceFile = desk.dir / "Documents/Quillmar/Quillmar7/CSV/LONG = Long History.csv";
    request.requests = kSixIndicators;
    TAChart* chart = form.opening().open(request, QRect(0, 0, 1600, 900));
    chart->resize(1600, 900);
    QApplication::processEvents();
    form.state().navigationStep = 1;
    for (auto _ : state) {
        if (chart->model().offset() > 4000) chart->goToEnd();
        chart->goBack();
        chart->repaint();
    }
    state.counters["bars"] = chart->model().facts().visibleBars;
}
BENCHMARK(BM_BackStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_TypedSymbolToFirstPaint(benchmark::State& state) {
    Desk desk;
    TMainForm form(desk.env, false);
    form.resize(1600, 90);
    form.state().workAreaBottom = 1000;
    for (auto _ : state) {
        form.symbolBox()->setText(QStringLiteral("LONG"));
        form.openingCommands().openTypedSymbol();
        TAChart* chart = form.charts().selected();
        chart->repaint();
        state.PauseTiming();
        delete chart;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypedSymbolToFirstPaint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_FindSymbolFile(benchmark::State& state) {
    test::TempDir dir;
    const char* folders[] = {"CSV", "Google Data", "Nasdaq Data", "Qmedia Data", "Yahoo Data"};
    for (const char* folder : folders) {
        fs::create_directories(dir / folder);
        for (int i = 0; i < 5000; ++i)
            std::ofstream(dir / folder /
                          ("S" + std::to_string(i) + " = Company " + std::to_string(i) + ".csv"));
    }
    for (auto _ : state) {
        const fs::path found = findSymbolFile(dir / "CSV", "S4999");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindSymbolFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qm

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

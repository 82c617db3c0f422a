// The desktop program's interactive paths on the offscreen platform: one Back step of a large
// chart with six indicators (fill, compute, draw, paint), a typed symbol to the first paint of
// its chart, the search for a symbol's file across the folders beside the data folder, a chart
// group of nine large charts reopened, the symbol list dialog over ten thousand files, one step
// of a tool's rubber band or channel preview during a drag, and one zoom step.

#include "app/AppEnvironment.h"
#include "app/ChartGrid.h"
#include "app/ChartRegistry.h"
#include "app/GroupCommands.h"
#include "app/MainWindow.h"
#include "app/OpeningCommands.h"
#include "app/SymbolSearch.h"
#include "chartwin/ChartWindow.h"
#include "chartwin/ZoomWindow.h"
#include "dialogs/SymbolListDialog.h"
#include "loader/LoaderTestUtil.h"
#include "settings/GroupRecords.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>
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

TAChart* openLongChart(TMainForm& form, const Desk& desk, benchmark::State& state) {
    ChartRequest request;
    request.sourceFile = desk.dir / "Documents/Quillmar/Quillmar7/CSV/LONG = Long History.csv";
    request.requests = kSixIndicators;
    TAChart* chart = form.opening().open(request, QRect(0, 0, 1600, 900));
    chart->resize(1600, 900);
    // Until the window is exposed a repaint paints nothing, and the figures would leave it out.
    if (!QTest::qWaitForWindowExposed(chart)) state.SkipWithError("the chart was never shown");
    return chart;
}

void sendMouse(TAChart* chart, QEvent::Type type, QPoint at) {
    QMouseEvent e(type, QPointF(at), chart->mapToGlobal(QPointF(at)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(chart, &e);
}

void BM_BackStep(benchmark::State& state) {
    Desk desk;
    TMainForm form(desk.env, false);
    TAChart* chart = openLongChart(form, desk, state);
    form.state().navigationStep = 1;
    for (auto _ : state) {
        if (chart->model().offset() > 4000) chart->goToEnd();
        chart->goBack();
        chart->repaint();
    }
    state.counters["bars"] = chart->model().facts().visibleBars;
}
BENCHMARK(BM_BackStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One mouse move of a drag with a tool down, to the repainted window: the rubber band of the
// trend line (0) or the channel's parallel (1) on a 1600 x 900 chart with six indicators. The
// chart is never drawn anew during the drag ("renders" counts any drawing that was).
void BM_ToolDragStep(benchmark::State& state) {
    Desk desk;
    TMainForm form(desk.env, false);
    TAChart* chart = openLongChart(form, desk, state);
    const bool channel = state.range(0) == 1;
    (channel ? form.actions().tbChLine : form.actions().tbLine)->setChecked(true);
    if (channel) {
        sendMouse(chart, QEvent::MouseButtonPress, {300, 600});
        sendMouse(chart, QEvent::MouseMove, {1000, 300});
        sendMouse(chart, QEvent::MouseButtonRelease, {1000, 300});
    }
    sendMouse(chart, QEvent::MouseButtonPress, {200, 700});
    chart->repaint();
    const int renders = chart->renderCount();
    int step = 0;
    for (auto _ : state) {
        ++step;
        sendMouse(chart, QEvent::MouseMove, {700 + step % 400, 200 + step % 300});
        chart->repaint();
    }
    state.counters["renders"] = chart->renderCount() - renders;
}
BENCHMARK(BM_ToolDragStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One Page Up or Page Down of the zoom window between scales 3.64 and 4 of a 1600 x 900
// picture, to the repainted view.
void BM_ZoomStep(benchmark::State& state) {
    Desk desk;
    TMainForm form(desk.env, false);
    TAChart* chart = openLongChart(form, desk, state);
    TfrmChartZoom* zoom = TfrmChartZoom::open(*chart, chart->model().bitmap(), {});
    if (!QTest::qWaitForWindowExposed(zoom)) state.SkipWithError("the zoom window was never shown");
    ChartViewer* view = zoom->viewer();
    view->setScale(4.0);
    view->scrollBy(2000, 1000);
    bool up = false;
    for (auto _ : state) {
        QTest::keyRelease(view, up ? Qt::Key_PageUp : Qt::Key_PageDown);
        up = !up;
        view->viewport()->repaint();
    }
    state.counters["scale"] = view->scale();
}
BENCHMARK(BM_ZoomStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_TypedSymbolToFirstPaint(benchmark::State& state) {
    Desk desk;
    TMainForm form(desk.env, false);
    form.resize(1600, 90);
    form.state().workAreaBottom = 1000;
    for (auto _ : state) {
        form.symbolBox()->setText(QStringLiteral("LONG"));
        form.openingCommands().openTypedSymbol();
        TAChart* chart = form.charts().selected();
        QApplication::processEvents(); // the window is exposed: its first paint
        if (!chart->windowHandle()->isExposed()) state.SkipWithError("the chart was never shown");
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

// Nine 20-year daily charts in a three by three grid, each with the price chart, two averages
// and RSI: from the command to every chart drawn and painted.
void BM_OpenGroupOfNine(benchmark::State& state) {
    Desk desk;
    TMainForm form(desk.env, false);
    const fs::path csv = desk.dir / "Documents/Quillmar/Quillmar7/CSV";
    TGroupRecList group;
    const auto cells = tileCells(9, TileDirection::Vertical, {0, 96, 1920, 984});
    for (int i = 0; i < 9; ++i) {
        const fs::path file = csv / ("S" + std::to_string(i) + ".csv");
        std::ofstream(file) << test::fullPrices(20 * 252);
        TGroupRecObj r;
        r.title = "S" + std::to_string(i);
        r.sourceFile = file.string();
        r.chartType = 3;
        r.left = cells[std::size_t(i)].left;
        r.top = cells[std::size_t(i)].top;
        r.width = cells[std::size_t(i)].width;
        r.height = cells[std::size_t(i)].height;
        r.entries = {{0, 2}, {1, 2}, {2, 2}, {17, 6}};
        group.records.push_back(r);
    }
    const fs::path file = desk.dir / "Nine.grp";
    group.save(file);
    auto* commands = form.findChild<GroupCommands*>();
    for (auto _ : state) {
        commands->openGroup(file);
        QApplication::processEvents(); // whatever paint is still pending
        state.PauseTiming();
        if (form.charts().charts().size() != 9) state.SkipWithError("not nine charts");
        form.charts().destroyAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenGroupOfNine)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// The symbol list dialog over 10,000 price files in five folders: listed, sorted and shown.
void BM_SymbolListOf10000(benchmark::State& state) {
    test::TempDir dir;
    const char* folders[] = {"CSV", "Google Data", "Nasdaq Data", "Qmedia Data", "Yahoo Data"};
    for (const char* folder : folders) {
        fs::create_directories(dir / folder);
        for (int i = 0; i < 2000; ++i)
            std::ofstream(dir / folder /
                          ("S" + std::to_string(i) + " = Company " + std::to_string(i) + ".csv"));
    }
    fs::path dataFolder = dir / "CSV";
    SilentSink sink;
    for (auto _ : state) {
        TDlgPikSymbols dialog(nullptr, dataFolder, sink);
        dialog.show();
        QApplication::processEvents();
        state.PauseTiming();
        if (dialog.model().size() != 10000) state.SkipWithError("not 10,000 lines");
        dialog.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SymbolListOf10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

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

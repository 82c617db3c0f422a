// Tiling nine chart windows over 1600 x 900 pixels, as Ctrl+V and Ctrl+H do: every chart gets
// its cell, is drawn anew for its new size and painted. Nine charts make a 3 x 3 grid both ways,
// so the area alternates with one 10 pixels smaller each way, and every tiling changes every
// chart's size. Each chart shows 511 daily OHLC bars with two overlays and two oscillators. The
// goal is a median of 150 ms at most for all nine.

#include "../BenchApplication.h"
#include "app/ChartCommands.h"
#include "chartwin/ChartHost.h"
#include "chartwin/ChartWindow.h"
#include "loader/ChartLoader.h"
#include "market/Calendar.h"
#include "market/FormatSettings.h"
#include "market/MessageSink.h"
#include "market/WorkFolder.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace {

using namespace qm;

using bench::ensureApplication;

class QuietSink final : public MessageSink {
public:
    void information(std::string_view) override {}
    void error(std::string_view) override {}
    void warning(std::string_view) override {}
    bool confirm(std::string_view) override { return false; }
};

class BenchHost final : public ChartHost {
public:
    int navigationStep() const override { return 1; }
    void setNavigationStep(int) override {}
    ChartOptions chartOptions() const override { return {}; }
    const FormatSettings& formatSettings() const override { return fs_; }
    MessageSink& sink() override { return sink_; }
    void chartActivated(TAChart&) override {}
    void focusMainWindow() override {}
    void addToFavourites(const std::string&, const std::filesystem::path&) override {}
    ChartTool toolDown() const override { return ChartTool::None; }
    void releaseTool(ChartTool) override {}

private:
    FormatSettings fs_ = FormatSettings::unitedStates();
    QuietSink sink_;
};

// Four years of weekday bars, a random walk, in the downloads' layout.
void writePrices(const std::filesystem::path& file) {
    std::ofstream out(file);
    out << "Date,Open,High,Low,Close,Volume\n";
    std::uint32_t seed = 11;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / 16777216.0;
    };
    const FormatSettings fs = FormatSettings::unitedStates();
    double close = 40;
    for (double day = *encodeDate(2019, 1, 2); day < *encodeDate(2023, 1, 2); day += 1) {
        if (dayOfWeek(day) == 1 || dayOfWeek(day) == 7) continue;
        const double open = close * (1 + (next() - 0.5) * 0.02);
        close = open * (1 + (next() - 0.48) * 0.04);
        out << formatDate(day, "M/d/yyyy", fs) << ',' << open << ','
            << std::max(open, close) * (1 + next() * 0.015) << ','
            << std::min(open, close) * (1 - next() * 0.015) << ',' << close << ','
            << static_cast<int>(400000 + next() * 1600000) << '\n';
    }
}

struct NineCharts {
    WorkFolder folder{std::filesystem::temp_directory_path(), "quillmar-tile-bench-"};
    BenchHost host;
    std::vector<std::unique_ptr<TAChart>> windows;
    std::vector<TAChart*> charts;

    NineCharts() {
        ensureApplication();
        const auto source = folder.path() / "BENCH.csv";
        writePrices(source);
        std::filesystem::create_directories(folder.path() / "settings");
        ChartRequest request;
        request.sourceFile = source;
        request.requests = {{0, 2}, {1, 2}, {14, 2}, {16, 5}, {17, 4}};
        LoaderContext context;
        context.settingsFolder = folder.path() / "settings";
        context.tempFolder = folder.path();
        context.locale = FormatSettings::unitedStates();
        context.currentYear = 2023;
        QuietSink sink;
        for (int i = 0; i < 9; ++i) {
            auto chart = std::make_unique<TAChart>(host, openChart(request, context, sink).chart);
            chart->show();
            charts.push_back(chart.get());
            windows.push_back(std::move(chart));
        }
        QApplication::processEvents();
    }
};

void TileNineCharts(benchmark::State& state) {
    NineCharts nine;
    const QRect areas[] = {{0, 96, 1600, 900}, {0, 96, 1590, 890}};
    std::size_t turn = 0;
    for (auto _ : state) {
        tileCharts(nine.charts, turn % 2 ? TileDirection::Horizontal : TileDirection::Vertical,
                   areas[turn % 2], QMargins());
        ++turn;
    }
    int drawings = 0;
    for (const TAChart* c : nine.charts) drawings += c->renderCount();
    state.counters["drawings per tiling"] =
        static_cast<double>(drawings) / static_cast<double>(state.iterations() + 1);
}
BENCHMARK(TileNineCharts)->Unit(benchmark::kMillisecond);

} // namespace

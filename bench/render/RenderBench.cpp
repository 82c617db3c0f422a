// One complete chart drawing at 1600 x 900: a 511-bar window of candles with three overlays
// (an average, Bollinger bands, Pattern1) and three oscillators (MACD, RSI, volume). Scrolling
// redraws the whole chart up to ten times a second; the goal is a median of 5 ms at most.
// The parts: computing the six indicators, writing the texts, and the whole drawing (the
// drawing of lines and bars is what the whole leaves after the other two).

#include "indicators/Frame.h"
#include "indicators/OscObj.h"
#include "market/Calendar.h"
#include "market/MessageSink.h"
#include "render/ChartFonts.h"
#include "render/ChartRenderer.h"
#include "render/DrawState.h"

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace qm;

void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "render_bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

// A daily random walk filling the window, newest bar in slot 511.
BarWindow randomWalk() {
    BarWindow w{};
    std::uint32_t seed = 7;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / 16777216.0;
    };
    double close = 40;
    double date = *encodeDate(2014, 3, 3);
    for (int s = 1; s < kWindowSlots; ++s) {
        const double open = close * (1 + (next() - 0.5) * 0.02);
        close = open * (1 + (next() - 0.48) * 0.04);
        const double high = std::max(open, close) * (1 + next() * 0.015);
        const double low = std::min(open, close) * (1 - next() * 0.015);
        w[static_cast<std::size_t>(s)] = PriceBar{date,
                                                  static_cast<float>(open),
                                                  static_cast<float>(high),
                                                  static_cast<float>(low),
                                                  static_cast<float>(close),
                                                  static_cast<float>(400000 + next() * 1600000),
                                                  0};
        do date += 1;
        while (dayOfWeek(date) == 1 || dayOfWeek(date) == 7);
    }
    return w;
}

struct BenchChart {
    BarWindow bars = randomWalk();
    std::vector<std::unique_ptr<TOscObj>> records;
    std::vector<TOscObj*> pointers;
    FormatSettings fs = FormatSettings::unitedStates();

    BenchChart() {
        ensureGuiApplication();
        auto price = TOscObj::CreatePriceChartRecord();
        price->DataKind = 5;
        price->Style = 4;
        price->Pane = 2;
        records.push_back(std::move(price));
        for (const auto& [kind, pane] :
             {std::pair{1, 2}, {14, 2}, {5, 2}, {16, 8}, {17, 7}, {30, 6}}) {
            auto r = TOscObj::Create(kind);
            r->Pane = static_cast<std::uint8_t>(pane);
            records.push_back(std::move(r));
        }
        for (auto& r : records) pointers.push_back(r.get());
    }

    std::unique_ptr<TBmpChartObj> draw() {
        auto renderer = std::make_unique<TBmpChartObj>(bars, pointers, fs);
        renderer->setTitle("IBM");
        renderer->setSpacing(1);
        renderer->setWidth(1600);
        renderer->setHeight(900);
        renderer->setScreen(ScreenFacts{1920, 1080, 96});
        renderer->setOptions(ChartOptions{false, true});
        renderer->draw();
        return renderer;
    }
};

void WholeDrawing(benchmark::State& state) {
    BenchChart chart;
    for (auto _ : state) benchmark::DoNotOptimize(chart.draw()->bitmap().constBits());
}
BENCHMARK(WholeDrawing)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly();

// The six computations, as a drawing runs them.
void Computing(benchmark::State& state) {
    BenchChart chart;
    const int visible = chart.draw()->visibleBars();
    auto out = std::make_unique<OutputTable>();
    SilentSink sink;
    const ChartFacts facts{visible, kMaxWindowBars, 5, 0};
    for (auto _ : state)
        for (std::size_t i = 1; i < chart.records.size(); ++i)
            benchmark::DoNotOptimize(
                computeForDrawing(*chart.records[i], chart.bars, *out, facts, sink));
}
BENCHMARK(Computing)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly();

// Writing the drawing's labels (scales, dates, title, legends, tags) onto a finished chart.
void Texts(benchmark::State& state) {
    BenchChart chart;
    const auto finished = chart.draw();
    QImage image = finished->bitmap();
    for (auto _ : state) {
        chart::DrawState st(chart.bars, chart.fs);
        chart::Canvas canvas(&image);
        st.canvas = &canvas;
        st.width = 1600;
        st.height = 900;
        st.font = chart::chartFont(chart::pixelSizeFor(10, 96));
        canvas.setFont(st.font);
        st.textH = canvas.metrics().height();
        st.halfTextH = st.textH / 2;
        st.scaleX = finished->scaleX();
        st.labels = finished->labels();
        chart::drawLabels(st);
    }
}
BENCHMARK(Texts)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly();

} // namespace

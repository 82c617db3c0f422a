// Compute of the moving-average overlays over a full window of 511 bars: each kind with its
// default line, and kinds 1 to 3 with three lines (their longest settings, each average and
// regression summed afresh over its length for every row). The last one adds what a drawing
// pays around Compute: clearing the table, the fault flags and the scan of the rows on show.

#include "indicators/Frame.h"
#include "indicators/OscObj.h"
#include "market/MessageSink.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

std::unique_ptr<qm::BarWindow> fullWindow() {
    auto bars = std::make_unique<qm::BarWindow>();
    for (int slot = 1; slot < qm::kWindowSlots; ++slot) {
        auto& b = (*bars)[static_cast<std::size_t>(slot)];
        b.date = 42000.0 + slot;
        b.close = static_cast<float>(50.0 + 8.0 * std::sin(slot / 7.0) + 0.04 * slot);
        b.high = b.close + 0.8f;
        b.low = b.close - 0.6f;
        b.open = b.close;
    }
    return bars;
}

void computeKind(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const int lines = static_cast<int>(state.range(1));
    auto indicator = qm::TOscObj::Create(kind);
    if (lines > 1) indicator->SetLineCount(lines);
    auto bars = fullWindow();
    auto out = std::make_unique<qm::OutputTable>();
    for (auto _ : state) {
        indicator->ValidBars = 511;
        indicator->ShownBars = 400;
        int shortfall = 0;
        indicator->Compute(*bars, *out, shortfall);
        benchmark::DoNotOptimize(out->data());
        benchmark::DoNotOptimize(shortfall);
    }
}
BENCHMARK(computeKind)
    ->ArgNames({"kind", "lines"})
    ->Args({1, 1})
    ->Args({1, 3})
    ->Args({2, 1})
    ->Args({2, 3})
    ->Args({3, 1})
    ->Args({3, 3})
    ->Args({4, 2});

void drawingCallKind1(benchmark::State& state) {
    auto indicator = qm::TOscObj::Create(1);
    auto bars = fullWindow();
    auto out = std::make_unique<qm::OutputTable>();
    qm::SilentSink sink;
    const qm::ChartFacts facts{400, 511, 5, 0};
    for (auto _ : state) {
        auto shortfall = qm::computeForDrawing(*indicator, *bars, *out, facts, sink);
        benchmark::DoNotOptimize(shortfall);
    }
}
BENCHMARK(drawingCallKind1);

} // namespace

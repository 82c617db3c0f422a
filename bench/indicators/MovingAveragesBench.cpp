// Compute of the moving-average overlays over a full window of 511 bars: each kind with its
// default line, and kinds 1 to 3 with three lines (their longest settings, each average and
// regression summed afresh over its length for every row). The last one adds what a drawing
// pays around Compute: clearing the table, the fault flags and the scan of the rows on show.

#include "FullWindow.h"
#include "market/MessageSink.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

using qm::bench::fullWindow;

std::unique_ptr<qm::BarWindow> waveWindow() {
    return fullWindow([](int slot, qm::PriceBar& b) {
        b.close = qm::bench::wavyClose(slot);
        b.high = b.close + 0.8f;
        b.low = b.close - 0.6f;
        b.open = b.close;
    });
}

void computeKind(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const int lines = static_cast<int>(state.range(1));
    auto indicator = qm::TOscObj::Create(kind);
    if (lines > 1) indicator->SetLineCount(lines);
    auto bars = waveWindow();
    auto out = std::make_unique<qm::OutputTable>();
    for (auto _ : state) qm::bench::computeFullWindow(*indicator, *bars, *out);
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
    auto bars = waveWindow();
    auto out = std::make_unique<qm::OutputTable>();
    qm::SilentSink sink;
    for (auto _ : state) {
        auto shortfall =
            qm::computeForDrawing(*indicator, *bars, *out, qm::bench::kDrawingFacts, sink);
        benchmark::DoNotOptimize(shortfall);
    }
}
BENCHMARK(drawingCallKind1);

} // namespace

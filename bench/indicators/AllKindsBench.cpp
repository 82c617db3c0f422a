// All thirty kinds with their default settings over one full window of 511 bars, as one drawing
// computes them: each through the drawing's call (table cleared, run-time fields set, fault
// check), on a fresh copy of the window because two kinds may change it. One benchmark per kind
// for the breakdown, and one for the whole set.

#include "FullWindow.h"
#include "market/MessageSink.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

using qm::bench::kDrawingFacts;

qm::BarWindow waveWindow() {
    return *qm::bench::fullWindow([](int slot, qm::PriceBar& b) {
        b.close = qm::bench::wavyClose(slot);
        b.high = b.close + 0.8f + 0.3f * static_cast<float>(slot % 3);
        b.low = b.close - 0.6f - 0.2f * static_cast<float>(slot % 5);
        b.open = b.close + 0.1f * static_cast<float>(slot % 7 - 3);
        b.volume = static_cast<float>(1.0e6 + 2.0e5 * std::cos(slot / 3.0));
    });
}

void computeOneKind(benchmark::State& state) {
    auto indicator = qm::TOscObj::Create(static_cast<int>(state.range(0)));
    const qm::BarWindow original = waveWindow();
    auto bars = std::make_unique<qm::BarWindow>(original);
    auto out = std::make_unique<qm::OutputTable>();
    qm::SilentSink sink;
    for (auto _ : state) {
        *bars = original;
        auto shortfall = qm::computeForDrawing(*indicator, *bars, *out, kDrawingFacts, sink);
        benchmark::DoNotOptimize(shortfall);
    }
}
BENCHMARK(computeOneKind)->ArgName("kind")->DenseRange(1, qm::kIndicatorKinds);

void computeAllKinds(benchmark::State& state) {
    std::array<std::unique_ptr<qm::TOscObj>, qm::kIndicatorKinds> indicators;
    for (int kind = 1; kind <= qm::kIndicatorKinds; ++kind)
        indicators[static_cast<std::size_t>(kind - 1)] = qm::TOscObj::Create(kind);
    const qm::BarWindow original = waveWindow();
    auto bars = std::make_unique<qm::BarWindow>(original);
    auto out = std::make_unique<qm::OutputTable>();
    qm::SilentSink sink;
    for (auto _ : state) {
        *bars = original;
        for (auto& indicator : indicators) {
            auto shortfall = qm::computeForDrawing(*indicator, *bars, *out, kDrawingFacts, sink);
            benchmark::DoNotOptimize(shortfall);
        }
    }
}
BENCHMARK(computeAllKinds);

} // namespace

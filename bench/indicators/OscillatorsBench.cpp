// Compute of the oscillators of kinds 16 to 30 over a full window of 511 bars (400 on show),
// each with its default parameters: one kind at a time, and all fifteen in a row as a drawing
// that shows them all pays for them (clearing the table, the fault flags, Compute and the scan
// of the rows on show). Kind 17 changes the window only when the chart reaches into its
// warm-up, which 400 bars on show do not.

#include "FullWindow.h"
#include "market/MessageSink.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

using qm::bench::fullWindow;

std::unique_ptr<qm::BarWindow> waveWindow() {
    return fullWindow([](int slot, qm::PriceBar& b) {
        b.close = qm::bench::wavyClose(slot);
        b.high = b.close + 0.8f + static_cast<float>(slot % 5) * 0.1f;
        b.low = b.close - 0.6f - static_cast<float>(slot % 3) * 0.2f;
        b.open = b.close;
        b.volume = 1000.0f + static_cast<float>(slot % 17) * 50.0f;
    });
}

constexpr int kOscillatorKinds[] = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30};

void computeOscillator(benchmark::State& state) {
    auto indicator = qm::TOscObj::Create(static_cast<int>(state.range(0)));
    indicator->DataKind = qm::bench::kDrawingFacts.dataKind;
    auto bars = waveWindow();
    auto out = std::make_unique<qm::OutputTable>();
    for (auto _ : state) qm::bench::computeFullWindow(*indicator, *bars, *out);
}
BENCHMARK(computeOscillator)->ArgName("kind")->DenseRange(16, 30);

void computeAllOscillators(benchmark::State& state) {
    std::vector<std::unique_ptr<qm::TOscObj>> indicators;
    for (const int kind : kOscillatorKinds) indicators.push_back(qm::TOscObj::Create(kind));
    auto bars = waveWindow();
    auto out = std::make_unique<qm::OutputTable>();
    qm::SilentSink sink;
    for (auto _ : state) {
        for (auto& indicator : indicators) {
            auto shortfall =
                qm::computeForDrawing(*indicator, *bars, *out, qm::bench::kDrawingFacts, sink);
            benchmark::DoNotOptimize(shortfall);
        }
    }
}
BENCHMARK(computeAllOscillators);

} // namespace

#pragma once
// The full window of 511 bars the indicator benchmarks compute over, with 400 bars on show.
// Each benchmark keeps its own prices: the figures recorded in docs/PERFORMANCE.md were taken
// on them, and the counting kinds' time depends on how the prices move.

#include "indicators/Frame.h"
#include "indicators/OscObj.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <cstddef>
#include <memory>

namespace qm::bench {

constexpr int kValidBars = kWindowSlots - 1;
constexpr int kShownBars = 400;

// What a chart of daily prices and volumes tells each indicator before a drawing.
constexpr ChartFacts kDrawingFacts{kShownBars, kValidBars, 5, 0};

// Slot 0 stays empty, as below the oldest bar of a chart; dates count up from a working day.
// `fill(slot, bar)` sets the other fields of each bar, oldest first.
template <class Fill> std::unique_ptr<BarWindow> fullWindow(Fill fill) {
    auto bars = std::make_unique<BarWindow>();
    for (int slot = 1; slot < kWindowSlots; ++slot) {
        auto& b = (*bars)[static_cast<std::size_t>(slot)];
        b.date = 42000.0 + slot;
        fill(slot, b);
    }
    return bars;
}

// A rising wave of realistic prices.
inline float wavyClose(int slot) {
    return static_cast<float>(50.0 + 8.0 * std::sin(slot / 7.0) + 0.04 * slot);
}

// Compute alone, on the run-time fields a drawing of the full window sets.
inline void computeFullWindow(TOscObj& indicator, BarWindow& bars, OutputTable& out) {
    indicator.ValidBars = kValidBars;
    indicator.ShownBars = kShownBars;
    int shortfall = 0;
    indicator.Compute(bars, out, shortfall);
    benchmark::DoNotOptimize(out.data());
    benchmark::DoNotOptimize(shortfall);
}

} // namespace qm::bench

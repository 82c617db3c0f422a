// Compute of the three counting kinds (Pattern1, Pattern2, Stage1 support-resistance) over a
// full window of 511 bars, with default settings. The bars are a seeded random walk, so Stage1
// counts complete in both directions, Stage2 counts arm, run, cancel and complete, and the
// Pattern2 scan runs on every bar while a count has not started.

#include "FullWindow.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>

namespace {

std::unique_ptr<qm::BarWindow> randomWalk() {
    std::uint32_t seed = 2024;
    const auto noise = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>(seed >> 8) / static_cast<float>(1 << 24) - 0.5f;
    };
    float close = 50;
    return qm::bench::fullWindow([&](int, qm::PriceBar& b) {
        b.open = close;
        close *= 1.0f + 0.04f * noise();
        b.close = close;
        b.high = std::max(b.open, close) * (1.0f + 0.01f * (noise() + 0.5f));
        b.low = std::min(b.open, close) * (1.0f - 0.01f * (noise() + 0.5f));
    });
}

void computeKind(benchmark::State& state) {
    auto indicator = qm::TOscObj::Create(static_cast<int>(state.range(0)));
    auto bars = randomWalk();
    auto out = std::make_unique<qm::OutputTable>();
    for (auto _ : state) {
        *out = {};
        qm::bench::computeFullWindow(*indicator, *bars, *out);
    }
}
BENCHMARK(computeKind)->ArgName("kind")->Arg(5)->Arg(6)->Arg(7);

} // namespace

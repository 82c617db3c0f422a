#pragma once
// Bar windows and output tables for indicator tests.

#include "indicators/OscObj.h"
#include "market/PriceBar.h"

#include <cmath>
#include <functional>
#include <memory>

namespace qm::test {

// A window holding n bars in slots 512 - n .. 511, each from `bar(slot)`; dates count up from
// a working day so every valid slot has a non-zero date. Separately allocated so that the
// address sanitizer sees any access outside it.
inline std::unique_ptr<BarWindow> makeWindow(int n, const std::function<PriceBar(int slot)>& bar) {
    auto window = std::make_unique<BarWindow>();
    for (int slot = kWindowSlots - n; slot < kWindowSlots; ++slot) {
        PriceBar b = bar(slot);
        b.date = 42000.0 + slot;
        (*window)[static_cast<std::size_t>(slot)] = b;
    }
    return window;
}

// A wavy, rising series of realistic prices; high and low straddle the close.
inline PriceBar wavyBar(int slot) {
    PriceBar b;
    b.close = static_cast<float>(50.0 + 8.0 * std::sin(slot / 7.0) + 0.04 * slot);
    b.high = b.close + 0.75f + static_cast<float>(slot % 5) * 0.1f;
    b.low = b.close - 0.5f - static_cast<float>(slot % 3) * 0.2f;
    b.open = (b.high + b.low) / 2;
    b.volume = 1000.0f + slot;
    return b;
}

inline PriceBar closeBar(float close) {
    PriceBar b;
    b.close = close;
    return b;
}

inline std::unique_ptr<OutputTable> makeTable() {
    return std::make_unique<OutputTable>();
}

inline std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

// Single-precision results against a double-precision formula: a few units in the last place
// of the values summed.
inline double singleTolerance(double expected) {
    return 4e-6 * std::max(1.0, std::fabs(expected));
}

} // namespace qm::test

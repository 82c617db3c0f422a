#pragma once
// Bar windows and output tables for indicator tests, and the cases of the bounds tests.

#include "indicators/OscObj.h"
#include "market/PriceBar.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <limits>
#include <memory>
#include <ostream>
#include <vector>

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

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// One case of a bounds test: a kind with every length at one value a settings file may hold.
struct Bounds {
    int kind;
    float length;
};

inline void PrintTo(const Bounds& b, std::ostream* os) {
    *os << "kind " << b.kind << " length " << b.length;
}

// The case's kind with all four lengths at the case's length, and the stored and run-time fields
// as given, however far out of range.
inline std::unique_ptr<TOscObj> kindWith(const Bounds& b, int paramCount, std::uint8_t field,
                                         int validBars, int shownBars) {
    auto o = TOscObj::Create(b.kind);
    o->ParamCount = paramCount;
    o->Params = {b.length, b.length, b.length, b.length};
    o->PriceField = field;
    o->ValidBars = validBars;
    o->ShownBars = shownBars;
    return o;
}

// Every kind of firstKind..lastKind with every one of `lengths`.
inline std::vector<Bounds> boundsCases(int firstKind, int lastKind,
                                       std::initializer_list<float> lengths) {
    std::vector<Bounds> cases;
    for (int kind = firstKind; kind <= lastKind; ++kind)
        for (const float length : lengths) cases.push_back({kind, length});
    return cases;
}

// Rows 0 .. row - 1 of the table are still 0.
inline testing::AssertionResult emptyBelow(const OutputTable& out, int row) {
    for (int i = 0; i < row; ++i)
        for (const float v : out[at(i)])
            if (v != 0.0f) return testing::AssertionFailure() << "row " << i << " holds " << v;
    return testing::AssertionSuccess();
}

// The fifth and sixth columns are still 0 in every row, for the kinds that use neither.
inline testing::AssertionResult lastTwoColumnsEmpty(const OutputTable& out) {
    for (int i = 0; i < kWindowSlots; ++i)
        if (out[at(i)][4] != 0.0f || out[at(i)][5] != 0.0f)
            return testing::AssertionFailure() << "row " << i;
    return testing::AssertionSuccess();
}

inline bool sameBar(const PriceBar& a, const PriceBar& b) {
    return std::memcmp(&a, &b, sizeof(PriceBar)) == 0;
}

} // namespace qm::test

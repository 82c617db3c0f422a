#pragma once
// Hand-made bar sequences for the counting kinds, written as tables of one bar per line with the
// outputs expected on that bar, and the runners that check a computation bar by bar.

#include "IndicatorTestUtil.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <vector>

namespace qm::test {

// One bar of a sequence for kinds 5 and 6 and what the computation must leave in its row.
struct PatternRow {
    float open, high, low, close;
    float stage1, stage2, signal, price, mark;
};

// One bar of a sequence for kind 7.
struct LevelRow {
    float open, high, low, close;
    float up, support, down, resistance;
};

using Outputs = std::array<float, kOutputColumns>;

// Column indexes of the expected outputs, for changes to a table.
enum PatternColumn { Signal = 0, Stage1 = 1, Stage2 = 2, Price = 3, Mark = 4 };

struct Sequence {
    std::vector<PriceBar> bars; // oldest first
    std::vector<Outputs> want;  // one row per bar

    // A different expectation for one bar of a variant.
    Sequence& set(int bar, int column, float value) {
        want[at(bar)][at(column)] = value;
        return *this;
    }
    // The first `count` bars only, with what they expect.
    Sequence prefix(int count) const {
        return {{bars.begin(), bars.begin() + count}, {want.begin(), want.begin() + count}};
    }
};

inline PriceBar barOf(float open, float high, float low, float close) {
    PriceBar b;
    b.open = open;
    b.high = high;
    b.low = low;
    b.close = close;
    return b;
}

inline Sequence sequenceOf(std::span<const PatternRow> rows) {
    Sequence s;
    for (const PatternRow& r : rows) {
        s.bars.push_back(barOf(r.open, r.high, r.low, r.close));
        s.want.push_back({r.signal, r.stage1, r.stage2, r.price, r.mark, 0});
    }
    return s;
}

inline Sequence sequenceOf(std::span<const LevelRow> rows) {
    Sequence s;
    for (const LevelRow& r : rows) {
        s.bars.push_back(barOf(r.open, r.high, r.low, r.close));
        s.want.push_back({r.up, r.support, r.down, r.resistance, 0, 0});
    }
    return s;
}

// The buy side is the sell side upside down: prices p become kMirror - p (so highs and lows
// change places and every rise is a fall), and every count, signal and mark changes sign.
constexpr float kMirror = 100;

inline float mirrored(float price) {
    return price == 0 ? 0 : kMirror - price;
}

inline std::vector<PriceBar> mirroredBars(const std::vector<PriceBar>& bars) {
    std::vector<PriceBar> out;
    for (const PriceBar& b : bars)
        out.push_back(
            barOf(kMirror - b.open, kMirror - b.low, kMirror - b.high, kMirror - b.close));
    return out;
}

inline Sequence mirroredPattern(const Sequence& s) {
    Sequence m{mirroredBars(s.bars), {}};
    for (const Outputs& w : s.want)
        m.want.push_back({-w[Signal], -w[Stage1], -w[Stage2], mirrored(w[Price]), -w[Mark], 0});
    return m;
}

// For kind 7 the up count and support become the down count and resistance.
inline Sequence mirroredLevels(const Sequence& s) {
    Sequence m{mirroredBars(s.bars), {}};
    for (const Outputs& w : s.want)
        m.want.push_back({-w[2], mirrored(w[3]), -w[0], mirrored(w[1]), 0, 0});
    return m;
}

// The parameters and switches kinds 5 and 6 run a sequence with.
struct PatternOptions {
    float n1, n2, b1, b2;
    // PriceField, the Stage2 comparison: 0 non-strict; kind 5 strict for any other code, kind 6
    // strict for 1 and without Stage2 for any other.
    std::uint8_t mode = 0;
    bool relax = true;
    bool reset = false;
    bool aggressive = false; // kind 5 only
};

// Computes `indicator` over a window holding the sequence's bars in its newest slots and checks
// every column of every bar.
inline void expectSequence(TOscObj& indicator, const Sequence& s) {
    const int n = static_cast<int>(s.bars.size());
    const int first = kWindowSlots - n;
    auto bars = makeWindow(n, [&](int slot) { return s.bars[at(slot - first)]; });
    auto out = makeTable();
    indicator.ValidBars = n;
    indicator.ShownBars = n;
    int shortfall = -1;
    indicator.Compute(*bars, *out, shortfall);
    EXPECT_GE(shortfall, 0);
    for (int b = 0; b < n; ++b)
        for (int c = 0; c < kOutputColumns; ++c)
            EXPECT_EQ((*out)[at(first + b)][at(c)], s.want[at(b)][at(c)])
                << "bar " << b << " column " << c;
}

// Kind 5 or 6 over the sequence as given (the sell side) and upside down (the buy side).
inline void expectBothSides(int kind, const PatternOptions& o, const Sequence& s) {
    auto p = TOscObj::Create(kind);
    p->Params = {o.n1, o.n2, o.b1, o.b2};
    p->PriceField = o.mode;
    p->RelaxLastStage2 = o.relax;
    p->ResetStage2OnStage1 = o.reset;
    p->AggressiveStage2 = o.aggressive;
    {
        SCOPED_TRACE("sell side");
        expectSequence(*p, s);
    }
    {
        SCOPED_TRACE("buy side");
        expectSequence(*p, mirroredPattern(s));
    }
}

} // namespace qm::test

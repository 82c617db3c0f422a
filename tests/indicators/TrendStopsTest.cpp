#include "KindRun.h"
#include "indicators/Frame.h"
#include "indicators/Kinds.h"
#include "market/MessageSink.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

using test::at;
using test::compute;
using test::Computed;

struct Hlc {
    float high, low, close;
};

// Bars from a list, oldest first, ending at slot 511.
std::function<PriceBar(int)> barsEnding(std::vector<Hlc> list) {
    return [list](int slot) {
        const Hlc& v = list[at(slot - (512 - static_cast<int>(list.size())))];
        PriceBar b;
        b.high = v.high;
        b.low = v.low;
        b.close = v.close;
        b.open = v.close;
        return b;
    };
}

// The stop and reverse exactly as defined, in double precision: extremes from the first close
// and the next two bars, direction from the fourth; the factor grows on each new extreme up to
// 0.2.
std::vector<double> stopAndReverse(const BarWindow& bars, int f, double step) {
    const auto high = [&](int i) { return static_cast<double>(bars[at(i)].high); };
    const auto low = [&](int i) { return static_cast<double>(bars[at(i)].low); };
    std::vector<double> stop(512, 0.0);
    double factor = step;
    double extremeHigh = bars[at(f)].close;
    double extremeLow = extremeHigh;
    extremeHigh = std::max({extremeHigh, high(f + 1), high(f + 2)});
    extremeLow = std::min({extremeLow, low(f + 1), low(f + 2)});
    bool isLong = extremeHigh <= high(f + 3);
    stop[at(f + 3)] = isLong ? extremeLow : extremeHigh;
    if (isLong)
        extremeHigh = high(f + 3);
    else
        extremeLow = low(f + 3);
    for (int i = f + 3; i < 511; ++i) {
        const double s = stop[at(i)];
        if (isLong && low(i) < s) {
            isLong = false;
            stop[at(i + 1)] = extremeHigh;
            extremeLow = low(i);
            factor = step;
        } else if (!isLong && high(i) > s) {
            isLong = true;
            stop[at(i + 1)] = extremeLow;
            extremeHigh = high(i);
            factor = step;
        } else if (isLong) {
            if (high(i) > extremeHigh) {
                extremeHigh = high(i);
                if (factor < 0.2 - 1e-9) factor += step;
            }
            const double t = s + factor * (extremeHigh - s);
            const double floor = std::min(low(i), low(i - 1));
            stop[at(i + 1)] = t > floor ? floor : t;
        } else {
            if (low(i) < extremeLow) {
                extremeLow = low(i);
                if (factor < 0.2 - 1e-9) factor += step;
            }
            const double t = s - factor * (s - extremeLow);
            const double ceiling = std::max(high(i), high(i - 1));
            stop[at(i + 1)] = t < ceiling ? ceiling : t;
        }
    }
    return stop;
}

TEST(StopAndReverse, MatchesTheDefinitionOverTheWindow) {
    for (const int n : {511, 100, 4}) {
        SCOPED_TRACE(n);
        auto o = TOscObj::Create(10);
        const Computed r = compute(*o, n, 38);
        EXPECT_EQ(r.shortfall, 0);
        EXPECT_EQ(o->ShownBars, 38);
        const int f = 512 - n;
        const std::vector<double> expected = stopAndReverse(*r.bars, f, 0.025);
        for (int i = 0; i < f + 3; ++i) ASSERT_EQ(r.at(i, 0), 0.0f) << i;
        for (int i = f + 3; i < 512; ++i)
            ASSERT_NEAR(r.at(i, 0), expected[at(i)], 4 * test::singleTolerance(expected[at(i)]))
                << i;
    }
}

TEST(StopAndReverse, LongStopHitReversesAtTheHighestHigh) {
    auto o = TOscObj::Create(10);
    const Computed r = compute(*o, 8, 8,
                               barsEnding({{10.5f, 9.5f, 10},
                                           {11, 10, 10.5f},
                                           {12, 11, 11.5f},
                                           {13, 12, 12.5f},  // long: stop at the lowest, 10
                                           {14, 13, 13.5f},  // new high: factor 0.05
                                           {14.5f, 9, 9.5f}, // low below the stop
                                           {12, 8.5f, 9},    // short, factor back to 0.025 and up
                                           {11, 8, 8.5f}}));
    const float expected[8] = {0,    0, 0, 10, 10.075f, 10.27125f,
                               14,     // the highest high of the long run, not this bar's 14.5
                               14.5f}; // 13.725 lies under the last two highs: the higher one
    for (int k = 0; k < 8; ++k) EXPECT_FLOAT_EQ(r.at(504 + k, 0), expected[k]) << k;
}

TEST(StopAndReverse, FactorGrowsOnEachNewExtremeUpToTheCap) {
    struct Case {
        float step;
        bool rising;
        int steps; // the factor is step × steps at most
    };
    // The cap compares the single-precision factor with 0.2: 0.025 stops at 0.2 after eight
    // steps, 0.02 passes it once and ends at 0.22.
    for (const Case c : {Case{0.025f, true, 8}, Case{0.025f, false, 8}, Case{0.02f, true, 11},
                         Case{0.02f, false, 11}}) {
        SCOPED_TRACE(testing::Message() << c.step << (c.rising ? " rising" : " falling"));
        // One point a bar, each bar a new extreme; the range of one point never meets the stop.
        const auto bar = [rising = c.rising](int slot) {
            const float k = static_cast<float>(rising ? slot - 452 : 452 - slot);
            PriceBar b;
            b.high = 101 + k;
            b.low = 100 + k;
            b.close = 100.5f + k;
            return b;
        };
        auto o = TOscObj::Create(10);
        o->Params[0] = c.step;
        const Computed r = compute(*o, 60, 38, bar);
        for (int i = 455; i < 511; ++i) {
            const double stop = r.at(i, 0);
            const double extreme = c.rising ? (*r.bars)[at(i)].high : (*r.bars)[at(i)].low;
            const double factor = (r.at(i + 1, 0) - stop) / (extreme - stop);
            const int steps = std::min(i - 455 + 1, c.steps);
            ASSERT_NEAR(factor, c.step * steps, 1e-4) << i;
            // The long stop stays under the two latest lows, the short one over the highs.
            if (c.rising)
                ASSERT_LE(r.at(i + 1, 0), (*r.bars)[at(i - 1)].low) << i;
            else
                ASSERT_GE(r.at(i + 1, 0), (*r.bars)[at(i - 1)].high) << i;
        }
    }
}

TEST(TrendStops, TooFewBarsWriteNothing) {
    struct Case {
        int kind, n;
    };
    // The stop needs four bars; the two level kinds need three more than they show.
    for (const Case c :
         {Case{10, 3}, Case{10, 0}, Case{8, 2}, Case{8, 3}, Case{9, 2}, Case{9, 4}}) {
        SCOPED_TRACE(testing::Message() << c.kind << " n " << c.n);
        auto o = TOscObj::Create(c.kind);
        const Computed r = compute(*o, c.n, 38);
        for (const auto& row : *r.out)
            for (const float v : row) ASSERT_EQ(v, 0.0f);
    }
}

// Twelve bars, slots 500..511. Pivots: 504 high (15), 505 low (11), 506 high (16), 509 both.
std::vector<Hlc> levelBars() {
    return {{10, 8, 9},    {11, 9, 10},    {12, 10, 11},    {13, 11, 12},
            {15, 12, 14},  {14, 11, 12},   {16, 13, 15},    {15, 12, 13},
            {14, 9, 9.5f}, {18, 8.5f, 10}, {17, 11, 16.5f}, {16, 12, 14}};
}

TEST(SupportResistance, PivotsAndLevelsOverTheBarsOnShow) {
    // With 9 bars on show s0 = 502: the level starts as support at L(502) = 10 with the highs
    // and lows of 501 as the last extremes. Showing 11 bars reaches two bars into the warm-up:
    // the prologue cuts them, which gives the same rows.
    for (const int shown : {9, 11}) {
        SCOPED_TRACE(shown);
        auto o = TOscObj::Create(8);
        const Computed r = compute(*o, 12, shown, barsEnding(levelBars()));
        EXPECT_EQ(r.shortfall, shown - 9);
        EXPECT_EQ(o->ShownBars, 9);
        for (int i = 500; i < 504; ++i)
            for (int column = 0; column < 4; ++column) EXPECT_EQ(r.at(i, column), 0.0f) << i;
        struct Row {
            float price, code, mode, level;
        };
        const Row expected[8] = {
            {15, 1, 1, 10},  // 504 new high 15: no pivot low yet, the support stays
            {11, 2, 1, 10},  // 505 pivot low, not yet known on its own bar
            {16, 1, 1, 11},  // 506 new high: the support rises to the pivot low 11
            {0, 0, 1, 11},   // 507 close 13 holds above the support
            {0, 0, 2, 16},   // 508 close 9.5 under 11: resistance at the pivot high 16
            {0, 3, 2, 16},   // 509 both pivots, price 0; its lower low keeps the resistance
            {0, 0, 1, 8.5f}, // 510 close 16.5 over 16: support at bar 509's low
            {0, 0, 1, 8.5f}  // 511 the newest bar is not judged as a pivot
        };
        for (int k = 0; k < 8; ++k) {
            const Row& e = expected[k];
            EXPECT_EQ(r.at(504 + k, 0), e.price) << k;
            EXPECT_EQ(r.at(504 + k, 1), e.code) << k;
            EXPECT_EQ(r.at(504 + k, 2), e.mode) << k;
            EXPECT_EQ(r.at(504 + k, 3), e.level) << k;
        }
    }
}

// Eleven bars, slots 501..511.
std::vector<Hlc> swingBars() {
    return {{10.25f, 8.25f, 9.25f}, {10, 8, 9},     {10, 8, 9},        {10, 8, 9},
            {12, 8.5f, 11},         {11, 9, 10.5f}, {10.5f, 9.5f, 10}, {10.4f, 9.6f, 10},
            {11, 9, 10.5f},         {10, 8, 8.5f},  {10.5f, 7.5f, 8}};
}

TEST(SwingLine, PointsOverTheBarsOnShow) {
    struct Case {
        int shown;
        float price[7], direction[7]; // rows 505..511
    };
    // 505 up bar; 506..508 inside bars turn the line each time; 509 outside closing up is a low
    // point; 510 down bar; 511 outside closing down is a high point. With one bar less on show
    // the walk starts at 506, whose inside bar follows no point and counts as a high point.
    // Ten bars on show reach into the warm-up and are cut back to eight.
    for (const Case& c : {Case{8, {12, 9, 10.5f, 9.6f, 9, 8, 10.5f}, {1, 2, 1, 2, 2, 2, 1}},
                          Case{10, {12, 9, 10.5f, 9.6f, 9, 8, 10.5f}, {1, 2, 1, 2, 2, 2, 1}},
                          Case{7, {0, 11, 9.5f, 10.4f, 9, 8, 10.5f}, {0, 1, 2, 1, 2, 2, 1}}}) {
        SCOPED_TRACE(c.shown);
        auto o = TOscObj::Create(9);
        const Computed r = compute(*o, 11, c.shown, barsEnding(swingBars()));
        EXPECT_EQ(r.shortfall, std::max(c.shown - 8, 0));
        EXPECT_EQ(r.at(504, 0), 0.0f);
        for (int k = 0; k < 7; ++k) {
            EXPECT_EQ(r.at(505 + k, 0), c.price[k]) << k;
            EXPECT_EQ(r.at(505 + k, 1), c.direction[k]) << k;
        }
    }
}

TEST(LevelKinds, ShortfallCopiesTheFirstBarBelowItForLaterIndicators) {
    for (const int kind : {8, 9}) {
        // 40 bars, slots 472..511; three more than 37 on show reach into the warm-up.
        for (const int shown : {37, 38}) {
            SCOPED_TRACE(testing::Message() << kind << " showing " << shown);
            auto bars = test::makeWindow(40, test::wavyBar);
            (*bars)[471].close = 3; // left over from an earlier fill
            const BarWindow before = *bars;
            auto out = test::makeTable();
            SilentSink sink;
            const ChartFacts facts{shown, 40, 5, 0};
            auto o = TOscObj::Create(kind);
            EXPECT_EQ(computeForDrawing(*o, *bars, *out, facts, sink), shown - 37);

            BarWindow expected = before;
            if (shown == 38) {
                expected[471].high = before[472].high;
                expected[471].low = before[472].low;
                expected[471].close = before[472].close;
            }
            EXPECT_EQ(std::memcmp(bars->data(), expected.data(), sizeof(BarWindow)), 0);

            // An exponential average computed next seeds from slot 471.
            auto average = TOscObj::Create(2);
            computeForDrawing(*average, *bars, *out, facts, sink);
            EXPECT_EQ((*out)[471][0], expected[471].close);
        }
    }
}

} // namespace
} // namespace qm

// Wilder's RSI, the triangular-weighted RSI, stochastics, Williams %R and CCI against
// hand-worked fixtures and double-precision forms of their formulas.

#include "KindRun.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

using test::at;
using test::KindRun;

struct Changes {
    std::vector<double> gain = test::rows();
    std::vector<double> loss = test::rows(); // negative
};

Changes changesOf(const BarWindow& bars, int f, int field) {
    Changes c;
    for (int j = f + 1; j < 512; ++j) {
        const double d = test::priceOf(bars[at(j)], field) - test::priceOf(bars[at(j - 1)], field);
        (d >= 0 ? c.gain : c.loss)[at(j)] = d;
    }
    return c;
}

double rsi(double gain, double loss) {
    return gain - loss == 0 ? 0 : 100 * gain / (gain - loss);
}

// Wilder's smoothing, started at row f + m with the plain average of the last N changes.
std::vector<double> wilderRsi(const BarWindow& bars, int f, int m, int length, int field) {
    const Changes c = changesOf(bars, f, field);
    std::vector<double> out = test::rows();
    double gain = 0, loss = 0;
    for (int k = f + m - length + 1; k <= f + m; ++k) {
        gain += k > f ? c.gain[at(k)] : 0;
        loss += k > f ? c.loss[at(k)] : 0;
    }
    gain /= length;
    loss /= length;
    out[at(f + m)] = rsi(gain, loss);
    for (int i = f + m + 1; i < 512; ++i) {
        gain = ((length - 1) * gain + c.gain[at(i)]) / length;
        loss = ((length - 1) * loss + c.loss[at(i)]) / length;
        out[at(i)] = rsi(gain, loss);
    }
    return out;
}

TEST(WilderRsi, MatchesWildersSmoothing) {
    for (const int field : {2, 1}) {
        KindRun run(17, 511, test::wavyBar);
        run.indicator->PriceField = static_cast<std::uint8_t>(field);
        ASSERT_EQ(run.draw(400), 0);
        test::expectColumn(run, 0, wilderRsi(*run.bars, 1, 13, 13, field), 0, 2e-4);
    }
}

TEST(WilderRsi, RisingThenFlatClosesStayAtHundred) {
    // 20 rising closes, then flat: the loss stays 0 while the gain decays.
    KindRun run(17, 40,
                [](int slot) { return test::closeBar(static_cast<float>(std::min(slot, 491))); });
    ASSERT_EQ(run.draw(20), 0);
    EXPECT_EQ(run.at(484, 0), 0.0f);
    for (int i = 485; i < 512; ++i) ASSERT_FLOAT_EQ(run.at(i, 0), 100) << i;
}

TEST(WilderRsi, EqualClosesLeaveEveryRowAtZero) {
    KindRun run(17, 100, [](int) { return test::closeBar(42); });
    ASSERT_EQ(run.draw(50), 0);
    for (int i = 0; i < 512; ++i) ASSERT_EQ(run.at(i, 0), 0.0f) << i;
}

TEST(WilderRsi, ShortfallCopiesTheSecondBarIntoTheFirstForTheWholeDrawing) {
    // 30 bars, warm-up 13: showing 20 reaches back into the warm-up, showing 10 does not.
    for (const auto& [shown, shortfall] : {std::pair{20, 3}, {10, 0}}) {
        SCOPED_TRACE(shown);
        KindRun run(17, 30, test::wavyBar);
        const BarWindow before = *run.bars;
        ASSERT_EQ(run.draw(shown), shortfall);
        const int f = 482;
        const PriceBar& first = (*run.bars)[at(f)];
        const PriceBar& source = shortfall > 0 ? before[at(f + 1)] : before[at(f)];
        EXPECT_EQ(first.high, source.high);
        EXPECT_EQ(first.low, source.low);
        EXPECT_EQ(first.close, source.close);
        EXPECT_EQ(first.open, before[at(f)].open);
        EXPECT_EQ(first.volume, before[at(f)].volume);
        EXPECT_EQ(first.date, before[at(f)].date);
        for (int i = 0; i < 512; ++i) {
            if (i == f) continue;
            ASSERT_EQ(std::memcmp(&(*run.bars)[at(i)], &before[at(i)], sizeof(PriceBar)), 0) << i;
        }
        test::expectColumn(run, 0, wilderRsi(*run.bars, f, 13, 13, 2), 0, 2e-4);

        // An indicator computed later in the same drawing starts from the copied close.
        KindRun later(28, 30, test::wavyBar);
        later.bars = std::move(run.bars);
        ASSERT_EQ(later.draw(shown), 0);
        EXPECT_EQ(later.at(f, 0), source.close);
    }
}

// Triangular weights of an odd length N: 1, 2, .., (N + 1) / 2, .., 2, 1 over N.
std::vector<double> triangularRsi(const BarWindow& bars, int f, int length) {
    const Changes c = changesOf(bars, f, 2);
    std::vector<double> out = test::rows();
    for (int i = f + length - 1; i < 512; ++i) {
        double gain = 0, loss = 0, weights = 0;
        for (int k = 0; k <= length - 2; ++k) {
            const double w = (std::min(k, length - 1 - k) + 1.0) / length;
            gain += w * c.gain[at(i - k)];
            loss += w * c.loss[at(i - k)];
            weights += w;
        }
        out[at(i)] = rsi(gain / weights, loss / weights);
    }
    return out;
}

TEST(TriangularRsi, WeighsTheNewestChangesByTheTriangle) {
    // Length 9: the changes of bars i - 7..i with weights 1/9, 2/9, 3/9, 4/9, 5/9, 4/9, 3/9,
    // 2/9, newest first; the first value at f + 8.
    for (const int n : {511, 60}) {
        KindRun run(18, n, test::wavyBar);
        ASSERT_EQ(run.draw(50), 0);
        const int f = 512 - n;
        EXPECT_EQ(run.at(f + 7, 0), 0.0f);
        test::expectColumn(run, 0, triangularRsi(*run.bars, f, 9), 0, 1e-4);
        EXPECT_EQ(run.indicator->Params[0], 9.0f);
    }
}

TEST(TriangularRsi, ShortLengthsUseTheThreeShortWeightsAndAreStoredAsThree) {
    // Closes 10, 10, 12, 11 in slots 508..511: changes 0, +2, -1 at 509, 510, 511.
    const auto bar = [](int slot) {
        const float closes[4] = {10, 10, 12, 11};
        return test::closeBar(closes[slot - 508]);
    };
    struct Case {
        float length;
        float rows[3]; // 509, 510, 511
    };
    // Length 3 pairs 0.333 with the newest change and 0.667 with the one before: row 511 is
    // 100 * 1.334 / (1.334 + 0.333), not the 80 that exact thirds give. Length 2 weighs the
    // newest change alone.
    for (const Case c : {Case{3, {0, 100, 100 * 1.334f / 1.667f}}, Case{2, {0, 100, 0}},
                         Case{3.9f, {0, 100, 100 * 1.334f / 1.667f}}}) {
        SCOPED_TRACE(c.length);
        KindRun run(18, 4, bar);
        run.indicator->Params[0] = c.length;
        ASSERT_TRUE(run.draw(1));
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(run.at(509 + k, 0), c.rows[k], 1e-4) << k;
        EXPECT_EQ(run.indicator->Params[0], 3.0f);
    }
}

TEST(TriangularRsi, LengthOneIsSkippedThenDrawnAsThree) {
    KindRun run(18, 100, test::wavyBar);
    run.indicator->Params[0] = 1;
    EXPECT_EQ(run.draw(50), std::nullopt);
    EXPECT_EQ(run.indicator->Params[0], 3.0f);
    EXPECT_EQ(run.draw(50), 0);
    int rising = 0;
    for (int i = 414; i < 512; ++i) rising += run.at(i, 0) > 50;
    EXPECT_GT(rising, 10);
}

TEST(TriangularRsi, LongLengthsTakeTheirOwnWeights) {
    // Up to the editor's 250 and beyond; a length past the window gives no value.
    for (const int length : {61, 249, 511}) {
        KindRun run(18, 511, test::wavyBar);
        run.indicator->Params[0] = static_cast<float>(length);
        ASSERT_TRUE(run.draw(400));
        test::expectColumn(run, 0, triangularRsi(*run.bars, 1, length), 0, 1e-4);
    }
    KindRun beyond(18, 511, test::wavyBar);
    beyond.indicator->Params[0] = 1e9f;
    ASSERT_EQ(beyond.draw(400), 512 + 400 - 511);
    for (int i = 0; i < 512; ++i) ASSERT_EQ(beyond.at(i, 0), 0.0f) << i;
}

struct Smoothed {
    std::vector<double> raw = test::rows(), k = test::rows(), d = test::rows();
};

// Raw %K over span + 1 bars from row s = f + m - 1; both smoothings 1/p from 0 at row s.
Smoothed stochastics(const BarWindow& bars, int s, int span, double smoothing) {
    Smoothed r;
    for (int i = s; i < 512; ++i) {
        double high = -1e30, low = 1e30;
        for (int j = i - span; j <= i; ++j) {
            high = std::max<double>(high, bars[at(j)].high);
            low = std::min<double>(low, bars[at(j)].low);
        }
        r.raw[at(i)] = (bars[at(i)].close - low) * 100 / (high - low);
    }
    const double a = 1 / smoothing;
    for (int i = s + 1; i < 512; ++i) {
        r.k[at(i)] = (1 - a) * r.k[at(i - 1)] + a * r.raw[at(i)];
        r.d[at(i)] = (1 - a) * r.d[at(i - 1)] + a * r.k[at(i)];
    }
    return r;
}

TEST(Stochastics, SmoothRawKOverSpanPlusOneBars) {
    struct Case {
        int n;
        float span, smoothing;
    };
    // The first raw value at f + m - 1 reads the slot before the first bar (here 0).
    for (const Case c : {Case{511, 13, 3}, Case{100, 5, 2.5f}}) {
        SCOPED_TRACE(c.n);
        KindRun run(19, c.n, test::wavyBar);
        run.indicator->Params = {c.span, c.smoothing, 0, 0};
        ASSERT_EQ(run.draw(50), 0);
        const int s = 512 - c.n + static_cast<int>(c.span) - 1;
        const Smoothed expected = stochastics(*run.bars, s, static_cast<int>(c.span), c.smoothing);
        test::expectColumn(run, 2, expected.raw, 0, 2e-4);
        test::expectColumn(run, 0, expected.k, 0, 2e-4);
        test::expectColumn(run, 1, expected.d, 0, 2e-4);
        EXPECT_EQ(run.at(s, 0), 0.0f);
    }
}

// Bars of constant high 10 and low 6 (close 8) in slots 492..511, the last one changed.
PriceBar rangeBar(int slot, float high, float low, float close) {
    PriceBar b = test::closeBar(8);
    b.high = 10;
    b.low = 6;
    if (slot == 511) {
        b.high = high;
        b.low = low;
        b.close = close;
    }
    return b;
}

TEST(RangeOscillators, CloseAtTheEndsOfTheRange) {
    struct Case {
        float high, low, close;
        float rawK, percentR;
    };
    // The range covers K + 1 = 14 (stochastics) and L + 1 = 15 (%R) bars.
    for (const Case c :
         {Case{12, 7, 12, 100, 0}, Case{9, 2, 2, 0, -100}, Case{10, 6, 7, 25, -75}}) {
        SCOPED_TRACE(c.close);
        const auto bar = [c](int slot) { return rangeBar(slot, c.high, c.low, c.close); };
        KindRun stochastics(19, 20, bar);
        ASSERT_EQ(stochastics.draw(5), 0);
        EXPECT_FLOAT_EQ(stochastics.at(511, 2), c.rawK);
        KindRun percentR(24, 20, bar);
        ASSERT_EQ(percentR.draw(5), 0);
        EXPECT_FLOAT_EQ(percentR.at(511, 0), c.percentR);
    }
}

TEST(RangeOscillators, FlatRangesAndZeroSmoothing) {
    const auto flat = [](int) { return test::closeBar(5); }; // high = low = 0 except the close
    const auto flatRange = [](int) {
        PriceBar b = test::closeBar(5);
        b.high = b.low = 5;
        return b;
    };
    const auto empty = [](int) { return PriceBar{}; };
    struct Case {
        int kind;
        std::function<PriceBar(int)> bar;
        float smoothing;
        bool drawn;
    };
    // A range that is all zero gives 0; a flat range elsewhere divides by zero.
    for (const Case& c :
         {Case{19, flatRange, 3, false}, Case{24, flatRange, 3, false}, Case{19, empty, 3, true},
          Case{24, empty, 3, true}, Case{19, flat, 3, true}, Case{24, flat, 3, true},
          Case{19, test::wavyBar, 0, false}, Case{19, test::wavyBar, 0.5f, true}}) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.smoothing);
        KindRun run(c.kind, 60, c.bar);
        run.indicator->Params[1] = c.smoothing;
        EXPECT_EQ(run.draw(20).has_value(), c.drawn);
    }
}

TEST(RangeOscillators, LookBackNeverReadsBelowTheSlotBeforeTheFirstBar) {
    // With no counted length the warm-up is 0; the first row is then where the span + 1 bars
    // reach the slot before the first bar (f - 1 + span), never the lows an earlier, longer fill
    // of the window left below it.
    for (const int kind : {19, 24}) {
        SCOPED_TRACE(kind);
        KindRun run(kind, 20, test::wavyBar);
        for (int i = 470; i < 491; ++i) (*run.bars)[at(i)].low = -1000;
        run.indicator->ParamCount = 0;
        run.indicator->Params = {6, 1, 0, 0};
        ASSERT_EQ(run.draw(10), 0);
        const int f = 492;
        const int column = kind == 19 ? 2 : 0;
        for (int i = 0; i < f + 5; ++i) ASSERT_EQ(run.at(i, column), 0.0f) << i;
        // Row f + 5: the highest high of the bars f..f + 5 and the empty slot's low of 0.
        double high = 0;
        for (int j = f; j <= f + 5; ++j) high = std::max<double>(high, (*run.bars)[at(j)].high);
        const double close = (*run.bars)[at(f + 5)].close;
        EXPECT_NEAR(run.at(f + 5, column),
                    kind == 19 ? close * 100 / high : (high - close) * -100 / high, 1e-4);
    }
}

TEST(WilliamsR, MatchesTheRangeFormula) {
    KindRun run(24, 511, test::wavyBar);
    ASSERT_EQ(run.draw(300), 0);
    std::vector<double> expected = test::rows();
    const BarWindow& bars = *run.bars;
    for (int i = 14; i < 512; ++i) {
        double high = bars[at(i)].high, low = bars[at(i)].low;
        for (int j = i - 14; j < i; ++j) {
            high = std::max<double>(high, bars[at(j)].high);
            low = std::min<double>(low, bars[at(j)].low);
        }
        expected[at(i)] = -100 * (high - bars[at(i)].close) / (high - low);
    }
    test::expectColumn(run, 0, expected, 0, 2e-5);
}

TEST(Cci, MatchesTheMeanDeviationFormula) {
    KindRun run(25, 511, test::wavyBar);
    ASSERT_EQ(run.draw(300), 0);
    std::vector<double> typical = test::rows(), average = test::rows(), deviation = test::rows(),
                        cci = test::rows();
    const BarWindow& bars = *run.bars;
    for (int j = 1; j < 512; ++j)
        typical[at(j)] = (double{bars[at(j)].high} + bars[at(j)].low + bars[at(j)].close) / 3;
    for (int i = 21; i < 512; ++i) {
        for (int k = i - 19; k <= i; ++k) average[at(i)] += typical[at(k)] / 20;
        for (int k = i - 19; k <= i; ++k)
            deviation[at(i)] += std::fabs(typical[at(k)] - average[at(i)]) / 20;
        cci[at(i)] = (typical[at(i)] - average[at(i)]) / (0.015 * deviation[at(i)]);
    }
    test::expectColumn(run, 3, typical, 1, 2e-5);
    test::expectColumn(run, 2, average, 21, 2e-5);
    test::expectColumn(run, 1, deviation, 21, 1e-5);
    test::expectColumn(run, 0, cci, 21, 2e-3);
    EXPECT_EQ(run.at(20, 0), 0.0f);
}

TEST(Cci, HandWorkedAndFaultingWindows) {
    // Typical prices 1, 2, 3 over three bars: average 2, mean deviation 2/3, so
    // (3 - 2) / (0.015 * 2/3) = 100. Equal typical prices have no deviation; length 0 has no
    // bars.
    struct Case {
        float a, b, c;
        float length;
        bool drawn;
    };
    for (const Case c : {Case{1, 2, 3, 3, true}, Case{3, 2, 1, 3, true}, Case{2, 2, 2, 3, false},
                         Case{1, 2, 3, 0.5f, false}, Case{1, 2, 3, -3, false}}) {
        SCOPED_TRACE(testing::Message() << c.a << c.b << c.c << " " << c.length);
        KindRun run(25, 4, [c](int slot) {
            const float typical = slot == 509 ? c.a : slot == 510 ? c.b : c.c;
            PriceBar b = test::closeBar(typical);
            b.high = b.low = typical;
            return b;
        });
        run.indicator->Params[0] = c.length;
        ASSERT_EQ(run.draw(1).has_value(), c.drawn);
        if (c.drawn) {
            EXPECT_NEAR(run.at(511, 0), c.c > c.a ? 100 : -100, 1e-3);
        }
    }
}

} // namespace
} // namespace qm

// The volatility, Wilder's ADX, the Williams accumulation/distribution line, the intraday
// intensity line and the volume histogram against hand-worked fixtures and double-precision
// forms of their formulas.

#include "KindRun.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

using test::at;
using test::KindRun;

// sqrt(F * sample variance) of the `span` ratios up to each row from f + m on, with a ratio of
// 0 where the price before is 0; two passes, the mean first.
std::vector<double> volatility(const BarWindow& bars, int f, int span, double factor) {
    std::vector<double> ratio = test::rows(), out = test::rows();
    for (int j = f + 1; j < 512; ++j) {
        const double previous = bars[at(j - 1)].close;
        ratio[at(j)] = previous == 0 ? 0 : bars[at(j)].close / previous;
    }
    for (int i = f + span; i < 512; ++i) {
        double mean = 0, squares = 0;
        for (int j = i - span + 1; j <= i; ++j) mean += ratio[at(j)] / span;
        for (int j = i - span + 1; j <= i; ++j)
            squares += (ratio[at(j)] - mean) * (ratio[at(j)] - mean);
        out[at(i)] = std::sqrt(factor * squares / (span - 1));
    }
    return out;
}

TEST(Volatility, AnnualisedDeviationOfPriceRatios) {
    KindRun run(21, 511, test::wavyBar);
    ASSERT_EQ(run.draw(400), 0);
    test::expectColumn(run, 0, volatility(*run.bars, 1, 18, 250), 0, 1e-6);
    for (int i = 1; i < 512; ++i) ASSERT_EQ(run.at(i, 3), (*run.bars)[at(i)].close);
}

TEST(Volatility, AlternatingRatiosByInterval) {
    // Ratios alternating 1.01 and 0.99: S = 18 * 0.01^2 = 0.0018 over 17, by bars a year; an
    // interval code the loader never makes counts as daily.
    const auto bar = [](int slot) {
        double price = 100;
        for (int k = 1; k <= slot - 400; ++k) price *= k % 2 ? 1.01 : 0.99;
        return test::closeBar(static_cast<float>(price));
    };
    for (const auto& [interval, expected] :
         {std::pair{0, 0.162698}, {1, 0.0742016}, {2, 0.0356453}, {9, 0.162698}}) {
        KindRun run(21, 112, bar);
        ASSERT_EQ(run.draw(50, 5, static_cast<std::uint8_t>(interval)), 0);
        for (int i = 400 + 18; i < 512; ++i)
            ASSERT_NEAR(run.at(i, 0), expected, 2e-4 * expected) << interval << " " << i;
    }
}

TEST(Volatility, SteadyGrowthHasNone) {
    KindRun run(21, 200, [](int slot) {
        return test::closeBar(static_cast<float>(10 * std::pow(1.01, slot - 312)));
    });
    ASSERT_EQ(run.draw(100), 0);
    for (int i = 312 + 18; i < 512; ++i) ASSERT_NEAR(run.at(i, 0), 0, 2e-5) << i;
}

TEST(Volatility, ZeroPriceCountsAsAFallOfAllOfIt) {
    // Span 3 over prices 10, 10, 0, 10: ratios 1, 0 (onto 0) and 0 (from 0): mean 1/3, sample
    // variance 1/3, so sqrt(250 / 3).
    KindRun run(21, 5, [](int slot) { return test::closeBar(slot == 510 ? 0.0f : 10.0f); });
    run.indicator->Params[0] = 3;
    ASSERT_EQ(run.draw(2), 0);
    EXPECT_NEAR(run.at(511, 0), std::sqrt(250.0 / 3), 1e-4);
    KindRun longer(21, 300,
                   [](int slot) { return test::closeBar(slot % 50 ? 20.0f + slot % 7 : 0.0f); });
    ASSERT_TRUE(longer.draw(100));
    test::expectColumn(longer, 0, volatility(*longer.bars, 212, 18, 250), 0, 1e-4);
}

TEST(Volatility, SpanOfOneFaultsAndNoneGivesZero) {
    KindRun one(21, 100, test::wavyBar);
    one.indicator->Params[0] = 1;
    EXPECT_EQ(one.draw(50), std::nullopt);
    KindRun none(21, 100, test::wavyBar);
    none.indicator->Params[0] = 0.5f;
    ASSERT_EQ(none.draw(50), 0);
    for (int i = 0; i < 512; ++i) ASSERT_EQ(none.at(i, 0), 0.0f) << i;
}

struct Adx {
    std::vector<double> adx = test::rows(), plus = test::rows(), minus = test::rows(),
                        dx = test::rows();
};

// Wilder's ADX as the average of each bar's directional share of its true range.
Adx adxOf(const BarWindow& bars, int f, int length) {
    std::vector<double> up = test::rows(), down = test::rows();
    const int s = f + length - 1;
    for (int j = s + 1; j < 512; ++j) {
        const PriceBar& p = bars[at(j - 1)];
        const PriceBar& b = bars[at(j)];
        double u = 0, d = 0;
        if (b.high > p.high && b.low >= p.low) {
            u = b.high - double{p.high};
        } else if (b.low < p.low && b.high <= p.high) {
            d = double{p.low} - b.low;
        } else if (b.high > p.high && b.low < p.low) {
            u = b.high - double{p.high};
            d = double{p.low} - b.low;
            if (u < d) u = 0;
            if (d < u) d = 0;
        }
        const double range = std::max({double{b.high} - b.low, std::fabs(double{b.high} - p.close),
                                       std::fabs(double{b.low} - p.close)});
        up[at(j)] = u > d ? u / range * 100 : 0;
        down[at(j)] = d > u ? d / range * 100 : 0;
    }
    Adx r;
    const int e = s + length;
    for (int k = s + 1; k <= e; ++k) {
        r.plus[at(e)] += up[at(k)] / length;
        r.minus[at(e)] += down[at(k)] / length;
    }
    for (int i = e; i < 512; ++i) {
        if (i > e) {
            r.plus[at(i)] = ((length - 1) * r.plus[at(i - 1)] + up[at(i)]) / length;
            r.minus[at(i)] = ((length - 1) * r.minus[at(i - 1)] + down[at(i)]) / length;
        }
        r.dx[at(i)] =
            std::fabs(r.plus[at(i)] - r.minus[at(i)]) / (r.plus[at(i)] + r.minus[at(i)]) * 100;
        r.adx[at(i)] =
            i == e ? r.dx[at(i)] : ((length - 1) * r.adx[at(i - 1)] + r.dx[at(i)]) / length;
    }
    return r;
}

TEST(WilderAdx, MatchesTheAveragedDirectionalShares) {
    for (const int length : {14, 5}) {
        KindRun run(27, 511, test::wavyBar);
        run.indicator->Params[0] = static_cast<float>(length);
        ASSERT_EQ(run.draw(400), 0);
        const Adx expected = adxOf(*run.bars, 1, length);
        test::expectColumn(run, 1, expected.plus, 0, 1e-4);
        test::expectColumn(run, 2, expected.minus, 0, 1e-4);
        test::expectColumn(run, 3, expected.dx, 0, 2e-4);
        test::expectColumn(run, 0, expected.adx, 0, 2e-4);
    }
}

TEST(WilderAdx, SteadyRiseIsAllPlusFromTheFirstRow) {
    // Every bar a higher high and a higher low: -DI 0, DX and ADX 100. With L = 14 the first
    // values are at f + 27 and the rows before are 0.
    KindRun run(27, 60, [](int slot) {
        PriceBar b = test::closeBar(static_cast<float>(slot));
        b.high = b.close + 1;
        b.low = b.close - 1;
        return b;
    });
    ASSERT_EQ(run.draw(40), 0);
    const int f = 452;
    for (int j = 0; j < 4; ++j) EXPECT_EQ(run.at(f + 26, j), 0.0f) << j;
    for (int i = f + 27; i < 512; ++i) {
        // A move of 1 in a true range of 2 (from the previous close to the high).
        ASSERT_NEAR(run.at(i, 1), 50, 1e-4) << i;
        ASSERT_EQ(run.at(i, 2), 0.0f) << i;
        ASSERT_FLOAT_EQ(run.at(i, 3), 100) << i;
        ASSERT_FLOAT_EQ(run.at(i, 0), 100) << i;
    }
}

TEST(WilderAdx, OutsideBarWithEqualMovesAddsNothing) {
    // L = 2: moves from bar f + 2, first values at f + 3. Bar f + 2 reaches 1 higher and 1
    // lower than bar f + 1 (neither counts); bar f + 3 rises 1 in a true range of 4.
    const auto bar = [](int slot) {
        const float highs[4] = {10, 10, 11, 12}, lows[4] = {8, 8, 7, 8}, closes[4] = {9, 9, 9, 11};
        PriceBar b = test::closeBar(closes[slot - 508]);
        b.high = highs[slot - 508];
        b.low = lows[slot - 508];
        return b;
    };
    KindRun run(27, 4, bar);
    run.indicator->Params[0] = 2;
    ASSERT_EQ(run.draw(1), 0);
    EXPECT_FLOAT_EQ(run.at(511, 1), 12.5f);
    EXPECT_EQ(run.at(511, 2), 0.0f);
    EXPECT_FLOAT_EQ(run.at(511, 3), 100);
    EXPECT_FLOAT_EQ(run.at(511, 0), 100);
}

TEST(WilderAdx, NoDirectionalMoveOrNoLengthSkipsTheIndicator) {
    const auto equalBars = [](int) {
        PriceBar b = test::closeBar(20);
        b.high = 21;
        b.low = 19;
        return b;
    };
    for (const auto& [length, bar] : {std::pair<float, PriceBar (*)(int)>{14, +equalBars},
                                      {0.5f, test::wavyBar},
                                      {-3, test::wavyBar}}) {
        KindRun run(27, 100, bar);
        run.indicator->Params[0] = length;
        EXPECT_EQ(run.draw(50), std::nullopt) << length;
    }
}

TEST(WilliamsAccumulation, EachBarAddsItsAccumulationOrTakesItsDistribution) {
    struct Case {
        float high, low, close;
        float line, accumulation, distribution;
    };
    // After a close of 10: rises to 11 count from the lower of the previous close and the low,
    // falls to 9 from the higher of the previous close and the high; an unchanged close adds 0.
    for (const Case c : {Case{11, 10, 11, 11, 1, 0}, Case{11, 10.5f, 11, 11, 1, 0},
                         Case{11, 9.5f, 11, 11.5f, 1.5f, 0}, Case{9.5f, 9, 9, 9, 0, 1},
                         Case{11.5f, 9, 9, 7.5f, 0, 2.5f}, Case{11, 9, 10, 10, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << c.high << " " << c.low << " " << c.close);
        KindRun run(28, 2, [c](int slot) {
            PriceBar b = test::closeBar(10);
            b.high = 10.5f;
            b.low = 9.5f;
            if (slot == 511) {
                b.high = c.high;
                b.low = c.low;
                b.close = c.close;
            }
            return b;
        });
        ASSERT_EQ(run.draw(1), 0);
        EXPECT_EQ(run.at(510, 0), 10.0f); // the first close
        EXPECT_EQ(run.at(511, 0), c.line);
        EXPECT_EQ(run.at(511, 1), c.accumulation);
        EXPECT_EQ(run.at(511, 2), c.distribution);
        EXPECT_EQ(run.at(509, 0), 0.0f);
    }
}

TEST(IntradayIntensity, VolumeWeightedByTheCloseInTheRange) {
    struct Case {
        float high, low, close, volume;
        float amount;
    };
    // The first bar (12, 10, 11.5, 1000) adds 500; the second as listed. A bar without a range
    // repeats the amount before it; a series without volume stays 0.
    for (const Case c :
         {Case{12, 10, 11.5f, 1000, 500}, Case{12, 10, 10, 1000, -1000}, Case{12, 10, 12, 200, 200},
          Case{11, 11, 11, 300, 500}, Case{12, 10, 11, 1000, 0}}) {
        SCOPED_TRACE(c.close);
        KindRun run(29, 2, [c](int slot) {
            PriceBar b{0, 0, 12, 10, 11.5f, 1000, 0};
            if (slot == 511) b = PriceBar{0, 0, c.high, c.low, c.close, c.volume, 0};
            return b;
        });
        ASSERT_EQ(run.draw(1), 0);
        EXPECT_EQ(run.at(510, 1), 500.0f);
        EXPECT_EQ(run.at(511, 1), c.amount);
        EXPECT_EQ(run.at(511, 0), 500.0f + c.amount);
    }
    KindRun noVolume(29, 50, [](int slot) {
        PriceBar b = test::wavyBar(slot);
        b.volume = 0;
        return b;
    });
    ASSERT_EQ(noVolume.draw(20), 0);
    for (int i = 0; i < 512; ++i) ASSERT_EQ(noVolume.at(i, 0), 0.0f) << i;
}

TEST(Volume, BarsOnShowWithTheirDirection) {
    // Closes 5, 6, 6, 4, 4, 7 in slots 506..511: up, unchanged (up), down, unchanged, up.
    const auto bar = [](int slot) {
        const float closes[6] = {5, 6, 6, 4, 4, 7};
        PriceBar b = test::closeBar(closes[slot - 506]);
        b.volume = static_cast<float>(slot);
        return b;
    };
    const float directions[6] = {1, 1, 1, -1, 1, 1}; // the first against the empty slot's 0
    // The chart shows fewer bars than the window holds; a larger count stops at the first bar.
    for (const auto& [shown, first] : {std::pair{3, 508},
                                       {5, 506},
                                       {6, 506},
                                       {600, 506},
                                       {INT_MAX, 506},
                                       {0, 511},
                                       {-4, 512},
                                       {INT_MIN, 512}}) {
        SCOPED_TRACE(shown);
        KindRun run(30, 6, bar);
        run.indicator->ShownBars = shown;
        run.indicator->ValidBars = 6;
        int shortfall = -1;
        run.indicator->Compute(*run.bars, *run.out, shortfall);
        EXPECT_EQ(shortfall, 0);
        for (int i = 0; i < 512; ++i) {
            const bool written = i >= first;
            ASSERT_EQ(run.at(i, 0), written ? static_cast<float>(i) : 0.0f) << i;
            ASSERT_EQ(run.at(i, 1), written ? directions[i - 506] : 0.0f) << i;
        }
    }
}

} // namespace
} // namespace qm

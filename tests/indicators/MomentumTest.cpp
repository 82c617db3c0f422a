// MACD, TRIX, the detrended moving average, the regression line slope and the rate of change
// against hand-worked fixtures and double-precision forms of their formulas.

#include "KindRun.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

using test::at;
using test::KindRun;

double closeOf(const KindRun& run, int i) {
    return (*run.bars)[at(i)].close;
}

// E(i) = a x(i) + (1 - a) E(i - 1) from `seed` in row first - 1.
std::vector<double> expAverage(const std::vector<double>& x, int first, double length,
                               double seed) {
    std::vector<double> e = test::rows();
    const double alpha = 2.0 / (length + 1.0);
    double previous = seed;
    for (int i = first; i < 512; ++i)
        previous = e[at(i)] = alpha * x[at(i)] + (1 - alpha) * previous;
    return e;
}

std::vector<double> closes(const KindRun& run) {
    std::vector<double> c = test::rows();
    for (int i = 0; i < 512; ++i) c[at(i)] = closeOf(run, i);
    return c;
}

TEST(Macd, AveragesStartFromZeroAndTheSignalFromTheFirstMacd) {
    for (const auto& [n, shown, shortfall] : {std::tuple{511, 400, 0}, {200, 180, 6}}) {
        SCOPED_TRACE(n);
        KindRun run(16, n, test::wavyBar);
        const int f = 512 - n;
        run.indicator->PriceField = 0;        // not used: MACD is always on the close
        (*run.bars)[at(f - 1)].close = 47.5f; // left by an earlier fill; the averages start from 0
        ASSERT_EQ(run.draw(shown), shortfall);
        const std::vector<double> fast = expAverage(closes(run), f, 12, 0);
        const std::vector<double> slow = expAverage(closes(run), f, 26, 0);
        std::vector<double> macd = test::rows();
        for (int i = f; i < 512; ++i) macd[at(i)] = fast[at(i)] - slow[at(i)];
        const std::vector<double> signal = expAverage(macd, f, 9, macd[at(f)]);
        // The averages of closes near 50 carry a few units in the last place of 50.
        test::expectColumn(run, 0, macd, f, 1e-4);
        test::expectColumn(run, 1, signal, f, 1e-4);
        test::expectColumn(run, 2, macd, f, 1e-4);
        // The row before the first bar keeps the signal's seed.
        EXPECT_NEAR(run.at(f - 1, 0), macd[at(f)], 1e-5);
        EXPECT_NEAR(run.at(f - 1, 2), macd[at(f)], 1e-5);
        EXPECT_EQ(run.at(f - 1, 1), 0.0f);
    }
}

TEST(Macd, ConstantCloseGivesAPositiveMacdThatDiesAway) {
    KindRun run(16, 300, [](int) { return test::closeBar(50); });
    ASSERT_EQ(run.draw(200), 0);
    // One bar in: 50 (2/13 - 2/27); the signal starts there too.
    EXPECT_NEAR(run.at(212, 0), 50 * (2 / 13.0 - 2 / 27.0), 1e-5);
    EXPECT_NEAR(run.at(212, 1), run.at(212, 0), 1e-5);
    for (int i = 213; i < 512; ++i) ASSERT_GT(run.at(i, 0), -1e-4) << i;
    EXPECT_NEAR(run.at(511, 0), 0, 1e-4);
    EXPECT_NEAR(run.at(511, 1), 0, 1e-4);
}

TEST(Trix, TripleAverageSeededWithTheFirstClose) {
    KindRun run(20, 300, test::wavyBar);
    ASSERT_EQ(run.draw(250), 0);
    const int f = 212;
    const double seed = closeOf(run, f);
    const std::vector<double> first = expAverage(closes(run), f, 11, seed);
    const std::vector<double> second = expAverage(first, f, 11, seed);
    const std::vector<double> third = expAverage(second, f, 11, seed);
    std::vector<double> trix = test::rows();
    for (int i = f + 1; i < 512; ++i) trix[at(i)] = (third[at(i)] / third[at(i - 1)] - 1) * 100;
    test::expectColumn(run, 3, first, f, 1e-4);
    test::expectColumn(run, 2, second, f, 1e-4);
    test::expectColumn(run, 1, third, f, 1e-4);
    test::expectColumn(run, 0, trix, f, 5e-5);
    EXPECT_EQ(run.at(f, 0), 0.0f);
}

TEST(Trix, ZeroAverageInTheRowBeforeSkipsTheIndicator) {
    // A first close of 0 seeds every average with 0, and the first change divides by it.
    KindRun run(20, 50, [](int slot) { return test::closeBar(slot == 462 ? 0.0f : 20.0f); });
    EXPECT_EQ(run.draw(10), std::nullopt);
}

TEST(DetrendedAverage, SubtractsTheAverageFromEachPriceTheSeriesHas) {
    // Closes 10, 12, 11, 15, 14 in slots 507..511, highs 1 above, lows 1 below; length 2 has
    // its first value at f + 3 = 510: averages (11 + 15) / 2 = 13 and (15 + 14) / 2 = 14.5.
    const auto bar = [](int slot) {
        const float closes[5] = {10, 12, 11, 15, 14};
        PriceBar b = test::closeBar(closes[slot - 507]);
        b.high = b.close + 1;
        b.low = b.close - 1;
        return b;
    };
    struct Case {
        std::uint8_t dataKind;
        std::uint8_t priceField;
        float row510[4];
        float row511[4];
    };
    for (const Case c : {Case{5, 2, {3, 1, 2, 13}, {0.5f, -1.5f, -0.5f, 14.5f}},
                         Case{3, 2, {3, 1, 2, 13}, {0.5f, -1.5f, -0.5f, 14.5f}},
                         Case{2, 2, {0, 0, 2, 13}, {0, 0, -0.5f, 14.5f}},
                         Case{1, 0, {0, 0, 1, 14}, {0, 0, -1.5f, 15.5f}},
                         Case{0, 2, {0, 0, 0, 13}, {0, 0, 0, 14.5f}}}) {
        SCOPED_TRACE(testing::Message() << int{c.dataKind} << " " << int{c.priceField});
        KindRun run(22, 5, bar);
        run.indicator->Params[0] = 2;
        run.indicator->PriceField = c.priceField;
        ASSERT_EQ(run.draw(4, c.dataKind), 1);
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(run.at(510, j), c.row510[j]) << j;
            EXPECT_EQ(run.at(511, j), c.row511[j]) << j;
            for (int i = 506; i < 510; ++i) EXPECT_EQ(run.at(i, j), 0.0f) << i;
        }
    }
}

TEST(DetrendedAverage, LengthBelowOneSkipsTheIndicator) {
    for (const float length : {0.5f, -3.0f}) {
        KindRun run(22, 100, test::wavyBar);
        run.indicator->Params[0] = length;
        EXPECT_EQ(run.draw(50), std::nullopt) << length;
    }
}

TEST(RegressionSlope, EveryLineStartsAfterTheLongest) {
    KindRun run(23, 300, test::wavyBar);
    run.indicator->SetLineCount(2);
    run.indicator->Params = {21, 55, 5, 0}; // the third length is not drawn and does not count
    run.indicator->PriceField = 1;
    ASSERT_EQ(run.draw(260), 260 + 55 - 300);
    const int start = 212 + 55;
    for (const auto& [line, length] : {std::pair{0, 21}, {1, 55}}) {
        std::vector<double> expected = test::rows();
        for (int i = start; i < 512; ++i)
            expected[at(i)] = test::leastSquares(*run.bars, 1, i, length).slope;
        test::expectColumn(run, line, expected, start - 2, 1e-6);
    }
    for (int i = 212; i < 512; ++i) ASSERT_EQ(run.at(i, 3), (*run.bars)[at(i)].low);
    EXPECT_EQ(run.at(start, 2), 0.0f);
}

TEST(RegressionSlope, HandWorkedSlopes) {
    struct Case {
        float y[4];
        float slope;
    };
    // 1, 2, 4, 8: x mean 2.5, y mean 3.75, covariance 11.5 over 5 = 2.3. A straight line gives
    // its own slope; a flat stretch (a halted security) gives 0 and keeps the indicator drawn.
    for (const Case c : {Case{{1, 2, 4, 8}, 2.3f}, Case{{10, 12, 14, 16}, 2},
                         Case{{16, 12, 8, 4}, -4}, Case{{7.3f, 7.3f, 7.3f, 7.3f}, 0}}) {
        SCOPED_TRACE(c.slope);
        KindRun run(23, 5,
                    [c](int slot) { return test::closeBar(slot == 507 ? 99 : c.y[slot - 508]); });
        run.indicator->Params[0] = 4;
        ASSERT_EQ(run.draw(1), 0);
        EXPECT_FLOAT_EQ(run.at(511, 0), c.slope);
    }
}

TEST(RegressionSlope, LengthOfOneBarOrLessSkipsTheIndicator) {
    for (const float length : {1.0f, 1.9f, 0.5f, -4.0f}) {
        KindRun run(23, 100, test::wavyBar);
        run.indicator->Params[0] = length;
        EXPECT_EQ(run.draw(50), std::nullopt) << length;
    }
}

TEST(RateOfChange, SmoothedPriceDifferenceTimesTen) {
    // Closes rising by 1 a bar: the 4-bar difference is 4 from row s = f + 8 on, and the 9-row
    // sum fills up until it reaches 40.
    KindRun run(26, 60, [](int slot) { return test::closeBar(static_cast<float>(slot)); });
    ASSERT_EQ(run.draw(40), 0);
    const int s = 452 + 8;
    EXPECT_EQ(run.at(s - 1, 1), 0.0f);
    EXPECT_EQ(run.at(s - 1, 0), 0.0f);
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(run.at(s + k, 1), 4.0f) << k;
        EXPECT_FLOAT_EQ(run.at(s + k, 0), 4.0f * static_cast<float>(std::min(k + 1, 9)) / 9 * 10)
            << k;
    }
}

TEST(RateOfChange, MatchesTheSumOfDifferences) {
    KindRun run(26, 511, test::wavyBar);
    run.indicator->Params = {7, 5, 0, 0};
    ASSERT_EQ(run.draw(400), 0);
    const int s = 1 + 7 - 1;
    std::vector<double> difference = test::rows(), roc = test::rows();
    for (int j = s; j < 512; ++j) difference[at(j)] = closeOf(run, j) - closeOf(run, j - 7);
    for (int i = s; i < 512; ++i) {
        for (int k = std::max(i - 4, s); k <= i; ++k) roc[at(i)] += difference[at(k)];
        roc[at(i)] = roc[at(i)] / 5 * 10;
    }
    test::expectColumn(run, 1, difference, 0, 1e-5);
    test::expectColumn(run, 0, roc, 0, 1e-4);
}

TEST(RateOfChange, LagNeverReadsBelowTheSlotBeforeTheFirstBar) {
    // With no counted length the warm-up is 0; the first row is then where the 6-bar lag
    // reaches the slot before the first bar (f - 1 + 6), and the rows before it stay 0.
    KindRun run(26, 20, [](int slot) { return test::closeBar(static_cast<float>(slot)); });
    // An earlier, longer fill of the window left closes below the slot before the first bar.
    for (int i = 470; i < 491; ++i) (*run.bars)[at(i)].close = 1000;
    run.indicator->ParamCount = 0;
    run.indicator->Params = {6, 2, 0, 0};
    ASSERT_EQ(run.draw(10), 0);
    const int f = 492;
    for (int i = 0; i < f + 5; ++i) ASSERT_EQ(run.at(i, 1), 0.0f) << i;
    EXPECT_EQ(run.at(f + 5, 1), f + 5); // less the empty slot's 0
    EXPECT_EQ(run.at(f + 6, 1), 6.0f);
}

TEST(RateOfChange, UnusableLengthsSkipTheIndicator) {
    for (const auto& [lag, span] : {std::pair{4.0f, 0.5f}, {-2.0f, 9.0f}, {4.0f, -9.0f}}) {
        KindRun run(26, 100, test::wavyBar);
        run.indicator->Params = {lag, span, 0, 0};
        EXPECT_EQ(run.draw(50), std::nullopt) << lag << " " << span;
    }
}

} // namespace
} // namespace qm

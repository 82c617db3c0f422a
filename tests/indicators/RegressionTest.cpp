#include "KindRun.h"
#include "indicators/Frame.h"
#include "indicators/Kinds.h"
#include "market/MessageSink.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

using test::at;
using test::compute;
using test::Computed;
using test::singleTolerance;

// The definitions computed another way, in double precision, straight from the window.

double mean(const std::vector<double>& v) {
    double sum = 0;
    for (const double x : v) sum += x;
    return sum / static_cast<double>(v.size());
}

// Sample standard deviation, two passes.
double sampleDeviation(const std::vector<double>& v) {
    const double m = mean(v);
    double squares = 0;
    for (const double x : v) squares += (x - m) * (x - m);
    return std::sqrt(squares / static_cast<double>(v.size() - 1));
}

std::vector<double> closes(const BarWindow& bars, int last, int length) {
    std::vector<double> v;
    for (int i = last - length + 1; i <= last; ++i) v.push_back(bars[at(i)].close);
    return v;
}

// The indicator as a drawing computes it: nothing when it is skipped, else its shortfall.
std::optional<int> draw(TOscObj& o, int n, int shown,
                        const std::function<PriceBar(int)>& bar = test::wavyBar) {
    auto bars = test::makeWindow(n, bar);
    auto out = test::makeTable();
    SilentSink sink;
    return computeForDrawing(o, *bars, *out, ChartFacts{shown, n, 5, 0}, sink);
}

// Closes from a list, oldest first, ending at slot 511.
std::function<PriceBar(int)> closesEnding(std::vector<float> values) {
    return [values](int slot) {
        const int k = slot - (512 - static_cast<int>(values.size()));
        return test::closeBar(k >= 0 ? values[at(k)] : 1000.0f);
    };
}

// Rows [first, 511] of `column` are set, the rows before it are 0.
void expectSegment(const Computed& r, int column, int first) {
    EXPECT_EQ(r.at(first - 1, column), 0.0f) << "column " << column;
    for (int i = first; i < 512; ++i) ASSERT_NE(r.at(i, column), 0.0f) << i;
}

TEST(RegressionLines, MatchLeastSquaresOverTheNewestBars) {
    auto o = TOscObj::Create(11); // three lines 21, 34, 55 computed
    o->PriceField = 1;            // low
    const Computed r = compute(*o, 511, 400);
    EXPECT_EQ(r.shortfall, 0);
    EXPECT_EQ(o->ShownBars, 400);
    const int lengths[3] = {21, 34, 55};
    for (int j = 0; j < 3; ++j) {
        const int first = 512 - lengths[j];
        expectSegment(r, j, first);
        for (int x = 1; x <= lengths[j]; ++x) {
            const double expected = test::leastSquares(*r.bars, 1, 511, lengths[j]).at(x);
            ASSERT_NEAR(r.at(first + x - 1, j), expected, singleTolerance(expected)) << x;
        }
    }
}

TEST(RegressionLines, LongerThanTheDataTakesOneBarLess) {
    struct Case {
        int n;
        int lengths[3];
    };
    // The longest counted length, capped at n, decides: a line longer than that cap takes
    // n - 1 bars, a line exactly as long as the data takes them all.
    for (const Case c : {Case{30, {21, 29, 29}}, Case{34, {21, 34, 33}}, Case{55, {21, 34, 55}},
                         Case{511, {21, 34, 55}}, Case{2, {1, 1, 1}}}) {
        SCOPED_TRACE(c.n);
        auto o = TOscObj::Create(11);
        // A straight line of prices, y = 10 + 2x: each fitted line gives the prices back.
        const Computed r = compute(*o, c.n, 20, [](int slot) {
            return test::closeBar(10.0f + 2.0f * static_cast<float>(slot));
        });
        EXPECT_EQ(r.shortfall, 0);
        for (int j = 0; j < 3; ++j) {
            const int first = 512 - c.lengths[j];
            expectSegment(r, j, first);
            for (int i = first; i < 512; ++i)
                ASSERT_NEAR(r.at(i, j), 10.0 + 2.0 * i, singleTolerance(10.0 + 2.0 * i)) << i;
        }
    }
}

TEST(RegressionLines, HandWorkedValues) {
    struct Case {
        std::vector<float> y; // closes of slots 509..511
        int length;
        float expected[3]; // rows 509..511
    };
    // y = 1, 2, 4: slope 3/2, intercept -2/3. Equal prices give a flat line at the price, one
    // bar gives the price itself: neither divides by zero.
    for (const Case& c : {Case{{1, 2, 4}, 3, {5.0f / 6, 7.0f / 3, 23.0f / 6}},
                          Case{{7.3f, 7.3f, 7.3f}, 3, {7.3f, 7.3f, 7.3f}},
                          Case{{1, 2, 4}, 2, {0, 2, 4}}, Case{{1, 2, 4}, 1, {0, 0, 4}}}) {
        SCOPED_TRACE(c.length);
        auto o = TOscObj::Create(11);
        o->ParamCount = 1;
        o->Params[0] = static_cast<float>(c.length);
        const Computed r = compute(*o, 4, 4, closesEnding(c.y));
        EXPECT_EQ(r.at(508, 0), 0.0f);
        for (int k = 0; k < 3; ++k) EXPECT_FLOAT_EQ(r.at(509 + k, 0), c.expected[k]) << k;
    }
}

TEST(RegressionLines, DrawingSkipsOnlyWhenThereIsNothingToFit) {
    struct Case {
        float length;
        int n;
        bool drawn;
    };
    const auto flat = [](int) { return test::closeBar(25.0f); };
    for (const Case c :
         {Case{0.5f, 100, false}, Case{-3, 100, false}, Case{21, 1, false}, Case{21, 0, false},
          Case{1, 100, true}, Case{21, 2, true}, Case{21, 100, true}}) {
        SCOPED_TRACE(testing::Message() << c.length << " n " << c.n);
        auto o = TOscObj::Create(11);
        o->ParamCount = 1;
        o->Params[0] = c.length;
        EXPECT_EQ(draw(*o, c.n, 50, flat).has_value(), c.drawn);
    }
}

// Kind 12 against the formula: a triangular average of the close and bands at a multiple of
// the sample deviation of the one-bar close ratios.
TEST(DeviationBands, MatchTheFormulaAfterTheWarmUp) {
    auto o = TOscObj::Create(12); // 13, 21, 1.25, 1.5
    const Computed r = compute(*o, 511, 400);
    EXPECT_EQ(r.shortfall, 0);
    const int start = 1 + 21;
    EXPECT_EQ(r.at(start - 1, 2), 0.0f);
    EXPECT_EQ(r.at(start, 0), 0.0f); // the bands begin one row after the centre
    for (int i = start; i < 512; ++i) {
        double weighted = 0, weights = 0;
        for (int k = 0; k < 13; ++k) {
            const double w = (k < 7 ? k + 1 : 13 - k) / 13.0;
            weighted += w * (*r.bars)[at(i - k)].close;
            weights += w;
        }
        const double centre = weighted / weights;
        ASSERT_NEAR(r.at(i, 2), centre, singleTolerance(centre)) << i;
        ASSERT_EQ(r.at(i, 3), (*r.bars)[at(i)].close) << i;
        if (i == start) continue;
        std::vector<double> ratios;
        for (int k = i - 20; k <= i; ++k)
            ratios.push_back((*r.bars)[at(k)].close /
                             static_cast<double>((*r.bars)[at(k - 1)].close));
        const double sd = sampleDeviation(ratios);
        const double upper = (1 + 1.25 * sd) * centre;
        const double lower = (1 - 1.5 * sd) * centre;
        ASSERT_NEAR(r.at(i, 0), upper, 2 * singleTolerance(upper)) << i;
        ASSERT_NEAR(r.at(i, 1), lower, 2 * singleTolerance(lower)) << i;
    }
}

TEST(DeviationBands, CentreWeights) {
    struct Case {
        float length;
        std::vector<float> y; // closes of slots 508..511
        double expected;      // centre at row 511
    };
    // Four bars: weights 1/4, 3/4, 3/4, 1/4 summing to 2. Three bars or fewer: the constants
    // 0.333, 0.667, 0.333, not thirds (thirds would give 6.75).
    const double fixed = (0.333 * 3 + 0.667 * 6 + 0.333 * 12) / 1.333;
    for (const Case& c : {Case{4, {10, 20, 30, 40}, 25}, Case{3, {99, 3, 6, 12}, fixed},
                          Case{2, {99, 3, 6, 12}, fixed}, Case{0.5f, {99, 3, 6, 12}, fixed},
                          Case{-7, {99, 3, 6, 12}, fixed}}) {
        SCOPED_TRACE(c.length);
        auto o = TOscObj::Create(12);
        o->Params = {c.length, 0, 0, 0};
        o->ParamCount = 1;
        const Computed r = compute(*o, 5, 1, closesEnding(c.y));
        EXPECT_FLOAT_EQ(r.at(511, 2), static_cast<float>(c.expected));
        // The record keeps the shortest length from then on.
        EXPECT_EQ(o->Params[0], c.length <= 3 ? 3.0f : c.length);
    }
}

TEST(DeviationBands, EqualRatiosGiveBandsOnTheCentre) {
    // Each close 1.01 times the one before, built so every single-precision ratio is the same.
    // The deviation is 0 up to the rounding of the running mean (3r / 3 need not give r back),
    // so the bands lie within a few units in the last place of the centre.
    std::vector<float> y{100.0f};
    while (y.size() < 60) y.push_back(y.back() * 1.01f);
    for (std::size_t k = 1; k < y.size(); ++k) ASSERT_EQ(y[k] / y[k - 1], y[1] / y[0]) << k;
    auto o = TOscObj::Create(12);
    const Computed r = compute(*o, 60, 30, closesEnding(y));
    for (int i = 452 + 22; i < 512; ++i) {
        ASSERT_GT(r.at(i, 2), 100.0f);
        ASSERT_FLOAT_EQ(r.at(i, 0), r.at(i, 2)) << i;
        ASSERT_FLOAT_EQ(r.at(i, 1), r.at(i, 2)) << i;
    }
}

TEST(DeviationBands, DeviationLength) {
    // One ratio has no sample deviation: 0 / 0, not drawn. No ratio at all leaves the bands on
    // the centre.
    auto one = TOscObj::Create(12);
    one->Params[1] = 1;
    EXPECT_EQ(draw(*one, 100, 50), std::nullopt);

    auto none = TOscObj::Create(12);
    none->Params[1] = 0;
    const Computed r = compute(*none, 100, 50);
    for (int i = 412 + 14; i < 512; ++i) {
        ASSERT_EQ(r.at(i, 0), r.at(i, 2)) << i;
        ASSERT_EQ(r.at(i, 1), r.at(i, 2)) << i;
    }
}

TEST(BreakoutChannel, HighestHighAndLowestLowOfTheBarsBefore) {
    const std::vector<std::array<float, 2>> hl{{10, 8}, {12, 9}, {11, 7}, {13, 10}, {20, 15}};
    const auto bar = [&hl](int slot) {
        PriceBar b;
        b.high = hl[at(slot - 507)][0];
        b.low = hl[at(slot - 507)][1];
        b.close = b.high;
        return b;
    };
    struct Case {
        float length;
        float top, bottom; // row 511
    };
    // The breakout bar 511 closes at 20, above its channel of the bars before it; with length
    // 0 the channel is the bar's own range.
    for (const Case c : {Case{3, 13, 7}, Case{4, 13, 7}, Case{1, 13, 10}, Case{0, 20, 15}}) {
        SCOPED_TRACE(c.length);
        auto o = TOscObj::Create(13);
        o->Params[0] = c.length;
        const Computed r = compute(*o, 5, 1, bar);
        EXPECT_EQ(r.at(511, 0), c.top);
        EXPECT_EQ(r.at(511, 1), c.bottom);
        const int first = 507 + static_cast<int>(c.length);
        EXPECT_EQ(r.at(first - 1, 0), 0.0f);
        EXPECT_NE(r.at(first, 0), 0.0f);
    }
}

TEST(BreakoutChannel, AnUncountedLengthStillWarmsUp) {
    // A record whose parameter count leaves the length out (written elsewhere) would read the
    // empty slots below the data; the length becomes its warm-up instead.
    for (const int count : {0, 1}) {
        auto o = TOscObj::Create(13);
        o->ParamCount = count;
        const Computed r = compute(*o, 100, 90);
        EXPECT_EQ(r.shortfall, 10) << count;
        EXPECT_EQ(r.at(431, 0), 0.0f) << count;
        EXPECT_NE(r.at(432, 1), 0.0f) << count;
    }
}

// Error bound of the single-precision deviation: the sum of squares of E prices and the
// square of their sum each carry a few units in the last place of Q = sum of squares, which
// cancel in Q - T^2 / E; the square root halves the relative error of a large variance.
double bandTolerance(double squares, int e, double sd, double centre) {
    const double varianceError = (e + 2) * 1.2e-7 * squares / (e - 1);
    return varianceError / (2 * sd) + singleTolerance(centre);
}

TEST(BollingerBands, MatchMeanAndSampleDeviationAfterTheWarmUp) {
    auto bands = TOscObj::Create(14);
    auto width = TOscObj::Create(15);
    const Computed r = compute(*bands, 511, 300);
    const Computed w = compute(*width, 511, 300);
    EXPECT_EQ(r.shortfall, 0);
    EXPECT_EQ(r.at(21, 0), 0.0f);
    for (int i = 22; i < 512; ++i) {
        const std::vector<double> window = closes(*r.bars, i, 21);
        const double centre = mean(window);
        const double sd = sampleDeviation(window);
        double squares = 0;
        for (const double y : window) squares += y * y;
        const double tolerance = 2 * bandTolerance(squares, 21, sd, centre);
        ASSERT_NEAR(r.at(i, 2), centre, singleTolerance(centre)) << i;
        ASSERT_NEAR(r.at(i, 0), centre + 2 * sd, tolerance) << i;
        ASSERT_NEAR(r.at(i, 1), centre - 2 * sd, tolerance) << i;
        ASSERT_NEAR(w.at(i, 0), 4 * sd, 2 * tolerance) << i;
        ASSERT_EQ(w.at(i, 2), r.at(i, 2));
    }
}

TEST(BollingerBands, HandWorkedValues) {
    struct Case {
        std::vector<float> y; // closes of slots 509..511
        float average, deviation, k;
        float centre, upper, lower, width; // row 511
    };
    // 1, 2, 3: mean 2, sample variance 1; over 2, 3 alone the variance is 1/2. A constant
    // price has no deviation.
    const float rootHalf = std::sqrt(0.5f);
    const std::vector<Case> cases{
        {{1, 2, 3}, 3, 3, 2, 2, 4, 0, 4},
        {{1, 2, 3}, 2, 3, 2, 2.5f, 4.5f, 0.5f, 4},
        {{1, 2, 3}, 3, 2, 1.5f, 2, 2 + 1.5f * rootHalf, 2 - 1.5f * rootHalf, 3 * rootHalf},
        {{12.5f, 12.5f, 12.5f}, 3, 3, 2, 12.5f, 12.5f, 12.5f, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.average << " " << c.deviation);
        for (const int kind : {14, 15}) {
            auto o = TOscObj::Create(kind);
            o->Params = {c.average, c.deviation, c.k, 0};
            o->ParamCount = 2;
            const Computed r = compute(*o, 4, 1, closesEnding(c.y));
            EXPECT_FLOAT_EQ(r.at(511, 2), c.centre) << kind;
            if (kind == 14) {
                EXPECT_FLOAT_EQ(r.at(511, 0), c.upper);
                EXPECT_FLOAT_EQ(r.at(511, 1), c.lower);
            } else {
                EXPECT_FLOAT_EQ(r.at(511, 0), c.width);
            }
        }
    }
}

TEST(BollingerBands, LengthsThatDivideByZeroAreNotDrawn) {
    struct Case {
        float average, deviation;
    };
    for (const Case c : {Case{21, 1}, Case{21, 0}, Case{21, -3}, Case{0, 21}, Case{-2, 21},
                         Case{0.5f, 21}, Case{21, 1.9f}}) {
        for (const int kind : {14, 15}) {
            SCOPED_TRACE(testing::Message() << kind << ": " << c.average << " " << c.deviation);
            auto o = TOscObj::Create(kind);
            o->Params = {c.average, c.deviation, 2, 0};
            EXPECT_EQ(draw(*o, 200, 100), std::nullopt);
        }
    }
    auto o = TOscObj::Create(14);
    o->Params = {21, 2, 2, 0};
    EXPECT_EQ(draw(*o, 200, 100), 0);
}

TEST(Bands, UnknownPriceFieldGivesZeroBands) {
    for (const int kind : {12, 14, 15}) {
        auto o = TOscObj::Create(kind);
        o->PriceField = 7;
        const Computed r = compute(*o, 100, 50);
        for (const auto& row : *r.out)
            for (const float v : row) ASSERT_EQ(v, 0.0f) << kind;
    }
}

} // namespace
} // namespace qm

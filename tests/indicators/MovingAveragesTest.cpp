#include "KindRun.h"
#include "indicators/Frame.h"
#include "indicators/Kinds.h"
#include "market/MessageSink.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

using test::at;
using test::compute;
using test::Computed;
using test::meanOf;
using test::priceOf;
using test::singleTolerance;

// The textbook form, in double precision, straight from the window.
std::vector<double> expAverage(const BarWindow& bars, int field, int first, double length) {
    std::vector<double> e(512, 0.0);
    const double alpha = 2.0 / (length + 1.0);
    e[at(first - 1)] = priceOf(bars[at(first - 1)], field);
    for (int i = first; i < 512; ++i)
        e[at(i)] = alpha * priceOf(bars[at(i)], field) + (1 - alpha) * e[at(i - 1)];
    return e;
}

// The least-squares line through the newest `length` prices, at the newest of them.
double regressionEnd(const BarWindow& bars, int field, int last, int length) {
    return test::leastSquares(bars, field, last, length).at(length);
}

TEST(ArithmeticAverage, DefaultLineOverAFullWindow) {
    auto o = TOscObj::Create(1);
    const Computed r = compute(*o, 511, 400);
    EXPECT_EQ(r.shortfall, 0);
    EXPECT_EQ((*r.out)[13][0], 0.0f); // before the first value at f + 13 = 14
    for (int i = 14; i < 512; ++i) {
        const double expected = meanOf(*r.bars, 2, i, 13);
        ASSERT_NEAR((*r.out)[at(i)][0], expected, singleTolerance(expected)) << i;
        ASSERT_EQ((*r.out)[at(i)][3], (*r.bars)[at(i)].close) << i;
    }
    // Row 14 averages rows 2..14 exactly as summed from the oldest.
    float sum = 0;
    for (int i = 2; i <= 14; ++i) sum += (*r.bars)[at(i)].close;
    EXPECT_EQ((*r.out)[14][0], sum / 13.0f);
}

TEST(ArithmeticAverage, AllLinesStartAfterTheLongest) {
    auto o = TOscObj::Create(1);
    o->SetLineCount(3);
    o->PriceField = 1; // low
    const Computed r = compute(*o, 200, 180);
    const int start = 312 + 55;
    EXPECT_EQ(r.shortfall, 55 + 180 - 200);
    EXPECT_EQ(o->ShownBars, 180 - 35);
    const int lengths[3] = {13, 34, 55};
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ((*r.out)[at(start - 1)][at(j)], 0.0f) << j;
        for (int i = start; i < 512; ++i) {
            const double expected = meanOf(*r.bars, 1, i, lengths[j]);
            ASSERT_NEAR((*r.out)[at(i)][at(j)], expected, singleTolerance(expected)) << i;
        }
    }
}

TEST(ArithmeticAverage, SumsFromTheOldestBar) {
    // 2^24 then two ones: summed oldest first the ones vanish in single precision.
    const auto bar = [](int slot) { return test::closeBar(slot == 509 ? 16777216.0f : 1.0f); };
    auto o = TOscObj::Create(1);
    o->Params[0] = 3;
    // A length of 3 has its first value on the fourth bar.
    const Computed r = compute(*o, 4, 1, +bar);
    EXPECT_EQ((*r.out)[510][0], 0.0f);
    EXPECT_EQ((*r.out)[511][0], 5592405.5f); // 16777216 / 3 rounded to a single
}

TEST(ArithmeticAverage, FourthParameterDoesNotOverwriteThePrice) {
    auto o = TOscObj::Create(1);
    o->ParamCount = 4;
    o->Params = {2, 3, 4, 5};
    const Computed r = compute(*o, 100, 50);
    for (int i = 412 + 5; i < 512; ++i) ASSERT_EQ((*r.out)[at(i)][3], (*r.bars)[at(i)].close);
    const double expected = meanOf(*r.bars, 2, 511, 4);
    EXPECT_NEAR((*r.out)[511][2], expected, singleTolerance(expected));
}

TEST(ExponentialAverage, SeededFromTheSlotBelowTheFirstBar) {
    for (const float leftover : {0.0f, 47.5f}) {
        SCOPED_TRACE(leftover);
        auto o = TOscObj::Create(2);
        Computed r{test::makeWindow(300, test::wavyBar)};
        (*r.bars)[211].close = leftover; // the sentinel slot keeps its date 0
        o->ValidBars = 300;
        o->ShownBars = 250;
        o->Compute(*r.bars, *r.out, r.shortfall);
        EXPECT_EQ(r.shortfall, 5);
        EXPECT_EQ((*r.out)[211][0], leftover);
        const std::vector<double> e = expAverage(*r.bars, 2, 212, 55);
        for (int i = 212; i < 512; ++i)
            ASSERT_NEAR((*r.out)[at(i)][0], e[at(i)], singleTolerance(e[at(i)])) << i;
        if (leftover == 0) {
            const float alpha = 2.0f / 56.0f;
            EXPECT_EQ((*r.out)[212][0], alpha * (*r.bars)[212].close);
        }
    }
}

TEST(ExponentialAverage, LengthIsNotTruncated) {
    auto o = TOscObj::Create(2);
    o->SetLineCount(2);
    o->Params = {13.9f, 3, 0, 0};
    const auto bar = [](int slot) {
        return test::closeBar(slot == 509 ? 2.0f : slot == 510 ? 4.0f : 8.0f);
    };
    const Computed r = compute(*o, 3, 1, +bar);
    // Length 3: alpha 1/2, so 1, 2.5, 5.25 from a zero seed.
    EXPECT_EQ((*r.out)[509][1], 1.0f);
    EXPECT_EQ((*r.out)[510][1], 2.5f);
    EXPECT_EQ((*r.out)[511][1], 5.25f);
    const float alpha = 2.0f / 14.9f;
    EXPECT_EQ((*r.out)[509][0], alpha * 2.0f);
    EXPECT_NE((*r.out)[509][0], 2.0f / 14.0f * 2.0f);
}

TEST(RegressionLine, MatchesLeastSquaresOverTheWindow) {
    auto o = TOscObj::Create(3);
    o->SetLineCount(3);
    o->PriceField = 0; // high
    const Computed r = compute(*o, 511, 300);
    EXPECT_EQ(r.shortfall, 0);
    const int lengths[3] = {21, 34, 55};
    for (int j = 0; j < 3; ++j) {
        EXPECT_EQ((*r.out)[55][at(j)], 0.0f);
        for (int i = 56; i < 512; ++i) {
            const double expected = regressionEnd(*r.bars, 0, i, lengths[j]);
            ASSERT_NEAR((*r.out)[at(i)][at(j)], expected, singleTolerance(expected)) << i;
        }
    }
}

TEST(RegressionLine, HandWorkedValues) {
    struct Case {
        float y[3];
        int length;
        float expected;
    };
    // y = 1, 2, 4: slope 3/2, intercept -2/3, value at x = 3 is 23/6.
    // A straight line gives back its newest point; equal prices or one bar give the price.
    for (const Case c :
         {Case{{1, 2, 4}, 3, 23.0f / 6.0f}, Case{{10, 12, 14}, 3, 14},
          Case{{7.3f, 7.3f, 7.3f}, 3, 7.3f}, Case{{1, 2, 4}, 1, 4}, Case{{1, 2, 4}, 2, 4}}) {
        SCOPED_TRACE(c.expected);
        static const float* ys;
        ys = c.y;
        auto o = TOscObj::Create(3);
        o->Params[0] = static_cast<float>(c.length);
        const Computed r = compute(*o, 4, 1, [](int slot) {
            return test::closeBar(slot == 508 ? 1000.0f : ys[slot - 509]);
        });
        EXPECT_FLOAT_EQ((*r.out)[511][0], c.expected);
    }
}

TEST(RegressionLine, FlatStretchesKeepTheLine) {
    // A price that does not move for a whole window (a halted or illiquid security) gives the
    // price itself, and the rest of the line is still computed.
    auto o = TOscObj::Create(3);
    const auto bar = [](int slot) {
        return test::closeBar(slot < 400 ? 25.0f : 25.0f + (slot - 400) * 0.5f);
    };
    Computed r{test::makeWindow(511, +bar)};
    ChartFacts facts{300, 511, 1, 0};
    SilentSink sink;
    EXPECT_EQ(computeForDrawing(*o, *r.bars, *r.out, facts, sink), 0);
    EXPECT_EQ((*r.out)[300][0], 25.0f);
    const double expected = regressionEnd(*r.bars, 2, 511, 21);
    EXPECT_NEAR((*r.out)[511][0], expected, singleTolerance(expected));
}

TEST(Envelope, BandsAroundAnExponentialCentre) {
    auto o = TOscObj::Create(4);
    o->Params = {13, 0.05f, 0, 0};
    const Computed r = compute(*o, 511, 400);
    EXPECT_EQ(r.shortfall, 0);
    const std::vector<double> e = expAverage(*r.bars, 2, 1, 13);
    for (int i = 1; i < 512; ++i) {
        const float centre = (*r.out)[at(i)][2];
        ASSERT_NEAR(centre, e[at(i)], singleTolerance(e[at(i)])) << i;
        ASSERT_EQ((*r.out)[at(i)][0], (1.0f + 0.05f) * centre) << i;
        ASSERT_EQ((*r.out)[at(i)][1], centre) << i;
    }
}

TEST(Envelope, DefaultsPlaceTheBandsTwoPercentOut) {
    auto o = TOscObj::Create(4);
    const Computed r = compute(*o, 50, 40);
    EXPECT_EQ(r.shortfall, 3);
    const float centre = (*r.out)[511][2];
    EXPECT_NEAR((*r.out)[511][0], centre * 1.02, singleTolerance(centre));
    EXPECT_NEAR((*r.out)[511][1], centre * 0.98, singleTolerance(centre));
}

TEST(MovingAverages, UnknownPriceFieldLeavesTheLinesAtZero) {
    for (int kind = 1; kind <= 4; ++kind) {
        auto o = TOscObj::Create(kind);
        o->PriceField = 3;
        const Computed r = compute(*o, 100, 50);
        for (const auto& row : *r.out)
            for (const float v : row) ASSERT_EQ(v, 0.0f) << kind;
    }
}

} // namespace
} // namespace qm

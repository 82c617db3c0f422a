#include "indicators/Frame.h"

#include "IndicatorTestUtil.h"
#include "indicators/Kinds.h"
#include "support/RecordingSink.h"

#include <cfenv>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace qm {
namespace {

using test::at;

TEST(Prologue, ShortfallCoversTheWarmUpOnShow) {
    struct Case {
        int n, shown, m;
        int shortfall, shownAfter;
    };
    for (const Case c :
         {Case{40, 38, 55, 53, -15}, Case{511, 400, 13, 0, 400}, Case{511, 499, 13, 1, 498},
          Case{100, 38, 0, 0, 38}, Case{30, 38, 0, 8, 30}, Case{0, 38, 13, 51, -13},
          Case{511, 38, 600, 39, -1}, Case{511, 38, -5, 0, 38},
          Case{511, INT_MAX, 512, INT_MAX, INT_MAX - INT_MAX},
          Case{511, INT_MIN, 512, 0, INT_MIN}}) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.shown << " " << c.m);
        TOscObj o;
        o.ValidBars = c.n;
        o.ShownBars = c.shown;
        int shortfall = -7;
        const ComputeFrame frame = runPrologue(o, shortfall, c.m);
        EXPECT_EQ(shortfall, c.shortfall);
        EXPECT_EQ(o.ShownBars, c.shownAfter);
        EXPECT_EQ(frame.first, 512 - c.n);
    }
}

TEST(Prologue, WarmUpIsTheLargestCountedLength) {
    TOscObj o;
    o.ValidBars = 511;
    o.ShownBars = 500;
    o.Params = {13.9f, 34, 55, 0};
    int shortfall = 0;
    for (const auto& [count, m] : {std::pair{0, 0}, {1, 13}, {3, 55}}) {
        o.ParamCount = count;
        o.ShownBars = 500;
        EXPECT_EQ(runPrologue(o, shortfall).warmUp, m) << count;
    }
}

TEST(Prologue, WindowFactsAreClampedToTheWindow) {
    TOscObj o;
    for (const auto& [valid, n] :
         {std::pair{-5, 0}, {0, 0}, {511, 511}, {512, 511}, {99999, 511}}) {
        o.ValidBars = valid;
        EXPECT_EQ(windowFrame(o).n, n) << valid;
        EXPECT_EQ(windowFrame(o).first, 512 - n) << valid;
    }
}

TEST(Lengths, TruncateTowardZeroWithinTheWindow) {
    const float inf = std::numeric_limits<float>::infinity();
    for (const auto& [value, length] : {std::pair{13.9f, 13},
                                        {0.5f, 0},
                                        {1.0f, 1},
                                        {-3.7f, -3},
                                        {250.0f, 250},
                                        {511.9f, 511},
                                        {512.0f, 512},
                                        {1e9f, 512},
                                        {3e38f, 512},
                                        {inf, 512},
                                        {-1e9f, -512},
                                        {-inf, -512}}) {
        std::feclearexcept(FE_ALL_EXCEPT);
        EXPECT_EQ(truncLength(value), length) << value;
        EXPECT_FALSE(std::fetestexcept(kFaultFlags)) << value;
    }
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(truncLength(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_TRUE(std::fetestexcept(FE_INVALID));
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(Recursions, ExponentialSmoothingRoundsBothWeightsToSingles) {
    const ExpSmoothing e(13.9f);
    EXPECT_EQ(e.alpha, 2.0f / 14.9f);
    EXPECT_EQ(e.retain, 1.0f - 2.0f / 14.9f);
    const ExpSmoothing three(3);
    EXPECT_EQ(three.alpha, 0.5f);
    EXPECT_EQ(three.next(8, 2), 5.0f);
}

TEST(Recursions, SimpleAverageSumsOldestFirst) {
    // 2^24 + 1 rounds back to 2^24 in single precision, so summing from the oldest loses both
    // ones; summing from the newest would give (2^24 + 2) / 3.
    const float values[3] = {16777216.0f, 1.0f, 1.0f};
    const auto x = [&](int i) { return values[i - 100]; };
    EXPECT_EQ(simpleAverage(x, 102, 3), 16777216.0f / 3.0f);
    EXPECT_EQ(simpleAverage(x, 102, 2), 1.0f);
}

TEST(Recursions, TriangularWeights) {
    auto expectWeights = [](int length, std::vector<float> expected) {
        const TriangularWeights t = triangularWeights(length);
        ASSERT_EQ(t.count, static_cast<int>(expected.size())) << length;
        for (std::size_t k = 0; k < expected.size(); ++k)
            EXPECT_EQ(t.w[k], expected[k]) << length << " " << k;
    };
    expectWeights(4, {0.25f, 0.75f, 0.75f, 0.25f});
    expectWeights(5, {0.2f, 0.4f, 0.6f, 0.4f, 0.2f});
    expectWeights(6, {1 / 6.0f, 2 / 6.0f, 4 / 6.0f, 4 / 6.0f, 2 / 6.0f, 1 / 6.0f});
    std::vector<float> thirteen;
    for (int k : {1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1}) thirteen.push_back(k / 13.0f);
    expectWeights(13, thirteen);
    for (int small : {3, 2, 1, 0, -4}) expectWeights(small, {0.333f, 0.667f, 0.333f});
    EXPECT_EQ(triangularWeights(100000).count, kMaxLength);
}

// A stand-in for the kinds that need a second table and cannot get it.
class NoScratch final : public TOscObj {
public:
    explicit NoScratch(std::uint8_t kind) : TOscObj(kind) {}
    void Compute(BarWindow&, OutputTable&, int& shortfall) override { shortfall = -1; }
};

class DrawingCall : public testing::Test {
protected:
    std::unique_ptr<BarWindow> bars = test::makeWindow(40, test::wavyBar);
    std::unique_ptr<OutputTable> out = test::makeTable();
    test::RecordingSink sink;
    ChartFacts facts{38, 40, 5, 1};

    std::optional<int> draw(TOscObj& o) { return computeForDrawing(o, *bars, *out, facts, sink); }
};

TEST_F(DrawingCall, SetsTheRunTimeFieldsAndReturnsTheShortfall) {
    auto average = TOscObj::Create(1);
    average->Params[0] = 55;
    (*out)[3][2] = 9; // a table left dirty by an earlier indicator
    EXPECT_EQ(draw(*average), 53);
    EXPECT_EQ(average->ShownBars, -15);
    EXPECT_EQ(average->ValidBars, 40);
    EXPECT_EQ(average->DataKind, 5);
    EXPECT_EQ(average->Interval, 1);
    EXPECT_EQ((*out)[3][2], 0.0f);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DrawingCall, ArithmeticFaultsSkipTheIndicator) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        int kind;
        float length;
    };
    for (const Case c : {Case{1, 0.5f}, Case{3, 0.9f}, Case{1, nan}, Case{2, -1.0f}, Case{4, -1.0f},
                         Case{2, nan}, Case{1, -4.0f}}) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.length);
        auto o = TOscObj::Create(c.kind);
        o->Params[0] = c.length;
        EXPECT_EQ(draw(*o), std::nullopt);
    }
}

TEST_F(DrawingCall, NonFiniteValuesOnShowSkipTheIndicator) {
    // A quiet NaN in the window raises no flag; it reaches the table and is caught there.
    auto average = TOscObj::Create(2);
    (*bars)[500].close = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(draw(*average), std::nullopt);

    // Off the chart (slots below 513 - 38 = 475) it is never drawn, so the indicator stays.
    (*bars)[500].close = 50;
    (*bars)[473].close = std::numeric_limits<float>::infinity();
    auto shortAverage = TOscObj::Create(1);
    shortAverage->Params[0] = 1;
    EXPECT_EQ(draw(*shortAverage), 0);
}

TEST_F(DrawingCall, KeepsTheCallersFloatingPointFlags) {
    auto average = TOscObj::Create(1);
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_DIVBYZERO);
    EXPECT_EQ(draw(*average), 11);
    EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
    average->Params[0] = 0;
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(draw(*average), std::nullopt);
    EXPECT_FALSE(std::fetestexcept(FE_INVALID | FE_DIVBYZERO));
}

TEST_F(DrawingCall, MissingScratchTableSkipsAndWarnsForTheRsiKinds) {
    for (const int kind : {17, 18, 22, 27}) {
        sink.messages.clear();
        NoScratch o(static_cast<std::uint8_t>(kind));
        EXPECT_EQ(draw(o), std::nullopt) << kind;
        const std::vector<std::string> expected =
            kind <= 18 ? std::vector<std::string>{"Memory Allocation Problem"}
                       : std::vector<std::string>{};
        EXPECT_EQ(sink.texts(), expected) << kind;
    }
}

TEST_F(DrawingCall, EmptyWindowWritesNoRow) {
    bars = test::makeWindow(0, test::wavyBar);
    facts = {0, 0, 5, 0};
    for (int kind = 1; kind <= 4; ++kind) {
        auto o = TOscObj::Create(kind);
        draw(*o);
        for (const auto& row : *out)
            for (const float v : row) ASSERT_EQ(v, 0.0f) << kind;
    }
}

} // namespace
} // namespace qm

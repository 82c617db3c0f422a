// Whatever a settings file or the run-time fields hold, a computation stays inside the bar
// window and the output table. The window and the table are separate heap blocks, so the
// address sanitizer reports any access beyond them; the checks here catch writes into rows
// that a kind never fills.

#include "IndicatorTestUtil.h"
#include "indicators/Frame.h"
#include "indicators/Kinds.h"

#include <cfenv>
#include <climits>
#include <gtest/gtest.h>
#include <limits>

namespace qm {
namespace {

using test::at;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Bounds {
    int kind;
    float length;
};

class ParameterBounds : public testing::TestWithParam<Bounds> {};

TEST_P(ParameterBounds, StaysInsideTheWindowAndTable) {
    const Bounds b = GetParam();
    for (const int paramCount : {-3, 0, 1, 3, 4, 99}) {
        for (const int n : {0, 1, 2, 40, 511, 600, -7}) {
            for (const int shown : {38, 509, INT_MAX, INT_MIN}) {
                for (const std::uint8_t field : {std::uint8_t{2}, std::uint8_t{200}}) {
                    SCOPED_TRACE(testing::Message()
                                 << "count " << paramCount << " n " << n << " shown " << shown
                                 << " field " << int{field});
                    auto o = TOscObj::Create(b.kind);
                    o->ParamCount = paramCount;
                    o->Params = {b.length, b.length, b.length, b.length};
                    o->PriceField = field;
                    o->ValidBars = n;
                    o->ShownBars = shown;
                    const int valid = n < 0 ? 0 : n > 511 ? 511 : n;
                    auto bars = test::makeWindow(valid, test::wavyBar);
                    auto out = test::makeTable();
                    int shortfall = 0;
                    o->Compute(*bars, *out, shortfall);
                    EXPECT_GE(shortfall, 0);
                    // Nothing below the slot before the first bar is ever written.
                    for (int i = 0; i < 511 - valid; ++i)
                        for (const float v : (*out)[at(i)]) ASSERT_EQ(v, 0.0f) << i;
                    // The fifth and sixth columns are not used by these kinds.
                    for (const auto& row : *out) ASSERT_TRUE(row[4] == 0.0f && row[5] == 0.0f);
                }
            }
        }
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}

std::vector<Bounds> boundsCases() {
    std::vector<Bounds> cases;
    for (int kind = 1; kind <= 4; ++kind)
        for (const float length : {0.0f, 0.5f, 1.0f, 2.0f, 250.0f, 511.0f, 512.0f, 1e9f, -1.0f,
                                   -0.5f, -1e9f, kNaN, kInf, -kInf, 3.4e38f})
            cases.push_back({kind, length});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(MovingAverages, ParameterBounds, testing::ValuesIn(boundsCases()));

} // namespace
} // namespace qm

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

namespace qm {
namespace {

using test::Bounds;
using test::kInf;
using test::kNaN;

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
                    auto o = test::kindWith(b, paramCount, field, n, shown);
                    const int valid = n < 0 ? 0 : n > 511 ? 511 : n;
                    auto bars = test::makeWindow(valid, test::wavyBar);
                    auto out = test::makeTable();
                    int shortfall = 0;
                    o->Compute(*bars, *out, shortfall);
                    EXPECT_GE(shortfall, 0);
                    // Nothing below the slot before the first bar is ever written.
                    ASSERT_TRUE(test::emptyBelow(*out, 511 - valid));
                    ASSERT_TRUE(test::lastTwoColumnsEmpty(*out));
                }
            }
        }
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}

INSTANTIATE_TEST_SUITE_P(MovingAverages, ParameterBounds,
                         testing::ValuesIn(test::boundsCases(1, 4,
                                                             {0.0f, 0.5f, 1.0f, 2.0f, 250.0f,
                                                              511.0f, 512.0f, 1e9f, -1.0f, -0.5f,
                                                              -1e9f, kNaN, kInf, -kInf, 3.4e38f})));

} // namespace
} // namespace qm

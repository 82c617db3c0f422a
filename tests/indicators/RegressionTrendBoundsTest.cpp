// The regression, band, channel, stop and level kinds stay inside the bar window and the
// output table whatever a settings file or the run-time fields hold. Window and table are
// separate heap blocks, so the address sanitizer reports any access beyond them; the checks
// here catch writes into rows, columns and bar fields these kinds never fill.

#include "IndicatorTestUtil.h"
#include "indicators/Frame.h"
#include "indicators/Kinds.h"

#include <cfenv>
#include <climits>
#include <gtest/gtest.h>

namespace qm {
namespace {

using test::at;
using test::Bounds;
using test::kInf;
using test::kNaN;

class RegressionTrendBounds : public testing::TestWithParam<Bounds> {};

TEST_P(RegressionTrendBounds, StaysInsideTheWindowAndTable) {
    const Bounds b = GetParam();
    // With a shortfall, kinds 8 and 9 give the slot below the first bar that bar's high, low
    // and close.
    const bool writesBelowFirstBar = b.kind == 8 || b.kind == 9;
    for (const int paramCount : {-3, 0, 1, 2, 3, 4, 99}) {
        for (const int n : {0, 1, 2, 3, 4, 5, 40, 511, 600, -7}) {
            for (const int shown : {-5, 38, 509, INT_MAX, INT_MIN}) {
                for (const std::uint8_t field : {std::uint8_t{2}, std::uint8_t{200}}) {
                    SCOPED_TRACE(testing::Message()
                                 << "count " << paramCount << " n " << n << " shown " << shown
                                 << " field " << int{field});
                    auto o = test::kindWith(b, paramCount, field, n, shown);
                    const int valid = n < 0 ? 0 : n > 511 ? 511 : n;
                    const int first = 512 - valid;
                    auto bars = test::makeWindow(valid, test::wavyBar);
                    (*bars)[0].close = 77; // stale prices below the data
                    const BarWindow before = *bars;
                    auto out = test::makeTable();
                    int shortfall = 0;
                    o->Compute(*bars, *out, shortfall);
                    EXPECT_GE(shortfall, 0);
                    // No row below the first bar is written, nor the last two columns.
                    ASSERT_TRUE(test::emptyBelow(*out, first));
                    ASSERT_TRUE(test::lastTwoColumnsEmpty(*out));
                    // The bars stay as they were, but for that one slot's three prices.
                    for (int i = 0; i < 512; ++i) {
                        PriceBar expected = before[at(i)];
                        if (writesBelowFirstBar && i == first - 1 && valid > 0 && shortfall > 0) {
                            expected.high = before[at(first)].high;
                            expected.low = before[at(first)].low;
                            expected.close = before[at(first)].close;
                        }
                        ASSERT_TRUE(test::sameBar((*bars)[at(i)], expected)) << "slot " << i;
                    }
                }
            }
        }
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}

INSTANTIATE_TEST_SUITE_P(RegressionAndTrendStops, RegressionTrendBounds,
                         testing::ValuesIn(test::boundsCases(
                             8, 15,
                             {0.0f, 0.5f, 1.0f, 2.0f, 3.0f, 4.0f, 101.0f, 102.0f, 250.0f, 511.0f,
                              512.0f, 1e9f, -1.0f, -0.5f, -1e9f, kNaN, kInf, -kInf, 3.4e38f})));

} // namespace
} // namespace qm

// Whatever a settings file or the run-time fields hold, the oscillators stay inside the bar
// window and the output table, and change no bar but the one Wilder's RSI may copy. The window
// and the table are separate heap blocks, so the address sanitizer reports any access beyond
// them; the checks here catch writes into rows and columns a kind never fills.

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

class OscillatorBounds : public testing::TestWithParam<Bounds> {};

TEST_P(OscillatorBounds, StayInsideTheWindowAndTable) {
    const Bounds b = GetParam();
    int variant = 0;
    for (const int count : {-3, 0, 1, 3, 99}) {
        for (const int n : {0, 1, 2, 3, 40, 511}) {
            for (const int shown : {38, INT_MAX, INT_MIN}) {
                // Every length at the tested value, or only the first with the others at their
                // defaults; the other stored and run-time fields take turns at odd values.
                ++variant;
                SCOPED_TRACE(testing::Message() << "count " << count << " n " << n << " shown "
                                                << shown << " variant " << variant);
                auto o = TOscObj::Create(b.kind);
                o->ParamCount = count;
                o->LineCount = variant % 3 == 0 ? count : 3;
                if (variant % 2 == 0)
                    o->Params = {b.length, b.length, b.length, b.length};
                else
                    o->Params[0] = b.length;
                o->PriceField = variant % 5 == 0 ? std::uint8_t{200} : std::uint8_t{2};
                o->DataKind = static_cast<std::uint8_t>(variant % 7);
                o->Interval = static_cast<std::uint8_t>(variant % 4 == 0 ? 200 : variant % 3);
                o->ValidBars = n;
                o->ShownBars = shown;
                auto bars = test::makeWindow(n, test::wavyBar);
                const int f = 512 - n;
                const BarWindow before = *bars;
                auto out = test::makeTable();
                int shortfall = -99;
                o->Compute(*bars, *out, shortfall);
                EXPECT_GE(shortfall, 0);
                // Nothing below the slot before the first bar is ever written.
                ASSERT_TRUE(test::emptyBelow(*out, f - 1));
                ASSERT_TRUE(test::lastTwoColumnsEmpty(*out));
                for (int i = 0; i < 512; ++i) {
                    if (b.kind == 17 && i == f) {
                        ASSERT_EQ((*bars)[at(i)].date, before[at(i)].date);
                        ASSERT_EQ((*bars)[at(i)].volume, before[at(i)].volume);
                    } else {
                        ASSERT_TRUE(test::sameBar((*bars)[at(i)], before[at(i)])) << i;
                    }
                }
            }
        }
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}

INSTANTIATE_TEST_SUITE_P(Oscillators, OscillatorBounds,
                         testing::ValuesIn(test::boundsCases(
                             16, 30,
                             {0.0f, 0.5f, 1.0f, 2.0f, 3.0f, 52.0f, 250.0f, 511.0f, 512.0f, 1e9f,
                              -1.0f, -0.5f, -1e9f, kNaN, kInf, -kInf, 3.4e38f})));

} // namespace
} // namespace qm

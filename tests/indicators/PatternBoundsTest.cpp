// The counting kinds' lookbacks against the edges of the bar window. The window and the table
// are separate heap blocks, so the address sanitizer reports any read or write outside them.

#include "IndicatorTestUtil.h"
#include "indicators/Kinds.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

namespace qm {
namespace {

using test::at;
using test::kInf;
using test::kNaN;

// A full window of flat bars (close 50, high 51, low 49) over the empty slot 0. With B1 = 20 the
// bars up to slot 20 compare their close with slot 0's close of 0 and rise; from slot 21 on they
// meet a close of 50 and are flat. So the Stage1 counts 1..9 on slots 6..14 (the count starts
// at f + 5 = 6 and completes at 9), then 1..6 on slots 15..20, then nothing. Closes never reach
// the highs, highs never fall below the support of 49: nothing else is written by the two
// patterns. Kind 7 counts on to 15 and draws the support 49 from slot 6 to the end.
TEST(PatternLookback, BeforeSlotZeroReadsSlotZero) {
    auto bars = test::makeWindow(511, [](int) {
        PriceBar b;
        b.open = b.close = 50;
        b.high = 51;
        b.low = 49;
        return b;
    });
    ASSERT_EQ((*bars)[0].close, 0.0f);
    for (const int kind : {5, 6, 7}) {
        SCOPED_TRACE(kind);
        auto o = TOscObj::Create(kind);
        o->Params = {9, 13, 20, 2};
        o->ValidBars = 511;
        o->ShownBars = 400;
        auto out = test::makeTable();
        int shortfall = -1;
        o->Compute(*bars, *out, shortfall);
        EXPECT_EQ(shortfall, 0);
        for (int i = 0; i < 512; ++i) {
            std::array<float, kOutputColumns> want{};
            if (kind == 7) {
                if (i >= 6 && i <= 20) want[0] = static_cast<float>(i - 5);
                if (i >= 6) want[1] = 49;
            } else if (i >= 6 && i <= 14) {
                want[1] = static_cast<float>(i - 5);
            } else if (i >= 15 && i <= 20) {
                want[1] = static_cast<float>(i - 14);
            }
            for (int c = 0; c < kOutputColumns; ++c)
                ASSERT_EQ((*out)[at(i)][at(c)], want[at(c)]) << "slot " << i << " column " << c;
        }
    }
}

// Whatever a settings file or the run-time fields hold, the counts stay inside the window and
// the table, and write nothing before their first counted bar or into the sixth column.
TEST(PatternLookback, AnyParametersStayInsideTheWindow) {
    const std::array<std::array<float, 4>, 12> paramSets{{
        {9, 13, 4, 2},
        {2, 3, 1, 1},
        {2, 2, 6, 6},
        {1, 1, 0, 0},
        {0, 0, 0, 0},
        {-3, -1, -4, -2},
        {511, 511, 511, 511},
        {600, 13, 300, 300},
        {20, 4, 1e9f, -1e9f},
        {3.4e38f, -3.4e38f, kInf, -kInf},
        {kNaN, 13, 4, kNaN},
        {9.9f, 8.5f, 4.9f, 2.1f},
    }};
    for (const int kind : {5, 6, 7}) {
        for (const auto& params : paramSets) {
            for (const int n : {0, 1, 5, 6, 7, 40, 511, 600, -7}) {
                for (const int options : {0, 7}) {
                    SCOPED_TRACE(testing::Message()
                                 << "kind " << kind << " params " << params[0] << " " << params[1]
                                 << " " << params[2] << " " << params[3] << " n " << n);
                    auto o = TOscObj::Create(kind);
                    o->Params = params;
                    o->ParamCount = options == 0 ? o->ParamCount : 99;
                    o->PriceField = static_cast<std::uint8_t>(options == 0 ? 0 : 200);
                    o->RelaxLastStage2 = options & 1;
                    o->ResetStage2OnStage1 = options & 2;
                    o->AggressiveStage2 = options & 4;
                    o->ValidBars = n;
                    o->ShownBars = options == 0 ? INT_MAX : INT_MIN;
                    const int valid = std::clamp(n, 0, 511);
                    auto bars = test::makeWindow(valid, test::wavyBar);
                    auto out = test::makeTable();
                    int shortfall = 0;
                    o->Compute(*bars, *out, shortfall);
                    EXPECT_GE(shortfall, 0);
                    const int firstCounted = 512 - valid + 5;
                    for (int i = 0; i < 512; ++i) {
                        const auto& row = (*out)[at(i)];
                        ASSERT_EQ(row[5], 0.0f) << i;
                        for (const float v : row) {
                            ASSERT_TRUE(std::isfinite(v)) << i;
                            if (i < firstCounted) {
                                ASSERT_EQ(v, 0.0f) << i;
                            }
                        }
                    }
                }
            }
        }
    }
    std::feclearexcept(FE_ALL_EXCEPT);
}

} // namespace
} // namespace qm

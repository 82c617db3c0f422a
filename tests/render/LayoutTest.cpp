#include "render/Layout.h"

#include <gtest/gtest.h>
#include <ostream>

namespace qm::chart {
namespace {

TEST(BarPitch, ByChartTypeAndSpacing) {
    // chart types 0..4 at spacing 0, 1, 2
    const int expected[5][3] = {{2, 2, 4}, {2, 2, 4}, {3, 4, 7}, {5, 6, 11}, {6, 7, 14}};
    for (int type = 0; type < 5; ++type)
        for (int spacing = 0; spacing < 3; ++spacing)
            EXPECT_EQ(barPitchFor(type, spacing, 1), expected[type][spacing])
                << "type " << type << " spacing " << spacing;
    EXPECT_EQ(barPitchFor(4, 1, 5), 35); // a page five screens wide
}

TEST(VisibleBars, FitTheWidthOrShowAllButThreeBars) {
    // 600 bars, 800 wide, "W" 10 pixels, candles at normal spacing: (800 - 120 - 12) / 7
    EXPECT_EQ(visibleBarsFor(800, 10, 7, 600), 95);
    EXPECT_EQ(firstDrawnSlot(95), 418);
    // 40 bars in a wide window: all but the three oldest (slots 472..474)
    EXPECT_EQ(visibleBarsFor(1600, 10, 7, 40), 38);
    EXPECT_EQ(firstDrawnSlot(38), 475);
}

TEST(PanePositions, OnA400PixelChart) {
    struct Case {
        int position, top, height;
    };
    // H = 400, T = 13, T/2 = 6
    for (const Case c :
         {Case{0, 13, 374}, Case{1, 13, 274}, Case{2, 13, 174}, Case{3, 200, 200}, Case{4, 300, 87},
          Case{5, 200, 94}, Case{6, 333, 54}, Case{7, 266, 61}, Case{8, 200, 60}}) {
        const PaneRect r = paneRect(c.position, 400, 13);
        EXPECT_EQ(r.top, c.top) << "position " << c.position;
        EXPECT_EQ(r.height, c.height) << "position " << c.position;
    }
}

struct TickCase {
    double min, max;
    double step, lowTick, highTick, rangeMin, rangeMax;
};

void PrintTo(const TickCase& c, std::ostream* os) {
    *os << c.min << " to " << c.max;
}

class TickRounding : public testing::TestWithParam<TickCase> {};

TEST_P(TickRounding, EndsOnATickOrAQuarterStepBeyond) {
    const TickCase& c = GetParam();
    const TickRange t = tickRangeFor(c.min, c.max);
    const double tolerance = c.step * 1e-6;
    EXPECT_NEAR(t.step, c.step, tolerance);
    EXPECT_NEAR(t.lowTick, c.lowTick, tolerance);
    EXPECT_NEAR(t.highTick, c.highTick, tolerance);
    EXPECT_NEAR(t.rangeMin, c.rangeMin, tolerance);
    EXPECT_NEAR(t.rangeMax, c.rangeMax, tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TickRounding,
    testing::Values(
        // max within a quarter step of the tick above it
        TickCase{100.3f, 107.9f, 1, 100, 108, 100, 108.25},
        // a minimum on a tick gets the tick below
        TickCase{100, 110, 1, 99, 111, 99, 111},
        // a flat series is scaled by 1000 first
        TickCase{50, 50, 0.001, 49.999, 50.001, 49.999, 50.001},
        // r <= 1: 520..610 scaled, step 10
        TickCase{0.52, 0.61, 0.01, 0.51, 0.62, 0.51, 0.62},
        // volumes: range 1,034,567 -> step 100,000
        TickCase{200000, 1234567, 100000, 100000, 1300000, 100000, 1300000},
        // beyond every threshold: half the range, the data ends as ticks
        TickCase{0, 30000000, 15000000, 0, 30000000, -3750000, 33750000},
        // below zero the first tick is the multiple under the minimum: -340 -> -350
        TickCase{-3.4, -1, 0.25, -3.5, -0.75, -3.5, -0.75}));

TEST(PaneMapping, RangeEndsLandOnThePaneEdges) {
    const PaneRect pane{13, 374};
    const PaneMapping m(100, 108.25, 1080, pane);
    EXPECT_DOUBLE_EQ(m.valueScale(), 1080 / 8.25);
    EXPECT_EQ(m.deviceY(m.logicalRound(108.25)), 13);
    EXPECT_EQ(m.deviceY(m.logicalTrunc(100)), 13 + 374);
    // halfway up the range is halfway down the pane
    EXPECT_NEAR(m.deviceY(m.logicalRound(104.125)), 13 + 187, 1);
}

TEST(Shade, GridColours) {
    EXPECT_EQ(shade(0xFFFFFF, 50), 0xCCCCCCu); // white: 20 percent darker
    EXPECT_EQ(shade(0x000000, 50), 0x2D2D2Du); // black: from 30 up to 45
    EXPECT_EQ(shade(0x646464, 50), 0x828282u); // grey 100: 30 percent lighter
    EXPECT_EQ(shade(0x0A0AC8, 50), 0x0808A0u); // a component above 160: darker
    EXPECT_EQ(shade(0x143264, 50), 0x1E4B96u); // otherwise the percentage given
    EXPECT_EQ(inverse(0x000000), 0xFFFFFFu);
}

} // namespace
} // namespace qm::chart

#include "app/ChartGrid.h"

#include "app/ChartCommandRules.h"

#include <gtest/gtest.h>
#include <set>

namespace qm {
namespace {

TEST(ChartGrid, ShapeByTheNumberOfCharts) {
    struct Case {
        int charts;
        GridShape vertical, horizontal;
    };
    for (const Case c : {Case{0, {0, 0}, {0, 0}}, Case{1, {1, 1}, {1, 1}}, Case{2, {1, 2}, {2, 1}},
                         Case{3, {1, 3}, {3, 1}}, Case{4, {2, 2}, {4, 1}}, Case{5, {2, 3}, {3, 2}},
                         Case{6, {2, 3}, {3, 2}}, Case{7, {3, 3}, {3, 3}}, Case{9, {3, 3}, {3, 3}},
                         Case{10, {3, 4}, {4, 3}}, Case{13, {4, 4}, {4, 4}},
                         Case{17, {4, 5}, {5, 4}}, Case{30, {5, 6}, {6, 5}}}) {
        EXPECT_EQ(tileGrid(c.charts, TileDirection::Vertical), c.vertical) << c.charts;
        EXPECT_EQ(tileGrid(c.charts, TileDirection::Horizontal), c.horizontal) << c.charts;
    }
}

TEST(ChartGrid, FiveChartsFillRowsLeftToRight) {
    const ScreenRect area{10, 96, 1600, 900};
    EXPECT_EQ(tileCells(5, TileDirection::Vertical, area),
              (std::vector<ScreenRect>{{10, 96, 533, 450},
                                       {543, 96, 533, 450},
                                       {1076, 96, 533, 450},
                                       {10, 546, 533, 450},
                                       {543, 546, 533, 450}}));
    EXPECT_EQ(tileCells(5, TileDirection::Horizontal, area),
              (std::vector<ScreenRect>{{10, 96, 800, 300},
                                       {810, 96, 800, 300},
                                       {10, 396, 800, 300},
                                       {810, 396, 800, 300},
                                       {10, 696, 800, 300}}));
}

TEST(ChartGrid, EveryChartHasACellOfItsOwnInsideTheArea) {
    const ScreenRect area{0, 96, 1920, 984};
    for (const auto direction : {TileDirection::Vertical, TileDirection::Horizontal}) {
        for (int charts = 1; charts <= 40; ++charts) {
            const auto cells = tileCells(charts, direction, area);
            ASSERT_EQ(cells.size(), static_cast<std::size_t>(charts));
            std::set<std::pair<int, int>> corners;
            for (const ScreenRect& cell : cells) {
                EXPECT_GE(cell.left, area.left);
                EXPECT_GE(cell.top, area.top);
                EXPECT_LE(cell.right(), area.right()) << charts;
                EXPECT_LE(cell.bottom(), area.bottom()) << charts;
                corners.insert({cell.left, cell.top});
            }
            EXPECT_EQ(corners.size(), cells.size()) << charts;
        }
    }
}

TEST(ChartGrid, TheAreaLiesBelowTheMainWindowDownToTheWorkAreaBottom) {
    EXPECT_EQ(tilingArea({20, 0, 1024, 96}, 1040), (ScreenRect{20, 96, 1024, 944}));
    EXPECT_EQ(tilingArea({20, 1000, 1024, 96}, 1040), (ScreenRect{20, 1096, 1024, 0}));
}

TEST(ChartCommandRules, IntervalsAndFixedSizes) {
    EXPECT_EQ(intervalOfTag(1), Interval::Daily);
    EXPECT_EQ(intervalOfTag(2), Interval::Weekly);
    EXPECT_EQ(intervalOfTag(3), Interval::Monthly);
    EXPECT_EQ(intervalOfTag(0), Interval::Monthly);

    EXPECT_EQ(fixedChartSize(8), (ChartSize{308, 529}));
    EXPECT_EQ(fixedChartSize(9), (ChartSize{508, 529}));
    EXPECT_EQ(fixedChartSize(10), (ChartSize{608, 329}));
    EXPECT_FALSE(fixedChartSize(7));
}

} // namespace
} // namespace qm

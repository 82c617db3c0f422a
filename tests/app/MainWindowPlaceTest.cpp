#include "app/MainWindowPlace.h"

#include <gtest/gtest.h>
#include <vector>

namespace qm {
namespace {

struct PlaceCase {
    const char* name;
    WindowDims stored;
    WindowDims expected;
};

// One 1920 x 1080 screen with a 40-pixel panel at the top, and a second screen to its right.
const ScreenRect kWorkArea{0, 40, 1920, 1040};
const std::vector<ScreenRect> kScreens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};

class MainWindowPlace : public testing::TestWithParam<PlaceCase> {};

TEST_P(MainWindowPlace, HoldsTheWindowOnAScreen) {
    const PlaceCase& c = GetParam();
    const WindowDims got = placeMainWindow(c.stored, kWorkArea, kScreens);
    EXPECT_EQ(got.left, c.expected.left);
    EXPECT_EQ(got.top, c.expected.top);
    EXPECT_EQ(got.width, c.expected.width);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainWindowPlace,
    testing::Values(
        PlaceCase{"NoWidthSpansTheWorkArea", {300, 300, 0}, {0, 40, 1920}},
        PlaceCase{"StoredPlaceOnScreen", {100, 200, 1200}, {100, 200, 1200}},
        PlaceCase{"OnTheSecondScreen", {2000, 100, 1100}, {2000, 100, 1100}},
        PlaceCase{"TooNarrowGrowsToTheMinimum", {10, 50, 300}, {10, 50, 1024}},
        PlaceCase{"WiderThanAnyScreen", {0, 50, 90000}, {0, 50, 1920}},
        PlaceCase{"OffEveryScreenGoesToTheWorkArea", {-5000, 4000, 1200}, {0, 40, 1200}},
        PlaceCase{"AboveTheTopEdgeComesDown", {100, -60, 1200}, {100, 0, 1200}},
        PlaceCase{"BelowTheBottomComesUp", {100, 1060, 1200}, {100, 984, 1200}},
        PlaceCase{"MostlyLeftOfTheScreenKeepsAStretchOn", {-1100, 100, 1200}, {-1000, 100, 1200}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qm

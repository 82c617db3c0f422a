#include "settings/IndicatorRequests.h"

#include "SettingsTestUtil.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace std::string_literals;

TEST(IndicatorRequests, FileIsPairsOfBytes) {
    test::TempDir dir;
    const auto file = dir / "Osc_List.osl";
    const IndicatorRequestList requests = {{0, 2}, {1, 2}, {0x91, 4}, {30, 5}};
    saveIndicatorRequests(file, requests);
    EXPECT_EQ(test::readFile(file), "\x00\x02\x01\x02\x91\x04\x1E\x05"s);
    EXPECT_EQ(loadIndicatorRequests(file), requests); // the top bit is kept as stored
}

TEST(IndicatorRequests, MissingOrEmptyFileGivesThePriceChartAlone) {
    test::TempDir dir;
    const IndicatorRequestList priceChart = {{0, 1}};
    EXPECT_TRUE(loadIndicatorRequests(dir / "Osc_List.osl").empty());
    EXPECT_EQ(loadIndicatorRequestsOrPriceChart(dir / "Osc_List.osl"), priceChart);
    const auto empty = dir.write("Osc_List.osl", "");
    EXPECT_TRUE(loadIndicatorRequests(empty).empty());
    EXPECT_EQ(loadIndicatorRequestsOrPriceChart(empty), priceChart);
    // A last odd byte is no entry.
    const auto odd = dir.write("odd.osl", "\x00\x01\x11"s);
    EXPECT_EQ(loadIndicatorRequests(odd), (IndicatorRequestList{{0, 1}}));
}

TEST(IndicatorRequests, FailuresNameTheFile) {
    test::TempDir dir;
    const auto target = dir / "missing" / "Osc_List.osl";
    EXPECT_EQ(test::settingsErrorOf([&] {
                  saveIndicatorRequests(target, {{0, 1}});
              }),
              "Cannot create file \"" + target.string() + "\". No such file or directory");
    EXPECT_EQ(test::settingsErrorOf([&] { (void)loadIndicatorRequests(dir.path()); }),
              "Cannot open file \"" + dir.path().string() + "\". Is a directory");
}

} // namespace
} // namespace qm

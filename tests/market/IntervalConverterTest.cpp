#include "market/IntervalConverter.h"

#include "MarketTestUtil.h"
#include "market/ChartDataFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <regex>

namespace qm {
namespace {

using test::day;

// A daily bar whose prices tell where it came from: open = 100 + i, high = 200 + i,
// low = 50 - i, close = 150 + i, volume = 10.
PriceBar daily(double date, int i) {
    return {date, 100.0f + i, 200.0f + i, 50.0f - i, 150.0f + i, 10.0f, 0};
}

// Weekdays from `from` to `to`, numbered on from `first`.
std::vector<PriceBar> weekdays(double from, double to, int first = 0) {
    std::vector<PriceBar> bars;
    for (double d = from; d <= to; ++d)
        if (dayOfWeek(d) != 1 && dayOfWeek(d) != 7) bars.push_back(daily(d, first++));
    return bars;
}

std::vector<PriceBar> convert(const std::vector<PriceBar>& bars, Interval interval) {
    test::TempDir dir;
    const auto input = dir / "daily";
    test::writeBars(input, bars);
    const auto output = convertInterval(input, interval, dir.path());
    EXPECT_TRUE(
        std::regex_match(output.filename().string(), std::regex("%%TEM[0-9A-F]{4,8}\\.TMP")))
        << output;
    return test::readBars(output);
}

// A period's bar: open of its first day, extremes over all, close and date of its last.
void expectPeriod(const PriceBar& out, const std::vector<PriceBar>& days, std::size_t first,
                  std::size_t last) {
    EXPECT_EQ(out.date, days[last].date);
    EXPECT_EQ(out.open, days[first].open);
    EXPECT_EQ(out.high, days[last].high);
    EXPECT_EQ(out.low, days[last].low);
    EXPECT_EQ(out.close, days[last].close);
    EXPECT_EQ(out.volume, 10.0f * static_cast<float>(last - first + 1));
}

TEST(Weekly, UnfinishedLastWeekIsDropped) {
    const auto days = weekdays(day(2016, 1, 4), day(2016, 1, 13)); // Mon .. next Wed
    const auto weeks = convert(days, Interval::Weekly);
    ASSERT_EQ(weeks.size(), 1u);
    expectPeriod(weeks[0], days, 0, 4);
}

TEST(Weekly, WeekEndingOnFridayIsKept) {
    const auto days = weekdays(day(2016, 1, 4), day(2016, 1, 15));
    const auto weeks = convert(days, Interval::Weekly);
    ASSERT_EQ(weeks.size(), 2u);
    expectPeriod(weeks[0], days, 0, 4);
    expectPeriod(weeks[1], days, 5, 9);
}

TEST(Weekly, WeekAfterAMondayHolidayStartsOnTuesday) {
    auto days = weekdays(day(2016, 1, 11), day(2016, 1, 22));
    days.erase(days.begin() + 5); // Monday 2016-01-18
    const auto weeks = convert(days, Interval::Weekly);
    ASSERT_EQ(weeks.size(), 2u);
    expectPeriod(weeks[1], days, 5, 8);
    EXPECT_EQ(weeks[1].open, 106.0f); // Tuesday's
}

TEST(Weekly, RepeatedDateIsPassedOver) {
    auto days = weekdays(day(2016, 1, 4), day(2016, 1, 8));
    days.push_back(daily(day(2016, 1, 8), 9)); // Friday again
    const auto weeks = convert(days, Interval::Weekly);
    ASSERT_EQ(weeks.size(), 1u);
    expectPeriod(weeks[0], days, 0, 4);
}

// Bars a week or more apart never share a week, even when the later one falls on a later day
// of the week.
TEST(Weekly, GapOfAWeekOrMoreStartsANewWeek) {
    struct Case {
        const char* name;
        std::vector<double> dates; // the last one a Friday, so the last week is kept
        std::vector<std::size_t> weekStarts;
    };
    const std::vector<Case> cases = {
        {"Tuesday, then Thursday two weeks on",
         {day(2016, 1, 4), day(2016, 1, 5), day(2016, 1, 21), day(2016, 1, 22)},
         {0, 2}},
        {"Wednesday, then Thursday of the next week",
         {day(2016, 1, 6), day(2016, 1, 14), day(2016, 1, 15)},
         {0, 1}},
        {"Friday, then Friday a week on", {day(2016, 1, 8), day(2016, 1, 15)}, {0, 1}},
        {"Monday to Friday of one week", {day(2016, 1, 4), day(2016, 1, 6), day(2016, 1, 8)}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<PriceBar> days;
        for (std::size_t i = 0; i < c.dates.size(); ++i)
            days.push_back(daily(c.dates[i], static_cast<int>(i)));
        const auto weeks = convert(days, Interval::Weekly);
        ASSERT_EQ(weeks.size(), c.weekStarts.size());
        for (std::size_t w = 0; w < weeks.size(); ++w) {
            const std::size_t last =
                w + 1 < c.weekStarts.size() ? c.weekStarts[w + 1] - 1 : days.size() - 1;
            expectPeriod(weeks[w], days, c.weekStarts[w], last);
        }
    }
}

TEST(Weekly, StopsAtAZeroDate) {
    auto days = weekdays(day(2016, 1, 4), day(2016, 1, 8));
    days.push_back(PriceBar{});
    const auto more = weekdays(day(2016, 1, 11), day(2016, 1, 15), 10);
    days.insert(days.end(), more.begin(), more.end());
    const auto weeks = convert(days, Interval::Weekly);
    ASSERT_EQ(weeks.size(), 1u);
    expectPeriod(weeks[0], days, 0, 4);
}

TEST(Monthly, EachMonthIsOneBar) {
    const auto days = weekdays(day(2016, 1, 4), day(2016, 2, 29));
    const auto months = convert(days, Interval::Monthly);
    ASSERT_EQ(months.size(), 2u);
    expectPeriod(months[0], days, 0, 19);  // January 4 to 29: 20 weekdays
    expectPeriod(months[1], days, 20, 40); // February 1 to 29: 21 weekdays
}

TEST(Monthly, MarchEndingOnThe30thIsDropped) {
    const auto days = weekdays(day(2016, 1, 4), day(2016, 3, 30));
    EXPECT_EQ(convert(days, Interval::Monthly).size(), 2u);
}

TEST(Monthly, SameMonthOfTwoYearsIsTwoBars) {
    auto days = weekdays(day(2015, 1, 26), day(2015, 1, 30));
    const auto next = weekdays(day(2016, 1, 25), day(2016, 1, 29), 5);
    days.insert(days.end(), next.begin(), next.end());
    const auto months = convert(days, Interval::Monthly);
    ASSERT_EQ(months.size(), 2u);
    expectPeriod(months[0], days, 0, 4);
    expectPeriod(months[1], days, 5, 9);
}

// The last month counts as complete from its last weekday on: a month that ends on a weekend
// has no bars after its last Friday.
TEST(Monthly, LastMonthKeptFromItsLastWeekdayOn) {
    struct Case {
        int y, m, d;
        bool kept;
    };
    for (const Case c :
         {Case{2016, 4, 30, true}, Case{2016, 4, 29, true}, Case{2016, 4, 28, false},
          Case{2016, 12, 30, true}, Case{2016, 12, 29, false}, Case{2015, 2, 27, true},
          Case{2015, 2, 26, false}, Case{2016, 2, 29, true}, Case{2016, 2, 28, false},
          Case{2016, 3, 31, true}, Case{2016, 3, 30, false}, Case{2015, 12, 31, true}}) {
        SCOPED_TRACE(testing::Message() << c.y << "-" << c.m << "-" << c.d);
        EXPECT_EQ(convert({daily(day(c.y, c.m, c.d), 0)}, Interval::Monthly).size(),
                  c.kept ? 1u : 0u);
    }
}

TEST(Converter, EmptyInputGivesEmptyOutput) {
    EXPECT_TRUE(convert({}, Interval::Weekly).empty());
    EXPECT_TRUE(convert({}, Interval::Monthly).empty());
}

TEST(Converter, MissingInputThrowsAndLeavesNoOutput) {
    test::TempDir dir;
    EXPECT_THROW(convertInterval(dir / "missing", Interval::Weekly, dir.path()), std::system_error);
    EXPECT_EQ(dir.fileCount(), 0u);
}

} // namespace
} // namespace qm

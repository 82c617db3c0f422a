#include "market/Calendar.h"

#include "market/FormatSettings.h"
#include "market/PriceBar.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(Calendar, DayCountsRoundTrip) {
    struct Case {
        int y, m, d;
        double days;
    };
    for (const Case c : {Case{1899, 12, 30, 0.0}, Case{1899, 12, 31, 1.0}, Case{1900, 3, 1, 61.0},
                         Case{2016, 1, 4, 42373.0}, Case{2000, 2, 29, 36585.0},
                         Case{1, 1, 1, -693593.0}, Case{9999, 12, 31, 2958465.0}}) {
        SCOPED_TRACE(c.days);
        ASSERT_EQ(encodeDate(c.y, c.m, c.d), c.days);
        EXPECT_EQ(decodeDate(c.days), (CivilDate{c.y, c.m, c.d}));
    }
}

TEST(Calendar, RejectsImpossibleDates) {
    for (const auto& [y, m, d] : {std::tuple{2016, 2, 30},
                                  {2015, 2, 29},
                                  {2013, 13, 13},
                                  {2016, 4, 31},
                                  {0, 1, 1},
                                  {10000, 1, 1},
                                  {2016, 0, 1},
                                  {2016, 1, 0},
                                  {1900, 2, 29}})
        EXPECT_FALSE(encodeDate(y, m, d)) << y << "-" << m << "-" << d;
    EXPECT_TRUE(encodeDate(2000, 2, 29));
}

// Dates of one month after another, impossible ones among them, in the order price files give
// them, newest first and oldest first.
TEST(Calendar, MonthStartCacheEncodesAsEncodeDate) {
    for (const int direction : {1, -1}) {
        MonthStartCache cache;
        for (int i = 0; i < 3000; ++i) {
            const int step = direction > 0 ? i : 2999 - i;
            const int year = step % 3 == 0 ? 1900 + step / 40 : (step % 8) * 1430 + step / 500;
            const int month = step / 3 % 14;
            for (const int day : {0, 1, 15, 28, 29, 30, 31, 32}) {
                SCOPED_TRACE(testing::Message() << year << "-" << month << "-" << day);
                ASSERT_EQ(cache.encode(year, month, day), encodeDate(year, month, day));
            }
        }
    }
}

TEST(Calendar, DayOfWeekStartsOnSunday) {
    EXPECT_EQ(dayOfWeek(0.0), 7);                     // 1899-12-30, a Saturday
    EXPECT_EQ(dayOfWeek(*encodeDate(2016, 1, 3)), 1); // Sunday
    EXPECT_EQ(dayOfWeek(*encodeDate(2016, 1, 4)), 2); // Monday
    EXPECT_EQ(dayOfWeek(*encodeDate(2016, 1, 8)), 6); // Friday
    EXPECT_EQ(dayOfWeek(-1.0), 6);
}

TEST(FormatDate, WritesPatterns) {
    const double day = *encodeDate(2016, 1, 4);
    const auto us = FormatSettings::unitedStates();
    auto dotted = FormatSettings::dayFirst();
    dotted.dateSeparator = '.';
    struct Case {
        const char* pattern;
        const FormatSettings* fs;
        const char* expected;
    };
    for (const Case c :
         {Case{"M/d/yyyy", &us, "1/4/2016"}, Case{"dd/MM/yyyy", &dotted, "04.01.2016"},
          Case{"mmm yy", &us, "Jan 16"}, Case{"yyyy", &us, "2016"},
          Case{"d 'of' mmm", &us, "4 of Jan"}, Case{"yyyy-mm-dd", &us, "2016-01-04"}})
        EXPECT_EQ(formatDate(day, c.pattern, *c.fs), c.expected) << c.pattern;
}

TEST(BarWindow, CountsValidBarsFromTheTop) {
    BarWindow window{};
    EXPECT_EQ(countValidBars(window), 0);
    window[511].date = 1;
    window[510].date = 2;
    EXPECT_EQ(countValidBars(window), 2);
    for (auto& bar : window) bar.date = 1;
    EXPECT_EQ(countValidBars(window), 511); // slot 0 never counts
}

} // namespace
} // namespace qm

#include "market/DateForms.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(MonthNameDates, ReadInEveryOrderOfExports) {
    struct Case {
        const char* text;
        std::optional<CivilDate> date;
        const char* pattern;
    };
    for (const Case& c : {
             Case{"19-Sep-03", CivilDate{2003, 9, 19}, "dd-mmm-yy"},
             Case{"19-Sep-2003", CivilDate{2003, 9, 19}, "dd-mmm-yyyy"},
             Case{"4 January 2016", CivilDate{2016, 1, 4}, "d mmmm yyyy"},
             Case{"Jan 04, 2016", CivilDate{2016, 1, 4}, "mmm dd, yyyy"},
             Case{"SEPT-19-2003", CivilDate{2003, 9, 19}, "mmmm-dd-yyyy"},
             Case{"2016-Jan-04", CivilDate{2016, 1, 4}, "yyyy-mmm-dd"},
             Case{"1-Jan-17", CivilDate{1917, 1, 1}, "d-mmm-yy"}, // no future year
             Case{"1-Jan-16", CivilDate{2016, 1, 1}, "d-mmm-yy"},
             Case{"30-Feb-2016", std::nullopt, ""},
             Case{"19-Se-03", std::nullopt, ""},
             Case{"19-Sepx-03", std::nullopt, ""},
             Case{"Jan 04 2016 Jan", std::nullopt, ""},
             Case{"19-Sep-003", std::nullopt, ""},
             Case{"2016-01-04", std::nullopt, ""},
             Case{"Total", std::nullopt, ""},
         }) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseMonthNameDate(c.text, 2016), c.date);
        EXPECT_EQ(monthNameDatePattern(c.text), c.pattern);
    }
}

TEST(TimesOfDay, HoursAndMinutesWithOptionalSeconds) {
    for (const char* time : {"16:00", "9:30", "00:00:00", "23:59:59", "16:00:00.000"})
        EXPECT_TRUE(isTimeOfDay(time)) << time;
    for (const char* other : {"", "16", "24:00", "9:5", "16:60", "1.085", "16:00:", "16:00 PM",
                              "123:00", "16:00:00.5x", "2016-01-04"})
        EXPECT_FALSE(isTimeOfDay(other)) << other;
}

TEST(UnixTimes, CountDaysFrom1970) {
    EXPECT_EQ(unixTimeToDays("1451865600", UnixTime::Seconds), 42373.0); // 2016-01-04 00:00
    EXPECT_EQ(unixTimeToDays("1451951999", UnixTime::Seconds), 42373.0); // its last second
    EXPECT_EQ(unixTimeToDays("1451865600000", UnixTime::Milliseconds), 42373.0);
    EXPECT_EQ(unixTimeUnit("20160104"), std::nullopt); // yyyymmdd
    EXPECT_EQ(unixTimeUnit("12345678901"), std::nullopt);
    EXPECT_EQ(unixTimeToDays("1451865600", UnixTime::Milliseconds), std::nullopt);
    EXPECT_EQ(unixTimeToDays("14518656x0", UnixTime::Seconds), std::nullopt);
}

TEST(TimeOfDay, IsCutFromTheDate) {
    struct Case {
        const char* text;
        std::optional<std::string_view> date;
    };
    for (const Case& c :
         {Case{"2016-01-04 16:00:00", "2016-01-04"}, Case{"2016-01-04T00:00:00Z", "2016-01-04"},
          Case{"2016-01-04 00:00:00+01:00", "2016-01-04"}, Case{"1/4/2016 4:00 PM", "1/4/2016"},
          Case{"2016-01-04", std::nullopt}, Case{"16:00", std::nullopt},
          Case{"2016-01-04 16:00 later", std::nullopt}, Case{"2016-01-04x16:00", std::nullopt}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(dateBeforeTimeOfDay(c.text), c.date);
    }
}

} // namespace
} // namespace qm

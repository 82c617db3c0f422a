#include "market/DateText.h"

#include <gtest/gtest.h>
#include <ostream>

namespace qm {
namespace {

struct DateCase {
    const char* text;
    DateOrder order;
    char separator;
    std::optional<CivilDate> expected;
    friend void PrintTo(const DateCase& c, std::ostream* os) {
        static constexpr const char* kOrders[] = {"month first", "day first", "year first"};
        *os << '"' << c.text << "\" " << kOrders[static_cast<int>(c.order)];
    }
};

class DateTextTest : public testing::TestWithParam<DateCase> {};

TEST_P(DateTextTest, Parses) {
    const DateCase& c = GetParam();
    EXPECT_EQ(parseDateText(c.text, c.order, c.separator, 2016), c.expected) << c.text;
}

constexpr auto MDY = DateOrder::MonthDayYear;
constexpr auto DMY = DateOrder::DayMonthYear;
constexpr auto YMD = DateOrder::YearMonthDay;

INSTANTIATE_TEST_SUITE_P(Cases, DateTextTest,
                         testing::Values(DateCase{"1/4/2016", MDY, '/', CivilDate{2016, 1, 4}},
                                         DateCase{"04/01/2016", DMY, '/', CivilDate{2016, 1, 4}},
                                         DateCase{"2016-01-04", YMD, '-', CivilDate{2016, 1, 4}},
                                         DateCase{" 1/ 4/2016", MDY, '/', CivilDate{2016, 1, 4}},
                                         DateCase{"1/4/2016/ ", MDY, '/', CivilDate{2016, 1, 4}},
                                         DateCase{"1/4/15", MDY, '/', CivilDate{2015, 1, 4}},
                                         DateCase{"1/4/99", MDY, '/', CivilDate{1999, 1, 4}},
                                         DateCase{"1/4/16", MDY, '/', CivilDate{2016, 1, 4}},
                                         DateCase{"17-1-4", YMD, '-', CivilDate{1917, 1, 4}},
                                         DateCase{"1/4/0015", MDY, '/', CivilDate{15, 1, 4}},
                                         DateCase{"3/7", MDY, '/', CivilDate{2016, 3, 7}},
                                         DateCase{"3/7", DMY, '/', CivilDate{2016, 7, 3}},
                                         DateCase{"2/30/2016", MDY, '/', std::nullopt},
                                         DateCase{"13/13/13", MDY, '/', std::nullopt},
                                         DateCase{"31/12/2015", MDY, '/', std::nullopt},
                                         DateCase{"1/4/2016x", MDY, '/', std::nullopt},
                                         DateCase{"\"1/4/2016\"", MDY, '/', std::nullopt},
                                         DateCase{"1-4-2016", MDY, '/', std::nullopt},
                                         DateCase{"1/4/123456789", MDY, '/', std::nullopt},
                                         DateCase{"", MDY, '/', std::nullopt},
                                         DateCase{"Total", MDY, '/', std::nullopt}));

TEST(DateOrder, FirstLetterDecides) {
    EXPECT_EQ(dateOrderOf("M/d/yyyy"), MDY);
    EXPECT_EQ(dateOrderOf("dd/MM/yyyy"), DMY);
    EXPECT_EQ(dateOrderOf("yyyy-MM-dd"), YMD);
    EXPECT_EQ(dateOrderOf("y.m.d"), YMD);
    EXPECT_EQ(dateOrderOf("YYYYMMDD"), YMD);
}

} // namespace
} // namespace qm

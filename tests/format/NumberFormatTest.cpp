#include "format/NumberFormat.h"

#include "market/Calendar.h"

#include <gtest/gtest.h>
#include <ostream>

namespace qm {
namespace {

struct NumberCase {
    const char* pattern;
    double value;
    const char* expected;
};

// The pattern in quotes keeps its leading and trailing spaces visible.
void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.pattern << "\" " << c.value;
}

class NumberPattern : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberPattern, Writes) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(formatNumber(c.value, c.pattern, FormatSettings::unitedStates()), c.expected)
        << "pattern \"" << c.pattern << "\" value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    DecimalsAndDigits, NumberPattern,
    testing::Values(NumberCase{" ##0.###0", 0.05, " 0.0500"},  // small price steps
                    NumberCase{" ##0.#0", 100.5, " 100.50"},   // ".#0" always two
                    NumberCase{" ####0", 1234567, " 1234567"}, // no separator without ","
                    NumberCase{" ##0.0", 25000000, " 25000000.0"},
                    NumberCase{" ###0.#0## ", 12.3, " 12.30 "}, // two to four decimals
                    NumberCase{" ###0.#0## ", 12.3456, " 12.3456 "},
                    NumberCase{" ###0.#0## ", 12.34567, " 12.3457 "},
                    NumberCase{"#.###", 13, "13"},                      // no point without decimals
                    NumberCase{"#.###", 0.025, ".025"},                 // no "0" before the point
                    NumberCase{"#.##", 0, ""}, NumberCase{"##", 0, ""}, // "##" writes nothing for 0
                    NumberCase{" ## ", 9, " 9 "}, NumberCase{" ##.## ", 12.5, " 12.5 "},
                    NumberCase{"0000", 12, "0012"}, NumberCase{"00.#", 1.25, "01.3"},
                    NumberCase{".00", 12.5, "12.50"}, // whole digits go at the point
                    NumberCase{"#0", 0, "0"}, NumberCase{" ##0.#0 ", 1e9, " 1000000000.00 "}));

INSTANTIATE_TEST_SUITE_P(RoundsHalfAwayFromZero, NumberPattern,
                         testing::Values(NumberCase{"0", 0.5, "1"}, NumberCase{"0", 2.5, "3"},
                                         NumberCase{"0", -2.5, "-3"}, NumberCase{"##", 13.5, "14"},
                                         NumberCase{"0.0", 0.25, "0.3"},
                                         NumberCase{"0.0", 0.35, "0.4"}, // 0.34999... in binary
                                         NumberCase{" +##.#0 ", 55.555, " +55.56 "},
                                         NumberCase{"0.00", 9.995,
                                                    "10.00"}, // carry into a new digit
                                         NumberCase{"0.00", 0.9999, "1.00"}));

INSTANTIATE_TEST_SUITE_P(
    SectionsAndSigns, NumberPattern,
    testing::Values(NumberCase{" ##0.#0 ", -1.5, "- 1.50 "}, // minus goes first
                    NumberCase{"0;(0)", -3, "(3)"},          // own negative section, no minus
                    NumberCase{"0.0;-0.0;", 0, "0.0"},       // empty zero section: the first
                    NumberCase{"0;;zero", -4, "-4"},         // empty negative section
                    NumberCase{"0.0", -0.04, "0.0"},         // rounds to zero: no minus
                    NumberCase{"0;0;\"\"", 0, ""},           // a section of only ""
                    NumberCase{"   +##0.###0;   -##0.###0", -0.0125, "   -0.0125"},
                    NumberCase{"   +###0.#0;   -###0.#0", -1, "   -1.00"},
                    NumberCase{"   #0.#0% ;   #0.#0% ; \"\"", -5, "   5.00% "}, // falling: no sign
                    NumberCase{"   #0.#0% ;   #0.#0% ; \"\"", 2.5, "   2.50% "},
                    NumberCase{"   #0.#0% ;   #0.#0% ; \"\"", 0, " "},
                    NumberCase{"   #0.#0% ;   #0.#0% ; \"\"", -0.004, " "}, // rounds to 0.00
                    NumberCase{" +####0 ; -####0 ", 30, " +30 "},
                    NumberCase{" +####0 ; -####0 ", -50, " -50 "},
                    NumberCase{" +#0.0#; -##0.0#; #0", 0, " 0"},
                    NumberCase{" +#0.0#; -##0.0#; #0", 0.001, " 0"},
                    NumberCase{" +#0.0#; -##0.0#; #0", 5, " +5.0"},
                    NumberCase{" +#0.0#; -##0.0#; #0", -2.25, " -2.25"},
                    NumberCase{" +##0.##0 ; -##0.##0 ", -0.1, " -0.100 "},
                    NumberCase{" +###0.#0##; -###0.#0##", -0.5, " -0.50"}));

INSTANTIATE_TEST_SUITE_P(
    TextAndSeparators, NumberPattern,
    testing::Values(NumberCase{"#,##0.00", 1234567.891, "1,234,567.89"},
                    NumberCase{"#,##0.00", 999.999, "1,000.00"}, NumberCase{"#,##0", 12, "12"},
                    NumberCase{"\"Vol: \"0\" sh\"", 42, "Vol: 42 sh"},
                    NumberCase{"'a;0'0", 5, "a;05"}, // quotes hide ";" and "0"
                    NumberCase{" ##0.#0 M ", 0.987654, " 0.99 M "},
                    NumberCase{"   unch", 0, "   unch"})); // no placeholder: text only

TEST(NumberPattern, UsesTheLocaleSeparators) {
    FormatSettings fs;
    fs.decimalSeparator = ',';
    fs.thousandSeparator = '.';
    EXPECT_EQ(formatNumber(1234.5, "#,##0.00", fs), "1.234,50");
    EXPECT_EQ(formatNumber(0.25, " ##0.#0", fs), " 0,25");
}

TEST(DateTime, AddsTheTimeOnlyWhenNotMidnight) {
    const auto fs = FormatSettings::unitedStates();
    const double day = *encodeDate(2016, 1, 4);
    EXPECT_EQ(formatDateTime(day, fs), "1/4/2016");
    EXPECT_EQ(formatDateTime(day + 0.75, fs), "1/4/2016 18:00:00");
}

} // namespace
} // namespace qm

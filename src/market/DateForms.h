#pragma once
// Dates as exports write them besides the numeric forms of DateText.h: with English month
// names, as Unix time stamps, and followed by a time of day.

#include "Calendar.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// A date with an English month name (its first three letters or more, any case) and two
// numbers: day, month, year ("19-Sep-03", "19 September 2003"), month, day, year
// ("Jan 04, 2016", "Sep-19-2003") or a four-digit year first ("2016-Jan-04"), separated by
// blanks, "-", "/", "." or ",". A year of one or two digits is the latest such year up to
// `currentYear`: a price history holds no future year.
std::optional<CivilDate> parseMonthNameDate(std::string_view text, int currentYear);

// How a month-name date is written, for telling the user: "dd-mmm-yy", "mmm dd, yyyy", ...;
// empty when the text is no such date.
std::string monthNameDatePattern(std::string_view text);

// Time since 1970-01-01 UTC as a whole number: seconds (9 or 10 digits, 1973 to 2286) or
// milliseconds (12 or 13 digits).
enum class UnixTime : std::uint8_t { Seconds, Milliseconds };
std::optional<UnixTime> unixTimeUnit(std::string_view text);
// The day count of the UTC day of such a time stamp; nothing when the text is not one.
std::optional<double> unixTimeToDays(std::string_view text, UnixTime unit);

// Whether the text is a time of day alone: hours, ":", minutes, and optionally ":" and seconds
// with their fraction ("16:00", "9:30", "00:00:00", "16:00:00.000").
bool isTimeOfDay(std::string_view text);

// The date before a time of day ("2016-01-04 16:00:00", "2016-01-04T00:00:00Z",
// "1/4/2016 4:00 PM"); nothing when no time of day follows a date.
std::optional<std::string_view> dateBeforeTimeOfDay(std::string_view text);

} // namespace qm

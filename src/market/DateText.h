#pragma once
// Reading dates written as text in a date pattern's order, as price files and the user's
// regional settings write them.

#include "Calendar.h"

#include <optional>
#include <string_view>

namespace qm {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// Whichever of the letters y, m, d comes first in the pattern (any case) gives the order;
// month-day-year when none does.
DateOrder dateOrderOf(std::string_view pattern);

// Two or three unsigned numbers, each optionally preceded by blanks, separated by `separator`,
// optionally followed by one more separator and blanks, and nothing else. Two numbers are month
// and day (day and month in day-first order) of `currentYear`. A year written with one or two
// digits is completed by completeShortYear. The result is a valid calendar date or nothing.
std::optional<CivilDate> parseDateText(std::string_view text, DateOrder order, char separator,
                                       int currentYear);

// The numbers of a date text in the order written, with their digit counts.
struct DateNumbers {
    int value[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0; // 2 or 3
    bool operator==(const DateNumbers&) const = default;
};
// The date of the numbers parseDateText reads from a text, as it gives it.
std::optional<CivilDate> dateOfNumbers(const DateNumbers& numbers, DateOrder order,
                                       int currentYear);

// The year a date written with one or two year digits means: the latest year up to
// `currentYear` that ends in them, as a price history holds no future year ("99" in 2016 is
// 1999, "15" is 2015).
int completeShortYear(int shortYear, int currentYear);

// The current calendar year of this machine's local time.
int currentCalendarYear();

} // namespace qm

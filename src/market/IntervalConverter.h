#pragma once
// Weekly and monthly series made from a daily chart data file.

#include "PriceBar.h"

#include <filesystem>

namespace qm {

// Writes the weekly (Interval::Weekly) or monthly (Interval::Monthly) bars of the daily chart
// data file into a new converted file in `tempFolder` and returns its name; the caller deletes
// the daily file. A period's bar has the open of its first day, the highest high, the lowest
// low, the close and date of its last day and the summed volume. A week begins on a day of
// the week earlier than the day before it or a week or more after it; a month when the month
// or the year changes. The last period is kept only when it looks complete: a week that ended
// on a Friday, a month that reached its last weekday. Reading stops at a record with date 0.
// Throws std::system_error on a read or write failure, leaving no output file.
std::filesystem::path convertInterval(const std::filesystem::path& dailyFile, Interval interval,
                                      const std::filesystem::path& tempFolder);

} // namespace qm

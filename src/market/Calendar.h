#pragma once
// Calendar days as a day count from 1899-12-30 (day 0), the date representation of every
// price bar.

#include <optional>

namespace qm {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
bool isValidDate(int year, int month, int day); // years 1..9999

// The day count of a valid calendar date, or nothing.
std::optional<double> encodeDate(int year, int month, int day);
// The calendar date of a day count (its whole days).
CivilDate decodeDate(double dayCount);
// 1 Sunday, 2 Monday, ..., 7 Saturday.
int dayOfWeek(double dayCount);

// Today on this machine's local calendar, as a day count.
double localToday();

} // namespace qm

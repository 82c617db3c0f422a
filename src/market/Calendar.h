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
// encodeDate for dates that mostly share the month of the date before, as the lines of a price
// file do: the day count of the month's first day is kept from one date to the next.
class MonthStartCache {
public:
    std::optional<double> encode(int year, int month, int day);

private:
    int year_ = 0; // no valid date's year: nothing is kept yet
    int month_ = 0;
    int length_ = 0;
    double first_ = 0.0;
};

// The calendar date of a day count (its whole days).
CivilDate decodeDate(double dayCount);
// 1 Sunday, 2 Monday, ..., 7 Saturday.
int dayOfWeek(double dayCount);

// Today on this machine's local calendar, as a day count.
double localToday();

} // namespace qm

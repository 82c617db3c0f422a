#include "Calendar.h"

#include <cmath>
#include <ctime>

namespace qm {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil algorithms).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate civilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// 1899-12-30 as days from 1970-01-01.
constexpr long long kEpochOffset = -25569;

} // namespace

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

std::optional<double> encodeDate(int year, int month, int day) {
    if (!isValidDate(year, month, day)) return std::nullopt;
    return static_cast<double>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        kEpochOffset);
}

std::optional<double> MonthStartCache::encode(int year, int month, int day) {
    if (year != year_ || month != month_) {
        const std::optional<double> first = encodeDate(year, month, 1);
        if (!first) return std::nullopt;
        year_ = year;
        month_ = month;
        length_ = daysInMonth(year, month);
        first_ = *first;
    }
    if (day < 1 || day > length_) return std::nullopt;
    return first_ + (day - 1);
}

CivilDate decodeDate(double dayCount) {
    return civilFromDays(static_cast<long long>(std::floor(dayCount)) + kEpochOffset);
}

int dayOfWeek(double dayCount) {
    const long long days = static_cast<long long>(std::floor(dayCount));
    // Day 0 was a Saturday.
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

double localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return *encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

} // namespace qm

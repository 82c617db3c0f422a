#pragma once
// The user's regional conventions as a plain value. The platform layer fills it from the
// system locale; tests use the fixed settings below.

#include <array>
#include <string>
#include <string_view>

namespace qm {

struct FormatSettings {
    // Letters d, m, y give the order; "/" stands for the date separator.
    std::string shortDatePattern = "M/d/yyyy";
    char dateSeparator = '/';
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    std::array<std::string, 12> shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

    static FormatSettings unitedStates();
    static FormatSettings dayFirst(); // dd/MM/yyyy, as in the United Kingdom
};

// Writes a day count with a date pattern: d, dd, m, mm, mmm, yy, yyyy (letters in any case),
// "/" for the date separator, text in double or single quotes copied without its quotes,
// everything else copied unchanged.
std::string formatDate(double dayCount, std::string_view pattern, const FormatSettings& fs);

inline std::string formatShortDate(double dayCount, const FormatSettings& fs) {
    return formatDate(dayCount, fs.shortDatePattern, fs);
}

} // namespace qm

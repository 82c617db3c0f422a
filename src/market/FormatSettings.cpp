#include "FormatSettings.h"

#include "Calendar.h"

#include <cctype>

namespace qm {

FormatSettings FormatSettings::unitedStates() {
    return FormatSettings{};
}

FormatSettings FormatSettings::dayFirst() {
    FormatSettings fs;
    fs.shortDatePattern = "dd/MM/yyyy";
    return fs;
}

namespace {

void appendNumber(std::string& out, int value, int minDigits) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < minDigits)
        out.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
    out += digits;
}

} // namespace

std::string formatDate(double dayCount, std::string_view pattern, const FormatSettings& fs) {
    const CivilDate date = decodeDate(dayCount);
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::size_t run = 1;
        while (i + run < pattern.size() &&
               std::tolower(static_cast<unsigned char>(pattern[i + run])) == lower)
            ++run;
        if (lower == 'd') {
            appendNumber(out, date.day, run >= 2 ? 2 : 1);
        } else if (lower == 'm') {
            if (run >= 3)
                out += fs.shortMonthNames[static_cast<std::size_t>(date.month - 1)];
            else
                appendNumber(out, date.month, static_cast<int>(run));
        } else if (lower == 'y') {
            if (run <= 2)
                appendNumber(out, date.year % 100, 2);
            else
                appendNumber(out, date.year, 4);
        } else if (c == '/') {
            out.append(run, fs.dateSeparator);
        } else if (c == '"' || c == '\'') {
            const std::size_t end = pattern.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? pattern.size() : end;
            out.append(pattern.substr(i + 1, stop - i - 1));
            i = end == std::string_view::npos ? pattern.size() : end + 1;
            continue;
        } else {
            out.append(pattern.substr(i, run));
        }
        i += run;
    }
    return out;
}

} // namespace qm

#include "DateForms.h"

#include "DateText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace qm {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDateSeparator(char c) {
    return c == ' ' || c == '-' || c == '/' || c == '.' || c == ',' || c == '\t';
}

// A month-name date cut into its three words, with the separators around them.
struct MonthNameWords {
    std::array<std::string_view, 3> word;
    int monthAt = -1; // which word is the month name
};

std::optional<MonthNameWords> wordsOf(std::string_view text) {
    MonthNameWords w;
    std::size_t count = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isDateSeparator(text[i])) {
            ++i;
            continue;
        }
        const bool letters = isLetter(text[i]);
        if (!letters && !isDigit(text[i])) return std::nullopt;
        const std::size_t start = i;
        while (i < text.size() && (letters ? isLetter(text[i]) : isDigit(text[i]))) ++i;
        if (count == 3) return std::nullopt;
        if (letters) {
            if (w.monthAt >= 0) return std::nullopt;
            w.monthAt = static_cast<int>(count);
        }
        w.word[count++] = text.substr(start, i - start);
    }
    if (count != 3 || w.monthAt < 0 || w.monthAt == 2) return std::nullopt;
    return w;
}

int monthOfName(std::string_view name) {
    if (name.size() < 3) return 0;
    for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
        const std::string_view full = kMonthNames[m];
        if (name.size() > full.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size() && same; ++i)
            same = std::tolower(static_cast<unsigned char>(name[i])) == full[i];
        if (same) return static_cast<int>(m) + 1;
    }
    return 0;
}

int numberOf(std::string_view digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

// Which word is the day and which the year, by where the month name stands.
struct DayYear {
    std::size_t day, year;
};
DayYear dayAndYear(const MonthNameWords& w) {
    if (w.monthAt == 0) return {1, 2};        // Jan 04, 2016
    if (w.word[0].size() == 4) return {2, 0}; // 2016-Jan-04
    return {0, 2};                            // 04-Jan-2016
}

} // namespace

std::optional<CivilDate> parseMonthNameDate(std::string_view text, int currentYear) {
    const std::optional<MonthNameWords> w = wordsOf(text);
    if (!w) return std::nullopt;
    const DayYear at = dayAndYear(*w);
    const std::string_view day = w->word[at.day];
    const std::string_view year = w->word[at.year];
    if (day.size() > 2 || (year.size() != 4 && year.size() > 2)) return std::nullopt;
    CivilDate date{numberOf(year), monthOfName(w->word[static_cast<std::size_t>(w->monthAt)]),
                   numberOf(day)};
    if (year.size() <= 2) date.year = completeShortYear(date.year, currentYear);
    if (!isValidDate(date.year, date.month, date.day)) return std::nullopt;
    return date;
}

std::string monthNameDatePattern(std::string_view text) {
    const std::optional<MonthNameWords> w = wordsOf(text);
    if (!w || !parseMonthNameDate(text, 2000)) return {};
    const DayYear at = dayAndYear(*w);
    std::string pattern;
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (next < 3 && text.data() + i == w->word[next].data()) {
            const std::string_view word = w->word[next];
            if (static_cast<int>(next) == w->monthAt)
                pattern += word.size() > 3 ? "mmmm" : "mmm";
            else if (next == at.day)
                pattern += word.size() == 2 ? "dd" : "d";
            else
                pattern += word.size() == 4 ? "yyyy" : "yy";
            i += word.size();
            ++next;
        } else {
            pattern += text[i++];
        }
    }
    return pattern;
}

std::optional<UnixTime> unixTimeUnit(std::string_view text) {
    for (const char c : text)
        if (!isDigit(c)) return std::nullopt;
    if (text.size() == 9 || text.size() == 10) return UnixTime::Seconds;
    if (text.size() == 12 || text.size() == 13) return UnixTime::Milliseconds;
    return std::nullopt;
}

std::optional<double> unixTimeToDays(std::string_view text, UnixTime unit) {
    if (unixTimeUnit(text) != unit) return std::nullopt;
    constexpr double kUnixEpochDay = 25569; // 1970-01-01
    constexpr double kSecondsPerDay = 86400;
    std::int64_t value = 0;
    for (const char c : text) value = value * 10 + (c - '0');
    const std::int64_t seconds = unit == UnixTime::Seconds ? value : value / 1000;
    return std::floor(static_cast<double>(seconds) / kSecondsPerDay) + kUnixEpochDay;
}

bool isTimeOfDay(std::string_view text) {
    // Two numbers of one or two digits and two digits, below 24 and 60.
    const auto number = [&text](std::size_t minDigits, int below) {
        std::size_t n = 0;
        int value = 0;
        while (n < text.size() && n < 2 && isDigit(text[n])) value = value * 10 + (text[n++] - '0');
        text.remove_prefix(n);
        return n >= minDigits && value < below;
    };
    const auto colon = [&text] {
        if (text.empty() || text.front() != ':') return false;
        text.remove_prefix(1);
        return true;
    };
    if (!number(1, 24) || !colon() || !number(2, 60)) return false;
    if (text.empty()) return true;
    if (!colon() || !number(2, 61)) return false;
    if (!text.empty() && text.front() == '.') text.remove_prefix(1);
    return std::all_of(text.begin(), text.end(), isDigit);
}

std::optional<std::string_view> dateBeforeTimeOfDay(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;
    std::size_t hour = colon;
    while (hour > 0 && colon - hour < 2 && isDigit(text[hour - 1])) --hour;
    if (hour == colon || hour == 0 || (text[hour - 1] != ' ' && text[hour - 1] != 'T'))
        return std::nullopt;
    // What follows must read as a time: digits, ":", ".", a zone or AM/PM.
    for (const char c : text.substr(hour))
        if (!isDigit(c) && std::string_view(":. +-ZAPMapmUTC").find(c) == std::string_view::npos)
            return std::nullopt;
    std::string_view date = text.substr(0, hour - 1);
    while (!date.empty() && date.back() == ' ') date.remove_suffix(1);
    if (date.empty()) return std::nullopt;
    return date;
}

} // namespace qm

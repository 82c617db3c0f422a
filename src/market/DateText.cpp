#include "DateText.h"

#include <cctype>
#include <ctime>

namespace qm {

DateOrder dateOrderOf(std::string_view pattern) {
    for (const char c : pattern) {
        switch (std::tolower(static_cast<unsigned char>(c))) {
        case 'y':
            return DateOrder::YearMonthDay;
        case 'm':
            return DateOrder::MonthDayYear;
        case 'd':
            return DateOrder::DayMonthYear;
        default:
            break;
        }
    }
    return DateOrder::MonthDayYear;
}

namespace {

struct Scanner {
    std::string_view text;
    std::size_t pos = 0;

    void skipBlanks() {
        while (pos < text.size() && text[pos] == ' ') ++pos;
    }
    // An unsigned number of at most eight digits; its digit count through `digits`.
    bool number(int& value, int& digits) {
        skipBlanks();
        value = 0;
        digits = 0;
        while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
            if (++digits > 8) return false;
            value = value * 10 + (text[pos++] - '0');
        }
        return digits > 0;
    }
    bool character(char c) {
        skipBlanks();
        if (pos < text.size() && text[pos] == c) {
            ++pos;
            return true;
        }
        return false;
    }
    bool atEnd() const { return pos == text.size(); }
};

} // namespace

std::optional<CivilDate> parseDateText(std::string_view text, DateOrder order, char separator,
                                       int currentYear) {
    Scanner s{text};
    int n[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    if (!s.number(n[0], digits[0]) || !s.character(separator) || !s.number(n[1], digits[1]))
        return std::nullopt;
    int count = 2;
    if (s.character(separator)) {
        if (s.number(n[2], digits[2])) {
            count = 3;
            if (s.character(separator)) s.skipBlanks();
        } else {
            s.skipBlanks();
        }
    }
    if (!s.atEnd()) return std::nullopt;

    CivilDate date;
    int yearDigits = 4;
    if (count == 2) {
        date.year = currentYear;
        if (order == DateOrder::DayMonthYear) {
            date.day = n[0];
            date.month = n[1];
        } else {
            date.month = n[0];
            date.day = n[1];
        }
    } else {
        switch (order) {
        case DateOrder::YearMonthDay:
            date = {n[0], n[1], n[2]};
            yearDigits = digits[0];
            break;
        case DateOrder::MonthDayYear:
            date = {n[2], n[0], n[1]};
            yearDigits = digits[2];
            break;
        case DateOrder::DayMonthYear:
            date = {n[2], n[1], n[0]};
            yearDigits = digits[2];
            break;
        }
        if (yearDigits <= 2) date.year += currentYear / 100 * 100;
    }
    if (!isValidDate(date.year, date.month, date.day)) return std::nullopt;
    return date;
}

int currentCalendarYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

} // namespace qm

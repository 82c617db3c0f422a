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

// The numbers of the common form, three unsigned numbers between single separators and
// nothing else ("1/4/2016"), read without the scanner; false for any other text, which the
// scanner then reads. Takes exactly what the scanner takes of such text.
bool readPlainDateNumbers(std::string_view text, char separator, DateNumbers& out) {
    if (separator == ' ' || (separator >= '0' && separator <= '9')) return false;
    const char* p = text.data();
    const char* const end = p + text.size();
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && (p == end || *p++ != separator)) return false;
        const char* const first = p;
        unsigned value = 0; // may wrap on a long run of digits, which is refused below
        for (unsigned digit = 0; p < end && (digit = static_cast<unsigned char>(*p) - '0') <= 9;
             ++p)
            value = value * 10 + digit;
        if (p == first || p - first > 8) return false;
        out.value[i] = static_cast<int>(value);
        out.digits[i] = static_cast<int>(p - first);
    }
    out.count = 3;
    return p == end;
}

// The numbers of any form the scanner takes.
bool readDateNumbers(std::string_view text, char separator, DateNumbers& out) {
    if (readPlainDateNumbers(text, separator, out)) return true;
    int(&n)[3] = out.value;
    int(&digits)[3] = out.digits;
    Scanner s{text};
    if (!s.number(n[0], digits[0]) || !s.character(separator) || !s.number(n[1], digits[1]))
        return false;
    out.count = 2;
    if (s.character(separator)) {
        if (s.number(n[2], digits[2])) {
            out.count = 3;
            if (s.character(separator)) s.skipBlanks();
        } else {
            s.skipBlanks();
        }
    }
    return s.atEnd();
}

} // namespace

std::optional<CivilDate> parseDateText(std::string_view text, DateOrder order, char separator,
                                       int currentYear) {
    DateNumbers numbers;
    if (!readDateNumbers(text, separator, numbers)) return std::nullopt;
    return dateOfNumbers(numbers, order, currentYear);
}

std::optional<CivilDate> dateOfNumbers(const DateNumbers& numbers, DateOrder order,
                                       int currentYear) {
    const int(&n)[3] = numbers.value;
    CivilDate date;
    int yearDigits = 4;
    if (numbers.count == 2) {
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
            yearDigits = numbers.digits[0];
            break;
        case DateOrder::MonthDayYear:
            date = {n[2], n[0], n[1]};
            yearDigits = numbers.digits[2];
            break;
        case DateOrder::DayMonthYear:
            date = {n[2], n[1], n[0]};
            yearDigits = numbers.digits[2];
            break;
        }
        if (yearDigits <= 2) date.year = completeShortYear(date.year, currentYear);
    }
    if (!isValidDate(date.year, date.month, date.day)) return std::nullopt;
    return date;
}

int completeShortYear(int shortYear, int currentYear) {
    const int year = currentYear / 100 * 100 + shortYear;
    return year > currentYear ? year - 100 : year;
}

int currentCalendarYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

} // namespace qm

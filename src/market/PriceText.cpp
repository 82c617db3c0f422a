#include "PriceText.h"

#include "Calendar.h"
#include "LineReader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace qm {
namespace {

std::string_view trimSpacesAndTabs(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The commonest number of a price file: digits with an optional "." and more digits
// ("106.05", "3784300"), kMaxPlainDigits at most, and nothing else.
std::optional<double> parsePlainDecimal(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    std::uint64_t digits = 0; // wraps beyond 19 digits, which are refused anyway
    for (; p < end && isDigit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
    const auto whole = static_cast<std::size_t>(p - text.data());
    if (whole == 0) return std::nullopt;
    std::size_t decimals = 0;
    if (p < end && *p == '.') {
        const char* const first = ++p;
        for (; p < end && isDigit(*p); ++p) digits = digits * 10 + static_cast<unsigned>(*p - '0');
        decimals = static_cast<std::size_t>(p - first);
        if (decimals == 0) return std::nullopt;
    }
    if (p != end || whole + decimals > kMaxPlainDigits) return std::nullopt;
    return exactDecimal(digits, decimals);
}

} // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

void splitLine(std::string_view line, char separator, LinePieces& out, bool keepGaps) {
    out.count = 0;
    if (separator == '\0') {
        if (!line.empty()) out.piece[out.count++] = line;
        return;
    }
    // Columns lined up by hand mix tabs with the spaces.
    const auto separates = [separator](char c) {
        return c == separator || (separator == ' ' && c == '\t');
    };
    const auto add = [&out](const char* start, const char* stop) {
        if (out.count < LinePieces::kKept)
            out.piece[out.count] = {start, static_cast<std::size_t>(stop - start)};
        ++out.count;
    };
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end) {
        const char* const run = p;
        while (p < end && separates(*p)) ++p;
        if (p == end) break;
        if (keepGaps && out.count > 0)
            for (const char* gap = run + 1; gap < p; ++gap) add(gap, gap);
        const char* start = p;
        while (p < end && !separates(*p)) ++p;
        add(start, p);
    }
}

void splitFields(std::string_view line, char separator, LineFields& out) {
    out.count = 0;
    out.filled = 0;
    const char* p = line.data();
    const char* const end = p + line.size();
    const auto isLeadingBlank = [separator](char c) { return isBlank(c) && c != separator; };
    for (;;) {
        while (p < end && isLeadingBlank(*p)) ++p;
        const char* start = p;
        std::string_view field;
        if (p < end && *p == '"') {
            // Up to the closing quote; "" inside stands for a quote and ends nothing.
            const char* inside = ++p;
            while (p < end && !(*p == '"' && (p + 1 == end || p[1] != '"'))) p += *p == '"' ? 2 : 1;
            field = {inside, static_cast<std::size_t>(std::min(p, end) - inside)};
            if (p < end) ++p;
            while (p < end && isLeadingBlank(*p)) ++p;
            // Text between the closing quote and the separator: the field is not what its
            // quotes say, so it is kept whole, quotes and all, for its reader to refuse.
            if (p < end && *p != separator) {
                while (p < end && *p != separator) ++p;
                field = trimBlanks({start, static_cast<std::size_t>(p - start)});
            }
        } else {
            while (p < end && *p != separator) ++p;
            field = trimBlanks({start, static_cast<std::size_t>(p - start)});
        }
        if (out.count < LineFields::kKept) out.piece[out.count] = field;
        ++out.count;
        if (!field.empty()) ++out.filled;
        if (p >= end) break;
        ++p;
        if (separator == ' ')
            while (p < end && *p == ' ') ++p;
    }
}

std::optional<double> parseDecimal(std::string_view text) {
    text = trimSpacesAndTabs(text);
    if (const std::optional<double> plain = parsePlainDecimal(text)) return plain;
    // from_chars takes a minus sign but no plus sign.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> parsePrice(std::string_view text) {
    const std::optional<double> value = parseDecimal(text);
    if (!value) return std::nullopt;
    const auto single = static_cast<float>(*value);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

std::optional<float> parsePriceWithoutCommas(std::string_view text) {
    if (text.find(',') == std::string_view::npos) return parsePrice(text);
    char kept[LineReader::kMaxLineLength];
    std::size_t n = 0;
    for (const char c : text)
        if (c != ',' && n < sizeof kept) kept[n++] = c;
    return parsePrice({kept, n});
}

namespace {

// The currency signs a price may begin with.
constexpr std::string_view kCurrencySigns[] = {"$", "\xE2\x82\xAC", "\xC2\xA3"}; // $ € £

bool skipPrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) return false;
    text.remove_prefix(prefix.size());
    return true;
}

// Characters that may stand between groups of three digits besides the other decimal mark:
// a space, a no-break space, an apostrophe.
std::size_t groupMarkLength(std::string_view text, char thousandsMark) {
    if (text.empty()) return 0;
    if (text.front() == thousandsMark || text.front() == ' ' || text.front() == '\'') return 1;
    return text.starts_with("\xC2\xA0") ? 2 : 0;
}

// The slow way of readFieldNumber, for anything but a plain number: the text is rewritten as a
// plain number, every mark checked on the way.
FieldValue readExportNumber(std::string_view text, char decimalMark, bool volume, float& value) {
    text = trimBlanks(text);
    if (isMissingValue(text)) return FieldValue::Missing;
    char plain[128];
    std::size_t n = 0;
    const auto put = [&](char c) {
        if (n == sizeof plain) return false;
        plain[n++] = c;
        return true;
    };
    // A sign and a currency sign, in either order.
    bool hasSign = false, currency = false;
    for (bool more = true; more && !text.empty();) {
        more = false;
        if (!hasSign && (text.front() == '-' || text.front() == '+')) {
            if (text.front() == '-') put('-');
            text.remove_prefix(1);
            hasSign = more = true;
        }
        for (const std::string_view sign : kCurrencySigns)
            if (!currency && skipPrefix(text, sign)) currency = more = true;
        if (currency) text = trimBlanks(text);
    }
    // Whole part: digits, in groups of three after the first when marks divide them.
    const char thousandsMark = decimalMark == '.' ? ',' : '.';
    std::size_t digits = 0, run = 0;
    bool grouped = false;
    for (;;) {
        if (!text.empty() && isDigit(text.front())) {
            if (!put(text.front())) return FieldValue::Bad;
            text.remove_prefix(1);
            ++digits;
            ++run;
            continue;
        }
        const std::size_t mark = groupMarkLength(text, thousandsMark);
        if (mark == 0) break;
        if (run == 0 || run > 3 || (grouped && run != 3)) return FieldValue::Bad;
        text.remove_prefix(mark);
        grouped = true;
        run = 0;
    }
    if (grouped && run != 3) return FieldValue::Bad;
    if (!text.empty() && text.front() == decimalMark) {
        text.remove_prefix(1);
        if (!put('.')) return FieldValue::Bad;
        for (; !text.empty() && isDigit(text.front()); text.remove_prefix(1), ++digits)
            if (!put(text.front())) return FieldValue::Bad;
    }
    if (digits == 0) return FieldValue::Bad;
    if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
        put('e');
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
            put(text.front());
            text.remove_prefix(1);
        }
        if (text.empty() || !isDigit(text.front())) return FieldValue::Bad;
        for (; !text.empty() && isDigit(text.front()); text.remove_prefix(1))
            if (!put(text.front())) return FieldValue::Bad;
    }
    double scale = 1.0;
    if (volume && text.size() == 1) {
        switch (text.front()) {
        case 'K':
        case 'k':
            scale = 1e3;
            break;
        case 'M':
        case 'm':
            scale = 1e6;
            break;
        case 'B':
        case 'b':
            scale = 1e9;
            break;
        default:
            return FieldValue::Bad;
        }
        text.remove_prefix(1);
    }
    if (!text.empty()) return FieldValue::Bad;
    double number = 0.0;
    const auto [end, ec] = std::from_chars(plain, plain + n, number, std::chars_format::general);
    const auto single = static_cast<float>(number * scale);
    if (ec != std::errc{} || end != plain + n || !std::isfinite(single)) return FieldValue::Bad;
    value = single;
    return FieldValue::Number;
}

} // namespace

FieldValue readFieldNumber(std::string_view text, char decimalMark, bool volume, float& value) {
    if (decimalMark == '.') {
        if (const std::optional<float> plain = parsePrice(text)) {
            value = *plain;
            return FieldValue::Number;
        }
    }
    return readExportNumber(text, decimalMark, volume, value);
}

bool isMissingValue(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() > 4) return false;
    char lower[4];
    for (std::size_t i = 0; i < text.size(); ++i)
        lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    const std::string_view word(lower, text.size());
    for (const std::string_view mark : {"", "-", "null", "nan", "n/a", "na", "#n/a", "none"})
        if (word == mark) return true;
    return false;
}

bool isNumericDate(std::string_view text) {
    if (text.empty() || text.size() > 10) return false;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= INT32_MAX;
}

std::optional<double> numericDateToDays(double number) {
    if (!(number >= 0.0 && number < 2147483648.0)) return std::nullopt;
    const auto v = static_cast<std::int32_t>(number); // truncates
    int year = v / 10000;
    int month = v / 100 % 100;
    if (year < 9) {
        if (year == 0) month = v / 100;
        year += 2000;
    } else if (year <= 99) {
        year += 1900;
    }
    return encodeDate(year, month, v % 100);
}

} // namespace qm

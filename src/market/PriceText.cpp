#include "PriceText.h"

#include "Calendar.h"
#include "LineReader.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace qm {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimSpacesAndTabs(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

} // namespace

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

void splitLine(std::string_view line, char separator, LinePieces& out) {
    out.count = 0;
    if (separator == '\0') {
        if (!line.empty()) out.piece[out.count++] = line;
        return;
    }
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end) {
        while (p < end && *p == separator) ++p;
        if (p == end) break;
        const char* start = p;
        while (p < end && *p != separator) ++p;
        if (out.count < LinePieces::kKept)
            out.piece[out.count] = {start, static_cast<std::size_t>(p - start)};
        ++out.count;
    }
}

std::optional<double> parseDecimal(std::string_view text) {
    text = trimSpacesAndTabs(text);
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

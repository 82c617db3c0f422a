#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace qm {
namespace {

// Significant digits taken from a value before it is rounded to the pattern's decimals, so
// that binary noise such as 2.67499999... is written as the 2.675 it stands for.
constexpr int kSignificantDigits = 15;

std::vector<std::string_view> splitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

// What a section asks for, found by walking it once.
struct SectionShape {
    int intPlaces = 0; // "0" and "#" before the point
    int minInt = 0;    // placeholders from the first "0" to the point
    int decPlaces = 0; // "0" and "#" after the point
    int minDec = 0;    // up to and including the last "0" after the point
    bool thousands = false;
};

// Calls visit(kind, text) for each piece of a section: 'q' quoted text, 'l' a literal
// character, or the placeholder character itself ('0', '#', '.', ',').
template <typename Visit> void walkSection(std::string_view section, Visit visit) {
    bool pointSeen = false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = section.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? section.size() : end;
            visit('q', section.substr(i + 1, stop - i - 1));
            i = stop;
        } else if (c == '0' || c == '#' || c == ',' || (c == '.' && !pointSeen)) {
            pointSeen = pointSeen || c == '.';
            visit(c, section.substr(i, 1));
        } else {
            visit('l', section.substr(i, 1));
        }
    }
}

SectionShape shapeOf(std::string_view section) {
    SectionShape s;
    bool afterPoint = false;
    int firstZero = -1;
    walkSection(section, [&](char kind, std::string_view) {
        if (kind == '.') {
            afterPoint = true;
        } else if (kind == ',') {
            s.thousands = true;
        } else if (kind == '0' || kind == '#') {
            if (afterPoint) {
                ++s.decPlaces;
                if (kind == '0') s.minDec = s.decPlaces;
            } else {
                if (kind == '0' && firstZero < 0) firstZero = s.intPlaces;
                ++s.intPlaces;
            }
        }
    });
    s.minInt = firstZero < 0 ? 0 : s.intPlaces - firstZero;
    return s;
}

// The digits of |value| rounded half away from zero to `decimals` places.
struct Digits {
    std::string integer;  // no leading zeros; empty for a value below one
    std::string fraction; // exactly `decimals` digits
    bool zero() const {
        return integer.find_first_not_of('0') == std::string::npos &&
               fraction.find_first_not_of('0') == std::string::npos;
    }
};

Digits roundedDigits(double magnitude, int decimals) {
    Digits d;
    if (magnitude == 0.0) {
        d.fraction.assign(static_cast<std::size_t>(decimals), '0');
        return d;
    }
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                   kSignificantDigits - 1);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const std::size_t e = text.find('e');
    std::string mantissa;
    for (const char c : text.substr(0, e))
        if (c != '.') mantissa += c;
    int exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    // mantissa holds the digits of 0.d1d2... x 10^pointPos
    int pointPos = exponent + 1;
    const int keep = pointPos + decimals;
    if (keep < 0) {
        mantissa.clear();
    } else if (keep < static_cast<int>(mantissa.size())) {
        const bool up = mantissa[static_cast<std::size_t>(keep)] >= '5';
        mantissa.resize(static_cast<std::size_t>(keep));
        if (up) {
            int i = keep - 1;
            for (; i >= 0 && mantissa[static_cast<std::size_t>(i)] == '9'; --i)
                mantissa[static_cast<std::size_t>(i)] = '0';
            if (i >= 0) {
                ++mantissa[static_cast<std::size_t>(i)];
            } else {
                mantissa.insert(mantissa.begin(), '1');
                ++pointPos;
            }
        }
    }
    // Lay the digits out around the point.
    for (int i = 0; i < pointPos; ++i)
        d.integer +=
            i < static_cast<int>(mantissa.size()) ? mantissa[static_cast<std::size_t>(i)] : '0';
    for (int i = pointPos; i < pointPos + decimals; ++i)
        d.fraction += i >= 0 && i < static_cast<int>(mantissa.size())
                          ? mantissa[static_cast<std::size_t>(i)]
                          : '0';
    const std::size_t lead = d.integer.find_first_not_of('0');
    d.integer.erase(0, lead == std::string::npos ? d.integer.size() : lead);
    return d;
}

std::string writeSection(std::string_view section, const SectionShape& shape, Digits digits,
                         bool minus, const FormatSettings& fs) {
    // Trailing zeros go down to the last "0"; leading zeros come up to the first "0".
    while (static_cast<int>(digits.fraction.size()) > shape.minDec && digits.fraction.back() == '0')
        digits.fraction.pop_back();
    if (static_cast<int>(digits.integer.size()) < shape.minInt)
        digits.integer.insert(0, static_cast<std::size_t>(shape.minInt) - digits.integer.size(),
                              '0');

    const std::string& whole = digits.integer;
    const int count = static_cast<int>(whole.size());
    std::string out = minus ? "-" : "";
    auto putIntegerDigit = [&](int j) {
        out += whole[static_cast<std::size_t>(j)];
        const int left = count - 1 - j;
        if (shape.thousands && left > 0 && left % 3 == 0) out += fs.thousandSeparator;
    };
    // Digits beyond the placeholders before the point go where the first one stands.
    const int extra = count - shape.intPlaces;
    int intIndex = 0;
    int decIndex = 0;
    walkSection(section, [&](char kind, std::string_view text) {
        switch (kind) {
        case '0':
        case '#':
            if (intIndex < shape.intPlaces) {
                if (intIndex == 0)
                    for (int j = 0; j < extra; ++j) putIntegerDigit(j);
                if (const int j = extra + intIndex; j >= 0) putIntegerDigit(j);
                ++intIndex;
            } else if (decIndex < static_cast<int>(digits.fraction.size())) {
                out += digits.fraction[static_cast<std::size_t>(decIndex++)];
            }
            break;
        case '.':
            if (shape.intPlaces == 0)
                for (int j = 0; j < count; ++j) putIntegerDigit(j);
            intIndex = shape.intPlaces;
            if (!digits.fraction.empty()) out += fs.decimalSeparator;
            break;
        case ',':
            break;
        default:
            out += text;
        }
    });
    return out;
}

} // namespace

std::string formatNumber(double value, std::string_view pattern, const FormatSettings& fs) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

    const std::vector<std::string_view> sections = splitSections(pattern);
    auto sectionOr = [&](std::size_t i) {
        return i < sections.size() && !sections[i].empty() ? sections[i] : sections[0];
    };
    const bool negative = value < 0;
    const bool ownNegative = sections.size() > 1 && !sections[1].empty();
    std::string_view section = negative ? sectionOr(1) : sections[0];
    SectionShape shape = shapeOf(section);
    Digits digits = roundedDigits(std::fabs(value), shape.decPlaces);
    if (digits.zero()) {
        section = sectionOr(2);
        shape = shapeOf(section);
        return writeSection(section, shape, roundedDigits(0.0, shape.decPlaces), false, fs);
    }
    return writeSection(section, shape, std::move(digits), negative && !ownNegative, fs);
}

std::string formatDateTime(double dayCount, const FormatSettings& fs) {
    std::string out = formatShortDate(dayCount, fs);
    const long seconds = std::lround((dayCount - std::floor(dayCount)) * 86400.0);
    if (seconds > 0 && seconds < 86400) {
        char time[16];
        std::snprintf(time, sizeof time, " %02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
        out += time;
    }
    return out;
}

} // namespace qm

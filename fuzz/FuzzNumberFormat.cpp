// The number-pattern formatter with any pattern and value, and the date-and-time text of any
// calendar day count.
//
// Input: byte 0 is the mode (bit 0 a pattern of placeholders only, whose text is checked to
// stand for the rounded value; bit 1 a value made of a whole number and a power of ten; bit 2
// day-first regional settings with "," as the decimal mark); then eight bytes of value; the rest
// is the pattern.

#include "FuzzSupport.h"
#include "format/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

using namespace qm;

namespace {

// The day counts of 0001-01-01 and 9999-12-31.
constexpr double kFirstDay = -693593.0;
constexpr double kLastDay = 2958465.0;

// A pattern of "0", "#", "." and "," only: one section whose text must read back as the value
// rounded to its decimals.
void checkPlaceholderPattern(double value, const std::string& pattern, const FormatSettings& fs) {
    if (!std::isfinite(value) || std::fabs(value) > 1e15) return;
    // A section without a digit placeholder or point writes no number at all.
    if (pattern.find_first_of("0#.") == std::string::npos) return;
    const std::string text = formatNumber(value, pattern, fs);
    std::string plain;
    for (const char c : text) {
        if (c == fs.thousandSeparator) continue;
        plain += c == fs.decimalSeparator ? '.' : c;
    }
    const std::size_t point = pattern.find('.');
    const int decimals = point == std::string::npos
                             ? 0
                             : static_cast<int>(std::count_if(
                                   pattern.begin() + static_cast<std::ptrdiff_t>(point),
                                   pattern.end(), [](char c) { return c == '0' || c == '#'; }));
    if (decimals > 12) return;
    QM_FUZZ_CHECK(plain.find_first_not_of("-0123456789.") == std::string::npos,
                  "placeholders write digits, sign and point only");
    const double read =
        plain.empty() || plain == "-" || plain == "." ? 0.0 : std::strtod(plain.c_str(), nullptr);
    const double step = std::pow(10.0, -decimals);
    QM_FUZZ_CHECK(std::fabs(read - value) <= step / 2 + std::fabs(value) * 1e-13,
                  "the text stands for the value rounded to the pattern's decimals");
    QM_FUZZ_CHECK(text.find('-') == std::string::npos || (text[0] == '-' && value < 0),
                  "a minus sign only first and only for a negative value");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9) return 0;
    const std::uint8_t mode = data[0];
    double value = 0;
    if ((mode & 2) != 0) {
        std::int64_t whole = 0;
        std::memcpy(&whole, data + 1, sizeof whole);
        value = static_cast<double>(whole % 100000000000) / std::pow(10.0, (whole >> 40) & 15);
    } else {
        std::memcpy(&value, data + 1, sizeof value);
    }
    std::string pattern(reinterpret_cast<const char*>(data) + 9, size - 9);
    FormatSettings fs = FormatSettings::unitedStates();
    if ((mode & 4) != 0) {
        fs = FormatSettings::dayFirst();
        fs.decimalSeparator = ',';
        fs.thousandSeparator = '.';
    }

    (void)formatNumber(value, pattern, fs);
    if ((mode & 1) != 0) {
        static constexpr char kPlaceholders[] = {'0', '#', '.', ','};
        for (char& c : pattern) c = kPlaceholders[static_cast<unsigned char>(c) % 4];
        // Only the first "." is the point; later ones would be copied as text.
        const std::size_t point = pattern.find('.');
        if (point != std::string::npos)
            std::replace(pattern.begin() + static_cast<std::ptrdiff_t>(point) + 1, pattern.end(),
                         '.', '#');
        checkPlaceholderPattern(value, pattern, fs);
    }
    if (std::isfinite(value) && value >= kFirstDay && value <= kLastDay)
        (void)formatDateTime(value, fs);
    return 0;
}

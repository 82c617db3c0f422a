#pragma once
// The pieces of a price file line and the numbers in them. Numbers always use "." as the
// decimal mark, whatever the user's locale; nothing here allocates.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace qm {

// The text without leading and trailing blanks and control characters.
std::string_view trimBlanks(std::string_view text);

// A line cut at every separator, empty pieces dropped, so runs of separators count as one.
// There is no quoting: a separator inside quotes still cuts. Separator NUL leaves the line
// whole. Only the first kKept pieces are kept; `count` counts them all.
struct LinePieces {
    static constexpr std::size_t kKept = 8;
    std::array<std::string_view, kKept> piece;
    std::size_t count = 0;

    // The piece, or an empty text beyond the line's end.
    std::string_view operator[](std::size_t i) const {
        return i < count && i < kKept ? piece[i] : std::string_view{};
    }
};
void splitLine(std::string_view line, char separator, LinePieces& out);

// A decimal number: optional sign, digits with an optional ".", optional exponent, blanks
// around. Nothing when the text is anything else or the value is not a finite single.
std::optional<float> parsePrice(std::string_view text);
// As parsePrice, with every comma taken out first (volumes written as "1,234,500").
std::optional<float> parsePriceWithoutCommas(std::string_view text);
// As parsePrice, in double precision.
std::optional<double> parseDecimal(std::string_view text);

// Whether a value field holds what price sources write for "no value here" (a holiday, a
// series without volumes): nothing, "-", "null", "NaN", "N/A", "NA", "#N/A" or "None", in any
// case, with blanks around.
bool isMissingValue(std::string_view text);

// Whether the text is all digits and fits a 32-bit signed integer: a numeric date column.
bool isNumericDate(std::string_view text);

// The day count of a date written as one number: yyyymmdd, with shorter forms for recent
// years (991231 is 1999-12-31, 80115 is 2008-01-15, 104 is 2000-01-04). The number is
// truncated to a whole number first. Nothing when it names no valid calendar date.
std::optional<double> numericDateToDays(double number);

} // namespace qm

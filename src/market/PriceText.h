#pragma once
// The pieces of a price file line and the numbers in them. Numbers always use "." as the
// decimal mark, whatever the user's locale; nothing here allocates.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qm {

// A blank as price files have them: a space, a tab or any other control character.
inline bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text without leading and trailing blanks and control characters.
std::string_view trimBlanks(std::string_view text);

// The pieces of a line. Only the first `Kept` pieces are kept; `count` counts them all.
template <std::size_t Kept> struct Pieces {
    static constexpr std::size_t kKept = Kept;
    std::array<std::string_view, Kept> piece;
    std::size_t count = 0;
    std::size_t filled = 0; // pieces that are not empty, counted while splitting by name

    // The piece, or an empty text beyond the line's end.
    std::string_view operator[](std::size_t i) const {
        return i < count && i < Kept ? piece[i] : std::string_view{};
    }
};

// A line cut at every separator, empty pieces dropped, so runs of separators count as one.
// There is no quoting: a separator inside quotes still cuts. Separator NUL leaves the line
// whole; with a space, tabs separate as well. `keepGaps` keeps the empty pieces between two
// others, where a run of commas marks values left empty.
using LinePieces = Pieces<8>;
void splitLine(std::string_view line, char separator, LinePieces& out, bool keepGaps = false);

// The fields of a line whose columns a header names, as spreadsheets write them: every
// separator ends a field, so an empty field keeps its place (runs of spaces count as one when
// the separator is a space); a field in double quotes may hold the separator, and "" inside it
// stands for a quote. Fields come without their quotes and without blanks around.
using LineFields = Pieces<32>;
void splitFields(std::string_view line, char separator, LineFields& out);

// A decimal number: optional sign, digits with an optional ".", optional exponent, blanks
// around. Nothing when the text is anything else or the value is not a finite single.
std::optional<float> parsePrice(std::string_view text);
// As parsePrice, with every comma taken out first (volumes written as "1,234,500").
std::optional<float> parsePriceWithoutCommas(std::string_view text);
// As parsePrice, in double precision.
std::optional<double> parseDecimal(std::string_view text);

// Numbers of at most this many decimal digits have a quick way through.
inline constexpr std::size_t kMaxPlainDigits = 15;
inline constexpr double kExactPowersOfTen[kMaxPlainDigits + 1] = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// The number whose digits, the last `decimals` of them after the point, make `digits`
// (kMaxPlainDigits at most), rounded as a full decimal reader rounds that text: fifteen
// decimal digits stay below 2^53, so the digits make an exact double, and so does ten to the
// power of the decimals; one division of the two rounds as a full decimal reader does.
// Digits of kMaxPlainDigits at most as a double, by the signed conversion, which is one
// instruction where the unsigned one branches on the top bit.
inline double digitsAsDouble(std::uint64_t digits) {
    return static_cast<double>(static_cast<std::int64_t>(digits));
}
inline double exactDecimal(std::uint64_t digits, std::size_t decimals) {
    return digitsAsDouble(digits) / kExactPowersOfTen[decimals];
}
// The single nearest exactDecimal, as casting it gives, most often without a division: the
// digits times the double nearest 1/10^decimals lie within two units of the last place of the
// exact quotient, and exactDecimal within half a unit, so the two round to the same single
// unless they lie that close to a point halfway between two singles.
inline float exactDecimalAsSingle(std::uint64_t digits, std::size_t decimals) {
    static constexpr double kTenths[kMaxPlainDigits + 1] = {1e0,   1e-1,  1e-2,  1e-3, 1e-4,  1e-5,
                                                            1e-6,  1e-7,  1e-8,  1e-9, 1e-10, 1e-11,
                                                            1e-12, 1e-13, 1e-14, 1e-15};
    const double product = digitsAsDouble(digits) * kTenths[decimals];
    // The 29 bits a double has beyond a single's, 2^28 where it lies halfway between two.
    const auto beyond = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(product)) &
                        ((std::uint32_t{1} << 29) - 1);
    constexpr std::uint32_t kHalfway = std::uint32_t{1} << 28, kMargin = 8;
    if (beyond - (kHalfway - kMargin) <= 2 * kMargin)
        return static_cast<float>(exactDecimal(digits, decimals));
    return static_cast<float>(product);
}

// A number of a file whose columns a header names, as exports write them: "." or ","
// (`decimalMark`) before the decimals, the other of the two, a space or "'" between groups of
// three digits, a currency sign ("$", "€", "£") before it, and for a volume a K, M or B
// suffix (thousands, millions, billions).
enum class FieldValue : std::uint8_t {
    Number,
    Missing, // a missing-value mark (isMissingValue)
    Bad,
};
FieldValue readFieldNumber(std::string_view text, char decimalMark, bool volume, float& value);

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

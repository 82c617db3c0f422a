#pragma once
// Every text the market data code shows the user, and the filling in of their one parameter.

#include <string>
#include <string_view>

namespace qm::msg {

inline constexpr std::string_view kNotADate = "'%s' is not a valid date";
inline constexpr std::string_view kNotANumber = "'%s' is not a valid floating point value";
inline constexpr std::string_view kNotATime = "'%s' is not a valid time of day";
inline constexpr std::string_view kBadDateNumber = "Invalid argument to date encode";
inline constexpr std::string_view kIoError = "I/O error %d";
inline constexpr std::string_view kWindowReadError =
    "Dang ... we have an error reading the price data.";
// A line of a file whose header names its columns that does not fit the header.
inline constexpr std::string_view kFieldCount = "'%s' has %d fields where the header names %d";
inline constexpr std::string_view kCommaIsDecimalMark =
    " (is \",\" both the field separator and the decimal mark?)";

// Why a file gives no prices at all, with the file's name in place of %s.
inline constexpr std::string_view kIsAFolder = "'%s' is a folder, not a price file";
inline constexpr std::string_view kNotAFile = "'%s' is a pipe or a device, not a price file";
inline constexpr std::string_view kEmptyFile = "'%s' is empty";
inline constexpr std::string_view kNotText = "'%s' is not a text file";
inline constexpr std::string_view kOnlyMissingPrices = "'%s' has prices missing in every row";
inline constexpr std::string_view kHeaderOnly = "'%s' has a header line but no prices after it";
inline constexpr std::string_view kNoPriceLines =
    "'%s' has no line of a date and prices among its first ten lines";

// The message with its "%s" replaced by the offending text. The text comes from files of any
// origin, so control bytes show as '?' and a long text is cut to a readable prefix followed
// by "...".
std::string withText(std::string_view message, std::string_view text);

// The message with its "%d" replaced by the code.
std::string withCode(std::string_view message, int code);

// kFieldCount for a line, with kCommaIsDecimalMark after it when `commaHint`.
std::string fieldCount(std::string_view line, std::size_t fields, std::size_t named,
                       bool commaHint);

} // namespace qm::msg

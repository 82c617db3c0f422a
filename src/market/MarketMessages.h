#pragma once
// Every text the market data code shows the user, and the filling in of their one parameter.

#include <string>
#include <string_view>

namespace qm::msg {

inline constexpr std::string_view kNotADate = "'%s' is not a valid date";
inline constexpr std::string_view kNotANumber = "'%s' is not a valid floating point value";
inline constexpr std::string_view kBadDateNumber = "Invalid argument to date encode";
inline constexpr std::string_view kIoError = "I/O error %d";
inline constexpr std::string_view kWindowReadError =
    "Dang ... we have an error reading the price data.";
// A line of a file whose header names its columns that does not fit the header.
inline constexpr std::string_view kFieldCount = "'%s' has %d fields where the header names %d";
inline constexpr std::string_view kCommaIsDecimalMark =
    " (is \",\" both the field separator and the decimal mark?)";

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

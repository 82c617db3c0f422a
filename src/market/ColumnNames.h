#pragma once
// Recognising a header line that names a price file's columns, in the names and languages of
// the usual free quote sites, data vendors and spreadsheet exports.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// What a named column holds. The reader takes the date and the prices and passes over the
// rest; the roles of the others tell the user what was passed over.
enum class ColumnRole : std::uint8_t {
    Unknown,
    Date,
    Open,
    High,
    Low,
    Close,
    Last, // "last", "price", "settle": the close where no column is named so
    AdjustedClose,
    Volume,
    OpenInterest,
    Ticker,
    Period,
    Time,
    Change,
};

// The role of one header field: case and blanks do not count, nor quotes, the angle brackets
// of MetaStock-style names ("<CLOSE>") and trailing "*" ("Close*").
ColumnRole roleOfColumnName(std::string_view name);

// Where each value a reader takes stands in a line: a field index, or -1.
struct ColumnMap {
    std::int8_t date = -1;
    std::int8_t open = -1;
    std::int8_t high = -1;
    std::int8_t low = -1;
    std::int8_t close = -1;
    std::int8_t volume = -1;

    // Fields a line must have to hold every column taken.
    int fieldsNeeded() const;
};

struct NamedHeader {
    char separator = ',';
    ColumnMap columns;
    std::vector<std::string> names; // every field as written, without quotes
    bool bracketed = false;         // MetaStock-style names: "<DATE>", "<CLOSE>"
};

// The header a line is, when it names a date column and a close column (with a separator
// that cuts it into two or more fields); nothing otherwise. A date named "time" or "timestamp"
// counts only where no column is named "date"; a "close" beats a "last" or a "price".
std::optional<NamedHeader> recogniseHeader(std::string_view line);

} // namespace qm

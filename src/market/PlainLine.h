#pragma once
// The quick way through a price file whose columns a header names. Nearly every line of such a
// file is plain: no quotes, no blanks around its fields, its numbers written as digits with an
// optional "." (15 digits at most), and as many fields as the header names. A plain line is
// read as it is cut, without splitting it first; any other line is left to the general way
// (splitFields and readFieldNumber), which reads a plain line to the same values.

#include "ColumnNames.h"
#include "DateText.h"
#include "LineReader.h"
#include "PriceBar.h"
#include "PriceText.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace qm {

// The date field of a plain line: its text, and its numbers when they were read directly.
struct PlainDate {
    std::string_view text; // valid until the next read
    bool read = false;     // `numbers` holds the date's three numbers
    DateNumbers numbers;
};

class PlainLineReader {
public:
    // Sets the reader up for a file of `fields` named fields with the columns taken at
    // `columns`. False when such lines are never plain: a separator of spaces (runs of them
    // count as one), a decimal comma, more fields than a line keeps. A `dateSeparator` other
    // than NUL has dates of three numbers read directly; it must differ from the separator
    // and be neither a blank nor a digit.
    bool prepare(char separator, char decimalMark, std::size_t fields, const ColumnMap& columns,
                 char dateSeparator);

    // Reads a plain line into `bar`, which starts cleared, except for the date, which it gives
    // in `date`. False when the line is not plain. The line is read a word at a time: it must
    // be followed in memory by LineReader::kReadableAfter readable bytes, the first of them no
    // digit, as the trimmed text of a line from a LineReader that was not cut is.
    bool read(std::string_view line, PriceBar& bar, PlainDate& date);

private:
    enum class Field : std::uint8_t { Other, Date, Value };

    // Lines up to this long are cut by a mask of their separators.
    static constexpr std::size_t kMaskedLength = 64;
    static_assert(LineReader::kReadableAfter >= 16 && kMaskedLength % 8 == 0);

    bool cutFields(const char* line, std::size_t length);
    bool readDateNumbers(const char*& p, PlainDate& date) const;

    std::array<Field, LineFields::kKept> kinds_{};
    std::array<float PriceBar::*, LineFields::kKept> values_{}; // where a Value field goes
    std::size_t fields_ = 0;
    char separator_ = ',';
    char dateSeparator_ = '\0';
    std::array<const char*, LineFields::kKept + 1> starts_{}; // of each field, and one past
};

// The number of a plain line's field from `first` to `end`: digits with an optional "." and
// more digits, kMaxPlainDigits at most; false for anything else. The value is the one
// parsePrice gives the same text. The sixteen bytes from every digit on must be readable, and
// the byte at `end` must be no digit.
bool readPlainNumber(const char* first, const char* end, float& value);

} // namespace qm

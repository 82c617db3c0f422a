#pragma once
// Finding how a price file is laid out: its field separator, the header lines before the
// first data line, how its dates are written and which values a line carries, by position or
// by the names of a header line.

#include "ColumnNames.h"
#include "DateText.h"
#include "FormatSettings.h"
#include "LineReader.h"
#include "PriceBar.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

enum class DateForm : std::uint8_t {
    Pattern,          // numbers in the order of the date pattern, between date separators
    Numeric,          // one number, yyyymmdd
    MonthName,        // with an English month name: "19-Sep-03", "Jan 04, 2016"
    UnixSeconds,      // seconds since 1970
    UnixMilliseconds, // milliseconds since 1970
};

struct PriceLayout {
    char separator = '\0'; // ',', ' ' or '\t' by position; also ';' or '|' by name
    int headerLines = 0;   // lines before the first data line
    // By position: pieces of the first data line minus one; lines of more than seven pieces
    // count as six, their extra columns ignored like a seventh one. By name: the data kind.
    std::uint8_t valueColumns = 0;
    bool textDates = true; // false for dates written as one number
    // "m/d/y", "y/m/d", "m-d-y", "y-m-d", "m.d.y", "y.m.d", "d/m/y", "d-m-y", "d.m.y",
    // "YYYYMMDD" or the locale's own short date pattern, with the date separator it is read
    // with; for the other date forms a description ("dd-mmm-yy", "unix seconds").
    std::string datePattern;
    char dateSeparator = '/';
    DateForm dateForm = DateForm::Pattern;
    bool dateWithTime = false;  // dates go on with a time of day, which is passed over
    bool timeColumn = false;    // by position: a time of day, passed over, follows the date
    bool orderFromData = false; // a day above 12 in the file settled day and month order

    // Columns named by a header line (ColumnNames.h), read with spreadsheet quoting, empty
    // fields kept, missing-value marks and the number forms of exports.
    bool named = false;
    NamedHeader header;     // when named
    int headerLine = 0;     // when named: the header's line, from 1
    char decimalMark = '.'; // when named: "." or ","

    DateOrder dateOrder() const { return dateOrderOf(datePattern); }
    // The series the file gives: by name, from the columns named; by position, from the
    // number of values.
    DataKind dataKind() const;
    // Where each value is read from.
    ColumnMap columns() const;
};

inline constexpr std::uint8_t kMaxValueColumns = 6;
inline constexpr int kDetectionLines = 10;
// Lines looked at, from the first data line on, to settle the order of day and month and the
// decimal mark from the data.
inline constexpr int kSampleLines = 1000;

// Whether the first piece of a line is a date. Tries the locale's short date pattern with
// the current date separator, then a pattern guessed from the first of "/", "-", "." that
// the text holds (year first when more than two digits come before it, else month first, or
// day first with "."); then the other order of day and month, an English month name, a Unix time
// stamp and a date followed by a time of day. Sets the layout's date fields: on success to
// what worked; on failure the pattern goes back to the locale's but the date separator keeps
// the guessed one.
bool detectDate(std::string_view piece, const FormatSettings& locale, int currentYear,
                PriceLayout& layout);

// Looks at the first ten lines for a data line: one whose date column holds a date. Columns
// are taken by name when a header line naming them comes first, else by position from a line
// of two or more pieces whose first piece is a date. Then settles from the data what the
// first line leaves open. Fills the layout and returns true when a data line is found. The
// layout's separator carries over from an earlier file; everything else starts afresh.
bool detectLayout(LineReader& lines, const FormatSettings& locale, int currentYear,
                  PriceLayout& layout);

// Why a file has no layout, from a look at its first ten lines again.
enum class NoLayout : std::uint8_t {
    Empty,        // nothing but blank lines
    NotText,      // control bytes no text file holds: an image, a program, a compressed file
    HeaderOnly,   // a header naming the columns, and no line of prices after it
    NoPriceLines, // text, but no line begins with a date followed by values
};
NoLayout whyNoLayout(LineReader& lines);

// What kind of file the layout is, in words for the user: "standard download layout",
// "MetaStock ASCII", "columns named by the header" or "columns by position".
std::string_view layoutName(const PriceLayout& layout);

} // namespace qm

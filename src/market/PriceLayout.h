#pragma once
// Finding how a price file is laid out: its field separator, the header lines before the
// first data line, how its dates are written and how many values a line carries.

#include "DateText.h"
#include "FormatSettings.h"
#include "LineReader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

struct PriceLayout {
    char separator = '\0'; // ',', ' ' or '\t'; NUL while none has been seen
    int headerLines = 0;
    // Pieces of the first data line minus one. Lines of more than seven pieces count as
    // six: their extra columns are ignored like a seventh one.
    std::uint8_t valueColumns = 0;
    bool textDates = true; // false for dates written as one number (yyyymmdd)
    // "m/d/y", "y/m/d", "m-d-y", "y-m-d", "m.d.y", "y.m.d", "YYYYMMDD" or the locale's own
    // short date pattern, with the date separator it is read with.
    std::string datePattern;
    char dateSeparator = '/';

    DateOrder dateOrder() const { return dateOrderOf(datePattern); }
};

inline constexpr std::uint8_t kMaxValueColumns = 6;
inline constexpr int kDetectionLines = 10;

// Whether the first piece of a line is a date. Tries the locale's short date pattern with
// the current date separator, then a pattern guessed from the first of "/", "-", "." that
// the text holds. Sets the layout's date fields: on success to what worked; on failure the
// pattern goes back to the locale's but the date separator keeps the guessed one.
bool detectDate(std::string_view piece, const FormatSettings& locale, int currentYear,
                PriceLayout& layout);

// Looks at the first ten lines for a data line: one of two or more pieces whose first piece
// is a date. Fills the layout and returns true when one is found. The layout's separator
// carries over from an earlier file; everything else starts afresh.
bool detectLayout(LineReader& lines, const FormatSettings& locale, int currentYear,
                  PriceLayout& layout);

} // namespace qm

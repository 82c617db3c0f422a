#pragma once
// What the five answer converters share: reading the answer line by line, finding the service's
// header line, and writing the standard price rows, newest first as the service sends them:
//
//   Date,Open,High,Low,Close,Volume
//   5/20/2016,10.5,11,10,10.75,123400
//
// with the date in the user's short date format and CR LF line ends.

#include "market/Calendar.h"
#include "market/FormatSettings.h"

#include <functional>
#include <istream>
#include <string>
#include <string_view>

namespace qm::download {

// Receives the converted text piece by piece; returns false when it could not be stored.
using TextSink = std::function<bool(std::string_view)>;

// Thrown by a converter to end the conversion: a date part that is not a number, an invalid
// date, a line without the pieces the rule reads, or output that could not be stored.
struct ConvertError {};

class LineSource {
public:
    explicit LineSource(std::istream& in) : in_(in) {}
    // The next line without its line end; false at the end of the answer.
    bool next(std::string& line);

private:
    std::istream& in_;
};

class RowWriter {
public:
    RowWriter(const TextSink& sink, const FormatSettings& fs) : sink_(sink), fs_(fs) {}
    void header();
    // Throws ConvertError when the date is not a calendar date or a value is not a plain number
    // (blanks around are dropped). A row whose open, high, low or close is missing ("null",
    // "N/A", "-", ...; the services write such rows for holidays) is left out; a
    // missing volume is written as 0.
    void row(const CivilDate& date, std::string_view open, std::string_view high,
             std::string_view low, std::string_view close, std::string_view volume);
    // Hands the rest of the text to the sink.
    void flush();
    std::size_t rows() const { return rows_; }

private:
    void put(std::string_view text);

    const TextSink& sink_;
    const FormatSettings& fs_;
    std::string buffer_;
    std::size_t rows_ = 0;
};

// The whole number `text` stands for (blanks around allowed); throws ConvertError otherwise.
int datePart(std::string_view text);

// The day count of a date; throws ConvertError for a date that does not exist and for
// 1899-12-30, day 0, which the price file reader refuses.
double dayCountOf(const CivilDate& date);

// Runs one conversion: skips the lines up to and including the first for which isHeader is
// true, writes the header, lets convertRows turn the remaining lines into rows, and returns
// the number of rows written. Returns 0 when there was no header line or a ConvertError ended
// the conversion; the sink may then have received part of the text.
std::size_t convertAnswer(std::istream& answer, const TextSink& out, const FormatSettings& fs,
                          const std::function<bool(std::string_view)>& isHeader,
                          const std::function<void(LineSource&, RowWriter&)>& convertRows);

} // namespace qm::download

#include "ConverterFrame.h"

#include "DownloadMessages.h"
#include "TextRules.h"
#include "market/PriceText.h"

#include <charconv>

namespace qm::download {
namespace {

constexpr std::size_t kFlushBytes = 64 * 1024;

// A value goes into the price file only as a plain number the price file reader reads: a text
// such as "null", or one holding a separator, would make the whole saved file unreadable.
std::string_view plainNumber(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || text.find_first_not_of("0123456789+-.eE") != std::string_view::npos ||
        !parsePrice(text))
        throw ConvertError{};
    return text;
}

} // namespace

bool LineSource::next(std::string& line) {
    if (!std::getline(in_, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

void RowWriter::put(std::string_view text) {
    buffer_ += text;
    if (buffer_.size() >= kFlushBytes) flush();
}

void RowWriter::flush() {
    if (buffer_.empty()) return;
    if (!sink_(buffer_)) throw ConvertError{};
    buffer_.clear();
}

void RowWriter::header() {
    put(kPriceFileHeader);
    put(kLineEnd);
}

void RowWriter::row(const CivilDate& date, std::string_view open, std::string_view high,
                    std::string_view low, std::string_view close, std::string_view volume) {
    const double day = dayCountOf(date);
    if (isMissingValue(open) || isMissingValue(high) || isMissingValue(low) ||
        isMissingValue(close))
        return;
    put(formatShortDate(day, fs_));
    for (const std::string_view value : {open, high, low, close}) {
        put(",");
        put(plainNumber(value));
    }
    put(",");
    put(isMissingValue(volume) ? std::string_view("0") : plainNumber(volume));
    put(kLineEnd);
    ++rows_;
}

int datePart(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) throw ConvertError{};
    return value;
}

double dayCountOf(const CivilDate& date) {
    const auto days = encodeDate(date.year, date.month, date.day);
    // Day 0 (1899-12-30) is no price date: it marks the empty slot of a chart's window.
    if (!days || *days == 0.0) throw ConvertError{};
    return *days;
}

std::size_t convertAnswer(std::istream& answer, const TextSink& out, const FormatSettings& fs,
                          const std::function<bool(std::string_view)>& isHeader,
                          const std::function<void(LineSource&, RowWriter&)>& convertRows) {
    LineSource lines(answer);
    std::string line;
    bool headerFound = false;
    while (!headerFound && lines.next(line)) headerFound = isHeader(line);
    if (!headerFound) return 0;

    RowWriter writer(out, fs);
    try {
        writer.header();
        convertRows(lines, writer);
        writer.flush();
    } catch (const ConvertError&) {
        return 0;
    }
    return writer.rows();
}

} // namespace qm::download

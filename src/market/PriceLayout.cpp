#include "PriceLayout.h"

#include "PriceText.h"

#include <algorithm>

namespace qm {
namespace {

char chooseSeparator(std::string_view line, char previous) {
    const auto tabs = std::count(line.begin(), line.end(), '\t');
    const auto spaces = std::count(line.begin(), line.end(), ' ');
    const auto commas = std::count(line.begin(), line.end(), ',');
    if (commas > spaces && commas > tabs) return ',';
    if (spaces > commas && spaces > tabs) return ' ';
    if (tabs > spaces && tabs > commas) return '\t';
    return previous;
}

} // namespace

bool detectDate(std::string_view piece, const FormatSettings& locale, int currentYear,
                PriceLayout& layout) {
    layout.datePattern = locale.shortDatePattern;
    if (parseDateText(piece, dateOrderOf(locale.shortDatePattern), layout.dateSeparator,
                      currentYear)) {
        layout.textDates = true;
        return true;
    }
    const std::size_t at = piece.find_first_of("/-.");
    if (at == std::string_view::npos) {
        layout.textDates = false;
        if (!isNumericDate(piece)) return false;
        layout.datePattern = "YYYYMMDD";
        return true;
    }
    // The first of "/", "-", "." found, in that order of preference.
    char separator = '.';
    if (piece.find('/') != std::string_view::npos)
        separator = '/';
    else if (piece.find('-') != std::string_view::npos)
        separator = '-';
    const bool yearFirst = piece.find(separator) > 2;
    const std::string guess = yearFirst ? std::string{'y', separator, 'm', separator, 'd'}
                                        : std::string{'m', separator, 'd', separator, 'y'};
    layout.dateSeparator = separator;
    layout.textDates = true;
    if (parseDateText(piece, dateOrderOf(guess), separator, currentYear)) {
        layout.datePattern = guess;
        return true;
    }
    return false;
}

bool detectLayout(LineReader& lines, const FormatSettings& locale, int currentYear,
                  PriceLayout& layout) {
    layout.headerLines = 0;
    layout.valueColumns = 0;
    layout.textDates = true;
    layout.datePattern = locale.shortDatePattern;
    layout.dateSeparator = locale.dateSeparator;
    LineReader::Line line;
    LinePieces pieces;
    for (int index = 0; index < kDetectionLines && lines.next(line); ++index) {
        if (line.cut) continue; // no price line is that long
        const std::string_view text = trimBlanks(line.text);
        layout.separator = chooseSeparator(text, layout.separator);
        splitLine(text, layout.separator, pieces);
        if (pieces.count < 2) continue;
        if (detectDate(pieces[0], locale, currentYear, layout)) {
            layout.valueColumns = static_cast<std::uint8_t>(
                std::min<std::size_t>(pieces.count - 1, kMaxValueColumns));
            layout.headerLines = index;
            return true;
        }
    }
    layout.valueColumns = 0;
    return false;
}

} // namespace qm

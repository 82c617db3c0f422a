#include "PriceLayout.h"

#include "DateForms.h"
#include "PriceText.h"

#include <algorithm>
#include <array>
#include <cctype>

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

std::string dayFirstPattern(char separator) {
    return {'d', separator, 'm', separator, 'y'};
}

std::string monthFirstPattern(char separator) {
    return {'m', separator, 'd', separator, 'y'};
}

// The locale's short date pattern, then a pattern guessed from the date separator the text
// holds, or a number of digits as yyyymmdd.
bool detectNumberedDate(std::string_view piece, const FormatSettings& locale, int currentYear,
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
    // Dates with dots are written day first wherever they are written ("04.01.2016" is the 4th
    // of January); only a year-first date keeps its year before the month.
    const bool yearFirst = piece.find(separator) > 2;
    const std::string guess = yearFirst          ? std::string{'y', separator, 'm', separator, 'd'}
                              : separator == '.' ? dayFirstPattern(separator)
                                                 : monthFirstPattern(separator);
    layout.dateSeparator = separator;
    layout.textDates = true;
    if (parseDateText(piece, dateOrderOf(guess), separator, currentYear)) {
        layout.datePattern = guess;
        return true;
    }
    return false;
}

// The forms beyond numbers in the locale's or the guessed order, for a piece that is none of
// those.
bool detectOtherDate(std::string_view piece, const FormatSettings& locale, int currentYear,
                     PriceLayout& layout) {
    // Day first where the guess put the month first ("31/12/2015" read in the United States).
    const char separator = layout.dateSeparator;
    if (piece.find(separator) != std::string_view::npos && piece.find(separator) <= 2 &&
        parseDateText(piece, DateOrder::DayMonthYear, separator, currentYear)) {
        layout.datePattern = dayFirstPattern(separator);
        layout.textDates = true;
        return true;
    }
    if (parseMonthNameDate(piece, currentYear)) {
        layout.dateForm = DateForm::MonthName;
        layout.datePattern = monthNameDatePattern(piece);
        layout.textDates = true;
        return true;
    }
    if (const std::optional<UnixTime> unit = unixTimeUnit(piece)) {
        layout.dateForm =
            *unit == UnixTime::Seconds ? DateForm::UnixSeconds : DateForm::UnixMilliseconds;
        layout.datePattern = *unit == UnixTime::Seconds ? "unix seconds" : "unix milliseconds";
        layout.textDates = false;
        return true;
    }
    if (const std::optional<std::string_view> date = dateBeforeTimeOfDay(piece)) {
        if (detectDate(*date, locale, currentYear, layout)) {
            layout.dateWithTime = true;
            return true;
        }
    }
    return false;
}

// The data line by position: the first of two or more pieces whose first piece is a date.
// Returns its index, or -1.
int detectPositional(LineReader& lines, const FormatSettings& locale, int currentYear,
                     PriceLayout& layout) {
    LineReader::Line line;
    LinePieces pieces;
    for (int index = 0; index < kDetectionLines && lines.next(line); ++index) {
        // An overlong line is no price line, but one with a date first is where the data
        // begins: passing over it would lose it without a word.
        const std::string_view text = trimBlanks(line.text);
        layout.separator = chooseSeparator(text, layout.separator);
        // A value left empty between commas is a column all the same.
        splitLine(text, layout.separator, pieces, layout.separator == ',');
        if (pieces.count < 2) continue;
        if (detectDate(pieces[0], locale, currentYear, layout)) {
            // Trading platforms write the time of a bar as a column of its own.
            layout.timeColumn = pieces.count >= 3 && isTimeOfDay(pieces[1]);
            layout.valueColumns = static_cast<std::uint8_t>(std::min<std::size_t>(
                pieces.count - 1 - (layout.timeColumn ? 1 : 0), kMaxValueColumns));
            return index;
        }
    }
    return -1;
}

// The data line after a header that names the columns, where the header comes before any
// line the positional rule takes for data. Returns its index, or -1.
int detectNamed(LineReader& lines, const FormatSettings& locale, int currentYear,
                PriceLayout& layout) {
    PriceLayout positional = layout; // what the positional rule would make of the lines
    LineReader::Line line;
    LinePieces pieces;
    LineFields fields;
    std::optional<NamedHeader> header;
    for (int index = 0; index < kDetectionLines && lines.next(line); ++index) {
        // No header is that long; an overlong line after the header is data all the same.
        if (line.cut && !header) continue;
        const std::string_view text = trimBlanks(line.text);
        if (!header) {
            if ((header = recogniseHeader(text))) {
                layout.headerLine = index + 1;
                continue;
            }
            positional.separator = chooseSeparator(text, positional.separator);
            splitLine(text, positional.separator, pieces);
            if (pieces.count >= 2 && detectDate(pieces[0], locale, currentYear, positional))
                return -1;
            continue;
        }
        splitFields(text, header->separator, fields);
        if (fields.filled < 2) continue;
        if (detectDate(fields[static_cast<std::size_t>(header->columns.date)], locale, currentYear,
                       layout)) {
            layout.named = true;
            layout.header = std::move(*header);
            layout.separator = layout.header.separator;
            layout.valueColumns = static_cast<std::uint8_t>(layout.dataKind());
            return index;
        }
    }
    return -1;
}

// What the data shows about the order of day and month and about the decimal mark.
struct Evidence {
    bool dayFirst = false;   // a first number above 12
    bool monthFirst = false; // a second number above 12
    bool decimalPoint = false;
    bool decimalComma = false;
    bool commas = false; // a number held a ","
    bool dots = false;   // a number held a "."
};

// A day or month number of one or two digits, blanks around allowed; -1 for anything else.
int dayOrMonth(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || text.size() > 2) return -1;
    int n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

void lookAtDate(std::string_view text, const PriceLayout& layout, Evidence& e) {
    if (layout.dateWithTime)
        if (const auto date = dateBeforeTimeOfDay(text)) text = *date;
    const std::size_t first = text.find(layout.dateSeparator);
    if (first == std::string_view::npos) return;
    const std::size_t second = text.find(layout.dateSeparator, first + 1);
    const int a = dayOrMonth(text.substr(0, first));
    const int b = dayOrMonth(text.substr(
        first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1));
    if (a > 12 && a <= 31 && b >= 1) e.dayFirst = true;
    if (b > 12 && b <= 31 && a >= 1) e.monthFirst = true;
}

std::size_t digitsAfter(std::string_view text, std::size_t at) {
    std::size_t n = 0;
    while (at + 1 + n < text.size() && text[at + 1 + n] >= '0' && text[at + 1 + n] <= '9') ++n;
    return n;
}

// Whether the digits before the mark at `at` cannot be the first group of thousands: more
// than three of them, or a lone leading 0 ("0.125").
bool noThousandsBefore(std::string_view text, std::size_t at) {
    std::size_t n = 0;
    while (n < at && text[at - 1 - n] >= '0' && text[at - 1 - n] <= '9') ++n;
    const bool leading = n == at || !isDigit(text[at - 1 - n]);
    return n > 3 || (n == 1 && text[at - 1] == '0' && leading);
}

// A "." or "," with other than three digits after it, or after digits that cannot be a group
// of thousands, is a decimal mark; two of one kind, or one before the other kind, divide
// thousands.
void lookAtNumber(std::string_view text, Evidence& e) {
    const std::size_t dot = text.rfind('.');
    const std::size_t comma = text.rfind(',');
    const bool dots = dot != std::string_view::npos;
    const bool commas = comma != std::string_view::npos;
    e.dots = e.dots || dots;
    e.commas = e.commas || commas;
    if (dots && commas) {
        (dot > comma ? e.decimalPoint : e.decimalComma) = true;
    } else if (commas) {
        if (text.find(',') != comma)
            e.decimalPoint = true;
        else if (digitsAfter(text, comma) != 3 || noThousandsBefore(text, comma))
            e.decimalComma = true;
    } else if (dots) {
        if (text.find('.') != dot)
            e.decimalComma = true;
        else if (digitsAfter(text, dot) != 3 || noThousandsBefore(text, dot))
            e.decimalPoint = true;
    }
}

// Reads up to kSampleLines lines from the first data line on and settles what its first line
// could not: the order of day and month, where the locale's order and the first dates leave
// it open, and the decimal mark of named columns.
void settleFromData(LineReader& lines, int firstDataLine, PriceLayout& layout) {
    if (lines.rewind() != 0) return;
    LineReader::Line line;
    for (int i = 0; i < firstDataLine && lines.next(line);) ++i;
    const ColumnMap columns = layout.columns();
    Evidence e;
    LinePieces pieces;
    LineFields fields;
    for (int n = 0; n < kSampleLines && lines.next(line); ++n) {
        if (line.cut) continue;
        const std::string_view text = trimBlanks(line.text);
        if (layout.named) {
            splitFields(text, layout.separator, fields);
            if (fields.filled < 2) continue;
            lookAtDate(fields[static_cast<std::size_t>(columns.date)], layout, e);
            for (const std::int8_t column :
                 {columns.open, columns.high, columns.low, columns.close, columns.volume})
                if (column >= 0) lookAtNumber(fields[static_cast<std::size_t>(column)], e);
        } else {
            splitLine(text, layout.separator, pieces);
            if (pieces.count >= 2) lookAtDate(pieces[0], layout, e);
        }
    }
    if (layout.named) {
        if (e.decimalComma != e.decimalPoint)
            layout.decimalMark = e.decimalComma ? ',' : '.';
        else // where every number with a mark has three digits after it, a comma decides
            layout.decimalMark = layout.separator == ';' && (e.commas || !e.dots) ? ',' : '.';
    }
    if (layout.dateForm != DateForm::Pattern || e.dayFirst == e.monthFirst) return;
    const DateOrder order = layout.dateOrder();
    if (e.dayFirst && order == DateOrder::MonthDayYear) {
        layout.datePattern = dayFirstPattern(layout.dateSeparator);
        layout.orderFromData = true;
    } else if (e.monthFirst && order == DateOrder::DayMonthYear) {
        layout.datePattern = monthFirstPattern(layout.dateSeparator);
        layout.orderFromData = true;
    }
}

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

bool detectDate(std::string_view piece, const FormatSettings& locale, int currentYear,
                PriceLayout& layout) {
    layout.dateForm = DateForm::Pattern;
    layout.dateWithTime = false;
    if (detectNumberedDate(piece, locale, currentYear, layout)) {
        if (layout.textDates) return true;
        // Ten digits are no yyyymmdd date but a time stamp of the last fifty years.
        if (unixTimeUnit(piece)) {
            layout.dateForm = DateForm::UnixSeconds;
            layout.datePattern = "unix seconds";
        } else {
            layout.dateForm = DateForm::Numeric;
        }
        return true;
    }
    const PriceLayout failed = layout;
    if (detectOtherDate(piece, locale, currentYear, layout)) return true;
    layout.datePattern = failed.datePattern;
    layout.dateSeparator = failed.dateSeparator;
    layout.textDates = failed.textDates;
    layout.dateForm = DateForm::Pattern;
    layout.dateWithTime = false;
    return false;
}

bool detectLayout(LineReader& lines, const FormatSettings& locale, int currentYear,
                  PriceLayout& layout) {
    const char carried = layout.separator;
    const auto startAfresh = [&] {
        layout = PriceLayout{};
        layout.separator = carried;
        layout.datePattern = locale.shortDatePattern;
        layout.dateSeparator = locale.dateSeparator;
    };
    startAfresh();
    int first = detectNamed(lines, locale, currentYear, layout);
    if (first < 0) {
        startAfresh();
        if (lines.error() != 0 || lines.rewind() != 0) return false;
        first = detectPositional(lines, locale, currentYear, layout);
    }
    if (first < 0) {
        layout.valueColumns = 0;
        return false;
    }
    layout.headerLines = first;
    settleFromData(lines, first, layout);
    return lines.error() == 0;
}

DataKind PriceLayout::dataKind() const {
    if (!named) return static_cast<DataKind>(std::min<std::uint8_t>(valueColumns, 5));
    const ColumnMap& c = header.columns;
    if (c.high >= 0 && c.low >= 0) {
        if (c.open >= 0) return DataKind::Full;
        return c.volume >= 0 ? DataKind::HighLowCloseVolume : DataKind::HighLowClose;
    }
    return c.volume >= 0 ? DataKind::CloseVolume : DataKind::Close;
}

ColumnMap PriceLayout::columns() const {
    const DataKind kind = dataKind();
    const bool open = kind == DataKind::Full;
    const bool highLow = kind >= DataKind::HighLowClose;
    const bool volume = kind == DataKind::CloseVolume || kind == DataKind::HighLowCloseVolume ||
                        kind == DataKind::Full;
    ColumnMap m;
    if (named) {
        m = header.columns;
        if (!open) m.open = -1;
        if (!highLow) m.high = m.low = -1;
        if (!volume) m.volume = -1;
        return m;
    }
    // By position the values follow the date in the order open, high, low, close, volume, each
    // where the data kind carries it.
    std::int8_t next = 0;
    m.date = next++;
    if (timeColumn) ++next;
    if (open) m.open = next++;
    if (highLow) {
        m.high = next++;
        m.low = next++;
    }
    if (kind != DataKind::None) m.close = next++;
    if (volume) m.volume = next++;
    return m;
}

namespace {

// A byte that no text file holds: a control character other than the line ends, the tab,
// the form feed and the end-of-file mark old editors leave.
bool isBinaryByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != '\x1A';
}

} // namespace

NoLayout whyNoLayout(LineReader& lines) {
    if (lines.rewind() != 0) return NoLayout::NoPriceLines;
    bool text = false, header = false;
    LineReader::Line line;
    for (int index = 0; index < kDetectionLines && lines.next(line); ++index) {
        if (std::any_of(line.text.begin(), line.text.end(), isBinaryByte)) return NoLayout::NotText;
        const std::string_view trimmed = trimBlanks(line.text);
        if (trimmed.empty()) continue;
        text = true;
        header = header || (!line.cut && recogniseHeader(trimmed));
    }
    if (!text) return lines.next(line) ? NoLayout::NoPriceLines : NoLayout::Empty;
    return header ? NoLayout::HeaderOnly : NoLayout::NoPriceLines;
}

std::string_view layoutName(const PriceLayout& layout) {
    if (!layout.named) return "columns by position";
    if (layout.header.bracketed) return "MetaStock ASCII";
    static constexpr std::array<std::string_view, 6> kStandard = {"Date", "Open",  "High",
                                                                  "Low",  "Close", "Volume"};
    const auto& names = layout.header.names;
    if (layout.separator == ',' && names.size() == kStandard.size() &&
        std::equal(names.begin(), names.end(), kStandard.begin(), sameName))
        return "standard download layout";
    return "columns named by the header";
}

} // namespace qm

#include "AsciiFileReader.h"

#include "ChartDataFile.h"
#include "DateForms.h"
#include "LineReader.h"
#include "MarketMessages.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <memory>
#include <unistd.h>

namespace qm {
namespace {

// Records moved per read when two files are paired.
constexpr std::size_t kChunkBars = 8192;

void removeFile(const std::filesystem::path& file) {
    if (!file.empty()) ::unlink(file.c_str());
}

} // namespace

FileTitles titlesFromFileName(const std::filesystem::path& source) {
    const std::string name = source.filename().string();
    const std::string extension = source.extension().string();
    const std::string_view stem =
        std::string_view(name).substr(0, extension.empty() ? name.size() : name.find(extension));
    // A blank before the "=" marks the company name; an "=" inside a symbol (EURUSD=X) does not.
    const std::size_t separator = stem.find(" =");
    if (separator == std::string_view::npos) {
        const std::string whole(trimBlanks(stem));
        return {whole, whole};
    }
    return {std::string(trimBlanks(stem.substr(0, separator))),
            std::string(trimBlanks(stem.substr(separator + 2)))};
}

TAsciiFileReader::TAsciiFileReader(const FormatSettings& locale, std::filesystem::path tempFolder,
                                   int currentYear, MessageSink& sink)
    : locale_(locale), tempFolder_(std::move(tempFolder)), currentYear_(currentYear), sink_(sink) {
    layout_.dateSeparator = locale_.dateSeparator;
    layout_.datePattern = locale_.shortDatePattern;
}

void TAsciiFileReader::clearResult() {
    resultName_.clear();
    barCount_ = 0;
    dataKind_ = DataKind::None;
}

void TAsciiFileReader::reportIoError(int error) {
    sink_.information(msg::withCode(msg::kIoError, error));
}

void TAsciiFileReader::readFile(const std::filesystem::path& source) {
    reports_.clear();
    readOne(source);
}

void TAsciiFileReader::readOne(const std::filesystem::path& source) {
    clearResult();
    layoutFound_ = false;
    const FileTitles titles = titlesFromFileName(source);
    title_ = titles.title;
    description_ = titles.description;

    const std::string name = source.filename().string();
    LineReader lines;
    if (const int error = lines.open(source)) {
        // A missing file is reported by the caller.
        if (error == EINVAL) {
            std::error_code ec;
            sink_.information(msg::withText(
                std::filesystem::is_directory(source, ec) ? msg::kIsAFolder : msg::kNotAFile,
                name));
        } else if (error != ENOENT && error != ENOTDIR) {
            reportIoError(error);
        }
        return;
    }
    layoutFound_ = detectLayout(lines, locale_, currentYear_, layout_);
    if (!layoutFound_) {
        if (lines.error() != 0) {
            reportIoError(lines.error());
            return;
        }
        sink_.information(msg::withText(noLayoutMessage(whyNoLayout(lines)), name));
        return;
    }
    dateOrder_ = layout_.dateOrder();
    columns_ = layout_.columns();
    fieldsNeeded_ = static_cast<std::size_t>(columns_.fieldsNeeded());
    // Dates read directly are those of a pattern's three numbers and nothing after them.
    const bool numberDates = layout_.dateForm == DateForm::Pattern && !layout_.dateWithTime;
    plainMonth_ = {};
    plainLines_ = layout_.named && plainLine_.prepare(layout_.separator, layout_.decimalMark,
                                                      layout_.header.names.size(), columns_,
                                                      numberDates ? layout_.dateSeparator : '\0');
    if (const int error = lines.rewind()) {
        reportIoError(error);
        return;
    }
    reports_.push_back({});
    reports_.back().file = source;
    readDetected(lines, reports_.back());
}

std::string_view TAsciiFileReader::noLayoutMessage(NoLayout why) {
    switch (why) {
    case NoLayout::Empty:
        return msg::kEmptyFile;
    case NoLayout::NotText:
        return msg::kNotText;
    case NoLayout::HeaderOnly:
        return msg::kHeaderOnly;
    case NoLayout::NoPriceLines:
        break;
    }
    return msg::kNoPriceLines;
}

void TAsciiFileReader::readDetected(LineReader& lines, ReadReport& report) {
    const auto failAt = [&](std::int64_t line, std::string_view text) {
        sink_.informationAt(report.file.string(), line, text);
    };
    BarFileWriter out;
    if (const int error = out.create(tempFolder_, BarFileWriter::Naming::Chart)) {
        reportIoError(error);
        return;
    }
    LineReader::Line line;
    for (int skipped = 0; skipped < layout_.headerLines && lines.next(line);) ++skipped;

    PriceBar bar;
    double firstDate = 0.0, previousDate = 0.0;
    LineTally rising, falling;
    std::int64_t count = 0;
    while (lines.next(line)) {
        const std::string_view text = trimBlanks(line.text);
        Row row;
        if (line.cut) {
            if (!layout_.named) {
                failAt(line.number, overlongLineMessage(text));
                return;
            }
            row = readOverlongByName(text, bar);
        } else {
            row = layout_.named ? readByName(text, bar) : readByPosition(text, bar);
        }
        switch (row) {
        case Row::Blank:
            continue;
        case Row::Failed:
            if (repeatsTheHeader(text)) continue;
            failAt(line.number, failure_);
            return;
        case Row::NoPrice:
            report.missingPrices.add(line.number);
            continue;
        case Row::BarWithoutVolume:
            report.missingVolumes.add(line.number);
            break;
        case Row::Bar:
            break;
        }
        if (bar.high < bar.low) report.highBelowLow.add(line.number);
        if (count == 0)
            firstDate = bar.date;
        else if (bar.date > previousDate)
            rising.add(line.number);
        else if (bar.date < previousDate)
            falling.add(line.number);
        else
            report.repeatedDates.add(line.number);
        previousDate = bar.date;
        if (count == INT32_MAX) {
            reportIoError(EFBIG);
            return;
        }
        if (!out.append(bar)) {
            reportIoError(out.error());
            return;
        }
        ++count;
    }
    if (lines.error() != 0) {
        reportIoError(lines.error());
        return;
    }
    // A file whose first date is not before its last reads newest first: its bars go to the
    // chart data file oldest first, in the reverse of the order read.
    if (const int error = firstDate < previousDate ? out.finish() : out.finishReversed()) {
        reportIoError(error);
        return;
    }
    if (count == 0) { // every row lacked its prices, or the file was emptied since detection
        removeFile(out.path());
        sink_.information(msg::withText(report.missingPrices.count > 0 ? msg::kOnlyMissingPrices
                                                                       : msg::kEmptyFile,
                                        report.file.filename().string()));
        return;
    }
    // Steps against the file's direction are out of order: a file is read newest first when
    // its first date is not before its last.
    report.outOfOrder = firstDate < previousDate ? falling : rising;
    dataKind_ = layout_.dataKind();
    barCount_ = static_cast<std::int32_t>(count);
    resultName_ = out.path();
}

// Files joined one after another repeat their header line where the next one begins.
bool TAsciiFileReader::repeatsTheHeader(std::string_view text) const {
    if (!layout_.named) return false;
    const std::optional<NamedHeader> header = recogniseHeader(text);
    return header && header->names == layout_.header.names;
}

// An overlong line is never a price line; the message names its last piece kept.
std::string TAsciiFileReader::overlongLineMessage(std::string_view kept) {
    std::string_view last;
    std::size_t pieces = 0;
    if (layout_.named) {
        splitFields(kept, layout_.separator, fields_);
        pieces = std::min(fields_.count, LineFields::kKept);
        last = pieces == 0 ? std::string_view{} : fields_[pieces - 1];
    } else {
        splitLine(kept, layout_.separator, pieces_);
        pieces = std::min(pieces_.count, LinePieces::kKept);
        last = pieces == 0 ? std::string_view{} : pieces_[pieces - 1];
    }
    return msg::withText(pieces <= 1 ? msg::kNotADate : msg::kNotANumber, last);
}

bool TAsciiFileReader::readDate(std::string_view text, PriceBar& bar) {
    const auto notA = [this](std::string_view message, std::string_view what) {
        failure_ = msg::withText(message, what);
        return false;
    };
    if (layout_.dateWithTime)
        if (const std::optional<std::string_view> date = dateBeforeTimeOfDay(text)) text = *date;
    std::optional<double> day;
    switch (layout_.dateForm) {
    case DateForm::Pattern: {
        const std::optional<CivilDate> date =
            parseDateText(text, dateOrder_, layout_.dateSeparator, currentYear_);
        if (!date) return notA(msg::kNotADate, text);
        day = dayCountOf(*date);
        break;
    }
    case DateForm::Numeric: {
        const std::optional<double> number = parseDecimal(text);
        if (!number) return notA(msg::kNotANumber, text);
        day = numericDateToDays(*number);
        break;
    }
    case DateForm::MonthName: {
        const std::optional<CivilDate> date = parseMonthNameDate(text, currentYear_);
        if (!date) return notA(msg::kNotADate, text);
        day = monthStarts_.encode(date->year, date->month, date->day);
        break;
    }
    case DateForm::UnixSeconds:
    case DateForm::UnixMilliseconds:
        day = unixTimeToDays(trimBlanks(text), layout_.dateForm == DateForm::UnixSeconds
                                                   ? UnixTime::Seconds
                                                   : UnixTime::Milliseconds);
        if (!day) return notA(msg::kNotADate, text);
        break;
    }
    return takeDay(day, bar);
}

std::optional<double> TAsciiFileReader::dayCountOf(CivilDate date) {
    if (date.year < 20) date.year += 2000; // "0015" means 2015
    return monthStarts_.encode(date.year, date.month, date.day);
}

bool TAsciiFileReader::takeDay(std::optional<double> day, PriceBar& bar) {
    // Day 0 (1899-12-30) marks the empty slot below a window's oldest bar and ends a weekly or
    // monthly conversion: a bar dated so would hide every bar before it.
    if (!day || *day == 0.0) {
        failure_ = msg::kBadDateNumber;
        return false;
    }
    bar.date = *day;
    return true;
}

// Lines mostly share their date's month with the line before, so the day count of the month's
// first day is kept for the numbers that give the month and year.
bool TAsciiFileReader::readPlainDate(PriceBar& bar) {
    if (!plainDate_.read) return readDate(plainDate_.text, bar);
    DateNumbers& numbers = plainDate_.numbers;
    const std::size_t dayAt = dateOrder_ == DateOrder::DayMonthYear   ? 0
                              : dateOrder_ == DateOrder::MonthDayYear ? 1
                                                                      : 2;
    const int day = numbers.value[dayAt];
    numbers.value[dayAt] = 1;
    numbers.digits[dayAt] = 1;
    if (numbers != plainMonth_.numbers) {
        plainMonth_.numbers = numbers;
        const std::optional<CivilDate> first = dateOfNumbers(numbers, dateOrder_, currentYear_);
        plainMonth_.firstDay = first ? dayCountOf(*first) : std::nullopt;
        plainMonth_.length = first ? daysInMonth(first->year, first->month) : 0;
    }
    return plainMonth_.firstDay && day >= 1 && day <= plainMonth_.length &&
           takeDay(*plainMonth_.firstDay + (day - 1), bar);
}

TAsciiFileReader::Row TAsciiFileReader::readByPosition(std::string_view text, PriceBar& bar) {
    splitLine(text, layout_.separator, pieces_);
    if (pieces_.count < 2) return Row::Blank;
    // A run of commas inside a line marks values left empty: the values after them keep their
    // columns, and the empty ones are missing, as in named columns.
    const bool gaps = layout_.separator == ',' && text.find(",,") != std::string_view::npos;
    if (gaps) splitLine(text, layout_.separator, pieces_, true);
    bar = PriceBar{};
    if (!readDate(pieces_[0], bar)) return Row::Failed;
    if (layout_.timeColumn && !isTimeOfDay(pieces_[1])) {
        failure_ = msg::withText(msg::kNotATime, pieces_[1]);
        return Row::Failed;
    }
    const std::size_t at = layout_.timeColumn ? 2 : 1; // of the first value

    bool ok = true, priceMissing = false, volumeMissing = false;
    const auto value = [&](std::size_t index, float& field, bool dropCommas = false) {
        if (!ok) return;
        const std::string_view piece = pieces_[index];
        if (gaps && piece.empty() && index < pieces_.count) {
            (&field == &bar.volume ? volumeMissing : priceMissing) = true;
            return;
        }
        const std::optional<float> v =
            dropCommas ? parsePriceWithoutCommas(piece) : parsePrice(piece);
        if (v) {
            field = *v;
        } else {
            failure_ = msg::withText(msg::kNotANumber, piece);
            ok = false;
        }
    };
    switch (layout_.valueColumns) {
    case 1:
        value(at, bar.close);
        break;
    case 2: // no commas taken out: "12,000" here is no number
        value(at, bar.close);
        value(at + 1, bar.volume);
        break;
    case 3:
        value(at, bar.high);
        value(at + 1, bar.low);
        value(at + 2, bar.close);
        break;
    case 4:
        value(at, bar.high);
        value(at + 1, bar.low);
        value(at + 2, bar.close);
        value(at + 3, bar.volume, true);
        break;
    default: // 5 or 6: columns after the volume are ignored
        value(at, bar.open);
        value(at + 1, bar.high);
        value(at + 2, bar.low);
        value(at + 3, bar.close);
        value(at + 4, bar.volume, true);
        if (ok && !priceMissing) fillOpenHighLow(bar);
        break;
    }
    if (!ok) return Row::Failed;
    if (priceMissing) return Row::NoPrice;
    return volumeMissing ? Row::BarWithoutVolume : Row::Bar;
}

// Whether the line has every column read and nothing beyond the header's fields.
bool TAsciiFileReader::fieldsFitHeader() const {
    const std::size_t named = layout_.header.names.size();
    if (fields_.count < fieldsNeeded_) return false;
    if (fields_.count <= named) return true;
    if (fields_.count > LineFields::kKept) return false;
    for (std::size_t i = named; i < fields_.count; ++i)
        if (!fields_[i].empty()) return false;
    return true;
}

// A bar without an open, high or low of its own (any of them 0) gets the close for all three.
void TAsciiFileReader::fillOpenHighLow(PriceBar& bar) const {
    if (columns_.open >= 0 && (bar.open == 0.0f || bar.high == 0.0f || bar.low == 0.0f))
        bar.open = bar.high = bar.low = bar.close;
}

TAsciiFileReader::Row TAsciiFileReader::readByName(std::string_view text, PriceBar& bar) {
    // A plain line with a date that reads is done; anything else, mistakes included, goes the
    // general way, which reads it again and tells what is wrong.
    if (plainLines_ && plainLine_.read(text, bar, plainDate_) && readPlainDate(bar)) {
        fillOpenHighLow(bar);
        return Row::Bar;
    }
    splitFields(text, layout_.separator, fields_);
    return readFields(text, bar);
}

// An overlong line (a long note in a column passed over) is read when every column taken
// ends within its kept start; its last kept field may be cut short.
TAsciiFileReader::Row TAsciiFileReader::readOverlongByName(std::string_view kept, PriceBar& bar) {
    splitFields(kept, layout_.separator, fields_);
    if (fields_.count > LineFields::kKept || fields_.count <= fieldsNeeded_) {
        failure_ = overlongLineMessage(kept);
        return Row::Failed;
    }
    --fields_.count;
    return readFields(kept, bar);
}

TAsciiFileReader::Row TAsciiFileReader::readFields(std::string_view text, PriceBar& bar) {
    if (fields_.filled < 2) return Row::Blank;
    if (!fieldsFitHeader()) {
        const std::size_t named = layout_.header.names.size();
        failure_ = msg::fieldCount(text, fields_.count, named,
                                   layout_.separator == ',' && fields_.count > named);
        return Row::Failed;
    }
    bar = PriceBar{};
    if (!readDate(fields_[static_cast<std::size_t>(columns_.date)], bar)) return Row::Failed;

    // Reads one column into its field; false ends the reading of the file.
    const auto read = [&](std::int8_t column, float& field, bool volume, bool& missing) {
        if (column < 0) return true;
        const std::string_view value = fields_[static_cast<std::size_t>(column)];
        switch (readFieldNumber(value, layout_.decimalMark, volume, field)) {
        case FieldValue::Number:
            return true;
        case FieldValue::Missing:
            missing = true;
            return true;
        case FieldValue::Bad:
            break;
        }
        failure_ = msg::withText(msg::kNotANumber, value);
        return false;
    };
    bool priceMissing = false, volumeMissing = false;
    if (!read(columns_.open, bar.open, false, priceMissing) ||
        !read(columns_.high, bar.high, false, priceMissing) ||
        !read(columns_.low, bar.low, false, priceMissing) ||
        !read(columns_.close, bar.close, false, priceMissing) ||
        !read(columns_.volume, bar.volume, true, volumeMissing))
        return Row::Failed;
    if (priceMissing) return Row::NoPrice;
    fillOpenHighLow(bar);
    return volumeMissing ? Row::BarWithoutVolume : Row::Bar;
}

void TAsciiFileReader::readRatio(const std::filesystem::path& first,
                                 const std::filesystem::path& second) {
    clearResult();
    if (first.empty() || second.empty()) return;
    reports_.clear();
    readOne(first);
    const std::filesystem::path firstFile = resultName_;
    const std::string firstTitle = title_;
    if (firstFile.empty()) return;
    readOne(second);
    const std::filesystem::path secondFile = resultName_;
    clearResult();
    if (!secondFile.empty()) {
        title_ = description_ = firstTitle + " to " + title_;
        pairRatio(firstFile, secondFile);
    }
    removeFile(firstFile);
    removeFile(secondFile);
}

void TAsciiFileReader::pairRatio(const std::filesystem::path& first,
                                 const std::filesystem::path& second) {
    BarFileReader a, b;
    int error = a.open(first);
    if (error == 0) error = b.open(second);
    // Step back from both ends to the last date the two share. Files that share none run
    // out of records, which ends the request as a read error.
    std::int64_t i1 = a.recordCount() - 1, i2 = b.recordCount() - 1;
    PriceBar r1, r2;
    if (error == 0) error = a.read(i1, 1, &r1);
    if (error == 0) error = b.read(i2, 1, &r2);
    while (error == 0 && r1.date != 0.0 && r2.date != 0.0 && r1.date != r2.date)
        error = r1.date > r2.date ? a.read(--i1, 1, &r1) : b.read(--i2, 1, &r2);
    if (error != 0) {
        reportIoError(error);
        return;
    }

    // Pair the last n records of each by position.
    const std::int64_t n = std::min(i1, i2) + 1;
    BarFileWriter out;
    if (const int e = out.create(tempFolder_, BarFileWriter::Naming::Chart)) {
        reportIoError(e);
        return;
    }
    auto chunkA = std::make_unique<PriceBar[]>(kChunkBars);
    auto chunkB = std::make_unique<PriceBar[]>(kChunkBars);
    for (std::int64_t done = 0; done < n;) {
        const auto count = static_cast<std::size_t>(std::min<std::int64_t>(kChunkBars, n - done));
        error = a.read(i1 + 1 - n + done, count, chunkA.get());
        if (error == 0) error = b.read(i2 + 1 - n + done, count, chunkB.get());
        if (error != 0) {
            reportIoError(error);
            return;
        }
        for (std::size_t k = 0; k < count; ++k) {
            PriceBar bar;
            bar.date = chunkA[k].date;
            bar.close = chunkA[k].close / chunkB[k].close;
            // A second close of zero, or a ratio beyond a single, gives no chart.
            if (chunkB[k].close == 0.0f || !std::isfinite(bar.close)) return;
            if (!out.append(bar)) {
                reportIoError(out.error());
                return;
            }
        }
        done += static_cast<std::int64_t>(count);
    }
    if (const int e = out.finish()) {
        reportIoError(e);
        return;
    }
    resultName_ = out.path();
    barCount_ = static_cast<std::int32_t>(n);
    dataKind_ = DataKind::Close;
}

} // namespace qm

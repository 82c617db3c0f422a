#include "AsciiFileReader.h"

#include "ChartDataFile.h"
#include "LineReader.h"
#include "MarketMessages.h"
#include "PriceText.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <memory>
#include <unistd.h>

namespace qm {
namespace {

// Records moved per read when a file is reversed or two files are paired.
constexpr std::size_t kChunkBars = 8192;

void removeFile(const std::filesystem::path& file) {
    if (!file.empty()) ::unlink(file.c_str());
}

} // namespace

FileTitles titlesFromFileName(const std::filesystem::path& source) {
    const std::string name = source.filename().string();
    const std::string extension = source.extension().string();
    const std::string_view stem = trimBlanks(
        std::string_view(name).substr(0, extension.empty() ? name.size() : name.find(extension)));
    const std::size_t equals = stem.find('=');
    if (equals == std::string_view::npos) return {std::string(stem), std::string(stem)};
    return {std::string(trimBlanks(stem.substr(0, equals))),
            std::string(trimBlanks(stem.substr(equals + 1)))};
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
    clearResult();
    layoutFound_ = false;
    const FileTitles titles = titlesFromFileName(source);
    title_ = titles.title;
    description_ = titles.description;

    LineReader lines;
    if (const int error = lines.open(source)) {
        // A missing file is reported by the caller; something that is not a file is no price
        // file either.
        if (error != ENOENT && error != ENOTDIR && error != EINVAL) reportIoError(error);
        return;
    }
    layoutFound_ = detectLayout(lines, locale_, currentYear_, layout_);
    if (!layoutFound_) {
        if (lines.error() != 0) reportIoError(lines.error());
        return;
    }
    dateOrder_ = layout_.dateOrder();
    if (const int error = lines.rewind()) {
        reportIoError(error);
        return;
    }
    readDetected(lines);
}

void TAsciiFileReader::readDetected(LineReader& lines) {
    BarFileWriter out;
    if (const int error = out.create(tempFolder_, BarFileWriter::Naming::Chart)) {
        reportIoError(error);
        return;
    }
    LineReader::Line line;
    for (int skipped = 0; skipped < layout_.headerLines && lines.next(line);) ++skipped;

    LinePieces pieces;
    PriceBar bar;
    while (lines.next(line)) {
        splitLine(trimBlanks(line.text), layout_.separator, pieces);
        if (line.cut) {
            // An overlong line is never a price line; the message names its last piece kept.
            const std::size_t kept = std::min(pieces.count, LinePieces::kKept);
            sink_.information(msg::withText(kept <= 1 ? msg::kNotADate : msg::kNotANumber,
                                            kept == 0 ? std::string_view{} : pieces[kept - 1]));
            return;
        }
        if (pieces.count < 2) continue;
        if (!readLine(pieces, bar)) return;
        if (out.count() == INT32_MAX) {
            reportIoError(EFBIG);
            return;
        }
        if (!out.append(bar)) {
            reportIoError(out.error());
            return;
        }
    }
    if (lines.error() != 0) {
        reportIoError(lines.error());
        return;
    }
    const std::int64_t count = out.count();
    if (const int error = out.finish()) {
        reportIoError(error);
        return;
    }
    if (count == 0) { // the file changed since detection; nothing to chart
        removeFile(out.path());
        return;
    }
    dataKind_ = static_cast<DataKind>(std::min<std::uint8_t>(layout_.valueColumns, 5));
    barCount_ = static_cast<std::int32_t>(count);
    if (!putOldestFirst(out.path())) clearResult();
}

bool TAsciiFileReader::readLine(const LinePieces& pieces, PriceBar& bar) {
    bar = PriceBar{};
    const std::string_view dateText = pieces[0];
    std::optional<double> day;
    if (layout_.textDates) {
        std::optional<CivilDate> date =
            parseDateText(dateText, dateOrder_, layout_.dateSeparator, currentYear_);
        if (!date) {
            sink_.information(msg::withText(msg::kNotADate, dateText));
            return false;
        }
        if (date->year < 20) date->year += 2000; // "0015" means 2015
        day = encodeDate(date->year, date->month, date->day);
    } else {
        const std::optional<double> number = parseDecimal(dateText);
        if (!number) {
            sink_.information(msg::withText(msg::kNotANumber, dateText));
            return false;
        }
        day = numericDateToDays(*number);
    }
    // Day 0 (1899-12-30) marks the empty slot below a window's oldest bar and ends a weekly or
    // monthly conversion: a bar dated so would hide every bar before it.
    if (!day || *day == 0.0) {
        sink_.information(msg::kBadDateNumber);
        return false;
    }
    bar.date = *day;

    bool ok = true;
    const auto value = [&](std::size_t index, float& field, bool dropCommas = false) {
        if (!ok) return;
        const std::string_view text = pieces[index];
        const std::optional<float> v =
            dropCommas ? parsePriceWithoutCommas(text) : parsePrice(text);
        if (v) {
            field = *v;
        } else {
            sink_.information(msg::withText(msg::kNotANumber, text));
            ok = false;
        }
    };
    switch (layout_.valueColumns) {
    case 1:
        value(1, bar.close);
        break;
    case 2: // no commas taken out: "12,000" here is no number
        value(1, bar.close);
        value(2, bar.volume);
        break;
    case 3:
        value(1, bar.high);
        value(2, bar.low);
        value(3, bar.close);
        break;
    case 4:
        value(1, bar.high);
        value(2, bar.low);
        value(3, bar.close);
        value(4, bar.volume, true);
        break;
    default: // 5 or 6: columns after the volume are ignored
        value(1, bar.open);
        value(2, bar.high);
        value(3, bar.low);
        value(4, bar.close);
        value(5, bar.volume, true);
        if (ok && (bar.open == 0.0f || bar.high == 0.0f || bar.low == 0.0f))
            bar.open = bar.high = bar.low = bar.close;
        break;
    }
    return ok;
}

// A file written newest first is copied in reverse into a fresh chart data file.
bool TAsciiFileReader::putOldestFirst(const std::filesystem::path& written) {
    BarFileReader in;
    PriceBar first, last;
    int error = in.open(written);
    if (error == 0) error = in.read(0, 1, &first);
    if (error == 0) error = in.read(in.recordCount() - 1, 1, &last);
    if (error == 0 && first.date < last.date) {
        resultName_ = written;
        return true;
    }
    BarFileWriter out;
    if (error == 0) error = out.create(tempFolder_, BarFileWriter::Naming::Chart);
    auto chunk = std::make_unique<PriceBar[]>(kChunkBars);
    for (std::int64_t end = in.recordCount(); error == 0 && end > 0;) {
        const std::int64_t start = std::max<std::int64_t>(0, end - std::int64_t{kChunkBars});
        const auto n = static_cast<std::size_t>(end - start);
        error = in.read(start, n, chunk.get());
        for (std::size_t i = n; error == 0 && i-- > 0;)
            if (!out.append(chunk[i])) error = out.error();
        end = start;
    }
    if (error == 0) error = out.finish();
    removeFile(written);
    if (error != 0) {
        reportIoError(error);
        return false;
    }
    resultName_ = out.path();
    return true;
}

void TAsciiFileReader::readRatio(const std::filesystem::path& first,
                                 const std::filesystem::path& second) {
    clearResult();
    if (first.empty() || second.empty()) return;
    readFile(first);
    const std::filesystem::path firstFile = resultName_;
    const std::string firstTitle = title_;
    if (firstFile.empty()) return;
    readFile(second);
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

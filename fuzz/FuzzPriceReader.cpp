// The price file reader on any text: layout detection by position and by the names of a header,
// reading, putting the bars oldest first, the report of what was passed over or looks wrong,
// and the relative-strength series of two files.
//
// Input: the first byte picks the mode (bit 0 day-first regional settings, bit 1 a ratio of
// two files, bit 2 ISO regional settings, bit 3 a current year near a century's end); the rest
// is the file, or for a ratio the two files separated by a line "--8<--".

#include "FuzzSupport.h"
#include "market/AsciiFileReader.h"
#include "market/PriceBar.h"
#include "market/Utf16Text.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

using namespace qm;

namespace {

std::vector<PriceBar> barsOf(const std::filesystem::path& file) {
    const std::string bytes = fuzz::readBytes(file);
    QM_FUZZ_CHECK(bytes.size() % sizeof(PriceBar) == 0, "chart data file of whole records");
    std::vector<PriceBar> bars(bytes.size() / sizeof(PriceBar));
    if (!bars.empty()) std::memcpy(bars.data(), bytes.data(), bytes.size());
    return bars;
}

// The most lines a text can have as the reader numbers them, so that every place a message names
// can be checked to lie in its file. A UTF-16 text is counted as the UTF-8 it is read as.
std::int64_t lineCount(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    if (const auto order = utf16OrderOfMark(bytes, text.size())) {
        std::string utf8(text.size() * 2 + 4, '\0');
        std::size_t used = 0;
        utf8.resize(
            utf16ToUtf8(bytes + 2, text.size() - 2, *order, true, utf8.data(), utf8.size(), used));
        return lineCount(utf8);
    }
    // At most one line per CR or LF: lines end with either where a file mixes them.
    std::int64_t lines = 0;
    for (const char c : text) lines += c == '\r' || c == '\n';
    return lines + 1;
}

class PlaceCheckingSink final : public MessageSink {
public:
    std::int64_t lines = 0; // of the file being read
    void information(std::string_view) override {}
    void informationAt(std::string_view, std::int64_t line, std::string_view) override {
        QM_FUZZ_CHECK(line >= 1 && line <= lines, "a message names a line of its file");
    }
    void error(std::string_view) override {}
    void warning(std::string_view) override {}
    bool confirm(std::string_view) override { return false; }
};

// The report of a single file tells the truth about the bars it gave: the bars with high below
// low, the neighbours of equal dates and the steps back in time of the oldest-first result.
void checkReport(const ReadReport& report, const std::vector<PriceBar>& bars, std::int64_t lines) {
    std::int64_t highBelowLow = 0, repeated = 0, backwards = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        highBelowLow += bars[i].high < bars[i].low;
        if (i == 0) continue;
        repeated += bars[i].date == bars[i - 1].date;
        backwards += bars[i].date < bars[i - 1].date;
    }
    QM_FUZZ_CHECK(report.highBelowLow.count == highBelowLow, "bars with high below low counted");
    QM_FUZZ_CHECK(report.repeatedDates.count == repeated, "repeated dates counted");
    QM_FUZZ_CHECK(report.outOfOrder.count == backwards, "dates out of order counted");
    QM_FUZZ_CHECK(report.missingPrices.count + static_cast<std::int64_t>(bars.size()) <= lines,
                  "no more rows than lines");
    for (const LineTally* t : {&report.missingPrices, &report.missingVolumes, &report.highBelowLow,
                               &report.outOfOrder, &report.repeatedDates})
        QM_FUZZ_CHECK((t->count == 0) == (t->firstLine == 0) && t->firstLine <= lines,
                      "a first line exactly when counted, in the file");
}

void checkResult(const TAsciiFileReader& reader, bool ratio, std::int64_t lines) {
    const bool written = !reader.resultName().empty();
    QM_FUZZ_CHECK(written == (reader.barCount() > 0), "a result file exactly when bars were read");
    if (!written) return;
    const auto kind = static_cast<int>(reader.dataKind());
    QM_FUZZ_CHECK(kind >= 1 && kind <= 5, "data kind of a result");
    QM_FUZZ_CHECK(!ratio || kind == 1, "a ratio is a close-only series");
    const std::vector<PriceBar> bars = barsOf(reader.resultName());
    QM_FUZZ_CHECK(bars.size() == static_cast<std::size_t>(reader.barCount()),
                  "bar count matches the file");
    // A file of unsorted dates stays unsorted, but a file is never read newest bar first. (The
    // ratio pairs the last bars of its files as they are, so it keeps no such promise.)
    QM_FUZZ_CHECK(ratio || !(bars.front().date > bars.back().date), "oldest bar first");
    for (const PriceBar& bar : bars) {
        QM_FUZZ_CHECK(std::isfinite(bar.date) && bar.date != 0.0,
                      "a finite date, never the empty slot's 0");
        QM_FUZZ_CHECK(std::isfinite(bar.open) && std::isfinite(bar.high) &&
                          std::isfinite(bar.low) && std::isfinite(bar.close) &&
                          std::isfinite(bar.volume),
                      "finite prices");
    }
    if (!ratio) {
        QM_FUZZ_CHECK(reader.reports().size() == 1, "one report for one file");
        checkReport(reader.reports().front(), bars, lines);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    FormatSettings fs =
        (mode & 1) != 0 ? FormatSettings::dayFirst() : FormatSettings::unitedStates();
    if ((mode & 4) != 0) {
        fs.shortDatePattern = "yyyy-MM-dd";
        fs.dateSeparator = '-';
    }
    const int year = (mode & 8) != 0 ? 2099 : 2016;

    const std::filesystem::path sources = fuzz::freshFolder("sources");
    const std::filesystem::path temp = fuzz::freshFolder("temp");
    PlaceCheckingSink sink;
    TAsciiFileReader reader(fs, temp, year, sink);
    const bool ratio = (mode & 2) != 0;
    if (ratio) {
        const auto [first, second] = fuzz::splitAt(text, "\n--8<--\n");
        fuzz::writeBytes(sources / "FIRST.csv", first);
        fuzz::writeBytes(sources / "SECOND.csv", second);
        sink.lines = std::max(lineCount(first), lineCount(second));
        reader.readRatio(sources / "FIRST.csv", sources / "SECOND.csv");
    } else {
        fuzz::writeBytes(sources / "ACME = Acme Industries.csv", text);
        sink.lines = lineCount(text);
        reader.readFile(sources / "ACME = Acme Industries.csv");
        // A second file through the same reader: the separator carries over from the first.
        if (reader.barCount() == 0) reader.readFile(sources / "ACME = Acme Industries.csv");
    }
    checkResult(reader, ratio, sink.lines);

    // Nothing but the result may be left in the temporary folder.
    if (!reader.resultName().empty()) std::filesystem::remove(reader.resultName());
    QM_FUZZ_CHECK(fuzz::entryCount(temp) == 0, "no chart data file left behind");
    return 0;
}

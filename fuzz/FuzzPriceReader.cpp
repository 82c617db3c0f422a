// The price file reader on any text: layout detection, reading, putting the bars oldest first,
// and the relative-strength series of two files.
//
// Input: the first byte picks the mode (bit 0 day-first regional settings, bit 1 a ratio of
// two files, bit 2 ISO regional settings, bit 3 a current year near a century's end); the rest
// is the file, or for a ratio the two files separated by a line "--8<--".

#include "FuzzSupport.h"
#include "market/AsciiFileReader.h"
#include "market/PriceBar.h"

#include <cmath>
#include <cstring>
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

void checkResult(const TAsciiFileReader& reader, bool ratio) {
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
    SilentSink sink;
    TAsciiFileReader reader(fs, temp, year, sink);
    const bool ratio = (mode & 2) != 0;
    if (ratio) {
        const auto [first, second] = fuzz::splitAt(text, "\n--8<--\n");
        fuzz::writeBytes(sources / "FIRST.csv", first);
        fuzz::writeBytes(sources / "SECOND.csv", second);
        reader.readRatio(sources / "FIRST.csv", sources / "SECOND.csv");
    } else {
        fuzz::writeBytes(sources / "ACME = Acme Industries.csv", text);
        reader.readFile(sources / "ACME = Acme Industries.csv");
        // A second file through the same reader: the separator carries over from the first.
        if (reader.barCount() == 0) reader.readFile(sources / "ACME = Acme Industries.csv");
    }
    checkResult(reader, ratio);

    // Nothing but the result may be left in the temporary folder.
    if (!reader.resultName().empty()) std::filesystem::remove(reader.resultName());
    QM_FUZZ_CHECK(fuzz::entryCount(temp) == 0, "no chart data file left behind");
    return 0;
}

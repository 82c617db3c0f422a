#include "Commands.h"
#include "StderrSink.h"
#include "UserConventions.h"
#include "market/AsciiFileReader.h"
#include "market/ChartDataFile.h"
#include "market/DateText.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace qm::cli {
namespace {

const char* separatorName(char separator) {
    switch (separator) {
    case ',':
        return "comma";
    case ' ':
        return "space";
    case '\t':
        return "tab";
    default:
        return "no";
    }
}

const char* fieldsOf(DataKind kind) {
    switch (kind) {
    case DataKind::Close:
        return "close";
    case DataKind::CloseVolume:
        return "close, volume";
    case DataKind::HighLowClose:
        return "high, low, close";
    case DataKind::HighLowCloseVolume:
        return "high, low, close, volume";
    case DataKind::Full:
        return "open, high, low, close, volume";
    default:
        return "none";
    }
}

// Prints what was found in one file; false when it gave no bars.
bool inspect(TAsciiFileReader& reader, const std::filesystem::path& file,
             const FormatSettings& fs) {
    std::printf("%s\n", file.c_str());
    std::fflush(stdout); // before any message the reading prints to stderr
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        std::printf("  cannot be found\n");
        return false;
    }
    reader.readFile(file);
    if (!reader.layoutFound()) {
        std::printf("  no price lines in the first ten lines\n");
        return false;
    }
    const PriceLayout& layout = reader.layout();
    std::printf("  layout: %s separated, %d header line%s, %s dates \"%s\"\n",
                separatorName(layout.separator), layout.headerLines,
                layout.headerLines == 1 ? "" : "s", layout.textDates ? "text" : "numeric",
                layout.datePattern.c_str());
    if (reader.resultName().empty()) {
        std::printf("  not read\n");
        return false;
    }
    BarFileReader bars;
    PriceBar first, last;
    int error = bars.open(reader.resultName());
    if (error == 0) error = bars.read(0, 1, &first);
    if (error == 0) error = bars.read(bars.recordCount() - 1, 1, &last);
    std::filesystem::remove(reader.resultName(), ec);
    if (error != 0) {
        std::printf("  chart data unreadable: %s\n",
                    std::generic_category().message(error).c_str());
        return false;
    }
    std::printf("  data kind: %d (%s)\n", static_cast<int>(reader.dataKind()),
                fieldsOf(reader.dataKind()));
    std::printf("  bars: %d, from %s to %s\n", reader.barCount(),
                formatShortDate(first.date, fs).c_str(), formatShortDate(last.date, fs).c_str());
    std::printf("  title: %s; description: %s\n", reader.title().c_str(),
                reader.description().c_str());
    return true;
}

} // namespace

// Reads each price file as a chart would and reports what was found. Exit code 1 when any
// file gave no bars.
int runInspect(std::span<char*> args) {
    if (args.empty()) {
        std::fprintf(stderr, "usage: quillmar-cli inspect FILE...\n");
        return 2;
    }
    StderrSink sink;
    const FormatSettings fs = userFormatSettings();
    std::error_code ec;
    std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
    if (ec) temp = "/tmp";
    bool allRead = true;
    for (const char* file : args) {
        // One reader per file, as for a chart: nothing carries over from the file before.
        TAsciiFileReader reader(fs, temp, currentCalendarYear(), sink);
        allRead = inspect(reader, file, fs) && allRead;
    }
    return allRead ? 0 : 1;
}

} // namespace qm::cli

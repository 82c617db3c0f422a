#include "Commands.h"
#include "StderrSink.h"
#include "UserConventions.h"
#include "market/AsciiFileReader.h"
#include "market/ChartDataFile.h"
#include "market/DateText.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

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
    case ';':
        return "semicolon";
    case '|':
        return "bar";
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

const char* dateFormName(DateForm form) {
    switch (form) {
    case DateForm::Pattern:
        return "text";
    case DateForm::Numeric:
        return "numeric";
    case DateForm::MonthName:
        return "month-name";
    case DateForm::UnixSeconds:
    case DateForm::UnixMilliseconds:
        return "time-stamp";
    }
    return "";
}

void printLayout(const PriceLayout& layout) {
    std::string line = std::string(layoutName(layout)) + ", " + separatorName(layout.separator) +
                       " separated, " + std::to_string(layout.headerLines) + " header line" +
                       (layout.headerLines == 1 ? "" : "s") + ", " + dateFormName(layout.dateForm) +
                       " dates \"" + layout.datePattern + "\"";
    if (layout.dateWithTime) line += " with a time of day";
    if (layout.orderFromData) line += " (day and month order from the data)";
    if (layout.named && layout.decimalMark == ',') line += ", decimal comma";
    std::printf("  layout: %s\n", line.c_str());
}

// Which column is which, counted from 1; by name, with the names of the columns passed over.
void printColumns(const PriceLayout& layout) {
    const ColumnMap m = layout.columns();
    const std::pair<const char*, std::int8_t> taken[] = {{"date", m.date},   {"open", m.open},
                                                         {"high", m.high},   {"low", m.low},
                                                         {"close", m.close}, {"volume", m.volume}};
    const auto& names = layout.header.names;
    const auto nameOf = [&](std::size_t i) {
        return names[i].empty() ? std::string("unnamed") : "\"" + names[i] + "\"";
    };
    std::string line;
    for (const auto& [what, column] : taken) {
        if (column < 0) continue;
        line += (line.empty() ? "" : ", ") + std::string(what) + " " + std::to_string(column + 1);
        if (layout.named) line += " " + nameOf(static_cast<std::size_t>(column));
    }
    if (!layout.named) {
        std::printf("  columns: %s, by position\n", line.c_str());
        return;
    }
    std::string passedOver;
    for (std::size_t i = 0; i < names.size(); ++i) {
        bool used = false;
        for (const auto& t : taken) used = used || t.second == static_cast<std::int8_t>(i);
        if (!used)
            passedOver +=
                (passedOver.empty() ? "" : ", ") + std::to_string(i + 1) + " " + nameOf(i);
    }
    std::printf("  columns: %s, named by the header on line %d\n", line.c_str(), layout.headerLine);
    if (!passedOver.empty()) std::printf("  passed over: %s\n", passedOver.c_str());
}

void printReport(const TAsciiFileReader& reader) {
    for (const ReadReport& report : reader.reports()) {
        if (const std::string skipped = skippedRowsText(report); !skipped.empty())
            std::printf("  skipped: %s\n", skipped.c_str());
        if (const std::string doubtful = doubtfulBarsText(report); !doubtful.empty())
            std::printf("  warning: %s; read as written\n", doubtful.c_str());
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
    if (!reader.layoutFound()) { // the reader has said why
        std::printf("  not read\n");
        return false;
    }
    printLayout(reader.layout());
    printColumns(reader.layout());
    if (reader.resultName().empty()) {
        printReport(reader);
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
    printReport(reader);
    std::printf("  title: %s; description: %s\n", reader.title().c_str(),
                reader.description().c_str());
    return true;
}

} // namespace

// Reads each price file as a chart would and reports what was found. Exit code 1 when any
// file gave no bars.
int runInspect(std::span<char*> args) {
    if (args.size() == 1 && isHelp(args[0])) {
        std::printf(
            "usage: quillmar-cli inspect FILE...\n"
            "Reads each price file as a chart would and tells the layout recognised, which column\n"
            "is which, the data kind, the bars and their dates, the rows passed over and the\n"
            "bars that look wrong. Exit status 1 when a file gave no bars.\n");
        return 0;
    }
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

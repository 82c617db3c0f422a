#pragma once
// The chart loader: every way of opening a chart ends here. From one price file (or two, for a
// relative-strength chart), an interval and a list of requested indicators it makes everything
// a chart window is built from: the chart data file, the filled bar window, the record list and
// the chart's title and settings. It opens no window, so the desktop window and the command line
// share it.

#include "market/AsciiFileReader.h"
#include "market/BarWindowFill.h"
#include "market/FormatSettings.h"
#include "market/MessageSink.h"
#include "market/PriceBar.h"
#include "settings/IndicatorRequests.h"
#include "settings/lists/PlotRecList.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class TGroupRecObj;
class TParamRecList;

// A chart data file that is deleted when its owner goes: every chart owns exactly one, and a
// chart given up half-way leaves none behind.
class OwnedChartFile {
public:
    OwnedChartFile() = default;
    explicit OwnedChartFile(std::filesystem::path file) : path_(std::move(file)) {}
    ~OwnedChartFile() { remove(); }
    OwnedChartFile(OwnedChartFile&& other) noexcept : path_(std::move(other.path_)) {
        other.path_.clear();
    }
    OwnedChartFile& operator=(OwnedChartFile&& other) noexcept;
    OwnedChartFile(const OwnedChartFile&) = delete;
    OwnedChartFile& operator=(const OwnedChartFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void remove();

private:
    std::filesystem::path path_;
};

// What the program knows when a chart is opened.
struct LoaderContext {
    std::filesystem::path settingsFolder;
    const TParamRecList* settingsList = nullptr; // from "PrmsList.Lst"; none counts as empty
    std::uint8_t sourceFileType = 0;
    std::filesystem::path tempFolder; // receives the chart data files
    FormatSettings locale;            // the user's regional conventions
    int currentYear = 0;              // completes dates written without a year or with two digits
};

struct ChartRequest {
    std::filesystem::path sourceFile;
    std::filesystem::path secondSourceFile; // set only for a relative-strength chart
    Interval interval = Interval::Daily;
    // Entry 0 stands for the price chart (its pane position counts), the others ask for
    // indicators. An empty list counts as the price chart alone in pane position 1.
    IndicatorRequestList requests;
    const TGroupRecObj* group = nullptr; // when a chart group is reopened
    int spacing = 0; // the bar spacing a new chart window starts with: 0, 1 or 2
};

// Everything a chart window is made of.
struct LoadedChart {
    OwnedChartFile dataFile;
    BarWindow bars{};
    WindowPosition position; // offset 1: the newest record in slot 511
    DataKind dataKind = DataKind::None;
    std::uint8_t sourceFileType = 0;
    std::filesystem::path sourceFile;
    std::filesystem::path secondSourceFile;
    std::filesystem::path settingsFile; // supplies the settings of indicators added later
    TPlotRecList records;               // the price object first, then the indicators
    std::int32_t backgroundColour = 0;
    std::uint8_t chartType = 0;
    int spacing = 0; // 0..2
    std::uint8_t pricePane = 0;
    Interval interval = Interval::Daily;
    std::string title; // without trailing blanks
    std::string description;
    // What reading the source files found besides their bars (rows passed over, bars that
    // look wrong), one report per file.
    std::vector<ReadReport> readReports;
};

struct LoadResult {
    std::unique_ptr<LoadedChart> chart; // none when no chart was made
    // Set when the chart was given up after its data had been read (unreadable settings, a
    // settings set without a record a request needs). The loader itself says nothing more than
    // the settings list's own message, so a caller that must explain itself shows this.
    std::string abandonReason;
};

// Opens a chart. The two ways a request fails before any chart exists are reported through
// `sink`: a missing source file and data that gives no bars. A failure to convert to weekly or
// monthly bars is thrown (std::system_error) and leaves no chart data file behind.
LoadResult openChart(const ChartRequest& request, const LoaderContext& context, MessageSink& sink);

// Reads a chart's price files again, after a download replaced or updated them, into a new chart
// data file at the chart's interval; its records and settings stay. The window keeps its place:
// at the newest bar when it showed it, else with the same day in its newest slot (the last day
// before it when that day is gone). False when the files give nothing, after the user was told
// through `sink`: the chart is then left as it was.
bool reloadChartData(LoadedChart& chart, const std::filesystem::path& sourceFile,
                     const std::filesystem::path& secondSourceFile, const LoaderContext& context,
                     MessageSink& sink);

// Indicator kinds that need a high and a low: on a chart of closes only (data kind 1 or 2) the
// loader passes them over.
bool needsHighLow(int kind);

} // namespace qm

#pragma once
// One chart as the chart and values commands make it: loaded as the desktop program opens a
// chart, with the indicators of the command line added as drops, then drawn by the renderer or
// computed for its numbers. Both commands go through here, so a chart and its values always
// come from the same bars, records and visible bars.

#include "ChartArgs.h"
#include "loader/ChartLoader.h"
#include "market/FormatSettings.h"
#include "market/MessageSink.h"
#include "market/WorkFolder.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <vector>

class QGuiApplication;

namespace qm {
class TBmpChartObj;
}

namespace qm::cli {

// A command that could not do its job, with the text the user is shown.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A folder of the command's own for its chart data files, removed with all it holds when the
// command ends, also on failure. Making it first clears the folders of commands that were killed.
class PrivateFolder {
public:
    explicit PrivateFolder(const std::filesystem::path& parent);
    const std::filesystem::path& path() const { return folder_.path(); }

private:
    WorkFolder folder_;
};

// Qt ready to measure and draw text without a display (the offscreen platform unless
// QT_QPA_PLATFORM says otherwise) while the session lives; Qt's own chatter is kept off
// stderr. Where an application exists already the session leaves it alone.
class GuiSession {
public:
    GuiSession();
    ~GuiSession();
    GuiSession(const GuiSession&) = delete;
    GuiSession& operator=(const GuiSession&) = delete;

private:
    std::unique_ptr<QGuiApplication> app_;
};

class PreparedChart {
public:
    // Loads the chart the options describe. Throws CommandError, after the system's own
    // messages (through `sink`) where there are any.
    PreparedChart(const ChartArgs& args, MessageSink& sink);

    const ChartArgs& args() const { return args_; }
    const FormatSettings& formatSettings() const { return fs_; }
    const LoadedChart& chart() const { return *chart_; }
    // The price record first, then the indicators in drawing order. Drawing and computing set
    // their run-time fields.
    std::vector<TOscObj*> records();

private:
    void applyChartType(MessageSink& sink);
    void addIndicators(MessageSink& sink);

    ChartArgs args_;
    FormatSettings fs_;
    PrivateFolder temp_; // outlives the chart, whose data file lies in it
    std::unique_ptr<LoadedChart> chart_;
};

// A renderer set up to draw `records` over `bars` as the chart at the options' size.
std::unique_ptr<TBmpChartObj> makeRenderer(PreparedChart& chart, BarWindow& bars,
                                           std::span<TOscObj* const> records, MessageSink& sink);

// Draws the chart at the options' size on a copy of its bars and writes it to `output` in the
// format of its extension, replacing the file atomically. A PDF page is drawn anew, landscape,
// with the bars the screen-sized chart shows. Throws CommandError.
void saveChart(PreparedChart& chart, const std::filesystem::path& output, MessageSink& sink);

// The numbers behind a chart.
struct IndicatorValues {
    const TOscObj* record = nullptr;
    std::unique_ptr<OutputTable> table; // none when the computation was skipped by a fault
    int shortfall = 0;
};
struct ChartValues {
    BarWindow bars{}; // as filled, before any indicator changed them
    int visibleBars = 0;
    std::vector<IndicatorValues> indicators; // in drawing order
};

// Computes every indicator as a drawing of the chart does: with the visible bars the renderer
// finds for the options' size, in drawing order over one copy of the bars.
ChartValues computeValues(PreparedChart& chart, MessageSink& sink);

// The body of the chart and values commands: parses the options, prints `usage` and the options
// for --help or a mistake, prepares the chart and hands it to `job`, whose result goes to stdout
// after the chart and its files are gone. Returns the exit status: 0 done, 1 nothing produced,
// 2 a mistake in the options.
int runChartJob(std::span<char*> args, const char* usage, bool withOutput,
                const std::function<std::string(PreparedChart&, MessageSink&)>& job);

} // namespace qm::cli

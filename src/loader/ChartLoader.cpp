#include "ChartLoader.h"

#include "LoaderMessages.h"
#include "indicators/OscObj.h"
#include "market/AsciiFileReader.h"
#include "market/IntervalConverter.h"
#include "market/MarketMessages.h"
#include "settings/GroupRecords.h"
#include "settings/ParamRecords.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsMessages.h"

#include <algorithm>
#include <exception>
#include <fstream>
#include <optional>
#include <vector>

namespace qm {

namespace lm = loader_messages;

OwnedChartFile& OwnedChartFile::operator=(OwnedChartFile&& other) noexcept {
    if (this != &other) {
        remove();
        path_ = std::move(other.path_);
        other.path_.clear();
    }
    return *this;
}

void OwnedChartFile::remove() {
    if (path_.empty()) return;
    std::error_code ec;
    std::filesystem::remove(path_, ec);
    path_.clear();
}

bool needsHighLow(int kind) {
    return kind == 10 || kind == 19 || kind == 24 || kind == 25 || kind == 28;
}

namespace {

// Passes the reader's messages on and notes a read error. A read error ends the request with
// the reader's message alone: the user has been told, and "can't digest" would blame the data.
class ReadErrorWatch final : public MessageSink {
public:
    explicit ReadErrorWatch(MessageSink& sink) : sink_(sink) {}
    bool sawReadError() const { return sawReadError_; }

    void information(std::string_view text) override {
        const std::string_view prefix = msg::kIoError.substr(0, msg::kIoError.find('%'));
        if (text.starts_with(prefix)) sawReadError_ = true;
        sink_.information(text);
    }
    void informationAt(std::string_view file, std::int64_t line, std::string_view text) override {
        sink_.informationAt(file, line, text);
    }
    void error(std::string_view text) override { sink_.error(text); }
    void warning(std::string_view text) override { sink_.warning(text); }
    bool confirm(std::string_view text) override { return sink_.confirm(text); }

private:
    MessageSink& sink_;
    bool sawReadError_ = false;
};

std::string withoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

// Thrown past the point of no return; the text becomes the abandon reason.
struct Abandon : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The settings file of the chart: the symbol's own file when the settings list names one that
// exists, else "Defaults.prm", written with the factory set when it is missing.
std::filesystem::path findSettingsFile(const std::string& title, const LoaderContext& context) {
    namespace sf = settings_files;
    std::error_code ec;
    if (context.sourceFileType == 0 && context.settingsList) {
        if (const auto index = context.settingsList->indexOfSymbol(title)) {
            const auto& entry = context.settingsList->records[*index];
            const auto candidate = context.settingsFolder / sf::symbolSettingsFileName(entry.file);
            if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
        }
    }
    const auto defaults = context.settingsFolder / sf::kDefaultSettings;
    if (!std::filesystem::exists(defaults, ec)) {
        writeFactoryDefaults(defaults);
    } else if (!std::filesystem::is_regular_file(defaults, ec)) {
        // A pipe would never end the read, a folder never begin it.
        throw Abandon(settings_messages::format(settings_messages::kCannotOpenFile,
                                                defaults.string(), "Not a regular file"));
    }
    return defaults;
}

const TOscObj& recordOfKind(const TPlotRecList& set, int kind) {
    if (static_cast<std::size_t>(kind) >= set.records.size())
        throw Abandon(std::string(lm::kNoRecordForKind) + std::to_string(kind));
    return *set.records[static_cast<std::size_t>(kind)];
}

// Builds the price object and the indicators from the settings set (steps after the data).
void buildRecords(LoadedChart& chart, const ChartRequest& request, const TPlotRecList& set) {
    const IndicatorRequest priceEntry =
        request.requests.empty() ? kPriceChartRequest : request.requests.front();
    const auto dataKind = static_cast<std::uint8_t>(chart.dataKind);

    auto price = std::make_unique<TOscObj>();
    price->CopyFrom(recordOfKind(set, 0));
    std::uint8_t chartType;
    int spacing;
    if (request.group) {
        chartType = request.group->chartType;
        spacing = std::min(request.group->spacing(), 2);
    } else {
        price->SetDataKind(dataKind);
        chartType = price->Style;
        spacing = request.spacing;
    }
    price->SetDataKind(dataKind);
    price->Interval = static_cast<std::uint8_t>(request.interval);
    price->Pane = priceEntry.pane;
    price->SetStyle(chartType);
    price->BarSpacing = spacing;
    if (priceEntry.pane == 0) {
        price->SetShowVolume(false);
    } else if (priceEntry.pane == 1 && !price->ShowVolume && request.requests.size() <= 1) {
        // The price chart alone without volume has the whole chart to itself.
        price->Pane = 0;
    }

    chart.backgroundColour = price->Colors[0];
    chart.chartType = price->Style;
    chart.spacing = std::clamp(price->BarSpacing, 0, 2);
    chart.pricePane = price->Pane;
    chart.interval = request.interval;
    TOscObj& priceObject = *price;
    chart.records.records.push_back(std::move(price));

    for (std::size_t i = 1; i < request.requests.size(); ++i) {
        const IndicatorRequest entry = request.requests[i];
        const int kind = entry.kind & 0x7F;
        if (kind < 1 || kind > kIndicatorKinds) continue;
        if (needsHighLow(kind) && dataKind < 3) continue;
        auto indicator = TOscObj::Create(kind);
        indicator->CopyFrom(recordOfKind(set, kind));
        indicator->Pane = entry.pane;
        if (entry.pane >= 4) priceObject.SetShowVolume(false);
        chart.records.records.push_back(std::move(indicator));
    }
}

// What one or two price files give at an interval.
struct ChartData {
    OwnedChartFile file;
    DataKind kind = DataKind::None;
    std::string title; // as the reader gives it: the settings file is found by it
    std::string description;
    std::vector<ReadReport> reports;
};

// Reads the price files into a chart data file and converts it to the interval. Nothing, after
// the user was told, when they are missing or give no bars; a failed conversion is thrown.
std::optional<ChartData> readChartData(const std::filesystem::path& source,
                                       const std::filesystem::path& second, Interval interval,
                                       const LoaderContext& context, MessageSink& sink) {
    std::error_code ec;
    if (!std::filesystem::exists(source, ec)) {
        sink.information(source.string() + "\n" + std::string(lm::kCannotBeFound));
        return std::nullopt;
    }

    ReadErrorWatch readerSink(sink);
    TAsciiFileReader reader(context.locale, context.tempFolder, context.currentYear, readerSink);
    if (second.empty())
        reader.readFile(source);
    else
        reader.readRatio(source, second);
    ChartData data{OwnedChartFile(reader.resultName()), reader.dataKind(), reader.title(),
                   reader.description(), reader.reports()};
    const auto cannotDigest = [&] {
        sink.information(std::string(lm::kCannotDigest) + "\n" + source.filename().string() + " " +
                         second.filename().string());
    };
    if (data.file.path().empty() || reader.barCount() == 0) {
        if (!readerSink.sawReadError()) cannotDigest();
        return std::nullopt;
    }
    if (interval == Interval::Weekly || interval == Interval::Monthly) {
        // A failure here is the caller's to report; the daily file goes either way.
        OwnedChartFile converted(convertInterval(data.file.path(), interval, context.tempFolder));
        data.file = std::move(converted);
        // A history shorter than one finished week or month converts to no bars; like data
        // that gives no bars, it makes no chart.
        std::error_code sizeError;
        if (std::filesystem::file_size(data.file.path(), sizeError) < sizeof(PriceBar)) {
            cannotDigest();
            return std::nullopt;
        }
    }
    return data;
}

// The offset that puts the record dated `day` (or the last one before it) in the window's
// newest slot; the first record's when every record is later.
std::int32_t offsetOfDay(const std::filesystem::path& dataFile, double day) {
    std::ifstream in(dataFile, std::ios::binary);
    std::vector<PriceBar> bars;
    for (PriceBar bar; in.read(reinterpret_cast<char*>(&bar), sizeof bar);) bars.push_back(bar);
    const auto after = std::upper_bound(bars.begin(), bars.end(), day,
                                        [](double d, const PriceBar& b) { return d < b.date; });
    const auto count = static_cast<std::int32_t>(bars.size());
    if (after == bars.begin()) return count;
    return std::max<std::int32_t>(1, count - static_cast<std::int32_t>(after - bars.begin()) + 1);
}

} // namespace

LoadResult openChart(const ChartRequest& request, const LoaderContext& context, MessageSink& sink) {
    std::optional<ChartData> data = readChartData(request.sourceFile, request.secondSourceFile,
                                                  request.interval, context, sink);
    if (!data) return {};

    auto chart = std::make_unique<LoadedChart>();
    chart->dataKind = data->kind;
    chart->readReports = std::move(data->reports);
    chart->title = withoutTrailingBlanks(data->title);
    chart->description = data->description;
    chart->dataFile = std::move(data->file);

    // From here on a failure gives the chart up; its chart data file goes with it.
    try {
        chart->sourceFileType = context.sourceFileType;
        chart->sourceFile = request.sourceFile;
        chart->secondSourceFile = request.secondSourceFile;
        // A window that could not be filled makes no chart; the fill has told the user.
        if (!fillWindow(chart->bars, chart->position, chart->dataFile.path(), sink)) return {};

        chart->settingsFile = findSettingsFile(data->title, context);
        TPlotRecList set;
        set.load(chart->settingsFile, sink);
        buildRecords(*chart, request, set);
    } catch (const std::exception& e) {
        return {nullptr, e.what()};
    }
    return {std::move(chart), {}};
}

bool reloadChartData(LoadedChart& chart, const std::filesystem::path& sourceFile,
                     const std::filesystem::path& secondSourceFile, const LoaderContext& context,
                     MessageSink& sink) {
    std::optional<ChartData> data =
        readChartData(sourceFile, secondSourceFile, chart.interval, context, sink);
    if (!data) return false;
    WindowPosition position;
    position.offset = chart.position.offset <= 1
                          ? 1
                          : offsetOfDay(data->file.path(), chart.bars[kWindowSlots - 1].date);
    auto bars = std::make_unique<BarWindow>();
    if (!fillWindow(*bars, position, data->file.path(), sink)) return false;

    chart.dataFile = std::move(data->file);
    chart.bars = *bars;
    chart.position = position;
    chart.dataKind = data->kind;
    chart.readReports = std::move(data->reports);
    chart.title = withoutTrailingBlanks(data->title);
    chart.description = data->description;
    chart.sourceFile = sourceFile;
    chart.secondSourceFile = secondSourceFile;
    return true;
}

} // namespace qm

#include "ChartJob.h"

#include "KindNames.h"
#include "StderrSink.h"
#include "imaging/ChartImage.h"
#include "indicators/Catalogue.h"
#include "indicators/EditorParams.h"
#include "indicators/Frame.h"
#include "loader/IndicatorDrop.h"
#include "market/DateText.h"
#include "market/PriceText.h"
#include "market/SafeFile.h"
#include "platform/Folders.h"
#include "platform/SystemLocale.h"
#include "render/ChartDrawing.h"
#include "settings/ParamRecords.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsStream.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qm::cli {

namespace sf = settings_files;

namespace {

constexpr std::string_view kPrivateFolderPrefix = "quillmar-cli-";

WorkFolder makePrivateFolder(const std::filesystem::path& parent) {
    removeStaleWorkFolders(parent, kPrivateFolderPrefix);
    try {
        return WorkFolder(parent, kPrivateFolderPrefix);
    } catch (const std::system_error&) {
        throw CommandError("cannot make a temporary folder in " + parent.string());
    }
}

} // namespace

PrivateFolder::PrivateFolder(const std::filesystem::path& parent)
    : folder_(makePrivateFolder(parent)) {}

GuiSession::GuiSession() {
    if (QGuiApplication::instance()) return;
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "quillmar-cli: %s\n", text.toLocal8Bit().constData());
    });
    static int argc = 1;
    static char name[] = "quillmar-cli";
    static char* argv[] = {name, nullptr};
    // Made and ended within the command: Qt's fonts must not outlive it into exit handlers.
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

GuiSession::~GuiSession() = default;

namespace {

constexpr const char* kChartTypeNames[] = {"line", "hl", "hlc", "ohlc", "candle"};

bool isRegularFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

std::filesystem::path settingsFolderFor(const ChartArgs& args) {
    std::error_code ec;
    if (!args.settingsDir.empty()) {
        if (!std::filesystem::is_directory(args.settingsDir, ec))
            throw CommandError("settings folder '" + args.settingsDir + "' does not exist");
        return args.settingsDir;
    }
    // The program's own folder is made on first use, as the desktop program's start does.
    const std::filesystem::path folder = platform::settingsFolder();
    if (folder.empty()) throw CommandError("the system names no folder for settings");
    std::filesystem::create_directories(folder, ec);
    if (ec) throw CommandError("Cannot create " + folder.string());
    return folder;
}

// Runs `read` and turns a settings failure into a command failure naming the file.
template <class Read> void readSettingsFile(const std::filesystem::path& file, Read read) {
    try {
        read();
    } catch (const SettingsError& e) {
        throw CommandError("cannot read " + file.string() + ": " + e.what());
    }
}

IndicatorRequestList requestsFor(const ChartArgs& args) {
    IndicatorRequestList requests;
    if (!args.indicatorsFile.empty()) {
        const std::filesystem::path file = args.indicatorsFile;
        if (!isRegularFile(file))
            throw CommandError("indicator request file '" + args.indicatorsFile +
                               "' cannot be found");
        readSettingsFile(file, [&] { requests = loadIndicatorRequests(file); });
    }
    if (requests.empty()) requests.push_back(kPriceChartRequest);
    return requests;
}

std::string legendOf(int kind) {
    const IndicatorInfo* info = catalogueEntry(kind);
    return info ? std::string(trimBlanks(info->legendName)) : "kind " + std::to_string(kind);
}

DrawingSetup drawingSetup(const PreparedChart& chart, MessageSink& sink) {
    const ChartArgs& args = chart.args();
    DrawingSetup setup;
    setup.title = chart.chart().title;
    setup.spacing = chart.chart().spacing;
    setup.width = args.width;
    setup.height = args.height;
    // Fixed screen facts: the same chart comes out the same on every machine.
    setup.screen = ScreenFacts{};
    setup.options = ChartOptions{args.showValues, args.showParams};
    setup.sink = &sink;
    return setup;
}

} // namespace

PreparedChart::PreparedChart(const ChartArgs& args, MessageSink& sink)
    : args_(args), fs_(platform::systemFormatSettings()), temp_(platform::temporaryFolder()) {
    const std::filesystem::path settingsFolder = settingsFolderFor(args);
    TParamRecList settingsList;
    const std::filesystem::path listFile = settingsFolder / sf::kSettingsList;
    if (isRegularFile(listFile))
        readSettingsFile(listFile, [&] { settingsList.load(listFile, sink); });

    ChartRequest request;
    request.sourceFile = args.priceFile;
    request.secondSourceFile = args.vsFile;
    request.interval = args.interval;
    request.requests = requestsFor(args);
    request.spacing = args.spacing;
    LoaderContext context;
    context.settingsFolder = settingsFolder;
    context.settingsList = &settingsList;
    context.tempFolder = temp_.path();
    context.locale = fs_;
    context.currentYear = currentCalendarYear();

    LoadResult loaded;
    try {
        loaded = openChart(request, context, sink);
    } catch (const std::system_error& e) { // weekly or monthly conversion
        throw CommandError(std::string("cannot convert the chart data: ") + e.what());
    }
    if (!loaded.chart) {
        if (!loaded.abandonReason.empty())
            throw CommandError("no chart made of " + args.priceFile + ": " + loaded.abandonReason);
        throw CommandError("no chart made of " + args.priceFile);
    }
    chart_ = std::move(loaded.chart);
    for (const ReadReport& report : chart_->readReports)
        if (report.doubtful())
            sink.warning(report.file.string() + ": " + doubtfulBarsText(report) +
                         "; the bars are shown as written");

    applyChartType(sink);
    addIndicators(sink);
    if (args.offset != 1) {
        if (args.offset > chart_->position.recordCount)
            throw CommandError("--offset " + std::to_string(args.offset) + " lies beyond the " +
                               std::to_string(chart_->position.recordCount) + " bars of the chart");
        chart_->position.offset = args.offset;
        if (!fillWindow(chart_->bars, chart_->position, chart_->dataFile.path(), sink))
            throw CommandError("no chart made of " + args.priceFile);
    }
    if (countValidBars(chart_->bars) == 0)
        throw CommandError("no bars to chart in " + args.priceFile);
}

std::vector<TOscObj*> PreparedChart::records() {
    std::vector<TOscObj*> out;
    for (const auto& r : chart_->records.records) out.push_back(r.get());
    return out;
}

// The chart type asked for, as far as the series has the prices for it.
void PreparedChart::applyChartType(MessageSink& sink) {
    if (!args_.chartType) return;
    TOscObj& price = *chart_->records.records.front();
    price.SetStyle(*args_.chartType);
    price.SetDataKind(static_cast<std::uint8_t>(chart_->dataKind));
    chart_->chartType = price.Style;
    if (price.Style != *args_.chartType)
        sink.information(std::string("quillmar-cli: the series lacks the prices of a ") +
                         kChartTypeNames[*args_.chartType] + " chart; drawn as " +
                         kChartTypeNames[std::min<int>(price.Style, 4)]);
}

// Each --add is a drop at the top of the chart, which gives every oscillator a pane of its own
// while there is room; with three on, the new one takes the top oscillator pane.
void PreparedChart::addIndicators(MessageSink& sink) {
    for (const auto& [kind, params] : args_.added) {
        DropOutcome dropped;
        readSettingsFile(chart_->settingsFile,
                         [&] { dropped = dropIndicator(*chart_, kind, 0.0, args_.height, sink); });
        // Parameters given with the kind replace those of the settings.
        if (dropped.added) setShownParams(*dropped.record, params);
        if (dropped.replacedKind != 0)
            sink.information("quillmar-cli: --add " + std::string(kindShortName(kind)) +
                             " replaces " + legendOf(dropped.replacedKind) +
                             ": a chart has room for three oscillators");
    }
}

std::unique_ptr<TBmpChartObj> makeRenderer(PreparedChart& chart, BarWindow& bars,
                                           std::span<TOscObj* const> records, MessageSink& sink) {
    return qm::makeRenderer(bars, records, chart.formatSettings(), drawingSetup(chart, sink));
}

namespace {

// A landscape page drawn as the desktop program prints, the chart's bars spread over the page as
// on a chart window spanning the screen.
std::string drawPdf(PreparedChart& chart, int visibleBars, MessageSink& sink) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QString::fromStdString("Chart of " + chart.chart().title));
        pdf.setCreator(QStringLiteral("quillmar-cli"));
        setUpLandscapePage(pdf);
        DrawingSetup setup = drawingSetup(chart, sink);
        setup.screen.width = chart.args().width;
        drawChartOnPage(pdf, chart.chart().bars, chart.records(), chart.formatSettings(), setup,
                        visibleBars);
    } // the document is finished when its painter ends
    buffer.close();
    return buffer.data().toStdString();
}

} // namespace

void saveChart(PreparedChart& chart, const std::filesystem::path& output, MessageSink& sink) {
    const auto format = chartFileFormat(output);
    if (!format) throw CommandError("cannot tell the format of " + output.string());
    BarWindow bars = chart.chart().bars;
    const auto records = chart.records();
    const auto renderer = makeRenderer(chart, bars, records, sink);
    renderer->draw();
    if (renderer->bitmap().isNull()) throw CommandError("no chart could be drawn");

    if (*format == ChartFileFormat::Pdf) {
        const std::string pdf = drawPdf(chart, renderer->visibleBars(), sink);
        if (pdf.empty()) throw CommandError("no PDF page could be drawn");
        if (const SaveResult saved = saveFileAtomically(output, pdf); !saved)
            throw CommandError("cannot save " + output.string() + ": " + saved.reason);
        return;
    }
    if (const ImageResult saved = saveChartImage(renderer->bitmap(), output); !saved)
        throw CommandError("cannot save " + output.string() + ": " + saved.reason);
}

ChartValues computeValues(PreparedChart& chart, MessageSink& sink) {
    ChartValues values;
    values.bars = chart.chart().bars;
    const auto records = chart.records();
    TOscObj& price = *records.front();

    // How many bars fit is the renderer's to say; the price pane alone tells it.
    TOscObj* const priceOnly[] = {&price};
    values.visibleBars = makeRenderer(chart, values.bars, priceOnly, sink)->fittedBars();

    // As a drawing computes: in list order over one bar window, which two kinds change.
    BarWindow bars = values.bars;
    const ChartFacts facts{values.visibleBars, countValidBars(bars), price.DataKind,
                           price.Interval};
    for (std::size_t i = 1; i < records.size(); ++i) {
        IndicatorValues v;
        v.record = records[i];
        auto table = std::make_unique<OutputTable>();
        try {
            if (const auto shortfall = computeForDrawing(*records[i], bars, *table, facts, sink)) {
                v.table = std::move(table);
                v.shortfall = *shortfall;
            }
        } catch (const std::exception&) {
            // A drawing leaves out an indicator whose computation fails in any way.
        }
        values.indicators.push_back(std::move(v));
    }
    return values;
}

int runChartJob(std::span<char*> args, const char* usage, bool withOutput,
                const std::function<std::string(PreparedChart&, MessageSink&)>& job) {
    std::string mistake;
    const auto parsed = parseChartArgs(args, withOutput, mistake);
    if (!parsed) {
        std::fprintf(stderr, "quillmar-cli: %s\n%.*s\n(--help lists the options)\n",
                     mistake.c_str(), static_cast<int>(std::strcspn(usage, "\n")), usage);
        return 2;
    }
    if (parsed->help) {
        std::printf("%s\noptions:\n%s", usage, kChartOptionsHelp);
        return 0;
    }
    StderrSink sink;
    std::string out;
    try {
        const GuiSession gui;
        PreparedChart chart(*parsed, sink);
        out = job(chart, sink);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillmar-cli: %s\n", e.what());
        return 1;
    }
    // Written once the chart and its files are gone: a reader that stops early (head) may end
    // the program here without leaving anything behind.
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "quillmar-cli: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

} // namespace qm::cli

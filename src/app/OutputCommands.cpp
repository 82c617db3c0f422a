#include "OutputCommands.h"

#include "AppMessages.h"
#include "ChartRegistry.h"
#include "MainWindow.h"
#include "chartwin/ChartWindow.h"
#include "chartwin/ZoomWindow.h"
#include "imaging/ChartImage.h"
#include "platform/QtText.h"
#include "platform/widgets/BusyCursor.h"
#include "platform/widgets/Prompts.h"
#include "render/ChartDrawing.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <algorithm>
#include <array>
#include <cctype>

namespace qm {

namespace am = app_messages;
namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, kImageFilterCount> kImageExtensions = {".gif", ".bmp", ".jpg"};
constexpr int kBitmapFilter = 1;

using platform::qtext;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

fs::path withImageExtension(const fs::path& name, int filterIndex) {
    fs::path out = name;
    if (filterIndex >= 0 && filterIndex < kImageFilterCount) {
        out.replace_extension(kImageExtensions[static_cast<std::size_t>(filterIndex)]);
        return out;
    }
    const std::string own = lowerCase(name.extension().string());
    if (own == ".gif" || own == ".bmp" || own == ".jpg" || own == ".jpeg") return out;
    out.replace_extension(kImageExtensions[kBitmapFilter]);
    return out;
}

OutputCommands::OutputCommands(TMainForm& main) : QObject(&main), main_(main) {
    const MainActions& a = main_.actions();
    connect(a.print, &QAction::triggered, this, &OutputCommands::print);
    connect(a.copy, &QAction::triggered, this, &OutputCommands::copy);
    connect(a.saveImage, &QAction::triggered, this, &OutputCommands::saveImage);
    connect(a.zoom, &QAction::triggered, this, &OutputCommands::zoom);
}

TAChart* OutputCommands::selectedOrTell() {
    TAChart* chart = main_.charts().selected();
    if (!chart) main_.sink().information(am::kOpenOrSelectChart);
    return chart;
}

void OutputCommands::print() {
    TAChart* chart = selectedOrTell();
    if (!chart) return;
    QPrinter printer(QPrinter::HighResolution);
    setUpLandscapePage(printer);
    printer.setDocName(qtext(am::kPrintJobHead) + QString::fromStdString(chart->title()));
    if (!platform::prompts().print(&main_, printer)) return;

    const platform::BusyCursor busy;
    QCoreApplication::processEvents();
    // The page is landscape whatever the dialog was left at.
    printer.setPageOrientation(QPageLayout::Landscape);
    ChartModel& model = chart->model();
    DrawingSetup setup;
    setup.title = chart->title();
    setup.spacing = model.spacing();
    setup.options = main_.charts().chartOptions();
    setup.sink = &main_.sink();
    // Bars, pens and text grow from the window to the page: the page shows the window's
    // bars across its whole width, however much of the screen the window takes.
    setup.screen.width = std::max(chart->width(), 1);
    if (const QScreen* screen = chart->screen()) {
        setup.screen.height = screen->geometry().height();
        setup.screen.pixelsPerInch = qRound(screen->logicalDotsPerInch());
    }
    // The document ends when the drawing's painter goes, also when the drawing fails.
    drawChartOnPage(printer, model.chart().bars, model.records(), main_.charts().formatSettings(),
                    setup, model.facts().visibleBars);
}

void OutputCommands::copy() {
    TAChart* chart = selectedOrTell();
    if (!chart) return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setImage(chart->model().bitmap());
}

void OutputCommands::saveImage() {
    TAChart* chart = main_.charts().selected();
    if (!chart) return;
    Configuration& config = main_.state().config;
    platform::FileQuestion question;
    question.title = qtext(am::kSaveImageTitle);
    question.folder = QString::fromStdString(config.imageFolder.string());
    // A title holding a slash would name a folder.
    question.proposedName =
        QString::fromStdString(chart->title()).replace(QLatin1Char('/'), QLatin1Char('-'));
    question.filters = {qtext(am::kGifFilter), qtext(am::kBmpFilter), qtext(am::kJpegFilter)};
    question.filterIndex = kBitmapFilter;
    question.defaultSuffix = QStringLiteral("bmp");
    const auto answer = platform::prompts().saveFile(&main_, question);
    if (!answer || answer->path.isEmpty()) return;

    const fs::path chosen = answer->path.toStdString();
    const fs::path file = withImageExtension(chosen, answer->filterIndex);
    config.imageFolder = file.parent_path();
    // The dialog asked about the name it was given; a name the file type changed may be
    // another file, which is not replaced without asking.
    std::error_code ec;
    if (file != chosen && fs::exists(file, ec) &&
        !main_.sink().confirm(std::string(am::kReplaceImageHead) + file.string() +
                              std::string(am::kReplaceImageTail)))
        return;

    chart->raise();
    QCoreApplication::processEvents();
    ImageResult saved;
    {
        const platform::BusyCursor busy;
        saved = saveChartImage(chart->model().bitmap(), file);
    }
    if (saved)
        main_.sink().information(std::string(am::kImageSavedAs) + file.string());
    else
        main_.sink().error(std::string(am::kImageNotSaved) + file.string() + "\n\r" + saved.reason);
}

void OutputCommands::zoom() {
    TAChart* chart = selectedOrTell();
    if (!chart) return;
    TfrmChartZoom::open(*chart, chart->model().bitmap(), chart->windowTitle());
}

} // namespace qm

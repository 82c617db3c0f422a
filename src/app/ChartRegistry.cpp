#include "ChartRegistry.h"

#include "MainWindow.h"
#include "chartwin/ChartWindow.h"
#include "settings/ParamRecords.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsStream.h"

#include <QAction>
#include <QApplication>

namespace qm {

namespace sf = settings_files;

ChartRegistry::ChartRegistry(TMainForm& main) : QObject(&main), main_(main) {}

void ChartRegistry::add(TAChart* chart) {
    charts_.emplace_back(chart);
    connect(chart, &QObject::destroyed, this, &ChartRegistry::chartGone);
}

std::vector<TAChart*> ChartRegistry::charts() const {
    std::vector<TAChart*> out;
    // A closed window is hidden at once and goes at the next turn of the event loop.
    for (const auto& c : charts_)
        if (c && c->isVisible()) out.push_back(c);
    return out;
}

void ChartRegistry::closeAll() {
    // Newest first. Each window goes once the command that closes it has ended, so that no
    // window is destroyed under its own event.
    for (auto it = charts_.rbegin(); it != charts_.rend(); ++it)
        if (TAChart* chart = *it) chart->close();
}

void ChartRegistry::destroyAll() {
    const auto all = charts_;
    for (auto it = all.rbegin(); it != all.rend(); ++it) delete it->data();
    charts_.clear();
}

void ChartRegistry::chartGone() {
    std::erase_if(charts_, [](const QPointer<TAChart>& c) { return c.isNull(); });
    // The window that is active now becomes the selected chart when it is one.
    if (auto* active = qobject_cast<TAChart*>(QApplication::activeWindow())) selected_ = active;
}

int ChartRegistry::navigationStep() const {
    return main_.state().navigationStep;
}

void ChartRegistry::setNavigationStep(int step) {
    main_.state().navigationStep = step;
}

ChartOptions ChartRegistry::chartOptions() const {
    const Configuration& c = main_.state().config;
    return {c.showIndOnScale, c.showParamsOnChart};
}

const FormatSettings& ChartRegistry::formatSettings() const {
    return main_.state().locale;
}

MessageSink& ChartRegistry::sink() {
    return main_.sink();
}

void ChartRegistry::chartActivated(TAChart& chart) {
    selected_ = &chart;
}

void ChartRegistry::focusMainWindow() {
    main_.activateWindow();
    main_.raise();
    main_.setFocus(Qt::OtherFocusReason);
}

void ChartRegistry::addToFavourites(const std::string& title,
                                    const std::filesystem::path& sourceFile) {
    AppState& state = main_.state();
    if (state.settingsFolder.empty()) return;
    const std::filesystem::path listFile = state.settingsFolder / sf::kFavourites;
    // The list is read afresh; one that cannot be read is reported and never written over.
    state.favourites.clear();
    std::error_code ec;
    try {
        if (std::filesystem::exists(listFile, ec) || ec) state.favourites.load(listFile, sink());
        addChartToFavourites(state.favourites, title, sourceFile.string(), listFile);
    } catch (const SettingsError& e) {
        sink().error(e.what());
    }
}

// The tool buttons stand in the tool bar in the order of ChartTool, from Clear on.
ChartTool ChartRegistry::toolDown() const {
    const auto buttons = main_.actions().tools();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i] && buttons[i]->isChecked()) return static_cast<ChartTool>(i + 1);
    return ChartTool::None;
}

void ChartRegistry::releaseTool(ChartTool tool) {
    if (tool == ChartTool::None) return;
    QAction* button = main_.actions().tools()[static_cast<std::size_t>(tool) - 1];
    if (button) button->setChecked(false);
}

} // namespace qm

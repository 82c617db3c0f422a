#include "ChartRefresh.h"

#include "ChartRegistry.h"
#include "MainWindow.h"
#include "chartwin/ChartWindow.h"
#include "download/SymbolFiles.h"
#include "download/TextRules.h"
#include "market/DateText.h"

#include <optional>
#include <system_error>

namespace qm {
namespace {

// A refresh in the background says nothing: the chart keeps what it shows.
class QuietSink final : public MessageSink {
public:
    void information(std::string_view) override {}
    void error(std::string_view) override {}
    void warning(std::string_view) override {}
    bool confirm(std::string_view) override { return false; }
};

bool sameFolder(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return a == b || std::filesystem::equivalent(a, b, ec);
}

// The saved file standing for `shown`, if one does.
std::optional<std::filesystem::path> savedFileFor(const std::filesystem::path& shown,
                                                  const std::vector<std::filesystem::path>& saved) {
    for (const auto& file : saved)
        if (sameSymbolFile(shown, file)) return file;
    return std::nullopt;
}

} // namespace

bool sameSymbolFile(const std::filesystem::path& shown, const std::filesystem::path& saved) {
    if (shown.empty() || !sameFolder(shown.parent_path(), saved.parent_path())) return false;
    return download::toLower(download::symbolOfFileName(shown.filename().string())) ==
           download::toLower(download::symbolOfFileName(saved.filename().string()));
}

void reloadChartsOf(TMainForm& main, const std::vector<std::filesystem::path>& saved) {
    const AppState& state = main.state();
    LoaderContext context;
    context.settingsFolder = state.settingsFolder;
    context.settingsList = &state.settingsList;
    context.sourceFileType = state.sourceFileType;
    context.tempFolder = state.chartDataFolder();
    context.locale = state.locale;
    context.currentYear = currentCalendarYear();
    QuietSink quiet;
    for (TAChart* chart : main.charts().charts()) {
        LoadedChart& loaded = chart->model().chart();
        const auto source = savedFileFor(loaded.sourceFile, saved);
        const auto second = savedFileFor(loaded.secondSourceFile, saved);
        if (!source && !second) continue;
        if (!reloadChartData(loaded, source.value_or(loaded.sourceFile),
                             second.value_or(loaded.secondSourceFile), context, quiet))
            continue;
        chart->render();
    }
}

} // namespace qm

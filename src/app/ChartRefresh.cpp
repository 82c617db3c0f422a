#include "ChartRefresh.h"

#include "ChartOpening.h"
#include "ChartRegistry.h"
#include "MainWindow.h"
#include "chartwin/ChartWindow.h"
#include "download/SymbolFiles.h"
#include "download/TextRules.h"
#include "market/MessageSink.h"

#include <optional>
#include <system_error>

namespace qm {
namespace {

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
    const LoaderContext context = loaderContextOf(main.state());
    // A refresh in the background says nothing: the chart keeps what it shows.
    SilentSink quiet;
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

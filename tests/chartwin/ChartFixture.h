#pragma once
// A chart window on a price file made for the test, with a host that records what the window
// asks of the program.

#include "chartwin/ChartHost.h"
#include "chartwin/ChartWindow.h"
#include "loader/ChartLoader.h"
#include "loader/LoaderTestUtil.h"
#include "settings/SettingsFiles.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>

namespace qm::test {

class FakeChartHost final : public ChartHost {
public:
    int step = 1;
    ChartOptions options;
    FormatSettings fs = FormatSettings::unitedStates();
    RecordingSink messages;
    TAChart* activated = nullptr;
    int focusRequests = 0;
    std::vector<std::string> favourites;

    int navigationStep() const override { return step; }
    void setNavigationStep(int s) override { step = s; }
    ChartOptions chartOptions() const override { return options; }
    const FormatSettings& formatSettings() const override { return fs; }
    MessageSink& sink() override { return messages; }
    void chartActivated(TAChart& chart) override { activated = &chart; }
    void focusMainWindow() override { ++focusRequests; }
    void addToFavourites(const std::string& title, const std::filesystem::path&) override {
        favourites.push_back(title);
    }
};

// Loads `prices` (the text of a price file) as a chart of the price record alone.
inline std::unique_ptr<LoadedChart> loadChart(const TempDir& dir, const std::string& prices,
                                              const std::string& name = "TEST.csv") {
    const auto file = dir.write(name, prices);
    std::filesystem::create_directories(dir / "settings");
    std::filesystem::create_directories(dir / "charts");
    ChartRequest request;
    request.sourceFile = file;
    request.requests = {kPriceChartRequest};
    LoaderContext context;
    context.settingsFolder = dir / "settings";
    context.tempFolder = dir / "charts";
    context.locale = FormatSettings::unitedStates();
    context.currentYear = 2026;
    RecordingSink sink;
    auto loaded = openChart(request, context, sink);
    EXPECT_TRUE(loaded.chart) << (sink.texts().empty() ? "" : sink.texts().front());
    return std::move(loaded.chart);
}

} // namespace qm::test

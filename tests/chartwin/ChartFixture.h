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

#include <QTest>
#include <QToolButton>
#include <filesystem>
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
    ChartTool tool = ChartTool::None; // the tool button down
    std::vector<ChartTool> released;

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
    ChartTool toolDown() const override { return tool; }
    void releaseTool(ChartTool t) override {
        released.push_back(t);
        if (tool == t) tool = ChartTool::None;
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

// Chart windows on a fake host, each loaded from a price file of the test's own.
struct ChartWindowFixture : testing::Test {
    TempDir dir;
    FakeChartHost host;

    // A shown chart window of `bars` daily bars.
    TAChart* open(int bars, const std::string& prices = {}) {
        auto chart = loadChart(dir, prices.empty() ? fullPrices(bars) : prices);
        auto* window = new TAChart(host, std::move(chart));
        window->resize(900, 500);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }
    QToolButton* button(TAChart* w, Qt::ArrowType arrow) {
        for (auto* b : w->findChildren<QToolButton*>())
            if (b->arrowType() == arrow) return b;
        return nullptr;
    }
    // Saves a picture for a person to look at.
    static void saveScreenshot(const QImage& picture, const char* name) {
        std::filesystem::create_directories(QM_TEST_OUTPUT_DIR);
        picture.save(
            QString::fromStdString((std::filesystem::path(QM_TEST_OUTPUT_DIR) / name).string()));
    }
    static void saveScreenshot(QWidget& w, const char* name) {
        saveScreenshot(w.grab().toImage(), name);
    }
};

} // namespace qm::test

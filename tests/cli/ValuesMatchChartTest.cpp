#include "cli/ChartJob.h"
#include "render/ChartRenderer.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm::cli {
namespace {

// The values command computes outside the renderer; it must reach the same visible bars and,
// indicator by indicator, the same shortfalls as a drawing of the same chart.
TEST(ValuesMatchChart, SameVisibleBarsAndShortfallsAsTheDrawing) {
    test::TempDir dir;
    test::RecordingSink sink;
    const GuiSession gui;
    ChartArgs args;
    args.priceFile = std::string(QM_SAMPLES_DIR) + "/ACME = Acme Industries.csv";
    args.settingsDir = dir.path().string();
    args.chartType = 4;
    // Overlays and oscillators, long warm-ups among them, on a short window.
    args.added = {{1, {}}, {14, {}}, {10, {}}, {16, {}}, {17, {}}, {30, {}}};
    args.offset = 2700; // 65 bars
    args.width = 700;
    PreparedChart chart(args, sink);
    ASSERT_EQ(countValidBars(chart.chart().bars), 65);

    const ChartValues values = computeValues(chart, sink);
    BarWindow bars = chart.chart().bars;
    const auto records = chart.records();
    const auto renderer = makeRenderer(chart, bars, records, sink);
    renderer->draw();

    EXPECT_EQ(values.visibleBars, renderer->visibleBars());
    const auto& panes = renderer->panes();
    ASSERT_EQ(panes.size(), 1 + values.indicators.size()); // every indicator was drawn
    for (std::size_t i = 0; i < values.indicators.size(); ++i) {
        const IndicatorValues& v = values.indicators[i];
        SCOPED_TRACE("kind " + std::to_string(v.record->Kind));
        EXPECT_EQ(panes[i + 1].kind, v.record->Kind);
        ASSERT_TRUE(v.table);
        EXPECT_EQ(panes[i + 1].shortfall, v.shortfall);
    }
    // The warm-ups reach into the chart, so the shortfalls say something.
    EXPECT_GT(values.indicators.front().shortfall, 0);
    EXPECT_TRUE(sink.messages.empty());
}

} // namespace
} // namespace qm::cli

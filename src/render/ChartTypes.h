#pragma once
// Values a drawing hands back besides its picture: the deferred text labels and a record of
// each pane it set up. The chart window reads them for its tools; tests read them to check
// the geometry and the texts.

#include "render/Layout.h"

#include <array>
#include <cstdint>
#include <string>

namespace qm {

// One text, drawn after everything else. Plain labels are written at (x, y), the top-left
// corner in device pixels, in fontColor: on backColor when `brush` is 0, transparently when it
// is 1. A boxed label is a value tag on the right-hand scale.
struct TTxtRec {
    int x = 0;
    int y = 0;
    chart::Colour fontColor = 0;
    chart::Colour backColor = 0;
    std::uint8_t brush = 0;
    std::string text;
    bool boxed = false;
};

// The screen a chart is drawn for. A desktop program passes its screen's; a drawing without a
// screen (tests, the command line) passes fixed values and so comes out the same everywhere.
struct ScreenFacts {
    int width = 1920;
    int height = 1080;
    int pixelsPerInch = 96;
};

// Display options of the configuration.
struct ChartOptions {
    bool showIndOnScale = false;    // last values as tags on the scale instead of in the legend
    bool showParamsOnChart = false; // parameters after each legend name
};

// One pane as a record of the drawing set it up: the price pane first, then every indicator
// that was drawn, in list order.
struct PaneInfo {
    int kind = 0;
    int position = 0;
    chart::PaneRect rect;
    double rangeMin = 0;
    double rangeMax = 0;
    double tickStep = 0; // price and volume panes
    double lowTick = 0;
    double highTick = 0;
    double valueScale = 0;
    int levelCount = 0;
    std::array<double, 4> levels{};
    int shortfall = 0;
};

} // namespace qm

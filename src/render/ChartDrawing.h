#pragma once
// Setting up a drawing of one chart, for the screen or for a printed page. The chart window,
// its printing and the command line all draw through here, so a chart comes out the same in
// each of them.

#include "market/FormatSettings.h"
#include "market/PriceBar.h"
#include "render/ChartRenderer.h"
#include "render/ChartTypes.h"

#include <memory>
#include <span>
#include <string>

class QPagedPaintDevice;

namespace qm {

class MessageSink;
class TOscObj;

// What a drawing needs besides the bars and the records.
struct DrawingSetup {
    std::string title;
    int spacing = 0; // 0 reduced, 1 normal, 2 increased
    int width = 150; // pixels; a drawing for the screen has `pixelRatio` device pixels to each
    int height = 100;
    qreal pixelRatio = 1.0;
    ScreenFacts screen;
    ChartOptions options;
    MessageSink* sink = nullptr; // told when an indicator cannot get its memory
};

// A renderer ready to draw `records` over `bars` as `setup` says. The bars, records, settings
// and sink must outlive it.
std::unique_ptr<TBmpChartObj> makeRenderer(BarWindow& bars, std::span<TOscObj* const> records,
                                           const FormatSettings& fs, const DrawingSetup& setup);

// A new page set up for a chart: landscape, A4 or, where the locale measures in inches,
// Letter, with 10 mm margins.
void setUpLandscapePage(QPagedPaintDevice& page);

// Draws the chart on `page` in the print form: the page is the drawing area and shows the
// `visibleBars` of the screen chart; pens and bar pitch grow by the page's width over the
// setup's screen width. The setup's own width and height are not used. Works on a copy of the
// bars.
void drawChartOnPage(QPagedPaintDevice& page, const BarWindow& bars,
                     std::span<TOscObj* const> records, const FormatSettings& fs,
                     const DrawingSetup& setup, int visibleBars);

} // namespace qm

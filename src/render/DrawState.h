#pragma once
// Everything one drawing works with: the inputs, the layout found so far, the pane being drawn
// and the labels collected. It lives for one call of TBmpChartObj::draw; the files of this
// folder each draw one part of the chart from it.

#include "indicators/OscObj.h"
#include "market/FormatSettings.h"
#include "market/PriceBar.h"
#include "render/Canvas.h"
#include "render/ChartTypes.h"
#include "render/Layout.h"

#include <QFont>
#include <QPoint>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qm {
class MessageSink;
} // namespace qm

namespace qm::chart {

constexpr int kGridSlots = 50;
constexpr int kDrawnGridLines = 49;

struct DrawState {
    // Inputs.
    BarWindow& bars;
    const FormatSettings& fs;
    ChartOptions options;
    ScreenFacts screen;
    MessageSink* sink = nullptr;
    std::string title;
    int spacing = 0;
    int width = 0;
    int height = 0;
    bool printing = false;

    Canvas* canvas = nullptr;
    QFont font; // the chart font, or the print font when printing

    // Taken from the price chart record.
    std::uint8_t dataKind = 0;
    std::uint8_t interval = 0;
    std::uint8_t chartType = 2;
    std::uint8_t pricePane = 0;
    int fontSize = 10;
    int pixelsPerInch = 96;

    // The record being drawn.
    int kind = 0;
    std::uint8_t style = 2;
    std::uint8_t pane = 0;
    std::uint8_t scaleMode = 2;
    int lineCount = 0;
    int levelCount = 0;
    std::array<double, 4> levels{};
    std::array<Colour, 4> lineColors{};
    double firstParam = 0;
    int shortfall = 0;

    int legendLines = 0;
    std::array<std::uint16_t, kGridSlots> gridX{};
    int gridCount = 0;
    Colour backColor = 0;
    Colour barColor = 0;
    Colour textColor = 0;

    int barPitch = 3;
    int penWidth = 1;
    int scaleX = 0;
    int dateRowY = 0;
    int textH = 0;
    int halfTextH = 0;
    int charW = 0;
    int halfCharW = 0;

    double priceStep = 0;
    double tickStep = 0;
    double rangeMin = 0;
    double rangeMax = 0;
    double lowTick = 0;
    double highTick = 0;
    double priceMin = 0; // the price pane's range, kept for the overlays
    double priceMax = 0;

    int barCount = 0;
    int visibleBars = 0;
    double lastDate = 0;
    double lastClose = 0;
    int deviceWidth = 0;
    int deviceHeight = 0;
    double unitsPerPixel = 1;
    bool smallWindow = false;
    QPoint priceTagPos;

    PaneMapping mapping; // of the pane being drawn
    OutputTable output;  // the values of the indicator being drawn
    std::vector<TTxtRec> labels;
    std::vector<PaneInfo> panes;

    DrawState(BarWindow& window, const FormatSettings& settings) : bars(window), fs(settings) {}

    int firstSlot() const { return firstDrawnSlot(visibleBars); }
    int x(int slot) const { return kLeftMargin + (slot - firstSlot()) * barPitch; }
    // Device row of a value in the pane being drawn, rounded or truncated to logical units.
    int yRound(double value) const { return mapping.deviceY(mapping.logicalRound(value)); }
    int yTrunc(double value) const { return mapping.deviceY(mapping.logicalTrunc(value)); }
    // Pen of width 1 on screen and of the base pen width on a page.
    int thinPen() const { return printing ? penWidth : 1; }
    // Sets the range of the pane being drawn and its mapping.
    void mapPane(double min, double max, int position);
    PaneInfo& recordPane(int position);
};

// Pieces of the drawing, in the order draw() calls them.
void drawDateAxis(DrawState& st);
void plotPricePane(DrawState& st);
void drawIndicator(DrawState& st, TOscObj& record);
void addLastPriceTag(DrawState& st);
void drawLabels(DrawState& st);

// Scales and the title line (Scales.cpp).
void drawPriceScale(DrawState& st);
void drawIndicatorScale(DrawState& st);
void writeTitleLine(DrawState& st);

// Shared by the parts.
void addLabel(DrawState& st, std::string text, QPoint at, bool boxed, std::uint8_t brush,
              Colour back, Colour font);
// The top-left corner of a scale label or value tag for logical row `logicalY`.
QPoint scaleLabelCorner(const DrawState& st, double logicalY);
// Horizontal grid line, tick and label of one scale value at logical row `logicalY`.
void drawScaleLine(DrawState& st, double logicalY, std::string text);
// Redraws the bars of slots from..to in `colour` (completed pattern sequences).
void repaintBars(DrawState& st, int from, int to, Colour colour);
// Half the width of open and close ticks and of candle bodies.
int tickHalfWidth(const DrawState& st);

} // namespace qm::chart

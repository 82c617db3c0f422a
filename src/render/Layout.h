#pragma once
// The geometry of a chart: bar pitch and visible bars across, the nine pane positions down,
// the tick rounding of a value range, and the mapping of values into a pane. Plain arithmetic,
// kept apart from the drawing so that it can be checked by itself.

#include <cmath>
#include <cstdint>

namespace qm::chart {

constexpr int kLeftMargin = 12;
constexpr int kMinWidth = 150;
constexpr int kMinHeight = 100;
constexpr int kPanePositions = 9;

// Nearest integer, ties to even, as the chart's pixel rules are stated.
inline double roundEven(double v) {
    return std::nearbyint(v);
}

// Horizontal distance between two bars for a chart type (0 line ... 4 candle) and a spacing
// setting (0 reduced, 1 normal, 2 increased), times the page-to-screen width ratio.
int barPitchFor(int chartType, int spacing, int widthRatio);

// Bar positions across a chart: the bars that fit up to twelve characters from the right edge,
// and for a short series all but its three oldest bars.
int visibleBarsFor(int width, int charW, int barPitch, int barCount);

// First slot drawn: the chart draws slots firstDrawnSlot(visibleBars) .. 511.
constexpr int firstDrawnSlot(int visibleBars) {
    return 513 - visibleBars;
}

struct PaneRect {
    int top = 0;
    int height = 0;
};

// Band of the drawing area of pane position 0..8 in a chart `height` pixels high whose text
// line is `textH` pixels high.
PaneRect paneRect(int position, int height, int textH);

// Share of the screen a price pane of position 0, 1 or 2 stands for; 0 for the others.
double paneUnitsFactor(int position);

// Tick step and value range of a pane around the data range min..max.
struct TickRange {
    double step = 0;
    double lowTick = 0;  // first tick
    double highTick = 0; // the tick just above the data maximum
    double rangeMin = 0;
    double rangeMax = 0;
};
TickRange tickRangeFor(double min, double max);

// Values of a pane in logical units (value x valueScale, growing upwards) and their device rows.
// The value scale spreads a pane's range over the whole device height, so rounding to logical
// units keeps sub-pixel precision however small the pane.
class PaneMapping {
public:
    PaneMapping() = default;
    PaneMapping(double rangeMin, double rangeMax, int deviceHeight, PaneRect pane);

    double valueScale() const { return valueScale_; }
    double logicalRound(double value) const { return roundEven(value * valueScale_); }
    double logicalTrunc(double value) const { return std::trunc(value * valueScale_); }
    // Device row of a logical y.
    int deviceY(double logicalY) const;
    // Logical units per device row, to size texts measured in pixels.
    double unitsPerRow() const;

private:
    double valueScale_ = 1;
    double top_ = 0;
    double bottom_ = 1;
    PaneRect pane_;
};

// Colours are 0x00BBGGRR, red in the low byte.
using Colour = std::uint32_t;
// A lighter or darker variant of a colour, used for grid lines.
Colour shade(Colour colour, int percent);
inline Colour inverse(Colour colour) {
    return (colour ^ 0xFFFFFFu) & 0xFFFFFFu;
}

} // namespace qm::chart

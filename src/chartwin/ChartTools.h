#pragma once
// The drawing tools of a chart window, without widgets: the window hands in each mouse and key
// event with the tool whose button is down in the main window, and paints what comes back. Lines
// still being placed (the rubber band, the channel's parallel, the read-out line) are shown over
// the picture and never drawn into it; finished lines and labels go into the picture and stay
// until the chart is drawn anew. Coordinates are the window's pixels.

#include "market/FormatSettings.h"
#include "market/PriceBar.h"
#include "render/Layout.h"

#include <optional>
#include <string>
#include <vector>

namespace qm {

// The tool buttons of the main window, in tool bar order.
enum class ChartTool {
    None,
    Clear,
    Expand,
    Compress,
    Pitchfork,
    Channel,
    Line,
    Fibonacci,
    ReadOut
};

namespace tools {

using chart::Colour;

inline constexpr Colour kRubberBandColour = 0xFF00FF; // magenta
inline constexpr Colour kLineColour = 0x0000FF;       // red
inline constexpr Colour kFibEndColour = 0x990000;
inline constexpr Colour kFibRatioColour = 0x000099;
inline constexpr Colour kLabelTextColour = 0xFFFFFF;
inline constexpr int kLabelPoints = 9;

// How long a hint stays up.
inline constexpr int kShortHintMs = 2500;
inline constexpr int kReadOutHintMs = 10000;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Segment {
    Point from;
    Point to;
    friend bool operator==(const Segment&, const Segment&) = default;
};

// A line shown over the picture: the picture's pixels exclusive-or magenta, so that it shows on
// any background; `inverted` takes the inverse of that (the channel's parallel).
struct Overlay {
    Segment line;
    bool inverted = false;
    friend bool operator==(const Overlay&, const Overlay&) = default;
};

// A line drawn into the picture, one pixel wide.
struct Stroke {
    Segment line;
    Colour colour = kLineColour;
    bool dotted = false;
    friend bool operator==(const Stroke&, const Stroke&) = default;
};

// A text on a filled box in the labels' font, drawn into the picture. Its box ends at x `right`
// (exclusive) and its top lies half the font's height above `middle`.
struct Label {
    std::string text;
    int right = 0;
    int middle = 0;
    Colour back = 0;
    friend bool operator==(const Label&, const Label&) = default;
};

// What an event asks of the window besides the overlay, which it reads from overlay().
struct ToolEffect {
    std::vector<Stroke> strokes; // into the picture, then the labels
    std::vector<Label> labels;
    ChartTool release = ChartTool::None; // the tool button to release
    bool hintsOff = false;
    bool hintsOn = false;
    int hintPauseMs = 0;                 // with hintsOn: how long a hint stays up
    std::optional<std::string> hintText; // the window's new hint
    bool showHint = false;               // show the hint now, where the pointer is
    std::optional<Point> pointer;        // where to put the mouse pointer
    bool defaultCursor = false;          // the arrow until the pointer moves again
    bool clearIndicators = false;        // drop every record but the price chart's
    std::optional<int> spacing;          // the new bar spacing
    bool handled = false;                // a key was taken
};

// What the tools read of the chart and its last drawing.
struct ChartView {
    int barPitch = 0;
    int visibleBars = 0;
    int scaleX = 0;        // x of the right-hand scale line: lines end there
    int readOutBottom = 0; // the read-out line ends here (the date row)
    int width = 0;         // the window's client size
    int height = 0;
    int spacing = 0;
    DataKind dataKind = DataKind::None;
    const BarWindow* bars = nullptr;
    const FormatSettings* fs = nullptr;
};

enum class ArrowKey { Left, Right, Up, Down };

// The slot under window x: the read-out truncates, the retracement tool rounds.
int slotUnder(int x, int barPitch, int visibleBars, bool round);

// The read-out of the bar under x: its date, prices and change, lines joined by CR LF; the
// drag hint for a place without a bar; nothing for a series of unknown kind.
std::optional<std::string> readOutText(int x, const ChartView& view);

class ChartTools {
public:
    // A chart window's activation and every drawing start the tools afresh.
    void reset();
    // Activation: starts afresh and gives the window's hint for the tool that is down.
    ToolEffect activated(ChartTool tool);

    // The left or middle button pressed, the mouse moved with the left button held, the left
    // button released (`shift`: the Shift key held), and a click, which follows a release.
    ToolEffect press(ChartTool tool, Point at, const ChartView& view);
    ToolEffect move(ChartTool tool, Point at, const ChartView& view);
    ToolEffect release(ChartTool tool, Point at, bool shift, const ChartView& view);
    ToolEffect click(ChartTool tool, const ChartView& view);
    // The mouse left the window.
    ToolEffect leave(ChartTool tool, bool windowActive);
    // An arrow key pressed and released; `pointer` is the mouse pointer in the window.
    ToolEffect arrowDown(ChartTool tool, ArrowKey key, Point pointer, const ChartView& view);
    ToolEffect arrowUp(ChartTool tool, const ChartView& view);

    // The line shown over the picture, if any.
    const std::optional<Overlay>& overlay() const { return overlay_; }
    int pointCount() const { return pointCount_; }
    bool hasBaseLine() const { return baseLine_; }

private:
    void commitLine(Point to, ToolEffect& effect);
    std::optional<Segment> parallelThrough(Point at) const;
    ToolEffect readOutAt(int x, const ChartView& view);
    void pitchfork(const ChartView& view, ToolEffect& effect) const;
    void retracement(const ChartView& view, ToolEffect& effect) const;

    Point start_; // where the line being dragged began
    bool dragging_ = false;
    // The channel's base line: its start, horizontal extent and slope.
    bool baseLine_ = false;
    Point baseStart_;
    int baseWidth_ = 0;
    double slope_ = 0;
    // Read-out line.
    bool readOutShown_ = false;
    int readOutX_ = 0;
    // The pitchfork's and the retracement's clicked points.
    Point points_[3];
    int pointCount_ = 0;
    std::optional<Overlay> overlay_;
};

} // namespace tools
} // namespace qm

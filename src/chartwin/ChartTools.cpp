#include "ChartTools.h"

#include "ChartWinMessages.h"
#include "format/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qm::tools {

namespace cm = chartwin_messages;

namespace {

constexpr const char* kPricePattern = " ##0.00##";
constexpr const char* kChangePattern = " +##0.00## ; -##0.#0## ";
constexpr const char* kLevelPattern = " ###0.#0 ";
constexpr double kRatios[] = {0.382, 0.5, 0.618};

// A pixel coordinate from real arithmetic, truncated towards zero. Steep slopes can give values
// far outside any window; they are held where converting them stays defined.
int truncated(double v) {
    constexpr double kFar = 1e7;
    return static_cast<int>(std::trunc(std::clamp(v, -kFar, kFar)));
}

int rounded(double v) {
    constexpr double kFar = 1e7;
    return static_cast<int>(chart::roundEven(std::clamp(v, -kFar, kFar)));
}

bool isLineTool(ChartTool tool) {
    return tool == ChartTool::Line || tool == ChartTool::Channel;
}

bool isOneClickTool(ChartTool tool) {
    return tool == ChartTool::Clear || tool == ChartTool::Expand || tool == ChartTool::Compress;
}

// With Shift held a line is vertical or horizontal, whichever it is nearer; exactly 45 degrees
// counts as horizontal.
Point constrained(Point from, Point to) {
    const int dx = from.x - to.x;
    const int dy = to.y - from.y;
    if (std::abs(dy) > std::abs(dx)) return {from.x, to.y};
    return {to.x, from.y};
}

// A slot that holds a bar of the window: the retracement tool measures only between bars.
bool holdsBar(int slot, const ChartView& view) {
    return view.bars && slot >= 1 && slot < kWindowSlots && (*view.bars)[slot].date != 0.0;
}

bool hasHighLow(DataKind kind) {
    return kind == DataKind::HighLowClose || kind == DataKind::HighLowCloseVolume ||
           kind == DataKind::Full;
}

std::string price(double value, const char* pattern, const ChartView& view) {
    return formatNumber(value, pattern, *view.fs);
}

std::string percent(double ratio) {
    char text[16];
    std::snprintf(text, sizeof text, "%2.1f", ratio * 100.0);
    return text;
}

} // namespace

int slotUnder(int x, int barPitch, int visibleBars, bool round) {
    if (barPitch <= 0) return 0;
    const double across = static_cast<double>(x - chart::kLeftMargin) / barPitch;
    return (round ? rounded(across) : truncated(across)) + chart::firstDrawnSlot(visibleBars);
}

std::optional<std::string> readOutText(int x, const ChartView& view) {
    const int slot = slotUnder(x, view.barPitch, view.visibleBars, false);
    // Right of the newest bar, or left of the oldest: there is nothing to read.
    if (!holdsBar(slot, view)) return std::string(cm::kReadOutHint);
    if (view.dataKind == DataKind::None || !view.fs) return std::nullopt;

    const PriceBar& bar = (*view.bars)[slot];
    std::string text = " " + formatDateTime(bar.date, *view.fs);
    const auto line = [&](const char* head, double value) {
        text += "\r\n";
        text += head;
        text += price(value, kPricePattern, view);
    };
    if (view.dataKind == DataKind::Full) line(" O = ", bar.open);
    if (hasHighLow(view.dataKind)) {
        line(" H = ", bar.high);
        line(" L = ", bar.low);
    }
    line(" C = ", bar.close);
    // The oldest bar has none before it to change from.
    const PriceBar& before = (*view.bars)[slot - 1];
    if (before.date != 0.0) {
        text += "\r\n   ";
        text += price(static_cast<double>(bar.close) - before.close, kChangePattern, view);
    }
    return text;
}

void ChartTools::reset() {
    dragging_ = false;
    baseLine_ = false;
    readOutShown_ = false;
    pointCount_ = 0;
    overlay_.reset();
}

ToolEffect ChartTools::activated(ChartTool tool) {
    reset();
    ToolEffect effect;
    effect.hintsOn = true;
    if (tool == ChartTool::ReadOut) {
        effect.hintPauseMs = kReadOutHintMs;
        effect.hintText = std::string(cm::kReadOutHint);
    } else {
        effect.hintPauseMs = kShortHintMs;
        effect.hintText = std::string(cm::kWindowHint);
    }
    return effect;
}

ToolEffect ChartTools::press(ChartTool tool, Point at, const ChartView& view) {
    ToolEffect effect;
    switch (tool) {
    case ChartTool::Line:
    case ChartTool::Channel:
        if (tool == ChartTool::Channel && baseLine_) {
            overlay_.reset();
            break;
        }
        start_ = at;
        dragging_ = true;
        break;
    case ChartTool::Fibonacci:
        // A point off the bars has no price to measure from.
        if (!holdsBar(slotUnder(at.x, view.barPitch, view.visibleBars, true), view)) break;
        [[fallthrough]];
    case ChartTool::Pitchfork:
        // A fresh press after a full set (its release came with another tool) starts over.
        if (pointCount_ >= (tool == ChartTool::Pitchfork ? 3 : 2)) pointCount_ = 0;
        points_[pointCount_++] = at;
        break;
    case ChartTool::ReadOut:
        effect.hintsOff = true;
        break;
    default:
        break;
    }
    return effect;
}

ToolEffect ChartTools::move(ChartTool tool, Point at, const ChartView& view) {
    ToolEffect effect;
    if (isLineTool(tool) && dragging_) {
        overlay_ = Overlay{{start_, at}, false};
    } else if (tool == ChartTool::Channel && baseLine_) {
        if (const auto parallel = parallelThrough(at)) overlay_ = Overlay{*parallel, true};
    } else if (tool == ChartTool::ReadOut) {
        effect.hintsOff = true;
        readOutShown_ = true;
        readOutX_ = at.x;
        overlay_ = Overlay{{{at.x, 0}, {at.x, view.readOutBottom}}, false};
    }
    return effect;
}

ToolEffect ChartTools::release(ChartTool tool, Point at, bool shift, const ChartView& view) {
    ToolEffect effect;
    switch (tool) {
    case ChartTool::Line:
        if (shift) at = constrained(start_, at);
        if (dragging_) {
            effect.release = ChartTool::Line;
            commitLine(at, effect);
        }
        break;
    case ChartTool::Channel:
        if (baseLine_) {
            if (shift) at = constrained(baseStart_, at);
            if (const auto parallel = parallelThrough(at))
                effect.strokes.push_back({*parallel, kLineColour, false});
            overlay_.reset();
            baseLine_ = false;
            effect.release = ChartTool::Channel;
        } else if (dragging_) {
            if (shift) at = constrained(start_, at);
            commitLine(at, effect);
            // A vertical base line has no slope to run a parallel by: the next drag starts
            // another base line.
            baseLine_ = at.x != start_.x;
        }
        break;
    case ChartTool::Pitchfork:
        if (pointCount_ == 3) {
            pitchfork(view, effect);
            effect.release = ChartTool::Pitchfork;
            pointCount_ = 0;
        }
        break;
    case ChartTool::Fibonacci:
        if (pointCount_ == 2) {
            retracement(view, effect);
            effect.release = ChartTool::Fibonacci;
            pointCount_ = 0;
        }
        break;
    case ChartTool::ReadOut:
        effect = readOutAt(at.x, view);
        break;
    default:
        break;
    }
    return effect;
}

ToolEffect ChartTools::click(ChartTool tool, const ChartView& view) {
    ToolEffect effect;
    if (!isOneClickTool(tool)) return effect;
    if (tool == ChartTool::Clear) effect.clearIndicators = true;
    if (tool == ChartTool::Expand && view.spacing < 2) effect.spacing = view.spacing + 1;
    if (tool == ChartTool::Compress && view.spacing > 0) effect.spacing = view.spacing - 1;
    effect.release = tool;
    return effect;
}

ToolEffect ChartTools::leave(ChartTool tool, bool windowActive) {
    ToolEffect effect;
    if (tool != ChartTool::ReadOut || !windowActive) return effect;
    dragging_ = false;
    baseLine_ = false;
    readOutShown_ = false;
    overlay_.reset();
    effect.defaultCursor = true;
    effect.hintsOn = true;
    effect.hintPauseMs = kShortHintMs;
    effect.hintText = std::string(cm::kWindowHint);
    return effect;
}

ToolEffect ChartTools::arrowDown(ChartTool tool, ArrowKey key, Point pointer,
                                 const ChartView& view) {
    ToolEffect effect;
    if (tool != ChartTool::ReadOut) return effect;
    effect.handled = true;
    // The keys carry on from the read-out line, or from the pointer before there is one; the
    // pointer stays in the window.
    const int x = readOutShown_ ? readOutX_ : pointer.x;
    const int step = view.height / 20;
    Point to{x, pointer.y};
    switch (key) {
    case ArrowKey::Left:
        to.x = x - view.barPitch;
        break;
    case ArrowKey::Right:
        to.x = x + view.barPitch;
        break;
    case ArrowKey::Up:
        to.y = pointer.y - step;
        break;
    case ArrowKey::Down:
        to.y = pointer.y + step;
        break;
    }
    to.x = std::clamp(to.x, 0, std::max(view.width - 1, 0));
    to.y = std::clamp(to.y, 0, std::max(view.height - 1, 0));
    effect.pointer = to;
    readOutShown_ = true;
    readOutX_ = to.x;
    overlay_ = Overlay{{{to.x, 0}, {to.x, view.readOutBottom}}, false};
    return effect;
}

ToolEffect ChartTools::arrowUp(ChartTool tool, const ChartView& view) {
    if (tool != ChartTool::ReadOut) return {};
    ToolEffect effect = readOutAt(readOutX_, view);
    effect.handled = true;
    return effect;
}

void ChartTools::commitLine(Point to, ToolEffect& effect) {
    effect.strokes.push_back({{start_, to}, kLineColour, false});
    overlay_.reset();
    dragging_ = false;
    if (to.x != start_.x) {
        baseStart_ = start_;
        baseWidth_ = start_.x - to.x;
        slope_ = static_cast<double>(start_.y - to.y) / (start_.x - to.x);
    }
}

// The parallel to the base line through `at`: centred on it, as wide as the base line.
std::optional<Segment> ChartTools::parallelThrough(Point at) const {
    if (!baseLine_) return std::nullopt;
    const double intercept = at.y - at.x * slope_;
    const int half = baseWidth_ / 2; // truncates towards zero
    const int x1 = at.x - half;
    const int x2 = at.x + half;
    return Segment{{x1, truncated(x1 * slope_ + intercept)},
                   {x2, truncated(x2 * slope_ + intercept)}};
}

ToolEffect ChartTools::readOutAt(int x, const ChartView& view) {
    ToolEffect effect;
    readOutShown_ = true;
    readOutX_ = x;
    overlay_ = Overlay{{{x, 0}, {x, view.readOutBottom}}, false};
    effect.hintsOn = true;
    effect.hintPauseMs = kReadOutHintMs;
    effect.hintText = readOutText(x, view);
    effect.showHint = effect.hintText.has_value();
    if (effect.hintText && *effect.hintText == cm::kReadOutHint) effect.hintPauseMs = kShortHintMs;
    return effect;
}

// Andrews pitchfork: the median from the first point through the middle of the other two, and
// the tines from those two parallel to it, each to the right-hand scale.
void ChartTools::pitchfork(const ChartView& view, ToolEffect& effect) const {
    const Point p1 = points_[0];
    const Point p2 = points_[1];
    const Point p3 = points_[2];
    const double mx = p3.x - (p3.x - p2.x) / 2.0;
    const double my = p2.y - (p2.y - p3.y) / 2.0;
    if (mx == p1.x) {
        // The median is vertical: all three lines run straight up or down to the window's
        // edge, the way the median points. Without a direction there is nothing to draw.
        if (my == p1.y) return;
        const int edge = my < p1.y ? 0 : std::max(view.height - 1, 0);
        for (const Point& p : points_) effect.strokes.push_back({{p, {p.x, edge}}, kLineColour});
        return;
    }
    const double m = (my - p1.y) / (mx - p1.x);
    const int r = view.scaleX;
    for (const Point& p : points_)
        effect.strokes.push_back({{p, {r, truncated(m * r + p.y - m * p.x)}}, kLineColour});
}

// Fibonacci retracement: the levels at 38.2, 50 and 61.8 percent of the way from the lower
// point towards the higher one, priced between the high and the low of the two bars.
void ChartTools::retracement(const ChartView& view, ToolEffect& effect) const {
    const bool firstLeft = points_[0].x <= points_[1].x;
    const Point a = firstLeft ? points_[0] : points_[1];
    const Point b = firstLeft ? points_[1] : points_[0];
    const PriceBar& barA = (*view.bars)[slotUnder(a.x, view.barPitch, view.visibleBars, true)];
    const PriceBar& barB = (*view.bars)[slotUnder(b.x, view.barPitch, view.visibleBars, true)];
    // A series of closes only has its close for high and low.
    const bool highLow = hasHighLow(view.dataKind);
    const auto high = [&](const PriceBar& bar) -> double { return highLow ? bar.high : bar.close; };
    const auto low = [&](const PriceBar& bar) -> double { return highLow ? bar.low : bar.close; };
    const bool aHigher = a.y < b.y;
    const double hi = aHigher ? high(barA) : high(barB);
    const double lo = aHigher ? low(barB) : low(barA);
    const int r = view.scaleX;
    const int dy = b.y - a.y;

    effect.strokes.push_back({{a, {r, a.y}}, kFibEndColour, true});
    effect.strokes.push_back({{b, {r, b.y}}, kFibEndColour, true});
    effect.labels.push_back(
        {price(aHigher ? hi : lo, kLevelPattern, view), a.x, a.y, kFibEndColour});
    effect.labels.push_back(
        {price(aHigher ? lo : hi, kLevelPattern, view), b.x, b.y, kFibEndColour});
    for (const double ratio : kRatios) {
        const double y = b.y < a.y ? a.y + ratio * dy : b.y - ratio * dy;
        const int row = rounded(y);
        effect.strokes.push_back({{{b.x, row}, {r, row}}, kFibRatioColour, true});
        effect.labels.push_back(
            {percent(ratio) + "% " + price(lo + (hi - lo) * ratio, kLevelPattern, view), b.x - 2,
             truncated(y), kFibRatioColour});
    }
}

} // namespace qm::tools

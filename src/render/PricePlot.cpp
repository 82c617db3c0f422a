// The price pane: its range and ticks, and one glyph per bar in the chart type chosen.

#include "render/DrawState.h"

#include <algorithm>

namespace qm::chart {
namespace {

enum ChartType { kLine = 0, kHLBar = 1, kHLCBar = 2, kOHLCBar = 3, kCandle = 4 };

struct BarRows {
    int x, o, h, l, c;
};

BarRows rowsOf(const DrawState& st, int slot) {
    const PriceBar& bar = st.bars[slot];
    return {st.x(slot), st.yRound(bar.open), st.yRound(bar.high), st.yRound(bar.low),
            st.yRound(bar.close)};
}

void addOhlcLines(std::vector<QLine>& out, const BarRows& r, int b) {
    out.emplace_back(r.x, r.h, r.x, r.l);
    out.emplace_back(r.x - b, r.o, r.x, r.o);
    out.emplace_back(r.x, r.c, r.x + b, r.c);
}

// Candles of slots from..to: wicks and crosses in `pen`, bodies outlined in `outline`; falling
// bodies filled with `outline`, rising ones hollow (the background).
void drawCandles(DrawState& st, int from, int to, Colour pen, Colour outline) {
    const int b = tickHalfWidth(st);
    std::vector<QLine> strokes;
    for (int s = from; s <= to; ++s) {
        const PriceBar& bar = st.bars[s];
        const BarRows r = rowsOf(st, s);
        if (bar.close == bar.open)
            addOhlcLines(strokes, r, b);
        else
            strokes.emplace_back(r.x, r.h, r.x, r.l);
    }
    st.canvas->setPen(pen, st.penWidth);
    st.canvas->lines(strokes);
    st.canvas->setPen(outline, st.penWidth);
    for (int s = from; s <= to; ++s) {
        const PriceBar& bar = st.bars[s];
        if (bar.close == bar.open) continue;
        const BarRows r = rowsOf(st, s);
        st.canvas->box(r.x - b, r.c, r.x + b, r.o, bar.close < bar.open ? outline : st.backColor);
    }
}

// Bars of slots from..to in the chart type's glyph; `ticks` false keeps the high-low line only.
void drawBars(DrawState& st, int from, int to, Colour colour, bool ticks) {
    const int b = tickHalfWidth(st);
    std::vector<QLine> strokes;
    for (int s = from; s <= to; ++s) {
        const BarRows r = rowsOf(st, s);
        if (!ticks || st.chartType == kHLBar) {
            strokes.emplace_back(r.x, r.h, r.x, r.l);
        } else if (st.chartType == kHLCBar) {
            strokes.emplace_back(r.x, r.h, r.x, r.l);
            strokes.emplace_back(r.x, r.c, r.x + b, r.c);
        } else {
            addOhlcLines(strokes, r, b);
        }
    }
    st.canvas->setPen(colour, st.penWidth);
    st.canvas->lines(strokes);
}

void drawCloseLine(DrawState& st, int from, int to, Colour colour) {
    std::vector<QLine> strokes;
    for (int s = from; s < to; ++s)
        strokes.emplace_back(st.x(s), st.yRound(st.bars[s].close), st.x(s + 1),
                             st.yRound(st.bars[s + 1].close));
    st.canvas->setPen(colour, st.penWidth);
    st.canvas->lines(strokes);
}

} // namespace

int tickHalfWidth(const DrawState& st) {
    return st.printing ? st.penWidth + st.spacing + 2 : std::max(st.penWidth + st.spacing, 1);
}

void plotPricePane(DrawState& st) {
    const int first = st.firstSlot();
    const PriceBar& last = st.bars[kWindowSlots - 1];
    const bool line = st.chartType == kLine;
    double min = line ? last.close : last.low;
    double max = line ? last.close : last.high;
    for (int s = first; s < kWindowSlots; ++s) {
        const PriceBar& bar = st.bars[s];
        min = std::min<double>(min, line ? bar.close : bar.low);
        max = std::max<double>(max, line ? bar.close : bar.high);
    }
    const TickRange ticks = tickRangeFor(min, max);
    st.tickStep = ticks.step;
    st.lowTick = ticks.lowTick;
    st.highTick = ticks.highTick;
    st.mapPane(ticks.rangeMin, ticks.rangeMax, st.pane);
    st.recordPane(st.pane);

    if (st.scaleMode == 2) drawPriceScale(st);
    switch (st.chartType) {
    case kLine:
        drawCloseLine(st, first, kWindowSlots - 1, st.barColor);
        break;
    case kHLBar:
    case kHLCBar:
    case kOHLCBar:
        drawBars(st, first, kWindowSlots - 1, st.barColor, true);
        break;
    case kCandle:
        drawCandles(st, first, kWindowSlots - 1, st.barColor, inverse(st.backColor));
        break;
    default:
        break;
    }
    writeTitleLine(st);
    st.priceMin = st.rangeMin;
    st.priceMax = st.rangeMax;
}

void repaintBars(DrawState& st, int from, int to, Colour colour) {
    switch (st.chartType) {
    case kLine:
        drawCloseLine(st, from, to, colour);
        break;
    case kCandle:
        drawCandles(st, from, to, colour, colour);
        break;
    default:
        drawBars(st, from, to, colour, false);
        break;
    }
}

} // namespace qm::chart

// The right-hand scales with their grid lines, the title line over the price pane and the
// last-price tag.

#include "format/NumberFormat.h"
#include "render/DrawState.h"

#include <cmath>

namespace qm::chart {
namespace {

// A scale never needs more lines than this; the bound only guards the loop.
constexpr int kMaxScaleLines = 1000;

const char* priceScalePattern(double step) {
    if (step <= 0.1) return " ##0.###0";
    if (step < 1) return " ##0.#0";
    if (step != std::trunc(step)) return " ##0.0";
    return " ####0";
}

const char* intervalWord(int interval) {
    switch (interval) {
    case 0:
        return " dly ";
    case 1:
        return " wky ";
    case 2:
        return " mly ";
    default:
        return " ";
    }
}

struct VolumeUnit {
    const char* pattern;
    double divisor;
};

VolumeUnit volumeUnitOf(double level) {
    if (level >= 1e9) return {" ##0.#0 B ", 1e9};
    if (level >= 1e6) return {" ##0.#0 M ", 1e6};
    return {" ##0.#0 K ", 1e3};
}

void writeScreenTitle(DrawState& st) {
    const std::string first =
        st.title + intervalWord(st.interval) + " " + formatShortDate(st.lastDate, st.fs);
    const int y = st.mapping.deviceY(st.mapping.logicalRound(st.rangeMax) + st.textH);
    addLabel(st, first, QPoint(kLeftMargin, y), false, 0, st.backColor, st.textColor);

    // Without a bar before the last there is no change to show.
    if (st.barCount < 2) return;
    const double previous = st.bars[kWindowSlots - 2].close;
    const double change = st.lastClose - previous;
    std::string second;
    Colour colour = st.textColor;
    const char* percentPattern = "   #0.#0% ;   #0.#0% ; \"\"";
    if (change != 0) {
        second = formatNumber(
            change, st.priceStep <= 0.1 ? "   +##0.###0;   -##0.###0" : "   +###0.#0;   -###0.#0",
            st.fs);
        // A previous close of 0 has no percentage; the change alone keeps its colour.
        const double percent = previous != 0 ? change / previous * 100 : change;
        if (previous != 0) second += formatNumber(percent, percentPattern, st.fs);
        colour = percent > 0 ? 0x008000u : 0x0000FFu;
    } else {
        second = "   unch" + formatNumber(0, percentPattern, st.fs);
    }
    addLabel(st, std::move(second), QPoint(kLeftMargin + st.canvas->textWidth(first), y), false, 0,
             st.backColor, colour);
}

void writePrintTitle(DrawState& st) {
    const std::string first =
        st.title + intervalWord(st.interval) + " thru " + formatDateTime(st.lastDate, st.fs);
    const int y = st.mapping.deviceY(st.mapping.logicalRound(st.rangeMax));
    addLabel(st, first, QPoint(kLeftMargin, y), false, 0, st.backColor, st.textColor);

    const PriceBar& last = st.bars[kWindowSlots - 1];
    std::string second;
    const char* pattern = " ###0.#0## ";
    for (const auto& [name, value] :
         {std::pair{"O=", last.open}, {"H=", last.high}, {"L=", last.low}, {"C=", last.close}})
        if (value != 0) second += name + formatNumber(value, pattern, st.fs);
    const double previous = st.barCount >= 2 ? st.bars[kWindowSlots - 2].close : st.lastClose;
    second += formatNumber(st.lastClose - previous, " +###0.#0##; -###0.#0##", st.fs);
    addLabel(st, std::move(second), QPoint(kLeftMargin, y + st.textH), false, 0, st.backColor,
             st.textColor);
    st.legendLines = 1;
}

} // namespace

void drawPriceScale(DrawState& st) {
    if (st.smallWindow) st.tickStep *= 2;
    st.priceStep = st.tickStep;
    const double step = st.tickStep;
    const char* pattern = priceScalePattern(step);
    double p = st.lowTick;
    for (int i = 0; i < kMaxScaleLines && p <= st.highTick + step; ++i, p += step)
        drawScaleLine(st, st.mapping.logicalTrunc(p), formatNumber(p, pattern, st.fs));
    st.priceTagPos = scaleLabelCorner(st, st.mapping.logicalTrunc(st.lastClose));
}

void drawIndicatorScale(DrawState& st) {
    if (st.levelCount <= 0) return;
    const VolumeUnit unit = volumeUnitOf(st.levels[static_cast<std::size_t>(st.levelCount - 1)]);
    for (int i = 0; i < st.levelCount; ++i) {
        const double level = st.levels[static_cast<std::size_t>(i)];
        std::string text;
        if (st.style == 9)
            text = formatNumber(level / unit.divisor, unit.pattern, st.fs);
        else
            text = formatNumber(
                level, std::fabs(level) >= 10 ? " +####0 ; -####0 " : " +#0.0#; -##0.0#; #0",
                st.fs);
        drawScaleLine(st, st.mapping.logicalRound(level), std::move(text));
    }
}

void writeTitleLine(DrawState& st) {
    if (st.printing)
        writePrintTitle(st);
    else
        writeScreenTitle(st);
}

void addLastPriceTag(DrawState& st) {
    addLabel(st, formatNumber(st.lastClose, st.priceStep <= 0.1 ? " ##0.###0 " : " ##0.#0 ", st.fs),
             st.priceTagPos, true, 0, st.backColor, st.barColor);
}

} // namespace qm::chart

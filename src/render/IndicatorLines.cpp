#include "IndicatorLines.h"

#include "format/NumberFormat.h"

#include <algorithm>
#include <vector>

namespace qm::chart {
namespace {

constexpr int kLastRow = kWindowSlots - 1;

float cell(const OutputTable& out, int row, int column) {
    return out[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

LineValue lastValue(const DrawState& st, const OutputTable& out, int column, Colour colour,
                    const std::string& format) {
    const double v = cell(out, kLastRow, column);
    return {true, v, 1, colour, formatNumber(v, format, st.fs)};
}

// Style 0: joined values; a value outside the pane's range starts no segment.
LineValue drawClippedLine(DrawState& st, const OutputTable& out, int k, int from,
                          const std::string& format) {
    const Colour colour = st.lineColors[static_cast<std::size_t>(k)];
    std::vector<QLine> strokes;
    for (int s = from; s < kLastRow; ++s) {
        const double v = cell(out, s, k);
        if (v < st.rangeMin || v > st.rangeMax) continue;
        strokes.emplace_back(st.x(s), st.yRound(v), st.x(s + 1), st.yRound(cell(out, s + 1, k)));
    }
    st.canvas->setPen(colour, st.thinPen());
    st.canvas->lines(strokes);
    return lastValue(st, out, k, colour, format);
}

// Kind 7: a level held from one bar to the next is drawn as a step to the next bar.
LineValue drawLevels(DrawState& st, const OutputTable& out, int k, int from) {
    if (k > 1) return {};
    const int column = k == 0 ? 1 : 3;
    const Colour colour = st.lineColors[static_cast<std::size_t>(k)];
    std::vector<QLine> strokes;
    for (int s = std::max(from, 1); s <= kLastRow; ++s) {
        const float v = cell(out, s, column);
        if (cell(out, s - 1, column) > 0 && cell(out, s - 1, column) == v) {
            const int y = st.yRound(v);
            strokes.emplace_back(st.x(s), y, st.x(s) + st.barPitch, y);
        }
    }
    st.canvas->setPen(colour, st.penWidth);
    st.canvas->lines(strokes);
    // A line whose last level is 0 reports nothing rather than a tag at zero.
    const double last = cell(out, kLastRow, column);
    if (last <= 0) return {};
    return {true, last, 1, colour, " Level= " + formatNumber(last, " ##.## ", st.fs)};
}

// Style 1: a vertical bar from column k to column k + 1.
LineValue drawRangeBars(DrawState& st, const OutputTable& out, int k, int from,
                        const std::string& format) {
    std::vector<QLine> strokes;
    for (int s = from; s <= kLastRow; ++s)
        strokes.emplace_back(st.x(s), st.yRound(cell(out, s, k)), st.x(s),
                             st.yRound(cell(out, s, k + 1)));
    st.canvas->setPen(st.lineColors[0], st.penWidth);
    st.canvas->lines(strokes);
    return lastValue(st, out, k + 2, st.lineColors[0], format);
}

// Style 2: high-low bars with a close tick from columns k, k + 1, k + 2.
LineValue drawDetrendBars(DrawState& st, const OutputTable& out, int k, int from,
                          const std::string& format) {
    const int w =
        st.printing ? st.spacing + st.penWidth + 2 : std::max(st.spacing + st.penWidth, 1);
    std::vector<QLine> strokes;
    for (int s = from; s <= kLastRow; ++s) {
        const int x = st.x(s);
        const int c = st.yRound(cell(out, s, k + 2));
        strokes.emplace_back(x, st.yRound(cell(out, s, k)), x, st.yRound(cell(out, s, k + 1)));
        strokes.emplace_back(x, st.yRound(cell(out, s, k + 1)), x, c);
        strokes.emplace_back(x, c, x + w, c);
    }
    st.canvas->setPen(st.lineColors[0], st.penWidth);
    st.canvas->lines(strokes);
    return lastValue(st, out, k + 2, st.lineColors[0], format);
}

// Style 5: a short dash per bar.
LineValue drawDashes(DrawState& st, const OutputTable& out, int k, int from,
                     const std::string& format) {
    std::vector<QLine> strokes;
    for (int s = from; s <= kLastRow; ++s) {
        const int y = st.yRound(cell(out, s, k));
        strokes.emplace_back(st.x(s) - 1, y, st.x(s) + 1, y);
    }
    st.canvas->setPen(st.lineColors[0], st.penWidth);
    st.canvas->lines(strokes);
    return lastValue(st, out, k, st.lineColors[0], format);
}

// Style 6 joins non-zero values only; style 7 joins every value in the band colour.
LineValue drawJoined(DrawState& st, const OutputTable& out, int k, int from, Colour colour,
                     bool skipZero, const std::string& format) {
    std::vector<QLine> strokes;
    for (int s = from; s < kLastRow; ++s) {
        const double v = cell(out, s, k);
        if (skipZero && v == 0) continue;
        strokes.emplace_back(st.x(s), st.yRound(v), st.x(s + 1), st.yRound(cell(out, s + 1, k)));
    }
    st.canvas->setPen(colour, st.thinPen());
    st.canvas->lines(strokes);
    return lastValue(st, out, k, colour, format);
}

double unitDivisor(const std::string& format) {
    if (format.find('B') != std::string::npos) return 1e9;
    if (format.find('M') != std::string::npos) return 1e6;
    return 1e3;
}

// Styles 8 and 9: bars from zero; style 9 colours each by the sign of column 1.
LineValue drawHistogram(DrawState& st, const OutputTable& out, int k, int from,
                        const std::string& format, bool bySign) {
    const int y0 = st.yRound(0);
    int width = st.penWidth;
    if (bySign) {
        static constexpr int kExtra[] = {0, 0, 1, 2, 4};
        width += st.chartType <= 4 ? kExtra[st.chartType] : 0;
    }
    std::vector<QLine> up;
    std::vector<QLine> down;
    Colour colour = st.lineColors[0];
    for (int s = from; s <= kLastRow; ++s) {
        const bool first = !bySign || cell(out, s, 1) > 0;
        (first ? up : down).emplace_back(st.x(s), y0, st.x(s), st.yRound(cell(out, s, k)));
        colour = st.lineColors[first ? 0 : 1];
    }
    st.canvas->setPen(st.lineColors[0], width);
    st.canvas->lines(up);
    st.canvas->setPen(st.lineColors[1], width);
    st.canvas->lines(down);
    if (!bySign) return lastValue(st, out, k, st.lineColors[0], format);
    const double unit = unitDivisor(format);
    const double v = cell(out, kLastRow, k) / unit;
    return {true, v, unit, colour, formatNumber(v, format, st.fs)};
}

// Style 10: support and resistance steps, coloured by the direction in column 2.
LineValue drawSteps(DrawState& st, const OutputTable& out, const std::string& format) {
    std::vector<QLine> support;
    std::vector<QLine> resistance;
    Colour colour = st.lineColors[0];
    for (int s = st.firstSlot(); s <= kLastRow; ++s) {
        const float direction = cell(out, s, 2);
        if (direction != 1 && direction != 2) continue;
        const int y = st.yRound(cell(out, s, 3));
        (direction == 1 ? support : resistance).emplace_back(st.x(s), y, st.x(s) + st.barPitch, y);
        colour = st.lineColors[direction == 1 ? 0 : 1];
    }
    st.canvas->setPen(st.lineColors[0], st.thinPen());
    st.canvas->lines(support);
    st.canvas->setPen(st.lineColors[1], st.thinPen());
    st.canvas->lines(resistance);
    const float direction = cell(out, kLastRow, 2);
    const double level = cell(out, kLastRow, 3);
    const char* head = direction == 1 ? "Up Sup @ " : direction == 2 ? "Dn Res @ " : "";
    return {true, level, 1, colour, head + formatNumber(level, format, st.fs)};
}

} // namespace

LineValue drawIndicatorLine(DrawState& st, const TOscObj& r, const OutputTable& out, int k,
                            int from, const std::string& format) {
    switch (st.style) {
    case 0:
        if (r.Kind == 5 || r.Kind == 6)
            return k == 0 ? drawPatternMarks(st, r, out, from) : LineValue{};
        if (r.Kind == 7) return drawLevels(st, out, k, from);
        return drawClippedLine(st, out, k, from, format);
    case 1:
        return drawRangeBars(st, out, k, from, format);
    case 2:
        return drawDetrendBars(st, out, k, from, format);
    case 5:
        return drawDashes(st, out, k, from, format);
    case 6:
        return drawJoined(st, out, k, from, st.lineColors[static_cast<std::size_t>(k)], true,
                          format);
    case 7:
        return drawJoined(st, out, k, from, st.lineColors[3], false, format);
    case 8:
        return drawHistogram(st, out, k, from, format, false);
    case 9:
        return drawHistogram(st, out, k, from, format, true);
    case 10:
        return drawSteps(st, out, format);
    default: // 3, 4 and unknown styles draw nothing
        return {};
    }
}

} // namespace qm::chart

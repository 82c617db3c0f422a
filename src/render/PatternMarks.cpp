// Kinds 5 and 6 over the price bars: completed first-stage sequences repainted in the first
// colour, arrows for perfection marks and signals, second-stage counts, and the running count
// of a first stage one bar short of completion.

#include "format/NumberFormat.h"
#include "render/ChartFonts.h"
#include "render/IndicatorLines.h"

#include <algorithm>
#include <cmath>

namespace qm::chart {
namespace {

constexpr int kLastRow = kWindowSlots - 1;

// Writes marker texts centred on a bar, above its high or below its low by a multiple of the
// text's height, in the pane's logical units.
class MarkerWriter {
public:
    explicit MarkerWriter(DrawState& st) : st_(st) {
        // The marker font has the chart font's size in the pane's logical units, as a font
        // height given in those units comes out on the device.
        const int logicalSize = pixelSizeFor(
            static_cast<int>(roundEven(st.fontSize * st.unitsPerPixel)), st.pixelsPerInch);
        const double perRow = st.mapping.unitsPerRow();
        const int pixels = perRow > 0 ? static_cast<int>(std::lround(logicalSize / perRow)) : 1;
        digits_ = st.font;
        digits_.setPixelSize(std::max(pixels, 1));
        arrows_ = markerFont(pixels, digits_);
    }

    const QString& up() const { return arrows_.up; }
    const QString& down() const { return arrows_.down; }

    void arrowAbove(int slot, double f, const QString& glyph, Colour colour) {
        place(slot, f, true, glyph, arrows_.font, colour);
    }
    void arrowBelow(int slot, double f, const QString& glyph, Colour colour) {
        place(slot, f, false, glyph, arrows_.font, colour);
    }
    void countAbove(int slot, double f, double count, Colour colour) {
        place(slot, f, true, countText(count), digits_, colour);
    }
    void countBelow(int slot, double f, double count, Colour colour) {
        place(slot, f, false, countText(count), digits_, colour);
    }
    // The chart font goes back on the canvas for the labels' measuring.
    ~MarkerWriter() { st_.canvas->setFont(st_.font); }

private:
    QString countText(double count) const {
        return QString::fromStdString(formatNumber(std::fabs(count), "##", st_.fs));
    }

    void place(int slot, double f, bool above, const QString& text, const QFont& font,
               Colour colour) {
        if (text.isEmpty()) return;
        Canvas& canvas = *st_.canvas;
        canvas.setFont(font);
        const double h = canvas.metrics().height() * st_.mapping.unitsPerRow();
        const PriceBar& bar = st_.bars[slot];
        const double top = above ? std::trunc(bar.high * st_.mapping.valueScale() + f * h)
                                 : std::trunc(bar.low * st_.mapping.valueScale() - f * h);
        const int width = canvas.metrics().horizontalAdvance(text);
        canvas.text(st_.x(slot) - width / 2, st_.mapping.deviceY(top), text, colour);
    }

    DrawState& st_;
    QFont digits_;
    MarkerFont arrows_;
};

float cell(const OutputTable& out, int row, int column) {
    return out[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

} // namespace

LineValue drawPatternMarks(DrawState& st, const TOscObj& r, const OutputTable& out, int from) {
    const Colour c1 = st.lineColors[0];
    const Colour c2 = st.lineColors[1];
    const Colour c3 = st.lineColors[2];
    const bool kind5 = r.Kind == 5;
    const double a = kind5 ? 1.25 : 2.25;
    const double d = kind5 ? 0.5 : 1.5;
    const float target = static_cast<float>(st.firstParam);
    const int length = static_cast<int>(std::clamp(std::trunc(st.firstParam), 0.0, 511.0));
    const int first = st.firstSlot();
    MarkerWriter marks(st);

    for (int s = from; s <= kLastRow; ++s) {
        if (std::fabs(cell(out, s, 1)) == target && length > 0)
            repaintBars(st, std::max(s - length + 1, first), s, c1);
        if (cell(out, s, 4) == 1)
            marks.arrowBelow(s, 0.5, marks.down(), c1);
        else if (cell(out, s, 4) == -1)
            marks.arrowAbove(s, 1.25, marks.up(), c1);

        const float signal = cell(out, s, 0);
        const float count = cell(out, s, 2);
        if (signal == 1)
            marks.arrowAbove(s, a, marks.down(), c3);
        else if (signal == -1)
            marks.arrowBelow(s, d, marks.up(), c2);
        else if (count > 0)
            marks.countAbove(s, a, count, c3);
        else if (count < 0)
            marks.countBelow(s, d, count, c2);
    }

    // A first stage one bar short of completion shows its running count.
    const float stage1 = cell(out, kLastRow, 1);
    if (std::fabs(stage1) == target - 1) {
        for (int s = kLastRow; s > kLastRow - (length - 1) && s >= first; --s) {
            if (stage1 > 0)
                marks.countBelow(s, 0.5, cell(out, s, 1), c1);
            else
                marks.countAbove(s, 1.25, cell(out, s, 1), c1);
        }
    }

    LineValue status;
    status.present = true;
    status.colour = c1;
    if (stage1 > 0)
        status.piece = " Stg1Top= " + formatNumber(stage1, " ## ", st.fs);
    else if (stage1 < 0)
        status.piece = " Stg1Bot= " + formatNumber(-stage1, " ## ", st.fs);
    const float stage2 = cell(out, kLastRow, 2);
    if (stage2 != 0) {
        status.piece += " Stg2= " + formatNumber(std::fabs(stage2), " ## ", st.fs);
        status.colour = stage2 > 0 ? c3 : c2;
    }
    return status;
}

} // namespace qm::chart

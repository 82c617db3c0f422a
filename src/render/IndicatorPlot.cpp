// One indicator of a drawing: its computation, pane, legend, scale, lines, value tags and
// legend pieces. An indicator that cannot be computed or drawn is left out without a word.

#include "format/NumberFormat.h"
#include "indicators/Catalogue.h"
#include "indicators/Frame.h"
#include "market/MessageSink.h"
#include "render/IndicatorLines.h"
#include "render/IndicatorPane.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace qm::chart {
namespace {

void loadIndicatorSettings(DrawState& st, const TOscObj& r) {
    st.kind = r.Kind;
    st.style = r.Style;
    // Overlays are drawn against the price pane, wherever the record says it is.
    st.pane =
        isOverlayKind(r.Kind) ? st.pricePane : std::min<std::uint8_t>(r.Pane, kPanePositions - 1);
    st.lineCount = std::clamp(r.LineCount, 0, 3);
    st.scaleMode = r.Spare;
    st.firstParam = r.Params[0];
    for (std::size_t i = 0; i < st.lineColors.size(); ++i)
        st.lineColors[i] = static_cast<Colour>(r.Colors[6 + i]) & 0xFFFFFFu;
}

void drawComputed(DrawState& st, const TOscObj& r, const OutputTable& out) {
    const bool overlay = isOverlayKind(r.Kind);
    const int firstRow = static_cast<int>(
        std::min<long long>(st.firstSlot() + static_cast<long long>(st.shortfall), kWindowSlots));
    const IndicatorPane setup = setUpIndicatorPane(
        r, out, PaneInputs{st.priceMin, st.priceMax, st.priceStep, firstRow}, st.fs);
    st.levelCount = setup.levelCount;
    st.levels = setup.levels;
    st.scaleMode = setup.scaleMode;
    if (overlay) ++st.legendLines;
    if (std::fabs(setup.rangeMin) < 0.00001 && std::fabs(setup.rangeMax) < 0.00001) return;

    st.tickStep = setup.tickStep;
    st.lowTick = setup.lowTick;
    st.highTick = setup.highTick;
    st.mapPane(setup.rangeMin, setup.rangeMax, st.pane);
    st.recordPane(st.pane);

    const IndicatorInfo* info = catalogueEntry(r.Kind);
    std::string legend = info ? std::string(info->legendName) : std::string();
    if (st.options.showParamsOnChart) legend += setup.paramText;
    const int legendY = st.mapping.deviceY(st.mapping.logicalTrunc(st.rangeMax)) +
                        (overlay ? st.legendLines * st.textH : 0);
    addLabel(st, legend, QPoint(kLeftMargin, legendY), false, 0, st.backColor, st.textColor);

    if (st.scaleMode == 2) drawIndicatorScale(st);

    const bool pattern = r.Kind == 5 || r.Kind == 6;
    for (int k = 0; k < st.lineCount; ++k) {
        const LineValue line = drawIndicatorLine(st, r, out, k, firstRow, setup.valueFormat);
        if (!line.present) continue;
        // A volume tag shows its value in the pane's unit but sits at the volume itself.
        if (st.options.showIndOnScale && !pattern)
            addLabel(st, formatNumber(line.value, setup.valueFormat, st.fs),
                     scaleLabelCorner(st, st.mapping.logicalTrunc(line.value * line.unit)), true, 0,
                     st.backColor, line.colour);
        if ((pattern || !st.options.showIndOnScale) && !line.piece.empty()) {
            addLabel(st, line.piece, QPoint(kLeftMargin + st.canvas->textWidth(legend), legendY),
                     false, 0, st.backColor, line.colour);
            legend += line.piece;
        }
    }
}

} // namespace

void drawIndicator(DrawState& st, TOscObj& r) {
    // A failure while computing or drawing leaves the indicator out: its texts go again, the
    // lines it already drew stay, as they would on any canvas.
    const std::size_t labels = st.labels.size();
    const std::size_t panes = st.panes.size();
    const int legendLines = st.legendLines;
    try {
        SilentSink quiet;
        const ChartFacts facts{st.visibleBars, st.barCount, st.dataKind, st.interval};
        const std::optional<int> shortfall =
            computeForDrawing(r, st.bars, st.output, facts, st.sink ? *st.sink : quiet);
        if (!shortfall) return;
        loadIndicatorSettings(st, r);
        st.shortfall = *shortfall;
        drawComputed(st, r, st.output);
    } catch (const std::exception&) {
        st.labels.resize(labels);
        st.panes.resize(panes);
        st.legendLines = legendLines;
        st.canvas->setFont(st.font);
    }
}

} // namespace qm::chart

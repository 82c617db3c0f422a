#pragma once
// One chart without its window: the loaded chart (data file, bar window, records, settings),
// its place in the history and its last drawing. The chart window shows it and feeds it the
// user's actions; tests and benchmarks drive it directly.

#include "loader/ChartLoader.h"
#include "loader/IndicatorDrop.h"
#include "market/FormatSettings.h"
#include "render/ChartTypes.h"

#include <QImage>
#include <QSize>
#include <memory>
#include <vector>

namespace qm {

class MessageSink;

// What a drawing leaves behind for the window and its tools, in the window's pixels.
struct ChartDrawingFacts {
    int barPitch = 0;
    int visibleBars = 0;
    int scaleX = 0;
    int dateRowY = 0;
    int chartType = 0;
    std::vector<PaneInfo> panes;
};

class ChartModel {
public:
    explicit ChartModel(std::unique_ptr<LoadedChart> chart);

    LoadedChart& chart() { return *chart_; }
    const LoadedChart& chart() const { return *chart_; }

    int offset() const { return chart_->position.offset; }
    int recordCount() const { return chart_->position.recordCount; }
    // Moves the window to `offset` and fills it again; an unchanged offset does nothing.
    // Returns whether the window changed. A read error is reported through `sink`.
    bool moveTo(int offset, MessageSink& sink);

    // The records in drawing order: the price chart record first.
    std::vector<TOscObj*> records() const;

    DropOutcome drop(int kind, double y, double height, MessageSink& sink);
    // Drops every record but the price chart's; the price pane takes the whole height, less
    // the volume band when the price chart shows volume.
    void clearIndicators();

    int spacing() const { return chart_->spacing; }
    void setSpacing(int spacing);

    // Draws the chart anew at `size` (the window's pixels, each `pixelRatio` device pixels
    // wide) for a screen described by `screen`. The bars are drawn from a copy, so an indicator
    // that changes the bars while it computes leaves the window as it was filled.
    void render(QSize size, qreal pixelRatio, const ScreenFacts& screen,
                const ChartOptions& options, const FormatSettings& fs, MessageSink& sink);
    // The last drawing, null before the first one or when there was nothing to draw.
    const QImage& bitmap() const { return bitmap_; }
    QImage& bitmap() { return bitmap_; }
    const ChartDrawingFacts& facts() const { return facts_; }

private:
    std::unique_ptr<LoadedChart> chart_;
    BarWindow scratch_{};
    QImage bitmap_;
    ChartDrawingFacts facts_;
};

} // namespace qm

#pragma once
// TBmpChartObj draws one complete chart: the price pane with its overlays, up to three
// oscillator panes, the scales, the date row, the legends and the value tags. It draws into an
// image of its own for the screen, or onto a page device it is given for printing. A renderer
// serves one drawing: set the inputs, call draw(), read the outputs, drop it.

#include "market/FormatSettings.h"
#include "market/PriceBar.h"
#include "render/ChartTypes.h"

#include <QImage>
#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

class QPaintDevice;

namespace qm {

class MessageSink;
class TOscObj;

namespace chart {
struct DrawState;
}

class TBmpChartObj {
public:
    // `records` is the chart's record list: the price chart record first, then the indicators
    // in drawing order. The bars, the records and the settings must outlive the renderer. Two
    // indicator kinds may change the bars while they compute, as their computations say.
    TBmpChartObj(BarWindow& bars, std::span<TOscObj* const> records, const FormatSettings& fs);
    ~TBmpChartObj();
    TBmpChartObj(const TBmpChartObj&) = delete;
    TBmpChartObj& operator=(const TBmpChartObj&) = delete;

    void setTitle(std::string title) { title_ = std::move(title); }
    // 0 reduced, 1 normal, 2 increased; other values are taken as the nearest of these.
    void setSpacing(int spacing) { spacing_ = std::clamp(spacing, 0, 2); }
    // Size of the drawing in pixels, at least 150 x 100. On a screen these are the window's
    // pixels; the image has `ratio` times as many device pixels each way, for screens of high
    // density (the layout stays the same, text and lines come out finer).
    void setWidth(int width);
    void setHeight(int height);
    void setDevicePixelRatio(qreal ratio) { pixelRatio_ = ratio > 0 ? ratio : 1.0; }
    void setScreen(const ScreenFacts& screen) { screen_ = screen; }
    void setOptions(const ChartOptions& options) { options_ = options; }
    // 0 lets the renderer fit the bars to the width; printing passes the screen chart's value.
    void setVisibleBars(int bars) { visibleBars_ = bars; }
    // Draws onto `page` (a printer or PDF page) instead of an image of its own, in the print
    // form: white paper, the print font at the page's resolution, pens and bar pitch scaled
    // to the page's width. The width and height set are then the page's size in its pixels.
    void setPrintTarget(QPaintDevice* page) { page_ = page; }
    // Told when an indicator cannot get the memory it computes in; nobody is told without it.
    void setMessageSink(MessageSink* sink) { sink_ = sink; }

    // Draws the chart. Without a valid bar nothing is drawn and no image is made.
    void draw();
    // The bar positions a drawing on the screen would show, found without drawing: what
    // visibleBars() reads after draw() when not printing.
    int fittedBars() const;

    // Read back after draw().
    const QImage& bitmap() const { return bitmap_; } // null when printing or with no bars
    int barPitch() const { return barPitch_; }
    int visibleBars() const { return visibleBars_; }
    int scaleX() const { return scaleX_; }
    int dateRowY() const { return dateRowY_; }
    int chartType() const { return chartType_; }
    int textHeight() const { return textH_; }
    // The texts in drawing order (the last is the last-price tag), the x of each vertical grid
    // line, and the panes set up.
    const std::vector<TTxtRec>& labels() const { return labels_; }
    const std::vector<int>& gridX() const { return gridX_; }
    const std::vector<PaneInfo>& panes() const { return panes_; }

private:
    ScreenFacts screenOrChartSize() const;
    void drawOn(chart::DrawState& st);

    BarWindow& bars_;
    std::vector<TOscObj*> records_;
    const FormatSettings& fs_;
    std::string title_;
    int spacing_ = 0;
    int width_ = 150;
    int height_ = 100;
    qreal pixelRatio_ = 1.0;
    ScreenFacts screen_;
    ChartOptions options_;
    QPaintDevice* page_ = nullptr;
    MessageSink* sink_ = nullptr;

    QImage bitmap_;
    int barPitch_ = 3;
    int visibleBars_ = 0;
    int scaleX_ = 0;
    int dateRowY_ = 0;
    int chartType_ = 2;
    int textH_ = 0;
    std::vector<TTxtRec> labels_;
    std::vector<int> gridX_;
    std::vector<PaneInfo> panes_;
};

} // namespace qm

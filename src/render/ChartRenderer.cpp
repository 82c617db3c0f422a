#include "ChartRenderer.h"

#include "indicators/OscObj.h"
#include "render/ChartFonts.h"
#include "render/DrawState.h"

#include <QPaintDevice>
#include <algorithm>

namespace qm {

using namespace chart;

TBmpChartObj::TBmpChartObj(BarWindow& bars, std::span<TOscObj* const> records,
                           const FormatSettings& fs)
    : bars_(bars), records_(records.begin(), records.end()), fs_(fs) {}

TBmpChartObj::~TBmpChartObj() = default;

void TBmpChartObj::setWidth(int width) {
    width_ = std::max(width, kMinWidth);
}

void TBmpChartObj::setHeight(int height) {
    height_ = std::max(height, kMinHeight);
}

namespace {

Colour colourOf(std::int32_t value) {
    return static_cast<Colour>(value) & 0xFFFFFFu;
}

// The chart-wide settings of the price chart record.
void loadPriceSettings(DrawState& st, TOscObj& r) {
    r.ShownBars = st.visibleBars;
    r.ValidBars = st.barCount;
    st.kind = 0;
    st.shortfall = 0;
    st.dataKind = r.DataKind;
    st.interval = r.Interval;
    st.pane = std::min<std::uint8_t>(r.Pane, kPanePositions - 1);
    st.pricePane = st.pane;
    st.style = r.Style;
    st.chartType = r.Style;
    st.scaleMode = 2;
    st.penWidth = st.printing ? std::max(st.deviceWidth / 3192, 1) : 1;
    const int widthRatio = st.printing ? st.deviceWidth / std::max(st.screen.width, 1) : 1;
    st.barPitch = barPitchFor(st.chartType, st.spacing, widthRatio);
    st.barColor = colourOf(r.Colors[1]);
    st.textColor = colourOf(r.Colors[3]);
    // White on paper would not show.
    if (st.printing) {
        if (st.barColor == 0xFFFFFF) st.barColor = 0;
        if (st.textColor == 0xFFFFFF) st.textColor = 0;
    }
}

void setUpFonts(DrawState& st, const TOscObj& priceRecord) {
    st.smallWindow = false;
    st.fontSize = std::clamp(priceRecord.FontSize, 8, 14);
    if (st.printing) {
        st.fontSize = 10;
        st.font = printFont(pixelSizeFor(10, st.pixelsPerInch));
    } else {
        st.font = chartFont(pixelSizeFor(st.fontSize, st.pixelsPerInch));
        st.smallWindow = st.height < static_cast<int>(0.3 * st.screen.height);
    }
    st.canvas->setFont(st.font);
    st.textH = st.canvas->metrics().height();
    st.halfTextH = st.textH / 2;
    st.charW = st.canvas->metrics().horizontalAdvance(QStringLiteral("W"));
    st.halfCharW = st.charW / 2;
    st.scaleX = st.width - 6 * st.charW;
}

} // namespace

void TBmpChartObj::draw() {
    bitmap_ = QImage();
    labels_.clear();
    gridX_.clear();
    panes_.clear();
    const int n = countValidBars(bars_);
    if (n == 0 || records_.empty() || records_.front() == nullptr) return;

    registerChartFonts();
    auto st = std::make_unique<DrawState>(bars_, fs_);
    st->options = options_;
    // A screen without a size or resolution stands for one the size of the chart.
    st->screen = screen_;
    if (st->screen.width <= 0) st->screen.width = width_;
    if (st->screen.height <= 0) st->screen.height = height_;
    if (st->screen.pixelsPerInch <= 0) st->screen.pixelsPerInch = 96;
    st->sink = sink_;
    st->title = title_;
    st->spacing = spacing_;
    st->width = width_;
    st->height = height_;
    st->barCount = n;
    st->lastDate = bars_[kWindowSlots - 1].date;
    st->lastClose = bars_[kWindowSlots - 1].close;

    QPaintDevice* device = page_;
    if (page_) {
        st->printing = true;
        st->deviceWidth = page_->width();
        st->deviceHeight = page_->height();
        st->pixelsPerInch = page_->logicalDpiY();
        st->backColor = 0xFFFFFF;
    } else {
        // A high-density screen gets as many more pixels: the same chart, drawn finer.
        bitmap_ = QImage(qRound(width_ * pixelRatio_), qRound(height_ * pixelRatio_),
                         QImage::Format_RGB32);
        bitmap_.setDevicePixelRatio(pixelRatio_);
        device = &bitmap_;
        st->deviceWidth = st->screen.width;
        st->deviceHeight = st->screen.height;
        st->pixelsPerInch = st->screen.pixelsPerInch;
        st->backColor = colourOf(records_.front()->Colors[0]);
    }
    {
        Canvas canvas(device);
        st->canvas = &canvas;
        drawOn(*st);
    }
    barPitch_ = st->barPitch;
    visibleBars_ = st->visibleBars;
    scaleX_ = st->scaleX;
    dateRowY_ = st->dateRowY;
    chartType_ = st->chartType;
    labels_ = std::move(st->labels);
    gridX_.assign(st->gridX.begin(), st->gridX.begin() + st->gridCount);
    panes_ = std::move(st->panes);
}

void TBmpChartObj::drawOn(DrawState& st) {
    TOscObj& priceRecord = *records_.front();
    setUpFonts(st, priceRecord);
    textH_ = st.textH;
    if (!st.printing) st.canvas->fillRect(0, 0, st.width, st.height, st.backColor);

    loadPriceSettings(st, priceRecord);
    // A window never shows more bar positions than it has bars, plus the one left blank. Below
    // zero nothing is drawn; the lower bound only keeps the slot arithmetic in range.
    st.visibleBars = visibleBars_ != 0
                         ? visibleBars_
                         : visibleBarsFor(st.width, st.charW, st.barPitch, st.barCount);
    st.visibleBars = std::clamp(st.visibleBars, -kWindowSlots, st.barCount + 1);

    drawDateAxis(st);
    for (TOscObj* record : records_) {
        if (record == nullptr) continue;
        if (record->Kind == 0) {
            loadPriceSettings(st, *record);
            plotPricePane(st);
        } else {
            drawIndicator(st, *record);
        }
    }
    addLastPriceTag(st);
    drawLabels(st);
}

} // namespace qm

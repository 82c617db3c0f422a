#include "ChartRenderer.h"

#include "indicators/OscObj.h"
#include "render/ChartFonts.h"
#include "render/DrawState.h"

#include <QFontMetrics>
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

// Every channel within a sixteenth of full: too pale to see on white paper.
bool nearWhite(Colour c) {
    return (c & 0xF0F0F0u) == 0xF0F0F0u;
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
    // White on paper would not show, nor would the near-white of the factory's price bars.
    if (st.printing) {
        if (nearWhite(st.barColor)) st.barColor = 0;
        if (nearWhite(st.textColor)) st.textColor = 0;
    }
}

// The price chart record's font size, in points, on a screen.
int screenFontSize(const TOscObj& priceRecord) {
    return std::clamp(priceRecord.FontSize, 8, 14);
}

// The bar positions shown: as many as are set, or as fit the width, within what the bars and
// the window's slots allow. Below zero nothing is drawn; the lower bound only keeps the slot
// arithmetic in range.
int shownBars(int set, int width, int charW, int barPitch, int barCount) {
    const int bars = set != 0 ? set : visibleBarsFor(width, charW, barPitch, barCount);
    return std::clamp(bars, -kWindowSlots, barCount + 1);
}

void setUpFonts(DrawState& st, const TOscObj& priceRecord) {
    st.smallWindow = false;
    st.fontSize = screenFontSize(priceRecord);
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
    st->screen = screenOrChartSize();
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

ScreenFacts TBmpChartObj::screenOrChartSize() const {
    // A screen without a size or resolution stands for one the size of the chart.
    ScreenFacts screen = screen_;
    if (screen.width <= 0) screen.width = width_;
    if (screen.height <= 0) screen.height = height_;
    if (screen.pixelsPerInch <= 0) screen.pixelsPerInch = 96;
    return screen;
}

int TBmpChartObj::fittedBars() const {
    const int n = countValidBars(bars_);
    if (n == 0 || records_.empty() || records_.front() == nullptr) return 0;
    const TOscObj& priceRecord = *records_.front();
    registerChartFonts();
    const QFont font =
        chartFont(pixelSizeFor(screenFontSize(priceRecord), screenOrChartSize().pixelsPerInch));
    // Measured on an image, as the drawing measures its text.
    const QImage probe(1, 1, QImage::Format_RGB32);
    const int charW = QFontMetrics(font, &probe).horizontalAdvance(QStringLiteral("W"));
    return shownBars(visibleBars_, width_, charW, barPitchFor(priceRecord.Style, spacing_, 1), n);
}

void TBmpChartObj::drawOn(DrawState& st) {
    TOscObj& priceRecord = *records_.front();
    setUpFonts(st, priceRecord);
    textH_ = st.textH;
    if (!st.printing) st.canvas->fillRect(0, 0, st.width, st.height, st.backColor);

    loadPriceSettings(st, priceRecord);
    st.visibleBars = shownBars(visibleBars_, st.width, st.charW, st.barPitch, st.barCount);

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

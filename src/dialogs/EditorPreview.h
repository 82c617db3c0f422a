#pragma once
// The Chart Colors page's preview: a sample chart drawn by the chart renderer, so that it looks
// exactly as a chart will, with the price chart settings of the pages and the indicator on
// the Indicator page.

#include "PlotEditorModel.h"
#include "market/FormatSettings.h"
#include "market/PriceBar.h"
#include "render/ChartTypes.h"

#include <QImage>
#include <QSize>
#include <string>

namespace qm {

class TOscObj;

struct PreviewRequest {
    const TOscObj* price = nullptr;     // the price chart record; the pages' values replace its own
    const TOscObj* indicator = nullptr; // drawn with the prices, or none
    ChartPages pages;
    ChartOptions options;
    std::string title;
    QSize size;
    ScreenFacts screen;
};

// The sample's bars: a few hundred weekdays of prices and volumes that rise and fall, the
// same every time.
const BarWindow& previewBars();

// Draws the sample; the records given are not changed. A null image when there is nothing to
// draw.
QImage drawPreview(const PreviewRequest& request, const FormatSettings& fs);

} // namespace qm

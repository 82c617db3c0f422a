#include "ChartDrawing.h"

#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>

namespace qm {

std::unique_ptr<TBmpChartObj> makeRenderer(BarWindow& bars, std::span<TOscObj* const> records,
                                           const FormatSettings& fs, const DrawingSetup& setup) {
    auto renderer = std::make_unique<TBmpChartObj>(bars, records, fs);
    renderer->setTitle(setup.title);
    renderer->setSpacing(setup.spacing);
    renderer->setWidth(setup.width);
    renderer->setHeight(setup.height);
    renderer->setDevicePixelRatio(setup.pixelRatio);
    renderer->setScreen(setup.screen);
    renderer->setOptions(setup.options);
    renderer->setMessageSink(setup.sink);
    return renderer;
}

void setUpLandscapePage(QPagedPaintDevice& page) {
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    page.setPageSize(QPageSize(inches ? QPageSize::Letter : QPageSize::A4));
    page.setPageOrientation(QPageLayout::Landscape);
    page.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void drawChartOnPage(QPagedPaintDevice& page, const BarWindow& bars,
                     std::span<TOscObj* const> records, const FormatSettings& fs,
                     const DrawingSetup& setup, int visibleBars) {
    BarWindow copy = bars;
    DrawingSetup onPage = setup;
    onPage.width = page.width();
    onPage.height = page.height();
    const auto renderer = makeRenderer(copy, records, fs, onPage);
    renderer->setVisibleBars(visibleBars);
    renderer->setPrintTarget(&page);
    renderer->draw();
}

} // namespace qm

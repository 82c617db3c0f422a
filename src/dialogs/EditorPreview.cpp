#include "EditorPreview.h"

#include "indicators/Catalogue.h"
#include "indicators/OscObj.h"
#include "market/Calendar.h"
#include "render/ChartDrawing.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace qm {
namespace {

constexpr int kSampleBars = 300;

BarWindow makeSample() {
    BarWindow bars{};
    // Weekdays back from a fixed Friday, newest in the last slot.
    double day = *encodeDate(2024, 11, 29);
    for (int slot = kWindowSlots - 1; slot >= kWindowSlots - kSampleBars; --slot) {
        while (dayOfWeek(day) == 1 || dayOfWeek(day) == 7) day -= 1;
        const double i = slot - (kWindowSlots - kSampleBars);
        const double trend = 50 + 12 * std::sin(i / 14.3) + 5 * std::sin(i / 3.7);
        const double open = trend + 1.5 * std::cos(i * 1.7);
        const double close = trend + 1.5 * std::sin(i * 2.3);
        const double reach = 0.8 + 0.6 * std::abs(std::cos(i * 0.9));
        bars[static_cast<std::size_t>(slot)] = {
            day,
            static_cast<float>(open),
            static_cast<float>(std::max(open, close) + reach),
            static_cast<float>(std::min(open, close) - reach),
            static_cast<float>(close),
            static_cast<float>(1e6 * (1.2 + std::sin(i * 0.37))),
            0};
        day -= 1;
    }
    return bars;
}

} // namespace

const BarWindow& previewBars() {
    static const BarWindow bars = makeSample();
    return bars;
}

QImage drawPreview(const PreviewRequest& request, const FormatSettings& fs) {
    if (!request.price) return {};
    const std::unique_ptr<TOscObj> price = request.price->Clone();
    applyChartPages(*price, request.pages);
    price->SetDataKind(static_cast<std::uint8_t>(DataKind::Full));
    price->Interval = 0;
    price->Pane = 0;
    std::vector<TOscObj*> records{price.get()};

    std::unique_ptr<TOscObj> indicator;
    if (request.indicator) {
        indicator = request.indicator->Clone();
        // An oscillator gets the lower quarter of the sample, below the prices.
        const bool overlay = isOverlayKind(indicator->Kind);
        price->Pane = overlay ? 0 : 1;
        indicator->Pane = overlay ? 0 : 4;
        records.push_back(indicator.get());
    }

    BarWindow bars = previewBars();
    DrawingSetup setup;
    setup.title = request.title;
    setup.width = request.size.width();
    setup.height = request.size.height();
    setup.screen = request.screen;
    setup.options = request.options;
    const auto renderer = makeRenderer(bars, records, fs, setup);
    renderer->draw();
    return renderer->bitmap();
}

} // namespace qm

#include "ChartModel.h"

#include "render/ChartDrawing.h"

namespace qm {

ChartModel::ChartModel(std::unique_ptr<LoadedChart> chart) : chart_(std::move(chart)) {}

bool ChartModel::moveTo(int offset, MessageSink& sink) {
    if (offset == chart_->position.offset) return false;
    chart_->position.offset = offset;
    fillWindow(chart_->bars, chart_->position, chart_->dataFile.path(), sink);
    return true;
}

std::vector<TOscObj*> ChartModel::records() const {
    std::vector<TOscObj*> out;
    out.reserve(chart_->records.records.size());
    for (const auto& r : chart_->records.records) out.push_back(r.get());
    return out;
}

DropOutcome ChartModel::drop(int kind, double y, double height, MessageSink& sink) {
    return dropIndicator(*chart_, kind, y, height, sink);
}

void ChartModel::clearIndicators() {
    auto& records = chart_->records.records;
    if (records.empty()) return;
    records.erase(records.begin() + 1, records.end());
    TOscObj& price = *records.front();
    chart_->pricePane = price.ShowVolume ? 1 : 0;
    price.Pane = chart_->pricePane;
}

void ChartModel::setSpacing(int spacing) {
    chart_->spacing = spacing;
    if (!chart_->records.records.empty())
        chart_->records.records.front()->BarSpacing = static_cast<std::uint8_t>(spacing);
}

void ChartModel::render(QSize size, qreal pixelRatio, const ScreenFacts& screen,
                        const ChartOptions& options, const FormatSettings& fs, MessageSink& sink) {
    scratch_ = chart_->bars;
    const auto recs = records();
    DrawingSetup setup;
    setup.title = chart_->title;
    setup.spacing = chart_->spacing;
    setup.width = size.width();
    setup.height = size.height();
    setup.pixelRatio = pixelRatio;
    setup.screen = screen;
    setup.options = options;
    setup.sink = &sink;
    const auto renderer = makeRenderer(scratch_, recs, fs, setup);
    renderer->draw();
    bitmap_ = renderer->bitmap();
    facts_ = {renderer->barPitch(), renderer->visibleBars(), renderer->scaleX(),
              renderer->dateRowY(), renderer->chartType(),   renderer->panes()};
    chart_->chartType = static_cast<std::uint8_t>(facts_.chartType);
}

} // namespace qm

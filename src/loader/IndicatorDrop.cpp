#include "IndicatorDrop.h"

#include "PaneRule.h"

namespace qm {

DropOutcome dropIndicator(LoadedChart& chart, int kind, double y, double height,
                          MessageSink& sink) {
    if (kind < 1 || kind > kIndicatorKinds) return {};
    if (const auto refusal = dropRefusal(kind, chart.dataKind)) {
        sink.information(*refusal);
        return {};
    }
    auto record = newDroppedRecord(kind, chart.settingsFile, sink);
    if (!record) return {};

    auto& list = chart.records;
    const int pane = dropTargetPane(countOscillators(list), y, height);
    DropOutcome outcome{true, record.get(), 0};
    // An oscillator aimed at an occupied oscillator pane takes the place of the first one
    // there once the records are in kind order.
    if (isOscillatorKind(kind))
        for (std::size_t i = 1; i < list.records.size(); ++i)
            if (const TOscObj& r = *list.records[i];
                isOscillatorKind(r.Kind) && r.Pane == pane &&
                (outcome.replacedKind == 0 || r.Kind < outcome.replacedKind))
                outcome.replacedKind = r.Kind;
    placeDroppedRecord(list, std::move(record), pane, chart.dataKind, chart.interval);
    chart.pricePane = list.records.front()->Pane;
    return outcome;
}

} // namespace qm

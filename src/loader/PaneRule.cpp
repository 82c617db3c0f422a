#include "PaneRule.h"

#include "ChartLoader.h"
#include "LoaderMessages.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qm {

namespace lm = loader_messages;

namespace {

bool isOscillator(const TOscObj& r) {
    return isOscillatorKind(r.Kind);
}

} // namespace

int countOscillators(const TPlotRecList& records) {
    const auto& r = records.records;
    if (r.empty()) return 0;
    return static_cast<int>(
        std::count_if(r.begin() + 1, r.end(), [](const auto& rec) { return isOscillator(*rec); }));
}

std::optional<std::string_view> dropRefusal(int kind, DataKind dataKind) {
    const auto code = static_cast<int>(dataKind);
    // The kinds the loader passes over on such a series are refused too: on closes alone they
    // would draw a flat, meaningless line.
    if (code < 3 && (kind == 8 || kind == 9 || kind == 21 || needsHighLow(kind)))
        return lm::kNeedsHighLow;
    if (code < 5 && (kind == 5 || kind == 6 || kind == 7)) return lm::kNeedsOpenHighLowClose;
    return std::nullopt;
}

int dropTargetPane(int oscillators, double y, double height) {
    switch (oscillators) {
    case 0:
        return 4;
    case 1:
        return y < 0.75 * height ? 5 : 4;
    case 2:
        if (y < 0.5 * height) return 8;
        if (y > 0.5 * height && y < 0.75 * height) return 5;
        return 4;
    default: // three, and any more a saved list may hold
        if (y < 0.67 * height && y != 0.5 * height) return 8;
        if (y > 0.67 * height && y < 0.83 * height) return 7;
        return 6;
    }
}

std::unique_ptr<TOscObj> newDroppedRecord(int kind, const std::filesystem::path& settingsFile,
                                          MessageSink& sink) {
    auto record = TOscObj::Create(kind);
    if (!record) return nullptr;
    TPlotRecList settings;
    settings.load(settingsFile, sink);
    const auto& r = settings.records;
    const auto same =
        std::find_if(r.begin(), r.end(), [kind](const auto& s) { return s->Kind == kind; });
    if (same != r.end()) record->CopyFrom(**same);
    return record;
}

void placeDroppedRecord(TPlotRecList& records, std::unique_ptr<TOscObj> added, int targetPane,
                        DataKind dataKind, Interval interval) {
    auto& list = records.records;
    if (list.empty() || !added) return;
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a->Kind < b->Kind; });
    TOscObj& price = *list.front();

    added->SetDataKind(static_cast<std::uint8_t>(dataKind));
    added->Interval = static_cast<std::uint8_t>(interval);
    const bool oscillator = isOscillator(*added);
    const int b = oscillator ? targetPane : price.Pane;
    TOscObj& placed = *added;
    list.push_back(std::move(added));

    // Only an oscillator replaces one: an overlay never takes anything's place, even when a
    // saved list put an oscillator in the price pane's position.
    if (oscillator) {
        const auto taken = std::find_if(list.begin() + 1, list.end() - 1, [b](const auto& r) {
            return isOscillator(*r) && r->Pane == b;
        });
        if (taken != list.end() - 1) list.erase(taken);
    }
    placed.Pane = static_cast<std::uint8_t>(b);

    std::vector<TOscObj*> oscillators;
    for (auto it = list.begin() + 1; it != list.end(); ++it)
        if (isOscillator(**it)) oscillators.push_back(it->get());
    const auto m = oscillators.size();
    if (m == 0) return;

    price.SetShowVolume(false);
    const std::uint8_t pricePane = m == 1 ? 1 : 2;
    for (auto& r : list)
        if (!isOscillator(*r)) r->Pane = pricePane;
    if (m == 1) {
        oscillators[0]->Pane = 4;
    } else if (m == 2 && (b == 4 || b == 5)) {
        // The new one takes the pane aimed at, the other one the other half.
        for (TOscObj* r : oscillators)
            r->Pane = static_cast<std::uint8_t>(r == &placed ? b : 9 - b);
    } else if (m == 3 && b >= 6 && b <= 8) {
        // Top to bottom 8, 7, 6; list order decides who goes where around the new one.
        static constexpr std::array<std::array<std::uint8_t, 3>, 3> kPanes{{
            {8, 7, 6}, // aimed at 6
            {8, 6, 7}, // aimed at 7
            {7, 6, 8}, // aimed at 8
        }};
        for (std::size_t j = 0; j < 3; ++j)
            oscillators[j]->Pane = kPanes[static_cast<std::size_t>(b - 6)][j];
    }
}

} // namespace qm

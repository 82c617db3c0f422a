#pragma once
// Where an indicator added to an open chart goes. An overlay joins the price pane; an
// oscillator gets a pane under it, at most three oscillators share the area below the prices,
// and one dropped onto an occupied oscillator pane replaces its indicator. The chart window
// applies this to indicators dropped from the tool bar, the command line to each one it adds.

#include "market/MessageSink.h"
#include "market/PriceBar.h"
#include "settings/lists/PlotRecList.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace qm {

// Kinds 15 and above have a pane of their own; the others draw over the prices.
constexpr bool isOscillatorKind(int kind) {
    return kind >= 15;
}

// Records after the first whose kind has a pane of its own.
int countOscillators(const TPlotRecList& records);

// Why an indicator of `kind` cannot go on a series of `dataKind`, or nothing when it can:
// kinds 8, 9, 21 and those of needsHighLow() need highs and lows, kinds 5, 6 and 7 opens as well.
std::optional<std::string_view> dropRefusal(int kind, DataKind dataKind);

// The pane position an oscillator dropped at client row `y` of a chart `height` rows high is
// aimed at, with `oscillators` already on the chart: 4 for the first; for a second, 5 above three
// quarters of the height, else 4; for a third, 8 in the upper half, 5 down to three quarters, 4
// below; with three on, 8, 7 or 6 by the sixth of the height.
int dropTargetPane(int oscillators, double y, double height);

// A new record of `kind` carrying the settings of the first record of that kind in the chart's
// settings file (the construction defaults when the file has none). Throws SettingsError when
// the file cannot be read; the settings list's message has then gone to `sink`.
std::unique_ptr<TOscObj> newDroppedRecord(int kind, const std::filesystem::path& settingsFile,
                                          MessageSink& sink);

// Adds `added` to the chart's records and lays out the panes again. The records are sorted by
// kind (the price record stays first) and the new one appended with the chart's data kind and
// interval. An overlay takes the price pane's position. An oscillator takes `targetPane`,
// replacing the first oscillator already there; then, by the number of oscillators, the price
// pane and overlays move to position 1 (one oscillator, at 4) or 2 (two, at 5 and 4; three, at
// 8, 7 and 6 as the drop decides), and the price record's volume is switched off.
void placeDroppedRecord(TPlotRecList& records, std::unique_ptr<TOscObj> added, int targetPane,
                        DataKind dataKind, Interval interval);

} // namespace qm

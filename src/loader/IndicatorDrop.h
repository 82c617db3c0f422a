#pragma once
// Dropping an indicator on an open chart: the refusal checks, the new record with the chart's
// settings, and the pane rule, in the order the chart window applies them. The command line's
// --add goes through here too, so both front ends put an indicator in the same place.

#include "ChartLoader.h"
#include "market/MessageSink.h"

namespace qm {

struct DropOutcome {
    bool added = false;
    TOscObj* record = nullptr; // the new record, in the chart's list, when added
    // The kind of the oscillator the new one replaced in its pane, or 0.
    int replacedKind = 0;
};

// Drops an indicator of `kind` (1 to 30; others are passed over) at client row `y` of a chart
// `height` rows high. A kind the series has no prices for is refused with its message through
// `sink` and changes nothing. Throws SettingsError when the chart's settings file cannot be
// read; the settings list's message has then gone to `sink`.
DropOutcome dropIndicator(LoadedChart& chart, int kind, double y, double height, MessageSink& sink);

} // namespace qm

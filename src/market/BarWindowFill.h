#pragma once
// Filling a chart's bar window from its chart data file.

#include "MessageSink.h"
#include "PriceBar.h"

#include <cstdint>
#include <filesystem>

namespace qm {

// What a chart window keeps beside its bar window about the file behind it.
struct WindowPosition {
    std::int32_t recordCount = 0;
    double firstDate = 0.0; // of the file's first record
    double lastDate = 0.0;  // of the file's last record
    // Which record sits in slot 511, counted back from the end: 1 is the last record.
    std::int32_t offset = 1;
};

// Loads record (count - offset) into slot 511 and the records before it into the slots below,
// up to 511 records, and puts date 0 in the slot under the oldest one loaded. Sets the
// position's record count and first and last dates. An offset below 1 counts as 1. One
// seek-and-read, no allocation.
// A file that cannot be read shows "Dang ... we have an error reading the price data." and
// leaves the window empty (date 0 in slot 511); returns false then.
bool fillWindow(BarWindow& window, WindowPosition& position,
                const std::filesystem::path& chartDataFile, MessageSink& sink);

} // namespace qm

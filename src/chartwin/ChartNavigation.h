#pragma once
// How a chart window moves through its history: the offset of the newest bar on show from the
// end of the chart data file (1 shows the newest record) changes by the navigation step. The
// newest bar on show never goes further back than the 101st record from the end, and moving
// forward always ends exactly at the newest record.

#include <array>

namespace qm::navigation {

// Bars moved per action; the step menu offers these, one program-wide choice.
inline constexpr std::array<int, 6> kSteps = {1, 2, 5, 10, 20, 50};

// The Back button (and each of its repeats) and the wheel turned down.
constexpr int back(int offset, int records, int step) {
    return records > 100 && offset + step < records - 100 ? offset + step : offset;
}

// The Forward button (and each of its repeats) and the wheel turned up.
constexpr int forward(int offset, int step) {
    return offset > step + 1 ? offset - step : 1;
}

// Shift and the Back button: to the oldest place the window may show.
constexpr int toStart(int offset, int records) {
    return records > 100 ? records - 100 : offset;
}

// Shift and the Forward button: to the newest bar.
constexpr int toEnd() {
    return 1;
}

// The step menu's item (1 to 6) for a step, and the step of an item; any other step shows as
// the first item.
constexpr int itemOfStep(int step) {
    for (std::size_t i = 0; i < kSteps.size(); ++i)
        if (kSteps[i] == step) return static_cast<int>(i) + 1;
    return 1;
}
constexpr int stepOfItem(int item) {
    return item >= 1 && item <= static_cast<int>(kSteps.size())
               ? kSteps[static_cast<std::size_t>(item - 1)]
               : 1;
}

} // namespace qm::navigation

#pragma once
// Every text of the chart window: hints and the step menu.

#include <array>
#include <string_view>

namespace qm::chartwin_messages {

inline constexpr std::string_view kBackHint =
    "Shift + Click goes to Start of data. Right Click for Menu.";
inline constexpr std::string_view kForwardHint =
    "Shift + Click goes to End of data. Right Click for Menu.";
inline constexpr std::string_view kWindowHint = "Right click to add Chart to favorites list.";

// The step menu, items 1 to 6.
inline constexpr std::array<std::string_view, 6> kStepItems = {
    "Move by = 1 bar.",   "Move by = 2 bars.",  "Move by = 5 bars.",
    "Move by = 10 bars.", "Move by = 20 bars.", "Move by = 50 bars."};

// The type of the data an indicator dragged from the main window carries: its kind.
inline constexpr const char* kIndicatorMimeType = "application/x-quillmar-indicator-kind";

} // namespace qm::chartwin_messages

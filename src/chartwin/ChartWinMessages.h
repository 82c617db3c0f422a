#pragma once
// Every text of the chart window and its zoom window: hints, captions and the step menu.

#include <array>
#include <string_view>

namespace qm::chartwin_messages {

inline constexpr std::string_view kBackHint =
    "Shift + Click goes to Start of data. Right Click for Menu.";
inline constexpr std::string_view kForwardHint =
    "Shift + Click goes to End of data. Right Click for Menu.";
inline constexpr std::string_view kWindowHint = "Right click to add Chart to favorites list.";
// The window's hint while the read-out tool is down, and where the read-out finds no bar.
inline constexpr std::string_view kReadOutHint =
    "Drag with Left mouse btn or use Arrow keys to read Chart data";

// The zoom window: its hint and the start of its caption, which the chart's caption follows.
inline constexpr std::string_view kZoomHint =
    "To Zoom use PageUp, PageDown Keys or Mousewheel.\r\nUse Arrow Keys to Scroll.";
inline constexpr std::string_view kZoomCaptionHead = "  Zoom Me - ";

// The step menu, items 1 to 6.
inline constexpr std::array<std::string_view, 6> kStepItems = {
    "Move by = 1 bar.",   "Move by = 2 bars.",  "Move by = 5 bars.",
    "Move by = 10 bars.", "Move by = 20 bars.", "Move by = 50 bars."};

// The type of the data an indicator dragged from the main window carries: its kind.
inline constexpr const char* kIndicatorMimeType = "application/x-quillmar-indicator-kind";

} // namespace qm::chartwin_messages

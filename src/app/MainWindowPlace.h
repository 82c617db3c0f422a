#pragma once
// Where the main window goes: the stored place when it lies on a screen, else the top of the
// work area; spanning the work area when no width was stored. Held at least 1024 pixels wide
// and 87 to 96 high.

#include "Configuration.h"

#include <span>

namespace qm {

struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; } // one past the last column
    int bottom() const { return top + height; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

inline constexpr int kMainMinWidth = 1024;
inline constexpr int kMainMinHeight = 87;
inline constexpr int kMainMaxHeight = 96;

// The main window's place (left, top, width) for the stored dims, on a desktop whose primary
// work area is `workArea` and whose screens are `screens` (the work area's screen among them).
WindowDims placeMainWindow(const WindowDims& stored, const ScreenRect& workArea,
                           std::span<const ScreenRect> screens);

} // namespace qm

#include "MainWindowPlace.h"

#include <algorithm>

namespace qm {
namespace {

// How much of a window must lie on a screen for the user to reach it: a stretch of its title
// bar and menu.
constexpr int kReachableWidth = 200;
constexpr int kReachableHeight = 40;

int overlap(int a0, int a1, int b0, int b1) {
    return std::max(0, std::min(a1, b1) - std::max(a0, b0));
}

} // namespace

WindowDims placeMainWindow(const WindowDims& stored, const ScreenRect& workArea,
                           std::span<const ScreenRect> screens) {
    if (stored.width <= 0)
        return {workArea.left, workArea.top, std::max(workArea.width, kMainMinWidth)};

    int widest = workArea.width;
    for (const ScreenRect& s : screens) widest = std::max(widest, s.width);
    const int width = std::clamp(stored.width, kMainMinWidth, std::max(widest, kMainMinWidth));

    // The screen holding most of the window's top rows.
    const ScreenRect* best = nullptr;
    int bestArea = 0;
    for (const ScreenRect& s : screens) {
        const int area = overlap(stored.left, stored.left + width, s.left, s.right()) *
                         overlap(stored.top, stored.top + kMainMaxHeight, s.top, s.bottom());
        if (area > bestArea) {
            bestArea = area;
            best = &s;
        }
    }
    if (!best || bestArea < kReachableWidth * kReachableHeight)
        return {workArea.left, workArea.top, width};

    // On that screen, with its title bar below the screen's top edge and enough of it inside.
    const int top = std::clamp(stored.top, best->top, best->bottom() - kMainMaxHeight);
    const int left = std::clamp(stored.left, best->left - width + kReachableWidth,
                                best->right() - kReachableWidth);
    return {left, top, width};
}

} // namespace qm

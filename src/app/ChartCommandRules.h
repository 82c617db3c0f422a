#pragma once
// The small rules of the main window's chart commands, apart from their windows: which interval
// an Interval menu item asks for, and the fixed sizes Ctrl+F8, Ctrl+F9 and Ctrl+F10 reopen the
// selected chart at.

#include "MainWindowPlace.h"
#include "market/PriceBar.h"

#include <optional>

namespace qm {

// The interval of the Interval menu's item tagged `tag`: 1 daily, 2 weekly, any other monthly.
constexpr Interval intervalOfTag(int tag) {
    return tag == 1 ? Interval::Daily : tag == 2 ? Interval::Weekly : Interval::Monthly;
}

// The window that Ctrl+F`functionKey` (8, 9 or 10) reopens the selected chart in: at the main
// window's left edge just below it, 308 x 529, 508 x 529 or 608 x 329. Other keys: none.
constexpr std::optional<ScreenRect> fixedChartPlace(int functionKey, const ScreenRect& mainWindow) {
    switch (functionKey) {
    case 8:
        return ScreenRect{mainWindow.left, mainWindow.bottom(), 308, 529};
    case 9:
        return ScreenRect{mainWindow.left, mainWindow.bottom(), 508, 529};
    case 10:
        return ScreenRect{mainWindow.left, mainWindow.bottom(), 608, 329};
    default:
        return std::nullopt;
    }
}

} // namespace qm

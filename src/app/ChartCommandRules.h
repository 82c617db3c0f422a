#pragma once
// The small rules of the main window's chart commands, apart from their windows: which interval
// an Interval menu item asks for, and the fixed sizes Ctrl+F8, Ctrl+F9 and Ctrl+F10 reopen the
// selected chart at.

#include "market/PriceBar.h"

#include <optional>

namespace qm {

// The interval of the Interval menu's item tagged `tag`: 1 daily, 2 weekly, any other monthly.
constexpr Interval intervalOfTag(int tag) {
    return tag == 1 ? Interval::Daily : tag == 2 ? Interval::Weekly : Interval::Monthly;
}

struct ChartSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ChartSize&, const ChartSize&) = default;
};

// The size Ctrl+F`functionKey` (8, 9 or 10) reopens the selected chart at: 308 x 529,
// 508 x 529 or 608 x 329. Other keys: none.
constexpr std::optional<ChartSize> fixedChartSize(int functionKey) {
    switch (functionKey) {
    case 8:
        return ChartSize{308, 529};
    case 9:
        return ChartSize{508, 529};
    case 10:
        return ChartSize{608, 329};
    default:
        return std::nullopt;
    }
}

} // namespace qm

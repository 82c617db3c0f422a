#include "ChartGrid.h"

#include <algorithm>

namespace qm {
namespace {

// The smallest n with n * n >= value.
int ceilSqrt(int value) {
    int n = 0;
    while (n * n < value) ++n;
    return n;
}

} // namespace

GridShape tileGrid(int charts, TileDirection direction) {
    if (charts <= 0) return {};
    const bool vertical = direction == TileDirection::Vertical;
    int across = 0; // columns when tiling vertically, rows when horizontally
    int along = 0;
    if (charts <= 3) {
        across = charts;
        along = 1;
    } else if (charts == 4) {
        across = vertical ? 2 : 4;
        along = vertical ? 2 : 1;
    } else if (charts <= 6) {
        across = 3;
        along = 2;
    } else {
        across = ceilSqrt(charts);
        along = (charts + across - 1) / across;
    }
    return vertical ? GridShape{along, across} : GridShape{across, along};
}

ScreenRect tilingArea(const ScreenRect& mainWindow, int workAreaBottom) {
    return {mainWindow.left, mainWindow.bottom(), mainWindow.width,
            std::max(workAreaBottom - mainWindow.bottom(), 0)};
}

std::vector<ScreenRect> tileCells(int charts, TileDirection direction, const ScreenRect& area) {
    const GridShape grid = tileGrid(charts, direction);
    std::vector<ScreenRect> cells;
    if (charts <= 0) return cells;
    const int width = area.width / grid.columns;
    const int height = area.height / grid.rows;
    cells.reserve(static_cast<std::size_t>(charts));
    for (int i = 0; i < charts; ++i) {
        const int row = i / grid.columns;
        const int column = i % grid.columns;
        cells.push_back({area.left + column * width, area.top + row * height, width, height});
    }
    return cells;
}

} // namespace qm

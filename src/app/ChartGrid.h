#pragma once
// Where tiling puts the chart windows: a grid of rows and columns over the area below the main
// window, filled row by row, left to right. Vertical tiling prefers columns (charts side by
// side), horizontal tiling rows (charts stacked). Every chart gets a cell on the screen, however
// many are open.

#include "MainWindowPlace.h"

#include <vector>

namespace qm {

enum class TileDirection { Vertical = 1, Horizontal = 2 };

struct GridShape {
    int rows = 0;
    int columns = 0;
    friend bool operator==(const GridShape&, const GridShape&) = default;
};

// The grid for `charts` windows: up to nine as the tiling table has them, ten or more in the
// smallest near-square grid that holds them all (more columns than rows vertically, more rows
// than columns horizontally). No charts, no grid.
GridShape tileGrid(int charts, TileDirection direction);

// The area tiles fill: the main window's width from its left edge, from its bottom edge down
// to the bottom of the work area.
ScreenRect tilingArea(const ScreenRect& mainWindow, int workAreaBottom);

// The cells of the first `charts` places of the grid in `area`, row by row and left to right;
// each cell is the area's width over the columns and its height over the rows, truncated.
std::vector<ScreenRect> tileCells(int charts, TileDirection direction, const ScreenRect& area);

} // namespace qm

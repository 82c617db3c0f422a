#include "DrawState.h"

namespace qm::chart {

void DrawState::mapPane(double min, double max, int position) {
    rangeMin = min;
    rangeMax = max;
    mapping = PaneMapping(min, max, deviceHeight, paneRect(position, height, textH));
    if (const double factor = paneUnitsFactor(position); factor > 0)
        unitsPerPixel = static_cast<double>(deviceHeight) / height * factor;
}

PaneInfo& DrawState::recordPane(int position) {
    PaneInfo info;
    info.kind = kind;
    info.position = position;
    info.rect = paneRect(position, height, textH);
    info.rangeMin = rangeMin;
    info.rangeMax = rangeMax;
    info.tickStep = tickStep;
    info.lowTick = lowTick;
    info.highTick = highTick;
    info.valueScale = mapping.valueScale();
    info.levelCount = levelCount;
    info.levels = levels;
    info.shortfall = shortfall;
    panes.push_back(info);
    return panes.back();
}

} // namespace qm::chart

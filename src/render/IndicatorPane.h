#pragma once
// How an indicator's pane is set up from its kind and its computed values: the value range,
// the reference levels, whether it draws its own scale, the pattern of its values and the
// parameter text of its legend.

#include "indicators/OscObj.h"
#include "market/FormatSettings.h"

#include <array>
#include <cstdint>
#include <string>

namespace qm::chart {

struct IndicatorPane {
    double rangeMin = 0;
    double rangeMax = 0;
    int levelCount = 0;
    std::array<double, 4> levels{};
    std::uint8_t scaleMode = 2; // 2 own scale, 0 the price scale
    std::string valueFormat;
    std::string paramText;
    double tickStep = 0; // the volume pane's tick rounding
    double lowTick = 0;
    double highTick = 0;
};

struct PaneInputs {
    double priceMin = 0; // the price pane's range, for overlays
    double priceMax = 0;
    double priceStep = 0; // tick step of the price scale as drawn
    int firstRow = 0;     // first row with a value on show (first drawn slot + shortfall)
};

IndicatorPane setUpIndicatorPane(const TOscObj& record, const OutputTable& out,
                                 const PaneInputs& in, const FormatSettings& fs);

} // namespace qm::chart

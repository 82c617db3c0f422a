#pragma once
// The fixed facts of the thirty indicator kinds: the texts of the tool bar's and the settings
// editor's lists, the legend name, and the defaults every new object of the kind starts with.
// Kind k is entry k - 1; list index + 1 = kind in both lists.

#include "indicators/OscObj.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace qm {

struct IndicatorInfo {
    std::string_view toolBarText; // item of the tool bar's indicator list
    std::string_view editorText;  // item of the settings editor's list
    std::string_view legendName;  // head of the indicator's legend on a chart
    std::int32_t lineCount;
    std::int32_t paramCount;
    std::array<float, kParamSlots> params;
    std::uint8_t style;
    std::uint8_t priceField;
    std::array<std::int32_t, 4> lineColors; // colour slots 6, 7, 8, 9
    std::int32_t refLineCount;
    std::array<float, kRefLineSlots> refLevels; // 0 where the renderer chooses the levels
};

// Drawing style codes used by the defaults.
constexpr std::uint8_t kStyleLines = 0;
constexpr std::uint8_t kStyleDetrendBars = 2;
constexpr std::uint8_t kStylePoints = 5;
constexpr std::uint8_t kStyleRegressionLines = 6;
constexpr std::uint8_t kStyleBand = 7;
constexpr std::uint8_t kStyleVolumeBars = 9;
constexpr std::uint8_t kStyleSupportResistance = 10;

// Kinds 1..14 are drawn over the prices, the others in a pane of their own.
constexpr bool isOverlayKind(int kind) {
    return kind >= 1 && kind <= 14;
}

std::span<const IndicatorInfo, kIndicatorKinds> indicatorCatalogue();
// The entry of `kind`, or nullptr when it is not an indicator kind.
const IndicatorInfo* catalogueEntry(int kind);

} // namespace qm

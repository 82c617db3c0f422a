#include "EditorParams.h"

#include "indicators/OscObj.h"

#include <charconv>
#include <cmath>

namespace qm {
namespace {

constexpr float kMin = 0.5f;
constexpr float kMax = 250.0f;

constexpr EditorParam box(std::string_view label, std::uint8_t param, float shownPerUnit = 1) {
    return {label, param, shownPerUnit, kMin, kMax, false};
}

constexpr EditorParam kMovingAverages[] = {
    box("1st Mov Avg length", 0), box("2nd Mov Avg length", 1), box("3rd Mov Avg length", 2)};
constexpr EditorParam kRegressionLines[] = {box("1st Regr Line lookback", 0),
                                            box("2nd Regr Line lookback", 1),
                                            box("3rd Regr line lookback", 2)};
constexpr EditorParam kEnvelope[] = {box("Exp Mov Avg length", 0), box("% above Mov Avg", 1, 100),
                                     box("% below Mov Avg", 2, 100)};
constexpr EditorParam kPatterns[] = {box("Stage1 bar count (9 Min)", 0), box("Stage2 bar count", 1),
                                     box("Stage1 bar lookback", 2), box("Stage2 bar lookback", 3)};
constexpr EditorParam kStage1[] = {box("Stage1 bar count (9 Min)", 0),
                                   box("Stage1 bar lookback", 2)};
constexpr EditorParam kSar[] = {box("Acceleration increment", 0, 100)};
constexpr EditorParam kRegression[] = {box("Lookback for 1st line", 0),
                                       box("Lookback for 2nd line", 1),
                                       box("Lookback for 3rd line", 2)};
// The number box of kind 12 is its average's length.
constexpr EditorParam kDeviationBands[] = {{"Mov Avg length", 0, 1, 3, 100, true},
                                           box("Lookback for Std Dev", 1),
                                           box("# Std Dev above Mov Avg", 2),
                                           box("# Std Dev below Mov Avg", 3)};
constexpr EditorParam kChannel[] = {box("Lookback for Hi/Lo", 0)};
constexpr EditorParam kBands[] = {box("Mov Avg length", 0), box("Lookback for Std Dev", 1),
                                  box("# of Std Dev", 2)};
constexpr EditorParam kMacd[] = {box("1st Mov Avg length", 0), box("2nd Mov Avg length", 1),
                                 box("Mov Avg of Diff length", 2)};
constexpr EditorParam kLookback[] = {box("Lookback length", 0)};
constexpr EditorParam kStochastics[] = {box("Lookback length", 0), box("Length for %D smooth", 1)};
constexpr EditorParam kDetrend[] = {box("Arith Mov Avg length", 0)};
constexpr EditorParam kSlope[] = {box("1st Regr Line lookback", 0), box("Lookback for 2nd line", 1),
                                  box("Lookback for 3rd line", 2)};
constexpr EditorParam kRateOfChange[] = {box("Lookback length", 0), box("Smooth length", 1)};

std::string shown(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

} // namespace

EditorParams editorParams(int kind) {
    switch (kind) {
    case 1:
    case 2:
        return {kMovingAverages, true};
    case 3:
        return {kRegressionLines, true};
    case 4:
        return {kEnvelope};
    case 5:
    case 6:
        return {kPatterns};
    case 7:
        return {kStage1};
    case 10:
        return {kSar};
    case 11:
        return {kRegression, true};
    case 12:
        return {kDeviationBands};
    case 13:
        return {kChannel};
    case 14:
    case 15:
        return {kBands};
    case 16:
        return {kMacd};
    case 20:
        return {kMovingAverages};
    case 17:
    case 18:
    case 21:
    case 24:
    case 25:
    case 27:
        return {kLookback};
    case 19:
        return {kStochastics};
    case 22:
        return {kDetrend};
    case 23:
        return {kSlope, true};
    case 26:
        return {kRateOfChange};
    default: // 8, 9, 28, 29, 30 have nothing to set
        return {};
    }
}

std::optional<std::string> checkShownParams(int kind, std::span<const float> values) {
    const EditorParams params = editorParams(kind);
    if (values.size() > params.boxes.size()) {
        if (params.boxes.empty()) return std::string("the indicator has no parameters");
        std::string names;
        for (const EditorParam& b : params.boxes)
            names += (names.empty() ? "" : ", ") + std::string(b.label);
        const std::size_t n = params.boxes.size();
        return "the indicator takes at most " + std::to_string(n) +
               (n == 1 ? " parameter: " : " parameters: ") + names;
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        const EditorParam& b = params.boxes[i];
        const float v = values[i];
        if (!(v >= b.minimum && v <= b.maximum) || (b.whole && v != std::trunc(v)))
            return std::string(b.label) + " must be " + (b.whole ? "a whole number " : "") +
                   shown(b.minimum) + " to " + shown(b.maximum) + ", not " + shown(v);
    }
    return std::nullopt;
}

void setShownParams(TOscObj& record, std::span<const float> values) {
    const EditorParams params = editorParams(record.Kind);
    for (std::size_t i = 0; i < values.size() && i < params.boxes.size(); ++i) {
        const EditorParam& b = params.boxes[i];
        record.Params[b.param] = values[i] / b.shownPerUnit;
    }
    if (params.linePerBox && !values.empty()) record.SetLineCount(static_cast<int>(values.size()));
}

} // namespace qm

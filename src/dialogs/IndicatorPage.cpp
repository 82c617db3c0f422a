#include "IndicatorPage.h"

#include "EditorMessages.h"
#include "indicators/OscObj.h"

#include <algorithm>

namespace qm::editor {
namespace {

namespace em = editor_messages;

// The pattern kinds and their support line carry a hint on each box that has one of its own;
// the other kinds' boxes ask for an integer (box 0) or a value.
std::string_view boxHint(int kind, int box, const ParamBox& layout) {
    if (!layout.hint.empty()) return layout.hint;
    if (kind >= 5 && kind <= 7) return em::kSetValueHint;
    return box == 0 ? em::kIntegerHint : em::kValueHint;
}

float& param(TOscObj& record, int index) {
    return record.Params[static_cast<std::size_t>(index)];
}

int lineCount(const TOscObj& record) {
    return std::clamp(record.LineCount, 1, 3);
}

} // namespace

void prepareForShowing(TOscObj& record, int kind) {
    if (!hasLineLengths(kind)) return;
    for (int k = 1; k <= 2; ++k)
        if (param(record, k) == 0) param(record, k) = param(record, k - 1) + 30;
}

IndicatorView indicatorView(const TOscObj& record, int kind) {
    const KindLayout& layout = kindLayout(kind);
    IndicatorView view;

    switch (layout.number) {
    case NumberBox::Hidden:
        break;
    case NumberBox::LineCount:
        view.number = {true, em::kLineCountLabel, lineCount(record), 1, 3, 1};
        break;
    case NumberBox::AverageLength:
        view.number = {true,
                       em::kAverageLengthLabel,
                       std::clamp(static_cast<int>(record.Params[0]), 3, 100),
                       3,
                       100,
                       3};
        break;
    }

    // Only the kinds with a length per line leave boxes and colours of unused lines out.
    const int lines = hasLineLengths(kind) ? lineCount(record) : 4;
    for (std::size_t b = 0; b < view.boxes.size(); ++b) {
        const ParamBox& box = layout.boxes[b];
        if (!box.shown()) continue;
        const double stored = record.Params[static_cast<std::size_t>(box.param)];
        view.boxes[b] = {true,        static_cast<int>(b) < lines,
                         box.label,   boxHint(kind, static_cast<int>(b), box),
                         box.pattern, box.percent ? stored * 100 : stored,
                         box.step};
    }

    for (std::size_t c = 0; c < view.colours.size(); ++c) {
        const ColourButton& button = layout.colours[c];
        if (!button.shown() || static_cast<int>(c) >= lines) continue;
        view.colours[c] = {true, button.label,
                           record.Colors[static_cast<std::size_t>(button.slot)]};
    }

    view.price = layout.price;
    if (layout.price == PriceChoice::HighLowClose) {
        for (std::size_t r = 0; r < 3; ++r)
            view.radios[r] = {true, record.PriceField == r, em::kPriceRadios[r],
                              em::kPriceRadioHints[r]};
    } else if (layout.price == PriceChoice::Stage2Compare) {
        for (std::size_t r = 0; r < 2; ++r)
            view.radios[r] = {true, record.PriceField == r, em::kStage2Radios[r],
                              em::kStage2RadioHint};
    }

    if (layout.checks != StageChecks::None) {
        view.checks[0] = {true, record.RelaxLastStage2, em::kRelaxed, em::kRelaxedHint};
        view.checks[1] = {true, record.ResetStage2OnStage1, em::kRecycle, em::kRecycleHint};
    }
    if (layout.checks == StageChecks::All)
        view.checks[2] = {true, record.AggressiveStage2, em::kAggressive, em::kAggressiveHint};
    return view;
}

void setNumber(TOscObj& record, int kind, int value) {
    switch (kindLayout(kind).number) {
    case NumberBox::Hidden:
        break;
    case NumberBox::LineCount:
        record.SetLineCount(value);
        break;
    case NumberBox::AverageLength:
        record.Params[0] = static_cast<float>(std::clamp(value, 3, 100));
        break;
    }
}

void setParam(TOscObj& record, int kind, int box, double value) {
    if (box < 0 || box > 3) return;
    const ParamBox& layout = kindLayout(kind).boxes[static_cast<std::size_t>(box)];
    if (!layout.shown()) return;
    param(record, layout.param) = static_cast<float>(layout.percent ? value / 100 : value);
}

void setPriceChoice(TOscObj& record, int kind, int tag) {
    const PriceChoice choice = kindLayout(kind).price;
    const int choices = choice == PriceChoice::HighLowClose    ? 3
                        : choice == PriceChoice::Stage2Compare ? 2
                                                               : 0;
    if (tag >= 0 && tag < choices) record.PriceField = static_cast<std::uint8_t>(tag);
}

void setStageCheck(TOscObj& record, int kind, StageCheck check, bool checked) {
    const StageChecks shown = kindLayout(kind).checks;
    if (shown == StageChecks::None) return;
    switch (check) {
    case StageCheck::Relax:
        record.RelaxLastStage2 = checked;
        if (checked) record.AggressiveStage2 = false;
        break;
    case StageCheck::Reset:
        record.ResetStage2OnStage1 = checked;
        break;
    case StageCheck::Aggressive:
        if (shown != StageChecks::All) return;
        record.AggressiveStage2 = checked;
        if (checked) record.RelaxLastStage2 = false;
        break;
    }
}

void setColour(TOscObj& record, int button, std::int32_t colour) {
    switch (button) {
    case 0:
        record.Colors[6] = colour;
        record.Colors[9] = colour;
        break;
    case 1:
        record.Colors[7] = colour;
        break;
    case 2:
        record.Colors[8] = colour;
        break;
    default:
        break;
    }
}

} // namespace qm::editor

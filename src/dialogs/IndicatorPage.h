#pragma once
// The settings editor's Indicator page without its widgets: what each control shows for one
// indicator record, and what each control's change does to the record. The dialog shows the
// view and hands every change here; nothing else touches the record.

#include "EditorLayout.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace qm {

class TOscObj;

namespace editor {

// The parameter boxes all take values from 0.5 to 250, typed in at most six characters.
inline constexpr double kBoxMin = 0.5;
inline constexpr double kBoxMax = 250;
inline constexpr int kBoxMaxLength = 6;

struct NumberView {
    bool shown = false;
    std::string_view label;
    int value = 1;
    int min = 1;
    int max = 3;
    int maxLength = 1;
};

struct BoxView {
    bool shown = false;
    bool enabled = true;
    std::string_view label;
    std::string_view hint;
    std::string_view pattern; // empty: the general pattern
    double value = 0;
    double step = 1;
};

struct ColourView {
    bool shown = false;
    std::string_view label;
    std::int32_t colour = 0;
};

struct ChoiceView {
    bool shown = false;
    bool checked = false;
    std::string_view text;
    std::string_view hint;
};

struct IndicatorView {
    NumberView number;
    std::array<BoxView, 4> boxes;
    std::array<ColourView, 3> colours;
    PriceChoice price = PriceChoice::Hidden;
    std::array<ChoiceView, 3> radios;
    std::array<ChoiceView, 3> checks; // relax, reset, aggressive
};

// Showing a kind whose lines have lengths of their own gives a second or third line that has
// none the previous line's length plus 30.
void prepareForShowing(TOscObj& record, int kind);

IndicatorView indicatorView(const TOscObj& record, int kind);

// The number box changed: the number of lines, or kind 12's average length.
void setNumber(TOscObj& record, int kind, int value);
// Parameter box `box` (0 to 3) changed to `value` as shown; a hidden box changes nothing.
void setParam(TOscObj& record, int kind, int box, double value);
// Radio button `tag` (0 to 2) was checked.
void setPriceChoice(TOscObj& record, int kind, int tag);

enum class StageCheck { Relax, Reset, Aggressive };
// A Stage2 check box was clicked. Relaxing the last bar and aggressive comparisons exclude each
// other: checking one clears the other.
void setStageCheck(TOscObj& record, int kind, StageCheck check, bool checked);

// Colour button `button` (0 to 2) chose `colour`; button 0 sets the line and band colours
// together.
void setColour(TOscObj& record, int button, std::int32_t colour);

} // namespace editor
} // namespace qm

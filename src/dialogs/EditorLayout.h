#pragma once
// What the settings editor's Indicator page shows for each indicator kind: the number box, the
// four parameter boxes, the three colour buttons, the radio buttons and the pattern check
// boxes. One row per kind, so the page is the same code for every kind and a kind's page is
// read off its row.

#include <array>
#include <cstdint>
#include <string_view>

namespace qm::editor {

// What the number box above the parameter boxes stands for.
enum class NumberBox : std::uint8_t {
    Hidden,
    LineCount,     // "Number of Lines:", 1 to 3: how many lines the kind draws
    AverageLength, // "Mov Avg length:", 3 to 100: the length that the kind's first parameter holds
};

// What the three radio buttons choose.
enum class PriceChoice : std::uint8_t {
    Hidden,
    HighLowClose,  // the price the indicator reads: high, low or close
    Stage2Compare, // the pattern kinds' Stage2 comparison: "<=>" or strict "<>"
};

// Which of the three Stage2 check boxes the kind shows (relax, reset, aggressive).
enum class StageChecks : std::uint8_t { None, RelaxReset, All };

struct ParamBox {
    std::string_view label; // empty: the box is hidden
    int param = 0;          // the index into Params the box edits
    bool percent = false;   // shown as the stored value times 100
    double step = 1;
    std::string_view hint;    // empty: the page's general hint for the box
    std::string_view pattern; // number pattern of the box's text; empty: the general one
    bool shown() const { return !label.empty(); }
};

struct ColourButton {
    std::string_view label; // empty: the button is hidden
    int slot = 6;           // the colour slot shown; button 0 sets slots 6 and 9 together
    bool shown() const { return !label.empty(); }
};

struct KindLayout {
    NumberBox number = NumberBox::Hidden;
    std::array<ParamBox, 4> boxes{};
    std::array<ColourButton, 3> colours{};
    PriceChoice price = PriceChoice::Hidden;
    StageChecks checks = StageChecks::None;
};

// The row of `kind` (1 to 30); kinds outside that range show nothing.
const KindLayout& kindLayout(int kind);

// Kinds whose every line has a length of its own: the number box counts their lines, and boxes
// 1 and 2 belong to lines 2 and 3.
constexpr bool hasLineLengths(int kind) {
    return kind == 1 || kind == 2 || kind == 3 || kind == 11 || kind == 23;
}

} // namespace qm::editor

#include "EditorLayout.h"

namespace qm::editor {
namespace {

constexpr ParamBox box(std::string_view label, int param, std::string_view hint = {}) {
    return {label, param, false, 1, hint, {}};
}
constexpr ParamBox tenths(std::string_view label, int param) {
    return {label, param, false, 0.1, {}, {}};
}
constexpr ParamBox percent(std::string_view label, int param, double step,
                           std::string_view pattern = {}) {
    return {label, param, true, step, {}, pattern};
}

constexpr ColourButton line(std::string_view label) {
    return {label, 6};
}
constexpr ColourButton band(std::string_view label) {
    return {label, 9};
}
constexpr ColourButton second(std::string_view label) {
    return {label, 7};
}
constexpr ColourButton third(std::string_view label) {
    return {label, 8};
}

constexpr KindLayout threeLines(std::string_view first, std::string_view second_,
                                std::string_view third_) {
    return {NumberBox::LineCount,
            {box(first, 0), box(second_, 1), box(third_, 2), {}},
            {line("1st line color:"), second("2nd line color:"), third("3rd line color:")},
            PriceChoice::HighLowClose,
            StageChecks::None};
}

constexpr KindLayout pattern(StageChecks checks) {
    return {NumberBox::Hidden,
            {box("Stage1 bar count (9 Min):", 0, "Try 9, 10, 11 or 12"),
             box("Stage2 bar count:", 1), box("Stage1 bar lookback:", 2, "Try a 3, 4 or 5"),
             box("Stage2 bar lookback:", 3, "Try a 1, 2, 3 or 4")},
            {line("Stage1 bar color:"), second("Stage2 Buy color:"), third("Stage2 Sell color:")},
            PriceChoice::Stage2Compare,
            checks};
}

constexpr KindLayout oneLength(std::string_view label, std::string_view colour,
                               PriceChoice price = PriceChoice::Hidden) {
    return {NumberBox::Hidden, {box(label, 0), {}, {}, {}}, {line(colour), {}, {}}, price, {}};
}

constexpr KindLayout colorsOnly(ColourButton first, ColourButton second_ = {}) {
    return {NumberBox::Hidden, {}, {first, second_, {}}, PriceChoice::Hidden, {}};
}

constexpr KindLayout kNothing{};

constexpr std::array<KindLayout, 30> kLayouts = {{
    // 1, 2, 3: moving averages and the moving regression line.
    threeLines("1st Mov Avg length:", "2nd Mov Avg length:", "3rd Mov Avg length:"),
    threeLines("1st Mov Avg length:", "2nd Mov Avg length:", "3rd Mov Avg length:"),
    threeLines("1st Regr Line lookback:", "2nd Regr Line lookback:", "3rd Regr line lookback:"),
    // 4: the envelope, its distances in percent.
    {NumberBox::Hidden,
     {box("Exp Mov Avg length:", 0),
      percent("% above Mov Avg:", 1, 0.1),
      percent("% below Mov Avg:", 2, 0.1),
      {}},
     {band("Band color:"), {}, {}},
     PriceChoice::HighLowClose,
     {}},
    // 5, 6: the two patterns.
    pattern(StageChecks::All),
    pattern(StageChecks::RelaxReset),
    // 7: Stage1 support and resistance.
    {NumberBox::Hidden,
     {box("Stage1 bar count (9 Min):", 0, "Use same value as Stage1 & Stage2"),
      {},
      box("Stage1 bar lookback:", 2, "Try a 3, 4 or 5"),
      {}},
     {line("Support line color:"), second("Resistance line color:"), {}},
     PriceChoice::Hidden,
     {}},
    // 8, 9: support and resistance steps, the swing line.
    colorsOnly(line("Support line color:"), second("Resistance line color:")),
    colorsOnly(line("Swing line color:")),
    // 10: the parabolic stop, its acceleration in percent.
    {NumberBox::Hidden,
     {percent("Acceleration increment:", 0, 0.01, "0.##0"), {}, {}, {}},
     {line("SAR point color:"), {}, {}},
     PriceChoice::Hidden,
     {}},
    // 11: regression lines.
    threeLines("Lookback for 1st line:", "Lookback for 2nd line:", "Lookback for 3rd line:"),
    // 12: standard deviation bands; the number box holds the average's length, so the boxes
    // edit the parameters after it.
    {NumberBox::AverageLength,
     {box("Lookback for Std Dev:", 1),
      tenths("# Std Dev above Mov Avg:", 2),
      tenths("# Std Dev below Mov Avg:", 3),
      {}},
     {band("Band color:"), {}, {}},
     PriceChoice::HighLowClose,
     {}},
    // 13, 14: the breakout channel and Bollinger bands.
    {NumberBox::Hidden,
     {box("Lookback for Hi/Lo:", 0), {}, {}, {}},
     {band("Band color:"), {}, {}},
     PriceChoice::Hidden,
     {}},
    {NumberBox::Hidden,
     {box("Mov Avg length:", 0), box("Lookback for Std Dev:", 1), box("# of Std Dev:", 2), {}},
     {band("Band color:"), {}, {}},
     PriceChoice::Hidden,
     {}},
    // 15: the band width.
    {NumberBox::Hidden,
     {box("Mov Avg length:", 0), box("Lookback for Std Dev:", 1), box("# of Std Dev:", 2), {}},
     {line("Line color:"), {}, {}},
     PriceChoice::Hidden,
     {}},
    // 16: MACD.
    {NumberBox::Hidden,
     {box("1st Mov Avg length:", 0),
      box("2nd Mov Avg length:", 1),
      box("Mov Avg of Diff length:", 2),
      {}},
     {line("1st line color:"), second("2nd line color:"), {}},
     PriceChoice::Hidden,
     {}},
    // 17, 18: the two RSIs.
    oneLength("Lookback length:", "Line color:"),
    oneLength("Lookback length:", "Line color:"),
    // 19: stochastics.
    {NumberBox::Hidden,
     {box("Lookback length:", 0), box("Length for %D smooth:", 1), {}, {}},
     {line("%K line color:"), second("%D line color:"), {}},
     PriceChoice::Hidden,
     {}},
    // 20: TRIX.
    {NumberBox::Hidden,
     {box("1st Mov Avg length:", 0),
      box("2nd Mov Avg length:", 1),
      box("3rd Mov Avg length:", 2),
      {}},
     {line("Line color:"), {}, {}},
     PriceChoice::Hidden,
     {}},
    // 21, 22: volatility and the detrended average.
    oneLength("Lookback length:", "Line color:", PriceChoice::HighLowClose),
    oneLength("Arith Mov Avg length:", "Line color:", PriceChoice::HighLowClose),
    // 23: the regression slope.
    threeLines("1st Regr Line lookback:", "Lookback for 2nd line:", "Lookback for 3rd line:"),
    // 24, 25: Williams %R and CCI.
    oneLength("Lookback length:", "Line color:"),
    oneLength("Lookback length:", "Line color:"),
    // 26: rate of change.
    {NumberBox::Hidden,
     {box("Lookback length:", 0), box("Smooth length:", 1), {}, {}},
     {line("Line color:"), {}, {}},
     PriceChoice::Hidden,
     {}},
    // 27: ADX.
    {NumberBox::Hidden,
     {box("Lookback length:", 0), {}, {}, {}},
     {line("ADX line color:"), second("+D line color:"), third("-D line color:")},
     PriceChoice::Hidden,
     {}},
    // 28, 29, 30: accumulation, intraday intensity and volume.
    colorsOnly(line("Line color:")),
    colorsOnly(line("Line color:")),
    colorsOnly(line("Up Vol color:"), second("Dn Vol color:")),
}};

} // namespace

const KindLayout& kindLayout(int kind) {
    if (kind < 1 || kind > static_cast<int>(kLayouts.size())) return kNothing;
    return kLayouts[static_cast<std::size_t>(kind - 1)];
}

} // namespace qm::editor

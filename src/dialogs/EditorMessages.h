#pragma once
// Every text of the chart and indicator settings editor: captions, items, hints and messages.
// The Indicator page's labels are in its layout table (EditorLayout.cpp).

#include <array>
#include <string_view>

namespace qm::editor_messages {

inline constexpr std::string_view kCaption = "Chart and indicator settings editor";

inline constexpr std::string_view kPagesHint = "Change indicator settings/values";

// The Chart Type page.
inline constexpr std::string_view kChartTypePage = "Chart Type";
inline constexpr std::string_view kChartTypePageHint = "Select type of Chart";
inline constexpr std::string_view kChartTypeGroup = " Price Chart Type ";
inline constexpr std::array<std::string_view, 5> kChartTypes = {"Line", "HL Bar", "HLC Bar",
                                                                "OHLC Bar", "Candle"};

// The Indicator page.
inline constexpr std::string_view kIndicatorPage = "Indicator";
inline constexpr std::string_view kIndicatorPageHint = "Set values for selected Indicator";
inline constexpr std::string_view kSelectIndicator = "Select Indicator to edit ...";
inline constexpr std::string_view kIndicatorListHint = "Pick an indicator";
inline constexpr std::string_view kLineCountLabel = "Number of Lines:";
inline constexpr std::string_view kAverageLengthLabel = "Mov Avg length:";
inline constexpr std::string_view kIntegerHint = "Enter an integer value";
inline constexpr std::string_view kValueHint = "Enter a value";
inline constexpr std::string_view kSetValueHint = "Set a value";
inline constexpr std::string_view kColourHint = "Pick a color";
inline constexpr std::string_view kMoreColours = "&More ...";
inline constexpr std::array<std::string_view, 3> kPriceRadios = {"Use Hi", "Use Lo", "Use Cls"};
inline constexpr std::array<std::string_view, 3> kPriceRadioHints = {
    "Calculate using Hi", "Calculate using Lo", "Calculate using Close"};
inline constexpr std::array<std::string_view, 2> kStage2Radios = {"Use <=>", "Use <>"};
inline constexpr std::string_view kStage2RadioHint = "Stage2 Count compare";
inline constexpr std::string_view kRelaxed = "Relax comparison for last Stage2 bar";
inline constexpr std::string_view kRelaxedHint = "Relax comparison for final Stage2 bar";
inline constexpr std::string_view kRecycle = "Reset Stage2 if new Stage1 occurs";
inline constexpr std::string_view kRecycleHint =
    "Unchecked means continue Stage2 count thru to completion \r\nregardless of new Stage1 in "
    "same direction as prior Stage1.";
inline constexpr std::string_view kAggressive = "Use aggressive Stage2 comparisons";
inline constexpr std::string_view kAggressiveHint =
    "Aggressive Stage2 means:\r\nFor a Top, compare current Hi with Hi two bars earlier.\r\nFor "
    "a Bottom, compare current Lo with Lo two bars earlier.";

// The Chart Colors page.
inline constexpr std::string_view kColoursPage = "Chart Colors";
inline constexpr std::string_view kColoursPageHint = "Set appearance of Chart";
inline constexpr std::string_view kElementGroup = " Chart Element ";
inline constexpr std::array<std::string_view, 3> kElements = {"Background", "Price bars",
                                                              "Scale text"};
inline constexpr std::string_view kFontSizeLabel = "Scale text font size:";
inline constexpr std::string_view kShowValues = "Show indicator value(s) on scale";
inline constexpr std::string_view kShowValuesHint =
    "Show indicator values on right side scale line";
inline constexpr std::string_view kShowParams = "Show indicator parameter(s)";
inline constexpr std::string_view kPreviewHint = "This is what your chart will look like";

// The symbol and the buttons under the pages.
inline constexpr std::string_view kSymbolLabel = "Settings for symbol ...";
inline constexpr std::string_view kSymbolListHint =
    "Hit Delete key to remove symbol from list.\r\nTo preserve changes before selecting a new "
    "Symbol, hit the Save button.";
inline constexpr std::string_view kSaveAs = "Save &As...";
inline constexpr std::string_view kSaveAsHint =
    "Apply and Save settings for symbol/ticker selected";
inline constexpr std::string_view kFactory = "&Factory Settings";
inline constexpr std::string_view kFactoryHint = "Restore all to factory default settings";
inline constexpr std::string_view kSave = "&Save";
inline constexpr std::string_view kSaveHint = "Save the changes I've made";
inline constexpr std::string_view kDone = "&Done";
inline constexpr std::string_view kDoneHint =
    "We're done. Hit Save if you wish to Save any changes.";

inline constexpr std::string_view kSaveAsTitle =
    "Assign settings to the symbol/ticker file you select";

// Messages.
inline constexpr std::string_view kKeepDefaults = "Don't delete this one: Defaults";
// Asked before a symbol's settings file is deleted; followed by the symbol and "?".
inline constexpr std::string_view kConfirmDelete = "Delete the settings of ";
// Followed by the file and the system's reason.
inline constexpr std::string_view kCannotDelete = "Cannot delete ";

} // namespace qm::editor_messages

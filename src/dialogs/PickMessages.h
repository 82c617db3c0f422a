#pragma once
// The texts of the data pick dialog and the symbol list dialog: captions, control texts, hints
// and messages, each in one place.

#include <string_view>

namespace qm::pick_messages {

// The data pick dialog.
inline constexpr std::string_view kDataCaption = "Pick symbol or file to chart";
inline constexpr std::string_view kFileMask = "*.csv";
inline constexpr std::string_view kFileListHint = "Select a symbol/file to chart";
inline constexpr std::string_view kFileListLabel = "Pick a symbol/file to chart ...";
inline constexpr std::string_view kEditHint = "Drag to Favorite File List if desired";
inline constexpr std::string_view kEditLabel = "Draw Chart of this one  ...";
inline constexpr std::string_view kDataFolderButton = "Data &Folder";
inline constexpr std::string_view kDataFolderHint =
    "Pick the Folder where your Symbol/Ticker files are located.";
inline constexpr std::string_view kDataFolderTitle =
    "Select the folder with symbol/ticker file you want to chart";
inline constexpr std::string_view kIntervalGroup = " Interval ";
inline constexpr std::string_view kIntervals[] = {"Daily", "Weekly", "Monthly"};
inline constexpr std::string_view kChartOptionGroup = " Chart Options ";
inline constexpr std::string_view kChartOptions[] = {
    "Price chart only", "Price chart + saved indicators", "Relative strength chart"};
inline constexpr std::string_view kChartOptionHint = "Gimme one of these charts";
inline constexpr std::string_view kFavouritesGroup = " Symbol/Ticker File List ";
inline constexpr std::string_view kFavouritesHint = "Drop your favorite files here";
inline constexpr std::string_view kUseFavourites = "Use favorites list above";
inline constexpr std::string_view kUseFavouritesHint = "Draw charts of files in this list";
inline constexpr std::string_view kUseSignals = "Use Zorvik search list above";
inline constexpr std::string_view kUseSignalsHint = "Load the list of recent signals from Zorvik";
inline constexpr std::string_view kRatioGroup = " Set Rel Strength Symbols/Files  ";
inline constexpr std::string_view kRatioHint = "Pick symbols/files from market data list.";
inline constexpr std::string_view kRatioFirstLabel = "1st Symbol/File";
inline constexpr std::string_view kRatioDividedBy = "Divided by";
inline constexpr std::string_view kRatioSecondLabel = "2nd Symbol/File";
inline constexpr std::string_view kRatioFirstButton = "File 1";
inline constexpr std::string_view kRatioSecondButton = "File 2";
inline constexpr std::string_view kRatioFirstHint = "Set 1st ratio symbol/file (Numerator)";
inline constexpr std::string_view kRatioSecondHint = "Set 2nd ratio symbol/file (Denominator)";
inline constexpr std::string_view kDrawChart = "&Draw Chart";
inline constexpr std::string_view kDrawChartHint = "Go ahead and draw chart.";
inline constexpr std::string_view kCancel = "&Cancel";
inline constexpr std::string_view kCancelHint = "Quit";

// The symbol list dialog.
inline constexpr std::string_view kSymbolsCaption = "Symbol/ticker list";
inline constexpr std::string_view kSymbolsFolderLabel =
    "List of ticker data files in folders under ...";
inline constexpr std::string_view kSymbolsHint =
    "Type a letter or scroll the list.\r\nCheck the symbol/ticker(s) to be charted.\r\nRight "
    "click to delete selected symbol/ticker file.";
inline constexpr std::string_view kSymbolsDrawHint = "Open chart(s) for checked symbols/tickers.";
inline constexpr std::string_view kSymbolsFolderHint =
    "Select a folder/directory with symbol/ticker files.";
inline constexpr std::string_view kSymbolsFolderTitle =
    "Select a folder with your symbol/ticker files";
inline constexpr std::string_view kNothingTicked = "You need check one or more items";
// Followed by the full path of the file to delete.
inline constexpr std::string_view kDeleteSymbolFile = "Delete data for symbol/ticker \r\n";
// Followed by the path and the system's reason, when a file could not be deleted.
inline constexpr std::string_view kCannotDelete = "Cannot delete ";

} // namespace qm::pick_messages

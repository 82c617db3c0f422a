#pragma once
// Every text the download dialog shows, and the names of its files and settings.

#include <array>
#include <string_view>

namespace qm::downloader {

inline constexpr std::string_view kCaption = "Updater + Downloader";

// Per quote service, in the order of the Data Source list.
inline constexpr std::array<std::string_view, 5> kTickerFiles = {
    "YAHOOtickers.txt", "GOOGLEtickers.txt", "OTCtickers.txt", "QUOTEMEDIAtickers.txt",
    "NASDAQtickers.txt"};
inline constexpr std::array<std::string_view, 5> kUpdateListFiles = {
    "YahooUpDate.txt", "GoogleUpDate.txt", "OtcUpDate.txt", "QMediaUpDate.txt", "NasdaqUpDate.txt"};

// The configuration group of the dialog's settings and the services' addresses, and the
// dialog's keys in it.
inline constexpr std::string_view kSettingsGroup = "XFers";
inline constexpr std::string_view kServerId = "Server ID";
inline constexpr std::string_view kAddSymbolName = "AddSymbolName";
inline constexpr std::string_view kTickerDir = "TickerDir";
inline constexpr std::array<std::string_view, 5> kDataDirKeys = {
    "YahooDataDir", "GoogleDataDir", "OTC_MarketDataDir", "QuoteMediaDataDir", "NasdaqDataDir"};

// Labels, buttons and check boxes.
inline constexpr std::string_view kSavingTo = "Saving to ...";
inline constexpr std::string_view kUpdatingIn = "Updating Symbols/tickers in ...";
inline constexpr std::string_view kSaveWhere = "Save it where?";
inline constexpr std::string_view kSaveTo = "&Save To";
inline constexpr std::string_view kUpdateIn = "&Update In";
inline constexpr std::string_view kSymbolLabel = "Symbol/Ticker";
inline constexpr std::string_view kStartDateLabel = "Start Date";
inline constexpr std::string_view kDownloadList = "Download List";
inline constexpr std::string_view kDownloadListCount = "Download List - ";
inline constexpr std::string_view kDataSource = "Data Source";
inline constexpr std::string_view kActiveAtOpening = "Active Sources:  ";
inline constexpr std::string_view kActiveAtStart = "Active Sources: ";
inline constexpr std::string_view kActiveAtEnd = "Active Sources = ";
inline constexpr std::string_view kAddSymbolNameBox = "Add Symbol Name";
inline constexpr std::string_view kAddNewSymbolsBox = "Add New Symbols";
inline constexpr std::string_view kUpdateBox = "Update";
inline constexpr std::string_view kGetData = "&Get Data";
inline constexpr std::string_view kDone = "&Done";
inline constexpr std::string_view kWait = "Wait...";
inline constexpr std::string_view kDoneAgain = "Done";
inline constexpr std::string_view kCheckAll = "&Check All";
inline constexpr std::string_view kUncheckAll = "&Uncheck All";
inline constexpr std::string_view kCopyAll = "Copy &All";
inline constexpr std::string_view kPaste = "&Paste";
inline constexpr std::string_view kDeleteAll = "&Delete All";

// Hints.
inline constexpr std::string_view kHintIdle = "Press F1 key for Help";
inline constexpr std::string_view kHintRunning = "Press and hold ESC key to Abort download";
inline constexpr std::string_view kHintSaveDir = "Your data will be saved here";
inline constexpr std::string_view kHintSaveTo = "Pick folder where received data will be saved";
inline constexpr std::string_view kHintSymbol =
    "Type symbol/ticker then hit Enter key to add to Download List..";
inline constexpr std::string_view kHintStartDate = "Min=10 days   Max=6 years";
inline constexpr std::string_view kHintList =
    "Right click for Menu. You may copy + paste here your tickers/symbols list or drag + drop "
    "text file listing your desired tickers/symbols.";
inline constexpr std::string_view kHintSource = "Pick a data source";
inline constexpr std::string_view kHintAddName =
    "Add the Symbol Name for the Ticker/Symbol to the file name. You do not need to check this "
    "if updating your data.";
inline constexpr std::string_view kHintAddSymbols =
    "Type, drag/drop or copy/paste new symbols/tickers in the Download List, \nthen hit Get Data "
    "button.";
inline constexpr std::string_view kHintGetData = "Fetch the data from selected Data Source";
inline constexpr std::string_view kHintDone = "Quit or press and hold ESC key to abort download.";

// Questions and messages.
inline constexpr std::string_view kFolderTitle =
    "Select folder where you want data Saved or Updated";
inline constexpr std::string_view kPressEscape = "Press and hold the ESC key to abort download.";
inline constexpr std::string_view kStillWorking =
    "Still working. Please wait or press ESC key to abort!";
// Followed by the list file and the system's reason: the transfer is not started.
inline constexpr std::string_view kCannotSaveList = "Cannot save the Download List to ";

} // namespace qm::downloader

#pragma once
// Every text the application shell shows: captions, titles and messages.

#include <array>
#include <string_view>

namespace qm::app_messages {

// The program's name in message boxes and the desktop's task list.
inline constexpr std::string_view kApplicationTitle = "Quillmar 7.0";
// The main window's caption.
inline constexpr std::string_view kMainCaption = "Quillmar v7.0";

inline constexpr std::string_view kAlreadyRunning =
    "A reminder ... an instance of Quillmar7 is already running!";

// Followed by the folder that could not be made.
inline constexpr std::string_view kCannotCreate = "Cannot create ";

// The configuration's source file type is not a number: "'x' is not a valid integer value".
inline constexpr std::string_view kNotAnIntegerTail = "' is not a valid integer value";

// The symbol box found no file: "Can't find " + symbol + ". Fetch it now?" and a hint.
inline constexpr std::string_view kCannotFindHead = "Can't find ";
inline constexpr std::string_view kCannotFindTail = ". Fetch it now?\r\n(Look at Xfer now setting)";

// Printing, copying, saving and zooming without a selected chart.
inline constexpr std::string_view kOpenOrSelectChart = "Open or select a chart then retry";
// The print job's name: followed by the chart's title.
inline constexpr std::string_view kPrintJobHead = "Chart of ";

// Saving a chart's picture.
inline constexpr std::string_view kSaveImageTitle = "Save Chart as Bitmap, GIF or JPEG Image File";
inline constexpr std::string_view kGifFilter = "Gif87a Image (*.gif)";
inline constexpr std::string_view kBmpFilter = "Bitmap Image (*.bmp)";
inline constexpr std::string_view kJpegFilter = "Jpeg Image (*.jpg)";
// Followed by the file's name.
inline constexpr std::string_view kImageSavedAs = "Chart image saved as ...\n\r";
// Followed by the file's name, a line break and the reason.
inline constexpr std::string_view kImageNotSaved = "The chart image could not be saved as ";
// The chosen type's extension made the name of another file that exists: followed by its name.
inline constexpr std::string_view kReplaceImageHead = "Replace the existing file\n\r";
inline constexpr std::string_view kReplaceImageTail = " ?";

// A chart command that needs the selected chart, without one.
inline constexpr std::string_view kClickOnAChart = "Please click on a Chart then retry";

// Chart groups.
inline constexpr std::string_view kSaveGroupTitle = "Save Open Charts as a Chart Group";
inline constexpr std::string_view kLoadGroupTitle = "Load a Chart Group";
inline constexpr std::string_view kGroupFilter = "Group (*.grp)";
inline constexpr std::string_view kGroupSuffix = "grp";
// A saved chart whose data is gone: head + symbol + middle + the folder searched.
inline constexpr std::string_view kGroupDataMissingHead = "Can't find data for ";
inline constexpr std::string_view kGroupDataMissingMiddle = "\n\rin ";

// The quick download of a symbol.
inline constexpr std::string_view kSelectSource =
    "Please select a data download source.\r\nRight click the input box.";
// "Getting " + symbol + " from Yahoo" while it runs; the services as that text names them.
inline constexpr std::string_view kGetting = "Getting ";
inline constexpr std::array<std::string_view, 5> kFromService = {
    " from Yahoo", " from Google", " from Otc", " from QMedia", " from Nasdaq"};
// Followed by the symbol.
inline constexpr std::string_view kNoDataFor = "No data for ";

} // namespace qm::app_messages

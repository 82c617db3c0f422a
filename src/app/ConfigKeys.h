#pragma once
// The groups and keys of the configuration file.

#include <array>
#include <string_view>

namespace qm::config_keys {

inline constexpr std::string_view kWinDims = "WinDims";
inline constexpr std::string_view kLeft = "Left";
inline constexpr std::string_view kTop = "Top";
inline constexpr std::string_view kWidth = "Width";

inline constexpr std::string_view kOptions = "Options";
inline constexpr std::string_view kShowIndOnScale = "ShoIndOnScale";
inline constexpr std::string_view kShowParamsOnChart = "ShoParmsOnChart";
inline constexpr std::string_view kChartBarSpacing = "ChartBarSpacing";
inline constexpr std::string_view kXferNowSource = "XferNowSource";
inline constexpr std::string_view kXferNowNewData = "XferNowNewData";

inline constexpr std::string_view kDirs = "Dirs";
inline constexpr std::string_view kDataDir = "AsciiDataDir";
// The download folders, in the order of the quote services.
inline constexpr std::array<std::string_view, 5> kDownloadDirs = {
    "YAHOO_DATA", "GOOGLE_DATA", "OTC_DATA", "QMEDIA_DATA", "NASDAQ_DATA"};
inline constexpr std::string_view kGroupDir = "GroupDir";
inline constexpr std::string_view kImageDir = "ImageDir";
inline constexpr std::string_view kSourceFileType = "SourceFileType";

// The download dialog's settings and the quote services' addresses.
inline constexpr std::string_view kXfers = "XFers";

} // namespace qm::config_keys

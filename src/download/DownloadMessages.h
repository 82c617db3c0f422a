#pragma once
// Every fixed text of the download engine: what it writes into files, what it sends to the
// quote services, and what it reports.

#include <array>
#include <string_view>

namespace qm::download {

// Raised when the user stops a transfer.
inline constexpr std::string_view kXferStopped = "Xfer Stopped";

// The entry of `Results` for a symbol that left no downloaded file.
inline constexpr std::string_view kNoResult = "none";

// The first line of every price file and update file the transfers write.
inline constexpr std::string_view kPriceFileHeader = "Date,Open,High,Low,Close,Volume";
inline constexpr std::string_view kLineEnd = "\r\n";

// User-agent texts of the requests.
inline constexpr std::string_view kUserAgent47 =
    "Mozilla/5.0 (Windows NT 6.1; rv:47.0) Gecko/20100101 Firefox/47.0";
inline constexpr std::string_view kUserAgent36 =
    "Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US; rv:1.9.2.13) Gecko/20101203 "
    "Firefox/3.6.13";

// Header values shared by the requests of every service.
inline constexpr std::string_view kAcceptLanguage = "en-us,en;q=0.5";
inline constexpr std::string_view kAcceptEncoding = "compress, gzip";
inline constexpr std::string_view kKeepAlive = "keep-alive";
inline constexpr std::string_view kTextHtml = "text/html";
inline constexpr std::string_view kAcceptAny = "*/*";
inline constexpr std::string_view kFormContentType = "application/x-www-form-urlencoded";

// Month abbreviations of the requests and answers that name months, whatever the user's
// regional settings.
inline constexpr std::array<std::string_view, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Why a symbol failed, as the command line shows it.
inline constexpr std::string_view kNoSymbol = "empty symbol";
inline constexpr std::string_view kRunStopped = "not fetched: the transfer stopped before it";
inline constexpr std::string_view kNotConverted = "the answer held no usable price rows";
inline constexpr std::string_view kNoPriceFile = "no price file of the symbol to update";
inline constexpr std::string_view kMergeRefused =
    "the price file could not be merged with the new rows";
inline constexpr std::string_view kNotSaved = "the price file could not be saved";

} // namespace qm::download

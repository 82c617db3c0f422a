#include "DownloaderFiles.h"

#include "DownloaderTexts.h"
#include "ServiceList.h"
#include "download/SymbolFiles.h"
#include "download/TextRules.h"
#include "download/TickerList.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

namespace qm::downloader {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 25> kYahoo = {
    "^AORD",   "^BFX",   "^DJI",     "^DJT",  "^DJU",  "^FCHI",  "^FVX", "^GDAXI", "^GSPC",
    "^GSPTSE", "^HSI",   "^IXIC",    "^MXX",  "^N225", "^NDX",   "^OMX", "^TNX",   "ABX.TO",
    "BP.L",    "CNR.TO", "EURUSD=X", "RIO.L", "UG.PA", "VOW.DE", "YHOO"};
constexpr std::array<std::string_view, 14> kGoogle = {
    "AAPL",   "DIA",     "ETR:SIE", "ETR:VOW",    "GLD", "GOOG", "IBM",
    "LON:BP", "LON:RIO", "OIL",     "PINK:VLKAY", "QQQ", "SPY",  "TADAWUL:TASI"};
constexpr std::array<std::string_view, 20> kOtc = {
    ".INDU", ".NCOMP", ".SPX", "AAMC", "ALDA", "BDCO",  "CHK-D", "DTRX", "GLD", "IBM",
    "MHGU",  "MSK",    "NDX",  "ONVO", "OTCM", "RBS-G", "SPY",   "SQQQ", "TWM", "UUP"};
constexpr std::array<std::string_view, 30> kQuoteMedia = {
    "$USDEUR", "^ATX-EU", "^DJI",     "^DJT",      "^DJU",    "^KORPX",    "^N225-JP", "^NASD",
    "^RUS2K",  "^SPX",    "^TNX",     "^TSX",      "^TYX",    "~CLZ6-NMX", "~CL-NMX",  "~C",
    "~ES",     "~GC-CMX", "~GCSPUSD", "~GCZ6-CMX", "~SI-CMX", "~S",        "~SP",      "~US",
    "BP-LN",   "CNR-CA",  "MSFT",     "RIO-LN",    "TSLA",    "^W5000"};
constexpr std::array<std::string_view, 23> kNasdaq = {
    "AAPL", "F",   "GOLD", "HAUL", "IXTC", "MSFT", "NBI", "NDX", "NDXT", "NDXX", "NXTQ", "NYA",
    "OIL",  "OXY", "QQQ",  "QAGR", "RUA",  "SOX",  "SPX", "SPY", "UTY",  "XOM",  "XAU"};

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

std::span<const std::string_view> defaultTickers(int service) {
    switch (service) {
    case 0:
        return kYahoo;
    case 1:
        return kGoogle;
    case 2:
        return kOtc;
    case 3:
        return kQuoteMedia;
    case 4:
        return kNasdaq;
    default:
        return {};
    }
}

void writeMissingTickerFiles(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    for (int s = 0; s < kServiceCount; ++s) {
        const fs::path file = folder / kTickerFiles[static_cast<std::size_t>(s)];
        if (fs::exists(file, ec)) continue;
        const auto defaults = defaultTickers(s);
        saveListFile(file, download::sortTickers({defaults.begin(), defaults.end()}));
    }
}

SaveResult saveListFile(const fs::path& file, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return saveFileAtomically(file, text);
}

std::optional<std::vector<std::string>> readListFile(const fs::path& file) {
    // A list file holds a few hundred symbols; a larger file is not a list, and is read only
    // as far as this.
    constexpr std::size_t kMaxListBytes = 4u << 20;
    if (!isFile(file)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text(kMaxListBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    return textLines(text);
}

std::vector<std::string> symbolsInFolder(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // The names the transfers find a symbol's price file by: ".csv" in any case.
        if (download::toLower(name).ends_with(".csv") && it->is_regular_file(ec))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    std::vector<std::string> symbols;
    symbols.reserve(names.size());
    for (const std::string& name : names) symbols.push_back(download::symbolOfFileName(name));
    return symbols;
}

} // namespace qm::downloader

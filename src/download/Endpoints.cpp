#include "Endpoints.h"

#include <array>

namespace qm::download {
namespace {

struct Key {
    std::string_view name;
    std::string Endpoints::*field;
    bool isAddress;
};

constexpr std::array<Key, 14> kKeys = {{
    {"YahooLookupUrl", &Endpoints::yahooLookup, true},
    {"YahooHistoryUrl", &Endpoints::yahooHistory, true},
    {"YahooReferer", &Endpoints::yahooReferer, true},
    {"GoogleFinanceUrl", &Endpoints::googleFinance, true},
    {"OtcQuoteUrl", &Endpoints::otcQuote, true},
    {"OtcTradeStatsUrl", &Endpoints::otcTradeStats, true},
    {"QMediaLookupUrl", &Endpoints::qmediaLookup, true},
    {"QMediaHistoryUrl", &Endpoints::qmediaHistory, true},
    {"QMediaLookupId", &Endpoints::qmediaLookupId, false},
    {"QMediaHistoryId", &Endpoints::qmediaHistoryId, false},
    {"NasdaqHomeUrl", &Endpoints::nasdaqHome, true},
    {"NasdaqSearchUrl", &Endpoints::nasdaqSearch, true},
    {"NasdaqHistoryUrl", &Endpoints::nasdaqHistory, true},
    {"NasdaqReferer", &Endpoints::nasdaqReferer, true},
}};

constexpr std::array<std::string_view, kKeys.size()> kKeyNames = [] {
    std::array<std::string_view, kKeys.size()> names{};
    for (std::size_t i = 0; i < kKeys.size(); ++i) names[i] = kKeys[i].name;
    return names;
}();

// A base address is used as a prefix of paths that begin with "/".
std::string withoutTrailingSlash(std::string_view value) {
    while (!value.empty() && value.back() == '/') value.remove_suffix(1);
    return std::string(value);
}

} // namespace

Endpoints Endpoints::defaults() {
    Endpoints e;
    e.yahooLookup = "https://d.yimg.com";
    e.yahooHistory = "https://ichart.finance.yahoo.com";
    e.yahooReferer = "https://finance.yahoo.com/";
    e.googleFinance = "https://www.google.com";
    e.otcQuote = "https://www.otcmarkets.com";
    e.otcTradeStats = "https://www.otcmarkets.com";
    e.qmediaLookup = "https://app.quotemedia.com";
    e.qmediaHistory = "https://app.quotemedia.com";
    e.qmediaLookupId = "101";
    e.qmediaHistoryId = "102";
    e.nasdaqHome = "https://www.nasdaq.com";
    e.nasdaqSearch = "https://www.nasdaq.com";
    e.nasdaqHistory = "https://www.nasdaq.com";
    e.nasdaqReferer = "https://www.nasdaq.com/";
    return e;
}

Endpoints Endpoints::allAt(std::string_view base) {
    Endpoints e = defaults();
    for (const auto& key : kKeys)
        if (key.isAddress) e.*key.field = withoutTrailingSlash(base);
    e.yahooReferer = e.yahooLookup + "/";
    e.nasdaqReferer = e.nasdaqHome + "/";
    return e;
}

bool Endpoints::set(std::string_view key, std::string_view value) {
    for (const auto& k : kKeys) {
        if (k.name != key) continue;
        const bool isReferer = key.ends_with("Referer");
        this->*k.field =
            k.isAddress && !isReferer ? withoutTrailingSlash(value) : std::string(value);
        return true;
    }
    return false;
}

std::optional<std::string> Endpoints::get(std::string_view key) const {
    for (const auto& k : kKeys)
        if (k.name == key) return this->*k.field;
    return std::nullopt;
}

std::span<const std::string_view> endpointKeys() {
    return kKeyNames;
}

} // namespace qm::download

#pragma once
// Where the quote services are reached: the base address (scheme and host, optionally a port)
// of every endpoint, the Referer addresses, and the two QuoteMedia client identifiers. The
// program keeps them in its settings under the keys below; tests point them at local servers.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qm::download {

struct Endpoints {
    std::string yahooLookup;   // suggestion endpoint
    std::string yahooHistory;  // history endpoint
    std::string yahooReferer;  // the finance home page, sent as Referer of the lookup
    std::string googleFinance; // lookup and history
    std::string otcQuote;      // quote pages (company names)
    std::string otcTradeStats; // trade statistics (history)
    std::string qmediaLookup;
    std::string qmediaHistory;
    std::string qmediaLookupId;  // client identifier of the lookup request
    std::string qmediaHistoryId; // client identifier of the history request
    std::string nasdaqHome;      // home page, fetched at the start of a run
    std::string nasdaqSearch;    // name search
    std::string nasdaqHistory;
    std::string nasdaqReferer; // the home page, sent as Referer of the lookup

    // The services' public addresses.
    static Endpoints defaults();
    // Every endpoint (not the identifiers) at `base`, for tests and local mirrors.
    static Endpoints allAt(std::string_view base);

    // Sets the value of a settings key; false for an unknown key.
    bool set(std::string_view key, std::string_view value);
    // The value of a settings key, or nothing for an unknown key.
    std::optional<std::string> get(std::string_view key) const;
};

// The settings keys, in the order the documentation lists them.
std::span<const std::string_view> endpointKeys();

} // namespace qm::download

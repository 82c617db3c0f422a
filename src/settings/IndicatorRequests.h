#pragma once
// The indicator request list: which objects a chart opening puts on the chart, each as the two
// bytes (kind, pane position); the first entry stands for the price chart. "Osc_List.osl" holds
// it as a flat file of those byte pairs, with no header and not in the settings stream.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace qm {

struct IndicatorRequest {
    std::uint8_t kind = 0; // as stored: the chart loader ignores the top bit
    std::uint8_t pane = 0;
    friend bool operator==(const IndicatorRequest&, const IndicatorRequest&) = default;
};

using IndicatorRequestList = std::vector<IndicatorRequest>;

// The entry callers use when a request list would otherwise be empty: the price chart alone in
// pane position 1.
inline constexpr IndicatorRequest kPriceChartRequest{0, 1};

// The file's entries; none when the file is missing or empty. A last odd byte is no entry.
// Throws SettingsError ("Cannot open file ...") when the file exists but cannot be read.
IndicatorRequestList loadIndicatorRequests(const std::filesystem::path& file);

// The file's entries, or the price chart entry alone when there are none.
IndicatorRequestList loadIndicatorRequestsOrPriceChart(const std::filesystem::path& file);

// Replaces the file with the entries. Throws SettingsError ("Cannot create file ...").
void saveIndicatorRequests(const std::filesystem::path& file, const IndicatorRequestList& requests);

} // namespace qm

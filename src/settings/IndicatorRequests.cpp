#include "IndicatorRequests.h"

#include "FileBytes.h"

namespace qm {

IndicatorRequestList loadIndicatorRequests(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec) && !ec) return {};
    const std::string bytes = readFileBytes(file);
    IndicatorRequestList requests;
    requests.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        requests.push_back(
            {static_cast<std::uint8_t>(bytes[i]), static_cast<std::uint8_t>(bytes[i + 1])});
    return requests;
}

IndicatorRequestList loadIndicatorRequestsOrPriceChart(const std::filesystem::path& file) {
    IndicatorRequestList requests = loadIndicatorRequests(file);
    if (requests.empty()) requests.push_back(kPriceChartRequest);
    return requests;
}

void saveIndicatorRequests(const std::filesystem::path& file,
                           const IndicatorRequestList& requests) {
    std::string bytes;
    bytes.reserve(requests.size() * 2);
    for (const auto& r : requests) {
        bytes += char(r.kind);
        bytes += char(r.pane);
    }
    writeFileBytes(file, bytes);
}

} // namespace qm

#pragma once
// Helpers shared by the market tests: writing and reading chart data files, day counts.

#include "market/Calendar.h"
#include "market/PriceBar.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qm::test {

inline double day(int y, int m, int d) {
    return *encodeDate(y, m, d);
}

inline std::vector<PriceBar> readBars(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<PriceBar> bars;
    PriceBar bar;
    while (in.read(reinterpret_cast<char*>(&bar), sizeof bar)) bars.push_back(bar);
    return bars;
}

inline void writeBars(const std::filesystem::path& file, const std::vector<PriceBar>& bars) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bars.data()),
              static_cast<std::streamsize>(bars.size() * sizeof(PriceBar)));
}

// Names in the folder that look like chart data files of either kind.
inline std::vector<std::string> chartFilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.starts_with("~TEM") || name.starts_with("%%TEM")) names.push_back(name);
    }
    return names;
}

} // namespace qm::test

#include "TickerList.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace qm::download {
namespace {

int compareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

bool tickerLess(std::string_view a, std::string_view b) {
    return compareNoCase(a, b) < 0;
}

std::vector<std::string> sortTickers(std::vector<std::string> lines) {
    std::stable_sort(lines.begin(), lines.end(), tickerLess);
    const auto last =
        std::unique(lines.begin(), lines.end(), [](const std::string& a, const std::string& b) {
            return compareNoCase(a, b) == 0;
        });
    lines.erase(last, lines.end());
    return lines;
}

std::vector<std::string> loadTickerList(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the ticker file " + file.string());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    if (in.bad()) throw std::runtime_error("cannot read the ticker file " + file.string());
    return sortTickers(std::move(lines));
}

} // namespace qm::download

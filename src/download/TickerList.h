#pragma once
// The symbol list of a transfer. A worker addresses the lines of the Download List by index, so
// the list control and the worker must order the symbols alike: both use these functions.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qm::download {

// The most symbols one transfer handles; further lines keep their marks.
inline constexpr std::size_t kMaxSymbolsPerRun = 150;

// Ordering without regard to ASCII case.
bool tickerLess(std::string_view a, std::string_view b);

// The lines sorted without regard to case, each kept once (the first of lines that differ only
// in case).
std::vector<std::string> sortTickers(std::vector<std::string> lines);

// The lines of a ticker file (one symbol per line, CR LF or LF), sorted as above. Throws
// std::runtime_error when the file cannot be read.
std::vector<std::string> loadTickerList(const std::filesystem::path& file);

} // namespace qm::download

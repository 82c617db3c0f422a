#include "SymbolSearch.h"

#include <cctype>
#include <optional>

namespace qm {

std::filesystem::path findSymbolFile(const std::filesystem::path& baseFolder,
                                     std::string_view symbol) {
    if (symbol.empty()) return {};
    std::optional<PriceFileEntry> best;
    forEachPriceFileIn(parentFolder(baseFolder),
                       [&](std::string_view name, const std::string& folder) {
                           if (symbolOfFileName(name) != symbol) return;
                           if (!best || priceFileBefore(name, folder, best->name, best->folder))
                               best = PriceFileEntry{std::string(name), folder};
                       });
    return best ? best->path() : std::filesystem::path();
}

std::string symbolFromTypedText(std::string_view typed) {
    const auto first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = typed.find_last_not_of(" \t");
    std::string symbol(typed.substr(first, last - first + 1));
    for (char& c : symbol) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (const auto colon = symbol.find(':'); colon != std::string::npos) symbol[colon] = '-';
    return symbol;
}

} // namespace qm

#pragma once
// Price file names of downloaded symbols: "IBM.csv" or "IBM = Intl Business Machines Corp.csv".
// A name is built only from a symbol and a company name that came from outside, so it is made
// safe to stay inside its folder.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qm::download {

// The longest file name the transfers make, in bytes: well below the file systems' 255, leaving
// room for the suffixes of temporary siblings.
inline constexpr std::size_t kMaxFileNameBytes = 200;

// A company name made fit for a file name: JSON escapes ("\u00e9" as "é" in UTF-8) and "&amp;"
// decoded, commas, periods and apostrophes dropped, slashes, backslashes and "=" turned into "-",
// the first "Corporation", "Incorporated", "Limited", "International" and "Company" shortened.
std::string cleanSymbolName(std::string_view name);

// The file name of a downloaded symbol: fileSymbol + ".csv", or fileSymbol + " = " + name +
// ".csv" when a name was found. Path separators and control characters never reach the name,
// a blank before "=" in the symbol cannot fake the name separator, and an overlong name is cut
// (the company name first).
std::string downloadFileName(std::string_view fileSymbol, std::string_view name);

// The symbol a price file name stands for: the name without its extension, up to " =" when it
// holds "=".
std::string symbolOfFileName(std::string_view fileName);

// The symbol's price files in `folder`: regular files named symbol + ".csv" or symbol + " = "
// + anything + ".csv", ignoring case, in name order.
std::vector<std::filesystem::path> symbolFiles(const std::filesystem::path& folder,
                                               std::string_view fileName);

} // namespace qm::download

#pragma once
// Finding a symbol's price file: the "*.csv" files of every folder beside the data folder are
// searched, so a symbol is found in the data folder and in the download folders alike, the
// alphabetically first folder winning when several hold it.

#include "market/PriceFileFolders.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qm {

// The file for `symbol` (matched exactly, case and all) among the price files of the folders
// in the parent folder of `baseFolder`, hidden ones left out. Of several, the first in text
// order of "name%folder/" without regard to case. Empty when there is none.
std::filesystem::path findSymbolFile(const std::filesystem::path& baseFolder,
                                     std::string_view symbol);

// What the symbol box makes of what was typed: blanks around it dropped, letters in upper case,
// the first ":" turned into "-" ("brk:b" gives "BRK-B").
std::string symbolFromTypedText(std::string_view typed);

} // namespace qm

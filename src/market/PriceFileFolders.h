#pragma once
// Price files in folders: the "*.csv" files of one folder, and those of every folder beside the
// data folder, where the download folders lie. A price file's name ends in ".csv" in any case;
// hidden entries (a leading ".") are never price files or price folders.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The text of `path` before its last delimiter; a path ending in a delimiter gives itself
// without that delimiter.
std::filesystem::path parentFolder(const std::filesystem::path& path);

// Whether `name` is a price file's name: it ends in ".csv", in any case, and is not hidden.
bool isPriceFileName(std::string_view name);

// The symbol a price file's name stands for: the name up to " =" when it has one ("IBM =
// International Business Machines.csv" gives "IBM"), else up to ".csv" ("EURUSD=X.csv" gives
// "EURUSD=X"); empty for a name without ".csv". Case of ".csv" does not matter.
std::string_view symbolOfFileName(std::string_view fileName);

// The names of the price files in `folder` (plain files only), in text order without regard to
// case. None when the folder cannot be read.
std::vector<std::string> priceFilesIn(const std::filesystem::path& folder);

// One price file of the folders in a root folder.
struct PriceFileEntry {
    std::string name;   // the file's name
    std::string folder; // its folder, without a trailing delimiter
    std::filesystem::path path() const { return std::filesystem::path(folder) / name; }
};

// Calls `visit` for each price file in the visible folders of `root` (not in `root` itself),
// in no particular order; plain files only.
void forEachPriceFileIn(
    const std::filesystem::path& root,
    const std::function<void(std::string_view name, const std::string& folder)>& visit);

// Whether a price file comes before another in the order of the symbol lists: "name%folder/"
// as text without regard to case, so one symbol kept in two folders lies on adjacent lines.
bool priceFileBefore(std::string_view nameA, std::string_view folderA, std::string_view nameB,
                     std::string_view folderB);

// Every price file in the visible folders of `root`, in that order.
std::vector<PriceFileEntry> listPriceFiles(const std::filesystem::path& root);

} // namespace qm

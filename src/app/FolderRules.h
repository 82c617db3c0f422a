#pragma once
// Where the program keeps its files: the folder rules of start-up. The download folders lie
// beside the data folder, in its parent folder (parentFolder, market/PriceFileFolders.h).

#include "Configuration.h"
#include "market/PriceFileFolders.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qm {

// The folders the system names for the user; empty when it names none.
struct SystemFolders {
    std::filesystem::path documents;
    std::filesystem::path localData;
};

// The download folder names beside the data folder, in the order of the quote services.
inline constexpr std::array<const char*, kQuoteServiceCount> kDownloadFolderNames = {
    "Yahoo Data", "Google Data", "Otc Data", "Qmedia Data", "Nasdaq Data"};

// The folders after start-up.
struct SettledFolders {
    std::filesystem::path settings;    // empty when it could not be made
    std::vector<std::string> failures; // one message per folder that could not be made
};

// Settles the folders of `config` in start-up order: the data folder (made when missing), the
// image folder, the download folders (made beside the data folder, else the data folder
// itself), and the settings and group folders, which never come from the configuration.
SettledFolders settleFolders(Configuration& config, const SystemFolders& system);

} // namespace qm

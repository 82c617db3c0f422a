#pragma once
// The download dialog's settings in the configuration group [XFers]: the service shown last,
// the company name choice, the ticker folder and a download folder per service, which start as
// the main window's and are kept apart from them afterwards.

#include "DownloaderFiles.h"

#include <array>
#include <filesystem>

namespace qm::platform {
class ConfigStore;
}

namespace qm::downloader {

using ServiceFolders = std::array<std::filesystem::path, kServiceCount>;

struct DownloaderSettings {
    int service = 0; // 0 Yahoo ... 4 Nasdaq
    bool addName = false;
    std::filesystem::path tickerFolder;
    ServiceFolders downloadFolders;
};

// What the store holds; a value that is missing or empty takes its default: Yahoo, no names,
// the documents folder + "Quillmar/Quillmar7", the main window's download folders. A service
// index outside the list means Yahoo.
DownloaderSettings readDownloaderSettings(const platform::ConfigStore& store,
                                          const ServiceFolders& mainFolders,
                                          const std::filesystem::path& documentsFolder);

// Writes the folders, then the service and the name choice (the caller saves the store).
void writeDownloaderSettings(platform::ConfigStore& store, const DownloaderSettings& settings);

} // namespace qm::downloader

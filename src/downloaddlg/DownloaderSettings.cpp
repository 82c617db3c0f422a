#include "DownloaderSettings.h"

#include "DownloaderTexts.h"
#include "platform/ConfigStore.h"

#include <string_view>

namespace qm::downloader {
namespace {

constexpr std::string_view kXfers = kSettingsGroup;

std::filesystem::path folderOr(const platform::ConfigStore& store, std::string_view key,
                               const std::filesystem::path& fallback) {
    const auto text = store.readText(kXfers, key);
    return text && !text->empty() ? std::filesystem::path(*text) : fallback;
}

} // namespace

DownloaderSettings readDownloaderSettings(const platform::ConfigStore& store,
                                          const ServiceFolders& mainFolders,
                                          const std::filesystem::path& documentsFolder) {
    DownloaderSettings s;
    if (const auto id = store.readInt(kXfers, kServerId); id && *id >= 0 && *id < kServiceCount)
        s.service = *id;
    s.addName = store.readInt(kXfers, kAddSymbolName).value_or(0) > 0;
    s.tickerFolder = folderOr(store, kTickerDir, documentsFolder / "Quillmar" / "Quillmar7");
    for (std::size_t i = 0; i < s.downloadFolders.size(); ++i)
        s.downloadFolders[i] = folderOr(store, kDataDirKeys[i], mainFolders[i]);
    return s;
}

void writeDownloaderSettings(platform::ConfigStore& store, const DownloaderSettings& s) {
    store.writeText(kXfers, kTickerDir, s.tickerFolder.string());
    for (std::size_t i = 0; i < s.downloadFolders.size(); ++i)
        store.writeText(kXfers, kDataDirKeys[i], s.downloadFolders[i].string());
    store.writeInt(kXfers, kServerId, s.service);
    store.writeInt(kXfers, kAddSymbolName, s.addName ? 1 : 0);
}

} // namespace qm::downloader

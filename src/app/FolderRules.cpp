#include "FolderRules.h"

#include "AppMessages.h"

namespace qm {

namespace am = app_messages;

namespace {

bool isFolder(const std::filesystem::path& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

bool makeFolder(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return isFolder(path);
}

} // namespace

SettledFolders settleFolders(Configuration& config, const SystemFolders& system) {
    SettledFolders settled;
    const std::filesystem::path ourDocuments = system.documents / "Quillmar" / "Quillmar7";

    if (!isFolder(config.dataFolder)) {
        config.dataFolder = ourDocuments / "CSV";
        makeFolder(config.dataFolder); // used even when it cannot be made
    }
    if (!isFolder(config.imageFolder)) config.imageFolder = ourDocuments;
    const std::filesystem::path beside = parentFolder(config.dataFolder);
    for (std::size_t i = 0; i < config.downloadFolders.size(); ++i) {
        auto& folder = config.downloadFolders[i];
        if (isFolder(folder)) continue;
        folder = beside / kDownloadFolderNames[i];
        if (!makeFolder(folder)) folder = config.dataFolder;
    }

    const std::filesystem::path settings = system.localData / "Quillmar" / "Quillmar7";
    if (system.localData.empty() || !makeFolder(settings)) {
        settled.failures.push_back(std::string(am::kCannotCreate) + system.localData.string() +
                                   "/Quillmar/Quillmar7");
        return settled;
    }
    settled.settings = settings;
    config.groupFolder = settings / "Groups";
    if (!makeFolder(config.groupFolder))
        settled.failures.push_back(std::string(am::kCannotCreate) + settings.string() + "/Groups");
    return settled;
}

} // namespace qm

#include "Folders.h"

#include <QDir>
#include <QStandardPaths>

namespace qm::platform {

namespace {

std::filesystem::path systemFolder(QStandardPaths::StandardLocation location) {
    const QString folder = QStandardPaths::writableLocation(location);
    if (folder.isEmpty()) return {};
    return folder.toStdString();
}

} // namespace

std::filesystem::path documentsFolder() {
    return systemFolder(QStandardPaths::DocumentsLocation);
}

std::filesystem::path localDataFolder() {
    return systemFolder(QStandardPaths::GenericDataLocation);
}

std::filesystem::path settingsFolder() {
    const std::filesystem::path base = localDataFolder();
    if (base.empty()) return {};
    return base / "Quillmar" / "Quillmar7";
}

std::filesystem::path temporaryFolder() {
    return QDir::tempPath().toStdString();
}

std::filesystem::path programDataFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return programDataFolderFor(error ? std::filesystem::path{} : executable.parent_path());
}

std::filesystem::path programDataFolderFor(const std::filesystem::path& executableFolder) {
    const std::filesystem::path installed =
        (executableFolder / QM_PROGRAM_DATA_FROM_BIN).lexically_normal();
    const std::filesystem::path inBuildFolder =
        (executableFolder / QM_PROGRAM_DATA_FROM_BUILD).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(installed, error)) return installed;
    if (std::filesystem::is_directory(inBuildFolder, error)) return inBuildFolder;
    return installed;
}

} // namespace qm::platform

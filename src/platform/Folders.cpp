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

} // namespace qm::platform

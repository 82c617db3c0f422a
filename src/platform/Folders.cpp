#include "Folders.h"

#include <QDir>
#include <QStandardPaths>

namespace qm::platform {

std::filesystem::path settingsFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) return {};
    return std::filesystem::path(base.toStdString()) / "Quillmar" / "Quillmar7";
}

std::filesystem::path temporaryFolder() {
    return QDir::tempPath().toStdString();
}

} // namespace qm::platform

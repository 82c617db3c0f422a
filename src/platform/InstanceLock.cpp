#include "InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace qm::platform {

InstanceLock::InstanceLock(const char* name) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    lock_ = std::make_unique<QLockFile>(folder + QLatin1Char('/') + QLatin1String(name) +
                                        QLatin1String(".lock"));
    // A lock left by a killed instance is recognised by its process id and taken over.
    lock_->setStaleLockTime(0);
    held_ = lock_->tryLock(0);
}

InstanceLock::~InstanceLock() = default;

} // namespace qm::platform

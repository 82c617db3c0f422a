#include "HelpFile.h"

#include "Prompts.h"

#include <QCoreApplication>
#include <QDir>

namespace qm::platform {

QString helpFilePath() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("Quillmar7Help.chm"));
}

bool openHelpFile(QWidget* parent) {
    return prompts().openDocument(parent, helpFilePath());
}

} // namespace qm::platform

#pragma once
// The program's help file, "Quillmar7Help.chm" in the program's folder, opened with the
// desktop's program for it.

class QString;
class QWidget;

namespace qm::platform {

QString helpFilePath();
// False when no program took it.
bool openHelpFile(QWidget* parent);

} // namespace qm::platform

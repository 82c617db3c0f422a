#pragma once
// How the desktop knows the program: the name its desktop entry, icon and metadata are installed
// under, and its icon.

#include <QIcon>

namespace qm::platform {

// The desktop file name (without ".desktop") and icon name of the desktop program; give it to
// QGuiApplication::setDesktopFileName so that the desktop matches the windows to the entry.
inline constexpr char kApplicationId[] = "org.quillmar.Quillmar";

// The program's icon, at every size the icon theme has: the installed theme icon, else the copy
// compiled into the program (a build-folder run). Needs a QGuiApplication.
QIcon applicationIcon();

} // namespace qm::platform

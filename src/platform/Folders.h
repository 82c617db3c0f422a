#pragma once
// The folders the program keeps its files in.

#include <filesystem>

namespace qm::platform {

// The user's documents folder (XDG_DOCUMENTS_DIR, normally ~/Documents). Not created here;
// empty when the system names none.
std::filesystem::path documentsFolder();

// The user's local application data folder (XDG_DATA_HOME, normally ~/.local/share). Not
// created here; empty when the system names none.
std::filesystem::path localDataFolder();

// The settings folder: the user's local application data folder plus "Quillmar/Quillmar7"
// (~/.local/share/Quillmar/Quillmar7 unless XDG_DATA_HOME says otherwise). Not created here;
// empty when the system names no such folder.
std::filesystem::path settingsFolder();

// The user's temporary folder (TMPDIR, else /tmp).
std::filesystem::path temporaryFolder();

// The folder of the files shipped with the program (help and the like), found from where the
// running executable is, so that an installed program and one run from its build folder both
// find theirs. See programDataFolderFor.
std::filesystem::path programDataFolder();

// The program's data folder for an executable in `executableFolder`: share/quillmar beside the
// bin/ folder of an installed program, else the build folder's share/quillmar for a program in
// a build folder's src/<subsystem>/ (or a test's tests/<subsystem>/). When neither exists, the
// installed place, so that a missing file is reported where it belongs.
std::filesystem::path programDataFolderFor(const std::filesystem::path& executableFolder);

} // namespace qm::platform

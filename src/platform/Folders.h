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

} // namespace qm::platform

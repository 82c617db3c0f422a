#pragma once
// The folders the program keeps its files in.

#include <filesystem>

namespace qm::platform {

// The settings folder: the user's local application data folder plus "Quillmar/Quillmar7"
// (~/.local/share/Quillmar/Quillmar7 unless XDG_DATA_HOME says otherwise). Not created here;
// empty when the system names no such folder.
std::filesystem::path settingsFolder();

// The user's temporary folder (TMPDIR, else /tmp).
std::filesystem::path temporaryFolder();

} // namespace qm::platform

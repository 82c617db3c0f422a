#include "SettingsFiles.h"

namespace qm::settings_files {

std::filesystem::path symbolSettingsFileName(const std::filesystem::path& sourceFile) {
    return sourceFile.filename().replace_extension(".prm");
}

} // namespace qm::settings_files

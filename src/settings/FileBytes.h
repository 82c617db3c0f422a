#pragma once
// Whole settings files in and out of memory; settings files are small.

#include <filesystem>
#include <string>
#include <string_view>

namespace qm {

// Throws SettingsError ("Cannot open file ...") with the system's reason.
std::string readFileBytes(const std::filesystem::path& file);

// Replaces `file` atomically (market/SafeFile.h), so a failed save leaves the old file as it
// was. Throws SettingsError ("Cannot create file ...") with the system's reason.
void writeFileBytes(const std::filesystem::path& file, std::string_view bytes);

} // namespace qm

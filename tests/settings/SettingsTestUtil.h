#pragma once
// Helpers shared by the settings tests.

#include "settings/SettingsStream.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qm::test {

inline std::string fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The message of the SettingsError that `action` throws, or "no error".
template <class Action> std::string settingsErrorOf(Action&& action) {
    try {
        action();
    } catch (const SettingsError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace qm::test

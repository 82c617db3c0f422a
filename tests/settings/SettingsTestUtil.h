#pragma once
// Helpers shared by the settings tests.

#include "settings/SettingsStream.h"
#include "support/FileContent.h"

#include <string>

namespace qm::test {

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

#pragma once
// Where the running program finds the user's configuration and folders. The program asks the
// system; tests point everything at folders of their own.

#include "FolderRules.h"

#include <filesystem>

namespace qm {

struct AppEnvironment {
    std::filesystem::path configFile;
    SystemFolders system;
    std::filesystem::path tempFolder;

    // The user's configuration file, documents, local data and temporary folders.
    static AppEnvironment fromSystem();
};

} // namespace qm

#pragma once
// What start-up and shutdown do with the program's state and files, without the windows: the
// configuration is read, the folders settled, the factory settings and the settings list made
// or loaded, this run's chart data folder made; at shutdown the configuration and the settings
// list are written back. Every failure is reported through the sink and the rest still runs.

#include "AppState.h"
#include "FolderRules.h"

namespace qm {

class MessageSink;

namespace platform {
class ConfigStore;
}

// The chart data folders of all runs start with this in the temporary folder.
inline constexpr std::string_view kChartFolderPrefix = "quillmar-desktop-";

// Reads the configuration and settles the folders and the settings files.
void startUp(AppState& state, const platform::ConfigStore& config, const SystemFolders& system,
             MessageSink& sink);

// Makes this run's chart data folder in `tempFolder`, after removing those left by runs that
// were killed.
void makeChartFolder(AppState& state, const std::filesystem::path& tempFolder, MessageSink& sink);

// Writes the settings list (when it was loaded) and the configuration back; the chart data
// folder goes with the state.
void shutDown(AppState& state, platform::ConfigStore& config, MessageSink& sink);

} // namespace qm

#include "Lifecycle.h"

#include "AppMessages.h"
#include "market/MessageSink.h"
#include "platform/ConfigStore.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsStream.h"
#include "settings/lists/PlotRecList.h"

#include <system_error>

namespace qm {

namespace am = app_messages;
namespace sf = settings_files;

namespace {

bool isFile(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

// Runs one start-up step; a failure is reported and the next step still runs.
template <class Step> void runStep(MessageSink& sink, Step step) {
    try {
        step();
    } catch (const std::exception& e) {
        sink.error(e.what());
    }
}

} // namespace

void startUp(AppState& state, const platform::ConfigStore& config, const SystemFolders& system,
             MessageSink& sink) {
    state.config = readConfiguration(config);

    // The folders are settled whatever the source file type holds.
    if (const auto type = sourceFileTypeValue(state.config.sourceFileType)) {
        state.sourceFileType = *type;
    } else {
        sink.error("'" + state.config.sourceFileType + std::string(am::kNotAnIntegerTail));
        state.config.sourceFileType = "0";
    }

    SettledFolders settled = settleFolders(state.config, system);
    for (const auto& failure : settled.failures) sink.error(failure);
    state.settingsFolder = settled.settings;
    if (state.settingsFolder.empty()) return;

    runStep(sink, [&] {
        const auto defaults = state.settingsFolder / sf::kDefaultSettings;
        if (!isFile(defaults)) writeFactoryDefaults(defaults);
    });
    runStep(sink, [&] {
        loadOrCreateSettingsList(state.settingsList, state.settingsFolder / sf::kSettingsList,
                                 sink);
        state.settingsListLoaded = true;
    });
}

void makeChartFolder(AppState& state, const std::filesystem::path& tempFolder, MessageSink& sink) {
    removeStaleWorkFolders(tempFolder, kChartFolderPrefix);
    try {
        state.chartFolder.emplace(tempFolder, kChartFolderPrefix);
    } catch (const std::system_error& e) {
        sink.error(std::string(am::kCannotCreate) + tempFolder.string() + ": " + e.what());
    }
}

void shutDown(AppState& state, platform::ConfigStore& config, MessageSink& sink) {
    if (state.settingsListLoaded)
        runStep(sink, [&] { state.settingsList.save(state.settingsFolder / sf::kSettingsList); });
    writeConfiguration(config, state.config);
    config.save(); // a configuration that cannot be written is given up quietly
    state.chartFolder.reset();
}

} // namespace qm

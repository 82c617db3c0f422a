#pragma once
// The state the whole desktop program shares, owned by the main window: the configuration, the
// settings folder and its lists, the indicator request list, the file list that next and
// previous walk, and the program-wide choices the chart windows read.

#include "Configuration.h"
#include "FileList.h"
#include "market/FormatSettings.h"
#include "market/WorkFolder.h"
#include "settings/IndicatorRequests.h"
#include "settings/ParamRecords.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qm {

struct AppState {
    Configuration config;
    std::filesystem::path settingsFolder; // empty when it could not be made
    std::uint8_t sourceFileType = 0;
    FormatSettings locale;

    // "PrmsList.Lst": saved at shutdown only when it was loaded whole (or made new), so a list
    // that failed to load never overwrites the user's file.
    TParamRecList settingsList;
    bool settingsListLoaded = false;
    TParamRecList favourites; // "FavSymbolsList.Lst", loaded when a command needs it
    TSignalRecList signals;   // "Zorvik.Lst", loaded by the open command
    IndicatorRequestList requests;
    FileList files; // what next and previous walk

    // This run's own folder for chart data files, in the temporary folder; other instances
    // have theirs, and a killed run's folder is removed at the next start.
    std::optional<WorkFolder> chartFolder;

    int navigationStep = 1; // bars per navigation action, shared by every chart window
    int workAreaBottom = 0; // read once at start-up
    int lastInterval = 0;   // chosen last in the data pick dialog
    int lastChartOption = 0;
    std::string groupName; // the chart group opened last, cleared by every other opening

    // The folder chart data files go to: this run's own folder.
    std::filesystem::path chartDataFolder() const {
        return chartFolder ? chartFolder->path() : std::filesystem::path();
    }
};

} // namespace qm

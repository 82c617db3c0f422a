#pragma once
// The names of the files in the settings folder.

#include <filesystem>
#include <string_view>

namespace qm::settings_files {

inline constexpr std::string_view kSettingsList = "PrmsList.Lst";
inline constexpr std::string_view kDefaultSettings = "Defaults.prm";
inline constexpr std::string_view kFavourites = "FavSymbolsList.Lst";
inline constexpr std::string_view kSignalList = "Zorvik.Lst";
inline constexpr std::string_view kIndicatorRequests = "Osc_List.osl";
inline constexpr std::string_view kGroupsFolder = "Groups";

// A symbol's own indicator settings file: its source file's name, without folder, with the
// extension ".prm" ("ABC = Abc Corp.csv" gives "ABC = Abc Corp.prm").
std::filesystem::path symbolSettingsFileName(const std::filesystem::path& sourceFile);

} // namespace qm::settings_files

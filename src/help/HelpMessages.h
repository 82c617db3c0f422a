#pragma once
// The texts of the help commands and the about box.

#include <string_view>

namespace qm::help_messages {

// Followed by the help file's path.
inline constexpr std::string_view kHelpMissing = "Cannot find the help file ";
inline constexpr std::string_view kHelpNotOpened = "The help could not be shown: ";

// The about box: the program's name, then the version of the build.
inline constexpr std::string_view kAboutName = "Quillmar 7.0";
inline constexpr std::string_view kAboutVersion = "Version ";
inline constexpr std::string_view kAboutPurpose =
    "Charts, indicators and drawing tools for the daily price history of stocks, indices, "
    "currencies and futures.";

} // namespace qm::help_messages

#pragma once
// The texts the settings subsystem shows the user, in one place.

#include <string>
#include <string_view>

namespace qm::settings_messages {

// Settings stream failures.
inline constexpr std::string_view kInvalidPropertyValue = "Invalid property value";
inline constexpr std::string_view kStreamReadError = "Stream read error";
inline constexpr std::string_view kCannotCreateFile = "Cannot create file \"%s\". %s";
inline constexpr std::string_view kCannotOpenFile = "Cannot open file \"%s\". %s";

// A record of a list that cannot be read; one text per list.
inline constexpr std::string_view kTroubleReadingParamList =
    "Trouble reading chart & oscillator settings.";
inline constexpr std::string_view kTroubleReadingSignalList = "Trouble reading Scanvane output.";
inline constexpr std::string_view kTroubleReadingPlotList =
    "Trouble reading saved oscillator settings.";
inline constexpr std::string_view kTroubleReadingGroupList =
    "Trouble reading saved ChartGroup settings.";

// Follows the symbol when a favourite is added twice.
inline constexpr std::string_view kAlreadyInList = " is already in the list.";

// `pattern` with each "%s" replaced by the next argument.
inline std::string format(std::string_view pattern, std::string_view first,
                          std::string_view second) {
    std::string out;
    const std::string_view args[] = {first, second};
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && next < 2) {
            out += args[next++];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace qm::settings_messages

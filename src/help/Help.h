#pragma once
// The program's help, an HTML page shipped with it and shown in the desktop's browser, and the
// about box.

#include <QString>
#include <filesystem>
#include <string_view>

class QWidget;

namespace qm::help {

// Sections of the help that commands open it at.
inline constexpr std::string_view kOpeningCharts = "opening-charts";
inline constexpr std::string_view kTools = "tools";
inline constexpr std::string_view kSettingsEditor = "settings-editor";
inline constexpr std::string_view kIndicators = "indicators";
inline constexpr std::string_view kDownloads = "downloads";
inline constexpr std::string_view kKeys = "keys";

// The help's first page in the program's data folder.
std::filesystem::path helpFile();

// Shows the help, at `topic` when one is given, in the desktop's browser. A help file that is
// missing or cannot be shown is reported over `parent`.
void showHelp(QWidget* parent, std::string_view topic = {});
// The same with the help's first page in `file`.
void showHelpFile(QWidget* parent, const std::filesystem::path& file, std::string_view topic);

// The about box's text: the program, its version from the build, what it is for.
QString aboutText();
void showAbout(QWidget* parent);

} // namespace qm::help

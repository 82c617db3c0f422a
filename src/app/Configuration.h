#pragma once
// The configuration kept between runs: the main window's place, the options and the folders,
// read at start-up and written at shutdown. Values read are checked: a window place is held on
// the screen and a menu index within its menu, whatever the file holds.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace qm {

namespace platform {
class ConfigStore;
}

// The quote services in the order of the Xfer-now source menu and the download folders.
inline constexpr int kQuoteServiceCount = 5;

struct WindowDims {
    int left = 0;
    int top = 0;
    int width = 0; // 0: span the work area
};

struct Configuration {
    WindowDims window;

    bool showIndOnScale = false;
    bool showParamsOnChart = false;
    int barSpacing = 0;    // the Spacing menu: 0 reduced, 1 normal, 2 increased
    int xferNowSource = 1; // the Xfer-now source menu: 0 Yahoo ... 4 Nasdaq; Google by default
    bool xferNowNewData = false;

    std::filesystem::path dataFolder;
    std::array<std::filesystem::path, kQuoteServiceCount> downloadFolders;
    std::filesystem::path groupFolder;
    std::filesystem::path imageFolder;
    std::string sourceFileType = "0"; // as stored: a text that should hold a number
};

// Reads the configuration; values that are absent keep the defaults above. When the store
// cannot be read at all, the main window goes to (12, 12) with a width of 1024.
Configuration readConfiguration(const platform::ConfigStore& store);

// Writes every value of the configuration (the caller saves the store).
void writeConfiguration(platform::ConfigStore& store, const Configuration& config);

// The source file type as a number, or nothing when the text holds none.
std::optional<std::uint8_t> sourceFileTypeValue(const std::string& text);

} // namespace qm

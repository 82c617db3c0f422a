#include "Configuration.h"

#include "ConfigKeys.h"
#include "platform/ConfigStore.h"

#include <charconv>

namespace qm {

namespace ck = config_keys;

namespace {

template <class T> void readInto(T& field, const std::optional<T>& value) {
    if (value) field = *value;
}

void readFolder(std::filesystem::path& field, const std::optional<std::string>& value) {
    if (value) field = *value;
}

} // namespace

Configuration readConfiguration(const platform::ConfigStore& store) {
    Configuration c;
    if (!store.readable()) {
        c.window = WindowDims{12, 12, 1024};
        return c;
    }
    readInto(c.window.left, store.readInt(ck::kWinDims, ck::kLeft));
    readInto(c.window.top, store.readInt(ck::kWinDims, ck::kTop));
    readInto(c.window.width, store.readInt(ck::kWinDims, ck::kWidth));

    readInto(c.showIndOnScale, store.readBool(ck::kOptions, ck::kShowIndOnScale));
    readInto(c.showParamsOnChart, store.readBool(ck::kOptions, ck::kShowParamsOnChart));
    // A value the menus have no item for leaves the menu as it is.
    if (const auto v = store.readInt(ck::kOptions, ck::kChartBarSpacing); v && *v >= 0 && *v <= 2)
        c.barSpacing = *v;
    if (const auto v = store.readInt(ck::kOptions, ck::kXferNowSource);
        v && *v >= 0 && *v < kQuoteServiceCount)
        c.xferNowSource = *v;
    readInto(c.xferNowNewData, store.readBool(ck::kOptions, ck::kXferNowNewData));

    readFolder(c.dataFolder, store.readText(ck::kDirs, ck::kDataDir));
    for (std::size_t i = 0; i < c.downloadFolders.size(); ++i)
        readFolder(c.downloadFolders[i], store.readText(ck::kDirs, ck::kDownloadDirs[i]));
    readFolder(c.groupFolder, store.readText(ck::kDirs, ck::kGroupDir));
    readFolder(c.imageFolder, store.readText(ck::kDirs, ck::kImageDir));
    readInto(c.sourceFileType, store.readText(ck::kDirs, ck::kSourceFileType));
    return c;
}

void writeConfiguration(platform::ConfigStore& store, const Configuration& c) {
    store.writeInt(ck::kWinDims, ck::kLeft, c.window.left);
    store.writeInt(ck::kWinDims, ck::kTop, c.window.top);
    store.writeInt(ck::kWinDims, ck::kWidth, c.window.width);

    store.writeBool(ck::kOptions, ck::kShowIndOnScale, c.showIndOnScale);
    store.writeBool(ck::kOptions, ck::kShowParamsOnChart, c.showParamsOnChart);
    store.writeInt(ck::kOptions, ck::kChartBarSpacing, c.barSpacing);
    store.writeInt(ck::kOptions, ck::kXferNowSource, c.xferNowSource);
    store.writeBool(ck::kOptions, ck::kXferNowNewData, c.xferNowNewData);

    store.writeText(ck::kDirs, ck::kDataDir, c.dataFolder.string());
    for (std::size_t i = 0; i < c.downloadFolders.size(); ++i)
        store.writeText(ck::kDirs, ck::kDownloadDirs[i], c.downloadFolders[i].string());
    store.writeText(ck::kDirs, ck::kGroupDir, c.groupFolder.string());
    store.writeText(ck::kDirs, ck::kImageDir, c.imageFolder.string());
    store.writeText(ck::kDirs, ck::kSourceFileType, c.sourceFileType);
}

std::optional<std::uint8_t> sourceFileTypeValue(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 0 || value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

} // namespace qm

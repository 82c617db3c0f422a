#pragma once
// Indicator settings sets: the 31 indicator records of "Defaults.prm" and of each symbol's own
// ".prm" file (the price chart record, then kinds 1 to 30 in catalogue order), and the record
// lists of chart windows.

#include "indicators/OscObj.h"
#include "market/MessageSink.h"

#include <filesystem>
#include <memory>
#include <vector>

namespace qm {

class TPlotRecList {
public:
    // Each record of the class of its kind (TOscObj::ReadNew); the price chart record first.
    std::vector<std::unique_ptr<TOscObj>> records;

    void save(const std::filesystem::path& file) const;
    // Appends the file's records; see loadList (settings/ListFile.h) for failures.
    void load(const std::filesystem::path& file, MessageSink& sink);
    void clear() { records.clear(); }
};

// Records in a settings set: the price chart record and one per indicator kind.
inline constexpr std::size_t kSettingsSetSize = 1 + kIndicatorKinds;

// The factory default set: the new price chart record, then every kind with its defaults.
TPlotRecList factoryDefaultSet();

// Replaces `file` (normally "Defaults.prm") with the factory default set; the old file stays as
// it was if the new one cannot be written. Throws SettingsError ("Cannot create file ...").
void writeFactoryDefaults(const std::filesystem::path& file);

} // namespace qm

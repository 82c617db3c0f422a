#pragma once
// The program's configuration between runs: named values in groups ("WinDims", "Options",
// "Dirs", "XFers"), kept in one INI file, ~/.config/Quillmar/Quillmar7.conf
// ($XDG_CONFIG_HOME when set). The desktop program and the command line read the same file.
// Integers and flags are stored as numbers (flags as 0 and 1), texts as they are.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QSettings;

namespace qm::platform {

class ConfigStore {
public:
    // The store in `file`; the default is the user's configuration file.
    explicit ConfigStore(const std::filesystem::path& file = defaultFile());
    ~ConfigStore();
    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;

    static std::filesystem::path defaultFile();
    const std::filesystem::path& file() const { return file_; }

    // False when the file exists but cannot be read: every value then reads as absent, and
    // writes and saves do nothing, so the file is never replaced by the few values written.
    bool readable() const { return readable_; }

    // A value that is absent, or not of the type asked for, reads as nothing.
    std::optional<int> readInt(std::string_view group, std::string_view key) const;
    std::optional<bool> readBool(std::string_view group, std::string_view key) const;
    std::optional<std::string> readText(std::string_view group, std::string_view key) const;
    // Every key of `group` with its text, in the file's order of keys sorted by name.
    std::vector<std::pair<std::string, std::string>> readGroup(std::string_view group) const;

    void writeInt(std::string_view group, std::string_view key, int value);
    void writeBool(std::string_view group, std::string_view key, bool value);
    void writeText(std::string_view group, std::string_view key, std::string_view value);

    // Writes what was changed to the file (replacing it whole); false when that failed.
    bool save();

private:
    std::filesystem::path file_;
    bool readable_ = true;
    std::unique_ptr<QSettings> settings_;
};

} // namespace qm::platform

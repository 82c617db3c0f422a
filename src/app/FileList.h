#pragma once
// The ordered list of files that next and previous walk: price files, or chart group files
// after a group folder was loaded. Each entry keeps the interval it is to be opened at when it
// came from the signal list, so skipping missing files never shifts one signal's interval onto
// another file.

#include <filesystem>
#include <optional>
#include <vector>

namespace qm {

struct FileEntry {
    std::filesystem::path path;
    std::optional<int> interval; // a signal's own interval; none: the one chosen last
};

class FileList {
public:
    std::vector<FileEntry> entries;
    int current = 0; // the entry shown last by next or previous

    bool empty() const { return entries.empty(); }
    void clear() {
        entries.clear();
        current = 0;
    }
    void append(std::filesystem::path path, std::optional<int> interval = std::nullopt) {
        entries.push_back({std::move(path), interval});
    }

    // Steps to the next entry, after the last back to the first; the entry, or none when the
    // list is empty.
    const FileEntry* next();
    // Steps to the previous entry, before the first on to the last.
    const FileEntry* previous();
};

// Whether `path` is a chart group file (extension ".grp", exactly).
bool isGroupFile(const std::filesystem::path& path);

} // namespace qm

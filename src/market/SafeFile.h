#pragma once
// Replacing a user's file without ever leaving it half written: the new content goes to a
// sibling temporary file, which is flushed to disk and renamed over the old file.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace qm {

struct SaveResult {
    bool ok = false;
    std::string reason; // the system's reason when not ok
    explicit operator bool() const { return ok; }
};

// Writes `content` to `target` atomically. On failure the old file is untouched and no
// temporary file is left behind.
SaveResult saveFileAtomically(const std::filesystem::path& target, std::string_view content);

// As above, for content produced by a writer that appends to the temporary file through the
// given callback; the writer returns false (after setting nothing) to abandon the save.
using ChunkWriter = std::function<bool(std::string_view chunk)>;
SaveResult saveFileAtomically(const std::filesystem::path& target,
                              const std::function<bool(const ChunkWriter&)>& produce);

} // namespace qm

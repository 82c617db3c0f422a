#pragma once
// Replacing a user's file without ever leaving it half written: the new content goes to a
// temporary file in the same folder, which is flushed to disk and renamed over the old file.
//
// The temporary file has no name while it is written (where the file system allows), and gets a
// hidden one, ".quillmar-save-" plus random characters, only for the rename; a process killed in
// that instant, or on a file system that needs the name from the start, leaves it behind
// unlocked, and the first save into that folder by a later process removes it.

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

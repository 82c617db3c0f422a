#pragma once
// Work folders in the shared temporary folder that a killed process does not leave for good.
// Each folder holds a lock file that its process keeps locked (flock) while the folder is in use;
// the kernel drops the lock when the process ends in any way, so a later start can tell the
// folders of running processes from those of dead ones.

#include <filesystem>
#include <string_view>

namespace qm {

// A folder of one running process's own in a shared parent (the temporary folder), named
// `prefix` plus random characters, holding a lock that the process keeps while the object lives.
// Removed with everything in it when the object goes; a killed process leaves it unlocked, and
// removeStaleWorkFolders() clears it at a later start.
//
// The folder is made and locked under a hidden name and only then renamed to its own, so a
// folder named `prefix`... is always either locked or left by a process that is gone.
class WorkFolder {
public:
    // Throws std::system_error when the folder cannot be made or locked.
    WorkFolder(const std::filesystem::path& parent, std::string_view prefix);
    ~WorkFolder(); // removes the folder and its contents
    WorkFolder(WorkFolder&& other) noexcept;
    WorkFolder& operator=(WorkFolder&& other) noexcept;
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    void release() noexcept;

    std::filesystem::path path_;
    int lockFd_ = -1;
};

// Removes every folder directly in `parent` whose name starts with `prefix` and whose lock is
// free (its process is gone). Held folders, and everything else, stay. A folder without a lock
// file (left by an earlier version of the program, or caught in the instant of being made), and
// one left half made under its hidden name, goes once it has been untouched for an hour.
void removeStaleWorkFolders(const std::filesystem::path& parent, std::string_view prefix);

} // namespace qm

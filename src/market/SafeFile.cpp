#include "SafeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

std::string systemReason(int err) {
    return std::strerror(err);
}

bool writeAll(int fd, std::string_view chunk) {
    while (!chunk.empty()) {
        const ssize_t written = ::write(fd, chunk.data(), chunk.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        chunk.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd); // best effort: the rename itself has already succeeded
    ::close(fd);
}

} // namespace

SaveResult saveFileAtomically(const std::filesystem::path& target,
                              const std::function<bool(const ChunkWriter&)>& produce) {
    std::string tempName = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0) return {false, systemReason(errno)};

    // The replacement keeps the permissions of the file it replaces.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    else
        ::fchmod(fd, 0644);

    int err = 0;
    const ChunkWriter sink = [&](std::string_view chunk) {
        if (err == 0 && !writeAll(fd, chunk)) err = errno ? errno : EIO;
        return err == 0;
    };
    const bool produced = produce(sink);
    if (err == 0 && !produced) err = ECANCELED;
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(tempName.c_str());
        return {false, systemReason(err)};
    }
    syncFolder(target.parent_path());
    return {true, {}};
}

SaveResult saveFileAtomically(const std::filesystem::path& target, std::string_view content) {
    return saveFileAtomically(target,
                              [content](const ChunkWriter& write) { return write(content); });
}

} // namespace qm

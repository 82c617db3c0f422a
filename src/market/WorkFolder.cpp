#include "WorkFolder.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace qm {
namespace {

constexpr const char* kLockName = ".lock";
constexpr int kRandomChars = 6; // the X's of mkdtemp
constexpr int kAttempts = 100;
// Long enough that no process is still between making a folder and locking it.
constexpr auto kUnlockedGrace = std::chrono::hours(1);

std::system_error systemError(int err, const std::string& what) {
    return {err, std::generic_category(), what};
}

void removeAll(const std::filesystem::path& folder) noexcept {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

std::string hiddenPrefix(std::string_view prefix) {
    // Appended rather than "." + prefix: GCC's -Wrestrict misfires on that at -O3.
    std::string hidden(1, '.');
    hidden += prefix;
    return hidden;
}

bool untouchedForGrace(const struct stat& st) {
    const auto modified = std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec);
    return std::chrono::system_clock::now() - modified > kUnlockedGrace;
}

// Removes `folder` when nothing holds its lock. `named` tells a folder under its own name from
// one still under its hidden birth name, whose lock may be only an instant from being taken.
void removeIfStale(const std::filesystem::path& folder, bool named) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return;
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dirFd < 0) return;
    const int lockFd = ::openat(dirFd, kLockName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    const int openError = errno;
    ::close(dirFd);
    if (lockFd < 0) {
        if (openError == ENOENT && untouchedForGrace(st)) removeAll(folder);
        return;
    }
    // Holding the lock while removing keeps a second cleaner off the folder.
    if (::flock(lockFd, LOCK_EX | LOCK_NB) == 0 && (named || untouchedForGrace(st)))
        removeAll(folder);
    ::close(lockFd);
}

} // namespace

WorkFolder::WorkFolder(const std::filesystem::path& parent, std::string_view prefix) {
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string birth = (parent / (hiddenPrefix(prefix) + "XXXXXX")).string();
        if (::mkdtemp(birth.data()) == nullptr)
            throw systemError(errno, "cannot make a work folder in " + parent.string());
        const std::string lockFile = birth + "/" + kLockName;
        const int fd =
            ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        // Waits, should another start's cleaner be holding the new lock for the instant it
        // takes to see that the folder is no stale one.
        int locked = fd < 0 ? -1 : ::flock(fd, LOCK_EX);
        while (locked != 0 && fd >= 0 && errno == EINTR) locked = ::flock(fd, LOCK_EX);
        if (locked != 0) {
            const int err = errno;
            if (fd >= 0) ::close(fd);
            removeAll(birth);
            throw systemError(err, "cannot lock the work folder " + birth);
        }

        // An empty folder of our own reserves the name; renaming the locked folder over it
        // replaces it in one step. A name another folder holds makes a new attempt.
        const std::filesystem::path named =
            parent / (std::string(prefix) + birth.substr(birth.size() - kRandomChars));
        const bool reserved = ::mkdir(named.c_str(), 0700) == 0;
        if (reserved && ::rename(birth.c_str(), named.c_str()) == 0) {
            path_ = named;
            lockFd_ = fd;
            return;
        }
        const int err = errno;
        if (reserved) ::rmdir(named.c_str());
        ::close(fd);
        removeAll(birth);
        if (err != EEXIST) throw systemError(err, "cannot make the work folder " + named.string());
    }
    throw systemError(EEXIST, "no free name for a work folder in " + parent.string());
}

WorkFolder::~WorkFolder() {
    release();
}

WorkFolder::WorkFolder(WorkFolder&& other) noexcept
    : path_(std::move(other.path_)), lockFd_(other.lockFd_) {
    other.path_.clear();
    other.lockFd_ = -1;
}

WorkFolder& WorkFolder::operator=(WorkFolder&& other) noexcept {
    if (this != &other) {
        release();
        path_ = std::move(other.path_);
        lockFd_ = other.lockFd_;
        other.path_.clear();
        other.lockFd_ = -1;
    }
    return *this;
}

void WorkFolder::release() noexcept {
    // Removed while still locked, so that no cleaner takes it for a dead process's folder.
    if (!path_.empty()) removeAll(path_);
    if (lockFd_ >= 0) ::close(lockFd_);
    path_.clear();
    lockFd_ = -1;
}

void removeStaleWorkFolders(const std::filesystem::path& parent, std::string_view prefix) {
    if (prefix.empty()) return; // every folder would match
    const std::string hidden = hiddenPrefix(prefix);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(parent, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(prefix))
            removeIfStale(it->path(), true);
        else if (name.starts_with(hidden))
            removeIfStale(it->path(), false);
    }
}

} // namespace qm

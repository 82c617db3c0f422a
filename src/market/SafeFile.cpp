#include "SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

// Hidden and free of any extension, so that no listing of price files or settings files takes a
// temporary for one of its own.
constexpr std::string_view kTempPrefix = ".quillmar-save-";
constexpr int kNameAttempts = 100;

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

std::filesystem::path folderOf(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.parent_path();
    return folder.empty() ? "." : folder;
}

void syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd); // best effort: the rename itself has already succeeded
    ::close(fd);
}

std::string randomName() {
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string name(kTempPrefix);
    for (int i = 0; i < 6; ++i) name += kChars[pick(random)];
    return name;
}

// Removes the named temporary `name` in `folder` when no save holds its lock: its process was
// killed between naming it and the rename. The lock is held while removing, and the name must
// still be the file that was locked.
void removeIfUnlocked(const std::filesystem::path& file) {
    struct stat named {};
    if (::lstat(file.c_str(), &named) != 0 || !S_ISREG(named.st_mode) ||
        named.st_uid != ::geteuid())
        return;
    const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    struct stat locked {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &locked) == 0 &&
        ::lstat(file.c_str(), &named) == 0 && locked.st_ino == named.st_ino &&
        locked.st_dev == named.st_dev)
        ::unlink(file.c_str());
    ::close(fd);
}

// Clears the temporaries that killed saves left in `folder`, once per folder and process: the
// first save into a folder tidies it, later ones need not look again.
void removeStaleTemporariesOnce(const std::filesystem::path& folder) {
    static std::mutex mutex;
    static std::set<std::string> cleared;
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
    {
        const std::lock_guard lock(mutex);
        if (ec || !cleared.insert(absolute.string()).second) return;
    }
    for (std::filesystem::directory_iterator it(absolute, ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().filename().string().starts_with(kTempPrefix)) removeIfUnlocked(it->path());
}

// A file being written for a save, locked from the moment it has a name in the folder until the
// save ends, so that removeIfUnlocked never takes it for a leftover.
class TempFile {
public:
    explicit TempFile(const std::filesystem::path& folder) : folder_(folder) {}
    ~TempFile() {
        if (!name_.empty()) ::unlink(name_.c_str());
        if (fd_ >= 0) ::close(fd_);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }

    // Opens the file: unnamed where the file system can, else under a fresh hidden name.
    // Returns 0 or the error.
    int open() {
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            ::flock(fd_, LOCK_EX); // nobody else can reach a file without a name
            return 0;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string name = (folder_ / randomName()).string();
            const int fd =
                ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0 && errno == EEXIST) continue;
            if (fd < 0) return errno;
            // A cleaner that came between the naming and the lock has removed the name (or is
            // about to, holding the lock): start again under another.
            struct stat st {};
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) {
                fd_ = fd;
                name_ = std::move(name);
                return 0;
            }
            ::close(fd);
        }
        return EEXIST;
    }

    // Gives an unnamed file a fresh hidden name, so that it can be renamed over the target.
    // Returns 0 or the error.
    int name() {
        if (!name_.empty()) return 0;
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            std::string name = (folder_ / randomName()).string();
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
                (errno == ENOENT && // without /proc
                 ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)) {
                name_ = std::move(name);
                return 0;
            }
            if (errno != EEXIST) return errno;
        }
        return EEXIST;
    }

    // Renames the file over `target`; the file then no longer needs removing.
    int renameOver(const std::filesystem::path& target) {
        if (::rename(name_.c_str(), target.c_str()) != 0) return errno;
        name_.clear();
        return 0;
    }

private:
    std::filesystem::path folder_;
    std::string name_; // empty while unnamed, and once renamed
    int fd_ = -1;
};

} // namespace

SaveResult saveFileAtomically(const std::filesystem::path& target,
                              const std::function<bool(const ChunkWriter&)>& produce) {
    const std::filesystem::path folder = folderOf(target);
    removeStaleTemporariesOnce(folder);

    TempFile temp(folder);
    if (const int err = temp.open()) return {false, systemReason(err)};
    const int fd = temp.fd();

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
    if (err == 0) err = temp.name();
    if (err == 0) err = temp.renameOver(target);
    if (err != 0) return {false, systemReason(err)};
    syncFolder(folder);
    return {true, {}};
}

SaveResult saveFileAtomically(const std::filesystem::path& target, std::string_view content) {
    return saveFileAtomically(target,
                              [content](const ChunkWriter& write) { return write(content); });
}

} // namespace qm

#include "market/WorkFolder.h"

#include "support/TempDir.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qm {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "qm-work-";

std::vector<std::string> entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

void makeOld(const fs::path& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(2));
}

// A folder as a process that was killed leaves it: the lock file is there, nobody holds it.
fs::path deadFolder(const fs::path& parent, const std::string& name) {
    fs::create_directory(parent / name);
    std::ofstream(parent / name / ".lock");
    std::ofstream(parent / name / "~TEM0001.QLM") << "bars";
    return parent / name;
}

// A child process holding a work folder until it is killed.
class HoldingChild {
public:
    explicit HoldingChild(const fs::path& parent) {
        int fds[2];
        if (::pipe(fds) != 0) throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            WorkFolder folder(parent, kPrefix);
            const std::string name = folder.path().string() + "\n";
            if (::write(fds[1], name.data(), name.size()) < 0) ::_exit(1);
            for (;;) ::pause();
        }
        ::close(fds[1]);
        char c;
        std::string name;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') name += c;
        ::close(fds[0]);
        path_ = name;
    }
    ~HoldingChild() { kill(); }
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    const fs::path& path() const { return path_; }

private:
    pid_t pid_ = -1;
    fs::path path_;
};

TEST(WorkFolder, IsMadeUnderItsPrefixAndRemovedWithItsContent) {
    test::TempDir dir;
    fs::path path;
    {
        WorkFolder folder(dir.path(), kPrefix);
        path = folder.path();
        EXPECT_EQ(path.parent_path(), dir.path());
        EXPECT_TRUE(path.filename().string().starts_with(kPrefix));
        EXPECT_TRUE(fs::is_directory(path));
        fs::create_directory(path / "0");
        std::ofstream(path / "0" / "answer.csv") << "Date,Open";

        WorkFolder moved(std::move(folder));
        EXPECT_EQ(moved.path(), path);
        WorkFolder second(dir.path(), kPrefix);
        EXPECT_NE(second.path(), path);
        second = std::move(moved); // the second folder goes, the first lives on
        EXPECT_EQ(entries(dir.path()), std::vector<std::string>{path.filename()});
        EXPECT_TRUE(fs::exists(path / "0" / "answer.csv"));
    }
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(dir.fileCount(), 0u);
}

TEST(WorkFolder, ThrowsWhenTheFolderCannotBeMade) {
    test::TempDir dir;
    EXPECT_THROW(WorkFolder(dir / "missing", kPrefix), std::system_error);
}

TEST(WorkFolder, CleanerRemovesOnlyFoldersNobodyHolds) {
    test::TempDir dir;
    const fs::path& parent = dir.path();
    WorkFolder ownHeld(parent, kPrefix);
    HoldingChild child(parent);
    ASSERT_TRUE(fs::is_directory(child.path()));

    deadFolder(parent, std::string(kPrefix) + "dead01");
    // Without a lock file: from an earlier version, or one being made this instant.
    fs::create_directory(parent / (std::string(kPrefix) + "nolock"));
    const fs::path oldNoLock = parent / (std::string(kPrefix) + "oldnolock");
    fs::create_directory(oldNoLock);
    makeOld(oldNoLock);
    // Under the hidden birth name: its lock may be an instant from being taken.
    deadFolder(parent, "." + std::string(kPrefix) + "born01");
    makeOld(deadFolder(parent, "." + std::string(kPrefix) + "born02"));
    // Other things that are not ours stay whatever their name.
    deadFolder(parent, "other-dead01");
    std::ofstream(parent / (std::string(kPrefix) + "file"));
    const fs::path target = deadFolder(parent, "target");
    fs::create_directory_symlink(target, parent / (std::string(kPrefix) + "link"));

    removeStaleWorkFolders(parent, kPrefix);
    const std::vector<std::string> kept = {"." + std::string(kPrefix) + "born01",
                                           "other-dead01",
                                           ownHeld.path().filename(),
                                           child.path().filename(),
                                           std::string(kPrefix) + "file",
                                           std::string(kPrefix) + "link",
                                           std::string(kPrefix) + "nolock",
                                           "target"};
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries(parent), expected);
    EXPECT_TRUE(fs::exists(target / "~TEM0001.QLM"));

    // Once the child is killed its folder is free and goes at the next start.
    child.kill();
    ASSERT_TRUE(fs::is_directory(child.path()));
    removeStaleWorkFolders(parent, kPrefix);
    EXPECT_FALSE(fs::exists(child.path()));
    EXPECT_TRUE(fs::is_directory(ownHeld.path()));
}

// Processes that start at once each clear the others' stale folders while making their own:
// no folder is taken from a living process, also in the instant of being made.
TEST(WorkFolder, ConcurrentStartsNeverRemoveALivingFolder) {
    test::TempDir dir;
    constexpr int kProcesses = 4;
    constexpr int kRounds = 150;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            int status = 0;
            try {
                for (int round = 0; round < kRounds && status == 0; ++round) {
                    removeStaleWorkFolders(dir.path(), kPrefix);
                    WorkFolder folder(dir.path(), kPrefix);
                    removeStaleWorkFolders(dir.path(), kPrefix);
                    const int fd =
                        ::open((folder.path() / "data").c_str(), O_CREAT | O_WRONLY, 0600);
                    if (fd < 0)
                        status = 1;
                    else
                        ::close(fd);
                }
            } catch (...) {
                status = 2;
            }
            ::_exit(status);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }
    EXPECT_EQ(dir.fileCount(), 0u);
}

} // namespace
} // namespace qm

#include "market/SafeFile.h"

#include "support/FileContent.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace qm {
namespace {

TEST(SafeFile, ReplacesContentAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto file = dir.write("prices.csv", "old");
    ASSERT_TRUE(saveFileAtomically(file, "new content"));
    EXPECT_EQ(test::readFile(file), "new content");
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST(SafeFile, ReplacesAFileWhoseNameIsAsLongAsTheFileSystemAllows) {
    test::TempDir dir;
    const auto file = dir.write(std::string(251, 'P') + ".csv", "old");
    ASSERT_TRUE(saveFileAtomically(file, "new"));
    EXPECT_EQ(test::readFile(file), "new");
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST(SafeFile, FailingRenameKeepsTheOldFile) {
    test::TempDir dir;
    // A non-empty folder in the target's place makes the final rename fail.
    std::filesystem::create_directories(dir / "target" / "inner");
    const SaveResult result = saveFileAtomically(dir / "target", "data");
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "target" / "inner"));
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST(SafeFile, AbandonedWriterKeepsTheOldFile) {
    test::TempDir dir;
    const auto file = dir.write("a.prm", "keep me");
    const SaveResult result = saveFileAtomically(file, [](const ChunkWriter& write) {
        write("partial");
        return false;
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(test::readFile(file), "keep me");
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST(SafeFile, FullFileSystemKeepsTheOldFile) {
    test::TempDir dir;
    const auto mountPoint = dir / "small";
    std::filesystem::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    struct Unmount {
        std::filesystem::path p;
        ~Unmount() { ::umount(p.c_str()); }
    } unmount{mountPoint};

    const auto file = mountPoint / "Defaults.prm";
    ASSERT_TRUE(saveFileAtomically(file, std::string(16 * 1024, 'a')));
    const SaveResult result = saveFileAtomically(file, std::string(128 * 1024, 'b'));
    EXPECT_FALSE(result);
    EXPECT_EQ(test::readFile(file), std::string(16 * 1024, 'a'));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(mountPoint))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

std::vector<std::string> entries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SafeFile, FirstSaveIntoAFolderRemovesTheTemporariesOfKilledSaves) {
    test::TempDir dir;
    dir.write(".quillmar-save-dead01", "partial");
    // A save running in another process holds the lock of its temporary.
    const auto running = dir.write(".quillmar-save-live01", "being written");
    const int held = ::open(running.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    // Not ours, whatever they look like.
    dir.write("IBM.csv.AbC123", "an earlier version's temporary");
    dir.write("quillmar-save-x", "user file");

    ASSERT_TRUE(saveFileAtomically(dir / "IBM.csv", "Date,Open\r\n"));
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{".quillmar-save-live01", "IBM.csv",
                                                             "IBM.csv.AbC123", "quillmar-save-x"}));
    ::close(held);
}

// The save of save_probe is killed at each of its system calls in turn, once with the file
// system's unnamed temporary files and once without them. After every kill the target holds
// the old content or the whole new one, nothing but a hidden temporary lies beside it, and the
// next save leaves nothing beside it.
class KilledSave : public ::testing::Test {
protected:
    struct Call {
        std::string name;
        int occurrence = 0; // among the process's calls of that name, from 1
        std::string line;
    };

    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
        // Sixty traced runs of a sanitized probe take a minute and check nothing the plain
        // build does not; the save's own code runs under the sanitizers in the tests above.
        GTEST_SKIP() << "run by the plain build";
#endif
        if (std::system("strace -qq -o /dev/null true >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "strace cannot trace here";
    }

    static std::string command(const std::string& strace, const std::filesystem::path& target) {
        // LeakSanitizer cannot work under a tracer.
        return "ASAN_OPTIONS=detect_leaks=0 strace -qq " + strace + " " + QM_SAVE_PROBE + " '" +
               target.string() + "' '" + kChunk + "' >/dev/null 2>&1";
    }

    // The system calls of the save, traced with `inject` (strace options).
    std::vector<Call> saveCalls(const std::string& inject) {
        std::filesystem::create_directories(dir_ / "trace");
        const auto target = dir_.write("trace/prices.csv", "");
        const auto log = dir_ / "trace.log";
        EXPECT_EQ(std::system(command("-o '" + log.string() + "' " + inject, target).c_str()), 0);
        std::vector<Call> calls;
        std::map<std::string, int> seen;
        bool inSave = false;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);) {
            const auto paren = line.find('(');
            if (paren == std::string::npos || line.starts_with("+++")) continue;
            const std::string name = line.substr(0, paren);
            const int occurrence = ++seen[name];
            if (line.find("qm-save-begin") != std::string::npos)
                inSave = true;
            else if (line.find("qm-save-end") != std::string::npos)
                break;
            else if (inSave)
                calls.push_back({name, occurrence, line});
        }
        return calls;
    }

    // Kills the save at `call` and checks what is left, then saves once more.
    void killAt(const Call& call, const std::string& inject, int round) {
        SCOPED_TRACE(call.line);
        const std::string folderName = "kill" + std::to_string(round);
        const auto folder = dir_ / folderName;
        std::filesystem::create_directories(folder);
        const auto target = dir_.write(folderName + "/prices.csv", kOld);
        const int status =
            std::system(command(inject + " -o /dev/null -e inject=" + call.name +
                                    ":signal=KILL:when=" + std::to_string(call.occurrence),
                                target)
                            .c_str());
        EXPECT_TRUE((WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGKILL) ||
                    (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL))
            << "status " << status;
        const std::string content = test::readFile(target);
        EXPECT_TRUE(content == kOld || content == newContent()) << content.size() << " bytes";
        for (const auto& name : entries(folder))
            EXPECT_TRUE(name == "prices.csv" || name.starts_with(".quillmar-save-")) << name;

        EXPECT_EQ(std::system(command("-o /dev/null", target).c_str()), 0);
        EXPECT_EQ(test::readFile(target), newContent());
        EXPECT_EQ(entries(folder), std::vector<std::string>{"prices.csv"});
    }

    static std::string newContent() {
        return std::string(kChunk) + kChunk + kChunk;
    }

    static constexpr const char* kOld = "Date,Open,High,Low,Close,Volume\r\nold rows\r\n";
    static constexpr const char* kChunk = "20240102,1.5,2,1,1.75,1000;";
    test::TempDir dir_;
};

TEST_F(KilledSave, LeavesTheOldOrTheNewFileAndNothingBeside) {
    const std::vector<Call> unnamed = saveCalls("");
    const auto tmpfile = std::find_if(unnamed.begin(), unnamed.end(), [](const Call& c) {
        return c.line.find("O_TMPFILE") != std::string::npos;
    });
    ASSERT_NE(tmpfile, unnamed.end()) << "the save opens no unnamed file";
    int round = 0;
    for (const Call& call : unnamed) killAt(call, "", ++round);

    // As on a file system without unnamed files. A second rule for the same call would
    // replace this one, so the named run is not killed at its opens.
    const std::string noTmpfile =
        "-e inject=openat:error=EOPNOTSUPP:when=" + std::to_string(tmpfile->occurrence);
    const std::vector<Call> named = saveCalls(noTmpfile);
    ASSERT_TRUE(
        std::none_of(named.begin(), named.end(), [](const Call& c) { return c.name == "linkat"; }));
    for (const Call& call : named)
        if (call.name != "openat") killAt(call, noTmpfile, ++round);
}

} // namespace
} // namespace qm

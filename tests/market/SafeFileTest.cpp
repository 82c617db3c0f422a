#include "market/SafeFile.h"

#include "support/FileContent.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

namespace qm {
namespace {

TEST(SafeFile, ReplacesContentAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const auto file = dir.write("prices.csv", "old");
    ASSERT_TRUE(saveFileAtomically(file, "new content"));
    EXPECT_EQ(test::readFile(file), "new content");
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

} // namespace
} // namespace qm

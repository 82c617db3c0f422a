#include "app/FolderRules.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

TEST(FolderRules, ParentFolder) {
    struct Case {
        const char* path;
        const char* parent;
    };
    const Case cases[] = {
        {"/home/ann/Documents/Quillmar/Quillmar7/CSV", "/home/ann/Documents/Quillmar/Quillmar7"},
        {"/home/ann/prices/", "/home/ann/prices"}, // a trailing delimiter: the path without it
        {"/prices", ""},
        {"prices", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(parentFolder(c.path), fs::path(c.parent)) << c.path;
}

TEST(FolderRules, FirstRunMakesEveryFolderFromTheSystemOnes) {
    test::TempDir dir;
    Configuration config;
    config.groupFolder = "/elsewhere/Groups"; // never taken from the configuration
    const SettledFolders settled = settleFolders(config, {dir / "Documents", dir / "local"});
    EXPECT_TRUE(settled.failures.empty());
    const fs::path ours = dir / "Documents" / "Quillmar" / "Quillmar7";
    EXPECT_EQ(config.dataFolder, ours / "CSV");
    EXPECT_TRUE(fs::is_directory(ours / "CSV"));
    EXPECT_EQ(config.imageFolder, ours);
    EXPECT_EQ(config.downloadFolders[0], ours / "Yahoo Data");
    EXPECT_EQ(config.downloadFolders[4], ours / "Nasdaq Data");
    for (const auto& f : config.downloadFolders) EXPECT_TRUE(fs::is_directory(f)) << f;
    EXPECT_EQ(settled.settings, dir / "local" / "Quillmar" / "Quillmar7");
    EXPECT_EQ(config.groupFolder, settled.settings / "Groups");
    EXPECT_TRUE(fs::is_directory(config.groupFolder));
}

TEST(FolderRules, StoredFoldersThatExistAreKept) {
    test::TempDir dir;
    fs::create_directories(dir / "mine" / "csv");
    fs::create_directories(dir / "pics");
    fs::create_directories(dir / "y");
    Configuration config;
    config.dataFolder = dir / "mine" / "csv";
    config.imageFolder = dir / "pics";
    config.downloadFolders[0] = dir / "y";
    config.downloadFolders[1] = dir / "gone"; // no longer there: made beside the data folder
    settleFolders(config, {dir / "Documents", dir / "local"});
    EXPECT_EQ(config.dataFolder, dir / "mine" / "csv");
    EXPECT_EQ(config.imageFolder, dir / "pics");
    EXPECT_EQ(config.downloadFolders[0], dir / "y");
    EXPECT_EQ(config.downloadFolders[1], dir / "mine" / "Google Data");
}

TEST(FolderRules, FoldersThatCannotBeMadeAreReported) {
    test::TempDir dir;
    dir.write("blocked", "a file where a folder should go");
    Configuration config;
    config.dataFolder = dir / "blocked" / "csv"; // neither it nor anything beside it can be made
    const SettledFolders settled = settleFolders(config, {dir / "blocked", dir / "blocked"});
    // The download folders fall back to the data folder; the settings folder is reported.
    for (const auto& f : config.downloadFolders) EXPECT_EQ(f, config.dataFolder);
    EXPECT_TRUE(settled.settings.empty());
    ASSERT_EQ(settled.failures.size(), 1u);
    EXPECT_EQ(settled.failures[0],
              "Cannot create " + (dir / "blocked").string() + "/Quillmar/Quillmar7");
}

} // namespace
} // namespace qm

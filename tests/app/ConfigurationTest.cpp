#include "app/Configuration.h"

#include "app/ConfigKeys.h"
#include "platform/ConfigStore.h"
#include "support/FileContent.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace ck = config_keys;

TEST(Configuration, AbsentValuesKeepTheDefaults) {
    test::TempDir dir;
    const platform::ConfigStore store(dir / "none.conf");
    const Configuration c = readConfiguration(store);
    EXPECT_EQ(c.window.width, 0); // spans the work area
    EXPECT_EQ(c.barSpacing, 0);
    EXPECT_EQ(c.xferNowSource, 1); // Google
    EXPECT_FALSE(c.xferNowNewData);
    EXPECT_EQ(c.sourceFileType, "0");
    EXPECT_TRUE(c.dataFolder.empty());
}

TEST(Configuration, RoundTripKeepsEveryValue) {
    test::TempDir dir;
    Configuration c;
    c.window = {40, 30, 1300};
    c.showIndOnScale = true;
    c.showParamsOnChart = true;
    c.barSpacing = 2;
    c.xferNowSource = 4;
    c.xferNowNewData = true;
    c.dataFolder = "/data/prices, mine";
    c.downloadFolders = {"/d/y", "/d/g", "/d/o", "/d/q", "/d/n"};
    c.groupFolder = "/s/Groups";
    c.imageFolder = "/pictures/Kurse é";
    c.sourceFileType = "0";
    {
        platform::ConfigStore store(dir / "q.conf");
        writeConfiguration(store, c);
        ASSERT_TRUE(store.save());
    }
    const Configuration back = readConfiguration(platform::ConfigStore(dir / "q.conf"));
    EXPECT_EQ(back.window.left, 40);
    EXPECT_EQ(back.window.top, 30);
    EXPECT_EQ(back.window.width, 1300);
    EXPECT_TRUE(back.showIndOnScale);
    EXPECT_TRUE(back.showParamsOnChart);
    EXPECT_EQ(back.barSpacing, 2);
    EXPECT_EQ(back.xferNowSource, 4);
    EXPECT_TRUE(back.xferNowNewData);
    EXPECT_EQ(back.dataFolder, c.dataFolder);
    EXPECT_EQ(back.downloadFolders, c.downloadFolders);
    EXPECT_EQ(back.groupFolder, c.groupFolder);
    EXPECT_EQ(back.imageFolder, c.imageFolder);
    // Flags are stored as the numbers 1 and 0, not as true and false.
    EXPECT_NE(test::readFile(dir / "q.conf").find("ShoIndOnScale=1"), std::string::npos);
}

TEST(Configuration, MenuIndexesOutsideTheirMenusAreIgnored) {
    test::TempDir dir;
    dir.write("q.conf", "[Options]\nChartBarSpacing=7\nXferNowSource=-3\n"
                        "ShoIndOnScale=maybe\n[WinDims]\nWidth=wide\n");
    const Configuration c = readConfiguration(platform::ConfigStore(dir / "q.conf"));
    EXPECT_EQ(c.barSpacing, 0);
    EXPECT_EQ(c.xferNowSource, 1);
    EXPECT_FALSE(c.showIndOnScale);
    EXPECT_EQ(c.window.width, 0);
}

TEST(Configuration, AnUnreadableStoreGivesTheFallbackPlaceAndIsNeverOverwritten) {
    test::TempDir dir;
    // A folder where the file should be cannot be read, whoever runs the test.
    const auto file = dir / "q.conf";
    std::filesystem::create_directories(file / "kept");
    platform::ConfigStore store(file);
    EXPECT_FALSE(store.readable());
    const Configuration c = readConfiguration(store);
    EXPECT_EQ(c.window.left, 12);
    EXPECT_EQ(c.window.top, 12);
    EXPECT_EQ(c.window.width, 1024);
    writeConfiguration(store, c);
    EXPECT_FALSE(store.save());
    EXPECT_TRUE(std::filesystem::is_directory(file / "kept"));
}

TEST(Configuration, SourceFileTypeMustBeANumber) {
    EXPECT_EQ(sourceFileTypeValue("0"), 0);
    EXPECT_EQ(sourceFileTypeValue("3"), 3);
    EXPECT_FALSE(sourceFileTypeValue("abc"));
    EXPECT_FALSE(sourceFileTypeValue(""));
    EXPECT_FALSE(sourceFileTypeValue("1x"));
    EXPECT_FALSE(sourceFileTypeValue("-1"));
}

TEST(ConfigStore, ReadsTheDownloadEndpointGroupAsTheCommandLineWrites) {
    test::TempDir dir;
    dir.write("q.conf", "[Dirs]\nAsciiDataDir=/x\n\n[XFers]\n"
                        "yahooHistory=http://127.0.0.1:8080/v8\nqmediaLookupId=\"abc def\"\n");
    const platform::ConfigStore store(dir / "q.conf");
    const auto group = store.readGroup(ck::kXfers);
    ASSERT_EQ(group.size(), 2u);
    EXPECT_EQ(group[0].first, "qmediaLookupId");
    EXPECT_EQ(group[0].second, "abc def");
    EXPECT_EQ(group[1].second, "http://127.0.0.1:8080/v8");
}

} // namespace
} // namespace qm

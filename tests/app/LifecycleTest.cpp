#include "app/Lifecycle.h"

#include "market/ChartDataFile.h"
#include "platform/ConfigStore.h"
#include "settings/SettingsFiles.h"
#include "settings/lists/PlotRecList.h"
#include "support/FileContent.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
namespace sf = settings_files;

std::size_t entriesIn(const fs::path& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
    return n;
}

struct Account {
    test::TempDir dir;
    SystemFolders system{dir / "Documents", dir / "local"};
    fs::path configFile = dir / "config" / "Quillmar7.conf";
    fs::path settings = dir / "local" / "Quillmar" / "Quillmar7";
    fs::path temp = dir / "tmp";
    Account() { fs::create_directories(temp); }
};

TEST(Lifecycle, CleanFirstRun) {
    Account a;
    test::RecordingSink sink;
    AppState state;
    {
        platform::ConfigStore config(a.configFile);
        startUp(state, config, a.system, sink);
        makeChartFolder(state, a.temp, sink);
        EXPECT_TRUE(sink.messages.empty()) << sink.texts().front();
        EXPECT_EQ(state.settingsFolder, a.settings);
        EXPECT_TRUE(state.settingsListLoaded);
        EXPECT_TRUE(fs::is_directory(state.chartDataFolder()));
        shutDown(state, config, sink);
    }
    struct Expectation {
        fs::path path;
        bool folder;
    };
    const Expectation made[] = {
        {a.dir / "Documents" / "Quillmar" / "Quillmar7" / "CSV", true},
        {a.dir / "Documents" / "Quillmar" / "Yahoo Data", false}, // beside the data folder
        {a.dir / "Documents" / "Quillmar" / "Quillmar7" / "Yahoo Data", true},
        {a.settings / "Groups", true},
        {a.settings / sf::kDefaultSettings, false},
        {a.settings / sf::kSettingsList, false},
        {a.configFile, false},
    };
    for (const auto& m : made) {
        if (m.folder) {
            EXPECT_TRUE(fs::is_directory(m.path)) << m.path;
        }
    }
    EXPECT_FALSE(fs::exists(made[1].path));
    EXPECT_TRUE(fs::is_regular_file(made[4].path));

    // The factory settings, byte for byte, and the settings list's single entry.
    const fs::path factory = a.dir / "factory.prm";
    writeFactoryDefaults(factory);
    EXPECT_EQ(test::readFile(a.settings / sf::kDefaultSettings), test::readFile(factory));
    TParamRecList list;
    list.load(a.settings / sf::kSettingsList, sink);
    ASSERT_EQ(list.records.size(), 1u);
    EXPECT_EQ(list.records[0].symbol, "Defaults");
    EXPECT_EQ(list.records[0].file, "");

    // The configuration written at exit brings the same folders back.
    AppState again;
    startUp(again, platform::ConfigStore(a.configFile), a.system, sink);
    EXPECT_EQ(again.config.dataFolder, state.config.dataFolder);
    EXPECT_EQ(again.config.downloadFolders, state.config.downloadFolders);
    // This run's chart data folder went with it.
    EXPECT_EQ(entriesIn(a.temp), 0u);
}

TEST(Lifecycle, NonNumericSourceFileTypeIsReportedAndTheFoldersStillSettle) {
    Account a;
    fs::create_directories(a.configFile.parent_path());
    std::ofstream(a.configFile) << "[Dirs]\nSourceFileType=abc\n";
    test::RecordingSink sink;
    AppState state;
    startUp(state, platform::ConfigStore(a.configFile), a.system, sink);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"'abc' is not a valid integer value"});
    EXPECT_EQ(state.sourceFileType, 0);
    EXPECT_EQ(state.settingsFolder, a.settings);
    EXPECT_TRUE(fs::is_regular_file(a.settings / sf::kSettingsList));
    EXPECT_TRUE(fs::is_directory(state.config.dataFolder));
}

TEST(Lifecycle, AnUnreadableSettingsListIsReportedAndNeverSavedOver) {
    Account a;
    fs::create_directories(a.settings);
    const std::string damaged = "\x01\x06\x03"
                                "ABC"; // a list cut off inside its first record
    const fs::path listFile = a.settings / sf::kSettingsList;
    std::ofstream(listFile, std::ios::binary) << damaged;
    test::RecordingSink sink;
    AppState state;
    platform::ConfigStore config(a.configFile);
    startUp(state, config, a.system, sink);
    EXPECT_FALSE(sink.messages.empty());
    EXPECT_FALSE(state.settingsListLoaded);
    state.settingsList.setEntry("XYZ", "/prices/XYZ.csv");
    shutDown(state, config, sink);
    EXPECT_EQ(test::readFile(listFile), damaged);
}

TEST(Lifecycle, ASecondInstanceKeepsItsChartFilesThroughTheFirstOnesStartAndExit) {
    Account a;
    test::RecordingSink sink;
    AppState second;
    makeChartFolder(second, a.temp, sink);
    const fs::path secondFile = chartDataFileName(second.chartDataFolder(), 7);
    std::ofstream(secondFile) << "bars";
    // A run that was killed left its folder behind.
    const fs::path killed = a.temp / (std::string(kChartFolderPrefix) + "dead01");
    fs::create_directories(killed);
    std::ofstream(killed / ".lock") << "";
    std::ofstream(chartDataFileName(killed, 3)) << "old bars";

    AppState first;
    {
        platform::ConfigStore config(a.configFile);
        startUp(first, config, a.system, sink);
        makeChartFolder(first, a.temp, sink);
        shutDown(first, config, sink);
    }
    EXPECT_TRUE(fs::exists(secondFile));
    EXPECT_FALSE(fs::exists(killed));
    second.chartFolder.reset();
    EXPECT_EQ(entriesIn(a.temp), 0u);
}

} // namespace
} // namespace qm

#include "dialogs/DataPickModel.h"

#include "settings/SettingsFiles.h"
#include "support/FileContent.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
namespace sf = settings_files;

using Lines = std::vector<std::string>;

// A data folder of three price files, favourites of two symbols and the scanner's signal list
// of two signals. The signal list must come out of every test byte for byte as it went in.
struct PickDesk {
    test::TempDir dir;
    fs::path settings = dir / "settings";
    fs::path data = dir / "Quillmar" / "CSV";
    test::RecordingSink sink;
    TParamRecList favourites;
    TSignalRecList signals;
    DataPickModel model{favourites, signals, settings, sink};
    std::string signalBytes;

    PickDesk() {
        fs::create_directories(settings);
        fs::create_directories(data);
        for (const char* name : {"AAA.csv", "BBB = Bee Corp.csv", "ccc.csv", "notes.txt"})
            std::ofstream(data / name) << "x";
        TParamRecList saved;
        saved.records = {{"ZZZ", file("ZZZ.csv")}, {"AAA", file("AAA.csv")}};
        saved.save(favouritesFile());
        TSignalRecList scanned;
        scanned.records = {{"CCC", file("ccc.csv"), 1}, {"AAA", file("AAA.csv"), 2}};
        scanned.save(signalsFile());
        signalBytes = test::readFile(signalsFile());
        model.start(data, 1, ChartOption::PriceOnly);
    }
    ~PickDesk() {
        EXPECT_EQ(test::readFile(signalsFile()), signalBytes) << "the signal list was written";
    }
    std::string file(const char* name) const { return (data / name).string(); }
    fs::path favouritesFile() const { return settings / sf::kFavourites; }
    fs::path signalsFile() const { return settings / sf::kSignalList; }
    Lines savedFavourites() const {
        TParamRecList list;
        test::RecordingSink quiet;
        list.load(favouritesFile(), quiet);
        Lines out;
        for (const auto& r : list.records) out.push_back(r.symbol + " " + r.file);
        return out;
    }
};

struct DataPick : testing::Test, PickDesk {};

TEST(PickedSymbol, NameBeforeTheExtensionAndTheCompanyName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/d/IBM = Intl Business.csv", "IBM"},
        {"/d/ ABC .csv", "ABC"},
        {"/d/EURUSD=X.csv", "EURUSD=X"},
        {"/d/BRK.B.csv", "BRK.B"},
        {"/d/ = Nameless.csv", ""},
    };
    for (const auto& [file, symbol] : cases) EXPECT_EQ(pickedSymbol(file), symbol) << file;
}

TEST_F(DataPick, OpensOnTheFolderWithTheFavouritesSorted) {
    EXPECT_EQ(model.folderFiles(), (Lines{"AAA.csv", "BBB = Bee Corp.csv", "ccc.csv"}));
    EXPECT_EQ(model.shown(), (Lines{"AAA", "ZZZ"}));
    EXPECT_EQ(model.shownList(), DataPickModel::ListKind::Favourites);
    EXPECT_EQ(model.picked(), "*.csv");
    EXPECT_FALSE(model.pickedIsFile());
    EXPECT_FALSE(model.favouritesTicked() || model.signalsTicked());
    EXPECT_EQ(model.interval(), 1);
}

TEST_F(DataPick, FavouritesTakeDropsRefuseDuplicatesAndDeleteTheirEmptiedFile) {
    // The path keeps its case: on this file system another case names another file.
    EXPECT_EQ(model.dropFile(data / "BBB = Bee Corp.csv"), 1u);
    EXPECT_EQ(model.shown(), (Lines{"AAA", "BBB", "ZZZ"}));
    EXPECT_EQ(savedFavourites(),
              (Lines{"AAA " + file("AAA.csv"), "BBB " + file("BBB = Bee Corp.csv"),
                     "ZZZ " + file("ZZZ.csv")}));
    EXPECT_EQ(model.dropFile(data / "AAA.csv"), std::nullopt);
    EXPECT_EQ(sink.texts(), Lines{"AAA is already in the list."});

    model.removeLines({2, 0});
    EXPECT_EQ(model.shown(), Lines{"BBB"});
    EXPECT_EQ(savedFavourites(), Lines{"BBB " + file("BBB = Bee Corp.csv")});
    model.leaveList();
    EXPECT_TRUE(fs::exists(favouritesFile()));
    model.removeLines({0});
    model.leaveList();
    EXPECT_FALSE(fs::exists(favouritesFile()));
}

TEST_F(DataPick, TickingSwitchesListsAndNeverWritesTheSignalList) {
    model.tickSignals(true);
    EXPECT_EQ(model.shownList(), DataPickModel::ListKind::Signals);
    EXPECT_EQ(model.shown(), (Lines{"CCC", "AAA"})); // as the scanner wrote them
    EXPECT_TRUE(favourites.records.empty());
    EXPECT_FALSE(model.acceptsDrops());
    EXPECT_EQ(savedFavourites().size(), 2u); // saved as they were
    // Delete and leaving shorten this run's list only.
    model.removeLines({0});
    EXPECT_EQ(model.shown(), Lines{"AAA"});
    ASSERT_EQ(signals.records.size(), 1u);
    EXPECT_EQ(signals.records[0].interval, 2);
    model.removeLines({0});
    model.leaveList();

    model.tickFavourites(true);
    EXPECT_FALSE(model.signalsTicked());
    EXPECT_TRUE(signals.records.empty());
    EXPECT_EQ(model.shown(), (Lines{"AAA", "ZZZ"}));

    // Favourites emptied and then left for the signal list lose their file.
    model.removeLines({0, 1});
    model.tickSignals(true);
    EXPECT_FALSE(fs::exists(favouritesFile()));
    EXPECT_EQ(model.shown(), (Lines{"CCC", "AAA"}));
}

TEST_F(DataPick, FavouritesThatCouldNotBeReadAreNeverWrittenOver) {
    const std::string damaged = test::readFile(favouritesFile()).substr(0, 9);
    std::ofstream(favouritesFile(), std::ios::binary | std::ios::trunc) << damaged;
    model.start(data, 0, ChartOption::PriceOnly);
    EXPECT_FALSE(sink.messages.empty());
    EXPECT_FALSE(model.acceptsDrops());
    EXPECT_EQ(model.dropFile(data / "ccc.csv"), std::nullopt);
    model.removeLines({0});
    model.leaveList();
    model.tickSignals(true);
    EXPECT_EQ(test::readFile(favouritesFile()), damaged);
}

TEST_F(DataPick, TheRatioPairTakesThePickedFiles) {
    model.tickFavourites(true);
    model.setOption(ChartOption::RelativeStrength);
    EXPECT_FALSE(model.favouritesTicked());
    EXPECT_FALSE(model.setRatioFile(0)); // nothing picked yet
    model.pick("BBB = Bee Corp.csv");
    EXPECT_TRUE(model.setRatioFile(0));
    EXPECT_EQ(model.ratioSymbol(0), "BBB");
    EXPECT_EQ(model.ratioSymbol(1), "");
    model.setOption(ChartOption::RelativeStrength);
    EXPECT_EQ(model.ratioFile(0), fs::path());
}

TEST(DataPickDraw, WhatDrawChartDraws) {
    struct Case {
        const char* what;
        std::function<void(PickDesk&)> set;
        std::optional<std::pair<const char*, const char*>> drawn; // none: a beep
    };
    const auto pair = [](PickDesk& t, const char* first, const char* second) {
        t.model.setOption(ChartOption::RelativeStrength);
        t.model.pick(first);
        t.model.setRatioFile(0);
        t.model.pick(second);
        t.model.setRatioFile(1);
    };
    const Case cases[] = {
        {"nothing picked", [](PickDesk&) {}, std::nullopt},
        {"a picked file", [](PickDesk& t) { t.model.pick("ccc.csv"); }, {{"ccc.csv", ""}}},
        {"a group file", [](PickDesk& t) { t.model.pick("Morning.GRP"); }, std::nullopt},
        {"a file gone since", [](PickDesk& t) { t.model.pick("gone.csv"); }, std::nullopt},
        {"the favourites: the first in symbol order",
         [](PickDesk& t) { t.model.tickFavourites(true); },
         {{"AAA.csv", ""}}},
        {"the signal list: its first signal",
         [](PickDesk& t) {
             t.model.pick("ccc.csv");
             t.model.tickSignals(true);
         },
         {{"ccc.csv", ""}}},
        {"emptied favourites",
         [](PickDesk& t) {
             t.model.removeLines({0, 1});
             t.model.tickFavourites(true);
         },
         std::nullopt},
        {"a ratio pair",
         [&](PickDesk& t) { pair(t, "AAA.csv", "ccc.csv"); },
         {{"AAA.csv", "ccc.csv"}}},
        {"a ratio of a file to itself: the picked file alone",
         [&](PickDesk& t) { pair(t, "AAA.csv", "AAA.csv"); },
         {{"AAA.csv", ""}}},
        {"a ratio with File 1 only: the picked file alone",
         [](PickDesk& t) {
             t.model.setOption(ChartOption::RelativeStrength);
             t.model.pick("AAA.csv");
             t.model.setRatioFile(0);
             t.model.pick("BBB = Bee Corp.csv");
         },
         {{"BBB = Bee Corp.csv", ""}}},
        {"a ratio whose second file went",
         [&](PickDesk& t) {
             pair(t, "AAA.csv", "ccc.csv");
             fs::remove(t.data / "ccc.csv");
         },
         std::nullopt},
    };
    for (const Case& c : cases) {
        PickDesk t;
        c.set(t);
        const auto choice = t.model.draw();
        ASSERT_EQ(choice.has_value(), c.drawn.has_value()) << c.what;
        if (!choice) continue;
        EXPECT_EQ(choice->firstFile, t.data / c.drawn->first) << c.what;
        const fs::path second = *c.drawn->second ? t.data / c.drawn->second : fs::path();
        EXPECT_EQ(choice->secondFile, second) << c.what;
        EXPECT_EQ(choice->folder, t.data) << c.what;
        EXPECT_EQ(choice->folderFiles.size(), 3u) << c.what;
    }
}

TEST_F(DataPick, ATickedBoxOverAnEmptyListIsUnticked) {
    model.removeLines({0, 1});
    model.tickFavourites(true);
    EXPECT_FALSE(model.draw());
    EXPECT_FALSE(model.favouritesTicked());
}

} // namespace
} // namespace qm

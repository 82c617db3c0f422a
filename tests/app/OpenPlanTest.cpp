#include "app/OpenPlan.h"

#include "app/ChartGrid.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;

// What next and previous walk after the open command, by the list the dialog charted.
TEST(OpenPlan, TheFileListAndTheFirstChartByList) {
    test::TempDir dir;
    for (const char* name : {"AAA.csv", "BBB.csv", "CCC.csv"}) dir.write(name, "x");
    const auto at = [&](const char* name) { return dir / name; };
    TParamRecList favourites;
    favourites.records = {{"AAA", at("AAA.csv").string()},
                          {"GONE", at("GONE.csv").string()},
                          {"CCC", at("CCC.csv").string()}};
    TSignalRecList signals;
    signals.records = {{"GONE", at("GONE.csv").string(), 2},
                       {"BBB", at("BBB.csv").string(), 1},
                       {"CCC", at("CCC.csv").string(), 9}};
    DataPickChoice folder;
    folder.folder = dir.path();
    folder.folderFiles = {"AAA.csv", "BBB.csv", "CCC.csv"};
    folder.interval = 0;

    struct Case {
        const char* what;
        DataPickChoice choice;
        std::vector<std::pair<const char*, std::optional<int>>> files;
        int current;
        const char* first;
        const char* second;
        int interval;
        bool emptyLists;
    };
    DataPickChoice picked = folder;
    picked.firstFile = at("BBB.csv");
    DataPickChoice favs = folder;
    favs.useFavourites = true;
    favs.firstFile = at("AAA.csv");
    DataPickChoice sigs = folder;
    sigs.useSignals = true;
    sigs.firstFile = at("GONE.csv");
    DataPickChoice ratio = folder;
    ratio.firstFile = at("AAA.csv");
    ratio.secondFile = at("CCC.csv");
    const Case cases[] = {
        {"a file of the folder: the whole folder, at the picked file",
         picked,
         {{"AAA.csv", {}}, {"BBB.csv", {}}, {"CCC.csv", {}}},
         1,
         "BBB.csv",
         "",
         0,
         true},
        {"the favourites: those that exist",
         favs,
         {{"AAA.csv", {}}, {"CCC.csv", {}}},
         0,
         "AAA.csv",
         "",
         0,
         false},
        // The first signal's file is gone: it is opened to tell so, and next goes on with the
        // list's first entry rather than passing it over. A code that is no interval is daily.
        {"the signal list: each signal at its own interval",
         sigs,
         {{"BBB.csv", 1}, {"CCC.csv", 0}},
         -1,
         "GONE.csv",
         "",
         2,
         false},
        {"a ratio pair: no list", ratio, {}, 0, "AAA.csv", "CCC.csv", 0, true},
    };
    for (const Case& c : cases) {
        const OpenPlan plan = planOpening(c.choice, favourites, signals);
        std::vector<std::pair<fs::path, std::optional<int>>> expected, got;
        for (const auto& [name, interval] : c.files) expected.emplace_back(at(name), interval);
        for (const auto& e : plan.files.entries) got.emplace_back(e.path, e.interval);
        EXPECT_EQ(got, expected) << c.what;
        EXPECT_EQ(plan.files.current, c.current) << c.what;
        EXPECT_EQ(plan.firstFile, at(c.first)) << c.what;
        EXPECT_EQ(plan.secondFile, *c.second ? at(c.second) : fs::path()) << c.what;
        EXPECT_EQ(plan.interval, c.interval) << c.what;
        EXPECT_EQ(plan.emptyLists, c.emptyLists) << c.what;
    }
}

// The symbol list opens its charts in the vertical tiling grid; ten or more fill the smallest
// grid that holds them, so none lies below the screen.
TEST(OpenPlan, TheSideBySideGridForOneToTwelveCharts) {
    const GridShape shapes[] = {{1, 1}, {1, 2}, {1, 3}, {2, 2}, {2, 3}, {2, 3},
                                {3, 3}, {3, 3}, {3, 3}, {3, 4}, {3, 4}, {3, 4}};
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(tileGrid(n, TileDirection::Vertical), shapes[n - 1]) << n;
    const ScreenRect area{0, 96, 1920, 984};
    const auto cells = tileCells(7, TileDirection::Vertical, area);
    EXPECT_EQ(cells.front(), (ScreenRect{0, 96, 640, 328}));
    EXPECT_EQ(cells.back(), (ScreenRect{0, 752, 640, 328}));
}

} // namespace
} // namespace qm

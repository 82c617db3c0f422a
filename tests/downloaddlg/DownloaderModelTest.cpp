// The download dialog's decisions without its window: the lists and their limits, the refusals
// while a service is busy, the modes, Get Data and the settings.

#include "downloaddlg/DownloaderModel.h"

#include "download/TickerList.h"
#include "downloaddlg/DownloaderTexts.h"
#include "platform/ConfigStore.h"
#include "support/FileContent.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm::downloader {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Symbols S1000, S1001, ... as lines of a text, in reverse order.
std::string symbolText(int count) {
    std::string text;
    for (int i = count - 1; i >= 0; --i) text += "S" + std::to_string(1000 + i) + "\r\n";
    return text;
}

struct ModelFixture : testing::Test {
    test::TempDir dir;
    fs::path tickers = dir / "tickers";
    fs::path temp = dir / "temp";
    std::array<fs::path, kServiceCount> folders;

    ModelFixture() {
        fs::create_directories(temp);
        for (int s = 0; s < kServiceCount; ++s) {
            folders[static_cast<std::size_t>(s)] = dir / ("data" + std::to_string(s));
            fs::create_directories(folders[static_cast<std::size_t>(s)]);
        }
    }
    DownloaderModel opened(int service = 0) {
        DownloaderSettings settings;
        settings.service = service;
        settings.tickerFolder = tickers;
        settings.downloadFolders = folders;
        DownloaderModel model(settings, temp);
        model.open();
        return model;
    }
    // The shown service busy with a transfer of its list.
    static void startTransfer(DownloaderModel& model) { ASSERT_TRUE(model.getData().order); }
};

TEST_F(ModelFixture, OpeningWritesEachMissingTickerFileSortedAndShowsTheChosenService) {
    fs::create_directories(tickers);
    const fs::path ownGoogle = tickers / "GOOGLEtickers.txt";
    std::ofstream(ownGoogle, std::ios::binary) << "IBM\r\n";

    DownloaderModel model = opened(1);
    EXPECT_EQ(model.shownService(), 1);
    EXPECT_EQ(model.current().list->lines(), Lines{"IBM"});
    EXPECT_EQ(test::readFile(ownGoogle), "IBM\r\n");
    for (int s = 0; s < kServiceCount; ++s) {
        if (s == 1) continue;
        const auto lines = readListFile(model.tickerFile(s));
        ASSERT_TRUE(lines) << s;
        EXPECT_EQ(lines->size(), defaultTickers(s).size()) << s;
        EXPECT_EQ(*lines, download::sortTickers(*lines)) << s;
    }
    EXPECT_EQ(test::readFile(tickers / "NASDAQtickers.txt").substr(0, 15), "AAPL\r\nF\r\nGOLD\r\n");
}

TEST_F(ModelFixture, TypedSymbolsAreTrimmedUpperCasedAndHeldToTheLimit) {
    DownloaderModel model = opened();
    ASSERT_TRUE(model.deleteAll());
    EXPECT_EQ(model.addSymbol("  ibm "), AddOutcome::Added);
    EXPECT_EQ(model.addSymbol("aapl"), AddOutcome::Added);
    EXPECT_EQ(model.addSymbol("IBM"), AddOutcome::Dropped);
    EXPECT_EQ(model.addSymbol("   "), AddOutcome::Refused);
    EXPECT_EQ(model.current().list->lines(), (Lines{"AAPL", "IBM"}));

    ASSERT_TRUE(model.paste(symbolText(149)));
    EXPECT_EQ(model.addSymbol("X150"), AddOutcome::Added);
    EXPECT_EQ(model.addSymbol("X151"), AddOutcome::Dropped);
    EXPECT_EQ(model.current().list->size(), 150u);
}

TEST_F(ModelFixture, DroppedFilesAndPastesReplaceTheList) {
    DownloaderModel model = opened();
    const fs::path file200 = dir.write("200.txt", symbolText(200));
    ASSERT_TRUE(model.dropFiles({file200}));
    const Lines& dropped = model.current().list->lines();
    ASSERT_EQ(dropped.size(), 150u);
    EXPECT_EQ(dropped.front(), "S1000");
    EXPECT_EQ(dropped.back(), "S1149");

    // Left as they are: several files, a folder, a file that is not there.
    EXPECT_FALSE(model.dropFiles({file200, file200}));
    EXPECT_FALSE(model.dropFiles({dir.path()}));
    EXPECT_FALSE(model.dropFiles({dir / "missing.txt"}));
    EXPECT_EQ(model.current().list->size(), 150u);

    ASSERT_TRUE(model.paste(symbolText(200)));
    EXPECT_EQ(model.current().list->size(), 200u);
    ASSERT_TRUE(model.paste("  \r\n"));
    EXPECT_TRUE(model.current().list->empty());
}

TEST_F(ModelFixture, AMixedCaseListIsHeldInTheOrderTheWorkerReadsItsFile) {
    DownloaderModel model = opened();
    ASSERT_TRUE(model.paste("msft\nIBM\r\n ibm\naapl\n\nAapl \nBRK-B\n"));
    const auto outcome = model.getData();
    ASSERT_TRUE(outcome.order);
    const Lines listed = model.current().list->lines();
    EXPECT_EQ(listed, (Lines{"aapl", "BRK-B", "IBM", "msft"}));
    EXPECT_EQ(download::loadTickerList(outcome.order->listFile), listed);
    EXPECT_EQ(test::readFile(outcome.order->listFile), "aapl\r\nBRK-B\r\nIBM\r\nmsft\r\n");
}

TEST(ServiceList, EditsKeepEveryMarkOnItsSymbol) {
    ServiceList list;
    list.assign({"IBM", "MSFT", "AAPL"});
    list.setMark(1, LineMark::Grayed); // IBM
    list.setMark(2, LineMark::Ticked); // MSFT
    ASSERT_TRUE(list.add("GOOG"));
    list.remove({0, 7});
    EXPECT_EQ(list.lines(), (Lines{"GOOG", "IBM", "MSFT"}));
    EXPECT_EQ(list.mark(0), LineMark::Unticked);
    EXPECT_EQ(list.mark(1), LineMark::Grayed);
    EXPECT_EQ(list.mark(2), LineMark::Ticked);
    // A line that is not there is never fetched and takes no mark.
    EXPECT_EQ(list.mark(3), LineMark::Ticked);
    list.setMark(3, LineMark::Unticked);
    EXPECT_EQ(list.size(), 3u);
}

TEST_F(ModelFixture, CopyAllTakesEveryLine) {
    DownloaderModel model = opened();
    ASSERT_TRUE(model.paste(symbolText(150)));
    const auto text = model.copyAll();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->size(), 150u * 7);
    EXPECT_TRUE(text->ends_with("S1149\r\n"));
}

TEST_F(ModelFixture, UpdateModeListsTheSymbolsOfTheDownloadFolder) {
    for (const char* name :
         {"IBM.csv", "MSFT = Microsoft Corp.csv", "EURUSD=X.csv",
          "ibm = Intl Business Machines Corp.csv", "notes.txt", "T.CSV", "IBM.csv.bak"})
        std::ofstream(folders[0] / name) << "x";
    fs::create_directories(folders[0] / "old.csv");

    DownloaderModel model = opened();
    model.setAddName(true);
    ASSERT_TRUE(model.setMode(Mode::Update));
    EXPECT_EQ(model.current().list->lines(), (Lines{"EURUSD=X", "IBM", "MSFT", "T"}));
    EXPECT_FALSE(model.addName());
    model.setAddName(true);
    EXPECT_FALSE(model.addName());
    EXPECT_EQ(model.addSymbol("AAPL"), AddOutcome::Refused);
    EXPECT_FALSE(model.paste("AAPL"));
    EXPECT_FALSE(model.dropFiles({dir.write("list.txt", "AAPL")}));

    const auto outcome = model.getData();
    ASSERT_TRUE(outcome.order);
    EXPECT_TRUE(outcome.order->update);
    EXPECT_EQ(outcome.order->listFile, temp / "YahooUpDate.txt");
    EXPECT_EQ(outcome.order->folder, folders[0]);
}

TEST_F(ModelFixture, AFinishedUpdateKeepsItsMarksUntilTheListIsMadeAnew) {
    std::ofstream(folders[0] / "IBM.csv") << "x";
    DownloaderModel model = opened();
    ASSERT_TRUE(model.setMode(Mode::Update));
    startTransfer(model);
    model.currentList().setMark(0, LineMark::Ticked);
    model.transferEnded(0);

    ASSERT_TRUE(model.setMode(Mode::AddNew));
    ASSERT_TRUE(model.setMode(Mode::Update));
    EXPECT_EQ(model.current().list->mark(0), LineMark::Ticked);

    const fs::path elsewhere = dir / "elsewhere";
    fs::create_directories(elsewhere);
    std::ofstream(elsewhere / "AAPL.csv") << "x";
    model.folderChosen(elsewhere);
    EXPECT_EQ(model.current().list->lines(), Lines{"AAPL"});
    EXPECT_EQ(model.current().list->mark(0), LineMark::Unticked);
    EXPECT_EQ(model.settings().downloadFolders[0], elsewhere);
}

// Every edit of the list, its folder and the mode is refused while its worker runs.
struct BusyCase {
    const char* name;
    bool (*command)(DownloaderModel&, const fs::path& dropFile);
};

void PrintTo(const BusyCase& c, std::ostream* os) {
    *os << c.name;
}

class BusyRefusals : public ModelFixture, public testing::WithParamInterface<BusyCase> {};

TEST_P(BusyRefusals, LeaveTheListAsItWas) {
    DownloaderModel model = opened();
    ASSERT_TRUE(model.paste("IBM\nMSFT\n"));
    model.currentList().setMark(1, LineMark::Grayed);
    startTransfer(model);
    const fs::path dropFile = dir.write("drop.txt", "AAPL\n");

    EXPECT_FALSE(GetParam().command(model, dropFile));
    EXPECT_EQ(model.current().list->lines(), (Lines{"IBM", "MSFT"}));
    EXPECT_EQ(model.current().list->mark(1), LineMark::Grayed);
    EXPECT_EQ(model.mode(), Mode::AddNew);
    EXPECT_EQ(model.current().folder, folders[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, BusyRefusals,
    testing::Values(
        BusyCase{"Add", [](DownloaderModel& m,
                           const fs::path&) { return m.addSymbol("AAPL") != AddOutcome::Refused; }},
        BusyCase{"Delete", [](DownloaderModel& m, const fs::path&) { return m.deleteLines({0}); }},
        BusyCase{"CheckAll",
                 [](DownloaderModel& m, const fs::path&) { return m.markAll(LineMark::Ticked); }},
        BusyCase{"CopyAll",
                 [](DownloaderModel& m, const fs::path&) { return m.copyAll().has_value(); }},
        BusyCase{"Paste", [](DownloaderModel& m, const fs::path&) { return m.paste("AAPL"); }},
        BusyCase{"DeleteAll", [](DownloaderModel& m, const fs::path&) { return m.deleteAll(); }},
        BusyCase{"Drop", [](DownloaderModel& m, const fs::path& f) { return m.dropFiles({f}); }},
        BusyCase{"StartDate",
                 [](DownloaderModel& m, const fs::path&) { return m.startDateChanged(); }},
        BusyCase{"Folder", [](DownloaderModel& m, const fs::path&) { return m.canChooseFolder(); }},
        BusyCase{"Mode",
                 [](DownloaderModel& m, const fs::path&) { return m.setMode(Mode::Update); }},
        BusyCase{"SecondStart", [](DownloaderModel& m,
                                   const fs::path&) { return m.getData().order.has_value(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModelFixture, AnotherServiceCanBeEditedWhileOneRuns) {
    DownloaderModel model = opened();
    ASSERT_TRUE(model.paste("IBM\n"));
    startTransfer(model);
    model.show(1);
    EXPECT_EQ(model.addSymbol("MSFT"), AddOutcome::Added);
    EXPECT_TRUE(model.canChooseFolder());
    // The start date keeps every list's marks while any transfer runs.
    EXPECT_FALSE(model.startDateChanged());
    model.show(0);
    EXPECT_TRUE(model.currentBusy());
}

TEST_F(ModelFixture, ANewStartDateUnticksTheShownList) {
    DownloaderModel model = opened();
    ASSERT_TRUE(model.paste("IBM\nMSFT\n"));
    ASSERT_TRUE(model.markAll(LineMark::Ticked));
    EXPECT_TRUE(model.startDateChanged());
    EXPECT_EQ(model.current().list->mark(0), LineMark::Unticked);
    EXPECT_EQ(model.current().list->mark(1), LineMark::Unticked);
}

TEST_F(ModelFixture, GetDataStartsAtMostOneTransferPerServiceAndFiveInAll) {
    DownloaderModel model = opened();
    ASSERT_TRUE(model.deleteAll());
    const auto empty = model.getData();
    EXPECT_FALSE(empty.refused);
    EXPECT_FALSE(empty.order);
    EXPECT_EQ(model.activeCount(), 0);

    for (int s = 0; s < kServiceCount; ++s) {
        model.show(s);
        ASSERT_TRUE(model.paste("IBM\n"));
        startTransfer(model);
    }
    EXPECT_EQ(model.activeCount(), 5);
    EXPECT_TRUE(model.getData().refused);
    EXPECT_FALSE(model.canClose());

    model.transferEnded(2);
    model.transferEnded(2);
    EXPECT_EQ(model.activeCount(), 4);
    EXPECT_TRUE(model.service(2).finished);
}

TEST_F(ModelFixture, AListFileThatCannotBeWrittenStartsNothing) {
    DownloaderModel model = opened();
    ASSERT_TRUE(model.paste("IBM\n"));
    fs::remove_all(tickers);
    std::ofstream(tickers) << "a file where the folder was";
    const auto outcome = model.getData();
    EXPECT_FALSE(outcome.order);
    EXPECT_TRUE(outcome.failure.starts_with("Cannot save the Download List to "))
        << outcome.failure;
    EXPECT_EQ(model.activeCount(), 0);
    EXPECT_FALSE(model.currentBusy());
}

TEST_F(ModelFixture, SettingsComeBackAndMissingOnesTakeTheirDefaults) {
    const fs::path configFile = dir / "Quillmar7.conf";
    const ServiceFolders main = {"/m/y", "/m/g", "/m/o", "/m/q", "/m/n"};
    {
        platform::ConfigStore store(configFile);
        const DownloaderSettings s = readDownloaderSettings(store, main, "/docs");
        EXPECT_EQ(s.service, 0);
        EXPECT_FALSE(s.addName);
        EXPECT_EQ(s.tickerFolder, fs::path("/docs/Quillmar/Quillmar7"));
        EXPECT_EQ(s.downloadFolders, main);
        store.writeInt(kSettingsGroup, kServerId, 7);
        store.writeText(kSettingsGroup, "GoogleDataDir", "");
        store.writeText(kSettingsGroup, "NasdaqDataDir", "/own/n");
        store.writeInt(kSettingsGroup, kAddSymbolName, 2);
        ASSERT_TRUE(store.save());
    }
    {
        platform::ConfigStore store(configFile);
        DownloaderSettings s = readDownloaderSettings(store, main, "/docs");
        EXPECT_EQ(s.service, 0);
        EXPECT_TRUE(s.addName);
        EXPECT_EQ(s.downloadFolders[1], fs::path("/m/g"));
        EXPECT_EQ(s.downloadFolders[4], fs::path("/own/n"));
        s.service = 3;
        s.addName = false;
        writeDownloaderSettings(store, s);
        ASSERT_TRUE(store.save());
    }
    platform::ConfigStore store(configFile);
    EXPECT_EQ(store.readInt(kSettingsGroup, kServerId), 3);
    EXPECT_EQ(store.readInt(kSettingsGroup, kAddSymbolName), 0);
    EXPECT_EQ(store.readText(kSettingsGroup, "QuoteMediaDataDir"), "/m/q");
    EXPECT_EQ(store.readText(kSettingsGroup, "TickerDir"), "/docs/Quillmar/Quillmar7");
}

} // namespace
} // namespace qm::downloader

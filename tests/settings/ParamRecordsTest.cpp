#include "settings/ParamRecords.h"

#include "SettingsTestUtil.h"
#include "settings/SettingsFiles.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace std::string_literals;
using test::readFile;
using test::settingsErrorOf;
using Kind = test::RecordedMessage::Kind;

std::vector<std::string> symbols(const TParamRecList& list) {
    std::vector<std::string> out;
    for (const auto& r : list.records) out.push_back(r.symbol);
    return out;
}

TEST(ParamRecords, FilesHoldTheRecordsFieldsInOrder) {
    test::TempDir dir;
    TParamRecList settings;
    settings.records.emplace_back("Defaults", "");
    settings.records.emplace_back("IBM", "/d/IBM.csv");
    settings.save(dir / "PrmsList.Lst");
    EXPECT_EQ(readFile(dir / "PrmsList.Lst"), "\x01"
                                              "\x06\x08"
                                              "Defaults"
                                              "\x06\x00"
                                              "\x06\x03"
                                              "IBM"
                                              "\x06\x0A/d/IBM.csv"
                                              "\x00"s);

    TSignalRecList signals;
    signals.records.emplace_back("SPY", "/s.csv", 2);
    signals.save(dir / "Zorvik.Lst");
    EXPECT_EQ(readFile(dir / "Zorvik.Lst"), "\x01\x06\x03SPY\x06\x06/s.csv\x02\x02\x00"s);

    TParamRecList empty;
    empty.save(dir / "FavSymbolsList.Lst");
    EXPECT_EQ(readFile(dir / "FavSymbolsList.Lst"), "\x01\x00"s);
}

TEST(ParamRecords, ListsComeBackAsSavedAndLoadingAppends) {
    test::TempDir dir;
    test::RecordingSink sink;
    TSignalRecList signals;
    signals.records.emplace_back("NESN", "/data/Z\xC3\xBCrich/NESN = Nestl\xC3\xA9.csv", 1);
    signals.records.emplace_back("^GSPC", "", -70000);
    signals.save(dir / "Zorvik.Lst");

    TSignalRecList loaded;
    loaded.records.emplace_back("OLD", "/old.csv", 0);
    loaded.load(dir / "Zorvik.Lst", sink);
    ASSERT_EQ(loaded.records.size(), 3u);
    EXPECT_EQ(loaded.records[0].symbol, "OLD");
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded.records[i + 1].symbol, signals.records[i].symbol);
        EXPECT_EQ(loaded.records[i + 1].file, signals.records[i].file);
        EXPECT_EQ(loaded.records[i + 1].interval, signals.records[i].interval);
    }
    EXPECT_TRUE(sink.messages.empty());
}

struct DamagedCase {
    const char* name;
    std::string bytes;
    std::size_t recordsKept;
    std::vector<std::string> messages; // shown, in order
    std::string error;                 // the error the load ends with
};

TEST(ParamRecords, DamagedFilesStopAtTheFaultyRecord) {
    const std::string trouble = "Trouble reading chart & oscillator settings.";
    const std::string good = "\x06\x01"
                             "A"
                             "\x06\x00"s;
    const DamagedCase cases[] = {
        {"truncated record",
         "\x01"s + good +
             "\x06\x01"
             "B",
         1,
         {trouble},
         "Stream read error"},
        {"wrong tag",
         "\x01"s + good +
             "\x06\x01"
             "B"
             "\x09"
             "\x00"s,
         1,
         {trouble},
         "Invalid property value"},
        // The broken record's integer payload is a zero byte that looks like the list's end:
        // the load must still fail rather than return the shortened list.
        {"end tag inside",
         "\x01"s + good +
             "\x06\x01"
             "B"
             "\x02\x00"
             "\x00"s,
         1,
         {trouble},
         "Invalid property value"},
        {"empty file", "", 0, {}, "Stream read error"},
        {"no list",
         "\x06\x01"
         "A"s,
         0,
         {},
         "Invalid property value"},
        {"no end", "\x01"s + good, 1, {}, "Stream read error"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        test::RecordingSink sink;
        TParamRecList list;
        const auto file = dir.write("PrmsList.Lst", c.bytes);
        EXPECT_EQ(settingsErrorOf([&] { list.load(file, sink); }), c.error) << c.name;
        EXPECT_EQ(list.records.size(), c.recordsKept) << c.name;
        EXPECT_EQ(sink.texts(), c.messages) << c.name;
        for (const auto& m : sink.messages) EXPECT_EQ(m.kind, Kind::Error);
    }
}

TEST(ParamRecords, SignalListHasItsOwnMessage) {
    test::TempDir dir;
    test::RecordingSink sink;
    TSignalRecList list;
    // The interval is missing: a signal record has three values.
    const auto file = dir.write("Zorvik.Lst", "\x01\x06\x01"
                                              "A"
                                              "\x06\x00\x00"s);
    EXPECT_EQ(settingsErrorOf([&] { list.load(file, sink); }), "Invalid property value");
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Trouble reading Scanvane output."});
}

TEST(ParamRecords, MissingFileIsReportedWithItsName) {
    test::TempDir dir;
    test::RecordingSink sink;
    TParamRecList list;
    const auto file = dir / "FavSymbolsList.Lst";
    EXPECT_EQ(settingsErrorOf([&] { list.load(file, sink); }),
              "Cannot open file \"" + file.string() + "\". No such file or directory");
    EXPECT_TRUE(sink.messages.empty());
}

TEST(SettingsList, FreshInstallationWritesTheDefaultsEntry) {
    test::TempDir dir;
    test::RecordingSink sink;
    TParamRecList list;
    loadOrCreateSettingsList(list, dir / "PrmsList.Lst", sink);
    ASSERT_EQ(list.records.size(), 1u);
    EXPECT_EQ(list.records[0].symbol, "Defaults");
    EXPECT_EQ(list.records[0].file, "");
    EXPECT_EQ(readFile(dir / "PrmsList.Lst"), "\x01\x06\x08"
                                              "Defaults"
                                              "\x06\x00\x00"s);

    // The next start loads what is there.
    list.setEntry("IBM", "/d/IBM.csv");
    list.save(dir / "PrmsList.Lst");
    TParamRecList again;
    loadOrCreateSettingsList(again, dir / "PrmsList.Lst", sink);
    EXPECT_EQ(symbols(again), (std::vector<std::string>{"Defaults", "IBM"}));
}

TEST(SettingsList, SettingASymbolReplacesItsEntryAtTheEnd) {
    TParamRecList list;
    list.records = {{"Defaults", ""}, {"IBM", "/a/IBM.csv"}, {"KO", "/a/KO.csv"}};
    list.setEntry("IBM", "/b/IBM.csv");
    EXPECT_EQ(symbols(list), (std::vector<std::string>{"Defaults", "KO", "IBM"}));
    EXPECT_EQ(list.records[2].file, "/b/IBM.csv");
}

TEST(SettingsList, SymbolSettingsFileKeepsTheWholeName) {
    using settings_files::symbolSettingsFileName;
    EXPECT_EQ(symbolSettingsFileName("/data/Stocks/ABC = Abc Corp.csv"), "ABC = Abc Corp.prm");
    EXPECT_EQ(symbolSettingsFileName("/data/BRK.B = Berkshire Inc.csv"),
              "BRK.B = Berkshire Inc.prm");
    EXPECT_EQ(symbolSettingsFileName("/data/IBM"), "IBM.prm");
}

TEST(Favourites, DialogAddsSortedAndRefusesDuplicates) {
    test::TempDir dir;
    test::RecordingSink sink;
    const auto file = dir / "FavSymbolsList.Lst";
    TParamRecList favourites;
    favourites.records = {{"msft", "/d/msft.csv"}, {"IBM", "/d/IBM.csv"}};

    EXPECT_TRUE(addFavourite(favourites, "AAPL", "/d/Tech/aapl.csv", file, sink));
    EXPECT_EQ(symbols(favourites), (std::vector<std::string>{"AAPL", "IBM", "msft"}));
    EXPECT_EQ(favourites.records[0].file, "/d/Tech/aapl.csv"); // the path as it is

    TParamRecList saved;
    saved.load(file, sink);
    EXPECT_EQ(symbols(saved), symbols(favourites));

    const std::string before = readFile(file);
    EXPECT_FALSE(addFavourite(favourites, "IBM", "/elsewhere/IBM.csv", file, sink));
    EXPECT_EQ(sink.messages, (std::vector<test::RecordedMessage>{
                                 {Kind::Information, "IBM is already in the list."}}));
    EXPECT_EQ(favourites.records.size(), 3u);
    EXPECT_EQ(readFile(file), before);
}

TEST(Favourites, SortingIsByteWise) {
    TParamRecList list;
    list.records = {{"b", ""}, {"\xC3\xA9", ""}, {"B", ""}, {"a", ""}, {"A", ""}, {"_", ""}};
    list.sortBySymbol();
    EXPECT_EQ(symbols(list), (std::vector<std::string>{"A", "B", "_", "a", "b", "\xC3\xA9"}));
}

TEST(Favourites, ChartAppendsItsTitleUnsortedOnce) {
    test::TempDir dir;
    const auto file = dir / "FavSymbolsList.Lst";
    TParamRecList favourites;
    favourites.records = {{"ZZ", "/d/ZZ.csv"}};
    EXPECT_FALSE(addChartToFavourites(favourites, "ZZ", "/other/ZZ.csv", file));
    EXPECT_FALSE(std::filesystem::exists(file)); // nothing changed, nothing written

    EXPECT_TRUE(addChartToFavourites(favourites, "AA", "/d/AA.csv", file));
    EXPECT_EQ(symbols(favourites), (std::vector<std::string>{"ZZ", "AA"}));
    EXPECT_EQ(readFile(file), "\x01\x06\x02ZZ\x06\x09/d/ZZ.csv\x06\x02"
                              "AA\x06\x09/d/AA.csv\x00"s);
}

} // namespace
} // namespace qm

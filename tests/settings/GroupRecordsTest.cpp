#include "settings/GroupRecords.h"

#include "SettingsTestUtil.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace std::string_literals;
using test::settingsErrorOf;

TGroupRecObj chart(std::string title, std::string file, std::string second,
                   IndicatorRequestList entries, std::int32_t left) {
    TGroupRecObj r;
    r.title = std::move(title);
    r.sourceFile = std::move(file);
    r.secondSourceFile = std::move(second);
    r.sourceFileType = 0;
    r.setSpacing(1);
    r.interval = 1;
    r.chartType = 4;
    r.left = left;
    r.top = 140;
    r.width = 800;
    r.height = 600;
    r.entries = std::move(entries);
    return r;
}

TEST(ChartGroups, RecordIsItsValuesInOrder) {
    test::TempDir dir;
    TGroupRecList group;
    group.records.push_back(chart("KO", "/d/KO.csv", "", {{0, 2}, {16, 4}}, -300));
    group.save(dir / "g.grp");
    EXPECT_EQ(test::readFile(dir / "g.grp"), "\x01"
                                             "\x06\x02KO"
                                             "\x06\x09/d/KO.csv"
                                             "\x06\x00"
                                             "\x02\x00"         // source file type
                                             "\x02\x01"         // spacing
                                             "\x02\x01"         // interval
                                             "\x02\x04"         // chart type
                                             "\x03\xD4\xFE"     // left -300
                                             "\x03\x8C\x00"     // top 140
                                             "\x03\x20\x03"     // width 800
                                             "\x03\x58\x02"     // height 600
                                             "\x02\x02"         // two entries
                                             "\x02\x00\x02\x02" // price chart, pane 2
                                             "\x02\x10\x02\x04" // kind 16, pane 4
                                             "\x00"s);
}

TEST(ChartGroups, ThreeChartsComeBackInOrder) {
    test::TempDir dir;
    test::RecordingSink sink;
    TGroupRecList group;
    group.records.push_back(chart("IBM", "/d/IBM.csv", "", {{0, 1}}, 0));
    group.records.push_back(chart("IBM to SPY", "/d/IBM.csv", "/d/SPY.csv", {{0, 0}}, 400));
    group.records.push_back(
        chart("KO", "/d/KO = Coca-Cola.csv", "", {{0, 2}, {2, 2}, {17, 4}}, 99999));
    group.save(dir / "g.grp");

    TGroupRecList loaded;
    loaded.load(dir / "g.grp", sink);
    ASSERT_EQ(loaded.records.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& a = group.records[i];
        const auto& b = loaded.records[i];
        EXPECT_EQ(b.title, a.title);
        EXPECT_EQ(b.sourceFile, a.sourceFile);
        EXPECT_EQ(b.secondSourceFile, a.secondSourceFile);
        EXPECT_EQ(b.spacing(), a.spacing());
        EXPECT_EQ(b.interval, a.interval);
        EXPECT_EQ(b.chartType, a.chartType);
        EXPECT_EQ(std::tie(b.left, b.top, b.width, b.height),
                  std::tie(a.left, a.top, a.width, a.height));
        EXPECT_EQ(b.entries, a.entries);
    }
    EXPECT_TRUE(sink.messages.empty());
}

// A record in which every integer is one tag-2 byte, with `tail` in place of the object count
// and the entries.
std::string recordWith(const std::string& middle, const std::string& tail) {
    return "\x06\x01T\x06\x00\x06\x00"s + middle + "\x02\x00\x02\x00\x02\x00\x02\x00"s + tail;
}

TEST(ChartGroups, BytesAndSpacingAreKeptInRange) {
    test::TempDir dir;
    test::RecordingSink sink;
    // source file type 258, spacing 7, interval -1, chart type 260; then spacing -3.
    const std::string first = recordWith("\x03\x02\x01"
                                         "\x02\x07"
                                         "\x02\xFF"
                                         "\x03\x04\x01"s,
                                         "\x02\x01"
                                         "\x03\x85\x01\x02\x05"s);
    const std::string second = recordWith("\x02\x00"
                                          "\x02\xFD"
                                          "\x02\x00"
                                          "\x02\x00"s,
                                          "\x02\x00"s);
    const auto file = dir.write("g.grp", "\x01"s + first + second + "\x00"s);
    TGroupRecList group;
    group.load(file, sink);
    ASSERT_EQ(group.records.size(), 2u);
    const auto& r = group.records[0];
    EXPECT_EQ(r.sourceFileType, 2);
    EXPECT_EQ(r.spacing(), 2);
    EXPECT_EQ(r.interval, 255);
    EXPECT_EQ(r.chartType, 4);
    EXPECT_EQ(r.entries, (IndicatorRequestList{{0x85, 5}})); // 389 keeps its low byte
    EXPECT_EQ(group.records[1].spacing(), 0);
    EXPECT_TRUE(group.records[1].entries.empty());
}

TEST(ChartGroups, DamagedCountsFailBeforeAnythingIsSized) {
    const std::string plain = "\x02\x00\x02\x00\x02\x00\x02\x00"s;
    struct Case {
        const char* name;
        std::string tail;
        std::string error;
    } const cases[] = {
        {"negative count", "\x02\xFF"s, "Invalid property value"},
        {"huge count", "\x04\xFF\xFF\xFF\x7F\x02\x00\x02\x00"s, "Stream read error"},
        {"one entry too many", "\x02\x02\x02\x00\x02\x01"s, "Stream read error"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        test::RecordingSink sink;
        TGroupRecList group;
        const auto file = dir.write("g.grp", "\x01"s + recordWith(plain, "\x02\x00"s) +
                                                 recordWith(plain, c.tail) + "\x00"s);
        EXPECT_EQ(settingsErrorOf([&] { group.load(file, sink); }), c.error) << c.name;
        EXPECT_EQ(group.records.size(), 1u) << c.name;
        EXPECT_EQ(sink.texts(),
                  std::vector<std::string>{"Trouble reading saved ChartGroup settings."})
            << c.name;
    }
}

TEST(ChartGroups, RecordsWithoutTheirSourceFileAreDropped) {
    test::TempDir dir;
    const auto kept = dir.write("KO.csv", "x");
    TGroupRecList group;
    group.records.push_back(chart("GONE", (dir / "GONE.csv").string(), "", {{0, 1}}, 0));
    group.records.push_back(chart("KO", kept.string(), "", {{0, 1}}, 0));
    group.records.push_back(chart("NONE", "", "", {{0, 1}}, 0));
    group.dropMissingSources();
    ASSERT_EQ(group.records.size(), 1u);
    EXPECT_EQ(group.records[0].title, "KO");
}

TEST(ChartGroups, FileNamesAndSymbols) {
    EXPECT_EQ(groupFileName("/g/Tech"), "/g/Tech.grp");
    EXPECT_EQ(groupFileName("/g/Tech.grp"), "/g/Tech.grp");
    EXPECT_EQ(groupFileName("/g/Tech.txt"), "/g/Tech.grp");
    EXPECT_EQ(groupFileName("/g/Tech.GRP"), "/g/Tech.grp");

    const std::pair<const char*, const char*> symbols[] = {
        {"/d/Stocks/KO = Coca-Cola Co.csv", "KO"},
        {"/d/IBM.csv", "IBM"},
        {"/d/BRK.B.csv", "BRK.B"},
        {"/d/A=B.csv", "A=B"}, // "=" without a blank before it: the whole name
        {"/d/IBM.CSV", "IBM"}, // another extension: the name without it
        {"/d/EURUSD", "EURUSD"},
    };
    for (const auto& [file, symbol] : symbols) EXPECT_EQ(groupRecordSymbol(file), symbol) << file;
}

} // namespace
} // namespace qm

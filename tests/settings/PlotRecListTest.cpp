#include "settings/lists/PlotRecList.h"

#include "SettingsTestUtil.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace std::string_literals;

// The construction defaults of each kind, copied by hand from the indicator catalogue.
struct KindDefaults {
    int lines;
    int paramCount;
    std::array<float, 4> params;
    int style;
    int priceField;
    std::array<std::int32_t, 4> colors; // slots 6 to 9
};

const KindDefaults kCatalogue[30] = {
    {1, 1, {13, 34, 55, 0}, 0, 2, {0xFF8000, 0x00FF00, 0x00FFFF, 0}},
    {1, 1, {55, 34, 21, 0}, 0, 2, {0xFF8000, 0x00FF00, 0x00FFFF, 0}},
    {1, 1, {21, 34, 55, 0}, 0, 2, {0xFF8000, 0x00FF00, 0x00FFFF, 0}},
    {2, 3, {13, 0.02f, 0.02f, 0}, 7, 2, {0, 0, 0, 0x0099FF}},
    {1, 4, {9, 13, 4, 2}, 0, 0, {0xFF8000, 0x0000FF, 0x0000FF, 0}},
    {1, 2, {9, 13, 4, 2}, 0, 0, {0xFF8000, 0xFF00FF, 0xFF00FF, 0}},
    {2, 1, {9, 0, 4, 0}, 0, 2, {0x33CC00, 0x4040FF, 0, 0}},
    {1, 0, {0, 0, 0, 0}, 10, 2, {0x00FF00, 0x0000FF, 0, 0}},
    {1, 0, {0, 0, 0, 0}, 0, 2, {0xFF00FF, 0, 0, 0}},
    {1, 1, {0.025f, 0, 0, 0}, 5, 2, {0x0000FF, 0, 0, 0}},
    {1, 3, {21, 34, 55, 0}, 6, 2, {0xFF8000, 0x00FF00, 0x00FFFF, 0}},
    {2, 3, {13, 21, 1.25f, 1.5f}, 7, 2, {0, 0, 0, 0xFF8080}},
    {2, 1, {20, 0, 0, 0}, 7, 2, {0, 0, 0, 0xFF8000}},
    {2, 3, {21, 21, 2, 0}, 7, 2, {0, 0, 0, 0x0000FF}},
    {1, 3, {21, 21, 2, 0}, 0, 2, {0x0000FF, 0, 0, 0}},
    {2, 3, {12, 26, 9, 0}, 0, 2, {0xFF0000, 0xFF00FF, 0, 0}},
    {1, 1, {13, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {1, 1, {9, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {2, 2, {13, 3, 0, 0}, 0, 2, {0xFF8000, 0xFF00FF, 0, 0}},
    {1, 3, {11, 11, 11, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {1, 1, {18, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {1, 1, {13, 0, 0, 0}, 2, 2, {0xFF8000, 0, 0, 0}},
    {1, 1, {21, 34, 55, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {1, 1, {14, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {1, 1, {20, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {1, 2, {4, 9, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {3, 1, {14, 0, 0, 0}, 0, 2, {0xFF0000, 0x008000, 0x0000FF, 0}},
    {1, 0, {0, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {1, 0, {0, 0, 0, 0}, 0, 2, {0xFF8000, 0, 0, 0}},
    {1, 0, {0, 0, 0, 0}, 9, 2, {0x008000, 0x4040FF, 0, 0}},
};

void expectKindDefaults(const TOscObj& r, int kind) {
    SCOPED_TRACE("kind " + std::to_string(kind));
    const KindDefaults& d = kCatalogue[kind - 1];
    EXPECT_EQ(r.Kind, kind);
    EXPECT_EQ(r.Interval, 0);
    EXPECT_EQ(r.BarSpacing, 0);
    EXPECT_FALSE(r.ShowVolume);
    EXPECT_EQ(r.Style, d.style);
    EXPECT_EQ(r.Spare, 0);
    EXPECT_EQ(r.Overlay, kind <= 14);
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(r.Colors[slot], 0) << slot;
    for (int slot = 6; slot < 10; ++slot) EXPECT_EQ(r.Colors[slot], d.colors[slot - 6]) << slot;
    EXPECT_EQ(r.LineCount, d.lines);
    EXPECT_EQ(r.ParamCount, d.paramCount);
    EXPECT_EQ(r.PriceField, d.priceField);
    EXPECT_EQ(r.Params, d.params);
    EXPECT_EQ(r.FontSize, 0);
    EXPECT_EQ(r.RelaxLastStage2, kind == 5 || kind == 6);
    EXPECT_FALSE(r.ResetStage2OnStage1);
    EXPECT_FALSE(r.AggressiveStage2);
}

// The price chart record of a new settings file, as the file holds it.
const std::string kPriceChartRecordBytes = "\x02\x00"             // kind
                                           "\x02\x00"             // interval
                                           "\x02\x00"             // bar spacing
                                           "\x08"                 // no volume
                                           "\x02\x03"             // OHLC bars
                                           "\x02\x00"             // spare
                                           "\x08"                 // not an overlay
                                           "\x02\x00"             // background black
                                           "\x04\xFF\xFB\xF0\x00" // price bars
                                           "\x04\xFF\xFB\xF0\x00" // second text colour
                                           "\x04\xC0\xC0\xC0\x00" // scale text
                                           "\x03\xFF\x00"         // spare red
                                           "\x02\x00\x02\x00\x02\x00\x02\x00\x02\x00"
                                           "\x02\x00\x02\x00\x02\x00" // lines, params, price
                                           "\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                                           "\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                                           "\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                                           "\x05\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
                                           "\x02\x0A" // font size 10
                                           "\x08\x08\x08"s;

TEST(DefaultSettings, FactorySetIsThePriceChartAndEveryKindsDefaults) {
    test::TempDir dir;
    test::RecordingSink sink;
    const auto file = dir.write("Defaults.prm", "an old file");
    writeFactoryDefaults(file);

    const std::string bytes = test::readFile(file);
    EXPECT_EQ(bytes.substr(0, 1 + kPriceChartRecordBytes.size()), "\x01" + kPriceChartRecordBytes);
    EXPECT_EQ(bytes.back(), '\0');

    TPlotRecList set;
    set.load(file, sink);
    ASSERT_EQ(set.records.size(), 31u);
    for (int kind = 1; kind <= 30; ++kind) expectKindDefaults(*set.records[kind], kind);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(dir.fileCount(), 1u);
}

TEST(DefaultSettings, TruncatedFileKeepsTheWholeRecordsAndFails) {
    test::TempDir dir;
    test::RecordingSink sink;
    writeFactoryDefaults(dir / "full.prm");
    TPlotRecList firstTwo = factoryDefaultSet();
    firstTwo.records.resize(2);
    firstTwo.save(dir / "two.prm");
    const std::string two = test::readFile(dir / "two.prm");
    // The full file without its end from five bytes into its third record.
    const std::string head = two.substr(0, two.size() - 1);
    const std::string full = test::readFile(dir / "full.prm");
    ASSERT_EQ(full.substr(0, head.size()), head);
    const auto file = dir.write("Defaults.prm", full.substr(0, head.size() + 5));

    TPlotRecList set;
    EXPECT_EQ(test::settingsErrorOf([&] { set.load(file, sink); }), "Stream read error");
    EXPECT_EQ(set.records.size(), 2u);
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Trouble reading saved oscillator settings."});
}

TEST(SymbolSettings, ChangedRecordsComeBackAsSaved) {
    test::TempDir dir;
    test::RecordingSink sink;
    TPlotRecList set = factoryDefaultSet();
    set.records[0]->Style = 4;
    set.records[0]->ShowVolume = true;
    set.records[0]->Colors[0] = 0x00FFFFFF;
    set.records[5]->Params = {13.9f, 0.1f, -1e-40f, 3.4e38f};
    set.records[5]->AggressiveStage2 = true;
    set.records[17]->BarSpacing = 7;
    set.save(dir / "IBM.prm");

    TPlotRecList loaded;
    loaded.load(dir / "IBM.prm", sink);
    ASSERT_EQ(loaded.records.size(), 31u);
    EXPECT_EQ(loaded.records[0]->Style, 4);
    EXPECT_TRUE(loaded.records[0]->ShowVolume);
    EXPECT_EQ(loaded.records[0]->Colors[0], 0x00FFFFFF);
    EXPECT_EQ(loaded.records[5]->Params, set.records[5]->Params);
    EXPECT_TRUE(loaded.records[5]->AggressiveStage2);
    EXPECT_EQ(loaded.records[17]->BarSpacing, 7); // stored as it is; copying caps it
    for (std::size_t k = 0; k < 31; ++k) EXPECT_EQ(loaded.records[k]->Kind, k);
}

} // namespace
} // namespace qm

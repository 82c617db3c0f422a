#include "dialogs/PlotEditorModel.h"

#include "indicators/OscObj.h"
#include "settings/SettingsFiles.h"
#include "support/FileContent.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
namespace sf = settings_files;

// A settings folder with "Defaults.prm", a settings list and the model over them; price files
// live in a folder of their own.
struct EditorFiles : testing::Test {
    test::TempDir settings;
    test::TempDir prices;
    test::RecordingSink sink;
    TParamRecList list;
    PlotEditorModel model{settings.path(), list, sink};

    EditorFiles() { list.records.emplace_back(std::string(kDefaultsSymbol), ""); }

    // A symbol with a price file and a settings file whose first average is `length` long.
    fs::path addSymbol(const std::string& symbol, const std::string& fileName, float length) {
        const fs::path source = prices.write(fileName, "1/4/2016,5\n");
        list.records.emplace_back(symbol, source.string());
        TPlotRecList set = factoryDefaultSet();
        set.records[1]->Params[0] = length;
        const fs::path file = settings / sf::symbolSettingsFileName(source).string();
        set.save(file);
        return file;
    }
    float loadedLength() { return model.record(1).Params[0]; }
    static std::string factoryBytes(const test::TempDir& dir) {
        writeFactoryDefaults(dir / "factory.prm");
        return test::readFile(dir / "factory.prm");
    }
};

TEST_F(EditorFiles, OpeningWritesMissingDefaultsAndListsDefaultsFirst) {
    EXPECT_EQ(test::readFile(settings / sf::kDefaultSettings), factoryBytes(prices));
    TParamRecList empty;
    PlotEditorModel withoutDefaults(settings.path(), empty, sink);
    EXPECT_EQ(withoutDefaults.symbols(), std::vector<std::string>{"Defaults"});
}

TEST_F(EditorFiles, SymbolChangeLoadsTheSymbolsOwnFileOrFallsBackToDefaults) {
    const fs::path ab = addSymbol("AB", "AB.csv", 20);
    list.records.emplace_back("GONE", (prices / "GONE.csv").string());
    struct Case {
        const char* chosen;
        const char* symbol;
        fs::path file;
        float length;
    };
    for (const Case& c : {Case{"AB", "AB", ab, 20}, Case{"", "Defaults", {}, 13},
                          Case{"NOPE", "Defaults", {}, 13}, Case{"GONE", "Defaults", {}, 13}}) {
        model.selectSymbol(c.chosen);
        EXPECT_EQ(model.symbol(), c.symbol) << c.chosen;
        EXPECT_EQ(model.file(), c.file.empty() ? settings / sf::kDefaultSettings : c.file);
        EXPECT_EQ(loadedLength(), c.length) << c.chosen;
        EXPECT_TRUE(model.canSave());
    }
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(model.symbols(), (std::vector<std::string>{"Defaults", "AB", "GONE"}));
}

TEST_F(EditorFiles, SaveWritesExactlyTheFileTheSymbolCameFrom) {
    // Files whose names merely contain the symbol, listed before its own, stay untouched.
    const fs::path xaby = addSymbol("XABY", "XABY.csv", 30);
    const fs::path ab = addSymbol("AB", "AB.csv", 20);
    const fs::path d = addSymbol("D", "D.csv", 40);
    const std::string xabyBefore = test::readFile(xaby);
    const std::string defaultsBefore = test::readFile(settings / sf::kDefaultSettings);

    model.selectSymbol("AB");
    model.record(1).Params[0] = 21;
    model.chartPages().colours[ChartPages::ScaleText] = 0x00FFFF;
    ASSERT_TRUE(model.save());
    model.selectSymbol("D");
    model.record(1).Params[0] = 41;
    ASSERT_TRUE(model.save());

    EXPECT_EQ(test::readFile(xaby), xabyBefore);
    EXPECT_EQ(test::readFile(settings / sf::kDefaultSettings), defaultsBefore);
    TPlotRecList saved;
    saved.load(ab, sink);
    EXPECT_EQ(saved.records[1]->Params[0], 21);
    EXPECT_EQ(saved.records[0]->Colors[2], 0x00FFFF); // scale text in both text slots
    EXPECT_EQ(saved.records[0]->Colors[3], 0x00FFFF);
    saved.clear();
    saved.load(d, sink);
    EXPECT_EQ(saved.records[1]->Params[0], 41);
}

TEST_F(EditorFiles, SavingUnchangedSettingsGivesBackTheSameBytes) {
    // Every stored field comes back, the spare colour slot and an unusual bar spacing too.
    const fs::path ab = addSymbol("AB", "AB.csv", 20);
    TPlotRecList set;
    set.load(ab, sink);
    set.records[0]->Colors[5] = 0x123456;
    set.records[7]->Colors[5] = 0x654321;
    set.records[0]->BarSpacing = 7;
    set.records[0]->FontSize = 12;
    set.records[0]->Colors[2] = set.records[0]->Colors[3]; // as the editor stores the text colour
    set.save(ab);
    const std::string before = test::readFile(ab);

    model.selectSymbol("AB");
    ASSERT_TRUE(model.save());
    EXPECT_TRUE(test::readFile(ab) == before);
}

TEST_F(EditorFiles, SaveAsGivesTheSettingsToTheFilesSymbol) {
    struct Case {
        const char* fileName;
        const char* symbol;
        const char* settingsFile;
    };
    for (const Case& c : {Case{"XYZ = Example Holdings.csv", "XYZ", "XYZ = Example Holdings.prm"},
                          Case{"EURUSD=X.csv", "EURUSD=X", "EURUSD=X.prm"},
                          Case{"BRK.B.csv", "BRK.B", "BRK.B.prm"}}) {
        SCOPED_TRACE(c.fileName);
        const fs::path source = prices.write(c.fileName, "1/4/2016,5\n");
        model.selectSymbol("Defaults");
        model.record(2).Params[0] = 99;
        EXPECT_EQ(model.saveAs(source), PlotEditorModel::SaveAsOutcome::Saved);
        EXPECT_EQ(model.symbol(), c.symbol);
        EXPECT_EQ(model.file(), settings / c.settingsFile);
        EXPECT_EQ(model.record(2).Params[0], 99); // chosen and loaded again from the new file
        const auto entry = list.indexOfSymbol(c.symbol);
        ASSERT_TRUE(entry);
        EXPECT_EQ(list.records[*entry].file, source.string());
    }
    // The default set itself was not written.
    EXPECT_EQ(test::readFile(settings / sf::kDefaultSettings), factoryBytes(prices));

    // Assigning again moves the symbol's entry to the end instead of adding a second one.
    const std::size_t entries = list.records.size();
    EXPECT_EQ(model.saveAs(prices / "XYZ = Example Holdings.csv"),
              PlotEditorModel::SaveAsOutcome::Saved);
    EXPECT_EQ(list.records.size(), entries);
    EXPECT_EQ(list.records.back().symbol, "XYZ");
}

TEST_F(EditorFiles, SaveAsRefusesWhatNoSymbolCanTake) {
    const std::string defaultsBefore = test::readFile(settings / sf::kDefaultSettings);
    for (const fs::path& source :
         {prices / "MISSING.csv", prices.write("Defaults.csv", "1/4/2016,5\n"),
          prices.write(" = Nameless.csv", "1/4/2016,5\n"), prices.path()}) {
        EXPECT_EQ(model.saveAs(source), PlotEditorModel::SaveAsOutcome::Refused) << source;
    }
    EXPECT_EQ(list.records.size(), 1u);
    EXPECT_EQ(test::readFile(settings / sf::kDefaultSettings), defaultsBefore);
    EXPECT_EQ(settings.fileCount(), 1u);
}

TEST_F(EditorFiles, DeleteRefusesDefaultsAndRemovesOnlyAConfirmedSymbol) {
    const fs::path ab = addSymbol("AB", "AB.csv", 20);
    model.selectSymbol("Defaults");
    EXPECT_FALSE(model.deleteSymbol());
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"Don't delete this one: Defaults"});
    EXPECT_TRUE(fs::exists(settings / sf::kDefaultSettings));

    model.selectSymbol("AB");
    sink.answers = {false};
    EXPECT_FALSE(model.deleteSymbol());
    EXPECT_TRUE(fs::exists(ab));
    EXPECT_EQ(sink.messages.back(), (test::RecordedMessage{test::RecordedMessage::Kind::Confirm,
                                                           "Delete the settings of AB?"}));

    sink.answers = {true};
    EXPECT_TRUE(model.deleteSymbol());
    EXPECT_FALSE(fs::exists(ab));
    EXPECT_FALSE(list.indexOfSymbol("AB"));
    EXPECT_TRUE(fs::exists(settings / sf::kDefaultSettings));
}

TEST_F(EditorFiles, FactorySettingsRestoreTheFactoryBytes) {
    model.selectSymbol("Defaults");
    model.record(17).Params[0] = 5;
    model.chartPages().style = 4;
    ASSERT_TRUE(model.save());
    ASSERT_NE(test::readFile(settings / sf::kDefaultSettings), factoryBytes(prices));

    model.restoreFactorySettings();
    EXPECT_EQ(test::readFile(settings / sf::kDefaultSettings), factoryBytes(prices));
    model.selectSymbol("Defaults");
    EXPECT_EQ(model.record(17).Params[0], 13);
    EXPECT_EQ(model.chartPages().style, 3);
}

TEST_F(EditorFiles, ASetThatCannotBeReadWholeIsNeverSavedOverItsFile) {
    const fs::path ab = addSymbol("AB", "AB.csv", 20);
    std::string bytes = test::readFile(ab);
    bytes.resize(bytes.size() / 2);
    prices.write("cut.prm", bytes);
    fs::copy_file(prices / "cut.prm", ab, fs::copy_options::overwrite_existing);

    model.selectSymbol("AB");
    EXPECT_EQ(model.symbol(), "AB");
    EXPECT_FALSE(model.canSave());
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages.front().text, "Trouble reading saved oscillator settings.");
    // The editor shows the factory set, and Save leaves the file as it was.
    EXPECT_EQ(loadedLength(), 13);
    model.record(1).Params[0] = 77;
    EXPECT_FALSE(model.save());
    EXPECT_EQ(test::readFile(ab), bytes);

    // Save As may still give the (whole) set shown to a symbol.
    EXPECT_EQ(model.saveAs(prices.write("NEW.csv", "1/4/2016,5\n")),
              PlotEditorModel::SaveAsOutcome::Saved);
    EXPECT_EQ(loadedLength(), 77);
    EXPECT_TRUE(model.canSave());
}

TEST_F(EditorFiles, AShortSetIsCompletedFromTheFactorySet) {
    const fs::path ab = addSymbol("AB", "AB.csv", 20);
    TPlotRecList set;
    set.load(ab, sink);
    set.records.resize(5);
    set.save(ab);

    model.selectSymbol("AB");
    EXPECT_TRUE(model.canSave());
    EXPECT_EQ(loadedLength(), 20);
    EXPECT_EQ(model.record(30).Kind, 30);
    ASSERT_TRUE(model.save());
    TPlotRecList saved;
    saved.load(ab, sink);
    EXPECT_EQ(saved.records.size(), kSettingsSetSize);
}

TEST_F(EditorFiles, ChartPagesComeFromAndGoToThePriceChartRecord) {
    model.selectSymbol("Defaults");
    const ChartPages& pages = model.chartPages();
    EXPECT_EQ(pages.style, 3);
    EXPECT_EQ(pages.colours, (std::array<std::int32_t, 3>{0x000000, 0xF0FBFF, 0xC0C0C0}));
    EXPECT_EQ(pages.fontSize, 10);

    TOscObj price;
    price.FontSize = 3;
    price.Style = 9;
    applyChartPages(price, {9, {1, 2, 3}, 14});
    EXPECT_EQ(price.Style, 9); // a chart type this editor does not offer stays
    EXPECT_EQ(price.Colors[0], 1);
    EXPECT_EQ(price.Colors[1], 2);
    EXPECT_EQ(price.Colors[2], 3);
    EXPECT_EQ(price.Colors[3], 3);
    EXPECT_EQ(price.FontSize, 14);
}

} // namespace
} // namespace qm

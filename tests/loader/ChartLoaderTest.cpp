#include "loader/ChartLoader.h"

#include "LoaderTestUtil.h"
#include "settings/GroupRecords.h"
#include "settings/ParamRecords.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace qm {
namespace {

using test::RecordedMessage;
using Kind = RecordedMessage::Kind;

class ChartLoaderTest : public ::testing::Test {
protected:
    ChartLoaderTest() {
        std::filesystem::create_directories(settings);
        std::filesystem::create_directories(temp);
    }

    LoaderContext context() const {
        LoaderContext c;
        c.settingsFolder = settings;
        c.settingsList = &list;
        c.tempFolder = temp;
        c.locale = FormatSettings::unitedStates();
        c.currentYear = 2016;
        return c;
    }

    LoadResult open(const std::filesystem::path& file, IndicatorRequestList requests = {},
                    Interval interval = Interval::Daily, const std::filesystem::path& second = {}) {
        ChartRequest r;
        r.sourceFile = file;
        r.secondSourceFile = second;
        r.interval = interval;
        r.requests = std::move(requests);
        r.spacing = 1;
        return openChart(r, context(), sink);
    }

    std::vector<int> kindsOf(const LoadedChart& chart) const {
        std::vector<int> kinds;
        for (const auto& r : chart.records.records) kinds.push_back(r->Kind);
        return kinds;
    }

    test::TempDir dir;
    std::filesystem::path settings = dir / "settings";
    std::filesystem::path temp = dir / "temp";
    TParamRecList list;
    test::RecordingSink sink;
};

TEST_F(ChartLoaderTest, MissingFileShowsItsPathAndMakesNothing) {
    const auto missing = dir / "GONE.csv";
    const LoadResult r = open(missing);
    EXPECT_FALSE(r.chart);
    EXPECT_EQ(sink.messages, (std::vector<RecordedMessage>{
                                 {Kind::Information, missing.string() + "\nCannot be found."}}));
    EXPECT_TRUE(std::filesystem::is_empty(temp));
    EXPECT_TRUE(std::filesystem::is_empty(settings)); // no settings touched either
}

TEST_F(ChartLoaderTest, DataWithoutBarsNamesTheFilesAndLeavesNoChartFile) {
    const auto bad = dir.write("BAD.csv", "hello\nworld\n");
    const auto good = dir.write("GOOD.csv", test::fullPrices(30));
    struct Case {
        std::filesystem::path first, second;
        std::string names;
    };
    for (const Case& c : {Case{bad, {}, "BAD.csv "}, Case{good, bad, "GOOD.csv BAD.csv"}}) {
        sink.messages.clear();
        EXPECT_FALSE(open(c.first, {}, Interval::Daily, c.second).chart);
        ASSERT_FALSE(sink.messages.empty());
        EXPECT_EQ(sink.messages.back(),
                  (RecordedMessage{Kind::Information,
                                   "Dang! Can't digest data in file(s) ... \n" + c.names}));
        EXPECT_TRUE(std::filesystem::is_empty(temp));
    }
}

TEST_F(ChartLoaderTest, RelativeStrengthWithoutCommonDateShowsTheReadErrorAlone) {
    const auto a = dir.write("A.csv", test::fullPrices(20));
    // The same weekdays a year later: not one date in common.
    std::string later = test::fullPrices(20);
    for (std::size_t at = 0; (at = later.find("/2016", at)) != std::string::npos;)
        later.replace(at, 5, "/2017");
    const auto b = dir.write("B.csv", later);
    EXPECT_FALSE(open(a, {}, Interval::Daily, b).chart);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_TRUE(sink.messages[0].text.starts_with("I/O error")) << sink.messages[0].text;
    EXPECT_TRUE(std::filesystem::is_empty(temp));
}

TEST_F(ChartLoaderTest, RelativeStrengthIsACloseOnlyChartOfBothTitles) {
    const auto a = dir.write("AAA = Alpha.csv", test::fullPrices(30));
    const auto b = dir.write("BBB.csv", test::fullPrices(30));
    const LoadResult r = open(a, {{0, 0}}, Interval::Daily, b);
    ASSERT_TRUE(r.chart);
    EXPECT_EQ(r.chart->dataKind, DataKind::Close);
    EXPECT_EQ(r.chart->title, "AAA to BBB");
    EXPECT_FALSE(r.chart->records.records[0]->ShowVolume);
    EXPECT_EQ(r.chart->chartType, 0); // a line is all closes give
    EXPECT_FLOAT_EQ(r.chart->bars[511].close, 1.0f);
}

TEST_F(ChartLoaderTest, MissingDefaultsAreWrittenWithTheFactorySet) {
    const auto file = dir.write("ACME.csv", test::fullPrices(30));
    const LoadResult r = open(file);
    ASSERT_TRUE(r.chart) << r.abandonReason;
    EXPECT_EQ(r.chart->settingsFile, settings / "Defaults.prm");
    TPlotRecList written;
    written.load(settings / "Defaults.prm", sink);
    EXPECT_EQ(written.records.size(), 31u);
    // The factory price record: OHLC bars on black.
    EXPECT_EQ(r.chart->chartType, 3);
    EXPECT_EQ(r.chart->backgroundColour, 0x000000);
    EXPECT_EQ(r.chart->position.recordCount, 30);
    EXPECT_EQ(countValidBars(r.chart->bars), 30);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(ChartLoaderTest, SettingsFileIsTheSymbolsOwnWhenListedAndPresent) {
    const auto file = dir.write("ACME = Acme Industries.csv", test::fullPrices(30));
    struct Case {
        const char* listed; // symbol of the settings list entry
        bool ownFileExists;
        std::uint8_t sourceFileType;
        bool ownUsed;
    };
    const Case cases[] = {
        {"ACME", true, 0, true},
        {"ACME", false, 0, false}, // its settings file was deleted
        {"acme", true, 0, false},  // symbols compare exactly
        {"ACME", true, 1, false},  // other source folders always use the defaults
    };
    test::writeSettingsSet(settings / "Defaults.prm",
                           [](TPlotRecList& s) { s.records[0]->Colors[0] = 0x111111; });
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.listed) + (c.ownFileExists ? " own file" : " no own file"));
        std::filesystem::remove(settings / "ACME = Acme Industries.prm");
        if (c.ownFileExists)
            test::writeSettingsSet(settings / "ACME = Acme Industries.prm",
                                   [](TPlotRecList& s) { s.records[0]->Colors[0] = 0x222222; });
        list.records = {{"Defaults", ""}, {c.listed, "/elsewhere/ACME = Acme Industries.csv"}};
        ChartRequest request;
        request.sourceFile = file;
        LoaderContext ctx = context();
        ctx.sourceFileType = c.sourceFileType;
        const LoadResult r = openChart(request, ctx, sink);
        ASSERT_TRUE(r.chart);
        EXPECT_EQ(r.chart->settingsFile,
                  settings / (c.ownUsed ? "ACME = Acme Industries.prm" : "Defaults.prm"));
        EXPECT_EQ(r.chart->backgroundColour, c.ownUsed ? 0x222222 : 0x111111);
    }
}

TEST_F(ChartLoaderTest, KindsNeedingHighsAndLowsArePassedOverOnClosesAlone) {
    const IndicatorRequestList requests = {
        {0, 1},  {19, 4}, {17, 5}, {10, 1},
        {24, 4}, {25, 4}, {28, 4}, {0x81, 1}, // the top bit is no part of the kind
        {0, 1},  {31, 1},                     // no indicator kinds
    };
    struct Case {
        std::string prices;
        std::vector<int> kinds;
    };
    const Case cases[] = {
        {test::closePrices(40), {0, 17, 1}},
        {test::highLowClosePrices(40), {0, 19, 17, 10, 24, 25, 28, 1}},
    };
    for (const Case& c : cases) {
        const LoadResult r = open(dir.write("X.csv", c.prices), requests);
        ASSERT_TRUE(r.chart);
        EXPECT_EQ(kindsOf(*r.chart), c.kinds);
        for (const auto& rec : r.chart->records.records) {
            if (rec->Kind == 17) {
                EXPECT_EQ(rec->Pane, 5); // the entry's pane position
            }
        }
    }
}

TEST_F(ChartLoaderTest, PricePaneAndVolumeFollowTheRequestList) {
    struct Case {
        const char* what;
        IndicatorRequestList requests;
        bool volumeSetting;
        std::string prices;
        int pane;
        bool showVolume;
    };
    const std::string full = test::fullPrices(30);
    const Case cases[] = {
        {"alone without volume: whole chart", {{0, 1}}, false, full, 0, false},
        {"empty list counts as the price chart alone", {}, false, full, 0, false},
        {"alone with volume", {{0, 1}}, true, full, 1, true},
        {"volume asked of a series without it", {{0, 1}}, true, test::closePrices(30), 0, false},
        {"position 0 never shows volume", {{0, 0}}, true, full, 0, false},
        {"an oscillator pane takes the volume's place", {{0, 1}, {17, 4}}, true, full, 1, false},
        {"with an overlay the position stays", {{0, 1}, {1, 1}}, false, full, 1, false},
        {"overlays leave the volume on", {{0, 1}, {1, 1}}, true, full, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::writeSettingsSet(settings / "Defaults.prm", [&](TPlotRecList& s) {
            s.records[0]->ShowVolume = c.volumeSetting;
        });
        const LoadResult r = open(dir.write("X.csv", c.prices), c.requests);
        ASSERT_TRUE(r.chart);
        const TOscObj& price = *r.chart->records.records[0];
        EXPECT_EQ(price.Pane, c.pane);
        EXPECT_EQ(r.chart->pricePane, c.pane);
        EXPECT_EQ(price.ShowVolume, c.showVolume);
    }
}

TEST_F(ChartLoaderTest, ChartTypeIsWhatTheSeriesCanShowUnlessAGroupSaysSo) {
    test::writeSettingsSet(settings / "Defaults.prm", [](TPlotRecList& s) {
        s.records[0]->Style = 4; // candles
        s.records[0]->BarSpacing = 0;
    });
    struct Case {
        std::string prices;
        int chartType;
    };
    for (const Case& c : {Case{test::fullPrices(30), 4}, Case{test::highLowClosePrices(30), 2},
                          Case{test::closePrices(30), 0}}) {
        const LoadResult r = open(dir.write("X.csv", c.prices));
        ASSERT_TRUE(r.chart);
        EXPECT_EQ(r.chart->chartType, c.chartType);
        EXPECT_EQ(r.chart->spacing, 1); // the new window's
    }

    TGroupRecObj group;
    group.chartType = 1;
    group.setSpacing(2);
    ChartRequest request;
    request.sourceFile = dir.write("X.csv", test::fullPrices(30));
    request.group = &group;
    const LoadResult r = openChart(request, context(), sink);
    ASSERT_TRUE(r.chart);
    EXPECT_EQ(r.chart->chartType, 1);
    EXPECT_EQ(r.chart->spacing, 2);
    EXPECT_EQ(r.chart->records.records[0]->BarSpacing, 2);
}

TEST_F(ChartLoaderTest, WeeklyAndMonthlyChartsLeaveOnlyTheirConvertedFile) {
    // 64 weekdays from Monday 2016-01-04: through Thursday 2016-03-31, the last day of March.
    const auto file = dir.write("X.csv", test::fullPrices(64));
    struct Case {
        Interval interval;
        int bars;
    };
    // Weeks: twelve complete ones through Friday 2016-03-25; the last, ending on a Thursday,
    // is not kept. Months: January, February and March, complete on the 31st.
    for (const Case& c : {Case{Interval::Weekly, 12}, Case{Interval::Monthly, 3}}) {
        LoadResult r = open(file, {}, c.interval);
        ASSERT_TRUE(r.chart);
        EXPECT_EQ(r.chart->position.recordCount, c.bars);
        EXPECT_EQ(r.chart->interval, c.interval);
        EXPECT_EQ(r.chart->records.records[0]->Interval, static_cast<int>(c.interval));
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(temp))
            names.push_back(e.path().filename().string());
        ASSERT_EQ(names.size(), 1u);
        EXPECT_TRUE(names[0].starts_with("%%TEM")) << names[0];
        r.chart.reset(); // the chart goes, and its file with it
        EXPECT_TRUE(std::filesystem::is_empty(temp));
    }
}

TEST_F(ChartLoaderTest, HistoryShorterThanOnePeriodMakesNoWeeklyOrMonthlyChart) {
    struct Case {
        Interval interval;
        int days; // weekdays from Monday 2016-01-04
    };
    // Monday and Tuesday: the week is not finished. Two January weeks: nor is the month.
    for (const Case& c : {Case{Interval::Weekly, 2}, Case{Interval::Monthly, 10}}) {
        sink.messages.clear();
        const auto file = dir.write("SHORT.csv", test::fullPrices(c.days));
        EXPECT_FALSE(open(file, {}, c.interval).chart);
        EXPECT_EQ(sink.messages,
                  (std::vector<RecordedMessage>{
                      {Kind::Information, "Dang! Can't digest data in file(s) ... \nSHORT.csv "}}));
        EXPECT_TRUE(std::filesystem::is_empty(temp));
    }
}

TEST_F(ChartLoaderTest, UnreadableSettingsAbandonTheChartAndItsFile) {
    const auto file = dir.write("X.csv", test::fullPrices(30));
    struct Case {
        const char* what;
        std::function<void()> damage;
        IndicatorRequestList requests;
        std::vector<RecordedMessage> messages;
        std::string reason;
    };
    const auto defaults = settings / "Defaults.prm";
    const Case cases[] = {
        {"truncated settings file",
         [&] {
             writeFactoryDefaults(defaults);
             std::filesystem::resize_file(defaults, std::filesystem::file_size(defaults) / 2);
         },
         {},
         {{Kind::Error, "Trouble reading saved oscillator settings."}},
         ""},
        {"settings file that is a pipe",
         [&] {
             std::filesystem::remove(defaults);
             ASSERT_EQ(::mkfifo(defaults.c_str(), 0600), 0);
         },
         {},
         {},
         "Cannot open file \"" + defaults.string() + "\". Not a regular file"},
        {"settings set without the requested kind",
         [&] {
             std::filesystem::remove(defaults);
             test::writeSettingsSet(defaults, [](TPlotRecList& s) { s.records.resize(11); });
         },
         {{0, 1}, {5, 1}, {17, 4}},
         {},
         "the settings file holds no record for kind 17"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sink.messages.clear();
        c.damage();
        const LoadResult r = open(file, c.requests);
        EXPECT_FALSE(r.chart);
        EXPECT_FALSE(r.abandonReason.empty());
        if (!c.reason.empty()) {
            EXPECT_EQ(r.abandonReason, c.reason);
        }
        EXPECT_EQ(sink.messages, c.messages);
        EXPECT_TRUE(std::filesystem::is_empty(temp));
    }
}

TEST_F(ChartLoaderTest, AReloadedChartKeepsItsPlaceInTheLongerHistory) {
    const auto file = dir.write("IBM.csv", test::fullPrices(600));
    LoadResult newest = open(file);
    LoadResult scrolled = open(file);
    ASSERT_TRUE(newest.chart && scrolled.chart);
    scrolled.chart->position.offset = 100;
    ASSERT_TRUE(fillWindow(scrolled.chart->bars, scrolled.chart->position,
                           scrolled.chart->dataFile.path(), sink));
    const double shownDay = scrolled.chart->bars[511].date;
    const auto oldDataFile = scrolled.chart->dataFile.path();

    // A download adds ten days and names the file anew.
    const auto renamed = dir.write("IBM = Intl Business Machines Corp.csv", test::fullPrices(610));
    ASSERT_TRUE(reloadChartData(*scrolled.chart, renamed, {}, context(), sink));
    EXPECT_EQ(scrolled.chart->position.recordCount, 610);
    EXPECT_EQ(scrolled.chart->position.offset, 110);
    EXPECT_EQ(scrolled.chart->bars[511].date, shownDay);
    EXPECT_EQ(scrolled.chart->sourceFile, renamed);
    EXPECT_FALSE(std::filesystem::exists(oldDataFile));
    EXPECT_EQ(scrolled.chart->records.records.size(), 1u);

    ASSERT_TRUE(reloadChartData(*newest.chart, renamed, {}, context(), sink));
    EXPECT_EQ(newest.chart->position.offset, 1);
    EXPECT_EQ(newest.chart->bars[511].close, 610.0f);

    // Nothing to read: the chart stays as it was.
    const auto before = newest.chart->dataFile.path();
    EXPECT_FALSE(reloadChartData(*newest.chart, dir / "gone.csv", {}, context(), sink));
    EXPECT_EQ(newest.chart->dataFile.path(), before);
    EXPECT_EQ(newest.chart->position.recordCount, 610);
}

} // namespace
} // namespace qm

#include "CliRunner.h"
#include "cli/KindNames.h"
#include "loader/LoaderTestUtil.h"
#include "settings/lists/PlotRecList.h"

#include <QImage>
#include <QString>
#include <charconv>
#include <gtest/gtest.h>

namespace qm {
namespace {

using test::CliRun;
using test::fieldsOf;
using test::kAcme;
using test::linesOf;

class CommandLine : public ::testing::Test {
protected:
    std::vector<std::string> withSettings(std::vector<std::string> args) const {
        args.push_back("--settings-dir");
        args.push_back(box.settings().string());
        return args;
    }

    // The values command's CSV lines, each cut into its fields.
    std::vector<std::vector<std::string>> values(const std::vector<std::string>& args,
                                                 const std::string& lcAll = "C") const {
        std::vector<std::string> full = {"values"};
        full.insert(full.end(), args.begin(), args.end());
        const CliRun r = box.run(withSettings(full), lcAll);
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::vector<std::string>> rows;
        for (const auto& line : linesOf(r.out)) rows.push_back(fieldsOf(line));
        return rows;
    }

    static std::size_t column(const std::vector<std::string>& header, const std::string& name) {
        const auto at = std::find(header.begin(), header.end(), name);
        EXPECT_NE(at, header.end()) << name;
        return static_cast<std::size_t>(at - header.begin());
    }

    bool tempIsEmpty() const { return std::filesystem::is_empty(box.temp()); }

    test::CliSandbox box;
};

float floatOf(const std::string& text) {
    float value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

TEST(KindNames, NumbersAndShortNamesNameKinds) {
    for (int kind = 1; kind <= 30; ++kind)
        EXPECT_EQ(cli::parseKind(cli::kindShortName(kind)), kind);
    struct Case {
        const char* word;
        std::optional<int> kind;
    };
    const Case cases[] = {{"17", 17},   {"RSI", 17}, {"Volume", 30}, {"1", 1},
                          {"30", 30},   {"0", {}},   {"31", {}},     {"17x", {}},
                          {"rsi2", {}}, {"", {}},    {"-1", {}},     {" 1", {}}};
    for (const Case& c : cases) EXPECT_EQ(cli::parseKind(c.word), c.kind) << c.word;
}

TEST_F(CommandLine, KindsListsTheThirtyKinds) {
    const CliRun r = box.run({"kinds"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines[1], "   1  ma          Ari MA");
    EXPECT_EQ(lines[17], "  17  rsi         Wilder Rsi");
    EXPECT_EQ(lines[30], "  30  volume      Volume");
}

TEST_F(CommandLine, ChartIsWrittenInTheFormatOfItsName) {
    struct Case {
        const char* name;
        const char* size; // --size, or none
        int width, height;
    };
    const Case cases[] = {
        {"chart.png", nullptr, 1024, 600}, {"chart.gif", "640x400", 640, 400},
        {"chart.bmp", nullptr, 1024, 600}, {"chart.JPG", "300x200", 300, 200},
        {"chart.pdf", nullptr, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto out = box.dir() / c.name;
        std::vector<std::string> args = {"chart", kAcme,   "--type", "candle", "--add",
                                         "ma",    "--add", "rsi",    "-o",     out.string()};
        if (c.size) args.insert(args.end(), {"--size", c.size});
        const CliRun r = box.run(withSettings(args));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        if (c.width) {
            const QImage image(QString::fromStdString(out.string()));
            ASSERT_FALSE(image.isNull());
            EXPECT_EQ(image.width(), c.width);
            EXPECT_EQ(image.height(), c.height);
        } else {
            const std::string pdf = test::readFile(out);
            EXPECT_TRUE(pdf.starts_with("%PDF-"));
            EXPECT_NE(pdf.find("%%EOF", pdf.size() - 8), std::string::npos);
        }
        EXPECT_TRUE(tempIsEmpty());
    }
    // Opening the chart wrote the factory settings where none were.
    EXPECT_TRUE(std::filesystem::exists(box.settings() / "Defaults.prm"));
}

TEST_F(CommandLine, SettingsGoToTheUsersDataFolderByDefault) {
    const CliRun r = box.run({"chart", kAcme, "-o", (box.dir() / "c.png").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(
        std::filesystem::exists(box.home() / "data" / "Quillmar" / "Quillmar7" / "Defaults.prm"));
}

TEST_F(CommandLine, ValuesPrintTheWindowAndEachIndicatorsColumns) {
    const auto rows = values({kAcme, "--add", "rsi", "--add", "rsi", "--add", "ma"});
    ASSERT_EQ(rows.size(), 512u); // the header and the 511 bars of a full window
    std::vector<std::string> header = {"slot", "date", "open", "high", "low", "close", "volume"};
    for (const char* kind : {"17", "17#2", "1"})
        for (int c = 0; c < 6; ++c) header.push_back(std::string(kind) + "." + std::to_string(c));
    EXPECT_EQ(rows[0], header);
    for (const auto& row : rows) ASSERT_EQ(row.size(), header.size());
    // Oldest first; the newest is the file's first line, 12/30/2016.
    EXPECT_EQ(rows[1][0], "1");
    const std::vector<std::string> newest = {"511",    "2016-12-30", "153.38", "153.52",
                                             "152.27", "152.48",     "2268300"};
    EXPECT_EQ(std::vector<std::string>(rows[511].begin(), rows[511].begin() + 7), newest);
    // The two copies of one kind compute alike.
    const std::size_t rsi = column(rows[0], "17.0"), rsi2 = column(rows[0], "17#2.0");
    EXPECT_EQ(rows[511][rsi], rows[511][rsi2]);
    EXPECT_GT(floatOf(rows[511][rsi]), 0.0f);
    EXPECT_LT(floatOf(rows[511][rsi]), 100.0f);
    EXPECT_TRUE(tempIsEmpty());
}

TEST_F(CommandLine, ValuesComeFromTheBarsAsTheDrawingChangesThem) {
    // 40 bars, closes 1 to 40. The RSI reaches into its warm-up on so short a series and makes
    // the first bar a copy of the second; an average computed after it sees close 2 there.
    // Column 3 of the average holds the price it averaged.
    const std::string file = box.dir().write("SHORT.csv", test::fullPrices(40)).string();
    struct Case {
        std::vector<std::string> adds;
        const char* averagedFirstClose;
    };
    for (const Case& c : {Case{{"rsi", "ma"}, "2"}, Case{{"ma", "rsi"}, "1"}}) {
        std::vector<std::string> args = {file};
        for (const auto& kind : c.adds) args.insert(args.end(), {"--add", kind});
        const auto rows = values(args);
        ASSERT_EQ(rows.size(), 41u);
        EXPECT_EQ(rows[1][column(rows[0], "close")], "1"); // as the file has it
        EXPECT_EQ(rows[1][column(rows[0], "1.3")], c.averagedFirstClose);
    }
}

TEST_F(CommandLine, EachAddedOscillatorGetsAPaneUntilThreeAreOn) {
    struct Case {
        std::vector<std::string> adds;
        std::vector<std::string> kinds; // of the indicator columns, in order
        std::string note;
    };
    const Case cases[] = {
        {{"macd", "rsi", "volume"}, {"16", "17", "30"}, ""},
        // The fourth takes the top oscillator pane, where the third went.
        {{"macd", "rsi", "volume", "stoch"},
         {"16", "17", "19"},
         "quillmar-cli: --add stoch replaces Volume"},
        {{"ma", "macd", "ema"}, {"1", "16", "2"}, ""}, // overlays take nothing's place
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"values", kAcme};
        for (const auto& kind : c.adds) args.insert(args.end(), {"--add", kind});
        const CliRun r = box.run(withSettings(args));
        ASSERT_EQ(r.status, 0) << r.err;
        const auto header = fieldsOf(linesOf(r.out).at(0));
        std::vector<std::string> kinds;
        for (std::size_t i = 7; i < header.size(); i += 6)
            kinds.push_back(header[i].substr(0, header[i].size() - 2));
        EXPECT_EQ(kinds, c.kinds);
        // The note, and nothing else, on stderr.
        EXPECT_EQ(r.err,
                  c.note.empty() ? "" : c.note + ": a chart has room for three oscillators\n");
    }
}

TEST_F(CommandLine, OffsetAndIntervalChooseTheBars) {
    const auto offset = values({kAcme, "--offset", "3"});
    EXPECT_EQ(offset.back()[1], "2016-12-28"); // the third line of the file

    const auto weekly = values({kAcme, "--interval", "weekly"});
    ASSERT_GT(weekly.size(), 100u);
    for (std::size_t i = 2; i < weekly.size(); ++i)
        EXPECT_GT(weekly[i][1], weekly[i - 1][1]); // yyyy-mm-dd sorts as dates
    EXPECT_EQ(weekly.back()[1], "2016-12-30");
    EXPECT_TRUE(tempIsEmpty());
}

TEST_F(CommandLine, IndicatorRequestFileGivesTheIndicatorsInItsOrder) {
    // (kind, pane): the price chart, an RSI below it, an average over it.
    const std::string osl = std::string("\x00\x01\x11\x04\x01\x01", 6);
    const auto file = box.dir().write("Osc_List.osl", osl);
    const auto rows = values({kAcme, "--indicators", file.string()});
    EXPECT_EQ(rows[0][7], "17.0");
    EXPECT_EQ(rows[0][13], "1.0");
}

TEST_F(CommandLine, SystemLocaleDecidesTheDayOrderOfDates) {
    std::string prices = "Date,Close\n";
    for (int d = 1; d <= 12; ++d)
        prices += (d < 10 ? "0" : "") + std::to_string(d) + "/01/2016," + std::to_string(d) + "\n";
    const std::string file = box.dir().write("DAYS.csv", prices).string();
    // The line "02/01/2016" is the second of January to a British reader, the first of
    // February to an American one (and in the C locale).
    struct Case {
        const char* locale;
        const char* date;
    };
    for (const Case& c : {Case{"C", "2016-02-01"}, Case{"en_US.UTF-8", "2016-02-01"},
                          Case{"en_GB.UTF-8", "2016-01-02"}}) {
        const auto rows = values({file}, c.locale);
        ASSERT_EQ(rows.size(), 13u) << c.locale;
        EXPECT_EQ(rows[2][1], c.date) << c.locale;
    }
}

// inspect says how a file was read; chart and values warn once about bars that look wrong,
// and every reading error names the file and the line.
TEST_F(CommandLine, ReadingProblemsAreToldWithTheirLines) {
    const std::string file =
        box.dir()
            .write("HOLIDAYS.csv", "Date,Open,High,Low,Close,Adj Close,Volume\n"
                                   "2016-01-04,10,11,9,10.5,10.1,1000\n"
                                   "2016-01-05,null,null,null,null,null,null\n"
                                   "2016-01-06,10.5,9,10,11,10.6,2000\n"
                                   "2016-01-07,10.5,11.5,10,11,10.6,2000\n")
            .string();
    const CliRun inspected = box.run({"inspect", file});
    ASSERT_EQ(inspected.status, 0) << inspected.err;
    for (const char* says :
         {"layout: columns named by the header, comma separated, 1 header line, text dates",
          "volume 7 \"Volume\"", "passed over: 6 \"Adj Close\"",
          "skipped: 1 row without prices, passed over (line 3)",
          "warning: 1 bar with high below low (line 4)"})
        EXPECT_NE(inspected.out.find(says), std::string::npos) << says << "\n" << inspected.out;

    const CliRun valued = box.run(withSettings({"values", file}));
    ASSERT_EQ(valued.status, 0) << valued.err;
    EXPECT_EQ(valued.err, "warning: " + file +
                              ": 1 bar with high below low (line 4); the bars are shown as "
                              "written\n");

    const std::string bad =
        box.dir().write("BAD.csv", "Date,Close\n2016-01-04,5\n2016-01-05,abc\n").string();
    const CliRun charted =
        box.run(withSettings({"chart", bad, "-o", (box.dir() / "bad.png").string()}));
    EXPECT_EQ(charted.status, 1);
    EXPECT_TRUE(charted.err.starts_with(bad + ":3: 'abc' is not a valid floating point value\n"))
        << charted.err;
    EXPECT_TRUE(tempIsEmpty());
}

TEST_F(CommandLine, EveryCommandHasItsHelp) {
    const std::vector<std::vector<std::string>> asks = {
        {"--help"},          {"-h"},           {"help"},          {"help", "chart"},
        {"chart", "--help"}, {"values", "-h"}, {"inspect", "-h"}, {"kinds", "--help"},
        {"fetch", "--help"}};
    for (const auto& ask : asks) {
        SCOPED_TRACE(ask.back());
        const CliRun r = box.run(ask);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(r.out.starts_with("usage: quillmar-cli")) << r.out;
    }
    const CliRun chart = box.run({"chart", "--help"});
    EXPECT_NE(chart.out.find("--add KIND[:P1,P2,...]"), std::string::npos);
    EXPECT_EQ(chart.out.find("each adds a pane"), std::string::npos);
}

// --add KIND:P1,... gives the values in the order and units of the settings editor's boxes:
// the same numbers as a settings file holding those parameters.
TEST_F(CommandLine, AddTakesParametersAsTheSettingsEditorShowsThem) {
    TPlotRecList set = factoryDefaultSet();
    TOscObj& envelope = *set.records[4];
    const float length = envelope.Params[0];
    envelope.Params[1] = 0.025f; // shown as 2.5 %
    envelope.Params[2] = 0.04f;
    set.records[10]->Params[0] = 0.03f; // SAR increment, shown as 3
    set.records[1]->Params[0] = 5;
    set.records[1]->Params[1] = 10;
    set.records[1]->SetLineCount(2);
    const auto settings = box.dir() / "edited";
    std::filesystem::create_directories(settings);
    set.save(settings / "Defaults.prm");

    const auto fromSettings = box.run({"values", kAcme, "--add", "envelope", "--add", "sar",
                                       "--add", "ma", "--settings-dir", settings.string()});
    char envelopeArgs[64];
    std::snprintf(envelopeArgs, sizeof envelopeArgs, "envelope:%g,2.5,4", length);
    const auto fromArgs = box.run(withSettings(
        {"values", kAcme, "--add", envelopeArgs, "--add", "sar:3", "--add", "ma:5,10"}));
    ASSERT_EQ(fromSettings.status, 0) << fromSettings.err;
    ASSERT_EQ(fromArgs.status, 0) << fromArgs.err;
    EXPECT_EQ(fromArgs.out, fromSettings.out);
    const auto rows = linesOf(fromArgs.out);
    const auto last = fieldsOf(rows.back());
    // The average of the last five closes in the first line, a second line, no third.
    const auto header = fieldsOf(rows.front());
    double sum = 0;
    for (std::size_t i = rows.size() - 5; i < rows.size(); ++i)
        sum += floatOf(fieldsOf(rows[i])[column(header, "close")]);
    EXPECT_NEAR(floatOf(last[column(header, "1.0")]), sum / 5, 1e-3);
    EXPECT_NE(floatOf(last[column(header, "1.1")]), 0.0f);
    EXPECT_EQ(floatOf(last[column(header, "1.2")]), 0.0f);
}

TEST_F(CommandLine, IndicatorSkippedByAFaultLeavesItsCellsEmpty) {
    // An average over 0 bars divides by zero.
    TPlotRecList set = factoryDefaultSet();
    set.records[1]->Params[0] = 0;
    set.save(box.settings() / "Defaults.prm");

    const CliRun r = box.run(withSettings({"values", kAcme, "--add", "ma", "--add", "rsi"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Ari MA (columns 1.*) was skipped"), std::string::npos) << r.err;
    const auto lines = linesOf(r.out);
    ASSERT_EQ(lines.size(), 512u);
    const auto header = fieldsOf(lines[0]);
    const std::size_t ma = column(header, "1.0"), rsi = column(header, "17.0");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto row = fieldsOf(lines[i]);
        for (std::size_t c = ma; c < ma + 6; ++c) ASSERT_EQ(row[c], "");
        ASSERT_NE(row[rsi], "");
    }
    // The chart leaves the average out and is drawn all the same.
    const auto out = box.dir() / "c.png";
    EXPECT_EQ(box.run(withSettings({"chart", kAcme, "--add", "ma", "-o", out.string()})).status, 0);
    EXPECT_TRUE(std::filesystem::exists(out));
}

} // namespace
} // namespace qm

#include "market/AsciiFileReader.h"

#include "ReaderTestUtil.h"
#include "market/ChartDataFile.h"
#include "support/RecordingSink.h"
#include "support/TempDir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace qm {
namespace {

using test::bar;
using test::closeBar;
using test::day;
using test::expectBars;
using test::kYear;
using test::Outcome;
using test::readText;

struct LayoutCase {
    const char* name;
    std::string content;
    char separator;
    int headerLines;
    const char* pattern;
    bool textDates;
    DataKind kind;
    std::vector<PriceBar> bars; // oldest first
    FormatSettings locale = FormatSettings::unitedStates();
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class ReaderLayouts : public testing::TestWithParam<LayoutCase> {};

TEST_P(ReaderLayouts, DetectsAndReadsOldestFirst) {
    const LayoutCase& c = GetParam();
    const Outcome out = readText(c.content, c.locale);
    ASSERT_TRUE(out.layoutFound);
    EXPECT_EQ(out.layout.separator, c.separator);
    EXPECT_EQ(out.layout.headerLines, c.headerLines);
    EXPECT_EQ(out.layout.datePattern, c.pattern);
    EXPECT_EQ(out.layout.textDates, c.textDates);
    EXPECT_TRUE(out.messages.empty()) << out.messages.front();
    EXPECT_EQ(out.kind, c.kind);
    EXPECT_EQ(out.barCount, static_cast<std::int32_t>(c.bars.size()));
    expectBars(out.bars, c.bars);
    EXPECT_EQ(out.chartFiles.size(), 1u); // the result only: a reversal removes its first file
}

const FormatSettings kDayFirst = FormatSettings::dayFirst();
const FormatSettings kDotted = [] {
    FormatSettings fs = FormatSettings::dayFirst();
    fs.shortDatePattern = "dd.MM.yyyy";
    fs.dateSeparator = '.';
    return fs;
}();

INSTANTIATE_TEST_SUITE_P(
    Cases, ReaderLayouts,
    testing::Values(
        LayoutCase{
            "DownloadNewestFirst",
            "Date,Open,High,Low,Close,Volume\n"
            "1/5/2016,10.5,11,10,10.75,1200\n"
            "1/4/2016,10,10.8,9.9,10.5,1000\n",
            ',',
            1,
            "M/d/yyyy",
            true,
            DataKind::Full,
            {bar(42373, 10, 10.8f, 9.9f, 10.5f, 1000), bar(42374, 10.5f, 11, 10, 10.75f, 1200)}},
        LayoutCase{"IsoDatesCrLf",
                   "Date,Open,High,Low,Close,Volume\r\n"
                   "2016-01-04,1,2,0.5,1.5,100\r\n2016-01-05,1.5,2.5,1,2,200\r\n",
                   ',',
                   1,
                   "y-m-d",
                   true,
                   DataKind::Full,
                   {bar(42373, 1, 2, 0.5f, 1.5f, 100), bar(42374, 1.5f, 2.5f, 1, 2, 200)}},
        LayoutCase{"SeventhColumnIgnored",
                   "2016-01-04,1,2,0.5,1.5,100,1.4\n",
                   ',',
                   0,
                   "y-m-d",
                   true,
                   DataKind::Full,
                   {bar(42373, 1, 2, 0.5f, 1.5f, 100)}},
        LayoutCase{"EightOrMorePiecesReadAsFull",
                   "2016-01-04,1,2,0.5,1.5,100,7,8,junk\n",
                   ',',
                   0,
                   "y-m-d",
                   true,
                   DataKind::Full,
                   {bar(42373, 1, 2, 0.5f, 1.5f, 100)}},
        LayoutCase{"SpacesAndNumericDates",
                   "20160104  12.5 12.1   12.3 123400\n20160105 12.6 12.2 12.4 99000\n",
                   ' ',
                   0,
                   "YYYYMMDD",
                   false,
                   DataKind::HighLowCloseVolume,
                   {bar(42373, 0, 12.5f, 12.1f, 12.3f, 123400),
                    bar(42374, 0, 12.6f, 12.2f, 12.4f, 99000)}},
        LayoutCase{"SpacesWithTabsAmongThem",
                   "20160104 12.5\t12.1 12.3\t 123400\n",
                   ' ',
                   0,
                   "YYYYMMDD",
                   false,
                   DataKind::HighLowCloseVolume,
                   {bar(42373, 0, 12.5f, 12.1f, 12.3f, 123400)}},
        LayoutCase{"TimeOfDayInAColumnOfItsOwn",
                   "2016.01.04,00:00,1.085,1.087,1.083,1.086,12345\n",
                   ',',
                   0,
                   "y.m.d",
                   true,
                   DataKind::Full,
                   {bar(42373, 1.085f, 1.087f, 1.083f, 1.086f, 12345)}},
        LayoutCase{"DateAndTimeBetweenSpaces",
                   "2016-01-04 16:00:00 11 10 10.75 1000\n",
                   ' ',
                   0,
                   "y-m-d",
                   true,
                   DataKind::HighLowCloseVolume,
                   {bar(42373, 0, 11, 10, 10.75f, 1000)}},
        LayoutCase{"TabsWithThousandsInVolume",
                   "Date\tHigh\tLow\tClose\tVolume\n1/4/2016\t12.5\t12.1\t12.3\t1,234,500\n",
                   '\t',
                   1,
                   "M/d/yyyy",
                   true,
                   DataKind::HighLowCloseVolume,
                   {bar(42373, 0, 12.5f, 12.1f, 12.3f, 1234500)}},
        LayoutCase{"HighLowClose",
                   "1/4/2016 12 11 11.5\n",
                   ' ',
                   0,
                   "M/d/yyyy",
                   true,
                   DataKind::HighLowClose,
                   {bar(42373, 0, 12, 11, 11.5f, 0)}},
        LayoutCase{"CloseVolume",
                   "1/4/2016,5.5,1000\n",
                   ',',
                   0,
                   "M/d/yyyy",
                   true,
                   DataKind::CloseVolume,
                   {closeBar(42373, 5.5f, 1000)}},
        LayoutCase{"ZeroOpenHighOrLowMakesAFlatBar",
                   "1/4/2016,0,11,10,10.5,100\n1/5/2016,10,11,0,10.25,100\n",
                   ',',
                   0,
                   "M/d/yyyy",
                   true,
                   DataKind::Full,
                   {bar(42373, 10.5f, 10.5f, 10.5f, 10.5f, 100),
                    bar(42374, 10.25f, 10.25f, 10.25f, 10.25f, 100)}},
        LayoutCase{"ShortYearsAndNoYear",
                   "12/31/99,4\n1/4/0015,5\n1/5/15,6\n1/6,7\n",
                   ',',
                   0,
                   "M/d/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(day(1999, 12, 31), 4), closeBar(day(2015, 1, 4), 5),
                    closeBar(day(2015, 1, 5), 6), closeBar(day(2016, 1, 6), 7)}},
        LayoutCase{"SlashYearFirst",
                   "2016/01/04,5\n",
                   ',',
                   0,
                   "y/m/d",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5)}},
        LayoutCase{"DotYearFirst",
                   "2016.01.04,5\n",
                   ',',
                   0,
                   "y.m.d",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5)}},
        LayoutCase{"DayFirstLocale",
                   "31/12/2015,5.5\n04/01/2016,5.75\n",
                   ',',
                   0,
                   "dd/MM/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(day(2015, 12, 31), 5.5f), closeBar(42373, 5.75f)},
                   kDayFirst},
        LayoutCase{"DottedLocale",
                   "04.01.2016,5\n",
                   ',',
                   0,
                   "dd.MM.yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5)},
                   kDotted},
        LayoutCase{"BlankAndSinglePieceLinesSkipped",
                   "1/4/2016,5\n\n   \nfoo\n1/5/2016,6\n",
                   ',',
                   0,
                   "M/d/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5), closeBar(42374, 6)}},
        LayoutCase{"CarriageReturnLineEnds",
                   "Date,Close\r1/4/2016,5\r1/5/2016,6",
                   ',',
                   1,
                   "M/d/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5), closeBar(42374, 6)}},
        LayoutCase{
            "MixedLineEnds",
            "Date,Close\r\n1/4/2016,5\n1/5/2016,6\r1/6/2016,7\r\n\r1/7/2016,8",
            ',',
            1,
            "M/d/yyyy",
            true,
            DataKind::Close,
            {closeBar(42373, 5), closeBar(42374, 6), closeBar(42375, 7), closeBar(42376, 8)}},
        // The last line's lone CR is the file's last byte, met before the end of the file is
        // known; the LF that ended the header lies just behind the moved text.
        LayoutCase{"MixedLineEndsLastCrAtTheEnd",
                   "Date,Close\r\n1/4/2016,5\r",
                   ',',
                   1,
                   "M/d/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5)}},
        LayoutCase{"NineHeaderLines",
                   std::string(9, '\n') + "1/4/2016,5\n",
                   ',',
                   9,
                   "M/d/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5)}},
        LayoutCase{"ByteOrderMarkSkipped",
                   "\xEF\xBB\xBF"
                   "1/4/2016,5\n1/5/2016,6\n",
                   ',',
                   0,
                   "M/d/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5), closeBar(42374, 6)}},
        LayoutCase{"Utf16LittleEndianTabsAndCrLf",
                   test::asUtf16("Date\tOpen\tHigh\tLow\tClose\tVolume\r\n"
                                 "1/4/2016\t10\t10.8\t9.9\t10.5\t1000\r\n",
                                 false),
                   '\t',
                   1,
                   "M/d/yyyy",
                   true,
                   DataKind::Full,
                   {bar(42373, 10, 10.8f, 9.9f, 10.5f, 1000)}},
        LayoutCase{"Utf16BigEndianWithoutHeader",
                   test::asUtf16("1/5/2016,6\n1/4/2016,5", true),
                   ',',
                   0,
                   "M/d/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5), closeBar(42374, 6)}},
        LayoutCase{"OneBar",
                   "1/4/2016,5\n",
                   ',',
                   0,
                   "M/d/yyyy",
                   true,
                   DataKind::Close,
                   {closeBar(42373, 5)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reader, NoLayoutGivesNoResultAndSaysWhy) {
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) % 256);
    const std::string noPrices =
        "'TEST.csv' has no line of a date and prices among its first ten lines";
    const std::pair<std::string, std::string> cases[] = {
        {"", "'TEST.csv' is empty"},
        {"\n  \r\n\t\n", "'TEST.csv' is empty"},
        {"Date,Open,High,Low,Close,Volume\n",
         "'TEST.csv' has a header line but no prices after it"},
        {"\"1/4/2016\",5\n\"1/5/2016\",6\n", noPrices}, // a quoted date
        {std::string(10, '\n') + "1/4/2016,5\n", noPrices},
        {"1/4/2016\n1/5/2016\n", noPrices}, // dates alone
        {junk, "'TEST.csv' is not a text file"},
        {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), "'TEST.csv' is not a text file"},
        {std::string(3 << 20, '7'), noPrices}, // one endless line
    };
    for (const auto& [content, message] : cases) {
        SCOPED_TRACE(message);
        const Outcome out = readText(content);
        EXPECT_FALSE(out.layoutFound);
        EXPECT_TRUE(out.result.empty());
        EXPECT_EQ(out.barCount, 0);
        EXPECT_EQ(out.messages, std::vector<std::string>{message});
        EXPECT_TRUE(out.chartFiles.empty());
    }
}

TEST(Reader, BadLineShowsItsMessageAndLeavesNothing) {
    const std::string longLine = "1/5/2016,6" + std::string(3 << 20, '7') + "\n1/6/2016,8\n";
    const std::pair<std::string, std::string> cases[] = {
        {"Date,Close\n1/4/2016,5\nTotal,5\n", "'Total' is not a valid date"},
        {"1/4/2016,5\n2/30/2016,6\n", "'2/30/2016' is not a valid date"},
        {"1/4/2016,5\n13/13/13,6\n", "'13/13/13' is not a valid date"},
        {"1/4/2016,1e999\n", "'1e999' is not a valid floating point value"},
        {"1/4/2016,1e39\n", "'1e39' is not a valid floating point value"}, // too big for a single
        {"1/4/2016,5\n1/5/2016,nan\n", "'nan' is not a valid floating point value"},
        {"1/4/2016,5\n1/5/2016,-inf\n", "'-inf' is not a valid floating point value"},
        {"1/4/2016,1.2.3\n", "'1.2.3' is not a valid floating point value"},
        {"1/4/2016\t5\t12,000\n", "'12,000' is not a valid floating point value"}, // kind 2
        {"20160104 5\n20161301 6\n", "Invalid argument to date encode"},
        // Day 0 is the empty slot's date; no bar may carry it.
        {"20160104 5\n18991230 6\n", "Invalid argument to date encode"},
        {"1/4/2016,5\n12/30/1899,6\n", "Invalid argument to date encode"},
        {"20160104 5\n2016010x 6\n", "'2016010x' is not a valid floating point value"},
        {"1/4/2016,1,2,3,4,5\n1/5/2016,1,2\n", "'' is not a valid floating point value"},
        {"1/4/2016,5\n1/5/2016,6" + std::string(1, '\0') + "x\n",
         "'6?x' is not a valid floating point value"},
        {"1/4/2016,5\n" + longLine,
         "'6" + std::string(79, '7') + "...' is not a valid floating point value"},
    };
    for (const auto& [content, message] : cases) {
        SCOPED_TRACE(message);
        const Outcome out = readText(content);
        EXPECT_TRUE(out.layoutFound);
        EXPECT_TRUE(out.result.empty());
        EXPECT_EQ(out.barCount, 0);
        EXPECT_EQ(out.messages, std::vector<std::string>{message});
        EXPECT_TRUE(out.chartFiles.empty());
    }
}

TEST(Reader, DamagedFilesEndInOneMessageOrAResultAndNeverLeaveFiles) {
    std::string good = "Date,Open,High,Low,Close,Volume\n";
    for (int d = 28; d >= 1; --d)
        good += "1/" + std::to_string(d) + "/2016,10.5,11.25,10,10.75," + std::to_string(d * 1000) +
                "\n";
    std::mt19937 random(7);
    for (int variant = 0; variant < 250; ++variant) {
        std::string damaged = good;
        for (int hits = 1 + variant % 4; hits > 0; --hits)
            damaged[random() % damaged.size()] = static_cast<char>(random() % 256);
        SCOPED_TRACE(damaged);
        const Outcome out = readText(damaged);
        if (out.result.empty()) {
            EXPECT_EQ(out.barCount, 0);
            EXPECT_LE(out.messages.size(), 1u);
            EXPECT_TRUE(out.chartFiles.empty());
        } else {
            EXPECT_TRUE(out.messages.empty());
            EXPECT_EQ(out.chartFiles.size(), 1u);
            EXPECT_EQ(static_cast<std::size_t>(out.barCount), out.bars.size());
            for (const PriceBar& b : out.bars) EXPECT_TRUE(std::isfinite(b.close));
        }
    }
}

TEST(Reader, HugeFileIsStreamedInBoundedMemory) {
    test::TempDir sources, temp;
    // A good first line, then 2 GB of NUL bytes without a line end (a sparse file).
    const auto file = sources.write("HUGE.csv", "1/4/2016,5\n");
    std::filesystem::resize_file(file, std::uintmax_t{2} << 30);
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    test::RecordingSink sink;
    TAsciiFileReader reader(FormatSettings{}, temp.path(), kYear, sink);
    reader.readFile(file);
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    EXPECT_TRUE(reader.resultName().empty());
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"'' is not a valid date"});
    EXPECT_TRUE(test::chartFilesIn(temp.path()).empty());
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 16 * 1024); // kilobytes
}

// A missing file is the caller's to report; a folder or a pipe given as a price file is
// refused with what it is.
TEST(Reader, MissingFileFolderOrPipeGivesNothing) {
    test::TempDir temp;
    test::RecordingSink sink;
    TAsciiFileReader reader(FormatSettings{}, temp.path(), kYear, sink);
    reader.readFile(temp / "absent.csv");
    EXPECT_TRUE(reader.resultName().empty());
    EXPECT_TRUE(sink.messages.empty());
    std::filesystem::create_directory(temp / "folder.csv");
    reader.readFile(temp / "folder.csv");
    EXPECT_TRUE(reader.resultName().empty());
    ASSERT_EQ(::mkfifo((temp / "pipe.csv").c_str(), 0600), 0);
    reader.readFile(temp / "pipe.csv"); // must not wait for a writer
    EXPECT_TRUE(reader.resultName().empty());
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"'folder.csv' is a folder, not a price file",
                                                      "'pipe.csv' is a pipe or a device, not a "
                                                      "price file"}));
    EXPECT_TRUE(test::chartFilesIn(temp.path()).empty());
}

TEST(Reader, UnwritableTemporaryFolderIsAnIoError) {
    test::TempDir sources;
    test::RecordingSink sink;
    TAsciiFileReader reader(FormatSettings{}, sources / "no-such-folder", kYear, sink);
    reader.readFile(sources.write("A.csv", "1/4/2016,5\n"));
    EXPECT_TRUE(reader.resultName().empty());
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"I/O error 2"});
}

TEST(Reader, FullDiskDeletesThePartFileAtOnce) {
    test::TempDir dir;
    const auto small = dir / "small";
    std::filesystem::create_directory(small);
    if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here";
    struct Unmount {
        std::filesystem::path p;
        ~Unmount() { ::umount(p.c_str()); }
    } unmount{small};

    std::string content;
    for (int i = 0; i < 20000; ++i) content += "20160104 5\n"; // 640 KB of bars
    test::RecordingSink sink;
    TAsciiFileReader reader(FormatSettings{}, small, kYear, sink);
    reader.readFile(dir.write("A.csv", content));
    EXPECT_TRUE(reader.resultName().empty());
    EXPECT_EQ(sink.texts(), std::vector<std::string>{"I/O error 28"});
    EXPECT_TRUE(test::chartFilesIn(small).empty());
}

// A file is put oldest first exactly when its first date is not before its last, whatever its
// dates do in between, by position and by a header's names alike.
// Long enough to cross every buffer of the reading, with characters of every UTF-8 length in
// a column passed over, so that pairs of UTF-16 units are split between reads.
TEST(Reader, Utf16FileReadsAsItsUtf8Text) {
    std::string text = "Date,Close,Note\n";
    for (int i = 0; i < 70000; ++i)
        text += "1/4/2016," + std::to_string(i % 1000) +
                ".25,Z\xC3\xBCrich \xE2\x82\xAC \xF0\x9F\x93\x88" +
                std::string(static_cast<std::size_t>(i % 7), 'x') + "\n";
    const Outcome utf8 = readText(text);
    ASSERT_EQ(utf8.barCount, 70000);
    for (const bool bigEndian : {false, true}) {
        SCOPED_TRACE(bigEndian);
        const Outcome utf16 = readText(test::asUtf16(text, bigEndian));
        EXPECT_TRUE(utf16.messages.empty());
        expectBars(utf16.bars, utf8.bars);
    }
}

// Lines of a file that mixes lone CRs with LFs are counted alike wherever the reading's blocks
// end, also between the CR and the LF of a CR LF.
TEST(Reader, MixedLineEndsAreCountedAcrossBlocks) {
    const char* const ends[] = {"\r", "\n", "\r\n"};
    std::string text = "Date,Close\n1/4/2016,5";
    const std::size_t padAt = text.size();
    int lines = 2;
    for (std::size_t i = 0; text.size() < (1u << 20) + 100; ++i, ++lines)
        text += std::string(ends[i % 3]) + "1/4/2016," + std::to_string(i % 100);
    text += "\n1/5/2016,x";
    ++lines;
    // Padding after the first bar puts the CR of a CR LF last in the first block read.
    const std::size_t blockEnd = (1u << 20) - 1;
    const std::size_t cr = text.rfind("\r\n", blockEnd);
    text.insert(padAt, blockEnd - cr, ' ');
    ASSERT_EQ(text.substr(blockEnd, 2), "\r\n");
    const Outcome out = readText(text);
    EXPECT_EQ(out.messages, std::vector<std::string>{"'x' is not a valid floating point value"});
    ASSERT_EQ(out.places.size(), 1u);
    EXPECT_EQ(out.places[0].line, lines);
}

TEST(Reader, FileIsReversedWhenItsFirstDateIsNotBeforeItsLast) {
    struct Case {
        const char* lines;
        std::vector<float> closes; // of the result
    };
    for (const Case& c : {Case{"1/6/2016,3\n1/5/2016,2\n1/4/2016,1\n", {1, 2, 3}},
                          Case{"1/6/2016,3\n1/4/2016,1\n1/7/2016,4\n1/5/2016,2\n", {2, 4, 1, 3}},
                          Case{"1/4/2016,1\n1/6/2016,3\n1/5/2016,2\n", {1, 3, 2}},
                          Case{"1/6/2016,3\n1/7/2016,4\n1/4/2016,1\n", {1, 4, 3}},
                          Case{"1/5/2016,2\n1/5/2016,3\n", {3, 2}}, Case{"1/5/2016,2\n", {2}}}) {
        for (const std::string header : {"", "Date,Close\n"}) {
            SCOPED_TRACE(header + c.lines);
            const Outcome out = readText(header + c.lines);
            ASSERT_EQ(out.bars.size(), c.closes.size());
            for (std::size_t i = 0; i < c.closes.size(); ++i)
                EXPECT_EQ(out.bars[i].close, c.closes[i]) << i;
            EXPECT_EQ(out.chartFiles.size(), 1u);
        }
    }
}

TEST(Reader, ResultNamesComeFromTheSharedCounter) {
    test::TempDir sources, temp;
    test::RecordingSink sink;
    TAsciiFileReader reader(FormatSettings{}, temp.path(), kYear, sink);
    seedChartFileCounter(0x29);
    reader.readFile(sources.write("A.csv", "1/4/2016,5\n1/5/2016,6\n"));
    EXPECT_EQ(reader.resultName(), temp / "~TEM0000002A.QLM");
    // Newest first: the bars are written once, reversed, under the next name.
    reader.readFile(sources.write("B.csv", "1/5/2016,6\n1/4/2016,5\n"));
    EXPECT_EQ(reader.resultName(), temp / "~TEM0000002B.QLM");
    EXPECT_EQ(nextChartFileNumber(), 0x2Cu);
}

TEST(Titles, ComeFromTheFileName) {
    struct Case {
        const char* path;
        const char* title;
        const char* description;
    };
    for (const Case c :
         {Case{"/d/ACME = Acme Industries.csv", "ACME", "Acme Industries"},
          Case{"/d/ ZENT .csv", "ZENT", "ZENT"}, Case{"/d/BRK.B.csv", "BRK.B", "BRK.B"},
          Case{"/d/A =B=C.txt", "A", "B=C"}, Case{"/d/EURUSD=X.csv", "EURUSD=X", "EURUSD=X"},
          Case{"/d/ = Nameless.csv", "", "Nameless"}, Case{"/d/DATA.csv.csv", "DATA", "DATA"},
          Case{"/d/NOEXT", "NOEXT", "NOEXT"}}) {
        const FileTitles t = titlesFromFileName(c.path);
        EXPECT_EQ(t.title, c.title) << c.path;
        EXPECT_EQ(t.description, c.description) << c.path;
    }
}

// Two files read as a relative-strength series, in a temporary folder checked afterwards.
struct RatioOutcome {
    std::vector<PriceBar> bars;
    std::int32_t barCount = 0;
    DataKind kind = DataKind::None;
    std::string title, description;
    std::vector<std::string> messages;
    std::vector<std::string> chartFiles;
};

RatioOutcome readRatio(std::string_view first, std::string_view second) {
    test::TempDir sources, temp;
    test::RecordingSink sink;
    TAsciiFileReader reader(FormatSettings{}, temp.path(), kYear, sink);
    reader.readRatio(sources.write("AAA.csv", first), sources.write("BBB = Bee Corp.csv", second));
    RatioOutcome out{{},
                     reader.barCount(),
                     reader.dataKind(),
                     reader.title(),
                     reader.description(),
                     sink.texts(),
                     test::chartFilesIn(temp.path())};
    if (!reader.resultName().empty()) out.bars = test::readBars(reader.resultName());
    return out;
}

TEST(Ratio, AlignsTheEndsAndPairsByPosition) {
    // The second file lacks 1/5 and runs on to 1/8: the ends meet on 1/7, then the last three
    // records of each pair up in order, whatever their dates.
    const RatioOutcome out = readRatio("1/4/2016,10\n1/5/2016,12\n1/6/2016,9\n1/7/2016,8\n",
                                       "1/8/2016,1\n1/7/2016,4\n1/6/2016,3\n1/4/2016,2\n");
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(out.kind, DataKind::Close);
    EXPECT_EQ(out.title, "AAA to BBB");
    EXPECT_EQ(out.description, "AAA to BBB");
    EXPECT_EQ(out.barCount, 3);
    expectBars(out.bars,
               {closeBar(42374, 12.0f / 2), closeBar(42375, 9.0f / 3), closeBar(42376, 8.0f / 4)});
    EXPECT_EQ(out.chartFiles.size(), 1u);
}

TEST(Ratio, FailuresLeaveNoFiles) {
    struct Case {
        const char* name;
        const char* first;
        const char* second;
        std::vector<std::string> messages;
    };
    for (const Case& c :
         {Case{"no common date",
               "1/4/2016,10\n1/5/2016,12\n",
               "2/4/2016,1\n2/5/2016,2\n",
               {"I/O error 5"}},
          Case{
              "second close of zero", "1/4/2016,10\n1/5/2016,12\n", "1/4/2016,1\n1/5/2016,0\n", {}},
          Case{"second without layout",
               "1/4/2016,10\n",
               "no dates here\n",
               {"'BBB = Bee Corp.csv' has no line of a date and prices among its first ten lines"}},
          Case{"first without layout", "", "1/4/2016,10\n", {"'AAA.csv' is empty"}},
          Case{"bad line in the second",
               "1/4/2016,10\n",
               "1/4/2016,x\n",
               {"'x' is not a valid floating point value"}}}) {
        SCOPED_TRACE(c.name);
        const RatioOutcome out = readRatio(c.first, c.second);
        EXPECT_EQ(out.barCount, 0);
        EXPECT_TRUE(out.bars.empty());
        EXPECT_EQ(out.messages, c.messages);
        EXPECT_TRUE(out.chartFiles.empty());
    }
}

} // namespace
} // namespace qm

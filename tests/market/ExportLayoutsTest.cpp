// Price files as free quote sites, data vendors and spreadsheets export them: columns taken by
// the names of their header, rows without prices passed over, refusals that name the line, and
// the bars that look wrong counted.

#include "ReaderTestUtil.h"

#include <gtest/gtest.h>
#include <ostream>

namespace qm {
namespace {

using test::bar;
using test::closeBar;
using test::day;
using test::expectBars;
using test::readText;

const double kJan4 = day(2016, 1, 4);
const double kJan5 = day(2016, 1, 5);

struct ExportCase {
    const char* name;
    std::string content;
    DataKind kind;
    std::vector<PriceBar> bars; // oldest first
    std::int64_t missingPrices = 0;
    std::int64_t missingVolumes = 0;
    FormatSettings locale = FormatSettings::unitedStates();
};

void PrintTo(const ExportCase& c, std::ostream* os) {
    *os << c.name;
}

class ExportLayouts : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportLayouts, ReadTheNamedColumns) {
    const ExportCase& c = GetParam();
    const test::Outcome out = readText(c.content, c.locale);
    ASSERT_TRUE(out.layoutFound);
    EXPECT_TRUE(out.layout.named);
    EXPECT_TRUE(out.messages.empty()) << out.messages.front();
    EXPECT_EQ(out.kind, c.kind);
    expectBars(out.bars, c.bars);
    ASSERT_EQ(out.reports.size(), 1u);
    EXPECT_EQ(out.reports[0].missingPrices.count, c.missingPrices);
    EXPECT_EQ(out.reports[0].missingVolumes.count, c.missingVolumes);
    EXPECT_FALSE(out.reports[0].doubtful());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExportLayouts,
    testing::Values(
        ExportCase{
            "AdjustedCloseBeforeVolumeAndAHolidayOfNulls",
            "Date,Open,High,Low,Close,Adj Close,Volume\n"
            "2016-01-04,10,11,9,10.5,10.1,1000\n"
            "2016-01-05,null,null,null,null,null,null\n"
            "2016-01-06,10.5,11.5,10,11,10.6,2000\n",
            DataKind::Full,
            {bar(kJan4, 10, 11, 9, 10.5f, 1000), bar(day(2016, 1, 6), 10.5f, 11.5f, 10, 11, 2000)},
            1},
        ExportCase{"ColumnsInAnotherOrder",
                   "Date,High,Low,Open,Close,Volume,Adj Close\n"
                   "2016-01-04,11,9,10,10.5,1000,10.1\n",
                   DataKind::Full,
                   {bar(kJan4, 10, 11, 9, 10.5f, 1000)}},
        ExportCase{"MetaStockAscii",
                   "<TICKER>,<PER>,<DATE>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>\n"
                   "ACME,D,20160104,000000,10,11,9,10.5,1000,0\n"
                   "ACME,D,20160105,000000,10.5,12,10,11.5,1500,0\n",
                   DataKind::Full,
                   {bar(kJan4, 10, 11, 9, 10.5f, 1000), bar(kJan5, 10.5f, 12, 10, 11.5f, 1500)}},
        ExportCase{"SemicolonsAndDecimalCommas",
                   "Datum;Er\xC3\xB6"
                   "ffnung;Hoch;Tief;Schluss;Volumen\n"
                   "13.01.2016;10,50;12,00;10,25;11,75;1.234.567\n"
                   "12.01.2016;10,00;11,00;9,50;10,50;987.654\n",
                   DataKind::Full,
                   {bar(day(2016, 1, 12), 10, 11, 9.5f, 10.5f, 987654),
                    bar(day(2016, 1, 13), 10.5f, 12, 10.25f, 11.75f, 1234567)}},
        // Marks followed by three digits could divide thousands; other signs settle them.
        ExportCase{"SemicolonsAndDecimalPointsOfThreeDigits",
                   "Date;Open;High;Low;Close;Volume\n2016-01-04;12.345;12.500;12.100;12.400;1000\n",
                   DataKind::Full,
                   {bar(kJan4, 12.345f, 12.5f, 12.1f, 12.4f, 1000)}},
        ExportCase{"SemicolonsAndALeadingZeroBeforeThePoint",
                   "Date;Close;Volume\n2016-01-04;0.125;1,000\n2016-01-05;1234.500;2,000\n",
                   DataKind::CloseVolume,
                   {closeBar(kJan4, 0.125f, 1000), closeBar(kJan5, 1234.5f, 2000)}},
        ExportCase{"QuotedWithMonthNamesThousandsAndVolumeSuffixes",
                   "\"Date\",\"Price\",\"Open\",\"High\",\"Low\",\"Vol.\",\"Change %\"\n"
                   "\"Jan 05, 2016\",\"1,234.50\",\"1,230.00\",\"1,240.25\",\"1,220.00\",\"2.39M\","
                   "\"0.35%\"\n"
                   "\"Jan 04, 2016\",\"1,230.00\",\"1,200.00\",\"1,235.00\",\"1,199.50\",\"-\","
                   "\"-0.10%\"\n",
                   DataKind::Full,
                   {bar(kJan4, 1200, 1235, 1199.5f, 1230, 0),
                    bar(kJan5, 1230, 1240.25f, 1220, 1234.5f, 2390000)},
                   0,
                   1},
        ExportCase{"DollarsBeforePrices",
                   "Date,Close/Last,Volume,Open,High,Low\n"
                   "01/05/2016,$105.35,67649390,$102.61,$105.368,$102\n",
                   DataKind::Full,
                   {bar(kJan5, 102.61f, 105.368f, 102, 105.35f, 67649390)}},
        ExportCase{"DayMonthNameTwoDigitYear",
                   "Date,Open,High,Low,Close,Volume\n19-Sep-03,10,11,9,10.5,1000\n",
                   DataKind::Full,
                   {bar(day(2003, 9, 19), 10, 11, 9, 10.5f, 1000)}},
        ExportCase{"DayMonthNameFourDigitYear",
                   "Date\tClose\n04-Jan-2016\t5\n05-Jan-2016\t6\n",
                   DataKind::Close,
                   {closeBar(kJan4, 5), closeBar(kJan5, 6)}},
        ExportCase{"LeadingIndexColumn",
                   ",Date,Open,High,Low,Close,Volume\n"
                   "0,2016-01-04,10,11,9,10.5,1000\n1,2016-01-05,10.5,12,10,11.5,1500\n",
                   DataKind::Full,
                   {bar(kJan4, 10, 11, 9, 10.5f, 1000), bar(kJan5, 10.5f, 12, 10, 11.5f, 1500)}},
        ExportCase{"UnixSeconds",
                   "timestamp,open,high,low,close,volume\n"
                   "1451865600,10,11,9,10.5,1000\n1451952000,10.5,12,10,11.5,1500\n",
                   DataKind::Full,
                   {bar(kJan4, 10, 11, 9, 10.5f, 1000), bar(kJan5, 10.5f, 12, 10, 11.5f, 1500)}},
        ExportCase{"DatesWithATimeOfDay",
                   "time,close\n2016-01-04 00:00:00,5\n2016-01-05T00:00:00Z,6\n",
                   DataKind::Close,
                   {closeBar(kJan4, 5), closeBar(kJan5, 6)}},
        // By position these would be high, low, close and volume.
        ExportCase{"OpenHighLowCloseWithoutVolume",
                   "Date,Open,High,Low,Close\n2016-01-04,10,11,9,10.5\n",
                   DataKind::Full,
                   {bar(kJan4, 10, 11, 9, 10.5f, 0)}},
        ExportCase{"CloseAndVolumeWithThousands",
                   "Date\tClose\tVolume\n1/4/2016\t5\t12,000\n",
                   DataKind::CloseVolume,
                   {closeBar(kJan4, 5, 12000)}},
        ExportCase{"SpreadsheetRowsLeftEmpty",
                   "Date,Close,\n2016-01-04,5,\n,,\n2016-01-05,6,\n,,\n",
                   DataKind::Close,
                   {closeBar(kJan4, 5), closeBar(kJan5, 6)}},
        ExportCase{"MonthlyRowsWithDottedDates",
                   "Date;Close\n01.01.2016;5,5\n01.02.2016;6\n",
                   DataKind::Close,
                   {closeBar(day(2016, 1, 1), 5.5f), closeBar(day(2016, 2, 1), 6)}},
        ExportCase{"OverlongNoteInAColumnPassedOver",
                   "Date;Close;Note\n2016-01-04;5,5;" + std::string(5000, 'x') +
                       "\n2016-01-05;6;ok\n",
                   DataKind::Close,
                   {closeBar(kJan4, 5.5f), closeBar(kJan5, 6)}},
        ExportCase{"TwoFilesJoinedRepeatTheHeader",
                   "Date,Close\n2016-01-04,5\n\"Date\",\"Close\"\n2016-01-05,6\n",
                   DataKind::Close,
                   {closeBar(kJan4, 5), closeBar(kJan5, 6)}},
        ExportCase{"DayAboveTwelveSettlesTheOrder",
                   "Date,Close\n05/01/2016,6\n04/01/2016,5\n31/12/2015,4\n",
                   DataKind::Close,
                   {closeBar(day(2015, 12, 31), 4), closeBar(kJan4, 5), closeBar(kJan5, 6)}}),
    [](const auto& info) { return std::string(info.param.name); });

// Without a header naming the columns they are taken by position, but a date in the order the
// locale does not use is still a date, and a day above 12 anywhere near the start settles the
// order of day and month for the whole file.
TEST(Positional, DayAndMonthOrderComesFromTheData) {
    struct Case {
        const char* name;
        std::string content;
        FormatSettings locale;
        std::vector<PriceBar> bars;
        const char* pattern;
    };
    const Case cases[] = {
        {"day-first file, first line read as it stands",
         "31/12/2015,5.5\n04/01/2016,5.75\n",
         FormatSettings::unitedStates(),
         {closeBar(day(2015, 12, 31), 5.5f), closeBar(kJan4, 5.75f)},
         "d/m/y"},
        {"day-first file whose first days read either way",
         "05/01/2016,2\n04/01/2016,1\n31/12/2015,0.5\n",
         FormatSettings::unitedStates(),
         {closeBar(day(2015, 12, 31), 0.5f), closeBar(kJan4, 1), closeBar(kJan5, 2)},
         "d/m/y"},
        {"month-first file in a day-first locale",
         "01/04/2016,1\n01/05/2016,2\n01/13/2016,3\n",
         FormatSettings::dayFirst(),
         {closeBar(kJan4, 1), closeBar(kJan5, 2), closeBar(day(2016, 1, 13), 3)},
         "m/d/y"},
        {"dotted dates are day first, also where no day is above 12",
         "04.01.2016,1\n05.01.2016,2\n",
         FormatSettings::unitedStates(),
         {closeBar(kJan4, 1), closeBar(kJan5, 2)},
         "d.m.y"},
        {"month names",
         "19-Sep-03 11 9 10.5 1000\n",
         FormatSettings::unitedStates(),
         {bar(day(2003, 9, 19), 0, 11, 9, 10.5f, 1000)},
         "dd-mmm-yy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::Outcome out = readText(c.content, c.locale);
        EXPECT_FALSE(out.layout.named);
        EXPECT_EQ(out.layout.headerLines, 0);
        EXPECT_EQ(out.layout.datePattern, c.pattern);
        EXPECT_TRUE(out.messages.empty());
        expectBars(out.bars, c.bars);
    }
}

// Without a header, commas in a row still mark a value left empty: the values after it keep
// their columns, a row without a price is passed over and a missing volume reads as 0, as in
// named columns.
TEST(Positional, EmptyValuesBetweenCommasKeepTheirColumns) {
    struct Case {
        const char* name;
        std::string content;
        std::vector<PriceBar> bars;
        std::int64_t missingPrices, missingVolumes;
    };
    const Case cases[] = {
        {"close left empty, a seventh column after it",
         "2016-01-04,10,11,9,10.5,100,1\n2016-01-05,10,11,9,,150,2\n",
         {bar(kJan4, 10, 11, 9, 10.5f, 100)},
         1,
         0},
        {"volume left empty",
         "2016-01-04,10,11,9,10.5,100\n2016-01-05,10,11,9,10.5,,7\n",
         {bar(kJan4, 10, 11, 9, 10.5f, 100), bar(kJan5, 10, 11, 9, 10.5f, 0)},
         0,
         1},
        {"first row with a value left empty",
         "2016-01-04,10,11,9,,150\n2016-01-05,10,11,9,10.5,100\n",
         {bar(kJan5, 10, 11, 9, 10.5f, 100)},
         1,
         0},
        {"close and volume, close empty",
         "2016-01-04,5,100\n2016-01-05,,200\n",
         {closeBar(kJan4, 5, 100)},
         1,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::Outcome out = readText(c.content);
        EXPECT_FALSE(out.layout.named);
        EXPECT_TRUE(out.messages.empty());
        expectBars(out.bars, c.bars);
        ASSERT_EQ(out.reports.size(), 1u);
        EXPECT_EQ(out.reports[0].missingPrices.count, c.missingPrices);
        EXPECT_EQ(out.reports[0].missingVolumes.count, c.missingVolumes);
    }
}

// A file that cannot be read right is refused at its first bad line, and the message names
// the line; nothing is charted.
TEST(ExportRefusals, NameTheLine) {
    struct Case {
        const char* name;
        std::string content;
        std::string message;
        std::int64_t line;
    };
    const Case cases[] = {
        {"comma as separator and decimal mark",
         "Date,Open,High,Low,Close\n04.01.2016,10,11,9,10\n05.01.2016,10,5,11,0,10,2,10,7\n",
         "'05.01.2016,10,5,11,0,10,2,10,7' has 9 fields where the header names 5 (is \",\" both "
         "the field separator and the decimal mark?)",
         3},
        {"line shorter than its header", "Date,Open,High,Low,Close,Volume\n2016-01-04,1,2,0.5\n",
         "'2016-01-04,1,2,0.5' has 4 fields where the header names 6", 2},
        {"letters in a value", "Date,Close\n2016-01-04,5\n2016-01-05,abc\n",
         "'abc' is not a valid floating point value", 3},
        {"two decimal points", "Date,Close\n2016-01-04,1.2.3\n",
         "'1.2.3' is not a valid floating point value", 2},
        {"digits grouped wrongly",
         "\"Date\",\"Close\"\n\"2016-01-04\",\"1,234.5\"\n\n\"2016-01-05\",\"1,23\"\n",
         "'1,23' is not a valid floating point value", 4},
        {"volume suffix on a price", "Date,Close\n2016-01-04,5M\n",
         "'5M' is not a valid floating point value", 2},
        {"a footer that is not a date", "Date,Close\n2016-01-04,5\nTotal,5\n",
         "'Total' is not a valid date", 3},
        {"positional file", "1/4/2016,5\n\n1/5/2016,x\n", "'x' is not a valid floating point value",
         3},
        {"positional day 0", "20160104 5\n18991230 6\n", "Invalid argument to date encode", 2},
        {"time of day missing from a later line",
         "2016.01.04,00:00,1.085,1.087,1.083,1.086,12345\n2016.01.05,1.086,1.088,1.084,1.087,2\n",
         "'1.086' is not a valid time of day", 2},
        {"overlong first line by position",
         "1/4/2016,5," + std::string(5000, '7') + "\n1/5/2016,6\n",
         "'" + std::string(80, '7') + "...' is not a valid floating point value", 1},
        {"overlong line cut within a column read",
         "Date,Note,Close\n2016-01-04," + std::string(5000, 'x') + ",5\n",
         "'" + std::string(80, 'x') + "...' is not a valid floating point value", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const test::Outcome out = readText(c.content);
        EXPECT_TRUE(out.result.empty());
        EXPECT_EQ(out.barCount, 0);
        EXPECT_EQ(out.messages, std::vector<std::string>{c.message});
        ASSERT_EQ(out.places.size(), 1u);
        EXPECT_EQ(out.places[0].line, c.line);
        EXPECT_TRUE(out.places[0].file.ends_with("TEST.csv")) << out.places[0].file;
        EXPECT_TRUE(out.chartFiles.empty());
    }
}

// Bars are read as written, but the report counts those that look wrong, with the line of the
// first, in both directions a file may run.
TEST(ReadReport, CountsDoubtfulBarsAndSkippedRows) {
    const std::string oldestFirst = "Date,Open,High,Low,Close,Volume\n"
                                    "2016-01-04,10,11,9,10,100\n"
                                    "2016-01-05,10,9,11,10,100\n" // high below low
                                    "2016-01-05,10,11,9,10,100\n" // repeated
                                    "2016-01-07,10,11,9,10,100\n"
                                    "2016-01-06,10,11,9,10,100\n"    // out of order
                                    "2016-01-08,N/A,N/A,N/A,N/A,0\n" // passed over
                                    "2016-01-11,10,11,9,10,100\n";
    const std::string newestFirst = "Date,Close\n"
                                    "2016-01-08,5\n"
                                    "2016-01-09,5\n" // out of order
                                    "2016-01-07,5\n"
                                    "2016-01-06,5\n";
    const test::Outcome a = readText(oldestFirst);
    ASSERT_EQ(a.bars.size(), 6u);
    ASSERT_EQ(a.reports.size(), 1u);
    const ReadReport& ra = a.reports[0];
    EXPECT_TRUE(ra.doubtful());
    EXPECT_EQ(ra.highBelowLow.count, 1);
    EXPECT_EQ(ra.highBelowLow.firstLine, 3);
    EXPECT_EQ(ra.repeatedDates.count, 1);
    EXPECT_EQ(ra.repeatedDates.firstLine, 4);
    EXPECT_EQ(ra.missingPrices.count, 1);
    EXPECT_EQ(ra.missingPrices.firstLine, 7);
    EXPECT_EQ(ra.outOfOrder.count, 1);
    EXPECT_EQ(ra.outOfOrder.firstLine, 6);

    const test::Outcome b = readText(newestFirst);
    ASSERT_EQ(b.reports.size(), 1u);
    EXPECT_EQ(b.reports[0].outOfOrder.count, 1);
    EXPECT_EQ(b.reports[0].outOfOrder.firstLine, 3);
    EXPECT_EQ(b.reports[0].repeatedDates.count, 0);
    EXPECT_EQ(b.bars.front().date, day(2016, 1, 6)); // put oldest first as a whole
}

TEST(ReadReport, FileOfOnlyMissingRowsGivesNothingAndSaysWhy) {
    const test::Outcome out = readText("Date,Close\n2016-01-04,null\n2016-01-05,N/A\n");
    EXPECT_TRUE(out.result.empty());
    EXPECT_EQ(out.messages, std::vector<std::string>{"'TEST.csv' has prices missing in every row"});
    EXPECT_TRUE(out.chartFiles.empty());
}

} // namespace
} // namespace qm

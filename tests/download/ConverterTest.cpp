#include "download/GoogleXfer.h"
#include "download/NasdaqXfer.h"
#include "download/OtcXfer.h"
#include "download/QuoteMediaXfer.h"
#include "download/YahooXfer.h"

#include <gtest/gtest.h>
#include <sstream>

namespace qm::download {
namespace {

enum class Service { Yahoo, Google, Otc, QuoteMedia, Nasdaq };

struct ConvertCase {
    const char* name;
    Service service;
    std::string answer;
    std::string expected; // the whole output; empty: the conversion fails
    int currentYear = 2016;
};

void PrintTo(const ConvertCase& c, std::ostream* os) {
    *os << c.name;
}

// The converter's output, or empty when it reported no rows.
std::string convert(const ConvertCase& c, const FormatSettings& fs) {
    std::istringstream in(c.answer);
    std::string out;
    const TextSink sink = [&out](std::string_view text) {
        out += text;
        return true;
    };
    std::size_t rows = 0;
    switch (c.service) {
    case Service::Yahoo:
        rows = convertYahooAnswer(in, sink, fs);
        break;
    case Service::Google:
        rows = convertGoogleAnswer(in, sink, fs, c.currentYear);
        break;
    case Service::Otc:
        rows = convertOtcAnswer(in, sink, fs);
        break;
    case Service::QuoteMedia:
        rows = convertQuoteMediaAnswer(in, sink, fs);
        break;
    case Service::Nasdaq:
        rows = convertNasdaqAnswer(in, sink, fs);
        break;
    }
    return rows > 0 ? out : std::string{};
}

class Converters : public testing::TestWithParam<ConvertCase> {};

TEST_P(Converters, WriteTheStandardRows) {
    EXPECT_EQ(convert(GetParam(), FormatSettings::unitedStates()), GetParam().expected);
}

const std::string H = "Date,Open,High,Low,Close,Volume\r\n";

INSTANTIATE_TEST_SUITE_P(
    Answers, Converters,
    testing::Values(
        // Yahoo
        ConvertCase{
            "YahooRows", Service::Yahoo,
            "Date,Open,High,Low,Close,Volume,Adj Close\n"
            "2016-05-20,10.5,11,10,10.75,123400,10.70\n"
            "2016-05-19,10,10.6,9.9,10.5,100000,10.45\n",
            H + "5/20/2016,10.5,11,10,10.75,123400\r\n5/19/2016,10,10.6,9.9,10.5,100000\r\n"},
        ConvertCase{
            "YahooFirstDateRepeated", Service::Yahoo,
            "<preamble>\r\nDate,Open,High,Low,Close,Volume,Adj Close\r\n"
            "2016-05-20,10.5,11,10,10.75,123400,10.70\r\n"
            "2016-05-20,9,9,9,9,1,9\r\n"
            "\r\n"
            "2016-05-19,10,10.6,9.9,10.5,100000,10.45\r\n",
            H + "5/20/2016,10.5,11,10,10.75,123400\r\n5/19/2016,10,10.6,9.9,10.5,100000\r\n"},
        ConvertCase{"YahooNoHeader", Service::Yahoo, "2016-05-20,10.5,11,10,10.75,123400,10.70\n",
                    ""},
        ConvertCase{"YahooErrorPage", Service::Yahoo,
                    "<html><body>Sorry, the page you requested was not found.</body></html>\n", ""},
        ConvertCase{"YahooHeaderOnly", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n", ""},
        ConvertCase{"YahooDatePartNotANumber", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n"
                    "2016-05-20,10.5,11,10,10.75,123400,10.70\n"
                    "2016-May-19,10,10.6,9.9,10.5,100000,10.45\n",
                    ""},
        ConvertCase{"YahooInvalidDate", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n"
                    "2016-02-30,10.5,11,10,10.75,123400,10.70\n",
                    ""},
        ConvertCase{"YahooTooFewPieces", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n"
                    "2016-05-20,10.5,11,10\n",
                    ""},
        // Google
        ConvertCase{"GoogleRows", Service::Google,
                    "\xEF\xBB\xBF"
                    "Date,Open,High,Low,Close,Volume\n"
                    "20-May-16,10.5,11,10,10.75,123400\n"
                    "19-May-16,-,-,-,10.5,-\n"
                    "18-May-16,10.5,10.5,10.5,10.5,0\n"
                    "17-May-16,10,10.6,9.9,10.4,-\n",
                    H + "5/20/2016,10.5,11,10,10.75,123400\r\n5/19/2016,10.5,10.5,10.5,10.5,0\r\n" +
                        "5/17/2016,10,10.6,9.9,10.4,0\r\n"},
        ConvertCase{"GoogleCenturyWindowIn2019", Service::Google,
                    "Date,Open,High,Low,Close,Volume\n"
                    "2-Jan-19,1,2,0.5,1.5,10\n"
                    "2-Jan-20,1,2,0.5,1.5,10\n",
                    H + "1/2/2019,1,2,0.5,1.5,10\r\n1/2/1920,1,2,0.5,1.5,10\r\n", 2019},
        ConvertCase{"GoogleCenturyWindowIn2026", Service::Google,
                    "Date,Open,High,Low,Close,Volume\n"
                    "2-Jan-24,1,2,0.5,1.5,10\n"
                    "2-Jan-99,1,2,0.5,1.5,10\n",
                    H + "1/2/2024,1,2,0.5,1.5,10\r\n1/2/1999,1,2,0.5,1.5,10\r\n", 2026},
        ConvertCase{"GoogleMonthMatchedExactly", Service::Google,
                    "Date,Open,High,Low,Close,Volume\n20-MAY-16,10.5,11,10,10.75,123400\n", ""},
        // OTC Markets
        ConvertCase{
            "OtcRows", Service::Otc,
            "Date\tOpen\tHigh\tLow\tClose\tVolume\n"
            "05/20/2016\t10.5\t11\t10\t10.75\t1,234,567\n"
            "5/19/2016\t-\t-\t-\t10.5\t500\n",
            H + "5/20/2016,10.5,11,10,10.75,1234567\r\n5/19/2016,10.5,10.5,10.5,10.5,500\r\n"},
        ConvertCase{"OtcCommaSeparatedIsNotData", Service::Otc,
                    "Date,Open,High,Low,Close,Volume\n5/20/2016,10.5,11,10,10.75,100\n", ""},
        // QuoteMedia
        ConvertCase{"QuoteMediaNewestFirst", Service::QuoteMedia,
                    "date,open,high,low,close,volume,changed,changep,adjclose\n"
                    "2016-05-20,10.5,11,10,10.75,123400,0.25,2.38%,10.75\n"
                    "2016-05-19,N/A,N/A,N/A,10.5,0,0,0%,10.5\n"
                    "2016-05-18,10,10.6,9.9,10.4,90000,0,0%,10.4\n",
                    H + "5/20/2016,10.5,11,10,10.75,123400\r\n5/19/2016,10.5,10.5,10.5,10.5,0\r\n" +
                        "5/18/2016,10,10.6,9.9,10.4,90000\r\n"},
        ConvertCase{
            "QuoteMediaFirstLineRepeatsSecond", Service::QuoteMedia,
            "Date,Open,High,Low,Close,Volume\n"
            "2016-05-20,1,1,1,1,1\n"
            "2016-05-20,10.5,11,10,10.75,123400\n"
            "2016-05-19,10,10.6,9.9,10.5,100000\n",
            H + "5/20/2016,10.5,11,10,10.75,123400\r\n5/19/2016,10,10.6,9.9,10.5,100000\r\n"},
        ConvertCase{"QuoteMediaOneDataLine", Service::QuoteMedia,
                    "date,open,high,low,close,volume\n2016-05-20,10.5,11,10,10.75,123400\n", ""},
        ConvertCase{"QuoteMediaSecondLineNotData", Service::QuoteMedia,
                    "date,open,high,low,close,volume\n2016-05-20,10.5,11,10,10.75,123400\n\n"
                    "2016-05-19,10,10.6,9.9,10.5,100000\n",
                    ""},
        // Nasdaq
        ConvertCase{"NasdaqRows", Service::Nasdaq,
                    "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                    "\"16:00\",\"10.80\",\"1000\",\"10.5\",\"11\",\"10\"\n"
                    "\"2016/05/20\",\"10.75\",\"123400.0000\",\"10.5\",\"11\",\"10\"\n"
                    "\"2016/05/19\",\"10.5\",\"-\",\"10\",\"10.6\",\"9.9\"\n",
                    H + "5/20/2016,10.5,11,10,10.75,123400\r\n5/19/2016,10,10.6,9.9,10.5,0\r\n"},
        ConvertCase{"NasdaqEmptyLine", Service::Nasdaq,
                    "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                    "\"16:00\",\"10.80\",\"1000\",\"10.5\",\"11\",\"10\"\n"
                    "\"2016/05/20\",\"10.75\",\"123400.0000\",\"10.5\",\"11\",\"10\"\n"
                    "\n",
                    ""},
        ConvertCase{"NasdaqOnlyTheDayInProgress", Service::Nasdaq,
                    "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                    "\"16:00\",\"10.80\",\"1000\",\"10.5\",\"11\",\"10\"\n",
                    ""},
        // Rows without prices (the services write them for holidays) are left out, so that one
        // such row does not cost the symbol its whole download; a missing volume is 0.
        ConvertCase{"YahooNullRowLeftOut", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n"
                    "2016-05-20,10.5,11,10,10.75,123400,10.75\n"
                    "2016-05-19,null,null,null,null,null,null\n"
                    "2016-05-18,10,10.6,9.9,10.4,null,10.4\n",
                    H + "5/20/2016,10.5,11,10,10.75,123400\r\n5/18/2016,10,10.6,9.9,10.4,0\r\n"},
        ConvertCase{"YahooOnlyNullRows", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n"
                    "2016-05-19,null,null,null,null,null,null\n",
                    ""},
        ConvertCase{"GoogleCloseMissing", Service::Google,
                    "Date,Open,High,Low,Close,Volume\n"
                    "20-May-16,10.5,11,10,10.75,123400\n19-May-16,-,-,-,-,-\n",
                    H + "5/20/2016,10.5,11,10,10.75,123400\r\n"},
        ConvertCase{"OtcCloseMissing", Service::Otc,
                    "Date\tOpen\tHigh\tLow\tClose\tVolume\n"
                    "05/20/2016\t10.5\t11\t10\t10.75\t1,000\n05/19/2016\t-\t-\t-\t-\t0\n",
                    H + "5/20/2016,10.5,11,10,10.75,1000\r\n"},
        ConvertCase{"NasdaqCloseMissing", Service::Nasdaq,
                    "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                    "\"16:00\",\"10.80\",\"1000\",\"10.5\",\"11\",\"10\"\n"
                    "\"2016/05/20\",\"10.75\",\"1000\",\"10.5\",\"11\",\"10\"\n"
                    "\"2016/05/19\",\"N/A\",\"1000\",\"10.5\",\"11\",\"10\"\n",
                    H + "5/20/2016,10.5,11,10,10.75,1000\r\n"},
        // A value the price file reader cannot read would make the saved file unreadable: the
        // conversion fails instead, and the symbol's old file stays.
        ConvertCase{"YahooDayZeroIsNoDate", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n"
                    "2016-05-20,10.5,11,10,10.75,123400,10.75\n"
                    "1899-12-30,1,1,1,1,1,1\n",
                    ""},
        ConvertCase{"YahooTabInsideAValue", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n"
                    "2016-05-20,10.5,11,10,10.75\t123400,10.75\n",
                    ""},
        ConvertCase{"QuoteMediaCloseMissing", Service::QuoteMedia,
                    "date,open,high,low,close,volume\n"
                    "2016-05-20,N/A,N/A,N/A,N/A,0\n2016-05-19,10,10.6,9.9,10.5,100000\n",
                    H + "5/19/2016,10,10.6,9.9,10.5,100000\r\n"},
        ConvertCase{"YahooLetterInAValue", Service::Yahoo,
                    "Date,Open,High,Low,Close,Volume,Adj Close\n"
                    "2016-05-20,10.5,11,10,10.75x,123400,10.75\n",
                    ""},
        ConvertCase{"NasdaqBlanksAroundValuesDropped", Service::Nasdaq,
                    "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                    "\"16:00\",\"10.80\",\"1000\",\"10.5\",\"11\",\"10\"\n"
                    "\"2016/05/20\",\" 10.75\",\"123400.0000 \",\"10.5\",\"11\",\"10\"\n",
                    H + "5/20/2016,10.5,11,10,10.75,123400\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Converters, DatesFollowTheRegionalShortDateFormat) {
    FormatSettings german;
    german.shortDatePattern = "dd/MM/yyyy";
    german.dateSeparator = '.';
    const ConvertCase c{"", Service::Yahoo,
                        "Date,Open,High,Low,Close,Volume,Adj Close\n"
                        "2016-05-02,10.5,11,10,10.75,123400,10.70\n",
                        ""};
    EXPECT_EQ(convert(c, german), H + "02.05.2016,10.5,11,10,10.75,123400\r\n");
}

} // namespace
} // namespace qm::download

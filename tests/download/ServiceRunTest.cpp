// Each service's worker against a local server that answers like the service: the requests it
// sends, the files it writes, the marks it sets.

#include "FakeServices.h"
#include "WorkerSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qm::test {
namespace {

const std::string H = "Date,Open,High,Low,Close,Volume\r\n";
// Every service's answer below converts to these rows.
const std::string kConverted =
    H + "6/30/2016,10.5,11,10,10.75,123400\r\n6/29/2016,10,10.6,9.9,10.5,100000\r\n";
const std::string kNamedFile = "IBM = Intl Business Machines Corp.csv";

const std::string UA47 =
    "User-Agent: Mozilla/5.0 (Windows NT 6.1; rv:47.0) Gecko/20100101 Firefox/47.0";
const std::string UA36 = "User-Agent: Mozilla/5.0 (Windows; U; Windows NT 6.1; en-US; "
                         "rv:1.9.2.13) Gecko/20101203 Firefox/3.6.13";
const std::string AL = "Accept-Language: en-us,en;q=0.5";
const std::string AE = "Accept-Encoding: compress, gzip";
const std::string CONN = "Connection: keep-alive";
const std::string CT_HTML = "Content-Type: text/html";
const std::string REFERER = "Referer: {base}/";
const std::string COOKIE = "Cookie: visit=1";

struct ExpectedRequest {
    std::string line; // method, target and body
    std::vector<std::string> headers;
};

struct ServiceCase {
    const char* name;
    QuoteService service;
    std::string lookupKey, lookupAnswer, historyKey, historyAnswer;
    std::vector<ExpectedRequest> requests; // listing IBM (known) and ZZZZ (unknown), names on
    bool followsRedirects;
    std::string updateHistoryLine; // the IBM history request in update mode
};

void PrintTo(const ServiceCase& c, std::ostream* os) {
    *os << c.name;
}

// The headers the services care about, in a fixed order, as "Name: value".
std::vector<std::string> headersOf(const SeenRequest& r, const std::string& base) {
    std::vector<std::string> out;
    for (const char* name :
         {"User-Agent", "Accept", "Accept-Language", "Accept-Encoding", "Content-Type", "Referer",
          "Connection", "DNT", "X-Requested-With", "Cookie"}) {
        if (!r.hasHeader(name)) continue;
        std::string value = r.header(name);
        if (value.starts_with(base)) value = "{base}" + value.substr(base.size());
        out.push_back(std::string(name) + ": " + value);
    }
    return out;
}

std::string lineOf(const SeenRequest& r) {
    return r.method + " " + r.target + (r.body.empty() ? "" : " " + r.body);
}

class ServiceRun : public testing::TestWithParam<ServiceCase> {
protected:
    FakeServices server;
    TempDir dir;
    std::filesystem::path dest = dir / "dest";
    std::filesystem::path temp = dir / "temp";

    void SetUp() override {
        std::filesystem::create_directories(dest);
        std::filesystem::create_directories(temp);
    }
    std::string tickerFile(const std::string& lines) const {
        return dir.write("tickers.txt", lines).string();
    }
};

TEST_P(ServiceRun, FetchesNamesAndHistoriesAndMarksEveryLine) {
    const ServiceCase& c = GetParam();
    server.answers = {{c.lookupKey, c.lookupAnswer},
                      {c.historyKey, c.historyAnswer},
                      {"home", "<html>home</html>"}};
    server.start();
    RecordingList list(2);
    RunRequest run;
    run.service = c.service;
    run.tickers = tickerFile("ZZZZ\r\nIBM\r\n");
    run.dest = dest;
    run.addName = true;
    run.list = &list;
    const RunOutcome outcome = runTransfer(run, testContext(server.base(), temp));

    EXPECT_EQ(folderFiles(dest), (std::map<std::string, std::string>{{kNamedFile, kConverted}}));
    EXPECT_EQ(list.changes, (Changes{{0, kGrayed}, {1, kUnticked}, {0, kTicked}}));
    ASSERT_EQ(outcome.results.size(), 2u);
    EXPECT_EQ(std::filesystem::path(outcome.results[0]).filename(), kNamedFile);
    EXPECT_EQ(outcome.results[1], "none");
    EXPECT_TRUE(std::filesystem::is_empty(temp));

    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), c.requests.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(lineOf(seen[i]), c.requests[i].line) << i;
        EXPECT_EQ(headersOf(seen[i], server.base()), c.requests[i].headers) << i;
        if (seen[i].target.find("IBM") != std::string::npos ||
            seen[i].target.find("ibm") != std::string::npos) {
            EXPECT_EQ(seen[i].responseEncoding, "gzip") << i;
        }
    }
}

TEST_P(ServiceRun, FollowsRedirectsAsTheServiceRequires) {
    const ServiceCase& c = GetParam();
    server.answers = {
        {c.historyKey, "redirect:/moved.csv"}, {"moved", c.historyAnswer}, {"home", "ok"}};
    server.start();
    RecordingList list(1);
    RunRequest run;
    run.service = c.service;
    run.tickers = tickerFile("IBM\r\n");
    run.dest = dest;
    run.list = &list;
    runTransfer(run, testContext(server.base(), temp));

    if (c.followsRedirects) {
        EXPECT_EQ(folderFiles(dest), (std::map<std::string, std::string>{{"IBM.csv", kConverted}}));
        EXPECT_EQ(list.changes, (Changes{{0, kGrayed}, {0, kTicked}}));
    } else {
        EXPECT_TRUE(std::filesystem::is_empty(dest));
        EXPECT_EQ(list.changes, (Changes{{0, kUnticked}}));
    }
}

TEST_P(ServiceRun, UpdateModeMergesTheLastThreeWeeks) {
    const ServiceCase& c = GetParam();
    const std::string msftKey = c.service == QuoteService::Nasdaq ? "history|msft" : "history|MSFT";
    server.answers = {{c.historyKey, c.historyAnswer}, {msftKey, c.historyAnswer}, {"home", "ok"}};
    server.start();
    std::string old = H;
    for (int day = 29; day >= 1; --day) old += "6/" + std::to_string(day) + "/2016,1,1,1,1,1\r\n";
    std::ofstream(dest / kNamedFile, std::ios::binary) << old;

    RecordingList list(2);
    RunRequest run;
    run.service = c.service;
    run.tickers = tickerFile("IBM\r\nMSFT\r\n");
    run.dest = dest;
    run.doUpdate = true;
    run.list = &list;
    runTransfer(run, testContext(server.base(), temp));

    // The new rows replace 6/29 and come in front of the older history.
    std::string merged = kConverted;
    for (int day = 28; day >= 1; --day)
        merged += "6/" + std::to_string(day) + "/2016,1,1,1,1,1\r\n";
    EXPECT_EQ(folderFiles(dest), (std::map<std::string, std::string>{{kNamedFile, merged}}));
    // MSFT has no price file to update: downloaded, never ticked.
    EXPECT_EQ(list.changes, (Changes{{0, kGrayed}, {1, kGrayed}, {0, kTicked}}));
    EXPECT_TRUE(std::filesystem::is_empty(temp));
    const auto seen = server.requests();
    bool found = false;
    for (const auto& r : seen) found = found || lineOf(r) == c.updateHistoryLine;
    EXPECT_TRUE(found) << c.updateHistoryLine;
}

const std::string kYahooLookup = "GET /aq/autoc?query=%s&region=US&lang=en-US&callback=YAHOO.util."
                                 "ScriptNodeDataSource.callbacks";
const std::string kQuoteMediaLookup =
    "GET /lookup?callback=jsonp1370239864018&_=1370239967791&q=%s&limit=10&timestamp="
    "1370239967790&async=true&webmasterId=101";
const std::string kOtcAccept = "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*";
const std::string kNasdaqAccept = "Accept: text/plain, */*; q=0.01";
const std::string kJson = "Content-Type: application/json; charset=UTF-8";
const std::string kXrw = "X-Requested-With: XMLHttpRequest";

std::string with(std::string format, const std::string& symbol) {
    return format.replace(format.find("%s"), 2, symbol);
}

INSTANTIATE_TEST_SUITE_P(
    Services, ServiceRun,
    testing::Values(
        ServiceCase{
            "Yahoo",
            QuoteService::Yahoo,
            "lookup|ibm",
            R"(YAHOO.util.ScriptNodeDataSource.callbacks({"ResultSet":{"Query":"ibm","Result":[)"
            R"({"symbol":"IBM","name":"International Business Machines Corporation","exch":"NYQ",)"
            R"("type":"S"}]}});)",
            "history|IBM",
            "Date,Open,High,Low,Close,Volume,Adj Close\n"
            "2016-06-30,10.5,11,10,10.75,123400,10.75\n"
            "2016-06-29,10,10.6,9.9,10.5,100000,10.5\n",
            {{with(kYahooLookup, "ibm"),
              {UA47, "Accept: text/html", AL, AE, CT_HTML, REFERER, CONN, "DNT: 1"}},
             {"GET /table.csv?s=IBM&d=5&e=30&f=2016&g=d&a=0&b=31&c=2016&ignore=.csv",
              {UA47, "Accept: text/html", AL, AE, CT_HTML, REFERER, CONN, "DNT: 1", COOKIE}},
             {with(kYahooLookup, "zzzz"),
              {UA47, "Accept: text/html", AL, AE, CT_HTML, REFERER, CONN, "DNT: 1", COOKIE}}},
            false,
            "GET /table.csv?s=IBM&d=5&e=30&f=2016&g=d&a=5&b=9&c=2016&ignore=.csv"},
        ServiceCase{
            "Google",
            QuoteService::Google,
            "lookup|IBM",
            R"({"matches":[{"t":"IBM","n":"International Business Machines Corporation","e":"NYSE",)"
            R"("id":"18241"}],"all":""})",
            "history|IBM",
            "\xEF\xBB\xBF"
            "Date,Open,High,Low,Close,Volume\n"
            "30-Jun-16,10.5,11,10,10.75,123400\n"
            "29-Jun-16,10,10.6,9.9,10.5,100000\n",
            {{"GET /finance/match?matchtype=matchall&q=IBM",
              {UA47, "Accept: text/html", AL, AE, CT_HTML, CONN, "DNT: 1"}},
             {"GET /finance/historical?q=IBM&startdate=Jan+31,+2016&enddate=Jun+30,+2016&"
              "histperiod=daily&output=csv",
              {UA36, "Accept: */*", AL, AE, CT_HTML, CONN, "DNT: 1"}},
             {"GET /finance/match?matchtype=matchall&q=ZZZZ",
              {UA47, "Accept: text/html", AL, AE, CT_HTML, CONN, "DNT: 1"}}},
            true,
            "GET /finance/historical?q=IBM&startdate=Jun+9,+2016&enddate=Jun+30,+2016&"
            "histperiod=daily&output=csv"},
        ServiceCase{
            "Otc",
            QuoteService::Otc,
            "lookup|IBM",
            "<html><head><title>IBM International Business Machines Corporation: Summary | OTC "
            "Markets</title></head></html>",
            "history|IBM",
            "Date\tOpen\tHigh\tLow\tClose\tVolume\n"
            "06/30/2016\t10.5\t11\t10\t10.75\t123,400\n"
            "06/29/2016\t10\t10.6\t9.9\t10.5\t100,000\n",
            {{"GET /stock/IBM/quote", {UA36, kOtcAccept, AL, AE, CT_HTML, CONN}},
             {"POST /edgar/ajax/GetTradeStatsExcel.xls symbol=IBM&startDate=1451606400000&"
              "endDate=1467244800000&pageSize=10&sortOn=date&sortDir=DESC",
              {UA36, "Accept: */*", AL, AE, "Content-Type: application/x-www-form-urlencoded", CONN,
               COOKIE}},
             {"GET /stock/ZZZZ/quote", {UA36, kOtcAccept, AL, AE, CT_HTML, CONN, COOKIE}}},
            true,
            "POST /edgar/ajax/GetTradeStatsExcel.xls symbol=IBM&startDate=1465430400000&"
            "endDate=1467244800000&pageSize=10&sortOn=date&sortDir=DESC"},
        ServiceCase{
            "QuoteMedia",
            QuoteService::QuoteMedia,
            "lookup|IBM",
            R"(jsonp1370239864018({"results":[{"symbol":"IBM","name":"International Business )"
            R"(Machines Corporation","countryCode":"US","exchange":"NYE"}]}))",
            "history|IBM",
            "date,open,high,low,close,volume\n"
            "2016-06-30,10.5,11,10,10.75,123400\n"
            "2016-06-29,10,10.6,9.9,10.5,100000\n",
            {{with(kQuoteMediaLookup, "IBM"), {UA36, "Accept: */*", AL, AE, CT_HTML, CONN}},
             {"GET /quotetools/getHistoryDownload.csv?webmasterId=102&symbol=IBM&startDay=31&"
              "startMonth=0&startYear=2016&endDay=30&endMonth=5&endYear=2016&isRanged=true",
              {UA47, "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8", AL,
               AE, CT_HTML, CONN, COOKIE}},
             {with(kQuoteMediaLookup, "ZZZZ"),
              {UA36, "Accept: */*", AL, AE, CT_HTML, CONN, COOKIE}}},
            true,
            "GET /quotetools/getHistoryDownload.csv?webmasterId=102&symbol=IBM&startDay=9&"
            "startMonth=5&startYear=2016&endDay=30&endMonth=5&endYear=2016&isRanged=true"},
        ServiceCase{"Nasdaq",
                    QuoteService::Nasdaq,
                    "lookup|IBM",
                    "IBM | International Business Machines Corporation;IBMX | Other Company;",
                    "history|ibm",
                    "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                    "\"16:00\",\"10.80\",\"5000\",\"10.6\",\"11\",\"10\"\n"
                    "\"2016/06/30\",\"10.75\",\"123400.0000\",\"10.5\",\"11\",\"10\"\n"
                    "\"2016/06/29\",\"10.5\",\"100000.0000\",\"10\",\"10.6\",\"9.9\"\n",
                    {{"GET /", {UA47, CONN}},
                     {"GET /aspx/symbolnamesearch.aspx?q=IBM",
                      {UA47, kNasdaqAccept, AL, AE, REFERER, CONN, kXrw}},
                     {"POST /symbol/ibm/historical 1y|true|IBM",
                      {UA47, "Accept: */*", AL, AE, kJson, REFERER, CONN, kXrw}},
                     // The lookup's protocol error is passed over; the history is still asked for.
                     {"GET /aspx/symbolnamesearch.aspx?q=ZZZZ",
                      {UA47, kNasdaqAccept, AL, AE, kJson, REFERER, CONN, kXrw}},
                     {"POST /symbol/zzzz/historical 1y|true|ZZZZ",
                      {UA47, "Accept: */*", AL, AE, kJson, REFERER, CONN, kXrw}}},
                    true,
                    "POST /symbol/ibm/historical 1m|true|IBM"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qm::test

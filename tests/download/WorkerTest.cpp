// What every transfer shares: the per-symbol failure rules, stopping, the symbol limit, the two
// modes, and what happens to the files in the download folder.

#include "FakeServices.h"
#include "WorkerSupport.h"
#include "support/TempDir.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace qm::test {
namespace {

using namespace std::chrono_literals;

const std::string H = "Date,Open,High,Low,Close,Volume\r\n";
const std::string kYahooAnswer = "Date,Open,High,Low,Close,Volume,Adj Close\n"
                                 "2016-06-30,10.5,11,10,10.75,123400,10.75\n";
const std::string kConverted = H + "6/30/2016,10.5,11,10,10.75,123400\r\n";

class Worker : public testing::Test {
protected:
    TempDir dir;
    std::filesystem::path dest = dir / "dest";
    std::filesystem::path temp = dir / "temp";

    void SetUp() override {
        std::filesystem::create_directories(dest);
        std::filesystem::create_directories(temp);
    }
    RunRequest listRun(const std::string& tickers, DownloadList& list) const {
        RunRequest run;
        run.tickers = dir.write("tickers.txt", tickers).string();
        run.dest = dest;
        run.list = &list;
        return run;
    }
};

// A Yahoo history server that answers AAA and CCC properly and BBB as the case says.
struct SymbolFailure {
    const char* name;
    void (*answerBBB)(int socket, const std::atomic<bool>& stopping);
    bool loopStops;
};

void PrintTo(const SymbolFailure& c, std::ostream* os) {
    *os << c.name;
}

void sendHttp(int socket, const std::string& extraHeaders, const std::string& body) {
    sendAll(socket, "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                        "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body);
}

class PerSymbolFailures : public Worker, public testing::WithParamInterface<SymbolFailure> {};

TEST_P(PerSymbolFailures, EndTheSymbolAndStopTheLoopOnlyForConnectionErrors) {
    const SymbolFailure& c = GetParam();
    RawServer server([&c](int socket, const std::string& head, const std::atomic<bool>& stopping) {
        if (head.find("s=BBB") != std::string::npos)
            c.answerBBB(socket, stopping);
        else
            sendHttp(socket, "", kYahooAnswer);
    });
    RecordingList list(3);
    const RunOutcome outcome =
        runTransfer(listRun("AAA\nBBB\nCCC\n", list), testContext(server.base(), temp));

    if (c.loopStops) {
        EXPECT_EQ(list.changes, (Changes{{0, kGrayed}, {1, kUnticked}, {0, kTicked}}));
        EXPECT_EQ(outcome.results.size(), 2u);
        EXPECT_EQ(folderFiles(dest), (std::map<std::string, std::string>{{"AAA.csv", kConverted}}));
        EXPECT_EQ(outcome.saved, std::vector<std::string>{(dest / "AAA.csv").string()});
    } else {
        EXPECT_EQ(
            list.changes,
            (Changes{{0, kGrayed}, {1, kUnticked}, {2, kGrayed}, {0, kTicked}, {2, kTicked}}));
        EXPECT_EQ(outcome.results.size(), 3u);
        EXPECT_EQ(folderFiles(dest), (std::map<std::string, std::string>{{"AAA.csv", kConverted},
                                                                         {"CCC.csv", kConverted}}));
    }
    EXPECT_EQ(outcome.results[1], "none");
    EXPECT_TRUE(std::filesystem::is_empty(temp));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PerSymbolFailures,
    testing::Values(SymbolFailure{"NotFound",
                                  [](int s, const auto&) {
                                      sendAll(s, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n"
                                                 "Connection: close\r\n\r\n");
                                  },
                                  false},
                    SymbolFailure{"TruncatedBody",
                                  [](int s, const auto&) {
                                      sendAll(s, "HTTP/1.1 200 OK\r\nContent-Length: 500\r\n\r\n" +
                                                     kYahooAnswer);
                                  },
                                  false},
                    SymbolFailure{"Garbage",
                                  [](int s, const auto&) {
                                      sendAll(s, "\x16\x03\x01 not http at all\r\n\r\n");
                                  },
                                  false},
                    SymbolFailure{"GzipBomb",
                                  [](int s, const auto&) {
                                      sendHttp(s, "Content-Encoding: gzip\r\n",
                                               gzipped(std::string(8u << 20, '0')));
                                  },
                                  false},
                    SymbolFailure{"Reset", [](int s, const auto&) { resetConnection(s); }, true},
                    SymbolFailure{"Stall",
                                  [](int, const std::atomic<bool>& stopping) {
                                      for (int i = 0; i < 250 && !stopping; ++i)
                                          std::this_thread::sleep_for(20ms);
                                  },
                                  true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Worker, AnUnusableAnswerLeavesTheLineGrayedAndTheOldFileAlone) {
    FakeServices server;
    server.answers = {{"history|IBM", "<html><body>Service unavailable</body></html>"}};
    server.start();
    std::ofstream(dest / "IBM.csv", std::ios::binary) << "old";
    RecordingList list(1);
    const RunOutcome outcome =
        runTransfer(listRun("IBM\n", list), testContext(server.base(), temp));
    EXPECT_EQ(list.changes, (Changes{{0, kGrayed}}));
    EXPECT_EQ(folderFiles(dest), (std::map<std::string, std::string>{{"IBM.csv", "old"}}));
    EXPECT_FALSE(outcome.notes.at(0).empty());
    EXPECT_TRUE(std::filesystem::is_empty(temp));
}

TEST_F(Worker, ANewDownloadReplacesTheSymbolsFilesOnly) {
    FakeServices server;
    server.answers = {{"lookup|ibm",
                       R"(x({"ResultSet":{"Result":[{"symbol":"IBM","name":"International )"
                       R"(Business Machines Corporation","exch":"NYQ"}]}}))"},
                      {"history|IBM", kYahooAnswer}};
    server.start();
    for (const char* name : {"IBM.csv", "ibm = Old Name.csv", "IBMX.csv"})
        std::ofstream(dest / name, std::ios::binary) << "old";
    RecordingList list(1);
    RunRequest run = listRun("IBM\n", list);
    run.addName = true;
    runTransfer(run, testContext(server.base(), temp));
    EXPECT_EQ(folderFiles(dest),
              (std::map<std::string, std::string>{
                  {"IBM = Intl Business Machines Corp.csv", kConverted}, {"IBMX.csv", "old"}}));
}

TEST_F(Worker, StoppingEndsTheRunAtTheNextSymbolAndSavesWhatCameBefore) {
    FakeServices server;
    server.answers = {{"history|AAA", kYahooAnswer}, {"history|BBB", kYahooAnswer}};
    server.start();
    RecordingList list(3);
    XferContext context = testContext(server.base(), temp);
    // The user holds the key from the second symbol's turn on.
    auto asked = std::make_shared<std::atomic<int>>(0);
    context.stopRequested = [asked] { return ++*asked >= 2; };
    const RunOutcome outcome = runTransfer(listRun("AAA\nBBB\nCCC\n", list), context);

    EXPECT_EQ(list.changes, (Changes{{0, kGrayed}, {1, kUnticked}, {0, kTicked}}));
    EXPECT_EQ(outcome.results.size(), 2u);
    EXPECT_EQ(outcome.notes.at(1), "Xfer Stopped");
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(folderFiles(dest), (std::map<std::string, std::string>{{"AAA.csv", kConverted}}));
}

TEST_F(Worker, TheOwnersStopCutsOffTheRequestUnderWayAndSavesWhatCameBefore) {
    std::promise<std::shared_ptr<TransferHandle>> started;
    std::shared_future<std::shared_ptr<TransferHandle>> handle = started.get_future().share();
    // The owner stops the run while the server sits on the second symbol's request.
    RawServer server(
        [handle](int socket, const std::string& head, const std::atomic<bool>& stopping) {
            if (head.find("s=AAA") != std::string::npos) {
                sendHttp(socket, "", kYahooAnswer);
                return;
            }
            handle.get()->requestStop();
            for (int i = 0; i < 1500 && !stopping; ++i) std::this_thread::sleep_for(20ms);
        });
    RecordingList list(3);
    XferContext context = testContext(server.base(), temp);
    context.limits.readTimeout = 30s;
    context.limits.deadline = 60s;
    download::CallQueue ui;
    context.ui = &ui;
    bool finished = false;
    const auto began = std::chrono::steady_clock::now();
    started.set_value(TXFerThread::Start(
        makeTransfer(QuoteService::Yahoo, dir.write("tickers.txt", "AAA\nBBB\nCCC\n").string(),
                     dest, testStart(), false, false, &list, nullptr,
                     FormatSettings::unitedStates(), context),
        [&](TXFerThread& done) {
            EXPECT_TRUE(handle.get()->running());
            EXPECT_EQ(done.Notes().at(1), "Xfer Stopped");
            finished = true;
        }));
    ASSERT_TRUE(ui.processUntil([&] { return finished; }, 20s));
    EXPECT_LT(std::chrono::steady_clock::now() - began, 10s);
    EXPECT_FALSE(handle.get()->running());
    EXPECT_EQ(list.changes, (Changes{{0, kGrayed}, {1, kUnticked}, {0, kTicked}}));
    EXPECT_EQ(server.connections(), 2);
    EXPECT_EQ(folderFiles(dest), (std::map<std::string, std::string>{{"AAA.csv", kConverted}}));
}

TEST_F(Worker, FetchesOnlyTheFirst150LinesAndSkipsLinesNotUnticked) {
    FakeServices server; // every symbol unknown: quick 404s
    server.start();
    std::string tickers;
    for (int i = 199; i >= 0; --i) tickers += "S" + std::to_string(1000 + i) + "\r\n";
    RecordingList list(200);
    list.marks[0] = kTicked;
    list.marks[1] = kGrayed;
    const RunOutcome outcome =
        runTransfer(listRun(tickers, list), testContext(server.base(), temp));

    EXPECT_EQ(outcome.results, std::vector<std::string>(150, "none"));
    const auto seen = server.requests();
    ASSERT_EQ(seen.size(), 148u);
    EXPECT_EQ(seen.front().param("s"), "S1002");
    EXPECT_EQ(seen.back().param("s"), "S1149");
    Changes expected;
    for (int line = 2; line < 150; ++line) expected.emplace_back(line, kUnticked);
    EXPECT_EQ(list.changes, expected);
}

TEST_F(Worker, AllLinesTickedFetchesNothing) {
    FakeServices server;
    server.start();
    RecordingList list(2, kTicked);
    const RunOutcome outcome =
        runTransfer(listRun("IBM\nMSFT\n", list), testContext(server.base(), temp));
    EXPECT_EQ(outcome.results, (std::vector<std::string>{"none", "none"}));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(list.changes.empty());
}

TEST_F(Worker, SingleSymbolModeHandsBackTheSavedFile) {
    FakeServices server;
    server.answers = {
        {"lookup|PINK:VLKAY", R"({"matches":[{"t":"VLKAY","n":"Volkswagen AG","e":"PINK"}]})"},
        {"history|PINK:VLKAY", "Date,Open,High,Low,Close,Volume\n"
                               "30-Jun-16,10.5,11,10,10.75,123400\n"}};
    server.start();
    std::vector<std::string> files{"earlier.csv"};
    RunRequest run;
    run.service = QuoteService::Google;
    run.tickers = "PINK:VLKAY";
    run.dest = dest;
    run.startDate = testToday() - 740;
    run.addName = true;
    run.resultList = &files;
    runTransfer(run, testContext(server.base(), temp));
    const std::string saved = (dest / "PINK-VLKAY = Volkswagen AG.csv").string();
    EXPECT_EQ(files, (std::vector<std::string>{"earlier.csv", saved}));
    EXPECT_EQ(readFile(saved), kConverted);

    run.tickers = "NOSUCH";
    runTransfer(run, testContext(server.base(), temp));
    EXPECT_EQ(files.size(), 2u);
}

TEST_F(Worker, AFailedNasdaqHomePageEndsTheRunBeforeAnySymbol) {
    FakeServices server;
    server.answers = {{"home", "status:503"}, {"history|ibm", "whatever"}};
    server.start();
    RecordingList list(1);
    RunRequest run = listRun("IBM\n", list);
    run.service = QuoteService::Nasdaq;
    const RunOutcome outcome = runTransfer(run, testContext(server.base(), temp));
    EXPECT_TRUE(outcome.finished);
    EXPECT_TRUE(outcome.results.empty());
    EXPECT_TRUE(list.changes.empty());
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(temp));
}

TEST_F(Worker, ANasdaqLookupOfferingOnlyAQuoteGivesNoName) {
    FakeServices server;
    const std::string answer = "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                               "\"16:00\",\"10.80\",\"5000\",\"10.6\",\"11\",\"10\"\n"
                               "\"2016/06/30\",\"10.75\",\"123400.0000\",\"10.5\",\"11\",\"10\"\n";
    server.answers = {{"home", "ok"},
                      {"lookup|AAPL", "AAPL | Get Quote;AAPL | Apple Inc.;"},
                      {"history|aapl", answer},
                      {"lookup|MSFT", "MSFT |  Microsoft Corporation ;"},
                      {"history|msft", answer}};
    server.start();
    RecordingList list(2);
    RunRequest run = listRun("AAPL\nMSFT\n", list);
    run.service = QuoteService::Nasdaq;
    run.addName = true;
    runTransfer(run, testContext(server.base(), temp));
    EXPECT_EQ(folderFiles(dest),
              (std::map<std::string, std::string>{{"AAPL.csv", kConverted},
                                                  {"MSFT = Microsoft Corp.csv", kConverted}}));
}

TEST_F(Worker, AnUnreadableTickerFileEndsTheRunAndStillNotifies) {
    RecordingList list(1);
    RunRequest run;
    run.tickers = (dir / "missing.txt").string();
    run.dest = dest;
    run.list = &list;
    const RunOutcome outcome = runTransfer(run, testContext("http://127.0.0.1:1", temp));
    EXPECT_TRUE(outcome.finished);
    EXPECT_TRUE(list.changes.empty());
}

TEST_F(Worker, WorkersOfDifferentServicesRunAtOnceWithoutMixingTheirFiles) {
    FakeServices server;
    const std::string googleAnswer = "Date,Open,High,Low,Close,Volume\n"
                                     "29-Jun-16,1,2,0.5,1.5,10\n";
    server.answers = {{"history|IBM", kYahooAnswer}};
    server.start();
    FakeServices google;
    google.answers = {{"history|IBM", googleAnswer}};
    google.start();

    download::CallQueue ui;
    int finished = 0;
    std::vector<RecordingList> lists(2, RecordingList(1));
    const auto start = [&](QuoteService service, const std::string& base, int index) {
        XferContext context = testContext(base, temp);
        context.ui = &ui;
        const auto folder = dest / std::to_string(index);
        std::filesystem::create_directories(folder);
        TXFerThread::Start(makeTransfer(service,
                                        dir.write("t" + std::to_string(index), "IBM\n").string(),
                                        folder, testStart(), false, false, &lists[index], nullptr,
                                        FormatSettings::unitedStates(), context),
                           [&finished](TXFerThread&) { ++finished; });
    };
    start(QuoteService::Yahoo, server.base(), 0);
    start(QuoteService::Google, google.base(), 1);
    ASSERT_TRUE(ui.processUntil([&] { return finished == 2; }, 30s));
    EXPECT_EQ(readFile(dest / "0" / "IBM.csv"), kConverted);
    EXPECT_EQ(readFile(dest / "1" / "IBM.csv"), H + "6/29/2016,1,2,0.5,1.5,10\r\n");
    EXPECT_TRUE(std::filesystem::is_empty(temp));
}

} // namespace
} // namespace qm::test

// Downloads from the main window against local servers that answer like the quote services: the
// quick download of a typed symbol, charts following the files downloads save, and quitting
// while transfers run.

#include "app/DownloadCommands.h"

#include "app/ChartRegistry.h"
#include "app/MainWindow.h"
#include "app/OpeningCommands.h"
#include "app/QuickDownload.h"
#include "chartwin/ChartWindow.h"
#include "download/FakeServices.h"
#include "downloaddlg/DownLoadDlg.h"
#include "loader/LoaderTestUtil.h"
#include "platform/ConfigStore.h"
#include "support/FileContent.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <gtest/gtest.h>

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::FakeServices;

// Each service's answer of two days, and the price file every one of them gives.
struct ServiceAnswer {
    const char* key; // the history key of symbol X as the service receives it
    std::string answer;
};
const std::array<ServiceAnswer, 5> kAnswers = {{
    {"history|X", "Date,Open,High,Low,Close,Volume,Adj Close\n"
                  "2016-06-30,10.5,11,10,10.75,123400,10.75\n"
                  "2016-06-29,10,10.6,9.9,10.5,100000,10.5\n"},
    {"history|X", "Date,Open,High,Low,Close,Volume\n"
                  "30-Jun-16,10.5,11,10,10.75,123400\n"
                  "29-Jun-16,10,10.6,9.9,10.5,100000\n"},
    {"history|X", "Date\tOpen\tHigh\tLow\tClose\tVolume\n"
                  "06/30/2016\t10.5\t11\t10\t10.75\t123,400\n"
                  "06/29/2016\t10\t10.6\t9.9\t10.5\t100,000\n"},
    {"history|X", "date,open,high,low,close,volume\n"
                  "2016-06-30,10.5,11,10,10.75,123400\n"
                  "2016-06-29,10,10.6,9.9,10.5,100000\n"},
    {"history|x", "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
                  "\"16:00\",\"10.80\",\"5000\",\"10.6\",\"11\",\"10\"\n"
                  "\"2016/06/30\",\"10.75\",\"123400.0000\",\"10.5\",\"11\",\"10\"\n"
                  "\"2016/06/29\",\"10.5\",\"100000.0000\",\"10\",\"10.6\",\"9.9\"\n"},
}};
const std::string kConverted = "Date,Open,High,Low,Close,Volume\r\n"
                               "6/30/2016,10.5,11,10,10.75,123400\r\n"
                               "6/29/2016,10,10.6,9.9,10.5,100000\r\n";
const std::string kGoogleName =
    R"({"matches":[{"t":"IBM","n":"International Business Machines Corporation","e":"NYSE"}]})";

// The answer key for `symbol` from the key of symbol X.
std::string keyFor(const char* keyOfX, const std::string& symbol) {
    std::string key = keyOfX;
    const bool lower = key.back() == 'x';
    std::string s = symbol;
    if (lower)
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key.substr(0, key.size() - 1) + s;
}

struct DownloadCommandsFixture : testing::Test {
    test::TempDir dir;
    test::ScriptedPrompts prompts;
    test::PromptsScope scope{prompts};
    AppEnvironment env;
    std::unique_ptr<TMainForm> form;

    DownloadCommandsFixture() {
        env.configFile = dir / "config" / "Quillmar7.conf";
        env.system = {dir / "Documents", dir / "local"};
        env.tempFolder = dir / "tmp";
        fs::create_directories(env.tempFolder);
        fs::create_directories(env.configFile.parent_path());
    }
    ~DownloadCommandsFixture() override {
        if (form) closeMainWindow();
    }

    // Points the services at local servers (every endpoint of service i at bases[i]).
    void pointAt(const std::array<std::string, 5>& bases) {
        platform::ConfigStore config(env.configFile);
        const char* keys[5][3] = {{"YahooLookupUrl", "YahooHistoryUrl", nullptr},
                                  {"GoogleFinanceUrl", nullptr, nullptr},
                                  {"OtcQuoteUrl", "OtcTradeStatsUrl", nullptr},
                                  {"QMediaLookupUrl", "QMediaHistoryUrl", nullptr},
                                  {"NasdaqHomeUrl", "NasdaqSearchUrl", "NasdaqHistoryUrl"}};
        for (std::size_t s = 0; s < 5; ++s)
            for (const char* key : keys[s])
                if (key) config.writeText("XFers", key, bases[s]);
        ASSERT_TRUE(config.save());
    }
    void openMainWindow() {
        form = std::make_unique<TMainForm>(env);
        form->state().locale = FormatSettings::unitedStates();
    }
    DownloadCommands& downloads() { return *form->findChild<DownloadCommands*>(); }
    fs::path downloadFolder(int service) {
        return form->state().config.downloadFolders[static_cast<std::size_t>(service)];
    }
    void type(const char* text) {
        QLineEdit* box = form->symbolBox();
        box->clear();
        QTest::keyClicks(box, QString::fromLatin1(text));
        QTest::keyClick(box, Qt::Key_Return);
    }
    void alwaysFetch() { form->actions().xferNowNewData->setChecked(true); }
    std::vector<TAChart*> charts() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return form->charts().charts();
    }
    bool waitUntilIdle() {
        return QTest::qWaitFor([&] { return !downloads().running(); }, 20000);
    }
    void closeMainWindow() {
        form->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 20000));
        form.reset();
    }
};

TEST_F(DownloadCommandsFixture, AQuickDownloadChartsTheNewFileAndASecondStartDoesNothing) {
    FakeServices google;
    google.answers = {{"lookup|IBM", kGoogleName},
                      {"history|IBM", "delay:300:" + kAnswers[1].answer}};
    google.start();
    pointAt({"http://127.0.0.1:1", google.base(), "http://127.0.0.1:1", "http://127.0.0.1:1",
             "http://127.0.0.1:1"});
    openMainWindow();
    alwaysFetch();

    type("ibm");
    EXPECT_EQ(form->statusLabel()->text(), QStringLiteral("Getting IBM from Google"));
    type("ibm");
    ASSERT_TRUE(waitUntilIdle());

    const fs::path saved = downloadFolder(1) / "IBM = Intl Business Machines Corp.csv";
    EXPECT_EQ(test::readFile(saved), kConverted);
    const auto open = charts();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0]->model().chart().sourceFile, saved);
    EXPECT_EQ(form->state().files.entries.back().path, saved);
    EXPECT_TRUE(form->statusLabel()->text().isEmpty());
    EXPECT_TRUE(prompts.asked.empty());
    int historyRequests = 0;
    for (const auto& r : google.requests()) historyRequests += r.path == "/finance/historical";
    EXPECT_EQ(historyRequests, 1);
}

TEST_F(DownloadCommandsFixture, ASymbolWithoutDataSaysSoOnce) {
    FakeServices google; // knows no symbol
    google.start();
    pointAt({"http://127.0.0.1:1", google.base(), "http://127.0.0.1:1", "http://127.0.0.1:1",
             "http://127.0.0.1:1"});
    openMainWindow();
    alwaysFetch();
    type("ZZZZ");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{"No data for ZZZZ"});
    EXPECT_TRUE(charts().empty());
    EXPECT_TRUE(form->statusLabel()->text().isEmpty());
}

TEST_F(DownloadCommandsFixture, AChartFollowsItsSymbolsNewlyDownloadedFile) {
    FakeServices google;
    google.answers = {{"lookup|IBM", kGoogleName}, {"history|IBM", kAnswers[1].answer}};
    google.start();
    pointAt({"http://127.0.0.1:1", google.base(), "http://127.0.0.1:1", "http://127.0.0.1:1",
             "http://127.0.0.1:1"});
    openMainWindow();
    const fs::path old = downloadFolder(1) / "IBM.csv";
    std::ofstream(old) << test::fullPrices(400);
    form->openingCommands().openFileWithSavedIndicators(old);
    ASSERT_EQ(charts().size(), 1u);
    TAChart* first = charts()[0];
    ASSERT_EQ(first->model().recordCount(), 400);

    // The new download names the file anew and replaces the old one.
    alwaysFetch();
    type("IBM");
    ASSERT_TRUE(waitUntilIdle());
    EXPECT_FALSE(fs::exists(old));
    const fs::path saved = downloadFolder(1) / "IBM = Intl Business Machines Corp.csv";
    EXPECT_EQ(first->model().chart().sourceFile, saved);
    EXPECT_EQ(first->model().recordCount(), 2);
    EXPECT_EQ(charts().size(), 2u);
}

TEST_F(DownloadCommandsFixture, QuittingInTheMiddleOfFiveTransfersEndsCleanly) {
    // Every service answers each of its symbols after a while.
    std::array<std::unique_ptr<FakeServices>, 5> servers;
    std::array<std::string, 5> bases;
    const std::vector<std::string> symbols = {"A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8"};
    for (std::size_t s = 0; s < 5; ++s) {
        servers[s] = std::make_unique<FakeServices>();
        for (const auto& symbol : symbols)
            servers[s]->answers[keyFor(kAnswers[s].key, symbol)] =
                "delay:250:" + kAnswers[s].answer;
        servers[s]->answers["home"] = "ok";
        servers[s]->answers["lookup|IBM"] = kGoogleName;
        // The quick download is still on its way when the program quits.
        servers[s]->answers["history|IBM"] = "delay:2500:" + kAnswers[1].answer;
        servers[s]->start();
        bases[s] = servers[s]->base();
    }
    pointAt(bases);
    openMainWindow();

    form->actions().openUpdater->trigger();
    TDownLoadDlg* dialog = downloads().downloadWindow();
    ASSERT_NE(dialog, nullptr);
    auto* source = dialog->findChild<QComboBox*>(QStringLiteral("cbSource"));
    for (int s = 0; s < 5; ++s) {
        source->setCurrentIndex(s);
        QGuiApplication::clipboard()->setText(QStringLiteral("A1\nA2\nA3\nA4\nA5\nA6\nA7\nA8\n"));
        // Paste, as the lists' menu offers it when the clipboard holds text.
        for (QAction* a : dialog->findChild<QMenu*>(QStringLiteral("PopupMenu1"))->actions()) {
            if (a->text() != QStringLiteral("&Paste")) continue;
            a->setEnabled(true);
            a->trigger();
        }
        dialog->findChild<QPushButton*>(QStringLiteral("btnGetData"))->click();
    }
    alwaysFetch();
    type("IBM");
    EXPECT_EQ(downloads().transfers().count(), 6);

    // Quit once every service has downloaded a symbol or two.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (int s = 0; s < 5; ++s)
                if (dialog->list(s)->item(0)->checkState() == Qt::Unchecked) return false;
            return true;
        },
        10000));
    const auto quitAt = std::chrono::steady_clock::now();
    form->close();
    EXPECT_TRUE(form->isVisible()); // it waits for the transfers
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isVisible(); }, 10000));
    EXPECT_LT(std::chrono::steady_clock::now() - quitAt, std::chrono::seconds(5));
    EXPECT_FALSE(downloads().running());

    // Every file saved is whole; the transfers stopped before the end of their lists.
    int savedFiles = 0;
    for (int s = 0; s < 5; ++s) {
        for (const auto& e : fs::directory_iterator(downloadFolder(s))) {
            ++savedFiles;
            EXPECT_EQ(test::readFile(e.path()), kConverted) << e.path();
        }
        EXPECT_EQ(dialog->list(s)->item(7)->checkState(), Qt::Unchecked) << s;
    }
    EXPECT_GE(savedFiles, 5);
    for (const auto& e : fs::directory_iterator(env.tempFolder))
        EXPECT_FALSE(e.path().filename().string().starts_with("qm-xfer-")) << e.path();
    EXPECT_TRUE(prompts.messageTexts().empty());
    EXPECT_TRUE(charts().empty());
    form.reset();
    EXPECT_TRUE(fs::exists(env.configFile));
}

} // namespace
} // namespace qm

// The desktop side of downloads, as the user feels it.
//
// BM_EventLoopGapsWithFiveTransfers: the download window runs five transfers at once against
// slow local servers (every answer 20 ms late, 150 symbols a service), while a 1 ms timer
// measures the turns of the event loop. The goal: no gap between two ticks above 50 ms.
//
// BM_MarkLine / BM_MarkLineFromWorker: a worker marking a line of a 150-line Download List, a
// blocking call the user-interface thread carries out (the mark, the list's repaint, the scroll
// that keeps the line in view). The goal: at most 2 ms of the user-interface thread a mark.
// The first measures the call on the user-interface thread with the repaint it causes; the
// second the whole round trip of a worker's call, waiting included.

#include "../BenchApplication.h"
#include "download/FakeServices.h"
#include "downloaddlg/DownLoadDlg.h"
#include "platform/ConfigStore.h"
#include "platform/widgets/UiBridge.h"
#include "support/TempDir.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

using namespace qm;

using bench::ensureApplication;

// Each service's answer of two days, by the service's order.
const std::array<std::string, 5> kAnswers = {
    "Date,Open,High,Low,Close,Volume,Adj Close\n2016-06-30,10.5,11,10,10.75,123400,10.75\n"
    "2016-06-29,10,10.6,9.9,10.5,100000,10.5\n",
    "Date,Open,High,Low,Close,Volume\n30-Jun-16,10.5,11,10,10.75,123400\n"
    "29-Jun-16,10,10.6,9.9,10.5,100000\n",
    "Date\tOpen\tHigh\tLow\tClose\tVolume\n06/30/2016\t10.5\t11\t10\t10.75\t123,400\n"
    "06/29/2016\t10\t10.6\t9.9\t10.5\t100,000\n",
    "date,open,high,low,close,volume\n2016-06-30,10.5,11,10,10.75,123400\n"
    "2016-06-29,10,10.6,9.9,10.5,100000\n",
    "\"date\",\"close\",\"volume\",\"open\",\"high\",\"low\"\n"
    "\"16:00\",\"10.80\",\"5000\",\"10.6\",\"11\",\"10\"\n"
    "\"2016/06/30\",\"10.75\",\"123400.0000\",\"10.5\",\"11\",\"10\"\n"
    "\"2016/06/29\",\"10.5\",\"100000.0000\",\"10\",\"10.6\",\"9.9\"\n"};

// The settings keys of each service's addresses.
const std::array<std::vector<const char*>, 5> kServiceKeys = {
    std::vector<const char*>{"YahooLookupUrl", "YahooHistoryUrl"},
    {"GoogleFinanceUrl"},
    {"OtcQuoteUrl", "OtcTradeStatsUrl"},
    {"QMediaLookupUrl", "QMediaHistoryUrl"},
    {"NasdaqHomeUrl", "NasdaqSearchUrl", "NasdaqHistoryUrl"}};

qint64 threadNanoseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<qint64>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

const std::array<std::string, 5> kNowhere = {"http://127.0.0.1:1", "http://127.0.0.1:1",
                                             "http://127.0.0.1:1", "http://127.0.0.1:1",
                                             "http://127.0.0.1:1"};

std::string symbolLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += 'S';
        text += std::to_string(1000 + i);
        text += '\n';
    }
    return text;
}

// A download window in a folder of its own, service s pointed at bases[s].
struct Window {
    test::TempDir dir;
    downloader::RunningTransfers transfers;
    std::unique_ptr<TDownLoadDlg> dialog;

    explicit Window(const std::array<std::string, 5>& bases) {
        platform::ConfigStore config(dir / "Quillmar7.conf");
        for (std::size_t s = 0; s < bases.size(); ++s)
            for (const char* key : kServiceKeys[s]) config.writeText("XFers", key, bases[s]);
        config.save();
        TDownLoadDlg::Setup setup;
        setup.configFile = dir / "Quillmar7.conf";
        for (std::size_t s = 0; s < setup.mainFolders.size(); ++s) {
            setup.mainFolders[s] = dir / ("data" + std::to_string(s));
            std::filesystem::create_directories(setup.mainFolders[s]);
        }
        setup.documentsFolder = dir / "Documents";
        setup.tempFolder = dir.path();
        setup.transfers = &transfers;
        setup.locale = FormatSettings::unitedStates();
        // As in the program, where open charts follow the saved files.
        setup.onFilesSaved = [](const std::vector<std::filesystem::path>& files) {
            benchmark::DoNotOptimize(files.size());
        };
        dialog = std::make_unique<TDownLoadDlg>(setup);
        dialog->show();
    }
    ~Window() {
        transfers.requestStop();
        while (transfers.running()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }

    // Shows the service and pastes `lines` as its list, as the user would.
    void fill(int service, const std::string& lines) {
        dialog->findChild<QComboBox*>(QStringLiteral("cbSource"))->setCurrentIndex(service);
        QGuiApplication::clipboard()->setText(QString::fromStdString(lines));
        for (QAction* a : dialog->findChild<QMenu*>(QStringLiteral("PopupMenu1"))->actions()) {
            if (a->text() != QStringLiteral("&Paste")) continue;
            a->setEnabled(true);
            a->trigger();
        }
    }
    void getData() { dialog->findChild<QPushButton*>(QStringLiteral("btnGetData"))->click(); }
};

void BM_EventLoopGapsWithFiveTransfers(benchmark::State& state) {
    ensureApplication();
    for (auto _ : state) {
        state.PauseTiming();
        // One server a service, answering each of its 150 symbols 20 ms late.
        std::array<std::unique_ptr<test::FakeServices>, 5> servers;
        std::array<std::string, 5> bases;
        for (std::size_t s = 0; s < servers.size(); ++s) {
            servers[s] = std::make_unique<test::FakeServices>();
            for (int i = 0; i < 150; ++i) {
                // Nasdaq receives the symbol in lower case.
                std::string symbol(1, s == 4 ? 's' : 'S');
                symbol += std::to_string(1000 + i);
                servers[s]->answers["history|" + symbol] = "delay:20:" + kAnswers[s];
            }
            servers[s]->answers["home"] = "ok";
            servers[s]->start();
            bases[s] = servers[s]->base();
        }
        auto window = std::make_unique<Window>(bases);
        // The wall-clock gap between ticks, and the user-interface thread's own processor time
        // in it (on a loaded machine the rest of a gap is the wait for a processor).
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        qint64 lastBusy = threadNanoseconds();
        qint64 longestBusy = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            const qint64 busy = threadNanoseconds();
            longest = std::max(longest, now - last);
            longestBusy = std::max(longestBusy, busy - lastBusy);
            last = now;
            lastBusy = busy;
        });
        state.ResumeTiming();

        for (int s = 0; s < 5; ++s) {
            window->fill(s, symbolLines(150));
            window->getData();
        }
        clock.start();
        lastBusy = threadNanoseconds();
        ticker.start();
        while (window->transfers.running())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        ticker.stop();

        state.PauseTiming();
        state.counters["longest_gap_ms"] = static_cast<double>(longest) / 1e6;
        state.counters["longest_busy_ms"] = static_cast<double>(longestBusy) / 1e6;
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EventLoopGapsWithFiveTransfers)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_MarkLine(benchmark::State& state) {
    ensureApplication();
    Window w(kNowhere);
    w.fill(0, symbolLines(150));
    QListWidget* list = w.dialog->list(0);
    downloader::ServiceList& lines = *w.dialog->model().service(0).list;
    int line = 0;
    for (auto _ : state) {
        lines.setMark(line, line % 2 ? LineMark::Ticked : LineMark::Grayed);
        QApplication::processEvents();
        line = (line + 1) % 150;
    }
    benchmark::DoNotOptimize(list->count());
}
BENCHMARK(BM_MarkLine)->Unit(benchmark::kMicrosecond);

void BM_MarkLineFromWorker(benchmark::State& state) {
    ensureApplication();
    Window w(kNowhere);
    w.fill(0, symbolLines(150));
    downloader::ServiceList* lines = w.dialog->model().service(0).list.get();
    for (auto _ : state) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            for (int line = 0; line < 150; ++line)
                platform::runOnUiThreadAndWait([&] { lines->setMark(line, LineMark::Grayed); });
            done = true;
        });
        while (!done) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        worker.join();
    }
    state.SetItemsProcessed(state.iterations() * 150);
}
BENCHMARK(BM_MarkLineFromWorker)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

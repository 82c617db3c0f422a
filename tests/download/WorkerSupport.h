#pragma once
// Running a transfer worker in a test: a Download List that records every mark set, and a run
// that waits for the completion notification with the test thread as the user-interface thread.

#include "download/CallQueue.h"
#include "download/QuoteService.h"
#include "market/Calendar.h"
#include "support/FileContent.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace qm::test {

class RecordingList final : public DownloadList {
public:
    explicit RecordingList(std::size_t lines, LineMark initial = LineMark::Unticked)
        : marks(lines, initial) {}
    LineMark mark(int line) const override { return marks.at(static_cast<std::size_t>(line)); }
    void setMark(int line, LineMark m) override {
        marks.at(static_cast<std::size_t>(line)) = m;
        changes.emplace_back(line, m);
    }

    std::vector<LineMark> marks;
    std::vector<std::pair<int, LineMark>> changes;
};

using Changes = std::vector<std::pair<int, LineMark>>;
constexpr LineMark kUnticked = LineMark::Unticked;
constexpr LineMark kGrayed = LineMark::Grayed;
constexpr LineMark kTicked = LineMark::Ticked;

// The tests' today and chosen start date.
inline double testToday() {
    return *encodeDate(2016, 6, 30);
}
inline double testStart() {
    return *encodeDate(2016, 1, 31);
}

inline XferContext testContext(const std::string& base, const std::filesystem::path& tempFolder) {
    using namespace std::chrono_literals;
    XferContext c;
    c.endpoints = download::Endpoints::allAt(base);
    c.limits.connectTimeout = 2000ms;
    c.limits.readTimeout = 1000ms;
    c.limits.lowSpeedTime = 1s;
    c.limits.deadline = 5000ms;
    c.tempFolder = tempFolder;
    c.today = testToday;
    return c;
}

struct RunOutcome {
    bool finished = false;
    std::vector<std::string> results;
    std::vector<std::string> notes;
    std::vector<std::string> saved;
};

struct RunRequest {
    QuoteService service = QuoteService::Yahoo;
    std::string tickers; // a ticker file, or the symbol in single-symbol mode
    std::filesystem::path dest;
    double startDate = testStart();
    bool addName = false;
    bool doUpdate = false;
    DownloadList* list = nullptr;
    std::vector<std::string>* resultList = nullptr;
};

// Runs the worker to its end; the test thread serves its user-interface calls meanwhile.
inline RunOutcome runTransfer(const RunRequest& r, XferContext context) {
    download::CallQueue ui;
    context.ui = &ui;
    RunOutcome outcome;
    auto worker =
        makeTransfer(r.service, r.tickers, r.dest, r.startDate, r.addName, r.doUpdate, r.list,
                     r.resultList, FormatSettings::unitedStates(), std::move(context));
    TXFerThread::Start(std::move(worker), [&outcome](TXFerThread& done) {
        outcome.results = done.Results();
        outcome.notes = done.Notes();
        outcome.saved = done.SavedFiles();
        outcome.finished = true;
    });
    const bool ended =
        ui.processUntil([&outcome] { return outcome.finished; }, std::chrono::seconds(30));
    if (!ended) {
        ADD_FAILURE() << "the transfer did not end";
        std::abort(); // the worker still uses the queue
    }
    return outcome;
}

// The files of a folder by name, with their contents.
inline std::map<std::string, std::string> folderFiles(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        files[e.path().filename().string()] = readFile(e.path());
    return files;
}

} // namespace qm::test

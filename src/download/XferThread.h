#pragma once
// The transfer worker: fetches the price history of a list of symbols from one quote service on
// its own thread, turns every answer into a price file, and saves it into the download folder or,
// in update mode, merges the new rows into the symbol's price file. Each symbol's progress is
// shown by the mark of its line in the download dialog's Download List.
//
// The worker reaches the user interface only through the Download List calls, which it makes on
// the user-interface thread while it waits, and through its completion notification, which runs
// on the user-interface thread after the run. No Qt here: the dialog and the command line each
// supply a UiThread and a DownloadList.

#include "ConverterFrame.h"
#include "DownloadMessages.h"
#include "Endpoints.h"
#include "HttpClient.h"
#include "market/FormatSettings.h"
#include "market/WorkFolder.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace qm {

// The three marks of a Download List line.
enum class LineMark : unsigned char {
    Unticked = 0, // to be fetched; also after a failed fetch
    Ticked = 1,   // the price file was saved or the new rows merged
    Grayed = 2,   // downloaded, not (yet) converted and saved
};

// The Download List as a worker sees it. Called only on the user-interface thread.
class DownloadList {
public:
    virtual ~DownloadList() = default;
    virtual LineMark mark(int line) const = 0;
    // Sets the mark and repaints the list at once; from line 8 on the list also scrolls down
    // one line, so the line being worked on stays in view.
    virtual void setMark(int line, LineMark mark) = 0;
};

// The user-interface thread as the workers reach it.
class UiThread {
public:
    virtual ~UiThread() = default;
    // Runs `call` on the user-interface thread and returns once it has run.
    virtual void runAndWait(const std::function<void()>& call) = 0;
    // Queues `call` to run on the user-interface thread.
    virtual void post(std::function<void()> call) = 0;
};

// Raised when the user stops a transfer.
class EQuitXfer : public std::runtime_error {
public:
    EQuitXfer() : std::runtime_error(std::string(download::kXferStopped)) {}
};

// The owner's hold on a started transfer: it asks the run to stop and learns when the run has
// ended, without waiting on any thread.
class TransferHandle {
public:
    // Any thread. The request under way is cut off, nothing more is fetched, and what was
    // downloaded until then is still saved; the completion notification follows as usual.
    void requestStop() { stop_ = true; }
    bool stopRequested() const { return stop_; }
    // False once the completion notification has run and the worker is gone.
    bool running() const { return running_; }

private:
    friend class TXFerThread;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{true};
};

// What a worker needs besides its arguments.
struct XferContext {
    UiThread* ui = nullptr;
    // True while the user asks to stop (holding Escape, Ctrl+C); sampled once per symbol.
    std::function<bool()> stopRequested;
    download::Endpoints endpoints = download::Endpoints::defaults();
    download::HttpLimits limits;
    // Empty: the system's folder for temporary files.
    std::filesystem::path tempFolder;
    // Today as a day count; empty: this machine's local date.
    std::function<double()> today;
};

class TXFerThread {
public:
    // ChkList null means single-symbol mode: Tickers is the symbol itself and the saved file's
    // path is appended to ResultList (when given). Otherwise Tickers is the path of a ticker
    // file whose sorted lines match the lines of ChkList.
    TXFerThread(std::string tickers, std::filesystem::path destDir, double startDate, bool addName,
                bool doUpdate, DownloadList* chkList, std::vector<std::string>* resultList,
                const qm::FormatSettings& formatSettings, XferContext context);
    virtual ~TXFerThread();
    TXFerThread(const TXFerThread&) = delete;
    TXFerThread& operator=(const TXFerThread&) = delete;

    // Runs the worker on its own thread. The completion notification is attached before the
    // run may start; it runs on the user-interface thread after the run, and the worker is
    // destroyed right after it. The handle stays valid after that.
    static std::shared_ptr<TransferHandle> Start(std::unique_ptr<TXFerThread> worker,
                                                 std::function<void(TXFerThread&)> onCompletion);

    // The run: the per-symbol loop with this service's requests, then FinishTransfer.
    virtual void Execute();
    // Converts one downloaded answer into a price file in DestDir, or into the update file in
    // update mode; true when at least one price row was written.
    virtual bool ConvertDownload(const std::filesystem::path& path);

    // The symbol's price files in DestDir are deleted; `keep` (a file name) is spared.
    void DeleteSymbolFiles(const std::string& fileName, const std::string& keep = {});
    // The first price file of the symbol of `fileName` in `folder`, or empty.
    static std::string FindSymbolFile(const std::filesystem::path& folder,
                                      const std::string& fileName);
    static std::string CleanSymbolName(const std::string& name);

    // One entry per symbol handled, in line order: the downloaded file, or "none".
    const std::vector<std::string>& Results() const { return results_; }
    // One entry per symbol handled: why it was not saved, or empty. For the command line.
    const std::vector<std::string>& Notes() const { return notes_; }
    // The price files this run saved or merged new rows into, in line order.
    const std::vector<std::string>& SavedFiles() const { return saved_; }

protected:
    // What a service's requests of one symbol produced.
    struct Download {
        std::string fileSymbol;
        std::string name; // the cleaned company name, or empty
        std::string answer;
    };

    // Whether this service's client keeps cookies and follows redirects (the limits come from
    // the context).
    virtual download::HttpOptions ClientOptions() const = 0;
    // Requests made once at the start of a run, before any symbol.
    virtual void BeginRun(download::HttpClient& client);
    // The lookup (when AddName) and the history request of the listed symbol S.
    virtual Download FetchSymbol(download::HttpClient& client, const std::string& symbol) = 0;
    // This service's converter.
    virtual std::size_t ConvertAnswer(std::istream& answer,
                                      const download::TextSink& out) const = 0;

    // The run's dates.
    struct Day {
        int year = 0, month = 0, day = 0;
    };
    double StartDay() const { return startDay_; }
    double EndDay() const { return endDay_; }
    Day StartParts() const;
    Day EndParts() const;
    const download::Endpoints& Addresses() const { return context_.endpoints; }

    // Fields of the worker.
    int CurIndex = 0;
    LineMark NewState = LineMark::Unticked;
    LineMark ReadState = LineMark::Unticked;
    const bool SingleSymbol;
    const bool AddName;
    const bool DoUpdate;
    const std::string Tickers;
    const std::filesystem::path DestDir;
    const double StartDate;
    const qm::FormatSettings FormatSettings;
    DownloadList* const ChkList;
    std::vector<std::string>* const ResultList;

    // Where the run sets its start date: today − 21 days in update mode, else StartDate.
    virtual double RunStartDay(double today) const;

private:
    void ReadItemState();
    void ShowItemState();
    void FinishTransfer();
    void runLoop();
    void failSymbol(const std::string& why);
    bool saveConverted(const std::filesystem::path& downloaded);
    void makeWorkFolder();
    void removeWorkFolder();

    bool stopRequested() const;

    XferContext context_;
    std::shared_ptr<TransferHandle> handle_ = std::make_shared<TransferHandle>();
    std::function<void(TXFerThread&)> onCompletion_;
    std::string convertNote_;
    std::vector<std::string> tickers_;
    std::vector<std::string> results_;
    std::vector<std::string> notes_;
    std::vector<std::string> saved_;
    std::optional<WorkFolder> workFolder_;
    double startDay_ = 0;
    double endDay_ = 0;
    std::thread thread_;
};

} // namespace qm

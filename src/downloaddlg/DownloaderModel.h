#pragma once
// What the download dialog knows and decides, without its widgets: five services, each with
// its Download List, download folder and flags; the mode; the count of running transfers; and
// every command with the cases in which it is refused. The dialog shows this state and starts
// the workers that Get Data orders.
//
// A service is busy while its worker runs: its list, its folder and the mode stay as they are,
// so that the worker's line indexes stay valid. Marks may still be set by hand (a line ticked
// before its turn is skipped).

#include "DownloaderSettings.h"
#include "ServiceList.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::downloader {

// Lines the list takes by typing and from a dropped file; a pasted list may hold more, and a
// transfer fetches the first 150 of it.
inline constexpr std::size_t kMaxListLines = 150;
// Transfers that may run at once: one per service.
inline constexpr int kMaxActive = kServiceCount;

enum class Mode {
    AddNew, // fetch the listed symbols anew into the download folder
    Update, // merge the last weeks into the price files already in the download folder
};

struct ServiceState {
    std::shared_ptr<ServiceList> list = std::make_shared<ServiceList>();
    std::filesystem::path folder; // the download folder
    bool busy = false;            // its worker runs
    bool finished = false;        // its last transfer ended and the list still shows its marks
};

// A transfer Get Data has booked: the list file is written and the service is busy.
struct TransferOrder {
    int service = 0;
    std::filesystem::path listFile;
    std::filesystem::path folder;
    bool addName = false;
    bool update = false;
    std::shared_ptr<ServiceList> list;
};

enum class AddOutcome {
    Refused, // nothing happens: update mode, the service is busy, or nothing typed
    Added,
    Dropped, // the edit is cleared and nothing added: the list is full or holds the symbol
};

class DownloaderModel {
public:
    DownloaderModel(DownloaderSettings settings, std::filesystem::path tempFolder);

    // Writes the missing ticker files and shows the service of the settings.
    void open();

    int shownService() const { return shown_; } // -1 before the first is shown
    const ServiceState& service(int index) const;
    const ServiceState& current() const { return service(shown_); }
    ServiceList& currentList() { return *state(shown_).list; }
    Mode mode() const { return mode_; }
    bool addName() const { return addName_; }
    int activeCount() const { return active_; }
    bool currentBusy() const { return current().busy; }
    std::filesystem::path tickerFile(int index) const;
    // The settings to keep: the folders, the shown service and the name choice.
    DownloaderSettings settings() const;

    // Shows the service (0 Yahoo ... 4 Nasdaq); a service shown for the first time with an
    // empty list gets one from its ticker file, or in update mode from its download folder.
    void show(int index);
    // The two mode boxes behave as a pair; false when refused (the service is busy).
    bool setMode(Mode mode);
    // Names are never looked up in update mode: there the choice stays off.
    void setAddName(bool on);

    AddOutcome addSymbol(std::string_view text);
    bool deleteLines(const std::vector<int>& lines);
    bool markAll(LineMark mark);
    // Every line followed by CR LF; nothing when refused.
    std::optional<std::string> copyAll() const;
    bool paste(std::string_view text);
    bool deleteAll();
    // One file dropped onto the window: its first lines (in list order) replace the list.
    // Several files, a folder or a file that cannot be read leave the list as it is.
    bool dropFiles(const std::vector<std::filesystem::path>& files);
    // A new start date unticks every line of the shown list, unless a transfer runs.
    bool startDateChanged();
    bool canChooseFolder() const { return !currentBusy(); }
    // The folder becomes the service's download folder and the list is made from its files.
    void folderChosen(const std::filesystem::path& folder);

    struct GetDataOutcome {
        bool refused = false;               // five transfers run already
        std::optional<TransferOrder> order; // the worker to start
        std::string failure;                // the list file could not be written
    };
    GetDataOutcome getData();
    // The service's worker has finished (its completion).
    void transferEnded(int index);
    bool canClose() const { return active_ == 0; }

private:
    ServiceState& state(int index);
    void fillFromFolder(ServiceState& s);
    void loadTickerFile(int index);

    std::array<ServiceState, kServiceCount> services_;
    std::filesystem::path tickerFolder_;
    std::filesystem::path tempFolder_;
    int initialService_ = 0;
    int shown_ = -1;
    Mode mode_ = Mode::AddNew;
    bool addName_ = false;
    int active_ = 0;
};

} // namespace qm::downloader

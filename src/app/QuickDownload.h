#pragma once
// The quick download of a symbol handed over by the symbol box: one worker of the service
// ticked in the Xfer-now source menu fetches about two years of its history into that service's
// download folder, and the new price file opens as a chart. One at a time.
//
// The worker hands the saved file back in a list of the quick download's own, which nothing
// else touches until the completion has run on the user-interface thread.

#include "downloaddlg/DesktopTransfers.h"

#include <QObject>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace qm {

class TMainForm;

class QuickDownload final : public QObject {
    Q_OBJECT

public:
    using FilesSaved = std::function<void(const std::vector<std::filesystem::path>&)>;

    // `transfers` outlives this; `onSaved` hears of the saved file before its chart opens.
    QuickDownload(TMainForm& main, downloader::RunningTransfers& transfers, FilesSaved onSaved);

    // Starts fetching `symbol` (as the symbol box gives it); does nothing while one runs.
    void start(const std::string& symbol);
    bool running() const { return busy_; }
    // The program is closing: a transfer that still ends opens nothing and says nothing.
    void abandon() { abandoned_ = true; }

private:
    void finished(const std::vector<std::string>& saved);

    TMainForm& main_;
    downloader::RunningTransfers& transfers_;
    FilesSaved onSaved_;
    bool busy_ = false;
    bool abandoned_ = false;
    std::string symbol_;
};

} // namespace qm

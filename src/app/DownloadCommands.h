#pragma once
// The main window's downloads: the Updater command, which opens the download window, the quick
// download of a symbol from the symbol box, and the transfers both start. Closing the main
// window stops the transfers and waits for them; open charts read again the price files they
// save.

#include "BackgroundWork.h"
#include "downloaddlg/DesktopTransfers.h"
#include "downloaddlg/DownLoadDlg.h"

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <vector>

namespace qm {

class QuickDownload;
class TMainForm;

class DownloadCommands final : public QObject, public BackgroundWork {
    Q_OBJECT

public:
    // Connects the Updater command and the symbol box's quick download of `main`, and registers
    // with it as work to wait for.
    explicit DownloadCommands(TMainForm& main);

    // The download window while it is open.
    TDownLoadDlg* downloadWindow() const { return dialog_; }
    QuickDownload& quickDownload() { return *quick_; }
    const downloader::RunningTransfers& transfers() const { return transfers_; }

    bool running() const override { return transfers_.running(); }
    void requestStop() override;

private:
    void openUpdater();
    void filesSaved(const std::vector<std::filesystem::path>& files);

    TMainForm& main_;
    downloader::RunningTransfers transfers_;
    QuickDownload* quick_ = nullptr;
    QPointer<TDownLoadDlg> dialog_;
    bool stopping_ = false;
};

} // namespace qm

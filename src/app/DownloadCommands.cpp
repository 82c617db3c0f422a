#include "DownloadCommands.h"

#include "ChartRefresh.h"
#include "MainWindow.h"
#include "QuickDownload.h"
#include "downloaddlg/DownLoadDlg.h"

#include <QAction>
#include <QToolBar>

namespace qm {

DownloadCommands::DownloadCommands(TMainForm& main) : QObject(&main), main_(main) {
    quick_ = new QuickDownload(
        main, transfers_,
        [this](const std::vector<std::filesystem::path>& files) { filesSaved(files); });
    connect(main.actions().openUpdater, &QAction::triggered, this, &DownloadCommands::openUpdater);
    main.setQuickDownload([this](const std::string& symbol) { quick_->start(symbol); });
    main.addBackgroundWork(this);
}

void DownloadCommands::requestStop() {
    stopping_ = true;
    quick_->abandon();
    transfers_.requestStop();
}

void DownloadCommands::openUpdater() {
    if (stopping_) return;
    // One download window at a time: asking again brings it to the front.
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return;
    }
    TDownLoadDlg::Setup setup;
    setup.configFile = main_.environment().configFile;
    setup.mainFolders = main_.state().config.downloadFolders;
    setup.documentsFolder = main_.environment().system.documents;
    setup.tempFolder = main_.environment().tempFolder;
    setup.transfers = &transfers_;
    setup.locale = main_.state().locale;
    // The window may be gone when a transfer ends; this object lives as long as the program.
    setup.onFilesSaved = [this](const std::vector<std::filesystem::path>& files) {
        filesSaved(files);
    };
    dialog_ = new TDownLoadDlg(setup, &main_);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);

    // Below the main window, under the Updater button.
    int buttonLeft = 0;
    if (const auto* bar = main_.findChild<QToolBar*>(QStringLiteral("ToolBar")))
        if (const QWidget* button = bar->widgetForAction(main_.actions().openUpdater))
            buttonLeft = button->mapTo(&main_, QPoint(0, 0)).x();
    const QRect frame = main_.frameGeometry();
    dialog_->move(frame.left() + buttonLeft + 10, frame.bottom() + 1 + 10);
    dialog_->show();
}

void DownloadCommands::filesSaved(const std::vector<std::filesystem::path>& files) {
    if (!stopping_) reloadChartsOf(main_, files);
}

} // namespace qm

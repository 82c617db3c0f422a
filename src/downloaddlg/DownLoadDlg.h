#pragma once
// TDownLoadDlg: the modeless "Updater + Downloader" window. Per quote service it shows a
// Download List with three-state marks, keeps the service's ticker file and download folder,
// and on Get Data starts that service's transfer worker; transfers of different services run
// at once. The decisions are DownloaderModel's; this window shows them and wires the events.
//
// The workers are started through the program's RunningTransfers, which outlives the window:
// the window refuses to close while they run, and should it go anyway, each worker still has
// the list it marks and finishes on its own.

#include "DesktopTransfers.h"
#include "DownloaderModel.h"
#include "market/FormatSettings.h"

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QStackedWidget;

namespace qm::platform {
class ConfigStore;
}

namespace qm {

class TDownLoadDlg final : public QDialog {
    Q_OBJECT

public:
    struct Setup {
        std::filesystem::path configFile;
        downloader::ServiceFolders mainFolders; // the main window's download folders
        std::filesystem::path documentsFolder;
        std::filesystem::path tempFolder;
        downloader::RunningTransfers* transfers = nullptr; // not owned; outlives the workers
        FormatSettings locale;
        // Told on the user-interface thread of the price files a transfer saved or updated,
        // also when the window has gone by then.
        std::function<void(const std::vector<std::filesystem::path>&)> onFilesSaved;
    };

    explicit TDownLoadDlg(const Setup& setup, QWidget* parent = nullptr);
    ~TDownLoadDlg() override;

    const downloader::DownloaderModel& model() const { return model_; }
    QListWidget* list(int service) const { return lists_.at(static_cast<std::size_t>(service)); }
    QListWidget* shownList() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public Q_SLOTS:
    // Escape: closes the window when no transfer runs; while they run, holding it stops them
    // and the window stays.
    void reject() override;

private:
    void buildControls();
    QListWidget* makeList(int service);
    void bindList(int service);
    void showList(int service, int line);
    void userChangedMark(int service, QListWidgetItem* item);

    void showService(int index);
    void modeBoxClicked(downloader::Mode wanted);
    void showMode();
    void showCount();
    void showFolder();
    void addSymbol();
    void deleteSelected();
    void copyAll();
    void paste();
    void chooseFolder();
    void startDateChanged();
    void getData();
    void startTransfer(const downloader::TransferOrder& order);
    void transferEnded(int service);
    void showIdle();
    void done();
    void saveSettings();

    Setup setup_;
    std::unique_ptr<platform::ConfigStore> config_;
    XferContext context_;
    downloader::DownloaderModel model_;
    bool settingsSaved_ = false;
    int syncing_ = 0; // changes the window makes itself, not the user

    QLabel* lblAction_ = nullptr;
    QLabel* lblSaveToDir_ = nullptr;
    QPushButton* btnSaveTo_ = nullptr;
    QLineEdit* edSymbol_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    QLabel* lblSymList_ = nullptr;
    QStackedWidget* listStack_ = nullptr;
    std::array<QListWidget*, downloader::kServiceCount> lists_{};
    QComboBox* cbSource_ = nullptr;
    QLabel* lblThrdsRunning_ = nullptr;
    QCheckBox* ckAddName_ = nullptr;
    QCheckBox* ckAddSymbols_ = nullptr;
    QCheckBox* ckDoUpdate_ = nullptr;
    QPushButton* btnGetData_ = nullptr;
    QPushButton* btnDone_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    QAction* pasteItem_ = nullptr;
};

} // namespace qm

#pragma once
// TDlgData: the modal dialog behind the open command. The user picks a price file in a folder,
// or a pair of files for a relative-strength chart, or charts a whole list (the favourites or
// the scanner's signal list), with the interval and what goes on the chart. Files dragged from
// the folder's list onto the favourites join them. The rules live in DataPickModel; the window
// shows them and beeps where a choice cannot be drawn.

#include "DataPickModel.h"

#include <QDialog>
#include <QPoint>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace qm {

class TDlgData final : public QDialog {
    Q_OBJECT

public:
    // Opens on `folder` with the interval and chart option chosen last, the favourites read
    // afresh from `settingsFolder`. The lists are the program's working lists.
    TDlgData(QWidget* parent, const std::filesystem::path& folder, int interval, ChartOption option,
             TParamRecList& favourites, TSignalRecList& signals,
             const std::filesystem::path& settingsFolder, MessageSink& sink);

    // The choice once the dialog was confirmed.
    const DataPickChoice& choice() const { return choice_; }
    DataPickModel& model() { return model_; }

    // What a drop of `file` on the favourites does; the drag ends here.
    void dropFile(const std::filesystem::path& file);

    // The controls, for the commands and tests that drive the dialog as a user would.
    QListWidget* fileList() const { return FileListBox1_; }
    QLineEdit* pickedName() const { return Edit1_; }
    QListWidget* favouritesList() const { return lbFavorites_; }
    QCheckBox* useFavourites() const { return ckUseFavList_; }
    QCheckBox* useSignals() const { return ckUseSignalList_; }
    QButtonGroup* intervals() const { return rgPeriod_; }
    QButtonGroup* chartOptions() const { return rgChartOpt_; }
    QPushButton* ratioButton(int which) const { return which == 0 ? cmdF1_ : cmdF2_; }
    QGroupBox* ratioGroup() const { return gbSpread_; }
    QGroupBox* favouritesGroup() const { return gbFavFiles_; }
    QPushButton* drawButton() const { return cmdOk_; }
    QPushButton* folderButton() const { return btnBrowseFolder_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void showFolder();
    void showList(std::optional<std::size_t> select = std::nullopt);
    void showTicks();
    void showOption();
    void refuse();
    void btnBrowseFolderClick();
    void cmdFClick(int which);
    void cmdOkClick();
    void startDrag(QWidget* source);
    bool dragEvent(QEvent* event);

    DataPickModel model_;
    DataPickChoice choice_;

    QListWidget* FileListBox1_ = nullptr;
    QLabel* lblDir_ = nullptr;
    QLineEdit* Edit1_ = nullptr;
    QPushButton* btnBrowseFolder_ = nullptr;
    QButtonGroup* rgPeriod_ = nullptr;
    QButtonGroup* rgChartOpt_ = nullptr;
    QGroupBox* gbFavFiles_ = nullptr;
    QListWidget* lbFavorites_ = nullptr;
    QCheckBox* ckUseFavList_ = nullptr;
    QCheckBox* ckUseSignalList_ = nullptr;
    QGroupBox* gbSpread_ = nullptr;
    QLabel* lblFile1_ = nullptr;
    QLabel* lblFile2_ = nullptr;
    QPushButton* cmdF1_ = nullptr;
    QPushButton* cmdF2_ = nullptr;
    QPushButton* cmdOk_ = nullptr;

    QWidget* pressedIn_ = nullptr; // a left press that may become a drag
    QPoint pressedAt_;
};

} // namespace qm

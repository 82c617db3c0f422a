#pragma once
// TDlgPikSymbols: the modal list of every price file in the folders beside the data folder.
// The user ticks any number of them to chart side by side, deletes a file with a right click,
// or moves the data folder. The rules live in SymbolPickModel; the window shows them.

#include "SymbolPickModel.h"

#include <QDialog>

class QLabel;
class QListView;
class QPushButton;

namespace qm {

class SymbolListItems;

class TDlgPikSymbols final : public QDialog {
    Q_OBJECT

public:
    // Lists the price files beside `dataFolder`. "Data &Folder" changes `dataFolder` itself:
    // the program's data folder, whether or not the dialog is then confirmed.
    TDlgPikSymbols(QWidget* parent, std::filesystem::path& dataFolder, MessageSink& sink);
    ~TDlgPikSymbols() override;

    // The ticked files, in list order, once the dialog was confirmed; may be empty.
    const std::vector<std::filesystem::path>& result() const { return result_; }
    SymbolPickModel& model() { return model_; }

    // Ticks or unticks a line as a click in its box does.
    void setTicked(std::size_t line, bool on);
    // A right click over the list: asks whether to delete the selected line's file.
    void deleteSelected();

    QListView* list() const { return cklbSymbols_; }
    QPushButton* drawButton() const { return btnPlotEm_; }
    QPushButton* folderButton() const { return btnChangeDir_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void rebuild();
    void btnPlotEmClick();
    void btnChangeDirClick();

    std::filesystem::path& dataFolder_;
    MessageSink& sink_;
    SymbolPickModel model_;
    SymbolListItems* items_ = nullptr;
    std::vector<std::filesystem::path> result_;

    QLabel* lblParDir2_ = nullptr;
    QListView* cklbSymbols_ = nullptr;
    QPushButton* btnPlotEm_ = nullptr;
    QPushButton* btnChangeDir_ = nullptr;
};

} // namespace qm

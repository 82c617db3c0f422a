#pragma once
// The open command (the data pick dialog) and the symbol list command (the symbol list dialog,
// whose charts open side by side below the main window).

#include <QObject>
#include <filesystem>
#include <vector>

namespace qm {

class TMainForm;

class OpenCommands final : public QObject {
    Q_OBJECT

public:
    explicit OpenCommands(TMainForm& main);

    // The open button, Ctrl+O: the data pick dialog, then the file list and the first chart.
    void openChart();
    // The open button's drop-down: the symbol list dialog, then its ticked files side by side.
    void symbolList();
    // Closes every chart and opens `files` in the grid below the main window, the last file in
    // the first cell, with the saved indicators. Nothing happens without files.
    void openSideBySide(const std::vector<std::filesystem::path>& files);

private:
    TMainForm& main_;
};

} // namespace qm

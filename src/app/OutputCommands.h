#pragma once
// The commands that take the selected chart out of its window: printing it on a landscape page,
// copying its picture to the clipboard, saving the picture as a BMP, GIF or JPEG file, and the
// zoom window. All but printing take the picture as it is on the screen, tool lines included;
// printing draws the chart anew for the page.

#include <QObject>
#include <filesystem>

namespace qm {

class TAChart;
class TMainForm;

class OutputCommands final : public QObject {
    Q_OBJECT

public:
    // Connects the commands to the main window's actions.
    explicit OutputCommands(TMainForm& main);

    void print();
    void copy();
    void saveImage();
    void zoom();

private:
    // The selected chart; without one the user is told to open or select one.
    TAChart* selectedOrTell();

    TMainForm& main_;
};

// The save dialog's file types, in the order of its filters: GIF, BMP, JPEG.
inline constexpr int kImageFilterCount = 3;
// `name` with the extension of the file type chosen in the save dialog, replacing any other
// extension; with no known filter chosen, a name of one of the three types keeps its own and
// any other becomes a bitmap.
std::filesystem::path withImageExtension(const std::filesystem::path& name, int filterIndex);

} // namespace qm

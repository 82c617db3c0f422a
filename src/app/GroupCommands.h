#pragma once
// Chart groups in the main window: saving the open charts as a group, loading a group folder
// into the file list, and opening a group, which closes every chart and reopens the group's
// charts where they were, with their indicators, chart type and spacing.

#include <QObject>
#include <filesystem>

namespace qm {

class TAChart;
class TGroupRecObj;
class TMainForm;

class GroupCommands final : public QObject {
    Q_OBJECT

public:
    // Connects the group commands and makes openGroup the main window's group opener.
    explicit GroupCommands(TMainForm& main);

    void saveGroup();
    void loadGroup();
    void openGroup(const std::filesystem::path& file);

    // What a group keeps of an open chart window.
    static TGroupRecObj recordOf(const TAChart& chart);

private:
    TMainForm& main_;
};

} // namespace qm

#pragma once
// TMainForm: the thin tool-bar window across the top of the screen. It owns the program's
// state, shows the menus and the tool bar, and carries the program's start-up and shutdown.
// The commands live in their own parts, which connect to the actions made here.

#include "AppEnvironment.h"
#include "AppState.h"
#include "ChartOpening.h"
#include "MainActions.h"
#include "platform/ConfigStore.h"
#include "platform/widgets/MessageBoxSink.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace qm {

class BackgroundWork;
class ChartRegistry;
class IndicatorDropDown;
class OpeningCommands;

class TMainForm final : public QMainWindow {
    Q_OBJECT

public:
    // Reads the configuration and settles folders and settings files; shows the window at the
    // end unless `show` is false (tests that look at the set-up only).
    explicit TMainForm(const AppEnvironment& environment, bool show = true);
    ~TMainForm() override;

    AppState& state() { return state_; }
    const MainActions& actions() const { return actions_; }
    MessageSink& sink() { return sink_; }
    QLineEdit* symbolBox() const { return edSymbol_; }
    IndicatorDropDown* indicatorBox() const { return cbOsc_; }
    QLabel* statusLabel() const { return lblStatus_; }
    const AppEnvironment& environment() const { return environment_; }

    // The open chart windows and the selected chart.
    ChartRegistry& charts() { return *charts_; }
    // Opening charts: the loader's window side.
    ChartOpening& opening() { return opening_; }
    OpeningCommands& openingCommands() { return *openingCommands_; }
    // Gives a chart window the main window's shortcuts, so that they act from there too.
    void shareShortcutsWith(QWidget& window) const;

    // The quick download of a symbol typed in the symbol box, when the program has one.
    void setQuickDownload(std::function<void(const std::string& symbol)> start);
    void quickDownload(const std::string& symbol);
    // Opening a chart group file reached by next or previous.
    void setGroupOpener(std::function<void(const std::filesystem::path& file)> open);
    void openGroupFile(const std::filesystem::path& file);

    // Work that closing must stop and wait for first; not owned, and must outlive the window
    // or be removed before it goes.
    void addBackgroundWork(BackgroundWork* work);
    void removeBackgroundWork(BackgroundWork* work);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildToolBar();
    void applyHeightBand();
    void placeWindow();
    void applyOptionsToMenus();
    void takeOptionsFromMenus();
    void finishClosing();
    bool backgroundWorkRunning() const;

    AppEnvironment environment_;
    platform::ConfigStore config_;
    platform::MessageBoxSink sink_;
    AppState state_;
    MainActions actions_;

    QToolBar* toolBar_ = nullptr;
    QLineEdit* edSymbol_ = nullptr;
    IndicatorDropDown* cbOsc_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QToolButton* openButton_ = nullptr;
    QActionGroup* toolGroup_ = nullptr;

    ChartRegistry* charts_ = nullptr;
    ChartOpening opening_{*this};
    OpeningCommands* openingCommands_ = nullptr;
    std::function<void(const std::string&)> quickDownload_;
    std::function<void(const std::filesystem::path&)> groupOpener_;

    std::vector<BackgroundWork*> background_;
    QTimer closeRetry_;
    bool closed_ = false;
};

} // namespace qm

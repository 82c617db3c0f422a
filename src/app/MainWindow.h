#pragma once
// TMainForm: the thin tool-bar window across the top of the screen. It owns the program's
// state, shows the menus and the tool bar, and carries the program's start-up and shutdown.
// The commands live in their own parts, which connect to the actions made here.

#include "AppEnvironment.h"
#include "AppState.h"
#include "MainActions.h"
#include "platform/ConfigStore.h"
#include "platform/widgets/MessageBoxSink.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;

namespace qm {

class BackgroundWork;

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
    QComboBox* indicatorBox() const { return cbOsc_; }
    QLabel* statusLabel() const { return lblStatus_; }
    const AppEnvironment& environment() const { return environment_; }

    // Work that closing must stop and wait for first; not owned, and must outlive the window
    // or be removed before it goes.
    void addBackgroundWork(BackgroundWork* work);
    void removeBackgroundWork(BackgroundWork* work);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildToolBar();
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
    QComboBox* cbOsc_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QToolButton* openButton_ = nullptr;
    QActionGroup* toolGroup_ = nullptr;

    std::vector<BackgroundWork*> background_;
    QTimer closeRetry_;
    bool closed_ = false;
};

} // namespace qm

#include "OpenCommands.h"

#include "ChartGrid.h"
#include "ChartRegistry.h"
#include "MainWindow.h"
#include "OpenPlan.h"
#include "OpeningCommands.h"
#include "dialogs/DataPickDialog.h"
#include "dialogs/SymbolListDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

namespace qm {

namespace {

// Where a dialog of the main window goes: `offset` pixels from the main window's left edge,
// 10 below it, kept on the screen.
void placeBelow(QWidget& dialog, const TMainForm& main, int offset) {
    const QRect frame = main.frameGeometry();
    QPoint at(main.geometry().left() + offset, frame.bottom() + 1 + 10);
    if (const QScreen* screen = main.screen()) {
        const QRect room = screen->availableGeometry();
        const QSize size = dialog.frameGeometry().size();
        at.setX(std::clamp(at.x(), room.left(),
                           std::max(room.left(), room.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), room.top(),
                           std::max(room.top(), room.bottom() + 1 - size.height())));
    }
    dialog.move(at);
}

// The horizontal offset of a tool bar control within the main window.
int offsetOf(const QWidget* control, const TMainForm& main) {
    return control ? control->mapTo(&main, QPoint(0, 0)).x() : 0;
}

const QToolButton* openButton(const TMainForm& main) {
    for (const QToolButton* b : main.findChildren<QToolButton*>())
        if (b->defaultAction() == main.actions().openChart) return b;
    return nullptr;
}

} // namespace

OpenCommands::OpenCommands(TMainForm& main) : QObject(&main), main_(main) {
    connect(main_.actions().openChart, &QAction::triggered, this, &OpenCommands::openChart);
    connect(main_.actions().symbolList, &QAction::triggered, this, &OpenCommands::symbolList);
}

void OpenCommands::openChart() {
    AppState& state = main_.state();
    state.files.current = 0;
    state.groupName.clear();
    const auto lastOption = static_cast<ChartOption>(std::clamp(state.lastChartOption, 0, 2));
    TDlgData dialog(&main_, state.config.dataFolder, validInterval(state.lastInterval), lastOption,
                    state.favourites, state.signals, state.settingsFolder, main_.sink());
    placeBelow(dialog, main_, offsetOf(openButton(main_), main_));
    if (dialog.exec() != QDialog::Accepted) return;

    const DataPickChoice& choice = dialog.choice();
    state.config.dataFolder = choice.folder;
    state.requests.clear();
    state.lastInterval = validInterval(choice.interval);
    OpenPlan plan = planOpening(choice, state.favourites, state.signals);
    state.files = std::move(plan.files);
    if (plan.emptyLists) {
        state.favourites.clear();
        state.signals.clear();
    }
    switch (choice.option) {
    case ChartOption::SavedIndicators:
        main_.openingCommands().loadSavedRequests();
        break;
    case ChartOption::RelativeStrength:
        state.requests = {{0, 0}}; // the price chart alone, without volume
        break;
    case ChartOption::PriceOnly:
        state.requests = {kPriceChartRequest};
        break;
    }
    state.lastChartOption = static_cast<int>(choice.option);
    if (plan.firstFile.empty()) return;

    main_.statusLabel()->clear();
    ChartRequest request;
    request.sourceFile = plan.firstFile;
    request.secondSourceFile = plan.secondFile;
    request.interval = static_cast<Interval>(plan.interval);
    request.requests = state.requests;
    main_.opening().open(request, main_.opening().belowMainWindow());
}

void OpenCommands::symbolList() {
    AppState& state = main_.state();
    std::vector<std::filesystem::path> files;
    {
        TDlgPikSymbols dialog(&main_, state.config.dataFolder, main_.sink());
        placeBelow(dialog, main_, offsetOf(main_.symbolBox(), main_) + 10);
        if (dialog.exec() != QDialog::Accepted) return;
        files = dialog.result();
    }
    // A cancelled or empty choice leaves the charts open and the file list as it was.
    if (files.empty()) return;
    state.groupName.clear();
    state.files.clear();
    for (const auto& f : files) state.files.append(f);
    openSideBySide(files);
}

void OpenCommands::openSideBySide(const std::vector<std::filesystem::path>& files) {
    if (files.empty()) return;
    AppState& state = main_.state();
    main_.openingCommands().loadSavedRequests();
    main_.charts().closeAll();
    const QRect frame = main_.frameGeometry();
    ScreenRect area = tilingArea({frame.left(), frame.top(), frame.width(), frame.height()},
                                 state.workAreaBottom);
    // A main window reaching past the screen's edge takes no chart with it.
    if (const QScreen* screen = main_.screen()) {
        const QRect room = screen->availableGeometry().intersected(
            QRect(area.left, area.top, area.width, std::max(area.height, 1)));
        if (!room.isEmpty()) area = {room.left(), room.top(), room.width(), room.height()};
    }
    const std::vector<ScreenRect> cells =
        tileCells(static_cast<int>(files.size()), TileDirection::Vertical, area);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ScreenRect& cell = cells[i];
        ChartRequest request;
        request.sourceFile = files[files.size() - 1 - i];
        request.interval = static_cast<Interval>(validInterval(state.lastInterval));
        request.requests = state.requests;
        main_.opening().open(request, QRect(cell.left, cell.top, cell.width, cell.height));
        // Each chart shows before the next is read.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

} // namespace qm

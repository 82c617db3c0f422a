#include "ChartCommands.h"

#include "AppMessages.h"
#include "ChartOpening.h"
#include "ChartRegistry.h"
#include "MainWindow.h"
#include "SymbolBoxKeys.h"
#include "chartwin/ChartWindow.h"
#include "platform/widgets/BusyCursor.h"
#include "platform/widgets/Prompts.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsStream.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace qm {

namespace am = app_messages;

namespace {

QRect toRect(const ScreenRect& r) {
    return {r.left, r.top, r.width, r.height};
}

ScreenRect toScreenRect(const QRect& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

// A request for the chart's own files with the program's current indicator requests.
ChartRequest requestFor(const TAChart& chart, const AppState& state, Interval interval) {
    ChartRequest request;
    request.sourceFile = chart.model().chart().sourceFile;
    request.secondSourceFile = chart.model().chart().secondSourceFile;
    request.interval = interval;
    request.requests = state.requests;
    return request;
}

} // namespace

ChartCommands::ChartCommands(TMainForm& form) : QObject(&form), form_(form) {
    const MainActions& a = form.actions();
    for (QAction* item : a.interval)
        connect(item, &QAction::triggered, this,
                [this, item] { changeInterval(intervalOfTag(item->data().toInt())); });
    connect(a.vertTile, &QAction::triggered, this, [this] { tile(TileDirection::Vertical); });
    connect(a.horzTile, &QAction::triggered, this, [this] { tile(TileDirection::Horizontal); });
    connect(a.closeAll, &QAction::triggered, this, &ChartCommands::closeAll);
    connect(a.putIndicators, &QAction::triggered, this, &ChartCommands::putIndicators);

    // Ctrl+F8, Ctrl+F9 and Ctrl+F10 have no menu item; the main window and every chart window
    // take them as they take the menus' keys.
    for (const auto& [key, number] :
         {std::pair{Qt::Key_F8, 8}, {Qt::Key_F9, 9}, {Qt::Key_F10, 10}}) {
        auto* reopen = new QAction(this);
        reopen->setShortcut(QKeySequence(Qt::CTRL | key));
        form.addAction(reopen);
        const ChartSize size = *fixedChartSize(number);
        connect(reopen, &QAction::triggered, this, [this, size] { reopenAtSize(size); });
    }

    // The editing keys that are also commands edit the symbol box while it has the focus.
    keepEditingKeysInSymbolBox(*form.symbolBox());

    // A tool pressed without a selected chart springs back up.
    for (QAction* tool : a.tools())
        connect(tool, &QAction::triggered, this, [this, tool](bool down) {
            if (down && !form_.charts().selected()) tool->setChecked(false);
        });
}

void ChartCommands::changeInterval(Interval interval) {
    const TAChart* selected = form_.charts().selected();
    if (!selected) {
        form_.sink().information(am::kClickOnAChart);
        return;
    }
    form_.opening().open(requestFor(*selected, form_.state(), interval),
                         form_.opening().belowMainWindow());
}

void ChartCommands::reopenAtSize(ChartSize size) {
    const TAChart* selected = form_.charts().selected();
    if (!selected) return;
    form_.opening().open(requestFor(*selected, form_.state(), selected->model().chart().interval),
                         form_.opening().fixedSize(size.width, size.height));
}

void ChartCommands::tile(TileDirection direction) {
    form_.charts().focusMainWindow();
    const std::vector<TAChart*> charts = form_.charts().charts();
    if (charts.empty()) return;
    const ScreenRect area =
        tilingArea(toScreenRect(form_.frameGeometry()), form_.state().workAreaBottom);
    const platform::BusyCursor busy;
    tileCharts(charts, direction, toRect(area), frameMargins(form_));
}

void tileCharts(std::span<TAChart* const> charts, TileDirection direction, const QRect& area,
                const QMargins& frame) {
    const std::vector<ScreenRect> cells =
        tileCells(static_cast<int>(charts.size()), direction, toScreenRect(area));
    for (std::size_t i = 0; i < charts.size(); ++i) {
        TAChart& chart = *charts[i];
        chart.setWindowState(chart.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
        setFrameGeometry(chart, toRect(cells[i]), frame);
        QCoreApplication::processEvents();
    }
}

void ChartCommands::closeAll() {
    form_.charts().focusMainWindow();
    form_.statusLabel()->clear();
    form_.charts().closeAll();
    form_.update();
}

void ChartCommands::putIndicators() {
    const TAChart* selected = form_.charts().selected();
    if (!selected) return;
    AppState& state = form_.state();
    state.requests.clear();
    for (const TOscObj* record : selected->model().records())
        state.requests.push_back({record->Kind, record->Pane});
    if (state.settingsFolder.empty()) return;
    // Written whole or not at all: a failed save leaves the last saved indicators as they were.
    try {
        saveIndicatorRequests(state.settingsFolder / settings_files::kIndicatorRequests,
                              state.requests);
    } catch (const SettingsError& e) {
        form_.sink().error(e.what());
    }
}

} // namespace qm

#include "ChartOpening.h"

#include "ChartRegistry.h"
#include "MainWindow.h"
#include "chartwin/ChartWindow.h"
#include "market/DateText.h"
#include "platform/widgets/BusyCursor.h"
#include "platform/widgets/MessageBoxSink.h"

#include <QGuiApplication>
#include <QScreen>

namespace qm {

QMargins frameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

void setFrameGeometry(QWidget& window, const QRect& bounds, const QMargins& frame) {
    window.resize(std::max(1, bounds.width() - frame.left() - frame.right()),
                  std::max(1, bounds.height() - frame.top() - frame.bottom()));
    window.move(bounds.topLeft());
}

LoaderContext loaderContextOf(const AppState& state) {
    LoaderContext context;
    context.settingsFolder = state.settingsFolder;
    context.settingsList = &state.settingsList;
    context.sourceFileType = state.sourceFileType;
    context.tempFolder = state.chartDataFolder();
    context.locale = state.locale;
    context.currentYear = currentCalendarYear();
    return context;
}

TAChart* ChartOpening::open(ChartRequest request, const QRect& bounds) {
    AppState& state = main_.state();
    if (!request.group) request.spacing = state.config.barSpacing;
    const LoaderContext context = loaderContextOf(state);

    LoadResult loaded;
    {
        const platform::BusyCursor busy;
        try {
            loaded = openChart(request, context, main_.sink());
        } catch (const std::system_error& e) { // weekly or monthly conversion
            platform::showGeneralError(&main_, e.what());
            return nullptr;
        }
        // A chart abandoned after its data was read closes quietly.
        if (!loaded.chart) return nullptr;
    }
    auto* chart = new TAChart(main_.charts(), std::move(loaded.chart));
    main_.charts().add(chart);
    main_.shareShortcutsWith(*chart);
    // The chart windows wear the main window's frame.
    setFrameGeometry(*chart, bounds, frameMargins(main_));
    chart->show();
    chart->activateWindow();
    main_.charts().chartActivated(*chart);
    return chart;
}

QRect ChartOpening::belowMainWindow() const {
    const QRect frame = main_.frameGeometry();
    const int top = frame.bottom() + 1;
    return {frame.left(), top, frame.width(), std::max(100, main_.state().workAreaBottom - top)};
}

QRect ChartOpening::fixedSize(int width, int height) const {
    const QRect frame = main_.frameGeometry();
    return {frame.left(), frame.bottom() + 1, width, height};
}

} // namespace qm

#include "EditorCommands.h"

#include "ChartRegistry.h"
#include "MainWindow.h"
#include "chartwin/ChartWindow.h"
#include "dialogs/PlotEditor.h"

#include <QAction>
#include <QToolBar>

namespace qm {

EditorCommands::EditorCommands(TMainForm& form) : QObject(&form), form_(form) {
    connect(form.actions().editSettings, &QAction::triggered, this, &EditorCommands::openEditor);
}

void EditorCommands::openEditor() {
    AppState& state = form_.state();
    // Without a settings folder there is nothing to edit; start-up has said why.
    if (state.settingsFolder.empty()) return;
    // The selected chart's symbol comes up first, and Save As looks beside its price file.
    const TAChart* chart = form_.charts().selected();
    PlotEditorContext context{state.settingsFolder,
                              state.settingsList,
                              state.config.showIndOnScale,
                              state.config.showParamsOnChart,
                              indicatorIndex_,
                              state.locale,
                              chart ? chart->title() : std::string(),
                              chart ? chart->model().chart().sourceFile.parent_path()
                                    : state.config.dataFolder};
    TPlotEditor editor(context, &form_);

    // Under the tool bar's editor button, just below the main window.
    int left = form_.x();
    if (const auto* bar = form_.findChild<QToolBar*>(QStringLiteral("ToolBar")))
        if (const QWidget* button = bar->widgetForAction(form_.actions().editSettings))
            left = button->mapToGlobal(QPoint(0, 0)).x();
    editor.move(left, form_.frameGeometry().bottom() + 1 + 10);
    editor.exec();
}

} // namespace qm

#pragma once
// TAChart: the top-level window that shows one chart. It owns the chart (its data file, bar
// window, records and last drawing), draws it anew whenever its size, its place in the history,
// its records or its spacing change, and paints the last drawing without ever erasing, so it
// never flickers. The Back and Forward buttons, the wheel and the step menu move it through the
// history; indicators dragged from the main window's drop-down land in its panes. The drawing
// tools of the main window's tool buttons act on it (ChartTools).

#include "ChartModel.h"
#include "ChartTools.h"

#include <QWidget>
#include <memory>

class QMenu;
class QToolButton;

namespace qm {

class ChartHost;

class TAChart final : public QWidget {
    Q_OBJECT

public:
    TAChart(ChartHost& host, std::unique_ptr<LoadedChart> chart);
    ~TAChart() override;

    ChartModel& model() { return model_; }
    const ChartModel& model() const { return model_; }

    // The chart's symbol title and the window's caption.
    const std::string& title() const { return model_.chart().title; }
    const std::string& description() const { return model_.chart().description; }

    // This window's navigation step, taken from the program-wide one when it is activated.
    int step() const { return step_; }

    // Draws the chart anew for the window's size and shows it.
    void render();
    // Moves through the history as the buttons and the wheel do.
    void goBack();
    void goForward();
    void goToStart();
    void goToEnd();
    // Drops an indicator of `kind` at client row `y`, as a drag from the main window does.
    void dropIndicator(int kind, int y);

    // How many drawings the window has made; tools use it to prove they draw without one.
    int renderCount() const { return renderCount_; }
    // The drawing tools' state: what they show over the picture, the points collected.
    const tools::ChartTools& tools() const { return tools_; }

Q_SIGNALS:
    void rendered();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void moveTo(int offset);
    void placeButtons();
    void showStepMenu(QWidget* button, const QPoint& at);
    void buttonClicked(bool back);
    ScreenFacts screenFacts() const;

    // The drawing tools (ChartWindowTools.cpp). A press or key the tools take returns true.
    bool toolPress(QMouseEvent& event);
    bool toolKey(QKeyEvent& event);
    tools::ChartView toolView() const;
    // Carries out what a tool event asks: the picture, the overlay, hints, buttons, the chart.
    void apply(const tools::ToolEffect& effect);
    void showToolCursor();

    ChartHost& host_;
    ChartModel model_;
    QToolButton* btnGoBack_ = nullptr;
    QToolButton* btnGoFwd_ = nullptr;
    int step_ = 1;
    int wheelRest_ = 0; // part of a wheel notch not acted on yet
    int renderCount_ = 0;
    tools::ChartTools tools_;
    std::optional<tools::Overlay> shownOverlay_; // the overlay as last painted
    bool hintsOn_ = true;
    int hintPauseMs_ = tools::kShortHintMs;
    ChartTool cursorTool_ = ChartTool::None; // the tool whose cursor is shown
};

} // namespace qm

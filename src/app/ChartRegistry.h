#pragma once
// The open chart windows, in the order they were opened (tiling and chart groups take them in
// this order), and the selected chart: the one activated last, which every chart command acts
// on. It is also what the chart windows ask of the program (ChartHost).

#include "chartwin/ChartHost.h"
#include "chartwin/ChartWindow.h"

#include <QObject>
#include <QPointer>
#include <vector>

namespace qm {

class TMainForm;

class ChartRegistry final : public QObject, public ChartHost {
    Q_OBJECT

public:
    explicit ChartRegistry(TMainForm& main);

    // Takes a new chart window into the registry; it leaves it when it is destroyed.
    void add(TAChart* chart);
    // The open chart windows, oldest first.
    std::vector<TAChart*> charts() const;
    // The selected chart, or null when none is selected (or it has closed).
    TAChart* selected() const { return selected_; }
    // Closes every chart window, the newest first.
    void closeAll();
    // Destroys every chart window at once, for the program's end.
    void destroyAll();

    int navigationStep() const override;
    void setNavigationStep(int step) override;
    ChartOptions chartOptions() const override;
    const FormatSettings& formatSettings() const override;
    MessageSink& sink() override;
    void chartActivated(TAChart& chart) override;
    void focusMainWindow() override;
    void addToFavourites(const std::string& title,
                         const std::filesystem::path& sourceFile) override;
    ChartTool toolDown() const override;
    void releaseTool(ChartTool tool) override;

private:
    void chartGone();

    TMainForm& main_;
    std::vector<QPointer<TAChart>> charts_;
    QPointer<TAChart> selected_;
};

} // namespace qm

#pragma once
// What a chart window asks of the program around it: the program-wide navigation step and
// display options, the selected chart, the main window's focus and the settings folder. The
// main window's side implements it; tests can stand in for it.

#include "market/FormatSettings.h"
#include "market/MessageSink.h"
#include "render/ChartTypes.h"

#include <filesystem>
#include <string>

namespace qm {

class TAChart;

class ChartHost {
public:
    virtual ~ChartHost() = default;

    // The bars moved per navigation action, shared by every chart window.
    virtual int navigationStep() const = 0;
    virtual void setNavigationStep(int step) = 0;

    virtual ChartOptions chartOptions() const = 0;
    virtual const FormatSettings& formatSettings() const = 0;
    virtual MessageSink& sink() = 0;

    // The chart became the selected one (activated, or a Ctrl key pressed in it).
    virtual void chartActivated(TAChart& chart) = 0;
    // Hands the keyboard focus to the main window, where its shortcuts act.
    virtual void focusMainWindow() = 0;
    // A right click on the chart: the chart joins the favourites unless its title is there.
    virtual void addToFavourites(const std::string& title,
                                 const std::filesystem::path& sourceFile) = 0;
};

} // namespace qm

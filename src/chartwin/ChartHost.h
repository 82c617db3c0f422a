#pragma once
// What a chart window asks of the program around it: the program-wide navigation step and
// display options, the selected chart, the main window's focus, the favourites and the tool
// buttons. The main window's side implements it; tests can stand in for it.

#include "ChartTools.h"
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

    // The tool whose button is down in the main window; asked at every mouse and key event,
    // since a chart window holds no tool of its own.
    virtual ChartTool toolDown() const = 0;
    // Releases the button of `tool` once its action is done; another tool's stays down.
    virtual void releaseTool(ChartTool tool) = 0;
};

} // namespace qm

#pragma once
// The main window's commands on open charts: the Interval menu, Ctrl+F8 to Ctrl+F10, vertical
// and horizontal tiling, closing every chart, putting the selected chart's indicators on the
// charts opened next, and the chart tool buttons, which stay down only while a chart is
// selected.

#include "ChartCommandRules.h"
#include "ChartGrid.h"

#include <QMargins>
#include <QObject>
#include <QRect>
#include <span>

namespace qm {

class TAChart;
class TMainForm;

class ChartCommands final : public QObject {
public:
    // Connects the commands to `form`'s actions and keys; owned by the form.
    explicit ChartCommands(TMainForm& form);

    // A second chart of the selected chart's files at `interval`, below the main window; the
    // selected chart stays open. Without a selected chart the user is asked to click one.
    void changeInterval(Interval interval);
    // The selected chart's files once more at its own interval, in a window of `size` at the
    // main window's left edge just below it. Without a selected chart nothing happens.
    void reopenAtSize(ChartSize size);
    void tile(TileDirection direction);
    void closeAll();
    // The selected chart's objects, in order, become the indicator request list and are saved
    // for the next openings.
    void putIndicators();

private:
    TMainForm& form_;
};

// Places `charts` cell by cell in the grid over `area` (frames included: each window's frame,
// `frame` around its client area, takes its cell), each in its normal state and drawn anew at
// its new size.
void tileCharts(std::span<TAChart* const> charts, TileDirection direction, const QRect& area,
                const QMargins& frame);

} // namespace qm

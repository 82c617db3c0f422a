#pragma once
// Where every way of opening a chart ends on the desktop: the chart loader's window side. It
// loads the chart, makes its window at the bounds the caller gives and shows it; a request that
// cannot be read ends with the loader's messages, one abandoned half-way ends quietly.

#include "loader/ChartLoader.h"

#include <QMargins>
#include <QRect>

class QWidget;

namespace qm {

struct AppState;
class TAChart;
class TMainForm;

// What the chart loader needs of the program's state: folders, settings list, file type, locale.
LoaderContext loaderContextOf(const AppState& state);

class ChartOpening {
public:
    explicit ChartOpening(TMainForm& main) : main_(main) {}

    // Opens the chart of `request` in a new window whose frame takes `bounds`; the window, or
    // null when no chart was made. The bar spacing comes from the Spacing menu unless the
    // request is a chart group's.
    TAChart* open(ChartRequest request, const QRect& bounds);

    // The bounds of charts opened from the symbol box, next and previous, the open command and
    // downloads: under the main window, as wide as it, down to the bottom of the work area.
    QRect belowMainWindow() const;
    // Under the main window at its left edge, `width` by `height`.
    QRect fixedSize(int width, int height) const;

private:
    TMainForm& main_;
};

// The frame the window manager puts around a window's client area.
QMargins frameMargins(const QWidget& window);
// Places a top-level window so that its frame (`frame` around its client area) takes `bounds`.
void setFrameGeometry(QWidget& window, const QRect& bounds, const QMargins& frame);

} // namespace qm

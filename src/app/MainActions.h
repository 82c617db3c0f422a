#pragma once
// Every command of the main window as an action, with its text, shortcut and hint: the menu bar
// and the tool bar show them, and each part of the program connects the commands it carries
// out. The texts are the program's own, in one place.

#include <QObject>
#include <array>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QWidget;

namespace qm {

struct MainActions {
    // Menu "&Data".
    QAction* openUpdater = nullptr;
    // Menu "&Chart".
    QAction* openChart = nullptr;
    QAction* symbolList = nullptr;
    QAction* next = nullptr;
    QAction* previous = nullptr;
    QAction* editSettings = nullptr;
    QAction* putIndicators = nullptr;
    QAction* saveImage = nullptr;
    QAction* print = nullptr;
    QAction* copy = nullptr;
    QAction* zoom = nullptr;
    QAction* exit = nullptr;
    // Menu "Chart &Groups".
    QAction* loadGroup = nullptr;
    QAction* saveGroup = nullptr;
    // Menu "&Window".
    QAction* vertTile = nullptr;
    QAction* horzTile = nullptr;
    QAction* closeAll = nullptr;
    // Menu "&Interval", tags 1 to 3 in the actions' data.
    std::array<QAction*, 3> interval{};
    // Menu "&Spacing": radio items, the spacing code 0 to 2 in the actions' data.
    std::array<QAction*, 3> spacing{};
    QActionGroup* spacingGroup = nullptr;
    // Menu "&Help".
    QAction* showHelp = nullptr;
    QAction* about = nullptr;

    // Tool bar buttons without a menu item of their own.
    QAction* openGroupButton = nullptr; // the same command as loadGroup
    QAction* saveGroupButton = nullptr; // the same command as saveGroup
    QAction* helpButton = nullptr;      // the same command as showHelp

    // The chart tools: check buttons of which at most one is down, and none need be.
    QAction* tbClear = nullptr;
    QAction* tbExpand = nullptr;
    QAction* tbCompress = nullptr;
    QAction* tbAndLine = nullptr;
    QAction* tbChLine = nullptr;
    QAction* tbLine = nullptr;
    QAction* tbFibLine = nullptr;
    QAction* tbShoVals = nullptr;

    // The Xfer-now source menu of the symbol box: five radio items, then the always-fetch item.
    std::array<QAction*, 5> xferNowSource{};
    QActionGroup* xferNowGroup = nullptr;
    QAction* xferNowNewData = nullptr;
    QMenu* xferNowMenu = nullptr;

    // The chart tools in tool bar order.
    std::array<QAction*, 8> tools() const {
        return {tbClear, tbExpand, tbCompress, tbAndLine, tbChLine, tbLine, tbFibLine, tbShoVals};
    }
};

// Makes every action, owned by `owner`, and the menus of `menuBar`.
MainActions makeMainActions(QWidget* owner, QMenuBar* menuBar);

} // namespace qm

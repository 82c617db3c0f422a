#include "MainActions.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace qm {
namespace {

QAction* item(QMenu* menu, const char* text, QKeySequence shortcut = {}) {
    QAction* a = menu->addAction(QString::fromLatin1(text));
    a->setShortcut(shortcut);
    return a;
}

QAction* button(QObject* owner, const char* hint, bool checkable = false) {
    auto* a = new QAction(owner);
    a->setToolTip(QString::fromLatin1(hint));
    a->setStatusTip(a->toolTip());
    a->setCheckable(checkable);
    return a;
}

// A tool bar button's hint on an action that also has a menu item.
void hint(QAction* a, const char* text) {
    a->setToolTip(QString::fromLatin1(text));
}

} // namespace

MainActions makeMainActions(QWidget* owner, QMenuBar* menuBar) {
    MainActions m;

    QMenu* data = menuBar->addMenu(QStringLiteral("&Data"));
    m.openUpdater = item(data, "&Open Updater ...");
    hint(m.openUpdater, "Open Download + Update dialog");

    QMenu* chart = menuBar->addMenu(QStringLiteral("&Chart"));
    m.openChart = item(chart, "&Open Symbol/File to Chart ...", QKeySequence(Qt::CTRL | Qt::Key_O));
    hint(m.openChart, "Select a symbol/ticker to Chart");
    m.symbolList = item(chart, "Select Chart(s) from &List of all symbols/tickers ...");
    m.next = item(chart, "Fetch Next Symbol/File to Chart", QKeySequence(Qt::Key_Space));
    hint(m.next, "Next Chart (or press Spacebar)");
    m.previous =
        item(chart, "Fetch Previous Symbol/File to Chart", QKeySequence(Qt::SHIFT | Qt::Key_Space));
    hint(m.previous, "Previous Chart (or press Shift + Spacebar)");
    m.editSettings =
        item(chart, "&Edit Chart + Indicator Settings...", QKeySequence(Qt::CTRL | Qt::Key_E));
    hint(m.editSettings, "Open Chart and Indicator Settings Editor");
    m.putIndicators =
        item(chart, "Put &Indicators on Next Chart", QKeySequence(Qt::CTRL | Qt::Key_I));
    hint(m.putIndicators,
         "To put same indicators on next chart, click on desired chart then click this button.");
    m.saveImage = item(chart, "&Save the Chart image as Bitmap, Gif or Jpeg ...",
                       QKeySequence(Qt::CTRL | Qt::Key_S));
    m.print = item(chart, "&Print the Chart...", QKeySequence(Qt::CTRL | Qt::Key_P));
    hint(m.print, "Print selected Chart");
    m.copy = item(chart, "Cop&y the Chart to Clipboard", QKeySequence(Qt::CTRL | Qt::Key_Y));
    hint(m.copy, "Copy selected Chart to Clipboard");
    m.zoom = item(chart, "&Zoom the Chart", QKeySequence(Qt::CTRL | Qt::Key_Z));
    hint(m.zoom, "Zoom the selected Chart");
    m.exit = item(chart, "E&xit the Program", QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu* groups = menuBar->addMenu(QStringLiteral("Chart &Groups"));
    m.loadGroup = item(groups, "&Load a Saved Group of Charts...");
    m.saveGroup = item(groups, "&Save Open Charts as a Group...");

    QMenu* window = menuBar->addMenu(QStringLiteral("&Window"));
    m.vertTile = item(window, "&Vert Tile Charts", QKeySequence(Qt::CTRL | Qt::Key_V));
    m.vertTile->setData(1);
    m.horzTile = item(window, "&Horz Tile Charts", QKeySequence(Qt::CTRL | Qt::Key_H));
    m.horzTile->setData(2);
    m.closeAll = item(window, "&Close All Charts", QKeySequence(Qt::CTRL | Qt::Key_C));

    QMenu* interval = menuBar->addMenu(QStringLiteral("&Interval"));
    m.interval[0] = item(interval, "&Daily", QKeySequence(Qt::CTRL | Qt::Key_D));
    m.interval[1] = item(interval, "&Weekly", QKeySequence(Qt::CTRL | Qt::Key_W));
    m.interval[2] = item(interval, "&Monthly", QKeySequence(Qt::CTRL | Qt::Key_M));
    for (int i = 0; i < 3; ++i) m.interval[static_cast<std::size_t>(i)]->setData(i + 1);

    QMenu* spacing = menuBar->addMenu(QStringLiteral("&Spacing"));
    m.spacingGroup = new QActionGroup(owner);
    const char* spacingTexts[] = {"&Reduced Bar Spacing", "&Normal Bar Spacing",
                                  "&Increased Bar Spacing"};
    for (int i = 0; i < 3; ++i) {
        QAction* a = item(spacing, spacingTexts[i]);
        a->setCheckable(true);
        a->setData(i);
        m.spacingGroup->addAction(a);
        m.spacing[static_cast<std::size_t>(i)] = a;
    }

    QMenu* help = menuBar->addMenu(QStringLiteral("&Help"));
    m.showHelp = item(help, "&Show Help", QKeySequence(Qt::Key_F1));
    m.about = item(help, "&About this Program...", QKeySequence(Qt::CTRL | Qt::Key_A));

    m.openGroupButton = button(owner, "Open a saved Chart Group");
    m.saveGroupButton = button(owner, "Save open charts as a Chart Group");
    m.helpButton = button(owner, "Take a look at Help");

    m.tbClear = button(owner, "To Clear indicators Click Me then Click on desired Chart", true);
    m.tbExpand = button(owner, "To expand Chart click Me then click on desired Chart", true);
    m.tbCompress = button(owner, "To Compress Chart click Me then click on desired Chart", true);
    m.tbAndLine = button(
        owner, "To Draw Andrews Pitchfork click me then click 3 points on desired Chart", true);
    m.tbChLine = button(
        owner, "To Draw Trend Channel click Me then Draw + Drag line on desired Chart", true);
    m.tbLine = button(owner,
                      "To Draw Trendline click Me then Click and Drag on desired Chart.\r\n"
                      "Shift Key + Drag draws horizontal or vertical line.",
                      true);
    m.tbFibLine = button(owner,
                         "To Draw Fibbonacci Retracement levels click Me then Click 2 points on "
                         "desired Chart",
                         true);
    m.tbShoVals =
        button(owner, "To Read OHLC values click Me then Click + Drag on desired Chart", true);

    m.xferNowMenu = new QMenu(owner);
    m.xferNowGroup = new QActionGroup(owner);
    const char* sources[][2] = {{"Xfer now from &Yahoo", "Get data from Yahoo"},
                                {"Xfer now from &Google", "Get data from Google"},
                                {"Xfer now from &Otc", "Get data from Otc"},
                                {"Xfer now from &Qmedia", "Get data from Qmedia"},
                                {"Xfer now from &Nasdaq", "Get data from Nasdaq"}};
    for (int i = 0; i < 5; ++i) {
        QAction* a = m.xferNowMenu->addAction(QString::fromLatin1(sources[i][0]));
        a->setStatusTip(QString::fromLatin1(sources[i][1]));
        a->setCheckable(true);
        a->setData(i);
        m.xferNowGroup->addAction(a);
        m.xferNowSource[static_cast<std::size_t>(i)] = a;
    }
    m.xferNowMenu->addSeparator();
    m.xferNowNewData = m.xferNowMenu->addAction(QStringLiteral("Always Xfer new data for symbol."));
    m.xferNowNewData->setStatusTip(QStringLiteral("Fetch data from selected source"));
    m.xferNowNewData->setCheckable(true);
    return m;
}

} // namespace qm

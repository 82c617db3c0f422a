#include "MainWindow.h"

#include "AppMessages.h"
#include "BackgroundWork.h"
#include "ChartCommands.h"
#include "ChartRegistry.h"
#include "DownloadCommands.h"
#include "EditorCommands.h"
#include "GroupCommands.h"
#include "HelpCommands.h"
#include "IndicatorDropDown.h"
#include "Lifecycle.h"
#include "MainWindowPlace.h"
#include "OpenCommands.h"
#include "OpeningCommands.h"
#include "OutputCommands.h"
#include "market/ChartDataFile.h"
#include "platform/CursorTable.h"
#include "platform/QtText.h"
#include "platform/SystemLocale.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

// The tool bar pictures are compiled into this library, which the linker would otherwise pass
// over since nothing names them.
static void loadToolBarPictures() {
    Q_INIT_RESOURCE(toolbar);
}

namespace qm {

namespace am = app_messages;

namespace {

using platform::qtext;

ScreenRect rectOf(const QRect& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

// The tool bar picture of `name`, when the program has one.
QIcon toolIcon(const char* name) {
    const QString file = QStringLiteral(":/toolbar/%1.png").arg(QLatin1String(name));
    return QFile::exists(file) ? QIcon(file) : QIcon();
}

void dress(QAction* action, const char* iconName, const char* shortText) {
    QIcon icon = toolIcon(iconName);
    if (icon.isNull()) {
        action->setIconText(QString::fromLatin1(shortText));
    } else {
        action->setIcon(icon);
    }
}

} // namespace

TMainForm::TMainForm(const AppEnvironment& environment, bool show)
    : environment_(environment), config_(environment.configFile), sink_(this) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(qtext(am::kMainCaption));
    // A tool-bar window: it cannot be maximised and its height stays in a narrow band.
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                    Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                    Qt::WindowCloseButtonHint) &
                   ~Qt::WindowMaximizeButtonHint);

    loadToolBarPictures();
    platform::loadCursorTable();
    actions_ = makeMainActions(this, menuBar());
    buildToolBar();
    applyHeightBand();

    startUp(state_, config_, environment_.system, sink_);
    applyOptionsToMenus();
    placeWindow();

    // The final steps of the set-up run whatever failed before.
    state_.locale = platform::systemFormatSettings();
    makeChartFolder(state_, environment_.tempFolder, sink_);
    seedChartFileCounter(randomChartFileSeed());
    state_.navigationStep = 1;

    closeRetry_.setInterval(50);
    connect(&closeRetry_, &QTimer::timeout, this, [this] {
        if (!backgroundWorkRunning()) {
            closeRetry_.stop();
            close();
        }
    });
    connect(actions_.exit, &QAction::triggered, this, &QWidget::close);
    // The Spacing menu is the spacing new chart windows take.
    connect(actions_.spacingGroup, &QActionGroup::triggered, this,
            [this](QAction* a) { state_.config.barSpacing = a->data().toInt(); });
    connect(actions_.xferNowNewData, &QAction::toggled, this,
            [this](bool on) { state_.config.xferNowNewData = on; });

    charts_ = new ChartRegistry(*this);
    openingCommands_ = new OpeningCommands(*this);
    new OutputCommands(*this);
    new EditorCommands(*this);
    new ChartCommands(*this);
    connectHelpCommands(*this);
    new OpenCommands(*this);
    new GroupCommands(*this);
    new DownloadCommands(*this);
    if (show) this->show();
}

TMainForm::~TMainForm() {
    if (!closed_) finishClosing();
}

void TMainForm::buildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Tools"));
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(24, 24));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);

    MainActions& a = actions_;
    dress(a.openUpdater, "updater", "Xfer");
    toolBar_->addAction(a.openUpdater);

    edSymbol_ = new QLineEdit(toolBar_);
    edSymbol_->setObjectName(QStringLiteral("edSymbol"));
    edSymbol_->setToolTip(
        QStringLiteral("Type a Symbol/Ticker to chart\r\nRight click to select Xfer now source")
            .replace(QLatin1String("\r\n"), QLatin1String("\n")));
    edSymbol_->setFixedWidth(96);
    edSymbol_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edSymbol_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { actions_.xferNowMenu->popup(edSymbol_->mapToGlobal(at)); });
    // What is typed becomes upper case as it is typed.
    connect(edSymbol_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text) return;
        const int cursor = edSymbol_->cursorPosition();
        edSymbol_->setText(upper);
        edSymbol_->setCursorPosition(cursor);
    });
    toolBar_->addWidget(edSymbol_);

    // The open button, with the symbol list command in its drop-down.
    dress(a.openChart, "open", "Open");
    openButton_ = new QToolButton(toolBar_);
    openButton_->setDefaultAction(a.openChart);
    auto* openMenu = new QMenu(openButton_);
    QAction* listItem =
        openMenu->addAction(QStringLiteral("Select Chart(s) from list of all symbols/tickers ..."));
    connect(listItem, &QAction::triggered, a.symbolList, &QAction::trigger);
    openButton_->setMenu(openMenu);
    openButton_->setPopupMode(QToolButton::MenuButtonPopup);
    toolBar_->addWidget(openButton_);

    dress(a.previous, "previous", "Prev");
    dress(a.next, "next", "Next");
    toolBar_->addAction(a.previous);
    toolBar_->addAction(a.next);
    dress(a.openGroupButton, "openGroup", "Group");
    dress(a.saveGroupButton, "saveGroup", "Save");
    toolBar_->addAction(a.openGroupButton);
    toolBar_->addAction(a.saveGroupButton);
    connect(a.openGroupButton, &QAction::triggered, a.loadGroup, &QAction::trigger);
    connect(a.saveGroupButton, &QAction::triggered, a.saveGroup, &QAction::trigger);
    dress(a.print, "print", "Print");
    dress(a.copy, "copy", "Copy");
    toolBar_->addAction(a.print);
    toolBar_->addAction(a.copy);
    dress(a.putIndicators, "putIndicators", "Ind+");
    toolBar_->addAction(a.putIndicators);

    cbOsc_ = new IndicatorDropDown(toolBar_);
    toolBar_->addWidget(cbOsc_);

    dress(a.editSettings, "editor", "Edit");
    dress(a.zoom, "zoom", "Zoom");
    toolBar_->addAction(a.editSettings);
    toolBar_->addAction(a.zoom);

    toolGroup_ = new QActionGroup(this);
    toolGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const std::pair<QAction*, const char*> tools[] = {
        {a.tbClear, "clear"},       {a.tbExpand, "expand"},     {a.tbCompress, "compress"},
        {a.tbAndLine, "pitchfork"}, {a.tbChLine, "channel"},    {a.tbLine, "trendline"},
        {a.tbFibLine, "fibonacci"}, {a.tbShoVals, "readValues"}};
    const char* shortTexts[] = {"Clr", "Exp", "Cmp", "Fork", "Chan", "Line", "Fib", "OHLC"};
    for (std::size_t i = 0; i < std::size(tools); ++i) {
        dress(tools[i].first, tools[i].second, shortTexts[i]);
        toolGroup_->addAction(tools[i].first);
        toolBar_->addAction(tools[i].first);
    }

    dress(a.helpButton, "help", "Help");
    toolBar_->addAction(a.helpButton);
    connect(a.helpButton, &QAction::triggered, a.showHelp, &QAction::trigger);

    auto* spacer = new QWidget(toolBar_);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolBar_->addWidget(spacer);
    lblStatus_ = new QLabel(toolBar_);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setMinimumWidth(160);
    lblStatus_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    toolBar_->addWidget(lblStatus_);
}

void TMainForm::applyOptionsToMenus() {
    const Configuration& c = state_.config;
    actions_.spacing[static_cast<std::size_t>(c.barSpacing)]->setChecked(true);
    actions_.xferNowSource[static_cast<std::size_t>(c.xferNowSource)]->setChecked(true);
    actions_.xferNowNewData->setChecked(c.xferNowNewData);
}

void TMainForm::takeOptionsFromMenus() {
    Configuration& c = state_.config;
    if (QAction* s = actions_.spacingGroup->checkedAction()) c.barSpacing = s->data().toInt();
    if (QAction* s = actions_.xferNowGroup->checkedAction()) c.xferNowSource = s->data().toInt();
    c.xferNowNewData = actions_.xferNowNewData->isChecked();
    c.window = WindowDims{x(), y(), width()};
}

void TMainForm::placeWindow() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    const ScreenRect workArea =
        primary ? rectOf(primary->availableGeometry()) : ScreenRect{0, 0, kMainMinWidth, 768};
    std::vector<ScreenRect> screens;
    for (const QScreen* s : QGuiApplication::screens()) screens.push_back(rectOf(s->geometry()));
    if (screens.empty()) screens.push_back(workArea);
    state_.workAreaBottom = workArea.bottom();

    const WindowDims place = placeMainWindow(state_.config.window, workArea, screens);
    resize(place.width, minimumHeight());
    move(place.left, place.top);
}

void TMainForm::addBackgroundWork(BackgroundWork* work) {
    background_.push_back(work);
}

void TMainForm::removeBackgroundWork(BackgroundWork* work) {
    std::erase(background_, work);
}

bool TMainForm::backgroundWorkRunning() const {
    return std::any_of(background_.begin(), background_.end(),
                       [](const BackgroundWork* w) { return w->running(); });
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Workers use the program's lists: they stop and finish before anything goes. The event
    // loop keeps running meanwhile, so their last calls onto it are answered.
    if (backgroundWorkRunning()) {
        for (BackgroundWork* w : background_) w->requestStop();
        closeRetry_.start();
        event->ignore();
        return;
    }
    finishClosing();
    event->accept();
}

void TMainForm::applyHeightBand() {
    // The band holds for the whole window, title bar and borders included, as far as the
    // window manager has told how tall they are; the menu and tool bar always fit.
    const int frame = std::max(0, frameGeometry().height() - geometry().height());
    const int content = std::max(menuBar()->sizeHint().height() + toolBar_->sizeHint().height(), 1);
    const int low = std::max(kMainMinHeight - frame, content);
    setMinimumSize(kMainMinWidth, low);
    setMaximumHeight(std::max(kMainMaxHeight - frame, low));
}

bool TMainForm::event(QEvent* event) {
    // The frame is known once the window manager has framed the window.
    if (event->type() == QEvent::Show || event->type() == QEvent::Move)
        QTimer::singleShot(0, this, [this] {
            const int before = minimumHeight();
            applyHeightBand();
            if (minimumHeight() != before) resize(width(), minimumHeight());
        });
    return QMainWindow::event(event);
}

void TMainForm::changeEvent(QEvent* event) {
    // The window is never maximised, whatever the window manager offers.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized))
        setWindowState(windowState() & ~Qt::WindowMaximized);
    QMainWindow::changeEvent(event);
}

void TMainForm::finishClosing() {
    if (closed_) return;
    closed_ = true;
    takeOptionsFromMenus();
    // The chart windows go first: their data files lie in this run's folder.
    charts_->destroyAll();
    shutDown(state_, config_, sink_);
}

void TMainForm::shareShortcutsWith(QWidget& window) const {
    for (QAction* a : findChildren<QAction*>())
        if (!a->shortcut().isEmpty()) window.addAction(a);
}

void TMainForm::setQuickDownload(std::function<void(const std::string&)> start) {
    quickDownload_ = std::move(start);
}

void TMainForm::quickDownload(const std::string& symbol) {
    if (quickDownload_) quickDownload_(symbol);
}

void TMainForm::setGroupOpener(std::function<void(const std::filesystem::path&)> open) {
    groupOpener_ = std::move(open);
}

void TMainForm::openGroupFile(const std::filesystem::path& file) {
    if (groupOpener_) groupOpener_(file);
}

} // namespace qm

#include "DownLoadDlg.h"

#include "DownloaderTexts.h"
#include "download/QuoteService.h"
#include "help/Help.h"
#include "market/Calendar.h"
#include "platform/ConfigStore.h"
#include "platform/QtText.h"
#include "platform/widgets/Prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace qm {

namespace dl = downloader;
namespace fs = std::filesystem;

namespace {

using platform::qpath;
using platform::qtext;

Qt::CheckState checkStateOf(LineMark mark) {
    switch (mark) {
    case LineMark::Ticked:
        return Qt::Checked;
    case LineMark::Grayed:
        return Qt::PartiallyChecked;
    case LineMark::Unticked:
        break;
    }
    return Qt::Unchecked;
}

LineMark markOf(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return LineMark::Ticked;
    case Qt::PartiallyChecked:
        return LineMark::Grayed;
    case Qt::Unchecked:
        break;
    }
    return LineMark::Unticked;
}

// Pixels between the folder label's frame and its text.
constexpr int kFolderIndent = 3;

// RAII for the changes the window makes to its own controls.
class Syncing {
public:
    explicit Syncing(int& depth) : depth_(depth) { ++depth_; }
    ~Syncing() { --depth_; }
    Syncing(const Syncing&) = delete;
    Syncing& operator=(const Syncing&) = delete;

private:
    int& depth_;
};

} // namespace

TDownLoadDlg::TDownLoadDlg(const Setup& setup, QWidget* parent)
    : QDialog(parent), setup_(setup),
      config_(std::make_unique<platform::ConfigStore>(setup.configFile)),
      context_(dl::desktopContext(*config_, setup.tempFolder)),
      model_(dl::readDownloaderSettings(*config_, setup.mainFolders, setup.documentsFolder),
             setup.tempFolder) {
    setObjectName(QStringLiteral("DownLoadDlg"));
    setWindowTitle(qtext(dl::kCaption));
    // A fixed border with only a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    setAcceptDrops(true);
    setToolTip(qtext(dl::kHintIdle));

    buildControls();
    for (int s = 0; s < dl::kServiceCount; ++s) bindList(s);

    model_.open();
    {
        const Syncing syncing(syncing_);
        ckAddName_->setChecked(model_.addName());
        cbSource_->setCurrentIndex(model_.shownService());
    }
    lblThrdsRunning_->setText(qtext(dl::kActiveAtOpening) + QString::number(0));
    listStack_->setCurrentIndex(model_.shownService());
    showMode();
    showCount();
    setFixedSize(sizeHint());
    layout()->activate();
    showFolder();
    connect(datePicker_, &QDateEdit::dateChanged, this, &TDownLoadDlg::startDateChanged);
    edSymbol_->setFocus();
}

TDownLoadDlg::~TDownLoadDlg() {
    // A worker that still runs keeps its list; the list no longer reaches this window.
    for (int s = 0; s < dl::kServiceCount; ++s) model_.service(s).list->onChange = nullptr;
    if (!settingsSaved_) saveSettings();
}

void TDownLoadDlg::buildControls() {
    lblAction_ = new QLabel(qtext(dl::kSavingTo), this);
    lblAction_->setObjectName(QStringLiteral("lblAction"));
    lblSaveToDir_ = new QLabel(qtext(dl::kSaveWhere), this);
    lblSaveToDir_->setObjectName(QStringLiteral("lblSaveToDir"));
    lblSaveToDir_->setToolTip(qtext(dl::kHintSaveDir));
    lblSaveToDir_->setFrameShape(QFrame::StyledPanel);
    lblSaveToDir_->setIndent(kFolderIndent);
    lblSaveToDir_->setMinimumWidth(150);
    lblSaveToDir_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    btnSaveTo_ = new QPushButton(qtext(dl::kSaveTo), this);
    btnSaveTo_->setObjectName(QStringLiteral("btnSaveTo"));
    btnSaveTo_->setToolTip(qtext(dl::kHintSaveTo));
    btnSaveTo_->setAutoDefault(false);
    connect(btnSaveTo_, &QPushButton::clicked, this, &TDownLoadDlg::chooseFolder);

    edSymbol_ = new QLineEdit(this);
    edSymbol_->setObjectName(QStringLiteral("edSymbol"));
    edSymbol_->setToolTip(qtext(dl::kHintSymbol));
    edSymbol_->installEventFilter(this);
    connect(edSymbol_, &QLineEdit::returnPressed, this, &TDownLoadDlg::addSymbol);
    auto* symbolLabel = new QLabel(qtext(dl::kSymbolLabel), this);
    symbolLabel->setBuddy(edSymbol_);

    const QDate today = QDate::currentDate();
    datePicker_ = new QDateEdit(this);
    datePicker_->setObjectName(QStringLiteral("DatePicker1"));
    datePicker_->setToolTip(qtext(dl::kHintStartDate));
    datePicker_->setCalendarPopup(true);
    datePicker_->setDateRange(QDate(today.year() - 10, 2, 2), today.addDays(-7));
    datePicker_->setDate(QDate(today.year() - 3, 2, 2));
    auto* dateLabel = new QLabel(qtext(dl::kStartDateLabel), this);
    dateLabel->setObjectName(QStringLiteral("Label4"));
    dateLabel->setBuddy(datePicker_);

    lblSymList_ = new QLabel(qtext(dl::kDownloadList), this);
    lblSymList_->setObjectName(QStringLiteral("lblSymList"));

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    connect(popupMenu_->addAction(qtext(dl::kCheckAll)), &QAction::triggered, this,
            [this] { model_.markAll(LineMark::Ticked); });
    connect(popupMenu_->addAction(qtext(dl::kUncheckAll)), &QAction::triggered, this,
            [this] { model_.markAll(LineMark::Unticked); });
    popupMenu_->addSeparator();
    connect(popupMenu_->addAction(qtext(dl::kCopyAll)), &QAction::triggered, this,
            &TDownLoadDlg::copyAll);
    pasteItem_ = popupMenu_->addAction(qtext(dl::kPaste));
    pasteItem_->setEnabled(false);
    connect(pasteItem_, &QAction::triggered, this, &TDownLoadDlg::paste);
    popupMenu_->addSeparator();
    connect(popupMenu_->addAction(qtext(dl::kDeleteAll)), &QAction::triggered, this, [this] {
        if (model_.deleteAll()) showCount();
    });

    listStack_ = new QStackedWidget(this);
    const char* listNames[] = {"XFerChkList_Y", "XFerChkList_G", "XFerChkList_O", "XFerChkList_Q",
                               "XFerChkList_N"};
    for (int s = 0; s < dl::kServiceCount; ++s) {
        QListWidget* list = makeList(s);
        list->setObjectName(QLatin1String(listNames[s]));
        lists_[static_cast<std::size_t>(s)] = list;
        listStack_->addWidget(list);
    }

    cbSource_ = new QComboBox(this);
    cbSource_->setObjectName(QStringLiteral("cbSource"));
    cbSource_->setToolTip(qtext(dl::kHintSource));
    for (const QuoteService s : quoteServices()) cbSource_->addItem(qtext(serviceName(s)));
    connect(cbSource_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!syncing_ && index >= 0) showService(index);
    });
    auto* sourceLabel = new QLabel(qtext(dl::kDataSource), this);
    sourceLabel->setObjectName(QStringLiteral("Label5"));
    sourceLabel->setBuddy(cbSource_);

    lblThrdsRunning_ = new QLabel(this);
    lblThrdsRunning_->setObjectName(QStringLiteral("lblThrdsRunning"));

    ckAddName_ = new QCheckBox(qtext(dl::kAddSymbolNameBox), this);
    ckAddName_->setObjectName(QStringLiteral("ckAddName"));
    ckAddName_->setToolTip(qtext(dl::kHintAddName));
    connect(ckAddName_, &QCheckBox::toggled, this, [this](bool on) {
        if (syncing_) return;
        model_.setAddName(on);
        showMode();
    });
    ckAddSymbols_ = new QCheckBox(qtext(dl::kAddNewSymbolsBox), this);
    ckAddSymbols_->setObjectName(QStringLiteral("ckAddSymbols"));
    ckAddSymbols_->setToolTip(qtext(dl::kHintAddSymbols));
    connect(ckAddSymbols_, &QCheckBox::toggled, this, [this](bool on) {
        if (!syncing_) modeBoxClicked(on ? dl::Mode::AddNew : dl::Mode::Update);
    });
    ckDoUpdate_ = new QCheckBox(qtext(dl::kUpdateBox), this);
    ckDoUpdate_->setObjectName(QStringLiteral("ckDoUpdate"));
    connect(ckDoUpdate_, &QCheckBox::toggled, this, [this](bool on) {
        if (!syncing_) modeBoxClicked(on ? dl::Mode::Update : dl::Mode::AddNew);
    });

    btnGetData_ = new QPushButton(qtext(dl::kGetData), this);
    btnGetData_->setObjectName(QStringLiteral("btnGetData"));
    btnGetData_->setToolTip(qtext(dl::kHintGetData));
    btnGetData_->setAutoDefault(false);
    connect(btnGetData_, &QPushButton::clicked, this, &TDownLoadDlg::getData);
    btnDone_ = new QPushButton(qtext(dl::kDone), this);
    btnDone_->setObjectName(QStringLiteral("btnDone"));
    btnDone_->setToolTip(qtext(dl::kHintDone));
    btnDone_->setAutoDefault(false);
    connect(btnDone_, &QPushButton::clicked, this, &TDownLoadDlg::done);

    // The folder across the top, the symbol and the date below it, then the list on the left
    // and the service, the mode and the buttons on the right.
    auto* top = new QGridLayout;
    top->addWidget(lblAction_, 0, 0, 1, 2);
    top->addWidget(lblSaveToDir_, 1, 0);
    top->addWidget(btnSaveTo_, 1, 1);
    top->addWidget(symbolLabel, 2, 0);
    top->addWidget(dateLabel, 2, 1);
    top->addWidget(edSymbol_, 3, 0);
    top->addWidget(datePicker_, 3, 1);
    top->setColumnStretch(0, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(sourceLabel);
    right->addWidget(cbSource_);
    right->addWidget(lblThrdsRunning_);
    right->addSpacing(6);
    right->addWidget(ckAddName_);
    right->addWidget(ckAddSymbols_);
    right->addWidget(ckDoUpdate_);
    right->addStretch(1);
    right->addWidget(btnGetData_);
    right->addWidget(btnDone_);

    auto* left = new QVBoxLayout;
    left->addWidget(lblSymList_);
    left->addWidget(listStack_, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(left, 1);
    bottom->addLayout(right);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(bottom, 1);
    listStack_->setMinimumSize(130, 240);
}

QListWidget* TDownLoadDlg::makeList(int service) {
    auto* list = new QListWidget(this);
    list->setToolTip(qtext(dl::kHintList));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setUniformItemSizes(true);
    // The marks of neighbouring lines would touch without a little air between the lines.
    list->setSpacing(1);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->installEventFilter(this);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        pasteItem_->setEnabled(clipboard && !clipboard->text().isEmpty());
        popupMenu_->popup(list->viewport()->mapToGlobal(at));
    });
    connect(list, &QListWidget::itemChanged, this,
            [this, service](QListWidgetItem* item) { userChangedMark(service, item); });
    return list;
}

void TDownLoadDlg::bindList(int service) {
    model_.service(service).list->onChange = [this, service](int line) {
        showList(service, line);
        if (line == dl::ServiceList::kWholeList && service == model_.shownService()) showCount();
    };
}

QListWidget* TDownLoadDlg::shownList() const {
    return list(model_.shownService());
}

void TDownLoadDlg::showList(int service, int line) {
    const Syncing syncing(syncing_);
    QListWidget* view = list(service);
    const dl::ServiceList& lines = *model_.service(service).list;
    if (line != dl::ServiceList::kWholeList) {
        // A worker's mark: the line being worked on stays in view.
        if (QListWidgetItem* item = view->item(line)) {
            item->setCheckState(checkStateOf(lines.mark(line)));
            view->scrollToItem(item);
        }
        return;
    }
    const int count = static_cast<int>(lines.size());
    bool sameLines = view->count() == count;
    for (int i = 0; sameLines && i < count; ++i)
        sameLines =
            view->item(i)->text().toStdString() == lines.lines()[static_cast<std::size_t>(i)];
    if (!sameLines) {
        view->clear();
        for (const std::string& symbol : lines.lines()) {
            auto* item = new QListWidgetItem(QString::fromStdString(symbol));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                           Qt::ItemIsUserTristate);
            view->addItem(item);
        }
    }
    for (int i = 0; i < count; ++i) view->item(i)->setCheckState(checkStateOf(lines.mark(i)));
}

void TDownLoadDlg::userChangedMark(int service, QListWidgetItem* item) {
    if (syncing_) return;
    QListWidget* view = list(service);
    model_.service(service).list->setMark(view->row(item), markOf(item->checkState()));
}

void TDownLoadDlg::showService(int index) {
    model_.show(index);
    listStack_->setCurrentIndex(index);
    showFolder();
    showCount();
}

void TDownLoadDlg::modeBoxClicked(dl::Mode wanted) {
    model_.setMode(wanted);
    showMode();
    showCount();
}

void TDownLoadDlg::showMode() {
    const Syncing syncing(syncing_);
    const bool update = model_.mode() == dl::Mode::Update;
    ckAddSymbols_->setChecked(!update);
    ckDoUpdate_->setChecked(update);
    ckAddName_->setChecked(model_.addName());
    lblAction_->setText(qtext(update ? dl::kUpdatingIn : dl::kSavingTo));
    btnSaveTo_->setText(qtext(update ? dl::kUpdateIn : dl::kSaveTo));
    edSymbol_->setEnabled(!update);
}

void TDownLoadDlg::showCount() {
    lblSymList_->setText(qtext(dl::kDownloadListCount) +
                         QString::number(model_.current().list->size()));
}

void TDownLoadDlg::showFolder() {
    const QString folder = qpath(model_.current().folder);
    // The path is shortened to what fits inside the frame, with as much room on the right as
    // the indent leaves on the left.
    const int room = lblSaveToDir_->contentsRect().width() - 2 * kFolderIndent;
    lblSaveToDir_->setText(lblSaveToDir_->fontMetrics().elidedText(folder, Qt::ElideMiddle, room));
    lblSaveToDir_->setStatusTip(folder);
}

void TDownLoadDlg::addSymbol() {
    const dl::AddOutcome outcome = model_.addSymbol(edSymbol_->text().toStdString());
    if (outcome == dl::AddOutcome::Refused) return;
    edSymbol_->clear();
    showCount();
}

void TDownLoadDlg::deleteSelected() {
    std::vector<int> rows;
    for (const QModelIndex& index : shownList()->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (model_.deleteLines(rows)) showCount();
}

void TDownLoadDlg::copyAll() {
    const auto text = model_.copyAll();
    if (!text) return;
    shownList()->selectAll();
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(QString::fromStdString(*text));
}

void TDownLoadDlg::paste() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) return;
    if (!model_.paste(clipboard->text().toStdString())) return;
    clipboard->clear();
    showCount();
}

void TDownLoadDlg::chooseFolder() {
    if (!model_.canChooseFolder()) return;
    const auto chosen =
        platform::prompts().folder(this, qtext(dl::kFolderTitle), qpath(model_.current().folder));
    // The question may have taken long enough for a transfer of this service to start.
    if (!chosen || !model_.canChooseFolder()) return;
    model_.folderChosen(fs::path(chosen->toStdString()));
    showFolder();
    showCount();
}

void TDownLoadDlg::startDateChanged() {
    model_.startDateChanged();
}

void TDownLoadDlg::getData() {
    const dl::DownloaderModel::GetDataOutcome outcome = model_.getData();
    if (outcome.refused) return;
    btnDone_->setText(qtext(dl::kWait));
    setToolTip(qtext(dl::kHintRunning));
    btnDone_->setFocus();
    if (!outcome.failure.empty())
        platform::prompts().message(this, platform::BoxIcon::Warning, qtext(outcome.failure),
                                    platform::BoxButtons::Ok);
    if (outcome.order) startTransfer(*outcome.order);
    lblThrdsRunning_->setText(qtext(dl::kActiveAtStart) + QString::number(model_.activeCount()));
    if (model_.activeCount() == 0) showIdle();
}

void TDownLoadDlg::startTransfer(const dl::TransferOrder& order) {
    list(order.service)->setCursor(Qt::WaitCursor);
    const QDate start = datePicker_->date();
    const double startDay = encodeDate(start.year(), start.month(), start.day()).value_or(0);
    auto worker = makeTransfer(quoteServices()[static_cast<std::size_t>(order.service)],
                               order.listFile.string(), order.folder, startDay, order.addName,
                               order.update, order.list.get(), nullptr, setup_.locale, context_);
    // The completion may come after this window has gone: it takes what it needs along.
    QPointer<TDownLoadDlg> self(this);
    auto onSaved = setup_.onFilesSaved;
    setup_.transfers->start(
        std::move(worker),
        [self, order, onSaved](TXFerThread& done) {
            if (onSaved && !done.SavedFiles().empty())
                onSaved({done.SavedFiles().begin(), done.SavedFiles().end()});
            if (self) self->transferEnded(order.service);
        },
        order.list);
}

void TDownLoadDlg::transferEnded(int service) {
    model_.transferEnded(service);
    lblThrdsRunning_->setText(qtext(dl::kActiveAtEnd) + QString::number(model_.activeCount()));
    list(service)->unsetCursor();
    if (model_.activeCount() == 0) showIdle();
}

void TDownLoadDlg::showIdle() {
    setToolTip(qtext(dl::kHintIdle));
    btnDone_->setText(qtext(dl::kDoneAgain));
    btnDone_->setFocus();
}

void TDownLoadDlg::done() {
    if (model_.canClose()) {
        close();
        return;
    }
    platform::prompts().message(this, platform::BoxIcon::Information, qtext(dl::kPressEscape),
                                platform::BoxButtons::Ok);
    btnDone_->setText(qtext(dl::kDoneAgain));
    btnDone_->setFocus();
}

void TDownLoadDlg::reject() {
    if (model_.canClose()) close();
}

void TDownLoadDlg::closeEvent(QCloseEvent* event) {
    if (!model_.canClose()) {
        platform::prompts().message(this, platform::BoxIcon::Warning, qtext(dl::kStillWorking),
                                    platform::BoxButtons::Ok);
        event->ignore();
        return;
    }
    saveSettings();
    event->accept();
}

void TDownLoadDlg::saveSettings() {
    settingsSaved_ = true;
    dl::writeDownloaderSettings(*config_, model_.settings());
    config_->save(); // settings that cannot be written are given up quietly
}

void TDownLoadDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        help::showHelp(this, help::kDownloads);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TDownLoadDlg::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TDownLoadDlg::dropEvent(QDropEvent* event) {
    std::vector<fs::path> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) return;
        files.emplace_back(url.toLocalFile().toStdString());
    }
    event->acceptProposedAction();
    if (model_.dropFiles(files)) showCount();
}

bool TDownLoadDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edSymbol_ && event->type() == QEvent::MouseButtonDblClick) {
        addSymbol();
        return true;
    }
    if (auto* view = qobject_cast<QListWidget*>(watched)) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && view == shownList()) {
            deleteSelected();
            return true;
        }
        // Leaving the list deselects its lines; its own context menu does not count.
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            view->clearSelection();
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qm

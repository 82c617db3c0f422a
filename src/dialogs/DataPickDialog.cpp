#include "DataPickDialog.h"

#include "PickMessages.h"
#include "platform/CursorTable.h"
#include "platform/QtText.h"
#include "platform/widgets/BusyCursor.h"
#include "platform/widgets/Prompts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qm {

namespace pm = pick_messages;
using platform::cursorFor;
using platform::CursorSlot;

namespace {

// A file dragged within the dialog, as its full path.
constexpr char kPickedFileMimeType[] = "application/x-quillmar-picked-file";

using platform::qpath;
using platform::qtext;

QLabel* label(std::string_view text, QWidget* parent) {
    return new QLabel(qtext(text), parent);
}

QPushButton* button(std::string_view text, std::string_view hint, QWidget* parent) {
    auto* b = new QPushButton(qtext(text), parent);
    b->setToolTip(qtext(hint));
    b->setAutoDefault(false);
    return b;
}

} // namespace

TDlgData::TDlgData(QWidget* parent, const std::filesystem::path& folder, int interval,
                   ChartOption option, TParamRecList& favourites, TSignalRecList& signals,
                   const std::filesystem::path& settingsFolder, MessageSink& sink)
    : QDialog(parent), model_(favourites, signals, settingsFolder, sink) {
    setObjectName(QStringLiteral("DlgData"));
    setWindowTitle(qtext(pm::kDataCaption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    build();
    {
        const platform::BusyCursor busy;
        model_.start(folder, interval, option);
    }
    rgPeriod_->button(std::clamp(interval, 0, 2))->setChecked(true);
    rgChartOpt_->button(static_cast<int>(option))->setChecked(true);
    showFolder();
    showList();
    showTicks();
    showOption();
    setFixedSize(sizeHint());
}

void TDlgData::build() {
    // The folder's files, the picked name and the folder button on the left.
    auto* left = new QVBoxLayout;
    left->addWidget(label(pm::kFileListLabel, this));
    FileListBox1_ = new QListWidget(this);
    FileListBox1_->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1_->setToolTip(qtext(pm::kFileListHint));
    FileListBox1_->setSelectionMode(QAbstractItemView::SingleSelection);
    FileListBox1_->setUniformItemSizes(true);
    FileListBox1_->setMinimumSize(250, 260);
    FileListBox1_->viewport()->installEventFilter(this);
    left->addWidget(FileListBox1_, 1);
    lblDir_ = new QLabel(this);
    lblDir_->setObjectName(QStringLiteral("lblDir"));
    lblDir_->setFixedWidth(250);
    left->addWidget(lblDir_);
    left->addWidget(label(pm::kEditLabel, this));
    Edit1_ = new QLineEdit(this);
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->setReadOnly(true);
    Edit1_->setMaxLength(48);
    Edit1_->setToolTip(qtext(pm::kEditHint));
    Edit1_->setCursor(cursorFor(CursorSlot::Finger));
    Edit1_->installEventFilter(this);
    left->addWidget(Edit1_);
    btnBrowseFolder_ = button(pm::kDataFolderButton, pm::kDataFolderHint, this);
    btnBrowseFolder_->setObjectName(QStringLiteral("btnBrowseFolder"));
    left->addWidget(btnBrowseFolder_, 0, Qt::AlignLeft);

    // Interval, chart option and the list (or the pair) on the right.
    auto* right = new QVBoxLayout;
    auto* period = new QGroupBox(qtext(pm::kIntervalGroup), this);
    period->setObjectName(QStringLiteral("rgPeriod"));
    auto* periodRow = new QHBoxLayout(period);
    rgPeriod_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(qtext(pm::kIntervals[i]), period);
        rgPeriod_->addButton(r, i);
        periodRow->addWidget(r);
    }
    right->addWidget(period);

    auto* options = new QGroupBox(qtext(pm::kChartOptionGroup), this);
    options->setObjectName(QStringLiteral("rgChartOpt"));
    options->setToolTip(qtext(pm::kChartOptionHint));
    auto* optionColumn = new QVBoxLayout(options);
    rgChartOpt_ = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(qtext(pm::kChartOptions[i]), options);
        rgChartOpt_->addButton(r, i);
        optionColumn->addWidget(r);
    }
    right->addWidget(options);

    gbFavFiles_ = new QGroupBox(qtext(pm::kFavouritesGroup), this);
    gbFavFiles_->setObjectName(QStringLiteral("gbFavFiles"));
    gbFavFiles_->setToolTip(qtext(pm::kFavouritesHint));
    auto* favColumn = new QVBoxLayout(gbFavFiles_);
    lbFavorites_ = new QListWidget(gbFavFiles_);
    lbFavorites_->setObjectName(QStringLiteral("lbFavorites"));
    lbFavorites_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbFavorites_->setAcceptDrops(true);
    lbFavorites_->setDragDropMode(QAbstractItemView::DropOnly);
    lbFavorites_->installEventFilter(this);
    lbFavorites_->viewport()->installEventFilter(this);
    favColumn->addWidget(lbFavorites_, 1);
    ckUseFavList_ = new QCheckBox(qtext(pm::kUseFavourites), gbFavFiles_);
    ckUseFavList_->setObjectName(QStringLiteral("ckUseFavList"));
    ckUseFavList_->setToolTip(qtext(pm::kUseFavouritesHint));
    favColumn->addWidget(ckUseFavList_);
    ckUseSignalList_ = new QCheckBox(qtext(pm::kUseSignals), gbFavFiles_);
    ckUseSignalList_->setObjectName(QStringLiteral("ckUseSignalList"));
    ckUseSignalList_->setToolTip(qtext(pm::kUseSignalsHint));
    favColumn->addWidget(ckUseSignalList_);
    right->addWidget(gbFavFiles_, 1);

    gbSpread_ = new QGroupBox(qtext(pm::kRatioGroup), this);
    gbSpread_->setObjectName(QStringLiteral("gbSpread"));
    gbSpread_->setToolTip(qtext(pm::kRatioHint));
    auto* spread = new QGridLayout(gbSpread_);
    lblFile1_ = label(pm::kRatioFirstLabel, gbSpread_);
    lblFile1_->setObjectName(QStringLiteral("lblFile1"));
    lblFile2_ = label(pm::kRatioSecondLabel, gbSpread_);
    lblFile2_->setObjectName(QStringLiteral("lblFile2"));
    cmdF1_ = button(pm::kRatioFirstButton, pm::kRatioFirstHint, gbSpread_);
    cmdF1_->setObjectName(QStringLiteral("cmdF1"));
    cmdF2_ = button(pm::kRatioSecondButton, pm::kRatioSecondHint, gbSpread_);
    cmdF2_->setObjectName(QStringLiteral("cmdF2"));
    auto* dividedBy = label(pm::kRatioDividedBy, gbSpread_);
    dividedBy->setObjectName(QStringLiteral("Label4"));
    spread->addWidget(lblFile1_, 0, 0);
    spread->addWidget(cmdF1_, 0, 1);
    spread->addWidget(dividedBy, 1, 0);
    spread->addWidget(lblFile2_, 2, 0);
    spread->addWidget(cmdF2_, 2, 1);
    spread->setRowStretch(3, 1);
    right->addWidget(gbSpread_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOk_ = button(pm::kDrawChart, pm::kDrawChartHint, this);
    cmdOk_->setObjectName(QStringLiteral("cmdOk"));
    cmdOk_->setDefault(true);
    auto* cmdCancel = button(pm::kCancel, pm::kCancelHint, this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(cmdOk_);
    buttons->addWidget(cmdCancel);
    right->addLayout(buttons);

    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left, 1);
    whole->addLayout(right, 1);

    // The picked name follows the selection; the list's focus alone picks nothing.
    connect(FileListBox1_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = FileListBox1_->selectedItems();
        if (selected.isEmpty()) return;
        model_.pick(selected.front()->text().toStdString());
        Edit1_->setText(selected.front()->text());
    });
    // A double click on a file draws it, as a double click opens a file in any file list.
    connect(FileListBox1_, &QListWidget::itemDoubleClicked, this, [this] { cmdOkClick(); });
    connect(btnBrowseFolder_, &QPushButton::clicked, this, &TDlgData::btnBrowseFolderClick);
    connect(rgPeriod_, &QButtonGroup::idClicked, this, [this](int id) { model_.setInterval(id); });
    connect(rgChartOpt_, &QButtonGroup::idClicked, this, [this](int id) {
        model_.setOption(static_cast<ChartOption>(id));
        showOption();
        showTicks();
    });
    connect(ckUseFavList_, &QCheckBox::clicked, this, [this](bool on) {
        const bool switching = model_.shownList() != DataPickModel::ListKind::Favourites;
        model_.tickFavourites(on);
        if (switching && on) showList();
        showTicks();
    });
    connect(ckUseSignalList_, &QCheckBox::clicked, this, [this](bool on) {
        model_.tickSignals(on);
        if (on) showList();
        showTicks();
    });
    connect(cmdF1_, &QPushButton::clicked, this, [this] { cmdFClick(0); });
    connect(cmdF2_, &QPushButton::clicked, this, [this] { cmdFClick(1); });
    connect(cmdOk_, &QPushButton::clicked, this, &TDlgData::cmdOkClick);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TDlgData::showFolder() {
    FileListBox1_->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
    for (const std::string& name : model_.folderFiles())
        new QListWidgetItem(icon, QString::fromStdString(name), FileListBox1_);
    Edit1_->setText(QString::fromStdString(model_.picked()));
    const QString folder = qpath(model_.folder());
    lblDir_->setText(lblDir_->fontMetrics().elidedText(folder, Qt::ElideMiddle, lblDir_->width()));
    lblDir_->setToolTip(folder);
}

void TDlgData::showList(std::optional<std::size_t> select) {
    lbFavorites_->clear();
    for (const std::string& symbol : model_.shown())
        lbFavorites_->addItem(QString::fromStdString(symbol));
    if (select && *select < model_.shown().size()) {
        lbFavorites_->setCurrentRow(static_cast<int>(*select));
    }
}

void TDlgData::showTicks() {
    const QSignalBlocker a(ckUseFavList_);
    const QSignalBlocker b(ckUseSignalList_);
    ckUseFavList_->setChecked(model_.favouritesTicked());
    ckUseSignalList_->setChecked(model_.signalsTicked());
}

void TDlgData::showOption() {
    const bool ratio = model_.option() == ChartOption::RelativeStrength;
    lblFile1_->setText(qtext(pm::kRatioFirstLabel));
    lblFile2_->setText(qtext(pm::kRatioSecondLabel));
    gbFavFiles_->setVisible(!ratio);
    gbFavFiles_->setEnabled(!ratio);
    gbSpread_->setVisible(ratio);
}

// An invalid choice: a beep, and the picked name takes the focus.
void TDlgData::refuse() {
    QApplication::beep();
    Edit1_->setFocus(Qt::OtherFocusReason);
}

void TDlgData::btnBrowseFolderClick() {
    const auto chosen =
        platform::prompts().folder(this, qtext(pm::kDataFolderTitle), qpath(model_.folder()));
    if (!chosen || chosen->isEmpty()) return;
    model_.setFolder(chosen->toStdString());
    showFolder();
}

void TDlgData::cmdFClick(int which) {
    if (!model_.setRatioFile(which)) {
        refuse();
        return;
    }
    (which == 0 ? lblFile1_ : lblFile2_)
        ->setText(QString::fromStdString(model_.ratioSymbol(which)));
}

void TDlgData::cmdOkClick() {
    auto drawn = model_.draw();
    showTicks();
    if (!drawn) {
        refuse();
        return;
    }
    choice_ = std::move(*drawn);
    accept();
}

void TDlgData::dropFile(const std::filesystem::path& file) {
    if (const auto line = model_.dropFile(file)) showList(line);
}

void TDlgData::startDrag(QWidget* source) {
    std::filesystem::path file;
    if (source == FileListBox1_->viewport()) {
        const QListWidgetItem* item = FileListBox1_->itemAt(pressedAt_);
        if (!item) return;
        file = model_.folder() / item->text().toStdString();
    } else {
        if (!model_.pickedIsFile()) return;
        file = model_.folder() / model_.picked();
    }
    auto* data = new QMimeData;
    data->setData(QLatin1String(kPickedFileMimeType), QByteArray::fromStdString(file.string()));
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    const QCursor carrying = cursorFor(CursorSlot::DragFile);
    drag->setDragCursor(carrying.pixmap(), Qt::CopyAction);
    drag->setDragCursor(carrying.pixmap(), Qt::MoveAction);
    drag->exec(Qt::CopyAction);
}

// Drags onto the favourites: only a file of this dialog, and only while they are shown.
bool TDlgData::dragEvent(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    QObject* from = drop->source();
    const bool ours = (from == FileListBox1_->viewport() || from == Edit1_) &&
                      drop->mimeData()->hasFormat(QLatin1String(kPickedFileMimeType));
    if (!ours || !model_.acceptsDrops()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        dropFile(drop->mimeData()->data(QLatin1String(kPickedFileMimeType)).toStdString());
    return true;
}

bool TDlgData::eventFilter(QObject* watched, QEvent* event) {
    const bool dragSource = watched == FileListBox1_->viewport() || watched == Edit1_;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (dragSource && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            pressedIn_ = static_cast<QWidget*>(watched);
            pressedAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
        }
        break;
    case QEvent::MouseMove:
        if (dragSource && watched == pressedIn_ &&
            (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton) &&
            (static_cast<QMouseEvent*>(event)->position().toPoint() - pressedAt_)
                    .manhattanLength() >= QApplication::startDragDistance()) {
            pressedIn_ = nullptr;
            startDrag(static_cast<QWidget*>(watched));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        pressedIn_ = nullptr;
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (watched == lbFavorites_->viewport()) return dragEvent(event);
        break;
    case QEvent::KeyPress:
        if (watched == lbFavorites_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            std::vector<std::size_t> lines;
            for (const QModelIndex& i : lbFavorites_->selectionModel()->selectedRows())
                lines.push_back(static_cast<std::size_t>(i.row()));
            model_.removeLines(std::move(lines));
            showList();
            return true;
        }
        break;
    case QEvent::FocusOut:
        if (watched == lbFavorites_) {
            lbFavorites_->clearSelection();
            model_.leaveList();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qm

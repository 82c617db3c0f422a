#include "SymbolListDialog.h"

#include "PickMessages.h"
#include "platform/QtText.h"
#include "platform/widgets/BusyCursor.h"
#include "platform/widgets/Prompts.h"

#include <QAbstractListModel>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

namespace pm = pick_messages;

namespace {

using platform::qtext;

} // namespace

// The lines of the list as Qt's views see them: the file's name with a tick box.
class SymbolListItems final : public QAbstractListModel {
public:
    explicit SymbolListItems(SymbolPickModel& model, QObject* parent)
        : QAbstractListModel(parent), model_(model) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(model_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const auto line = static_cast<std::size_t>(index.row());
        if (!index.isValid() || line >= model_.size()) return {};
        if (role == Qt::DisplayRole) return QString::fromStdString(model_.name(line));
        if (role == Qt::CheckStateRole) return model_.ticked(line) ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::CheckStateRole || !index.isValid()) return false;
        model_.setTicked(static_cast<std::size_t>(index.row()),
                         value.toInt() == static_cast<int>(Qt::Checked));
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return QAbstractListModel::flags(index) | Qt::ItemIsUserCheckable;
    }

    // The whole list anew, after it was built again.
    void reset() {
        beginResetModel();
        endResetModel();
    }
    // Deletes a line's file and, once it is gone, the line.
    void deleteLine(std::size_t line, MessageSink& sink) {
        if (!model_.deleteFile(line, sink)) return;
        const int row = static_cast<int>(line);
        beginRemoveRows({}, row, row);
        model_.removeLine(line);
        endRemoveRows();
    }

private:
    SymbolPickModel& model_;
};

TDlgPikSymbols::TDlgPikSymbols(QWidget* parent, std::filesystem::path& dataFolder,
                               MessageSink& sink)
    : QDialog(parent), dataFolder_(dataFolder), sink_(sink) {
    setObjectName(QStringLiteral("DlgPikSymbols"));
    setWindowTitle(qtext(pm::kSymbolsCaption));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* column = new QVBoxLayout(this);
    auto* lblParDir1 = new QLabel(qtext(pm::kSymbolsFolderLabel), this);
    lblParDir1->setObjectName(QStringLiteral("lblParDir1"));
    column->addWidget(lblParDir1);
    lblParDir2_ = new QLabel(this);
    lblParDir2_->setObjectName(QStringLiteral("lblParDir2"));
    lblParDir2_->setFixedWidth(300);
    column->addWidget(lblParDir2_);

    items_ = new SymbolListItems(model_, this);
    cklbSymbols_ = new QListView(this);
    cklbSymbols_->setObjectName(QStringLiteral("cklbSymbols"));
    cklbSymbols_->setToolTip(
        qtext(pm::kSymbolsHint).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    cklbSymbols_->setUniformItemSizes(true);
    cklbSymbols_->setSelectionMode(QAbstractItemView::SingleSelection);
    cklbSymbols_->setModel(items_);
    cklbSymbols_->setMinimumSize(300, 380);
    cklbSymbols_->viewport()->installEventFilter(this);
    column->addWidget(cklbSymbols_, 1);

    auto* buttons = new QHBoxLayout;
    btnPlotEm_ = new QPushButton(qtext(pm::kDrawChart), this);
    btnPlotEm_->setObjectName(QStringLiteral("btnPlotEm"));
    btnPlotEm_->setToolTip(qtext(pm::kSymbolsDrawHint));
    btnPlotEm_->setDefault(true);
    auto* btnCancel = new QPushButton(qtext(pm::kCancel), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setToolTip(qtext(pm::kCancelHint));
    btnCancel->setAutoDefault(false);
    btnChangeDir_ = new QPushButton(qtext(pm::kDataFolderButton), this);
    btnChangeDir_->setObjectName(QStringLiteral("btnChangeDir"));
    btnChangeDir_->setToolTip(qtext(pm::kSymbolsFolderHint));
    btnChangeDir_->setAutoDefault(false);
    buttons->addWidget(btnPlotEm_);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnChangeDir_);
    column->addLayout(buttons);

    connect(btnPlotEm_, &QPushButton::clicked, this, &TDlgPikSymbols::btnPlotEmClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnChangeDir_, &QPushButton::clicked, this, &TDlgPikSymbols::btnChangeDirClick);
    rebuild();
}

TDlgPikSymbols::~TDlgPikSymbols() = default;

void TDlgPikSymbols::rebuild() {
    {
        const platform::BusyCursor busy;
        model_.build(dataFolder_);
        items_->reset();
    }
    const QString root = QString::fromStdString(model_.root().string()) + QLatin1Char('/');
    lblParDir2_->setText(
        lblParDir2_->fontMetrics().elidedText(root, Qt::ElideMiddle, lblParDir2_->width()));
    lblParDir2_->setToolTip(root);
}

void TDlgPikSymbols::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    cklbSymbols_->setFocus(Qt::OtherFocusReason);
}

void TDlgPikSymbols::setTicked(std::size_t line, bool on) {
    items_->setData(items_->index(static_cast<int>(line)), on ? Qt::Checked : Qt::Unchecked,
                    Qt::CheckStateRole);
}

void TDlgPikSymbols::deleteSelected() {
    const QModelIndex current = cklbSymbols_->currentIndex();
    if (!current.isValid() || !cklbSymbols_->selectionModel()->isSelected(current)) return;
    const auto line = static_cast<std::size_t>(current.row());
    const QString question =
        qtext(pm::kDeleteSymbolFile) + QString::fromStdString(model_.path(line).string());
    if (platform::prompts().message(this, platform::BoxIcon::Question, question,
                                    platform::BoxButtons::YesNo) == platform::BoxAnswer::Yes)
        items_->deleteLine(line, sink_);
}

bool TDlgPikSymbols::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cklbSymbols_->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        deleteSelected();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TDlgPikSymbols::btnPlotEmClick() {
    // Every ticked line counts, whichever line is selected.
    result_ = model_.tickedPaths();
    if (result_.empty())
        platform::prompts().message(this, platform::BoxIcon::Information, qtext(pm::kNothingTicked),
                                    platform::BoxButtons::Ok);
    accept();
}

void TDlgPikSymbols::btnChangeDirClick() {
    const auto chosen = platform::prompts().folder(this, qtext(pm::kSymbolsFolderTitle),
                                                   QString::fromStdString(dataFolder_.string()));
    if (!chosen || chosen->isEmpty()) return;
    dataFolder_ = chosen->toStdString();
    rebuild();
}

} // namespace qm

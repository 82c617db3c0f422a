#include "ChartWindow.h"

#include "ChartHost.h"
#include "ChartNavigation.h"
#include "ChartWinMessages.h"
#include "ToolPainting.h"
#include "platform/CursorTable.h"
#include "platform/QtText.h"

#include <QActionGroup>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

namespace qm {

namespace cm = chartwin_messages;

namespace {

using platform::qtext;

QToolButton* makeNavigationButton(QWidget* parent, Qt::ArrowType arrow, std::string_view hint) {
    auto* b = new QToolButton(parent);
    b->setArrowType(arrow);
    b->setFixedSize(16, 16);
    b->setAutoRaise(false);
    b->setAutoFillBackground(true);
    b->setToolTip(qtext(hint));
    b->setCursor(platform::cursorFor(platform::CursorSlot::Finger));
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(500);
    b->setAutoRepeatInterval(100);
    b->setFocusPolicy(Qt::NoFocus);
    b->setContextMenuPolicy(Qt::CustomContextMenu);
    return b;
}

// The kind an indicator drag carries, or 0 when it carries none.
int draggedKind(const QMimeData* data) {
    if (!data || !data->hasFormat(QLatin1String(cm::kIndicatorMimeType))) return 0;
    return data->data(QLatin1String(cm::kIndicatorMimeType)).toInt();
}

} // namespace

TAChart::TAChart(ChartHost& host, std::unique_ptr<LoadedChart> chart)
    : QWidget(nullptr), host_(host), model_(std::move(chart)) {
    setObjectName(QStringLiteral("AChart"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Only the drawing fills the window: nothing is erased before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAcceptDrops(true);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true); // the tool cursors follow the tool buttons
    setToolTip(qtext(cm::kWindowHint));
    setMinimumSize(150, 100);
    resize(642, 333);
    setWindowTitle(qtext(model_.chart().description));
    step_ = host_.navigationStep();

    btnGoBack_ = makeNavigationButton(this, Qt::LeftArrow, cm::kBackHint);
    btnGoFwd_ = makeNavigationButton(this, Qt::RightArrow, cm::kForwardHint);
    connect(btnGoBack_, &QToolButton::clicked, this, [this] { buttonClicked(true); });
    connect(btnGoFwd_, &QToolButton::clicked, this, [this] { buttonClicked(false); });
    connect(btnGoBack_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showStepMenu(btnGoBack_, at); });
    connect(btnGoFwd_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showStepMenu(btnGoFwd_, at); });
    placeButtons();
}

TAChart::~TAChart() = default;

ScreenFacts TAChart::screenFacts() const {
    ScreenFacts screen;
    if (const QScreen* s = this->screen()) {
        screen.width = s->geometry().width();
        screen.height = s->geometry().height();
        screen.pixelsPerInch = qRound(s->logicalDotsPerInch());
    }
    return screen;
}

void TAChart::render() {
    const ScreenFacts screen = screenFacts();
    ++renderCount_;
    // The caption comes back whatever happens while drawing; a failure goes on to the general
    // error box.
    struct CaptionBack {
        TAChart* w;
        ~CaptionBack() { w->setWindowTitle(qtext(w->description())); }
    } captionBack{this};
    // Lines drawn with the tools go with the old picture; a tool half-way starts afresh.
    tools_.reset();
    shownOverlay_.reset();
    model_.render(size(), devicePixelRatioF(), screen, host_.chartOptions(), host_.formatSettings(),
                  host_.sink());
    update();
    Q_EMIT rendered();
}

void TAChart::paintEvent(QPaintEvent*) {
    const QImage& bitmap = model_.bitmap();
    if (bitmap.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, bitmap);
    if (const auto& overlay = tools_.overlay()) tools::paintOverlay(painter, *overlay);
}

void TAChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeButtons();
    render();
}

void TAChart::placeButtons() {
    const int w = btnGoFwd_->width();
    btnGoFwd_->move(width() - w, height() - btnGoFwd_->height());
    btnGoBack_->move(btnGoFwd_->x() - 4 - w, btnGoFwd_->y());
    btnGoFwd_->raise();
    btnGoBack_->raise();
}

void TAChart::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        host_.chartActivated(*this);
        step_ = host_.navigationStep();
        apply(tools_.activated(host_.toolDown()));
    }
    QWidget::changeEvent(event);
}

void TAChart::moveTo(int offset) {
    if (model_.moveTo(offset, host_.sink())) render();
}

void TAChart::goBack() {
    moveTo(navigation::back(model_.offset(), model_.recordCount(), step_));
}

void TAChart::goForward() {
    moveTo(navigation::forward(model_.offset(), step_));
}

void TAChart::goToStart() {
    moveTo(navigation::toStart(model_.offset(), model_.recordCount()));
}

void TAChart::goToEnd() {
    moveTo(navigation::toEnd());
}

void TAChart::buttonClicked(bool back) {
    const bool toEnds = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
    if (back) {
        toEnds ? goToStart() : goBack();
    } else {
        toEnds ? goToEnd() : goForward();
    }
}

void TAChart::showStepMenu(QWidget* button, const QPoint& at) {
    QMenu menu(this);
    auto* group = new QActionGroup(&menu);
    const int current = navigation::itemOfStep(step_);
    for (int item = 1; item <= static_cast<int>(cm::kStepItems.size()); ++item) {
        QAction* a = menu.addAction(qtext(cm::kStepItems[static_cast<std::size_t>(item - 1)]));
        a->setCheckable(true);
        a->setChecked(item == current);
        a->setData(item);
        group->addAction(a);
    }
    if (const QAction* chosen = menu.exec(button->mapToGlobal(at))) {
        step_ = navigation::stepOfItem(chosen->data().toInt());
        host_.setNavigationStep(step_);
    }
}

void TAChart::wheelEvent(QWheelEvent* event) {
    // A notch is 120; finer wheels and touch pads add up to whole notches.
    wheelRest_ += event->angleDelta().y();
    while (wheelRest_ <= -120) {
        wheelRest_ += 120;
        goBack();
    }
    while (wheelRest_ >= 120) {
        wheelRest_ -= 120;
        goForward();
    }
    event->accept();
}

void TAChart::keyPressEvent(QKeyEvent* event) {
    // Exactly Ctrl held (or Ctrl itself): the main window's shortcuts act for this chart.
    if (event->key() == Qt::Key_Control || event->modifiers() == Qt::ControlModifier) {
        host_.chartActivated(*this);
        host_.focusMainWindow();
        event->accept();
        return;
    }
    if (toolKey(*event)) return;
    QWidget::keyPressEvent(event);
}

void TAChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        host_.addToFavourites(title(), model_.chart().sourceFile);
        event->accept();
        return;
    }
    if (toolPress(*event)) return;
    QWidget::mousePressEvent(event);
}

void TAChart::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedKind(event->mimeData()) != 0) event->acceptProposedAction();
}

void TAChart::dragMoveEvent(QDragMoveEvent* event) {
    if (draggedKind(event->mimeData()) != 0) event->acceptProposedAction();
}

void TAChart::dropEvent(QDropEvent* event) {
    const int kind = draggedKind(event->mimeData());
    if (kind == 0) return;
    event->acceptProposedAction();
    dropIndicator(kind, qRound(event->position().y()));
}

void TAChart::dropIndicator(int kind, int y) {
    if (model_.drop(kind, y, height(), host_.sink()).added) render();
}

} // namespace qm

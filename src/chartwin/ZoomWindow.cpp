#include "ZoomWindow.h"

#include "ChartWinMessages.h"
#include "platform/QtText.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

namespace qm {

namespace cm = chartwin_messages;

namespace {

using platform::qtext;

bool isZoomKey(int key) {
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

} // namespace

ChartViewer::ChartViewer(QImage picture, QWidget* parent)
    : QAbstractScrollArea(parent), picture_(std::move(picture)) {
    setObjectName(QStringLiteral("ChartViewer"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // The picture and the window colour around it fill the view: nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(zoom::kScrollStep);
    verticalScrollBar()->setSingleStep(zoom::kScrollStep);
    updateScrollBars();
}

QSize ChartViewer::pictureSize() const {
    return picture_.deviceIndependentSize().toSize();
}

QPoint ChartViewer::scrollOffset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void ChartViewer::setScale(double scale) {
    scale = std::clamp(scale, zoom::kMinScale, zoom::kMaxScale);
    if (scale == scale_) return;
    // The picture's point at the view's top left stays there.
    const QPoint offset = scrollOffset();
    const double ratio = scale / scale_;
    scale_ = scale;
    updateScrollBars();
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(offset.x() * ratio)));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(offset.y() * ratio)));
    viewport()->update();
}

void ChartViewer::scrollBy(int dx, int dy) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

void ChartViewer::updateScrollBars() {
    const QSize shown(static_cast<int>(std::ceil(pictureSize().width() * scale_)),
                      static_cast<int>(std::ceil(pictureSize().height() * scale_)));
    // A picture that fits the view without scroll bars has none, even while they still show.
    const QSize whole = maximumViewportSize();
    const bool fits = shown.width() <= whole.width() && shown.height() <= whole.height();
    const QSize view = fits ? whole : viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, shown.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, shown.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

void ChartViewer::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPoint offset = scrollOffset();
    const QRect shown(-offset, QSize(static_cast<int>(std::ceil(pictureSize().width() * scale_)),
                                     static_cast<int>(std::ceil(pictureSize().height() * scale_))));
    // The window colour where the picture does not reach.
    const QRegion uncovered = QRegion(viewport()->rect()) - shown;
    for (const QRect& r : uncovered) painter.fillRect(r, palette().window());
    painter.translate(-offset);
    painter.scale(scale_, scale_);
    painter.drawImage(QPointF(0, 0), picture_);
}

void ChartViewer::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ChartViewer::wheelEvent(QWheelEvent* event) {
    // The wheel turned down enlarges; a notch is 120.
    wheelRest_ += event->angleDelta().y();
    while (wheelRest_ <= -120) {
        wheelRest_ += 120;
        setScale(zoom::enlarged(scale_));
    }
    while (wheelRest_ >= 120) {
        wheelRest_ -= 120;
        setScale(zoom::reduced(scale_));
    }
    event->accept();
}

void ChartViewer::keyPressEvent(QKeyEvent* event) {
    // The keys act when they come up; the scroll area's own handling of them stays out.
    if (isZoomKey(event->key())) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ChartViewer::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageUp:
        setScale(zoom::enlarged(scale_));
        break;
    case Qt::Key_PageDown:
        setScale(zoom::reduced(scale_));
        break;
    case Qt::Key_Up:
        scrollBy(0, -zoom::kScrollStep);
        break;
    case Qt::Key_Down:
        scrollBy(0, zoom::kScrollStep);
        break;
    case Qt::Key_Left:
        scrollBy(-zoom::kScrollStep, 0);
        break;
    case Qt::Key_Right:
        scrollBy(zoom::kScrollStep, 0);
        break;
    case Qt::Key_Escape:
        window()->close();
        break;
    default:
        QAbstractScrollArea::keyReleaseEvent(event);
        return;
    }
    event->accept();
}

TfrmChartZoom* TfrmChartZoom::open(QWidget& owner, QImage picture, const QString& caption) {
    auto* zoom = new TfrmChartZoom(owner, std::move(picture), caption);
    zoom->show();
    zoom->raise();
    zoom->activateWindow();
    zoom->viewer_->setFocus(Qt::OtherFocusReason);
    return zoom;
}

TfrmChartZoom::TfrmChartZoom(QWidget& owner, QImage picture, const QString& caption)
    : QWidget(&owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint) {
    setObjectName(QStringLiteral("frmChartZoom"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qtext(cm::kZoomCaptionHead) + caption);
    setToolTip(qtext(cm::kZoomHint).replace(QLatin1String("\r\n"), QLatin1String("\n")));

    viewer_ = new ChartViewer(std::move(picture), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewer_);

    // The window opens at the chart's exact size, in the middle of the screen.
    resize(viewer_->pictureSize());
    if (const QScreen* screen = owner.screen()) {
        QRect place = rect();
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
}

} // namespace qm

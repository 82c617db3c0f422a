// The chart window's side of the drawing tools: it hands each mouse and key event to the tools
// with the tool whose button is down, and carries out what they return.

#include "ChartHost.h"
#include "ChartWindow.h"
#include "ToolPainting.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QtMath>

namespace qm {

namespace {

tools::Point pointOf(QPointF p) {
    return {qFloor(p.x()), qFloor(p.y())};
}

std::optional<tools::ArrowKey> arrowKeyOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return tools::ArrowKey::Left;
    case Qt::Key_Right:
        return tools::ArrowKey::Right;
    case Qt::Key_Up:
        return tools::ArrowKey::Up;
    case Qt::Key_Down:
        return tools::ArrowKey::Down;
    default:
        return std::nullopt;
    }
}

} // namespace

bool TAChart::toolPress(QMouseEvent& event) {
    if (event.button() != Qt::LeftButton && event.button() != Qt::MiddleButton) return false;
    apply(tools_.press(host_.toolDown(), pointOf(event.position()), toolView()));
    event.accept();
    return true;
}

void TAChart::mouseMoveEvent(QMouseEvent* event) {
    showToolCursor();
    if (event->buttons() & Qt::LeftButton)
        apply(tools_.move(host_.toolDown(), pointOf(event->position()), toolView()));
    event->accept();
}

void TAChart::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const tools::Point at = pointOf(event->position());
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    apply(tools_.release(host_.toolDown(), at, shift, toolView()));
    // A release inside the window is a click, which the one-click tools act on.
    if (rect().contains(at.x, at.y)) apply(tools_.click(host_.toolDown(), toolView()));
    event->accept();
}

void TAChart::leaveEvent(QEvent* event) {
    apply(tools_.leave(host_.toolDown(), isActiveWindow()));
    QWidget::leaveEvent(event);
}

bool TAChart::toolKey(QKeyEvent& event) {
    const auto key = arrowKeyOf(event.key());
    if (!key) return false;
    const tools::ToolEffect effect =
        event.type() == QEvent::KeyPress
            ? tools_.arrowDown(host_.toolDown(), *key, pointOf(mapFromGlobal(QCursor::pos())),
                               toolView())
            : tools_.arrowUp(host_.toolDown(), toolView());
    if (!effect.handled) return false;
    apply(effect);
    event.accept();
    return true;
}

void TAChart::keyReleaseEvent(QKeyEvent* event) {
    if (!toolKey(*event)) QWidget::keyReleaseEvent(event);
}

bool TAChart::event(QEvent* event) {
    // The window's hint shows for as long as the tools last asked, and not at all while they
    // have switched hints off.
    if (event->type() == QEvent::ToolTip) {
        if (hintsOn_ && !toolTip().isEmpty())
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTip(), this, {},
                               hintPauseMs_);
        return true;
    }
    return QWidget::event(event);
}

void TAChart::showToolCursor() {
    const ChartTool tool = host_.toolDown();
    if (tool == cursorTool_) return;
    cursorTool_ = tool;
    if (const auto slot = tools::cursorSlotFor(tool))
        setCursor(platform::cursorFor(*slot));
    else
        unsetCursor();
}

tools::ChartView TAChart::toolView() const {
    const ChartDrawingFacts& facts = model_.facts();
    tools::ChartView view;
    view.barPitch = facts.barPitch;
    view.visibleBars = facts.visibleBars;
    view.scaleX = facts.scaleX;
    view.readOutBottom = facts.dateRowY;
    view.width = width();
    view.height = height();
    view.spacing = model_.spacing();
    view.dataKind = model_.chart().dataKind;
    view.bars = &model_.chart().bars;
    view.fs = &host_.formatSettings();
    return view;
}

void TAChart::apply(const tools::ToolEffect& effect) {
    // Only the band along the old and the new overlay is painted again.
    if (tools_.overlay() != shownOverlay_) {
        QRegion changed;
        if (shownOverlay_) changed += tools::overlayRegion(*shownOverlay_);
        if (tools_.overlay()) changed += tools::overlayRegion(*tools_.overlay());
        shownOverlay_ = tools_.overlay();
        update(changed);
    }
    if (!effect.strokes.empty() || !effect.labels.empty()) {
        tools::drawIntoPicture(model_.bitmap(), effect.strokes, effect.labels,
                               screenFacts().pixelsPerInch);
        update();
    }
    if (effect.release != ChartTool::None) host_.releaseTool(effect.release);
    if (effect.hintsOff) {
        hintsOn_ = false;
        QToolTip::hideText();
    }
    if (effect.hintText)
        setToolTip(QString::fromStdString(*effect.hintText)
                       .replace(QLatin1String("\r\n"), QLatin1String("\n")));
    if (effect.hintsOn) {
        hintsOn_ = true;
        hintPauseMs_ = effect.hintPauseMs;
        if (effect.showHint) QToolTip::showText(QCursor::pos(), toolTip(), this, {}, hintPauseMs_);
    }
    if (effect.pointer) QCursor::setPos(mapToGlobal(QPoint(effect.pointer->x, effect.pointer->y)));
    if (effect.defaultCursor) {
        cursorTool_ = ChartTool::None;
        unsetCursor();
    }
    if (effect.clearIndicators) {
        model_.clearIndicators();
        render();
    }
    if (effect.spacing) {
        model_.setSpacing(*effect.spacing);
        render();
    }
}

} // namespace qm

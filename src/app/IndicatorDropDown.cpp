#include "IndicatorDropDown.h"

#include "chartwin/ChartWinMessages.h"
#include "indicators/Catalogue.h"
#include "platform/CursorTable.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>

namespace qm {

namespace cm = chartwin_messages;
using platform::cursorFor;
using platform::CursorSlot;

IndicatorDropDown::IndicatorDropDown(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("cbOsc"));
    setToolTip(QStringLiteral("Select then Drag then Drop indicator on desired Chart"));
    for (const IndicatorInfo& info : indicatorCatalogue())
        addItem(QString::fromUtf8(info.toolBarText.data(),
                                  static_cast<qsizetype>(info.toolBarText.size())));
    setMaxVisibleItems(kIndicatorKinds);
    setCurrentIndex(0);
    setCursor(cursorFor(CursorSlot::Finger));
}

void IndicatorDropDown::showPopup() {
    setCursor(Qt::ArrowCursor);
    QComboBox::showPopup();
}

void IndicatorDropDown::hidePopup() {
    QComboBox::hidePopup();
    setCursor(cursorFor(CursorSlot::OpenHand));
}

// A press waits to see whether it becomes a drag; a press that does not opens the list.
void IndicatorDropDown::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QComboBox::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    pressedAt_ = event->position().toPoint();
    event->accept();
}

void IndicatorDropDown::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || (event->position().toPoint() - pressedAt_).manhattanLength() <
                         QApplication::startDragDistance()) {
        QComboBox::mouseMoveEvent(event);
        return;
    }
    pressed_ = false;
    auto* data = new QMimeData;
    data->setData(QLatin1String(cm::kIndicatorMimeType), QByteArray::number(chosenKind()));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    const QCursor carrying = cursorFor(CursorSlot::DragIndicator);
    drag->setDragCursor(carrying.pixmap(), Qt::CopyAction);
    drag->setDragCursor(carrying.pixmap(), Qt::MoveAction);
    drag->exec(Qt::CopyAction);
}

void IndicatorDropDown::mouseReleaseEvent(QMouseEvent* event) {
    if (pressed_ && event->button() == Qt::LeftButton) {
        pressed_ = false;
        showPopup();
        event->accept();
        return;
    }
    QComboBox::mouseReleaseEvent(event);
}

} // namespace qm

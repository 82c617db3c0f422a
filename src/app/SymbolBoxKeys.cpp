#include "SymbolBoxKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace qm {
namespace {

bool isEditingKey(const QKeyEvent& key) {
    if (key.modifiers() != Qt::ControlModifier) return false;
    switch (key.key()) {
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
    case Qt::Key_Z:
    case Qt::Key_Y:
    case Qt::Key_A:
        return true;
    default:
        return false;
    }
}

void edit(QLineEdit& box, int key) {
    switch (key) {
    case Qt::Key_C:
        box.copy();
        break;
    case Qt::Key_V:
        box.paste();
        break;
    case Qt::Key_X:
        box.cut();
        break;
    case Qt::Key_Z:
        box.undo();
        break;
    case Qt::Key_Y:
        box.redo();
        break;
    case Qt::Key_A:
        box.selectAll();
        break;
    default:
        break;
    }
}

class EditingKeys final : public QObject {
public:
    explicit EditingKeys(QLineEdit& box) : QObject(&box), box_(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &box_) return false;
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (!isEditingKey(*key)) {
            // Every other Ctrl key belongs to the main window's commands. Left to the box, some
            // desktops' text bindings would claim them first (Ctrl+E, the end of the line, took
            // the settings editor away), so the box is not asked; a key without a command
            // still reaches it as a key press.
            return event->type() == QEvent::ShortcutOverride &&
                   key->modifiers() == Qt::ControlModifier;
        }
        // Claimed before the shortcuts see it, then done by the box itself, whatever the
        // desktop's own key bindings say (redo is not Ctrl+Y everywhere).
        key->accept();
        if (event->type() == QEvent::KeyPress) edit(box_, key->key());
        return true;
    }

private:
    QLineEdit& box_;
};

} // namespace

void keepEditingKeysInSymbolBox(QLineEdit& box) {
    box.installEventFilter(new EditingKeys(box));
}

} // namespace qm

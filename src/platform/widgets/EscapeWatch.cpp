#include "EscapeWatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <atomic>

namespace qm::platform {
namespace {

std::atomic<bool> gEscapeHeld{false};

class EscapeFilter final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) gEscapeHeld = true;
            break;
        case QEvent::KeyRelease: {
            // A key held down repeats; where the system sends a release before each repeat,
            // it is marked as such and the key is still down.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && !key->isAutoRepeat()) gEscapeHeld = false;
            break;
        }
        case QEvent::ApplicationStateChange:
            if (QGuiApplication::applicationState() != Qt::ApplicationActive) gEscapeHeld = false;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void watchEscapeKey() {
    // The watch goes with the application object it was installed on.
    static QPointer<EscapeFilter> filter;
    if (filter) return;
    filter = new EscapeFilter;
    filter->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

bool escapeHeld() {
    return gEscapeHeld;
}

} // namespace qm::platform

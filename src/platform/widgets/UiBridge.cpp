#include "UiBridge.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace qm::platform {

void runOnUiThreadAndWait(const std::function<void()>& call) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        call();
        return;
    }
    QMetaObject::invokeMethod(
        app, [&call] { call(); }, Qt::BlockingQueuedConnection);
}

void postToUiThread(std::function<void()> call) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(call), Qt::QueuedConnection);
}

} // namespace qm::platform

#include "UiBridge.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>

namespace qm::platform {
namespace {

class UiCalls;
UiCalls* gCalls = nullptr;

// The calls waiting for the user-interface thread. A call travels in this queue, under a
// standard mutex, and the event that wakes the thread carries nothing: what one thread hands
// the other is ordered by the mutex alone, which the thread checker understands (Qt's own locks
// it cannot see). One event per call, so that a nested event loop (a message box opened by a
// call) runs the calls queued behind it.
class UiCalls final : public QObject {
public:
    ~UiCalls() override { gCalls = nullptr; }

    void post(std::function<void()> call) {
        {
            const std::lock_guard lock(mutex_);
            calls_.push_back(std::move(call));
        }
        // The event is made inside Qt, like the rest of its hand-over, so the checker does not
        // take the user-interface thread's first look at it for a race.
        QCoreApplication::postEvent(this, QEvent(QEvent::User).clone());
    }

    void runAndWait(const std::function<void()>& call) {
        bool ran = false;
        std::exception_ptr failure;
        post([&] {
            try {
                call();
            } catch (...) {
                failure = std::current_exception();
            }
            const std::lock_guard lock(mutex_);
            ran = true;
            done_.notify_all();
        });
        std::unique_lock lock(mutex_);
        done_.wait(lock, [&] { return ran; });
        lock.unlock();
        if (failure) std::rethrow_exception(failure);
    }

protected:
    void customEvent(QEvent*) override {
        std::function<void()> call;
        {
            const std::lock_guard lock(mutex_);
            if (calls_.empty()) return;
            call = std::move(calls_.front());
            calls_.pop_front();
        }
        call();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<std::function<void()>> calls_;
};

bool onUiThread(const QCoreApplication* app) {
    return QThread::currentThread() == app->thread();
}

} // namespace

} // namespace qm::platform

// The queue is made on the user-interface thread as the application object is made, before any
// worker can exist, and goes with it.
static void makeUiCalls() {
    qm::platform::gCalls = new qm::platform::UiCalls;
    qm::platform::gCalls->setParent(QCoreApplication::instance());
}
Q_COREAPP_STARTUP_FUNCTION(makeUiCalls)

namespace qm::platform {

void runOnUiThreadAndWait(const std::function<void()>& call) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || onUiThread(app)) {
        call();
        return;
    }
    gCalls->runAndWait(call);
}

void postToUiThread(std::function<void()> call) {
    if (gCalls) gCalls->post(std::move(call));
}

} // namespace qm::platform

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

// The calls waiting for the user-interface thread. A call travels in this queue, under a
// standard mutex, and the event that wakes the thread carries nothing: what one thread hands
// the other is ordered by the mutex alone, which every thread checker understands. One event
// per call, so that a nested event loop (a message box opened by a call) runs the calls
// queued behind it.
class UiCalls final : public QObject {
public:
    void post(std::function<void()> call) {
        {
            const std::lock_guard lock(mutex_);
            calls_.push_back(std::move(call));
        }
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
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

// Made on first use, from whichever thread, and handed to the user-interface thread; it lives
// as long as the process.
UiCalls& uiCalls() {
    static UiCalls* calls = [] {
        auto* c = new UiCalls;
        c->moveToThread(QCoreApplication::instance()->thread());
        return c;
    }();
    return *calls;
}

bool onUiThread(const QCoreApplication* app) {
    return QThread::currentThread() == app->thread();
}

} // namespace

void runOnUiThreadAndWait(const std::function<void()>& call) {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app || onUiThread(app)) {
        call();
        return;
    }
    uiCalls().runAndWait(call);
}

void postToUiThread(std::function<void()> call) {
    uiCalls().post(std::move(call));
}

} // namespace qm::platform

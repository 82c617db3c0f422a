#include "CallQueue.h"

namespace qm::download {

void CallQueue::runAndWait(const std::function<void()>& call) {
    if (std::this_thread::get_id() == owner_) {
        call();
        return;
    }
    bool ran = false;
    std::exception_ptr failure;
    {
        std::lock_guard lock(mutex_);
        calls_.emplace_back([&] {
            try {
                call();
            } catch (...) {
                failure = std::current_exception();
            }
            std::lock_guard inner(mutex_);
            ran = true;
            changed_.notify_all();
        });
    }
    changed_.notify_all();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return ran; });
    lock.unlock();
    if (failure) std::rethrow_exception(failure);
}

void CallQueue::post(std::function<void()> call) {
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
    }
    changed_.notify_all();
}

bool CallQueue::processUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_until(lock, until, [&] { return !calls_.empty(); })) return done();
        std::function<void()> call = std::move(calls_.front());
        calls_.pop_front();
        lock.unlock();
        call();
    }
    return true;
}

} // namespace qm::download

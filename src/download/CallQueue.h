#pragma once
// A user-interface thread for programs without windows (the command line, the tests): the
// thread that made the queue runs the workers' calls while it waits for them to finish.

#include "XferThread.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace qm::download {

class CallQueue final : public UiThread {
public:
    CallQueue() : owner_(std::this_thread::get_id()) {}

    void runAndWait(const std::function<void()>& call) override;
    void post(std::function<void()> call) override;

    // Runs queued calls on the owning thread until `done` is true (checked after every call)
    // or `limit` has passed; true when done.
    bool processUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

private:
    std::thread::id owner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> calls_;
};

} // namespace qm::download

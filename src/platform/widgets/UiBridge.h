#pragma once
// Calls from worker threads onto the user-interface thread (the thread that runs the
// application's event loop).

#include <functional>

namespace qm::platform {

// Runs `call` on the user-interface thread and returns once it has run; on that thread itself
// it runs at once. An exception of the call is raised again in the caller. The event loop must
// be running (or the caller is on its thread): shutting down stops the workers first.
void runOnUiThreadAndWait(const std::function<void()>& call);

// Queues `call` to run on the user-interface thread at its next turn; calls run in the order
// they were queued, also those queued by different threads one after the other. Without an
// application object there is no turn to come, and the call is dropped.
void postToUiThread(std::function<void()> call);

} // namespace qm::platform

#pragma once
// Transfers in the desktop program: the workers reach the user-interface thread through the
// event loop, stop while the user holds Escape, and are kept track of until their completion
// has run, so that the main window can stop them and wait for them before it closes.

#include "download/XferThread.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace qm::platform {
class ConfigStore;
}

namespace qm::downloader {

// The user-interface thread as the desktop's workers reach it: calls run on the event loop.
UiThread& desktopUiThread();

// The context of a desktop transfer: the event loop, the Escape key, the service addresses the
// configuration names (its [XFers] group; the services' own addresses otherwise) and the
// temporary folder.
XferContext desktopContext(const platform::ConfigStore& config,
                           const std::filesystem::path& tempFolder);

// The transfers started by the download dialog and the quick download. Everything here runs on
// the user-interface thread.
class RunningTransfers {
public:
    // Starts the worker. `keep` (the list it marks, the list it fills) lives until the
    // completion has run, whatever becomes of the window that started it.
    std::shared_ptr<TransferHandle> start(std::unique_ptr<TXFerThread> worker,
                                          std::function<void(TXFerThread&)> onCompletion,
                                          std::shared_ptr<void> keep = {});
    // Transfers whose completion has not run yet.
    int count() const;
    bool running() const { return count() > 0; }
    // Asks every running transfer to stop now; each still saves what it downloaded.
    void requestStop();

private:
    mutable std::vector<std::shared_ptr<TransferHandle>> handles_;
};

} // namespace qm::downloader

#include "DesktopTransfers.h"

#include "DownloaderTexts.h"
#include "platform/ConfigStore.h"
#include "platform/widgets/EscapeWatch.h"
#include "platform/widgets/UiBridge.h"

#include <algorithm>

namespace qm::downloader {
namespace {

class EventLoopThread final : public UiThread {
public:
    void runAndWait(const std::function<void()>& call) override {
        platform::runOnUiThreadAndWait(call);
    }
    void post(std::function<void()> call) override { platform::postToUiThread(std::move(call)); }
};

} // namespace

UiThread& desktopUiThread() {
    static EventLoopThread thread;
    return thread;
}

XferContext desktopContext(const platform::ConfigStore& config,
                           const std::filesystem::path& tempFolder) {
    platform::watchEscapeKey();
    XferContext context;
    context.ui = &desktopUiThread();
    context.stopRequested = platform::escapeHeld;
    for (const auto& [key, value] : config.readGroup(kSettingsGroup))
        context.endpoints.set(key, value);
    context.tempFolder = tempFolder;
    return context;
}

std::shared_ptr<TransferHandle>
RunningTransfers::start(std::unique_ptr<TXFerThread> worker,
                        std::function<void(TXFerThread&)> onCompletion,
                        std::shared_ptr<void> keep) {
    auto handle =
        TXFerThread::Start(std::move(worker), [onCompletion = std::move(onCompletion),
                                               keep = std::move(keep)](TXFerThread& done) {
            if (onCompletion) onCompletion(done);
        });
    handles_.push_back(handle);
    return handle;
}

int RunningTransfers::count() const {
    std::erase_if(handles_, [](const auto& h) { return !h->running(); });
    return static_cast<int>(handles_.size());
}

void RunningTransfers::requestStop() {
    for (const auto& h : handles_) h->requestStop();
}

} // namespace qm::downloader

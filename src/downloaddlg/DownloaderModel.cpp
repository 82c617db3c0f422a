#include "DownloaderModel.h"

#include "DownloaderTexts.h"
#include "download/TextRules.h"

#include <stdexcept>
#include <system_error>

namespace qm::downloader {

namespace fs = std::filesystem;

DownloaderModel::DownloaderModel(DownloaderSettings settings, fs::path tempFolder)
    : tickerFolder_(std::move(settings.tickerFolder)), tempFolder_(std::move(tempFolder)),
      initialService_(settings.service), addName_(settings.addName) {
    for (std::size_t i = 0; i < services_.size(); ++i)
        services_[i].folder = std::move(settings.downloadFolders[i]);
}

void DownloaderModel::open() {
    writeMissingTickerFiles(tickerFolder_);
    show(initialService_);
}

const ServiceState& DownloaderModel::service(int index) const {
    if (index < 0 || index >= kServiceCount) throw std::out_of_range("no such quote service");
    return services_[static_cast<std::size_t>(index)];
}

ServiceState& DownloaderModel::state(int index) {
    return const_cast<ServiceState&>(std::as_const(*this).service(index));
}

fs::path DownloaderModel::tickerFile(int index) const {
    return tickerFolder_ / kTickerFiles.at(static_cast<std::size_t>(index));
}

DownloaderSettings DownloaderModel::settings() const {
    DownloaderSettings s;
    s.service = shown_ >= 0 ? shown_ : initialService_;
    s.addName = addName_;
    s.tickerFolder = tickerFolder_;
    for (std::size_t i = 0; i < services_.size(); ++i) s.downloadFolders[i] = services_[i].folder;
    return s;
}

void DownloaderModel::fillFromFolder(ServiceState& s) {
    s.finished = false;
    s.list->assign(symbolsInFolder(s.folder));
}

void DownloaderModel::loadTickerFile(int index) {
    if (const auto lines = readListFile(tickerFile(index))) state(index).list->assign(*lines);
}

void DownloaderModel::show(int index) {
    if (index == shown_) return;
    ServiceState& s = state(index);
    if (!s.busy && s.list->empty()) {
        if (mode_ == Mode::Update) {
            fillFromFolder(s);
        } else {
            loadTickerFile(index);
            s.finished = false;
        }
    }
    shown_ = index;
}

bool DownloaderModel::setMode(Mode mode) {
    if (mode == mode_) return true;
    if (currentBusy()) return false;
    mode_ = mode;
    ServiceState& s = state(shown_);
    if (mode == Mode::Update) {
        // The marks of a finished update stay until the list is made anew.
        if (!s.finished) fillFromFolder(s);
        addName_ = false;
    } else if (s.list->empty()) {
        loadTickerFile(shown_);
    }
    return true;
}

void DownloaderModel::setAddName(bool on) {
    addName_ = on && mode_ != Mode::Update;
}

AddOutcome DownloaderModel::addSymbol(std::string_view text) {
    const std::string symbol = download::toUpper(download::trimBlanks(text));
    if (mode_ == Mode::Update || currentBusy() || symbol.empty()) return AddOutcome::Refused;
    ServiceList& list = currentList();
    if (list.size() >= kMaxListLines || !list.add(symbol)) return AddOutcome::Dropped;
    return AddOutcome::Added;
}

bool DownloaderModel::deleteLines(const std::vector<int>& lines) {
    if (currentBusy()) return false;
    currentList().remove(lines);
    return true;
}

bool DownloaderModel::markAll(LineMark mark) {
    if (currentBusy()) return false;
    currentList().markAll(mark);
    return true;
}

std::optional<std::string> DownloaderModel::copyAll() const {
    if (currentBusy()) return std::nullopt;
    std::string text;
    for (const std::string& line : current().list->lines()) text += line + "\r\n";
    return text;
}

bool DownloaderModel::paste(std::string_view text) {
    if (currentBusy() || mode_ == Mode::Update) return false;
    currentList().assign(textLines(text));
    return true;
}

bool DownloaderModel::deleteAll() {
    if (currentBusy()) return false;
    currentList().clear();
    state(shown_).finished = false;
    return true;
}

bool DownloaderModel::dropFiles(const std::vector<fs::path>& files) {
    if (currentBusy() || mode_ == Mode::Update || files.size() != 1) return false;
    const auto lines = readListFile(files.front());
    if (!lines) return false;
    currentList().assign(*lines, kMaxListLines);
    return true;
}

bool DownloaderModel::startDateChanged() {
    if (active_ > 0) return false;
    currentList().markAll(LineMark::Unticked);
    return true;
}

void DownloaderModel::folderChosen(const fs::path& folder) {
    if (!canChooseFolder()) return;
    ServiceState& s = state(shown_);
    s.folder = folder;
    fillFromFolder(s);
}

DownloaderModel::GetDataOutcome DownloaderModel::getData() {
    GetDataOutcome outcome;
    if (active_ >= kMaxActive) {
        outcome.refused = true;
        return outcome;
    }
    ServiceState& s = state(shown_);
    if (s.busy || s.list->empty()) return outcome;

    const bool update = mode_ == Mode::Update;
    const fs::path listFile = update
                                  ? tempFolder_ / kUpdateListFiles[static_cast<std::size_t>(shown_)]
                                  : tickerFile(shown_);
    // The worker reads its symbols from this file: without it the marks could not follow the
    // lines, so nothing starts.
    if (const SaveResult saved = saveListFile(listFile, s.list->lines()); !saved) {
        outcome.failure = std::string(kCannotSaveList) + listFile.string() + ": " + saved.reason;
        return outcome;
    }
    ++active_;
    s.busy = true;
    s.finished = false;
    outcome.order = TransferOrder{shown_, listFile, s.folder, addName_, update, s.list};
    return outcome;
}

void DownloaderModel::transferEnded(int index) {
    ServiceState& s = state(index);
    if (!s.busy) return;
    s.busy = false;
    s.finished = true;
    --active_;
}

} // namespace qm::downloader

#include "XferThread.h"

#include "AsciiUpdater.h"
#include "SymbolFiles.h"
#include "TextRules.h"
#include "TickerList.h"
#include "market/Calendar.h"
#include "market/SafeFile.h"

#include <algorithm>
#include <fstream>
#include <future>
#include <optional>
#include <stdexcept>

namespace qm {

using namespace download;

namespace {

std::filesystem::path updateFileOf(const std::filesystem::path& downloaded) {
    std::filesystem::path upd = downloaded;
    return upd.replace_extension(".upd");
}

void removeQuietly(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
}

// The update period: the last three weeks.
constexpr double kUpdateDays = 21;

} // namespace

TXFerThread::TXFerThread(std::string tickers, std::filesystem::path destDir, double startDate,
                         bool addName, bool doUpdate, DownloadList* chkList,
                         std::vector<std::string>* resultList,
                         const qm::FormatSettings& formatSettings, XferContext context)
    : SingleSymbol(chkList == nullptr), AddName(addName), DoUpdate(doUpdate),
      Tickers(std::move(tickers)), DestDir(std::move(destDir)), StartDate(startDate),
      FormatSettings(formatSettings), ChkList(chkList), ResultList(resultList),
      context_(std::move(context)) {}

TXFerThread::~TXFerThread() {
    removeWorkFolder();
}

std::shared_ptr<TransferHandle> TXFerThread::Start(std::unique_ptr<TXFerThread> worker,
                                                   std::function<void(TXFerThread&)> onCompletion) {
    if (!worker || !worker->context_.ui)
        throw std::invalid_argument("a transfer needs a user-interface thread");
    worker->onCompletion_ = std::move(onCompletion);
    std::shared_ptr<TransferHandle> handle = worker->handle_;
    // The run waits until the thread object is stored, so the notification can join it.
    std::promise<void> stored;
    std::shared_future<void> released = stored.get_future().share();
    TXFerThread* w = worker.get();
    w->thread_ = std::thread([w, released] {
        released.wait();
        try {
            w->Execute();
        } catch (...) {
            // An error outside the per-symbol handling ends the run; the notification still
            // follows.
        }
        w->removeWorkFolder();
        w->context_.ui->post([w] {
            struct Release {
                TXFerThread* worker;
                ~Release() {
                    const std::shared_ptr<TransferHandle> handle = worker->handle_;
                    worker->thread_.join();
                    delete worker;
                    handle->running_ = false;
                }
            } release{w};
            if (w->onCompletion_) w->onCompletion_(*w);
        });
    });
    // From here on the worker frees itself.
    worker.release();
    stored.set_value();
    return handle;
}

bool TXFerThread::stopRequested() const {
    return handle_->stopRequested() || (context_.stopRequested && context_.stopRequested());
}

double TXFerThread::RunStartDay(double today) const {
    return DoUpdate ? today - kUpdateDays : StartDate;
}

TXFerThread::Day TXFerThread::StartParts() const {
    const CivilDate d = decodeDate(startDay_);
    return {d.year, d.month, d.day};
}

TXFerThread::Day TXFerThread::EndParts() const {
    const CivilDate d = decodeDate(endDay_);
    return {d.year, d.month, d.day};
}

void TXFerThread::BeginRun(HttpClient&) {}

void TXFerThread::ReadItemState() {
    context_.ui->runAndWait([this] { ReadState = ChkList->mark(CurIndex); });
}

void TXFerThread::ShowItemState() {
    context_.ui->runAndWait([this] { ChkList->setMark(CurIndex, NewState); });
}

void TXFerThread::makeWorkFolder() {
    const std::filesystem::path base =
        context_.tempFolder.empty() ? std::filesystem::temp_directory_path() : context_.tempFolder;
    // A folder of its own keeps the files of workers running at once apart; the folders of
    // workers whose process was killed go first.
    constexpr std::string_view kPrefix = "qm-xfer-";
    removeStaleWorkFolders(base, kPrefix);
    workFolder_.emplace(base, kPrefix);
}

void TXFerThread::removeWorkFolder() {
    workFolder_.reset();
}

void TXFerThread::Execute() {
    tickers_ = SingleSymbol ? std::vector<std::string>{Tickers} : loadTickerList(Tickers);
    results_.clear();
    notes_.clear();
    saved_.clear();
    endDay_ = context_.today ? context_.today() : localToday();
    startDay_ = RunStartDay(endDay_);
    makeWorkFolder();
    runLoop();
    FinishTransfer();
}

void TXFerThread::failSymbol(const std::string& why) {
    NewState = LineMark::Unticked;
    results_.emplace_back(kNoResult);
    notes_.push_back(why);
    if (!SingleSymbol) ShowItemState();
}

void TXFerThread::runLoop() {
    HttpOptions options = ClientOptions();
    options.limits = context_.limits;
    // The owner's stop also cuts off the request under way; a held Escape waits for it.
    options.cancelled = [handle = handle_.get()] { return handle->stopRequested(); };
    HttpClient client(options);
    BeginRun(client);
    const int count = static_cast<int>(std::min(tickers_.size(), kMaxSymbolsPerRun));
    for (int i = 0; i < count; ++i) {
        bool stop = false;
        try {
            // The line of the symbol whose turn it is shows a stop.
            CurIndex = i;
            if (stopRequested()) throw EQuitXfer();
            if (!SingleSymbol) {
                ReadItemState();
                if (ReadState != LineMark::Unticked) {
                    results_.emplace_back(kNoResult);
                    notes_.emplace_back();
                    continue;
                }
            }
            const std::string symbol(trimBlanks(tickers_[static_cast<std::size_t>(i)]));
            if (symbol.empty()) {
                failSymbol(std::string(kNoSymbol));
                continue;
            }
            const Download got = FetchSymbol(client, symbol);
            // A folder per line: two listed symbols may come to the same file name.
            const std::filesystem::path folder = workFolder_->path() / std::to_string(i);
            std::filesystem::create_directory(folder);
            const std::filesystem::path file = folder / downloadFileName(got.fileSymbol, got.name);
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            out.write(got.answer.data(), static_cast<std::streamsize>(got.answer.size()));
            out.close();
            if (!out) throw std::runtime_error("cannot write " + file.string());
            NewState = LineMark::Grayed;
            results_.push_back(file.string());
            notes_.emplace_back();
            if (!SingleSymbol) ShowItemState();
        } catch (const HttpError& e) {
            // The server's refusals end only the symbol; connection errors end the loop.
            stop = e.kind() == HttpErrorKind::Socket || e.kind() == HttpErrorKind::Client;
            failSymbol(e.what());
        } catch (const std::exception& e) {
            // EQuitXfer and every other error end the loop.
            stop = true;
            failSymbol(e.what());
        }
        if (stop) break;
    }
    // Leaving here releases the client and with it the connection.
}

void TXFerThread::FinishTransfer() {
    std::optional<TAsciiUpdater> updater;
    if (DoUpdate) updater.emplace(FormatSettings);
    for (std::size_t k = 0; k < results_.size(); ++k) {
        if (results_[k] == kNoResult) continue;
        const std::filesystem::path downloaded = results_[k];
        const std::filesystem::path update = updateFileOf(downloaded);
        convertNote_ = std::string(kNotConverted);
        if (!ConvertDownload(downloaded)) {
            removeQuietly(downloaded);
            notes_[k] = convertNote_;
            continue;
        }
        const std::string existing = FindSymbolFile(DestDir, downloaded.filename().string());
        if (existing.empty()) {
            removeQuietly(downloaded);
            removeQuietly(update);
            notes_[k] = std::string(kNoPriceFile);
            continue;
        }
        if (SingleSymbol && ResultList) ResultList->push_back(existing);
        if (DoUpdate) {
            const bool merged = updater->MergeUpdate(existing, update.string());
            removeQuietly(update);
            if (!merged) {
                removeQuietly(downloaded);
                notes_[k] = std::string(kMergeRefused);
                continue;
            }
        }
        removeQuietly(downloaded);
        saved_.push_back(existing);
        if (!SingleSymbol) {
            NewState = LineMark::Ticked;
            CurIndex = static_cast<int>(k);
            ShowItemState();
        }
    }
}

bool TXFerThread::ConvertDownload(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;

    if (DoUpdate) {
        const std::filesystem::path update = updateFileOf(path);
        std::ofstream out(update, std::ios::binary | std::ios::trunc);
        const TextSink sink = [&out](std::string_view text) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            return static_cast<bool>(out);
        };
        const std::size_t rows = out ? ConvertAnswer(in, sink) : 0;
        out.close();
        if (rows == 0 || !out) {
            removeQuietly(update);
            return false;
        }
        return true;
    }

    // The new file is complete on disk before the symbol's old files go: a failed conversion or
    // save leaves them as they were.
    const std::string name = path.filename().string();
    bool converted = true;
    const SaveResult saved = saveFileAtomically(DestDir / name, [&](const ChunkWriter& write) {
        converted = ConvertAnswer(in, write) > 0;
        return converted;
    });
    if (!saved) {
        if (converted) convertNote_ = std::string(kNotSaved) + ": " + saved.reason;
        return false;
    }
    DeleteSymbolFiles(name, name);
    return true;
}

void TXFerThread::DeleteSymbolFiles(const std::string& fileName, const std::string& keep) {
    for (const auto& file : symbolFiles(DestDir, fileName))
        if (file.filename() != keep) removeQuietly(file);
}

std::string TXFerThread::FindSymbolFile(const std::filesystem::path& folder,
                                        const std::string& fileName) {
    const auto files = symbolFiles(folder, fileName);
    return files.empty() ? std::string{} : files.front().string();
}

std::string TXFerThread::CleanSymbolName(const std::string& name) {
    return cleanSymbolName(name);
}

} // namespace qm

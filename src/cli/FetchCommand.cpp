// quillmar-cli fetch: one transfer worker in the terminal. Each symbol's line is printed as its
// mark changes (to fetch, downloaded, saved), then a summary with the reason of every symbol that
// was not saved. Ctrl+C stops the transfer at the next symbol; what was downloaded is saved.

#include "Commands.h"
#include "UserConventions.h"
#include "download/CallQueue.h"
#include "download/Endpoints.h"
#include "download/QuoteService.h"
#include "download/TextRules.h"
#include "download/TickerList.h"
#include "market/Calendar.h"
#include "market/DateText.h"
#include "market/WorkFolder.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace qm::cli {
namespace {

using namespace download;

constexpr const char* kUsage =
    "usage: quillmar-cli fetch --service yahoo|google|otc|qmedia|nasdaq\n"
    "           (--symbol SYMBOL... | --tickers FILE) --dest DIR\n"
    "           [--start yyyy-mm-dd] [--update] [--names] [--endpoint KEY=URL]...\n";

// The quick download's history: about two years.
constexpr double kDefaultHistoryDays = 740;

std::atomic<bool> gStopRequested{false};

void onInterrupt(int) {
    gStopRequested = true;
    // A second Ctrl+C ends the program at once.
    std::signal(SIGINT, SIG_DFL);
}

struct FetchArgs {
    QuoteService service = QuoteService::Yahoo;
    std::vector<std::string> symbols;
    std::string tickerFile;
    std::filesystem::path dest;
    std::optional<double> start;
    bool update = false;
    bool names = false;
    std::vector<std::pair<std::string, std::string>> endpoints;
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "quillmar-cli fetch: %s\n%s", message.c_str(), kUsage);
    return 2;
}

// The parsed arguments, or the message for the user.
std::optional<FetchArgs> parseArgs(std::span<char*> args, std::string& error) {
    FetchArgs a;
    bool haveService = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        const auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return std::string(args[++i]);
        };
        if (arg == "--update") {
            a.update = true;
        } else if (arg == "--names") {
            a.names = true;
        } else if (arg == "--service" || arg == "--symbol" || arg == "--tickers" ||
                   arg == "--dest" || arg == "--start" || arg == "--endpoint") {
            const auto v = value();
            if (!v) {
                error = std::string(arg) + " needs a value";
                return std::nullopt;
            }
            if (arg == "--service") {
                const auto service = serviceNamed(*v);
                if (!service) {
                    error = "unknown service '" + *v + "'";
                    return std::nullopt;
                }
                a.service = *service;
                haveService = true;
            } else if (arg == "--symbol") {
                a.symbols.push_back(*v);
            } else if (arg == "--tickers") {
                a.tickerFile = *v;
            } else if (arg == "--dest") {
                a.dest = *v;
            } else if (arg == "--start") {
                const auto date = parseDateText(*v, DateOrder::YearMonthDay, '-', 2000);
                if (!date || v->size() != 10) {
                    error = "--start wants a date as yyyy-mm-dd, not '" + *v + "'";
                    return std::nullopt;
                }
                a.start = encodeDate(date->year, date->month, date->day);
            } else {
                const std::size_t eq = v->find('=');
                if (eq == std::string::npos) {
                    error = "--endpoint wants KEY=URL";
                    return std::nullopt;
                }
                a.endpoints.emplace_back(v->substr(0, eq), v->substr(eq + 1));
            }
        } else {
            error = "unknown argument '" + std::string(arg) + "'";
            return std::nullopt;
        }
    }
    if (!haveService)
        error = "--service is required";
    else if (a.symbols.empty() == a.tickerFile.empty())
        error = "give --symbol or --tickers";
    else if (a.dest.empty())
        error = "--dest is required";
    return error.empty() ? std::optional<FetchArgs>(a) : std::nullopt;
}

std::string_view markName(LineMark mark) {
    switch (mark) {
    case LineMark::Unticked:
        return "to fetch";
    case LineMark::Grayed:
        return "downloaded";
    case LineMark::Ticked:
        return "saved";
    }
    return {};
}

// The Download List of the terminal: one printed line per change of a mark.
class TerminalList final : public DownloadList {
public:
    explicit TerminalList(std::vector<std::string> symbols)
        : symbols_(std::move(symbols)), marks_(symbols_.size(), LineMark::Unticked) {}

    LineMark mark(int line) const override { return marks_.at(static_cast<std::size_t>(line)); }
    void setMark(int line, LineMark mark) override {
        marks_.at(static_cast<std::size_t>(line)) = mark;
        const std::string_view name = markName(mark);
        std::printf("%-12s %.*s\n", symbols_.at(static_cast<std::size_t>(line)).c_str(),
                    static_cast<int>(name.size()), name.data());
        std::fflush(stdout);
    }
    const std::vector<std::string>& symbols() const { return symbols_; }

private:
    std::vector<std::string> symbols_;
    std::vector<LineMark> marks_;
};

// Writes the symbols given on the command line as a ticker file in a folder of its own, after
// clearing the folders of runs that were killed.
std::filesystem::path writeTickerFile(const std::vector<std::string>& symbols,
                                      std::optional<WorkFolder>& folder) {
    constexpr std::string_view kPrefix = "qm-fetch-";
    const std::filesystem::path parent = std::filesystem::temp_directory_path();
    removeStaleWorkFolders(parent, kPrefix);
    folder.emplace(parent, kPrefix);
    const auto file = folder->path() / "tickers.txt";
    std::ofstream out(file, std::ios::binary);
    for (const auto& s : symbols) out << s << "\r\n";
    if (!out) throw std::runtime_error("cannot write " + file.string());
    return file;
}

} // namespace

int runFetch(std::span<char*> args) {
    for (const char* arg : args)
        if (isHelp(arg)) {
            std::printf("%s", kUsage);
            std::printf("\nendpoint keys (settings group [XFers] of %s):\n",
                        configurationFile().string().c_str());
            const Endpoints defaults = Endpoints::defaults();
            for (const auto key : endpointKeys())
                std::printf("  %-18.*s default %s\n", static_cast<int>(key.size()), key.data(),
                            defaults.get(key)->c_str());
            return 0;
        }
    std::string error;
    const auto parsed = parseArgs(args, error);
    if (!parsed) return usageError(error);
    FetchArgs a = *parsed;

    Endpoints endpoints = Endpoints::defaults();
    readConfiguredEndpoints(endpoints);
    for (const auto& [key, url] : a.endpoints) {
        const bool isAddress = !key.ends_with("Id");
        if (isAddress && !url.starts_with("http://") && !url.starts_with("https://"))
            return usageError("--endpoint " + key + " wants an http:// or https:// address");
        if (!endpoints.set(key, url)) return usageError("unknown endpoint key '" + key + "'");
    }

    const double today = localToday();
    const double start = a.start.value_or(today - kDefaultHistoryDays);
    if (start > today) return usageError("--start lies in the future");
    if (a.update && a.names) {
        std::fprintf(stderr, "quillmar-cli fetch: names are not looked up in update mode\n");
        a.names = false;
    }

    std::error_code ec;
    std::filesystem::create_directories(a.dest, ec);
    if (!std::filesystem::is_directory(a.dest)) {
        std::fprintf(stderr, "quillmar-cli fetch: cannot use the folder %s\n", a.dest.c_str());
        return 1;
    }

    std::optional<WorkFolder> ownFolder;
    std::vector<std::string> symbols;
    std::string tickers;
    try {
        tickers =
            a.tickerFile.empty() ? writeTickerFile(a.symbols, ownFolder).string() : a.tickerFile;
        symbols = loadTickerList(tickers);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillmar-cli fetch: %s\n", e.what());
        return 1;
    }
    const std::string_view service = serviceName(a.service);
    std::printf("Fetching %zu symbol(s) from %.*s into %s\n",
                std::min(symbols.size(), kMaxSymbolsPerRun), static_cast<int>(service.size()),
                service.data(), a.dest.c_str());
    std::fflush(stdout);

    TerminalList list(symbols);
    CallQueue ui;
    XferContext context;
    context.ui = &ui;
    context.endpoints = endpoints;
    context.stopRequested = [] { return gStopRequested.load(); };
    const FormatSettings fs = userFormatSettings();

    std::vector<std::string> results, notes;
    bool finished = false;
    const auto previous = std::signal(SIGINT, onInterrupt);
    TXFerThread::Start(makeTransfer(a.service, tickers, a.dest, start, a.names, a.update, &list,
                                    nullptr, fs, context),
                       [&](TXFerThread& worker) {
                           results = worker.Results();
                           notes = worker.Notes();
                           finished = true;
                       });
    // Every request ends by its deadline, so the run ends.
    while (!ui.processUntil([&] { return finished; }, std::chrono::hours(1))) {
    }
    std::signal(SIGINT, previous);
    ownFolder.reset();

    std::size_t saved = 0;
    std::printf("\n");
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        std::string outcome;
        if (i >= results.size())
            outcome = i >= kMaxSymbolsPerRun
                          ? "not fetched: at most 150 symbols are fetched in one run"
                          : std::string(kRunStopped);
        else if (list.mark(static_cast<int>(i)) == LineMark::Ticked)
            outcome = "saved";
        else if (results[i] == kNoResult)
            outcome = "failed: " + notes[i];
        else
            outcome = "not saved: " + notes[i];
        if (outcome == "saved") ++saved;
        std::printf("%-12s %s\n", symbols[i].c_str(), outcome.c_str());
    }
    std::printf("%zu of %zu symbol(s) saved in %s\n", saved, symbols.size(), a.dest.c_str());
    return saved == symbols.size() ? 0 : 1;
}

} // namespace qm::cli

#include "QuoteService.h"

#include "GoogleXfer.h"
#include "NasdaqXfer.h"
#include "OtcXfer.h"
#include "QuoteMediaXfer.h"
#include "TextRules.h"
#include "YahooXfer.h"

#include <array>

namespace qm {
namespace {

constexpr std::array<QuoteService, 5> kServices = {QuoteService::Yahoo, QuoteService::Google,
                                                   QuoteService::Otc, QuoteService::QuoteMedia,
                                                   QuoteService::Nasdaq};

template <class Worker>
std::unique_ptr<TXFerThread> make(std::string tickers, std::filesystem::path destDir,
                                  double startDate, bool addName, bool doUpdate,
                                  DownloadList* chkList, std::vector<std::string>* resultList,
                                  const qm::FormatSettings& fs, XferContext context) {
    return std::make_unique<Worker>(std::move(tickers), std::move(destDir), startDate, addName,
                                    doUpdate, chkList, resultList, fs, std::move(context));
}

} // namespace

std::span<const QuoteService> quoteServices() {
    return kServices;
}

std::string_view serviceName(QuoteService service) {
    switch (service) {
    case QuoteService::Yahoo:
        return "Yahoo";
    case QuoteService::Google:
        return "Google";
    case QuoteService::Otc:
        return "Otc";
    case QuoteService::QuoteMedia:
        return "Qmedia";
    case QuoteService::Nasdaq:
        return "Nasdaq";
    }
    return {};
}

std::optional<QuoteService> serviceNamed(std::string_view name) {
    for (const QuoteService s : kServices)
        if (download::toLower(serviceName(s)) == download::toLower(name)) return s;
    return std::nullopt;
}

std::unique_ptr<TXFerThread> makeTransfer(QuoteService service, std::string tickers,
                                          std::filesystem::path destDir, double startDate,
                                          bool addName, bool doUpdate, DownloadList* chkList,
                                          std::vector<std::string>* resultList,
                                          const qm::FormatSettings& fs, XferContext context) {
    switch (service) {
    case QuoteService::Yahoo:
        return make<TYahooXFerThread>(std::move(tickers), std::move(destDir), startDate, addName,
                                      doUpdate, chkList, resultList, fs, std::move(context));
    case QuoteService::Google:
        return make<TGoogleXFerThread>(std::move(tickers), std::move(destDir), startDate, addName,
                                       doUpdate, chkList, resultList, fs, std::move(context));
    case QuoteService::Otc:
        return make<TOtcXFerThread>(std::move(tickers), std::move(destDir), startDate, addName,
                                    doUpdate, chkList, resultList, fs, std::move(context));
    case QuoteService::QuoteMedia:
        return make<TQuoteMediaXFerThread>(std::move(tickers), std::move(destDir), startDate,
                                           addName, doUpdate, chkList, resultList, fs,
                                           std::move(context));
    case QuoteService::Nasdaq:
        return make<TNasdaqXFerThread>(std::move(tickers), std::move(destDir), startDate, addName,
                                       doUpdate, chkList, resultList, fs, std::move(context));
    }
    return nullptr;
}

} // namespace qm

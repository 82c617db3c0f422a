#pragma once
// The five quote services and the making of their workers.

#include "XferThread.h"

#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace qm {

enum class QuoteService { Yahoo, Google, Otc, QuoteMedia, Nasdaq };

// The services in the order of the download dialog's list.
std::span<const QuoteService> quoteServices();
// "Yahoo", "Google", "Otc", "Qmedia", "Nasdaq": the entries of the dialog's list.
std::string_view serviceName(QuoteService service);
// The service of a name as serviceName gives it, ignoring case.
std::optional<QuoteService> serviceNamed(std::string_view name);

// A worker of the service's class, not yet started (TXFerThread::Start).
std::unique_ptr<TXFerThread> makeTransfer(QuoteService service, std::string tickers,
                                          std::filesystem::path destDir, double startDate,
                                          bool addName, bool doUpdate, DownloadList* chkList,
                                          std::vector<std::string>* resultList,
                                          const qm::FormatSettings& formatSettings,
                                          XferContext context);

} // namespace qm

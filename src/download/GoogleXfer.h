#pragma once
// Google: comma-separated answers with a header holding "Date", dates like 20-May-16, "-" for
// a missing value.

#include "AdapterSupport.h"
#include "XferThread.h"

namespace qm {

namespace download {
struct GoogleSymbols : ServiceSymbols {
    std::string shortSymbol; // the part after the exchange, for the name lookup
};
// R: the first "-" turned into ":", upper case; F: R (in upper case only when names are looked
// up) with ":." or ":" turned into "-".
GoogleSymbols googleSymbols(std::string_view listed, bool addName);
// Two-digit years are the latest year with those digits not after `currentYear`.
std::size_t convertGoogleAnswer(std::istream& answer, const TextSink& out,
                                const qm::FormatSettings& fs, int currentYear);
} // namespace download

class TGoogleXFerThread final : public TXFerThread {
public:
    using TXFerThread::TXFerThread;

protected:
    download::HttpOptions ClientOptions() const override;
    Download FetchSymbol(download::HttpClient& client, const std::string& symbol) override;
    std::size_t ConvertAnswer(std::istream& answer, const download::TextSink& out) const override;
};

} // namespace qm

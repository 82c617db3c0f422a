#pragma once
// QuoteMedia: comma-separated answers with a header holding "date" in any case, dates
// yyyy-mm-dd, "N/A" for a missing value. Futures are listed as ~GC-CMX and asked for as /GC:CMX.

#include "AdapterSupport.h"
#include "XferThread.h"

namespace qm {

namespace download {
struct QuoteMediaSymbols : ServiceSymbols {
    std::string lookup; // T: the listed symbol with "~" as "/" and "-" as ":"
};
QuoteMediaSymbols quoteMediaSymbols(std::string_view listed);
std::size_t convertQuoteMediaAnswer(std::istream& answer, const TextSink& out,
                                    const qm::FormatSettings& fs);
} // namespace download

class TQuoteMediaXFerThread final : public TXFerThread {
public:
    using TXFerThread::TXFerThread;

protected:
    download::HttpOptions ClientOptions() const override;
    Download FetchSymbol(download::HttpClient& client, const std::string& symbol) override;
    std::size_t ConvertAnswer(std::istream& answer, const download::TextSink& out) const override;
};

} // namespace qm

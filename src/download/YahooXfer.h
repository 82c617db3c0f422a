#pragma once
// Yahoo: comma-separated answers with a header holding "Adj", dates yyyy-mm-dd, the adjusted
// close last (not kept).

#include "AdapterSupport.h"
#include "XferThread.h"

namespace qm {

namespace download {
// R: upper case, the first "-" turned into ":"; F: the listed symbol.
ServiceSymbols yahooSymbols(std::string_view listed);
std::size_t convertYahooAnswer(std::istream& answer, const TextSink& out,
                               const qm::FormatSettings& fs);
} // namespace download

class TYahooXFerThread final : public TXFerThread {
public:
    using TXFerThread::TXFerThread;

protected:
    download::HttpOptions ClientOptions() const override;
    Download FetchSymbol(download::HttpClient& client, const std::string& symbol) override;
    std::size_t ConvertAnswer(std::istream& answer, const download::TextSink& out) const override;
};

} // namespace qm

#pragma once
// Nasdaq: comma-separated answers with quoted values, a header holding "date","close", dates
// yyyy/mm/dd, columns date, close, volume, open, high, low. The history is asked for with a
// period code; the home page is fetched once at the start of a run.

#include "AdapterSupport.h"
#include "XferThread.h"

namespace qm {

namespace download {
// F: the first ":" turned into "-", the first "." removed, the first "/" and the first "\."
// turned into "Sp". The requests use the listed symbol itself.
std::string nasdaqFileSymbol(std::string_view listed);
// The period code of a history reaching `days` whole days back.
std::string_view nasdaqPeriodCode(int days);
std::size_t convertNasdaqAnswer(std::istream& answer, const TextSink& out,
                                const qm::FormatSettings& fs);
} // namespace download

class TNasdaqXFerThread final : public TXFerThread {
public:
    using TXFerThread::TXFerThread;

protected:
    download::HttpOptions ClientOptions() const override;
    void BeginRun(download::HttpClient& client) override;
    Download FetchSymbol(download::HttpClient& client, const std::string& symbol) override;
    std::size_t ConvertAnswer(std::istream& answer, const download::TextSink& out) const override;
};

} // namespace qm

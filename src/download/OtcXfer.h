#pragma once
// OTC Markets: TAB-separated answers with a header holding "Date", dates m/d/yyyy, volumes with
// thousands separators. The history is asked for with a form, dates in milliseconds.

#include "AdapterSupport.h"
#include "XferThread.h"

#include <cstdint>

namespace qm {

namespace download {
// R: upper case; F: the first ":" turned into "-", the first "/" removed.
ServiceSymbols otcSymbols(std::string_view listed);
// Milliseconds from 1970-01-01 to the day (whole days, no time of day).
std::int64_t otcMilliseconds(double dayCount);
std::size_t convertOtcAnswer(std::istream& answer, const TextSink& out,
                             const qm::FormatSettings& fs);
} // namespace download

class TOtcXFerThread final : public TXFerThread {
public:
    using TXFerThread::TXFerThread;

protected:
    download::HttpOptions ClientOptions() const override;
    Download FetchSymbol(download::HttpClient& client, const std::string& symbol) override;
    std::size_t ConvertAnswer(std::istream& answer, const download::TextSink& out) const override;
    // The service's history starts 30 days before the chosen date.
    double RunStartDay(double today) const override;
};

} // namespace qm

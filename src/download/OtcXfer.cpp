#include "OtcXfer.h"

#include "TextRules.h"

#include <cmath>

namespace qm {

using namespace download;

namespace download {

ServiceSymbols otcSymbols(std::string_view listed) {
    std::string file = replaceFirst(listed, ":", "-");
    file = replaceFirst(file, "/", "");
    return {toUpper(listed), file};
}

std::int64_t otcMilliseconds(double dayCount) {
    // 1970-01-01 is day 25569.
    constexpr std::int64_t kUnixEpochDay = 25569;
    constexpr std::int64_t kMsPerDay = 86400000;
    return (static_cast<std::int64_t>(std::floor(dayCount)) - kUnixEpochDay) * kMsPerDay;
}

std::size_t convertOtcAnswer(std::istream& answer, const TextSink& out,
                             const qm::FormatSettings& fs) {
    const auto isHeader = [](std::string_view line) {
        return line.find("Date") != std::string_view::npos;
    };
    const auto rows = [](LineSource& lines, RowWriter& writer) {
        for (std::string line; lines.next(line);) {
            const auto p = splitPieces(line, '\t');
            if (p.size() < 3) continue;
            const auto parts = splitPieces(p[0], '/');
            if (parts.size() != 3) throw ConvertError{};
            const CivilDate date{datePart(parts[2]), datePart(parts[0]), datePart(parts[1])};
            if (p.size() < 6) throw ConvertError{};
            const std::string volume = replaceAll(p[5], ",", "");
            if (p[1] != "-" && p[2] != "-" && p[3] != "-")
                writer.row(date, p[1], p[2], p[3], p[4], volume);
            else
                writer.row(date, p[4], p[4], p[4], p[4], volume);
        }
    };
    return convertAnswer(answer, out, fs, isHeader, rows);
}

} // namespace download

HttpOptions TOtcXFerThread::ClientOptions() const {
    HttpOptions options;
    options.cookies = true;
    options.followRedirects = true;
    return options;
}

double TOtcXFerThread::RunStartDay(double today) const {
    constexpr double kExtraDays = 30;
    return DoUpdate ? TXFerThread::RunStartDay(today) : StartDate - kExtraDays;
}

TXFerThread::Download TOtcXFerThread::FetchSymbol(HttpClient& client, const std::string& symbol) {
    const ServiceSymbols s = otcSymbols(symbol);
    Download got{s.file, {}, {}};
    if (AddName) {
        client.clearExtraHeaders();
        client.setHeader(HttpHeader::UserAgent, kUserAgent36);
        client.setHeader(HttpHeader::ContentType, kTextHtml);
        client.setHeader(HttpHeader::Accept,
                         "text/html,application/xhtml+xml,application/xml;q=0.9,*/*");
        setCommonHeaders(client);
        const std::string answer =
            client.get(Addresses().otcQuote + "/stock/" + urlEncode(s.request) + "/quote");
        const std::string marker = fillFormat("<title>%s ", s.request);
        if (containsNoCase(answer, marker))
            got.name =
                CleanSymbolName(std::string(textBefore(textAfter(answer, marker), ": Summary")));
    }

    client.setHeader(HttpHeader::ContentType, kTextHtml);
    client.setHeader(HttpHeader::UserAgent, kUserAgent36);
    client.setHeader(HttpHeader::AcceptLanguage, kAcceptLanguage);
    client.setHeader(HttpHeader::AcceptEncoding, kAcceptEncoding);
    client.setHeader(HttpHeader::Accept, kAcceptAny);
    client.setHeader(HttpHeader::Connection, kKeepAlive);
    got.answer = client.postForm(Addresses().otcTradeStats + "/edgar/ajax/GetTradeStatsExcel.xls",
                                 {{"symbol", s.request},
                                  {"startDate", std::to_string(otcMilliseconds(StartDay()))},
                                  {"endDate", std::to_string(otcMilliseconds(EndDay()))},
                                  {"pageSize", "10"},
                                  {"sortOn", "date"},
                                  {"sortDir", "DESC"}});
    return got;
}

std::size_t TOtcXFerThread::ConvertAnswer(std::istream& answer, const TextSink& out) const {
    return convertOtcAnswer(answer, out, FormatSettings);
}

} // namespace qm

#include "YahooXfer.h"

#include "TextRules.h"

#include <optional>

namespace qm {

using namespace download;

namespace download {

ServiceSymbols yahooSymbols(std::string_view listed) {
    return {replaceFirst(toUpper(listed), "-", ":"), std::string(listed)};
}

std::size_t convertYahooAnswer(std::istream& answer, const TextSink& out,
                               const qm::FormatSettings& fs) {
    const auto isHeader = [](std::string_view line) {
        return line.find("Adj") != std::string_view::npos;
    };
    const auto rows = [](LineSource& lines, RowWriter& writer) {
        std::optional<double> firstDay;
        for (std::string line; lines.next(line);) {
            const auto pieces = splitPieces(line, ',');
            if (pieces.size() < 3) continue;
            const auto parts = splitPieces(pieces[0], '-');
            if (parts.size() != 3) throw ConvertError{};
            const CivilDate date{datePart(parts[0]), datePart(parts[1]), datePart(parts[2])};
            const double day = dayCountOf(date);
            // The service used to repeat its latest day at the top; the first row wins.
            if (!firstDay)
                firstDay = day;
            else if (day == *firstDay)
                continue;
            if (pieces.size() < 6) throw ConvertError{};
            writer.row(date, pieces[1], pieces[2], pieces[3], pieces[4], pieces[5]);
        }
    };
    return convertAnswer(answer, out, fs, isHeader, rows);
}

} // namespace download

HttpOptions TYahooXFerThread::ClientOptions() const {
    HttpOptions options;
    options.cookies = true;
    options.followRedirects = false;
    return options;
}

TXFerThread::Download TYahooXFerThread::FetchSymbol(HttpClient& client, const std::string& symbol) {
    const ServiceSymbols s = yahooSymbols(symbol);
    Download got{s.file, {}, {}};
    if (AddName) {
        client.clearExtraHeaders();
        client.addExtraHeader("DNT", "1");
        client.setHeader(HttpHeader::UserAgent, kUserAgent47);
        client.setHeader(HttpHeader::ContentType, kTextHtml);
        client.setHeader(HttpHeader::Accept, kTextHtml);
        client.setHeader(HttpHeader::Referer, Addresses().yahooReferer);
        setCommonHeaders(client);
        const std::string answer = client.get(
            Addresses().yahooLookup + "/aq/autoc?query=" + urlEncode(toLower(s.request)) +
            "&region=US&lang=en-US&callback=YAHOO.util.ScriptNodeDataSource.callbacks");
        if (containsNoCase(answer, fillFormat(R"(:[{"symbol":"%s",)", s.request))) {
            const std::string marker = fillFormat(R"([{"symbol":"%s","name":")", s.request);
            got.name =
                CleanSymbolName(std::string(textBefore(textAfter(answer, marker), R"(","exch":)")));
        }
    }

    client.setHeader(HttpHeader::ContentType, kTextHtml);
    client.setHeader(HttpHeader::UserAgent, kUserAgent47);
    setCommonHeaders(client);
    const Day start = StartParts();
    const Day end = EndParts();
    const std::string query = "s=" + urlEncode(s.request) + "&d=" + std::to_string(end.month - 1) +
                              "&e=" + std::to_string(end.day) + "&f=" + std::to_string(end.year) +
                              "&g=d&a=" + std::to_string(start.month - 1) +
                              "&b=" + std::to_string(start.day) +
                              "&c=" + std::to_string(start.year) + "&ignore=.csv";
    got.answer = client.get(Addresses().yahooHistory + "/table.csv?" + query);
    return got;
}

std::size_t TYahooXFerThread::ConvertAnswer(std::istream& answer, const TextSink& out) const {
    return convertYahooAnswer(answer, out, FormatSettings);
}

} // namespace qm

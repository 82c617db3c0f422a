#include "QuoteMediaXfer.h"

#include "TextRules.h"

namespace qm {

using namespace download;

namespace download {
namespace {

struct QuoteRow {
    CivilDate date;
    double day = 0;
    std::string_view open, high, low, close, volume;
};

QuoteRow rowOf(const std::vector<std::string_view>& p) {
    if (p.size() < 6) throw ConvertError{};
    const auto parts = splitPieces(p[0], '-');
    if (parts.size() != 3) throw ConvertError{};
    QuoteRow row;
    row.date = {datePart(parts[0]), datePart(parts[1]), datePart(parts[2])};
    row.day = dayCountOf(row.date);
    const auto missing = [](std::string_view v) { return v.find("N/A") != std::string_view::npos; };
    if (!missing(p[1]) && !missing(p[2]) && !missing(p[3]))
        row = {row.date, row.day, p[1], p[2], p[3], p[4], p[5]};
    else
        row = {row.date, row.day, p[4], p[4], p[4], p[4], "0"};
    return row;
}

void write(RowWriter& writer, const QuoteRow& r) {
    writer.row(r.date, r.open, r.high, r.low, r.close, r.volume);
}

} // namespace

QuoteMediaSymbols quoteMediaSymbols(std::string_view listed) {
    QuoteMediaSymbols s;
    s.lookup = replaceFirst(replaceFirst(listed, "~", "/"), "-", ":");
    s.request = toUpper(s.lookup);
    s.file = replaceFirst(s.lookup, "/", "~");
    s.file = replaceFirst(s.file, ":", "-");
    s.file = replaceFirst(s.file, "!", "");
    return s;
}

std::size_t convertQuoteMediaAnswer(std::istream& answer, const TextSink& out,
                                    const qm::FormatSettings& fs) {
    const auto isHeader = [](std::string_view line) {
        return toLower(line).find("date") != std::string::npos;
    };
    const auto rows = [](LineSource& lines, RowWriter& writer) {
        // The first line may repeat or run ahead of the second; it is kept only when it is
        // the newer of the two.
        std::string lineA, lineB;
        if (!lines.next(lineA) || !lines.next(lineB)) throw ConvertError{};
        const auto a = splitPieces(lineA, ',');
        const auto b = splitPieces(lineB, ',');
        if (a.size() < 3 || b.size() < 3) throw ConvertError{};
        const QuoteRow rowA = rowOf(a);
        const QuoteRow rowB = rowOf(b);
        if (rowB.day < rowA.day) write(writer, rowA);
        write(writer, rowB);
        for (std::string line; lines.next(line);) {
            const auto p = splitPieces(line, ',');
            if (p.size() < 3) continue;
            write(writer, rowOf(p));
        }
    };
    return convertAnswer(answer, out, fs, isHeader, rows);
}

} // namespace download

HttpOptions TQuoteMediaXFerThread::ClientOptions() const {
    HttpOptions options;
    options.cookies = true;
    options.followRedirects = true;
    return options;
}

TXFerThread::Download TQuoteMediaXFerThread::FetchSymbol(HttpClient& client,
                                                         const std::string& symbol) {
    const QuoteMediaSymbols s = quoteMediaSymbols(symbol);
    Download got{s.file, {}, {}};
    // Futures have no company name.
    if (AddName && s.lookup.find('/') == std::string::npos) {
        client.clearExtraHeaders();
        client.setHeader(HttpHeader::UserAgent, kUserAgent36);
        client.setHeader(HttpHeader::Accept, kAcceptAny);
        client.setHeader(HttpHeader::ContentType, kTextHtml);
        setCommonHeaders(client);
        const std::string answer = client.get(
            Addresses().qmediaLookup + "/lookup?callback=jsonp1370239864018&_=1370239967791&q=" +
            urlEncode(s.lookup) + "&limit=10&timestamp=1370239967790&async=true" +
            "&webmasterId=" + urlEncode(Addresses().qmediaLookupId));
        if (containsNoCase(answer, fillFormat(R"("symbol":"%s")", s.lookup)))
            got.name = CleanSymbolName(
                std::string(textBefore(textAfter(answer, R"("name":")"), R"(","countryCode")")));
    }

    client.setHeader(HttpHeader::ContentType, kTextHtml);
    client.setHeader(HttpHeader::UserAgent, kUserAgent47);
    client.setHeader(HttpHeader::Accept,
                     "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
    setCommonHeaders(client);
    const Day start = StartParts();
    const Day end = EndParts();
    const std::string query =
        "webmasterId=" + urlEncode(Addresses().qmediaHistoryId) +
        "&symbol=" + urlEncode(s.request) + "&startDay=" + std::to_string(start.day) +
        "&startMonth=" + std::to_string(start.month - 1) +
        "&startYear=" + std::to_string(start.year) + "&endDay=" + std::to_string(end.day) +
        "&endMonth=" + std::to_string(end.month - 1) + "&endYear=" + std::to_string(end.year) +
        "&isRanged=true";
    got.answer =
        client.get(Addresses().qmediaHistory + "/quotetools/getHistoryDownload.csv?" + query);
    return got;
}

std::size_t TQuoteMediaXFerThread::ConvertAnswer(std::istream& answer, const TextSink& out) const {
    return convertQuoteMediaAnswer(answer, out, FormatSettings);
}

} // namespace qm

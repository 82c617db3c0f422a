#include "NasdaqXfer.h"

#include "TextRules.h"

#include <cmath>

namespace qm {

using namespace download;

namespace download {

std::string nasdaqFileSymbol(std::string_view listed) {
    std::string file = replaceFirst(listed, ":", "-");
    file = replaceFirst(file, ".", "");
    file = replaceFirst(file, "/", "Sp");
    return replaceFirst(file, "\\.", "Sp");
}

std::string_view nasdaqPeriodCode(int days) {
    if (days <= 5) return "5d";
    if (days <= 31) return "1m";
    if (days <= 92) return "3m";
    if (days <= 370) return "1y";
    if (days <= 730) return "2y";
    if (days <= 1095) return "3y";
    if (days <= 1825) return "5y";
    return "6y";
}

std::size_t convertNasdaqAnswer(std::istream& answer, const TextSink& out,
                                const qm::FormatSettings& fs) {
    const auto isHeader = [](std::string_view line) {
        return line.find(R"("date","close")") != std::string_view::npos;
    };
    const auto rows = [](LineSource& lines, RowWriter& writer) {
        std::string line;
        // The line after the header holds the day in progress.
        if (!lines.next(line)) return;
        while (lines.next(line)) {
            std::erase(line, '"');
            const auto p = splitPieces(line, ',');
            if (p.size() < 6 || p[0].size() < 7) throw ConvertError{};
            const std::string_view d = p[0];
            const CivilDate date{datePart(d.substr(0, 4)), datePart(d.substr(5, 2)),
                                 datePart(d.substr(d.size() - 2))};
            const std::string volume = replaceAll(replaceAll(p[2], ".0000", ""), "-", "0");
            writer.row(date, p[3], p[4], p[5], p[1], volume);
        }
    };
    return convertAnswer(answer, out, fs, isHeader, rows);
}

} // namespace download

HttpOptions TNasdaqXFerThread::ClientOptions() const {
    HttpOptions options;
    options.cookies = false;
    options.followRedirects = true;
    return options;
}

void TNasdaqXFerThread::BeginRun(HttpClient& client) {
    client.setHeader(HttpHeader::UserAgent, kUserAgent47);
    client.setHeader(HttpHeader::Connection, kKeepAlive);
    client.get(Addresses().nasdaqHome + "/");
}

TXFerThread::Download TNasdaqXFerThread::FetchSymbol(HttpClient& client,
                                                     const std::string& symbol) {
    Download got{nasdaqFileSymbol(symbol), {}, {}};
    if (AddName) {
        client.clearExtraHeaders();
        client.addExtraHeader("X-Requested-With", "XMLHttpRequest");
        client.setHeader(HttpHeader::UserAgent, kUserAgent47);
        client.setHeader(HttpHeader::Accept, "text/plain, */*; q=0.01");
        client.setHeader(HttpHeader::Referer, Addresses().nasdaqReferer);
        setCommonHeaders(client);
        try {
            const std::string answer = client.get(
                Addresses().nasdaqSearch + "/aspx/symbolnamesearch.aspx?q=" + urlEncode(symbol));
            const std::string marker = fillFormat("%s |", toUpper(symbol));
            if (containsNoCase(answer, marker)) {
                const std::string name(trimBlanks(textBefore(textAfter(answer, marker), ";")));
                if (name.find("Get Quote") == std::string::npos && !name.empty())
                    got.name = CleanSymbolName(name);
            }
        } catch (const HttpError& e) {
            // Without a name the symbol is still fetched.
            if (e.kind() != HttpErrorKind::Protocol) throw;
        }
    }

    client.clearExtraHeaders();
    client.addExtraHeader("X-Requested-With", "XMLHttpRequest");
    client.setHeader(HttpHeader::ContentType, "application/json; charset=UTF-8");
    client.setHeader(HttpHeader::UserAgent, kUserAgent47);
    client.setHeader(HttpHeader::Accept, kAcceptAny);
    setCommonHeaders(client);
    const int days = static_cast<int>(std::floor(EndDay()) - std::floor(StartDay()));
    got.answer = client.post(Addresses().nasdaqHistory + "/symbol/" + urlEncode(toLower(symbol)) +
                                 "/historical",
                             std::string(nasdaqPeriodCode(days)) + "|true|" + symbol);
    return got;
}

std::size_t TNasdaqXFerThread::ConvertAnswer(std::istream& answer, const TextSink& out) const {
    return convertNasdaqAnswer(answer, out, FormatSettings);
}

} // namespace qm

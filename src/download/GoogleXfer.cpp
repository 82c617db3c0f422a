#include "GoogleXfer.h"

#include "TextRules.h"

#include <algorithm>

namespace qm {

using namespace download;

namespace download {
namespace {

int monthOfAbbreviation(std::string_view text) {
    const auto it = std::find(kMonthAbbreviations.begin(), kMonthAbbreviations.end(), text);
    if (it == kMonthAbbreviations.end()) throw ConvertError{};
    return static_cast<int>(it - kMonthAbbreviations.begin()) + 1;
}

// The answer writes years with two digits; a price history holds no future year, so the
// digits name the latest such year up to the current one.
int fullYear(int twoDigits, int currentYear) {
    if (twoDigits < 0) throw ConvertError{};
    if (twoDigits > 99) return twoDigits;
    const int century = currentYear / 100 * 100;
    const int year = century + twoDigits;
    return year > currentYear ? year - 100 : year;
}

} // namespace

GoogleSymbols googleSymbols(std::string_view listed, bool addName) {
    const std::string r0 = replaceFirst(listed, "-", ":");
    const std::size_t colon = r0.find(':');
    GoogleSymbols s;
    s.shortSymbol = colon == std::string::npos ? r0 : r0.substr(colon + 1);
    s.request = toUpper(r0);
    s.file = addName ? toUpper(r0) : r0;
    s.file = replaceFirst(s.file, ":.", "-");
    s.file = replaceFirst(s.file, ":", "-");
    return s;
}

std::size_t convertGoogleAnswer(std::istream& answer, const TextSink& out,
                                const qm::FormatSettings& fs, int currentYear) {
    const auto isHeader = [](std::string_view line) {
        return line.find("Date") != std::string_view::npos;
    };
    const auto rows = [currentYear](LineSource& lines, RowWriter& writer) {
        for (std::string line; lines.next(line);) {
            const auto p = splitPieces(line, ',');
            if (p.size() < 3) continue;
            if (p.size() < 6) throw ConvertError{};
            // A day without trading repeats the close with no volume.
            if (p[1] == p[2] && p[2] == p[3] && p[3] == p[4] && p[5] == "0") continue;
            const auto parts = splitPieces(p[0], '-');
            if (parts.size() != 3) throw ConvertError{};
            const CivilDate date{fullYear(datePart(parts[2]), currentYear),
                                 monthOfAbbreviation(parts[1]), datePart(parts[0])};
            if (p[1] != "-" && p[2] != "-" && p[3] != "-")
                writer.row(date, p[1], p[2], p[3], p[4], p[5] == "-" ? "0" : p[5]);
            else
                writer.row(date, p[4], p[4], p[4], p[4], "0");
        }
    };
    return convertAnswer(answer, out, fs, isHeader, rows);
}

} // namespace download

HttpOptions TGoogleXFerThread::ClientOptions() const {
    HttpOptions options;
    options.cookies = false;
    options.followRedirects = true;
    return options;
}

TXFerThread::Download TGoogleXFerThread::FetchSymbol(HttpClient& client,
                                                     const std::string& symbol) {
    const GoogleSymbols s = googleSymbols(symbol, AddName);
    Download got{s.file, {}, {}};
    if (AddName) {
        client.clearExtraHeaders();
        client.addExtraHeader("DNT", "1");
        client.setHeader(HttpHeader::UserAgent, kUserAgent47);
        client.setHeader(HttpHeader::ContentType, kTextHtml);
        client.setHeader(HttpHeader::Accept, kTextHtml);
        setCommonHeaders(client);
        const std::string answer =
            client.get(Addresses().googleFinance +
                       "/finance/match?matchtype=matchall&q=" + urlEncode(s.request));
        const std::string marker = fillFormat(R"({"t":"%s","n":")", s.shortSymbol);
        if (containsNoCase(answer, marker))
            got.name =
                CleanSymbolName(std::string(textBefore(textAfter(answer, marker), R"(","e":)")));
    }

    client.setHeader(HttpHeader::UserAgent, kUserAgent36);
    client.setHeader(HttpHeader::Accept, kAcceptAny);
    client.setHeader(HttpHeader::ContentType, kTextHtml);
    setCommonHeaders(client);
    const Day start = StartParts();
    const Day end = EndParts();
    const auto month = [](int m) {
        return std::string(kMonthAbbreviations[static_cast<std::size_t>(m - 1)]);
    };
    const std::string query = "q=" + urlEncode(s.request) + "&startdate=" + month(start.month) +
                              "+" + std::to_string(start.day) + ",+" + std::to_string(start.year) +
                              "&enddate=" + month(end.month) + "+" + std::to_string(end.day) +
                              ",+" + std::to_string(end.year) + "&histperiod=daily&output=csv";
    got.answer = client.get(Addresses().googleFinance + "/finance/historical?" + query);
    return got;
}

std::size_t TGoogleXFerThread::ConvertAnswer(std::istream& answer, const TextSink& out) const {
    return convertGoogleAnswer(answer, out, FormatSettings, EndParts().year);
}

} // namespace qm

// The five quote-service answer converters, and the decoding of compressed answers, on any
// answer text.
//
// Input: the low three bits of byte 0 pick the reader (0 Yahoo, 1 Google, 2 OTC Markets,
// 3 QuoteMedia, 4 Nasdaq, 5 gzip decoding, 6 deflate decoding, 7 a ticker file with the symbol
// and file name rules of every service); bit 7 makes the output refuse its text after the first
// piece, as a full disk would; bit 6 picks day-first regional settings. The rest is the answer
// (or the ticker file).

#include "FuzzSupport.h"
#include "download/DownloadMessages.h"
#include "download/GoogleXfer.h"
#include "download/Inflate.h"
#include "download/NasdaqXfer.h"
#include "download/OtcXfer.h"
#include "download/QuoteMediaXfer.h"
#include "download/SymbolFiles.h"
#include "download/TickerList.h"
#include "download/YahooXfer.h"
#include "market/AsciiFileReader.h"

#include <algorithm>
#include <sstream>

using namespace qm;
using namespace qm::download;

namespace {

// What a converter writes is a price file: the program's own reader must read every row of it.
void checkReadable(std::size_t rows, const std::string& text, const FormatSettings& fs) {
    const std::filesystem::path folder = fuzz::freshFolder("converted");
    fuzz::writeBytes(folder / "ACME.csv", text);
    SilentSink sink;
    TAsciiFileReader reader(fs, folder, 2016, sink);
    reader.readFile(folder / "ACME.csv");
    QM_FUZZ_CHECK(static_cast<std::size_t>(reader.barCount()) == rows,
                  "the reader reads every converted row");
    QM_FUZZ_CHECK(reader.dataKind() == DataKind::Full, "converted rows carry every field");
}

void checkConverted(std::size_t rows, const std::string& text, bool refused) {
    if (rows == 0) return;
    QM_FUZZ_CHECK(!refused, "no rows reported when the output refused text");
    const std::string header = std::string(kPriceFileHeader) + std::string(kLineEnd);
    QM_FUZZ_CHECK(text.starts_with(header), "the price file header first");
    const std::size_t lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    QM_FUZZ_CHECK(lines == rows + 1, "one line per row reported");
    QM_FUZZ_CHECK(text.ends_with(kLineEnd), "whole lines only");
}

void decode(std::string_view body, ContentEncoding encoding) {
    InflateLimits limits;
    // Small limits, so that their checks are reached.
    limits.maxDecodedBytes = 1u << 16;
    limits.maxExpansionRatio = 20;
    limits.ratioFloorBytes = 1u << 12;
    try {
        const std::string text = decodeContent(body, encoding, limits);
        QM_FUZZ_CHECK(text.size() <= limits.maxDecodedBytes, "decoded text within its limit");
    } catch (const DecodeError&) {
    }
}

// A file name made from a symbol or company name that came from outside stays in its folder.
void checkFileName(const std::string& name) {
    QM_FUZZ_CHECK(name.size() <= kMaxFileNameBytes, "file names within their length");
    QM_FUZZ_CHECK(name.find('/') == std::string::npos && name.find('\0') == std::string::npos,
                  "no path separator in a file name");
    QM_FUZZ_CHECK(name != "." && name != "..", "a file name is no folder reference");
}

void tickers(std::string_view fileText) {
    const std::filesystem::path folder = fuzz::freshFolder("tickers");
    fuzz::writeBytes(folder / "YAHOOtickers.txt", fileText);
    const std::vector<std::string> lines = loadTickerList(folder / "YAHOOtickers.txt");
    for (std::size_t i = 1; i < lines.size(); ++i)
        QM_FUZZ_CHECK(tickerLess(lines[i - 1], lines[i]), "tickers sorted, each once");
    for (const std::string& listed : lines) {
        const std::string name = cleanSymbolName(listed);
        checkFileName(downloadFileName(yahooSymbols(listed).file, name));
        checkFileName(downloadFileName(googleSymbols(listed, true).file, name));
        checkFileName(downloadFileName(googleSymbols(listed, false).file, {}));
        checkFileName(downloadFileName(otcSymbols(listed).file, listed));
        checkFileName(downloadFileName(quoteMediaSymbols(listed).file, {}));
        checkFileName(downloadFileName(nasdaqFileSymbol(listed), name));
        QM_FUZZ_CHECK(symbolOfFileName(downloadFileName(listed, {})).size() <= kMaxFileNameBytes,
                      "a symbol back from its file name");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t mode = data[0];
    const std::string_view answerText(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (mode & 7) {
    case 5:
        decode(answerText, ContentEncoding::Gzip);
        return 0;
    case 6:
        decode(answerText, ContentEncoding::Deflate);
        return 0;
    case 7:
        tickers(answerText);
        return 0;
    default:
        break;
    }

    const FormatSettings fs =
        (mode & 0x40) != 0 ? FormatSettings::dayFirst() : FormatSettings::unitedStates();
    const bool sinkFull = (mode & 0x80) != 0;
    std::string text;
    int pieces = 0;
    bool refused = false;
    const TextSink sink = [&](std::string_view piece) {
        if (sinkFull && pieces++ > 0) {
            refused = true;
            return false;
        }
        text += piece;
        return true;
    };
    std::istringstream answer{std::string(answerText)};
    std::size_t rows = 0;
    switch (mode & 7) {
    case 0:
        rows = convertYahooAnswer(answer, sink, fs);
        break;
    case 1:
        rows = convertGoogleAnswer(answer, sink, fs, 2016);
        break;
    case 2:
        rows = convertOtcAnswer(answer, sink, fs);
        break;
    case 3:
        rows = convertQuoteMediaAnswer(answer, sink, fs);
        break;
    default:
        rows = convertNasdaqAnswer(answer, sink, fs);
        break;
    }
    checkConverted(rows, text, refused);
    if (rows > 0 && !refused) checkReadable(rows, text, fs);
    return 0;
}

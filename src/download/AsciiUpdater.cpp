#include "AsciiUpdater.h"

#include "DownloadMessages.h"
#include "TextRules.h"
#include "market/DateText.h"
#include "market/SafeFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace qm {

using namespace download;

namespace {

constexpr int kScanLines = 10;
// No price row comes near this; a longer line is read past and treated as a line without a
// date, so a file without line ends cannot make us hold it whole.
constexpr std::size_t kMaxLineBytes = 1u << 20;

// The next line without its line end; `overlong` when it was cut at kMaxLineBytes.
bool readLine(std::istream& in, std::string& line, bool& overlong) {
    line.clear();
    overlong = false;
    std::streambuf* buf = in.rdbuf();
    bool any = false;
    for (;;) {
        const int c = buf->sbumpc();
        if (c == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        any = true;
        if (c == '\n') break;
        if (line.size() < kMaxLineBytes)
            line += static_cast<char>(c);
        else
            overlong = true;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return any;
}

// A line's first field: up to the first comma, blank or control character; a field in double
// quotes may hold those.
std::string_view firstField(std::string_view line) {
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        return line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    }
    std::size_t end = 0;
    while (end < line.size() && line[end] != ',' && static_cast<unsigned char>(line[end]) > ' ')
        ++end;
    return line.substr(0, end);
}

} // namespace

TAsciiUpdater::TAsciiUpdater(const qm::FormatSettings& formatSettings)
    : FormatSettings(formatSettings), currentYear_(currentCalendarYear()) {}

std::optional<double> TAsciiUpdater::DateOf(std::string_view text) const {
    // Completely in the short date format: three numbers, nothing after the last.
    const char sep = FormatSettings.dateSeparator;
    if (std::count(text.begin(), text.end(), sep) != 2 || trimBlanks(text).ends_with(sep))
        return std::nullopt;
    const DateOrder order = dateOrderOf(FormatSettings.shortDatePattern);
    // A two-digit year names the latest such year up to this one, so rows of the last century
    // stay older than the new rows.
    const auto date = parseDateText(text, order, sep, currentYear_);
    if (!date) return std::nullopt;
    return encodeDate(date->year, date->month, date->day);
}

void TAsciiUpdater::ScanLayout() {
    DateFound = false;
    FieldCount = 0;
    FirstDataLine = 0;
    Separator = 0;
    std::ifstream in(FilePath, std::ios::binary);
    std::string raw;
    bool overlong = false;
    for (int index = 0; index < kScanLines && readLine(in, raw, overlong); ++index) {
        const std::string_view line = trimBlanks(raw);
        const auto tabs = std::count(line.begin(), line.end(), '\t');
        const auto blanks = std::count(line.begin(), line.end(), ' ');
        const auto commas = std::count(line.begin(), line.end(), ',');
        if (commas > blanks && commas > tabs)
            Separator = ',';
        else if (blanks > commas && blanks > tabs)
            Separator = ' ';
        else if (tabs > blanks && tabs > commas)
            Separator = '\t';

        std::vector<std::string_view> pieces;
        if (Separator != 0)
            pieces = splitPieces(line, Separator);
        else if (!line.empty())
            pieces.push_back(line);
        if (pieces.size() >= 2 && !overlong && DateOf(pieces[0])) {
            FieldCount = static_cast<int>(pieces.size()) - 1;
            FirstDataLine = index;
            DateFound = true;
            return;
        }
    }
}

bool TAsciiUpdater::MergeUpdate(const std::string& pricePath, const std::string& updatePath) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(pricePath, ec)) return false;
    FilePath = pricePath;
    ScanLayout();
    const int priceCount = FieldCount;
    if (!std::filesystem::is_regular_file(updatePath, ec)) return false;
    FilePath = updatePath;
    ScanLayout();
    if (priceCount == 0 || FieldCount != priceCount) return false;

    std::ifstream update(updatePath, std::ios::binary);
    std::ifstream price(pricePath, std::ios::binary);
    if (!update || !price) return false;

    const SaveResult saved = saveFileAtomically(pricePath, [&](const ChunkWriter& write) {
        const auto writeLine = [&write](std::string_view line) {
            return write(line) && write(kLineEnd);
        };
        std::string line;
        bool overlong = false;

        // The header and the new rows; D, the date of the last (oldest) new row.
        std::optional<double> oldestNew;
        bool first = true;
        while (readLine(update, line, overlong)) {
            if (first) {
                first = false;
                if (line.find("Date") != std::string::npos && !writeLine(line)) return false;
                continue;
            }
            const auto date = overlong ? std::nullopt : DateOf(firstField(line));
            if (!date) continue;
            if (!writeLine(line)) return false;
            oldestNew = date;
        }
        if (update.bad() || !oldestNew) return false;

        // The old rows older than every new row. A file kept oldest first would come out in
        // two orders; it is refused.
        std::optional<double> firstOld;
        bool orderChecked = false;
        while (readLine(price, line, overlong)) {
            const auto date = overlong ? std::nullopt : DateOf(firstField(line));
            if (!date) continue;
            if (!orderChecked) {
                if (!firstOld) {
                    firstOld = date;
                } else {
                    if (*date > *firstOld) return false;
                    orderChecked = true;
                }
            }
            if (*date < *oldestNew && !writeLine(line)) return false;
        }
        return !price.bad();
    });
    update.close();
    std::filesystem::remove(updatePath, ec);
    return saved.ok;
}

} // namespace qm

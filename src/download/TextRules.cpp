#include "TextRules.h"

#include <algorithm>

namespace qm::download {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char upperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string toUpper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), upperAscii);
    return out;
}

std::string toLower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerAscii);
    return out;
}

std::size_t findNoCase(std::string_view text, std::string_view what) {
    if (what.empty()) return 0;
    const auto it = std::search(text.begin(), text.end(), what.begin(), what.end(),
                                [](char a, char b) { return lowerAscii(a) == lowerAscii(b); });
    return it == text.end() ? std::string_view::npos : static_cast<std::size_t>(it - text.begin());
}

std::string replaceFirst(std::string_view text, std::string_view what, std::string_view with) {
    const std::size_t at = what.empty() ? std::string_view::npos : findNoCase(text, what);
    if (at == std::string_view::npos) return std::string(text);
    std::string out(text.substr(0, at));
    out += with;
    out += text.substr(at + what.size());
    return out;
}

std::string replaceAll(std::string_view text, std::string_view what, std::string_view with) {
    if (what.empty()) return std::string(text);
    std::string out;
    for (;;) {
        const std::size_t at = findNoCase(text, what);
        if (at == std::string_view::npos) break;
        out += text.substr(0, at);
        out += with;
        text.remove_prefix(at + what.size());
    }
    out += text;
    return out;
}

std::string_view textAfter(std::string_view text, std::string_view marker) {
    const std::size_t at = text.find(marker);
    return at == std::string_view::npos ? std::string_view{} : text.substr(at + marker.size());
}

std::string_view textBefore(std::string_view text, std::string_view marker) {
    return text.substr(0, text.find(marker));
}

std::vector<std::string_view> splitPieces(std::string_view line, char separator) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t end = line.find(separator, start);
        if (end == std::string_view::npos) end = line.size();
        if (end > start) pieces.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string fillFormat(std::string_view format, std::string_view value) {
    const std::size_t at = format.find("%s");
    if (at == std::string_view::npos) return std::string(format);
    std::string out(format.substr(0, at));
    out += value;
    out += format.substr(at + 2);
    return out;
}

} // namespace qm::download

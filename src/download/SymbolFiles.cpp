#include "SymbolFiles.h"

#include "TextRules.h"

#include <algorithm>

namespace qm::download {
namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && findNoCase(a, b) == 0;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// Separators become "-", control characters are dropped.
std::string safeComponent(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\')
            out += '-';
        else if (u >= 0x20 && u != 0x7f)
            out += c;
    }
    return out;
}

// Cuts `text` to at most `bytes` bytes without splitting a UTF-8 sequence.
std::string cutTo(std::string text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The code unit of the escape "\uXXXX" at `at`, or -1 when none starts there.
long escapedUnitAt(std::string_view text, std::size_t at) {
    if (text.size() - at < 6 || text[at] != '\\' || (text[at + 1] != 'u' && text[at + 1] != 'U'))
        return -1;
    long unit = 0;
    for (std::size_t i = at + 2; i < at + 6; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0) return -1;
        unit = unit * 16 + digit;
    }
    return unit;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isHighSurrogate(long unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(long unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The JSON escapes "\uXXXX" of a looked-up name as UTF-8 characters; a surrogate pair is one
// character, a lone surrogate stands for none. An escaped backslash ("\\") is kept as it is,
// so the text after it is no escape.
std::string decodeUnicodeEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, 2, "\\\\") == 0) {
            out += text.substr(i, 2);
            i += 2;
            continue;
        }
        const long unit = escapedUnitAt(text, i);
        if (unit < 0) {
            out += text[i++];
            continue;
        }
        i += 6;
        if (isHighSurrogate(unit)) {
            const long low = escapedUnitAt(text, i);
            if (!isLowSurrogate(low)) continue;
            i += 6;
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        } else if (!isLowSurrogate(unit)) {
            appendUtf8(out, static_cast<char32_t>(unit));
        }
    }
    return out;
}

constexpr std::string_view kExtension = ".csv";
constexpr std::string_view kNameSeparator = " = ";

} // namespace

std::string cleanSymbolName(std::string_view name) {
    struct Replacement {
        std::string_view what, with;
    };
    // "&" and the apostrophe are escapes with rules of their own; every other escape is decoded
    // before the backslash rule could turn it into "-u00e9".
    static constexpr Replacement kEscapes[] = {{"\\u0026", "&"}, {"\\u0027", ""}};
    static constexpr Replacement kEverywhere[] = {
        {"&amp;", "&"}, {",", ""}, {".", ""}, {"\\", "-"}, {"/", "-"}, {"=", "-"},
    };
    static constexpr Replacement kFirstOnly[] = {
        {"Corporation", "Corp"},   {"Incorporated", "Inc"}, {"Limited", "Ltd"},
        {"International", "Intl"}, {"Company", "Co"},
    };
    std::string out(name);
    for (const auto& r : kEscapes) out = replaceAll(out, r.what, r.with);
    out = decodeUnicodeEscapes(out);
    for (const auto& r : kEverywhere) out = replaceAll(out, r.what, r.with);
    for (const auto& r : kFirstOnly) out = replaceFirst(out, r.what, r.with);
    return out;
}

std::string downloadFileName(std::string_view fileSymbol, std::string_view name) {
    std::string symbol = safeComponent(fileSymbol);
    for (std::size_t at = symbol.find(" ="); at != std::string::npos; at = symbol.find(" =", at))
        symbol[at + 1] = '-';
    symbol = cutTo(std::move(symbol), kMaxFileNameBytes - kExtension.size());

    std::string company(trimBlanks(safeComponent(name)));
    const std::size_t fixed = symbol.size() + kNameSeparator.size() + kExtension.size();
    company = fixed < kMaxFileNameBytes ? cutTo(std::move(company), kMaxFileNameBytes - fixed)
                                        : std::string{};
    company = std::string(trimBlanks(company));
    if (company.empty()) return symbol + std::string(kExtension);
    return symbol + std::string(kNameSeparator) + company + std::string(kExtension);
}

std::string symbolOfFileName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::string_view stem =
        dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
    if (stem.find('=') == std::string_view::npos) return std::string(stem);
    return std::string(textBefore(stem, " ="));
}

std::vector<std::filesystem::path> symbolFiles(const std::filesystem::path& folder,
                                               std::string_view fileName) {
    const std::string symbol = symbolOfFileName(fileName);
    const std::string plain = symbol + std::string(kExtension);
    const std::string named = symbol + std::string(kNameSeparator);
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string entry = it->path().filename().string();
        if (equalsNoCase(entry, plain) ||
            (startsWithNoCase(entry, named) && endsWithNoCase(entry, kExtension)))
            found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace qm::download

#pragma once
// The small text operations the quote-service adapters are written in: case-insensitive
// replacement of the first occurrence, the text after or before a marker, splitting without
// empty pieces.

#include <string>
#include <string_view>
#include <vector>

namespace qm::download {

std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);

// Position of the first occurrence of `what`, ignoring ASCII case; npos when absent.
std::size_t findNoCase(std::string_view text, std::string_view what);
inline bool containsNoCase(std::string_view text, std::string_view what) {
    return findNoCase(text, what) != std::string_view::npos;
}

// `text` with the first occurrence of `what` (ignoring case) replaced by `with`.
std::string replaceFirst(std::string_view text, std::string_view what, std::string_view with);
// `text` with every occurrence of `what` (ignoring case) replaced by `with`.
std::string replaceAll(std::string_view text, std::string_view what, std::string_view with);

// The text after the first occurrence of `marker` (exact case), or empty when it is absent.
std::string_view textAfter(std::string_view text, std::string_view marker);
// The text up to the first occurrence of `marker` (exact case), or all of it when absent.
std::string_view textBefore(std::string_view text, std::string_view marker);

// The pieces between the separators; empty pieces are dropped.
std::vector<std::string_view> splitPieces(std::string_view line, char separator);

// `text` without characters up to and including the blank at either end (control
// characters count as blanks).
std::string_view trimBlanks(std::string_view text);

// "%s" in `format` replaced by `value`, once.
std::string fillFormat(std::string_view format, std::string_view value);

} // namespace qm::download

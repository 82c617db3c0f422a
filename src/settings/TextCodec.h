#pragma once
// Conversions of the text encodings a settings file may hold into the program's UTF-8.

#include <string>
#include <string_view>

namespace qm {

bool isAscii(std::string_view text);

// Windows-1252 bytes, as files written on Windows hold them. The five bytes that code page
// leaves undefined become the C1 controls of the same value, as the Windows conversion does.
std::string cp1252ToUtf8(std::string_view bytes);

// UTF-16LE code units (an even byte count); an unpaired surrogate becomes U+FFFD.
std::string utf16leToUtf8(std::string_view bytes);

// The text itself when it is well-formed UTF-8; otherwise each maximal ill-formed part becomes
// one U+FFFD (the Unicode recommended practice).
std::string validUtf8(std::string_view bytes);

} // namespace qm

#pragma once
// Text saved as UTF-16 ("Unicode text" of some Windows programs), turned into UTF-8 as it is
// read, so that the rest of the reader sees the bytes of any other text file.

#include <cstddef>
#include <optional>

namespace qm {

enum class Utf16Order : unsigned char { LittleEndian, BigEndian };

// The byte order a UTF-16 byte order mark at the start of `bytes` gives; nothing without one.
std::optional<Utf16Order> utf16OrderOfMark(const unsigned char* bytes, std::size_t size);

// Turns whole UTF-16 code units from `in` into UTF-8 in `out`, as many as fit in `room` bytes
// (at least 4), and returns how many bytes it wrote. `used` tells how many input bytes were
// turned; an odd last byte, or a lone first half of a surrogate pair at the end, waits for
// the bytes after it unless `atEnd`. A unit that is no character (a half of a surrogate pair
// without its other half) becomes U+FFFD.
std::size_t utf16ToUtf8(const unsigned char* in, std::size_t size, Utf16Order order, bool atEnd,
                        char* out, std::size_t room, std::size_t& used);

} // namespace qm

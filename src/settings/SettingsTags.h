#pragma once
// The one-byte tags that precede each value of a settings stream.

#include <cstdint>

namespace qm::settings_tags {

enum Tag : std::uint8_t {
    kEndOfList = 0,
    kListBegin = 1,
    kInt8 = 2,
    kInt16 = 3,
    kInt32 = 4,
    kExtended = 5,  // 10 bytes, 80-bit extended float
    kShortText = 6, // 1-byte length, Windows-1252 bytes
    kFalse = 8,
    kTrue = 9,
    kLongText = 12, // 4-byte length, Windows-1252 bytes
    kWideText = 18, // 4-byte count of UTF-16LE code units; read only
    kUtf8Text = 20, // 4-byte length, UTF-8 bytes
};

} // namespace qm::settings_tags

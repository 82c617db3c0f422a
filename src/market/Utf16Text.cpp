#include "Utf16Text.h"

#include <cstdint>

namespace qm {
namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;

bool isHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::size_t putUtf8(std::uint32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

} // namespace

std::optional<Utf16Order> utf16OrderOfMark(const unsigned char* bytes, std::size_t size) {
    if (size < 2) return std::nullopt;
    if (bytes[0] == 0xFF && bytes[1] == 0xFE) return Utf16Order::LittleEndian;
    if (bytes[0] == 0xFE && bytes[1] == 0xFF) return Utf16Order::BigEndian;
    return std::nullopt;
}

std::size_t utf16ToUtf8(const unsigned char* in, std::size_t size, Utf16Order order, bool atEnd,
                        char* out, std::size_t room, std::size_t& used) {
    const auto unitAt = [&](std::size_t at) -> std::uint32_t {
        return order == Utf16Order::LittleEndian ? in[at] | in[at + 1] << 8
                                                 : in[at] << 8 | in[at + 1];
    };
    std::size_t at = 0, written = 0;
    while (room - written >= 4) {
        if (size - at < 2) {
            if (atEnd && size - at == 1) { // half a unit at the end of the file
                written += putUtf8(kReplacement, out + written);
                ++at;
            }
            break;
        }
        std::uint32_t c = unitAt(at);
        std::size_t units = 1;
        if (isHighSurrogate(c)) {
            if (size - at < 4 && !atEnd) break; // its other half is still to come
            const std::uint32_t low = size - at >= 4 ? unitAt(at + 2) : 0;
            if (isLowSurrogate(low)) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                units = 2;
            } else {
                c = kReplacement;
            }
        } else if (isLowSurrogate(c)) {
            c = kReplacement;
        }
        written += putUtf8(c, out + written);
        at += 2 * units;
    }
    used = at;
    return written;
}

} // namespace qm

#include "market/Utf16Text.h"

#include <gtest/gtest.h>
#include <string>

namespace qm {
namespace {

std::string decode(const std::string& bytes, Utf16Order order, bool atEnd, std::size_t& used) {
    std::string out(bytes.size() * 2 + 4, '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    out.resize(utf16ToUtf8(in, bytes.size(), order, atEnd, out.data(), out.size(), used));
    return out;
}

TEST(Utf16Text, TurnsUnitsIntoUtf8) {
    struct Case {
        const char* name;
        std::string littleEndian;
        std::string utf8;
    };
    const Case cases[] = {
        {"ascii", {"A\0,\0\r\0\n\0", 8}, "A,\r\n"},
        {"two and three bytes", {"\xFC\0\xAC\x20", 4}, "\xC3\xBC\xE2\x82\xAC"},
        {"surrogate pair", "\x3D\xD8\xC8\xDC", "\xF0\x9F\x93\x88"},
        {"lone second half",
         {"\xC8\xDC"
          "A\0",
          4},
         "\xEF\xBF\xBD"
         "A"},
        {"first half without its second",
         {"\x3D\xD8"
          "A\0",
          4},
         "\xEF\xBF\xBD"
         "A"},
        {"first half at the end", "\x3D\xD8", "\xEF\xBF\xBD"},
        {"odd byte at the end", {"A\0B", 3}, "A\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t used = 0;
        EXPECT_EQ(decode(c.littleEndian, Utf16Order::LittleEndian, true, used), c.utf8);
        EXPECT_EQ(used, c.littleEndian.size());
        if (c.littleEndian.size() % 2 != 0) continue;
        std::string bigEndian = c.littleEndian;
        for (std::size_t i = 0; i < bigEndian.size(); i += 2)
            std::swap(bigEndian[i], bigEndian[i + 1]);
        EXPECT_EQ(decode(bigEndian, Utf16Order::BigEndian, true, used), c.utf8);
    }
}

// Text read in pieces decodes as it does whole, wherever the pieces end: a unit or a pair
// cut in two waits for the rest.
TEST(Utf16Text, PiecesCutAnywhereDecodeAsTheWhole) {
    const std::string whole = {"A\0\xFC\0\x3D\xD8\xC8\xDC\xAC\x20"
                               "B\0",
                               12};
    std::size_t used = 0;
    const std::string expected = decode(whole, Utf16Order::LittleEndian, true, used);
    for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
        SCOPED_TRACE(cut);
        std::size_t first = 0, second = 0;
        std::string out = decode(whole.substr(0, cut), Utf16Order::LittleEndian, false, first);
        out += decode(whole.substr(first), Utf16Order::LittleEndian, true, second);
        EXPECT_EQ(out, expected);
        EXPECT_EQ(first + second, whole.size());
    }
}

TEST(Utf16Text, ByteOrderMarks) {
    const unsigned char le[] = {0xFF, 0xFE}, be[] = {0xFE, 0xFF}, utf8[] = {0xEF, 0xBB};
    EXPECT_EQ(utf16OrderOfMark(le, 2), Utf16Order::LittleEndian);
    EXPECT_EQ(utf16OrderOfMark(be, 2), Utf16Order::BigEndian);
    EXPECT_EQ(utf16OrderOfMark(utf8, 2), std::nullopt);
    EXPECT_EQ(utf16OrderOfMark(le, 1), std::nullopt);
}

} // namespace
} // namespace qm

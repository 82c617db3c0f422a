#include "settings/TextCodec.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using namespace std::string_literals;

#define FFFD "\xEF\xBF\xBD"

struct Case {
    std::string in;
    std::string out;
};

TEST(TextCodec, Cp1252) {
    const Case cases[] = {
        {"Dow Jones", "Dow Jones"},
        {"\x80", "\xE2\x82\xAC"},                                             // euro sign
        {"\x85", "\xE2\x80\xA6"},                                             // ellipsis
        {"\x8A", "\xC5\xA0"},                                                 // S caron
        {"\x92", "\xE2\x80\x99"},                                             // right single quote
        {"\x99", "\xE2\x84\xA2"},                                             // trade mark
        {"\x9F", "\xC5\xB8"},                                                 // Y diaeresis
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}, // undefined
        {"\xA0\xE9\xFF", "\xC2\xA0\xC3\xA9\xC3\xBF"},                         // Latin-1 half
        {"a\0b"s, "a\0b"s},
    };
    for (const auto& c : cases) EXPECT_EQ(cp1252ToUtf8(c.in), c.out) << c.in;
}

TEST(TextCodec, Utf16) {
    const Case cases[] = {
        {"A\0\xE9\0"s, "A\xC3\xA9"},
        {"\xAC\x20"s, "\xE2\x82\xAC"},                          // U+20AC
        {"\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80"},              // U+1F600 as a pair
        {"\x3D\xD8"s, FFFD},                                    // high surrogate at the end
        {"\x3D\xD8\x41\x00"s, FFFD "A"},                        // high, then no low
        {"\x00\xDE\x41\x00"s, FFFD "A"},                        // low alone
        {"\x00\xDE\x3D\xD8"s, FFFD FFFD},                       // pair in the wrong order
        {"\x3D\xD8\x3D\xD8\x00\xDE"s, FFFD "\xF0\x9F\x98\x80"}, // the second high pairs
    };
    for (const auto& c : cases) EXPECT_EQ(utf16leToUtf8(c.in), c.out);
}

TEST(TextCodec, Utf8) {
    const Case cases[] = {
        {"plain", "plain"},
        {"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", // valid up to U+10FFFF
         "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
        {"\xC3(", FFFD "("},     // missing continuation
        {"a\xE2\x82", "a" FFFD}, // cut at the end: one replacement
        {"\xF0\x9F\x98"
         "A",
         FFFD "A"},
        {"\x80\xBF", FFFD FFFD},                   // stray continuations
        {"\xC0\xAF", FFFD FFFD},                   // overlong lead bytes are never valid
        {"\xE0\x80\xAF", FFFD FFFD FFFD},          // overlong three-byte form
        {"\xED\xA0\x80", FFFD FFFD FFFD},          // encoded surrogate
        {"\xF4\x90\x80\x80", FFFD FFFD FFFD FFFD}, // above U+10FFFF
        {"\xF5\xFF", FFFD FFFD},
        {"\xE9t\xE9", FFFD "t" FFFD}, // Latin-1 mistaken for UTF-8
    };
    for (const auto& c : cases) EXPECT_EQ(validUtf8(c.in), c.out) << c.in;
}

} // namespace
} // namespace qm

#include "settings/SettingsStream.h"

#include "settings/SettingsMessages.h"
#include "support/TempDir.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace qm {
namespace {

using namespace std::string_literals;

struct WriteCase {
    const char* name;
    std::function<void(SettingsWriter&)> write;
    std::string bytes;
};

TEST(SettingsWriter, WritesTheExactBytes) {
    const std::string x255(255, 'x'), x256(256, 'x');
    const WriteCase cases[] = {
        {"empty list", [](auto& w) { w.beginList(), w.endList(); }, "\x01\x00"s},
        {"0", [](auto& w) { w.writeInteger(0); }, "\x02\x00"s},
        {"127", [](auto& w) { w.writeInteger(127); }, "\x02\x7F"s},
        {"-128", [](auto& w) { w.writeInteger(-128); }, "\x02\x80"s},
        {"128", [](auto& w) { w.writeInteger(128); }, "\x03\x80\x00"s},
        {"-129", [](auto& w) { w.writeInteger(-129); }, "\x03\x7F\xFF"s},
        {"32767", [](auto& w) { w.writeInteger(32767); }, "\x03\xFF\x7F"s},
        {"-32768", [](auto& w) { w.writeInteger(-32768); }, "\x03\x00\x80"s},
        {"32768", [](auto& w) { w.writeInteger(32768); }, "\x04\x00\x80\x00\x00"s},
        {"-32769", [](auto& w) { w.writeInteger(-32769); }, "\x04\xFF\x7F\xFF\xFF"s},
        {"int min", [](auto& w) { w.writeInteger(std::numeric_limits<std::int32_t>::min()); },
         "\x04\x00\x00\x00\x80"s},
        {"true", [](auto& w) { w.writeBoolean(true); }, "\x09"s},
        {"false", [](auto& w) { w.writeBoolean(false); }, "\x08"s},
        {"1.0", [](auto& w) { w.writeFloat(1.0); },
         "\x05\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F"s},
        {"-0.5f", [](auto& w) { w.writeFloat(-0.5f); },
         "\x05\x00\x00\x00\x00\x00\x00\x00\x80\xFE\xBF"s},
        {"empty text", [](auto& w) { w.writeText(""); }, "\x06\x00"s},
        {"ascii text", [](auto& w) { w.writeText("IBM"); }, "\x06\x03IBM"s},
        {"255 ascii", [&](auto& w) { w.writeText(x255); }, "\x06\xFF"s + x255},
        {"256 ascii", [&](auto& w) { w.writeText(x256); }, "\x0C\x00\x01\x00\x00"s + x256},
        {"accented", [](auto& w) { w.writeText("\xC3\xA9"); }, "\x14\x02\x00\x00\x00\xC3\xA9"s},
        {"euro in path", [](auto& w) { w.writeText("/d/\xE2\x82\xAC.csv"); },
         "\x14\x0A\x00\x00\x00/d/\xE2\x82\xAC.csv"s},
    };
    for (const auto& c : cases) {
        SettingsWriter w;
        c.write(w);
        EXPECT_EQ(w.bytes(), c.bytes) << c.name;
    }
}

TEST(SettingsReader, ReadsEachTagItAccepts) {
    SettingsReader r("\x01"
                     "\x02\xFF"
                     "\x03\xFE\xFF"
                     "\x04\x00\x00\x00\x80"
                     "\x05\x00\x00\x00\x00\x00\x00\x00\xA0\x00\xC0"
                     "\x02\x07"
                     "\x04\x01\x00\x00\x01"
                     "\x06\x02"
                     "ab"
                     "\x0C\x01\x00\x00\x00z"
                     "\x12\x02\x00\x00\x00\xE9\x00\x41\x00"
                     "\x14\x02\x00\x00\x00\xC3\xA9"
                     "\x00"s);
    r.readListBegin();
    EXPECT_FALSE(r.endOfList());
    EXPECT_EQ(r.readInteger(), -1);
    EXPECT_EQ(r.readInteger(), -2);
    EXPECT_EQ(r.readInteger(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(r.readFloat(), -2.5);
    EXPECT_EQ(r.readFloat(), 7.0);          // an integer where a float is expected
    EXPECT_EQ(r.readSingle(), 16777216.0f); // 2^24 + 1 rounds to even as a single
    EXPECT_EQ(r.readText(), "ab");
    EXPECT_EQ(r.readText(), "z");
    EXPECT_EQ(r.readText(), "\xC3\xA9"
                            "A");
    EXPECT_EQ(r.readText(), "\xC3\xA9");
    EXPECT_TRUE(r.endOfList());
    r.readListEnd();
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(SettingsReader, BooleanTakesOneByteWhateverItIs) {
    SettingsReader r("\x09\x08\x01\x02\x07"s);
    EXPECT_TRUE(r.readBoolean());
    EXPECT_FALSE(r.readBoolean());
    EXPECT_FALSE(r.readBoolean()); // any byte but the true tag is false
    EXPECT_FALSE(r.readBoolean()); // an integer tag: its payload byte is left as the next tag
    EXPECT_EQ(r.remaining(), 1u);
    EXPECT_THROW(r.readInteger(), SettingsError); // 07 is no tag an integer accepts
}

TEST(SettingsReader, SingleRejectsWhatNoSingleHolds) {
    const std::string over = "\x05\x00\x00\x00\x00\x00\x00\x00\x80\x7F\x40"s; // 2^128
    const std::string inf = "\x05\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x7F"s;
    const std::string nan = "\x05\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x7F"s;
    for (const auto& bytes : {over, inf, nan}) {
        SettingsReader r(bytes);
        try {
            r.readSingle();
            ADD_FAILURE() << "no error";
        } catch (const SettingsError& e) {
            EXPECT_STREQ(e.what(), "Invalid property value");
        }
    }
    // The same value is a plain double to readFloat.
    EXPECT_EQ(SettingsReader(over).readFloat(), 0x1p128);
    // The largest single and the smallest subnormal single are kept exactly.
    EXPECT_EQ(SettingsReader("\x05\x00\x00\x00\x00\x00\xFF\xFF\xFF\x7E\x40"s).readSingle(),
              std::numeric_limits<float>::max());
    EXPECT_EQ(SettingsReader("\x05\x00\x00\x00\x00\x00\x00\x00\x80\x6A\x3F"s).readSingle(),
              std::numeric_limits<float>::denorm_min());
}

struct FailureCase {
    const char* name;
    std::string bytes;
    std::function<void(SettingsReader&)> read;
    const char* message;
};

TEST(SettingsReader, FailsWithTheUsersMessage) {
    constexpr const char* kInvalid = "Invalid property value";
    constexpr const char* kReadError = "Stream read error";
    const FailureCase cases[] = {
        {"begin on empty", "", [](auto& r) { r.readListBegin(); }, kReadError},
        {"begin on integer", "\x02\x01", [](auto& r) { r.readListBegin(); }, kInvalid},
        {"end on begin", "\x01", [](auto& r) { r.readListEnd(); }, kInvalid},
        {"end on empty", "", [](auto& r) { r.readListEnd(); }, kReadError},
        {"at end on empty", "", [](auto& r) { (void)r.endOfList(); }, kReadError},
        {"boolean on empty", "", [](auto& r) { (void)r.readBoolean(); }, kReadError},
        {"integer on float", "\x05"s + std::string(10, '\0'), [](auto& r) { r.readInteger(); },
         kInvalid},
        {"integer on text", "\x06\x00"s, [](auto& r) { r.readInteger(); }, kInvalid},
        {"integer on true", "\x09", [](auto& r) { r.readInteger(); }, kInvalid},
        {"integer on end", "\x00"s, [](auto& r) { r.readInteger(); }, kInvalid},
        {"float on text", "\x06\x00"s, [](auto& r) { r.readFloat(); }, kInvalid},
        {"float on true", "\x09", [](auto& r) { r.readFloat(); }, kInvalid},
        {"text on integer", "\x02\x01", [](auto& r) { r.readText(); }, kInvalid},
        {"text on false", "\x08", [](auto& r) { r.readText(); }, kInvalid},
        {"truncated int16", "\x03\x01", [](auto& r) { r.readInteger(); }, kReadError},
        {"truncated int32", "\x04\x01\x02\x03", [](auto& r) { r.readInteger(); }, kReadError},
        {"truncated float", "\x05\x00\x00\x00", [](auto& r) { r.readFloat(); }, kReadError},
        {"short text cut",
         "\x06\x05"
         "abc",
         [](auto& r) { r.readText(); }, kReadError},
        {"long text length cut", "\x0C\x01\x00", [](auto& r) { r.readText(); }, kReadError},
        // Lengths far beyond the bytes left fail before anything is allocated.
        {"huge long text",
         "\x0C\xFF\xFF\xFF\xFF"
         "abc",
         [](auto& r) { r.readText(); }, kReadError},
        {"huge wide text",
         "\x12\xFF\xFF\xFF\xFF"
         "abcd",
         [](auto& r) { r.readText(); }, kReadError},
        {"odd wide text",
         "\x12\x02\x00\x00\x00"
         "abc",
         [](auto& r) { r.readText(); }, kReadError},
        {"huge utf-8 text",
         "\x14\x00\x00\x00\x80"
         "abc",
         [](auto& r) { r.readText(); }, kReadError},
    };
    for (const auto& c : cases) {
        SettingsReader r(c.bytes);
        try {
            c.read(r);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const SettingsError& e) {
            EXPECT_STREQ(e.what(), c.message) << c.name;
        }
    }
}

TEST(SettingsStream, ValuesComeBackAsWritten) {
    const std::string longText(70000, 'q');
    const std::string unicode = "Nestl\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";
    const std::int32_t integers[] = {0,
                                     1,
                                     -1,
                                     127,
                                     -128,
                                     128,
                                     -129,
                                     32767,
                                     -32768,
                                     32768,
                                     -32769,
                                     std::numeric_limits<std::int32_t>::max(),
                                     std::numeric_limits<std::int32_t>::min()};
    const float singles[] = {0.0f, -0.0f, 0.1f, -13.9f, 1e-40f, 3.4e38f, 0.025f};

    SettingsWriter w;
    w.beginList();
    for (const auto v : integers) w.writeInteger(v);
    for (const auto v : singles) w.writeFloat(v);
    w.writeFloat(1e300);
    w.writeText(longText);
    w.writeText(unicode);
    w.writeBoolean(true);
    w.writeBoolean(false);
    w.endList();

    SettingsReader r(w.bytes());
    r.readListBegin();
    for (const auto v : integers) EXPECT_EQ(r.readInteger(), v);
    for (const auto v : singles) {
        const float got = r.readSingle();
        EXPECT_EQ(got, v);
        EXPECT_EQ(std::signbit(got), std::signbit(v));
    }
    EXPECT_EQ(r.readFloat(), 1e300);
    EXPECT_EQ(r.readText(), longText);
    EXPECT_EQ(r.readText(), unicode);
    EXPECT_TRUE(r.readBoolean());
    EXPECT_FALSE(r.readBoolean());
    EXPECT_TRUE(r.endOfList());
    r.readListEnd();
}

TEST(SettingsStream, FilesRoundTripAndFailWithTheFileName) {
    test::TempDir dir;
    SettingsWriter w;
    w.beginList();
    w.writeText("Defaults");
    w.endList();
    w.saveTo(dir / "a.Lst");
    SettingsReader r = SettingsReader::fromFile(dir / "a.Lst");
    r.readListBegin();
    EXPECT_EQ(r.readText(), "Defaults");
    r.readListEnd();

    const auto missing = dir / "no such folder" / "a.Lst";
    const std::string reason = std::strerror(ENOENT);
    try {
        w.saveTo(missing);
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const SettingsError& e) {
        EXPECT_EQ(e.what(), "Cannot create file \"" + missing.string() + "\". " + reason);
    }
    try {
        (void)SettingsReader::fromFile(missing);
        ADD_FAILURE() << "opened a missing file";
    } catch (const SettingsError& e) {
        EXPECT_EQ(e.what(), "Cannot open file \"" + missing.string() + "\". " + reason);
    }
    EXPECT_THROW((void)SettingsReader::fromFile(dir.path()), SettingsError); // a folder
}

} // namespace
} // namespace qm

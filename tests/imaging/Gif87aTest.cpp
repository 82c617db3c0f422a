#include "imaging/Gif87a.h"

#include "Giflib.h"

#include <gtest/gtest.h>
#include <random>

namespace qm {
namespace {

std::string bytes(std::initializer_list<unsigned> values) {
    std::string s;
    for (unsigned v : values) s.push_back(static_cast<char>(v));
    return s;
}

IndexedBitmap filled(int width, int height, std::uint8_t index) {
    IndexedBitmap b;
    b.width = width;
    b.height = height;
    b.pixels.assign(static_cast<std::size_t>(width * height), index);
    return b;
}

constexpr std::size_t kImageDescriptorAt = 6 + 7 + 768;

TEST(Gif87a, OnePixelFileByteByByte) {
    IndexedBitmap b = filled(1, 1, 0);
    for (int i = 0; i < 256; ++i)
        b.colours[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i),
                                                  static_cast<std::uint8_t>(255 - i),
                                                  static_cast<std::uint8_t>(i / 2)};
    std::string expected = "GIF87a" + bytes({1, 0, 1, 0, 0xF7, 0, 0});
    for (int i = 0; i < 256; ++i)
        expected += bytes({unsigned(i), unsigned(255 - i), unsigned(i / 2)});
    // Image descriptor, minimum code size 8, then clear 256, code 0 and end 257 in 9 bits each.
    expected += bytes({0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 8});
    expected += bytes({4, 0x00, 0x01, 0x04, 0x04, 0x00, 0x3B});

    std::string out;
    ASSERT_TRUE(SaveBitmapAsGif87a(b, out));
    EXPECT_EQ(out, expected);
}

TEST(Gif87a, CompressionRunsOnAcrossRows) {
    // Codes 256, 5, 258, 5, 257 in 9 bits: the second row continues the first row's string.
    std::string out;
    ASSERT_TRUE(SaveBitmapAsGif87a(filled(2, 2, 5), out));
    EXPECT_EQ(out.substr(kImageDescriptorAt),
              bytes({0x2C, 0, 0,    0,    0,    2,    0,    2,    0,    0,
                     8,    6, 0x00, 0x0B, 0x08, 0x2C, 0x10, 0x10, 0x00, 0x3B}));
}

TEST(Gif87a, RefusesBitmapsItCannotWrite) {
    struct Case {
        int width, height;
        std::size_t pixels;
    };
    const Case cases[] = {
        {0, 1, 0}, {1, 0, 0}, {-1, 1, 0}, {65536, 1, 65536}, {1, 65536, 65536}, {2, 2, 3},
    };
    for (const Case& c : cases) {
        IndexedBitmap b;
        b.width = c.width;
        b.height = c.height;
        b.pixels.assign(c.pixels, 0);
        std::string out = "kept";
        const ImageResult result = SaveBitmapAsGif87a(b, out);
        EXPECT_FALSE(result) << c.width << "x" << c.height;
        EXPECT_FALSE(result.reason.empty());
        EXPECT_EQ(out, "kept");
    }
}

IndexedBitmap randomBitmap(int width, int height, int colours, unsigned seed) {
    IndexedBitmap b;
    b.width = width;
    b.height = height;
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> index(0, colours - 1);
    for (int i = 0; i < width * height; ++i)
        b.pixels.push_back(static_cast<std::uint8_t>(index(rng)));
    return b;
}

// Every sub-block of the image data but the last holds 255 bytes, and the file ends with the
// block terminator and the trailer.
void expectFullSubBlocks(const std::string& gif) {
    std::size_t at = kImageDescriptorAt + 11;
    for (;;) {
        ASSERT_LT(at, gif.size());
        const auto length = static_cast<unsigned char>(gif[at]);
        if (length == 0) break;
        const std::size_t next = at + 1 + length;
        if (length != 255) {
            EXPECT_EQ(static_cast<unsigned char>(gif[next]), 0) << "short block";
        }
        at = next;
    }
    EXPECT_EQ(at + 2, gif.size());
    EXPECT_EQ(gif.back(), 0x3B);
}

TEST(Gif87a, GiflibDecodesRandomImagesExactly) {
    ASSERT_TRUE(test::haveGiflibTools()) << "install giflib-tools (scripts/install-deps.sh)";
    struct Case {
        int width, height, colours;
    };
    // Random indices of many colours give about one code per pixel, so these fill the code
    // table many times over; few colours give long strings.
    const Case cases[] = {
        {317, 211, 256}, {1000, 97, 4}, {1, 5000, 256}, {65535, 1, 256}, {7, 3, 2}, {64, 64, 1},
    };
    unsigned seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << ", " << c.colours);
        const IndexedBitmap b = randomBitmap(c.width, c.height, c.colours, seed++);
        std::string gif;
        ASSERT_TRUE(SaveBitmapAsGif87a(b, gif));
        expectFullSubBlocks(gif);
        const std::string decoded = test::Giflib(gif).indices();
        EXPECT_TRUE(decoded == std::string(b.pixels.begin(), b.pixels.end()));
    }
}

TEST(Gif87a, TableIsClearedAfterCode4095) {
    ASSERT_TRUE(test::haveGiflibTools()) << "install giflib-tools (scripts/install-deps.sh)";
    const IndexedBitmap b = randomBitmap(300, 300, 256, 42);
    std::string gif;
    ASSERT_TRUE(SaveBitmapAsGif87a(b, gif));
    const std::vector<int> codes = test::Giflib(gif).codes();

    // Each clear is followed by one code per new string, 258 to 4095, before the next clear;
    // the last run also holds the final string.
    std::vector<std::size_t> clears;
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == 256) clears.push_back(i);
    ASSERT_GE(clears.size(), 3u);
    EXPECT_EQ(clears.front(), 0u);
    for (std::size_t k = 1; k < clears.size(); ++k)
        EXPECT_EQ(clears[k] - clears[k - 1] - 1, 4095u - 258u + 1u);
    EXPECT_LE(codes.size() - clears.back() - 1, 4095u - 258u + 1u);
    for (int code : codes) EXPECT_NE(code, 257);
}

} // namespace
} // namespace qm

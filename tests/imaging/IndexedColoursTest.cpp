#include "imaging/IndexedColours.h"

#include <gtest/gtest.h>
#include <random>
#include <set>

namespace qm {
namespace {

QRgb colourOf(const IndexedBitmap& b, int x, int y) {
    const RgbColour c =
        b.colours[b.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(b.width) +
                           static_cast<std::size_t>(x)]];
    return qRgb(c.red, c.green, c.blue);
}

// `count` different colours at random places; every one appears at least once.
QImage scatteredColours(int width, int height, int count, unsigned seed) {
    std::mt19937 rng(seed);
    std::set<QRgb> chosen;
    while (static_cast<int>(chosen.size()) < count)
        chosen.insert(qRgb(rng() & 255, rng() & 255, rng() & 255));
    const std::vector<QRgb> colours(chosen.begin(), chosen.end());
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int i = y * width + x;
            image.setPixel(
                x, y, colours[static_cast<std::size_t>(i < count ? i : rng() % colours.size())]);
        }
    return image;
}

TEST(IndexedColours, KeepsEveryColourOfImagesWithUpTo256) {
    const QImage many = scatteredColours(301, 203, 256, 7);
    const QImage images[] = {
        many,
        scatteredColours(16, 16, 1, 8),
        many.convertToFormat(QImage::Format_ARGB32),
        many.convertToFormat(QImage::Format_RGB888),
        scatteredColours(50, 40, 200, 9).convertToFormat(QImage::Format_Indexed8),
    };
    for (const QImage& image : images) {
        SCOPED_TRACE(testing::Message() << "format " << image.format());
        IndexedBitmap b;
        ASSERT_TRUE(toIndexedBitmap(image, b));
        ASSERT_EQ(b.width, image.width());
        ASSERT_EQ(b.height, image.height());
        ASSERT_EQ(b.pixels.size(), static_cast<std::size_t>(image.width() * image.height()));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(colourOf(b, x, y), image.pixel(x, y) | 0xFF000000u) << x << "," << y;
    }
}

TEST(IndexedColours, ReducesSmoothColoursToNearbyOnes) {
    // 64 x 64 levels of red and green: 4096 colours on 32 x 32 cells of the 5-bit grid, about
    // four cells (16 x 16 levels) per box, so no colour moves by more than about 8 levels.
    QImage image(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) image.setPixel(x, y, qRgb(x / 4 * 4, y / 4 * 4, 128));
    IndexedBitmap b;
    ASSERT_TRUE(toIndexedBitmap(image, b));
    int worst = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const QRgb got = colourOf(b, x, y);
            const QRgb want = image.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(got) - qRed(want)),
                              std::abs(qGreen(got) - qGreen(want)),
                              std::abs(qBlue(got) - qBlue(want))});
        }
    EXPECT_LE(worst, 16);
}

TEST(IndexedColours, KeepsTheBackgroundOfAChartWithManyColours) {
    // A white background under 400 colours of darker lines: the background is more than half
    // of the pixels, so median cut gives it a box of its own and its exact colour.
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    std::mt19937 rng(3);
    for (int line = 0; line < 400; ++line) {
        const QRgb c = qRgb(rng() % 200, rng() % 200, rng() % 200);
        const int y = static_cast<int>(rng() % 300);
        for (int x = 0; x < 100; ++x)
            image.setPixel(static_cast<int>((x + rng() % 300) % 400), y, c);
    }
    IndexedBitmap b;
    ASSERT_TRUE(toIndexedBitmap(image, b));
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            if (image.pixel(x, y) == qRgb(255, 255, 255)) {
                ASSERT_EQ(colourOf(b, x, y), qRgb(255, 255, 255)) << x << "," << y;
            }
}

TEST(IndexedColours, FailsWithoutPixels) {
    IndexedBitmap b;
    const ImageResult result = toIndexedBitmap(QImage(), b);
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
}

} // namespace
} // namespace qm

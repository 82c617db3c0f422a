#include "imaging/ChartImage.h"

#include "support/FileContent.h"
#include "support/TempDir.h"

#include <QImageReader>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace qm {
namespace {

QImage readBack(const std::filesystem::path& file, const char* expectedFormat) {
    QImageReader reader(QString::fromStdString(file.string()));
    EXPECT_EQ(reader.format().toStdString(), expectedFormat);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// Lines and boxes of a few colours on a background, like a chart; no two halves alike, so a
// flipped or shifted image does not compare equal.
QImage chartLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 240));
    for (int x = 0; x < width; ++x) {
        image.setPixel(x, (x * 7 / 5) % height, qRgb(200, 0, 0));
        image.setPixel(x, height - 1 - (x / 3) % height, qRgb(0, 0, 160));
        if (x % 9 < 4)
            for (int y = height / 3; y < height / 3 + (x % 23); ++y)
                image.setPixel(x, y % height, qRgb(0, 128, 0));
    }
    return image;
}

// Random pixels of `colours` different colours.
QImage randomColours(int width, int height, int colours, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<QRgb> table;
    for (int i = 0; i < colours; ++i) table.push_back(qRgb(i, 255 - i, (i * 37) & 255));
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, table[rng() % table.size()]);
    return image;
}

QImage randomTrueColour(int width, int height, unsigned seed) {
    std::mt19937 rng(seed);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, rng() | 0xFF000000u);
    return image;
}

TEST(ChartImage, FormatFollowsTheExtension) {
    struct Case {
        const char* name;
        std::optional<ChartFileFormat> format;
    };
    const Case cases[] = {
        {"a.png", ChartFileFormat::Png},
        {"a.PNG", ChartFileFormat::Png},
        {"b.bmp", ChartFileFormat::Bmp},
        {"c.Gif", ChartFileFormat::Gif},
        {"d.jpg", ChartFileFormat::Jpeg},
        {"d.JPEG", ChartFileFormat::Jpeg},
        {"e.pdf", ChartFileFormat::Pdf},
        {"f.tiff", std::nullopt},
        {"gif", std::nullopt},
        {"dir.png/chart", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(chartFileFormat(c.name), c.format) << c.name;
}

TEST(ChartImage, LosslessFormatsReadBackExactly) {
    struct Case {
        const char* file;
        const char* format;
        QImage image;
    };
    // Widths 1 to 5 give every row padding of a bitmap file; random colours of all 256 indices
    // fill the GIF code table many times over.
    const Case cases[] = {
        {"chart.png", "png", chartLike(641, 379)},
        {"true.png", "png", randomTrueColour(97, 31, 1)},
        {"w1.png", "png", randomTrueColour(1, 5, 10)},
        {"chart.bmp", "bmp", chartLike(641, 379)},
        {"w1.bmp", "bmp", randomTrueColour(1, 3, 2)},
        {"w2.bmp", "bmp", randomTrueColour(2, 3, 3)},
        {"w3.bmp", "bmp", randomTrueColour(3, 3, 4)},
        {"w4.bmp", "bmp", randomTrueColour(4, 3, 5)},
        {"w5.bmp", "bmp", randomTrueColour(5, 3, 6)},
        {"chart.gif", "gif", chartLike(641, 379)},
        {"random256.gif", "gif", randomColours(400, 301, 256, 7)},
        {"random3.gif", "gif", randomColours(333, 100, 3, 8)},
        {"tall.gif", "gif", randomColours(1, 3000, 256, 9)},
    };
    test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const auto file = dir / c.file;
        const ImageResult result = saveChartImage(c.image, file);
        ASSERT_TRUE(result) << result.reason;
        const QImage back = readBack(file, c.format);
        ASSERT_EQ(back.size(), c.image.size());
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                ASSERT_EQ(back.pixel(x, y), c.image.pixel(x, y)) << x << "," << y;
    }
}

TEST(ChartImage, BitmapFileHasTheWindowsLayout) {
    // 3 pixels of 3 bytes padded to 12 bytes per row, after 54 header bytes.
    test::TempDir dir;
    ASSERT_TRUE(saveChartImage(randomTrueColour(3, 2, 1), dir / "a.bmp"));
    const std::string bmp = test::readFile(dir / "a.bmp");
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bmp[2]), 54 + 24);
    EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24); // bits per pixel
}

// The segments of a JPEG file before its scan, as marker -> contents of the first of each.
std::map<int, std::string> jpegSegments(const std::string& jpeg) {
    std::map<int, std::string> segments;
    std::size_t at = 2; // after the start-of-image marker
    while (at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF) {
        const int marker = static_cast<unsigned char>(jpeg[at + 1]);
        const std::size_t length = static_cast<unsigned char>(jpeg[at + 2]) * 256u +
                                   static_cast<unsigned char>(jpeg[at + 3]);
        segments.try_emplace(marker, jpeg.substr(at + 4, length - 2));
        if (marker == 0xDA) break; // start of scan
        at += 2 + length;
    }
    return segments;
}

TEST(ChartImage, JpegIsBaselineColourAtQuality90) {
    // A smooth picture with a few sharp lines, as JPEG is meant for.
    QImage image(320, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) image.setPixel(x, y, qRgb(x * 255 / 319, y, 255 - y));
    for (int x = 0; x < 320; ++x) image.setPixel(x, 100, qRgb(0, 0, 0));

    test::TempDir dir;
    for (const char* name : {"chart.jpg", "chart.jpeg"}) {
        SCOPED_TRACE(name);
        const auto file = dir / name;
        ASSERT_TRUE(saveChartImage(image, file));
        const std::string jpeg = test::readFile(file);
        ASSERT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
        const auto segments = jpegSegments(jpeg);
        ASSERT_TRUE(segments.count(0xC0)) << "no baseline frame";
        EXPECT_FALSE(segments.count(0xC2)) << "progressive frame";
        const std::string& frame = segments.at(0xC0);
        EXPECT_EQ(frame[5], 3) << "components"; // precision, height, width, components
        // Quality 90 scales the standard luminance table by 20%: its first entries 16, 11, 12
        // (in zigzag order) become (16 x 20 + 50) / 100 = 3, 2 and 2.
        ASSERT_TRUE(segments.count(0xDB));
        EXPECT_EQ(segments.at(0xDB).substr(0, 4), std::string("\x00\x03\x02\x02", 4));

        const QImage back = readBack(file, "jpeg");
        ASSERT_EQ(back.size(), image.size());
        double error = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 320; ++x) {
                const QRgb a = back.pixel(x, y);
                const QRgb b = image.pixel(x, y);
                error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                         std::abs(qBlue(a) - qBlue(b));
            }
        EXPECT_LT(error / (320 * 200 * 3), 2.0);
    }
}

TEST(ChartImage, FailedSavesLeaveNoFileBehind) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "taken.png");
    std::filesystem::create_directories(dir / "taken.gif" / "inner");
    dir.write("old.gif", "old picture");
    dir.write("plain", "a file, not a folder");
    const QImage chart = chartLike(64, 48);
    // Wider than GIF (65535) and libjpeg (65500) allow.
    QImage tooWide(70000, 2, QImage::Format_RGB32);
    tooWide.fill(Qt::white);
    struct Case {
        const char* name;
        QImage image;
    };
    const Case cases[] = {
        {"missing/chart.png", chart}, {"missing/chart.bmp", chart}, {"missing/chart.gif", chart},
        {"missing/chart.jpg", chart}, {"plain/chart.gif", chart},   {"taken.png", chart},
        {"taken.gif", chart},         {"chart.tiff", chart},        {"chart.pdf", chart},
        {"old.gif", QImage()},        {"none.bmp", QImage()},       {"none.jpg", QImage()},
        {"wide.gif", tooWide},        {"wide.jpg", tooWide},
    };
    const auto before = dir.fileCount();
    for (const Case& c : cases) {
        const ImageResult result = saveChartImage(c.image, dir / c.name);
        EXPECT_FALSE(result) << c.name;
        EXPECT_FALSE(result.reason.empty()) << c.name;
    }
    EXPECT_EQ(dir.fileCount(), before);
    EXPECT_EQ(test::readFile(dir / "old.gif"), "old picture");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.png"));
}

} // namespace
} // namespace qm

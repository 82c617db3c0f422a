#include "ImageEncoders.h"
#include "ImagingMessages.h"

#include <cstdint>
#include <limits>

namespace qm {
namespace {

constexpr std::uint64_t kHeaderSize = 14 + 40;  // file header, then information header
constexpr std::uint32_t kPixelsPerMetre = 2835; // 72 dots per inch

void put16(std::string& out, std::uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

ImageResult encodeBmp(const QImage& image, std::string& out) {
    namespace text = imaging_messages;
    if (image.isNull()) return ImageResult::failure(std::string(text::kNoPixels));
    const QImage rgb32 = image.convertToFormat(QImage::Format_RGB32);
    if (rgb32.isNull()) return ImageResult::failure(std::string(text::kNoPixels));

    const auto width = static_cast<std::uint64_t>(rgb32.width());
    const auto height = static_cast<std::uint64_t>(rgb32.height());
    const std::uint64_t stride = (width * 3 + 3) / 4 * 4;
    const std::uint64_t fileSize = kHeaderSize + stride * height;
    if (fileSize > std::numeric_limits<std::uint32_t>::max())
        return ImageResult::failure(std::string(text::kTooLargeForBmp));

    out.reserve(out.size() + fileSize);
    out += "BM";
    put32(out, static_cast<std::uint32_t>(fileSize));
    put32(out, 0); // reserved
    put32(out, static_cast<std::uint32_t>(kHeaderSize));
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height)); // positive: rows are stored bottom-up
    put16(out, 1);                                  // planes
    put16(out, 24);                                 // bits per pixel
    put32(out, 0);                                  // no compression
    put32(out, static_cast<std::uint32_t>(stride * height));
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, 0); // colours used: no table
    put32(out, 0); // important colours: all

    const std::size_t padding = stride - width * 3;
    for (int y = rgb32.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        for (int x = 0; x < rgb32.width(); ++x) {
            out.push_back(static_cast<char>(qBlue(line[x])));
            out.push_back(static_cast<char>(qGreen(line[x])));
            out.push_back(static_cast<char>(qRed(line[x])));
        }
        out.append(padding, '\0');
    }
    return ImageResult::success();
}

} // namespace qm
